// Explanations of the eight love types shown after scoring and on the result sheet.
#pragma once

namespace morva {

// Order: NonLove, Liking, Infatuation, EmptyLove, RomanticLove,
// CompanionateLove, FatuousLove, ConsummateLove.
extern const char *const kLoveTypeTexts[8];

} // namespace morva
