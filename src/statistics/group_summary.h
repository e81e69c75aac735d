#pragma once

#include "questionnaire/item_bank.h"
#include "records/subject_filter.h"
#include "scoring/love_type.h"

#include <QString>

#include <array>
#include <optional>

namespace morva {

class SubjectStore;

// The groups a registration offers (A to G), which clinics use for their own cohorts, and the
// eight love types.
inline constexpr int kGroupCount = 7;
inline constexpr int kLoveTypeCount = 8;

// A component's figures over the complete subjects of a group. Each figure is missing where it
// cannot be had: a mean and median without a subject, a standard deviation without two.
struct ComponentSummary {
    qint64 subjects = 0;                 // the complete subjects the figures stand on
    std::optional<double> meanSum;
    std::optional<double> sdSum;         // sample standard deviation (divided by n - 1)
    std::optional<double> medianSum;     // the middle sum; of an even number, the mean of the middle two
    std::optional<double> meanPerItem;   // the same over the component's fifteen items: the sum's / 15
    std::optional<double> sdPerItem;
};

// What the subjects of a group came to. A subject counts by its latest answers, as the lists
// show how far its test came: complete with all 45 items answered, incomplete with some, not
// tested with none (a registered subject whose test was never given, or kept without answers).
struct GroupSummary {
    qint64 complete = 0;
    qint64 incomplete = 0;
    qint64 notTested = 0;
    std::array<ComponentSummary, 3> components; // in the order of ItemComponent
    std::array<qint64, kLoveTypeCount> loveTypes{}; // complete subjects of each type, in the order of LoveType

    const ComponentSummary &component(ItemComponent c) const { return components[static_cast<int>(c)]; }
    qint64 loveTypeCount(LoveType type) const { return loveTypes[static_cast<int>(type)]; }
    // The type's share of the complete subjects, in percent; missing without a complete subject.
    std::optional<double> loveTypePercent(LoveType type) const;
};

struct GroupSummaries {
    std::array<GroupSummary, kGroupCount> groups; // A first, in the order of Groups()
    // Every subject that passed the filter, whatever its group: a subject whose group is not one
    // of the seven (empty, or typed by hand in an old file) counts only here.
    GroupSummary all;
};

// The summaries of the subjects that pass the filter, read in one pass over the store with memory
// that stays the same however many subjects there are. Throws DataError as the store does.
GroupSummaries SummarizeGroups(SubjectStore &store, const SubjectFilter &filter = SubjectFilter::All());

} // namespace morva
