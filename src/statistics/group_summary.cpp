#include "statistics/group_summary.h"

#include "records/answer_sheet.h"
#include "records/subject_choices.h"
#include "records/subject_store.h"
#include "scoring/scores.h"

#include <QByteArray>

#include <cmath>

namespace morva {
namespace {

constexpr int kItemsPerComponent = ItemCount / 3;

// A component's sums as they come: their mean and spread by Welford's update, which stays exact
// where summing squares of large groups would cancel, and a count per possible sum (a whole
// number from kLowestScore to kHighestScore) for the exact median in constant memory.
class SumTally {
public:
    void add(int sum)
    {
        Q_ASSERT(sum >= kLowestScore && sum <= kHighestScore); // every item of a complete sheet is 1 to 9
        ++n_;
        const double delta = sum - mean_;
        mean_ += delta / double(n_);
        squares_ += delta * (sum - mean_);
        ++counts_[sum - kLowestScore];
    }

    ComponentSummary summary() const
    {
        ComponentSummary s;
        s.subjects = n_;
        if (n_ == 0)
            return s;
        s.meanSum = mean_;
        s.medianSum = (nth(n_ / 2 + 1) + nth((n_ + 1) / 2)) / 2.0; // the middle one twice when n is odd
        s.meanPerItem = mean_ / kItemsPerComponent;
        if (n_ >= 2) {
            s.sdSum = std::sqrt(squares_ / double(n_ - 1));
            s.sdPerItem = *s.sdSum / kItemsPerComponent;
        }
        return s;
    }

private:
    // The k-th smallest sum, k from 1 to n_.
    int nth(qint64 k) const
    {
        qint64 seen = 0;
        for (int i = 0; i < int(counts_.size()); ++i) {
            seen += counts_[i];
            if (seen >= k)
                return kLowestScore + i;
        }
        return kHighestScore; // unreachable for k <= n_
    }

    qint64 n_ = 0;
    double mean_ = 0;
    double squares_ = 0; // the sum of squared distances from the mean
    std::array<qint64, kHighestScore - kLowestScore + 1> counts_{};
};

class GroupTally {
public:
    void addComplete(const ComponentScores &sums, LoveType type)
    {
        for (const ItemComponent c : kItemComponents)
            components_[static_cast<int>(c)].add(ScoreOf(sums, c));
        ++summary_.loveTypes[static_cast<int>(type)];
        ++summary_.complete;
    }
    void addIncomplete() { ++summary_.incomplete; }
    void addNotTested() { ++summary_.notTested; }

    GroupSummary summary() const
    {
        GroupSummary s = summary_;
        for (int c = 0; c < 3; ++c)
            s.components[c] = components_[c].summary();
        return s;
    }

private:
    GroupSummary summary_; // the counts
    std::array<SumTally, 3> components_;
};

} // namespace

std::optional<double> GroupSummary::loveTypePercent(LoveType type) const
{
    if (complete == 0)
        return std::nullopt;
    return 100.0 * double(loveTypeCount(type)) / double(complete);
}

GroupSummaries SummarizeGroups(SubjectStore &store, const SubjectFilter &filter)
{
    static const qsizetype groupColumn = ColumnOf(&Subject::group);
    std::array<QByteArray, kGroupCount> groupNames;
    for (int g = 0; g < kGroupCount; ++g)
        groupNames[g] = Groups().at(g).toUtf8();

    std::array<GroupTally, kGroupCount> groups;
    GroupTally all;
    store.forEach(filter, [&](const SubjectTexts &subject) {
        // A group is one of the seven exactly as stored, as a filter by group takes it.
        GroupTally *group = nullptr;
        const QByteArrayView stored = subject.particulars[groupColumn];
        for (int g = 0; g < kGroupCount; ++g) {
            if (stored == groupNames[g])
                group = &groups[g];
        }
        const DecodedAnswers answers = DecodeAnswers(subject.answers);
        // Every subject counts in all together, and in its group if it has one of the seven.
        const auto count = [&](const auto &add) {
            add(all);
            if (group)
                add(*group);
        };
        switch (answers.state()) {
        case TestState::Complete: {
            const ComponentScores sums = ComputeScores(answers.values);
            const LoveType type = ClassifyLoveType(sums);
            count([&](GroupTally &t) { t.addComplete(sums, type); });
            break;
        }
        case TestState::Incomplete:
            count([](GroupTally &t) { t.addIncomplete(); });
            break;
        case TestState::NotTaken:
            count([](GroupTally &t) { t.addNotTested(); });
            break;
        }
        return true;
    });

    GroupSummaries summaries;
    for (int g = 0; g < kGroupCount; ++g)
        summaries.groups[g] = groups[g].summary();
    summaries.all = all.summary();
    return summaries;
}

} // namespace morva
