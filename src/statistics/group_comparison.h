#pragma once

#include "statistics/group_summary.h"

#include <array>
#include <optional>

namespace morva {

// Welch's t-test of the difference between two groups' mean sums, which does not assume equal
// variances: t = (mean a - mean b) / sqrt(var a / n a + var b / n b), with the Welch-Satterthwaite
// degrees of freedom and the two-sided p-value of Student's t distribution.
struct WelchTest {
    double t = 0;
    double df = 0;
    double p = 0;
};

// Cohen's d: the difference of the mean sums (a - b) over their pooled standard deviation,
// sqrt(((n a - 1) var a + (n b - 1) var b) / (n a + n b - 2)), with its 95 % confidence interval
// d -/+ 1.96 SE by the large-sample standard error of Hedges and Olkin (1985):
// SE = sqrt((n a + n b) / (n a n b) + d^2 / (2 (n a + n b))).
struct EffectSize {
    double d = 0;
    double low = 0;
    double high = 0;
};

// Both are missing unless each group has two complete subjects (a spread needs two) and the sums
// vary in at least one of them (the same sums everywhere leave no spread to measure by).
struct ComponentComparison {
    std::optional<WelchTest> welch;
    std::optional<EffectSize> cohensD;
};

// Pearson's chi-square test of independence of group and love type over the two groups' counts
// of the types that either group has: a 2 x k table with k - 1 degrees of freedom. Missing unless
// both groups have a complete subject and together they have two types or more.
struct ChiSquareTest {
    double chiSquare = 0;
    int df = 0;
    double p = 0;
    bool smallExpected = false; // some cell's expected count is below 5: the p-value is rough
};

struct GroupComparison {
    std::array<ComponentComparison, 3> components; // in the order of ItemComponent
    std::optional<ChiSquareTest> loveTypes;

    const ComponentComparison &component(ItemComponent c) const { return components[static_cast<int>(c)]; }
};

// The comparison of two groups from their summaries alone, without reading the subjects again.
GroupComparison CompareGroups(const GroupSummary &a, const GroupSummary &b);

} // namespace morva
