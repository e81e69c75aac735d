#include "scoring/love_type.h"

#include "scoring/love_type_texts.h"

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

LoveType ClassifyLoveType(const ComponentScores &scores)
{
    const bool intimacy = scores.intimacy >= kCutOffs.intimacy;
    const bool passion = scores.passion >= kCutOffs.passion;
    const bool commitment = scores.commitment >= kCutOffs.commitment;
    for (const Pattern &p : kPatterns) {
        if (p.intimacy == intimacy && p.passion == passion && p.commitment == commitment)
            return p.type;
    }
    return LoveType::NonLove; // unreachable: the eight patterns cover every case
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
