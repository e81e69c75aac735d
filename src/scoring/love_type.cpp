#include "scoring/love_type.h"

#include "scoring/love_type_texts.h"

#include <cstdlib>

namespace morva {
namespace {

struct Pattern {
    bool intimacy;
    bool passion;
    bool commitment;
    LoveType type;
};

constexpr Pattern kPatterns[] = {
    {false, false, false, LoveType::NonLove},     {true, false, false, LoveType::Liking},
    {false, true, false, LoveType::Infatuation},  {false, false, true, LoveType::EmptyLove},
    {true, true, false, LoveType::RomanticLove},  {true, false, true, LoveType::CompanionateLove},
    {false, true, true, LoveType::FatuousLove},   {true, true, true, LoveType::ConsummateLove},
};

} // namespace

bool IsHigh(ItemComponent component, int sum)
{
    return sum >= ScoreOf(kCutOffs, component);
}

LoveType ClassifyLoveType(const ComponentScores &scores)
{
    const bool intimacy = IsHigh(ItemComponent::Intimacy, scores.intimacy);
    const bool passion = IsHigh(ItemComponent::Passion, scores.passion);
    const bool commitment = IsHigh(ItemComponent::Commitment, scores.commitment);
    for (const Pattern &p : kPatterns) {
        if (p.intimacy == intimacy && p.passion == passion && p.commitment == commitment)
            return p.type;
    }
    return LoveType::NonLove; // unreachable: the eight patterns cover every case
}

ScoreLevel LevelOf(ItemComponent component, int sum)
{
    const bool high = IsHigh(component, sum);
    if (std::abs(sum - ScoreOf(kCutOffs, component)) <= kBorderlinePoints)
        return high ? ScoreLevel::BorderlineHigh : ScoreLevel::BorderlineLow;
    return high ? ScoreLevel::High : ScoreLevel::Low;
}

QString ScoreLevelLabel(ScoreLevel level)
{
    switch (level) {
    case ScoreLevel::Low:
        return QStringLiteral("پایین");
    case ScoreLevel::BorderlineLow:
        return QStringLiteral("مرزی (پایین)");
    case ScoreLevel::BorderlineHigh:
        return QStringLiteral("مرزی (بالا)");
    case ScoreLevel::High:
        break;
    }
    return QStringLiteral("بالا");
}

QString LoveTypeText(LoveType type)
{
    return QString::fromUtf8(kLoveTypeTexts[static_cast<int>(type)]);
}

QString LoveTypeLabel(LoveType type)
{
    return LoveTypeText(type).section(u':', 0, 0);
}

} // namespace morva
