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
bool IsHigh(ItemComponent component, int sum);

LoveType ClassifyLoveType(const ComponentScores &scores);

// Where a sum stands against its component's cut-off, for the clinician: within
// kBorderlinePoints of the cut-off, on either side, it is borderline, and still counted high or
// low for the love type as IsHigh counts it.
enum class ScoreLevel { Low, BorderlineLow, BorderlineHigh, High };
constexpr int kBorderlinePoints = 3;
ScoreLevel LevelOf(ItemComponent component, int sum);
// «پایین», «مرزی (پایین)», «مرزی (بالا)», «بالا».
QString ScoreLevelLabel(ScoreLevel level);

// The type's explanation, beginning with its label and a colon.
QString LoveTypeText(LoveType type);
// The type's label alone, as its explanation begins.
QString LoveTypeLabel(LoveType type);

} // namespace morva
