// The pieces of the questionnaire statements; the beloved's name goes between lead and trail.
#pragma once

namespace morva {

struct ItemPieces {
    const char *lead;  // nullptr when the statement begins with the name
    const char *trail;
};

// Indexed by item number - 1.
extern const ItemPieces kItemPieces[45];

} // namespace morva
