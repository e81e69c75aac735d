#pragma once

#include "scoring/scores.h"

#include <QString>

namespace morva {

// The eight types of the triangular theory, in the order they are tried.
enum class LoveType {
    NonLove,
    Liking,
    Infatuation,
    EmptyLove,
    RomanticLove,
    CompanionateLove,
    FatuousLove,
    ConsummateLove,
};

// A component is high when its score reaches its cut-off.
constexpr ComponentScores kCutOffs{108, 98, 111};

LoveType ClassifyLoveType(const ComponentScores &scores);

// The type's explanation, beginning with its label and a colon.
QString LoveTypeText(LoveType type);
// The type's label alone, as its explanation begins.
QString LoveTypeLabel(LoveType type);

} // namespace morva
