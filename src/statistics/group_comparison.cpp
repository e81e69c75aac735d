#include "statistics/group_comparison.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include <cmath>

namespace morva {
namespace {

// A group's sums of a component as the tests take them; nothing without the two subjects that
// a spread needs.
struct Sample {
    double n;
    double mean;
    double variance;
};

std::optional<Sample> SampleOf(const ComponentSummary &summary)
{
    if (!summary.sdSum)
        return std::nullopt; // fewer than two complete subjects
    return Sample{double(summary.subjects), *summary.meanSum, *summary.sdSum * *summary.sdSum};
}

std::optional<WelchTest> Welch(const Sample &a, const Sample &b)
{
    const double va = a.variance / a.n;
    const double vb = b.variance / b.n;
    if (va + vb <= 0)
        return std::nullopt; // every sum the same in both groups
    WelchTest test;
    test.t = (a.mean - b.mean) / std::sqrt(va + vb);
    test.df = (va + vb) * (va + vb) / (va * va / (a.n - 1) + vb * vb / (b.n - 1));
    const boost::math::students_t distribution(test.df);
    test.p = 2 * boost::math::cdf(boost::math::complement(distribution, std::abs(test.t)));
    return test;
}

std::optional<EffectSize> CohensD(const Sample &a, const Sample &b)
{
    const double pooled = std::sqrt(((a.n - 1) * a.variance + (b.n - 1) * b.variance) / (a.n + b.n - 2));
    if (pooled <= 0)
        return std::nullopt;
    EffectSize effect;
    effect.d = (a.mean - b.mean) / pooled;
    const double se = std::sqrt((a.n + b.n) / (a.n * b.n) + effect.d * effect.d / (2 * (a.n + b.n)));
    static const double z = boost::math::quantile(boost::math::normal(), 0.975);
    effect.low = effect.d - z * se;
    effect.high = effect.d + z * se;
    return effect;
}

std::optional<ChiSquareTest> ChiSquare(const GroupSummary &a, const GroupSummary &b)
{
    const double rows[2] = {double(a.complete), double(b.complete)};
    const double total = rows[0] + rows[1];
    if (rows[0] == 0 || rows[1] == 0)
        return std::nullopt;
    ChiSquareTest test;
    int types = 0;
    for (int t = 0; t < kLoveTypeCount; ++t) {
        const double counts[2] = {double(a.loveTypes[t]), double(b.loveTypes[t])};
        const double column = counts[0] + counts[1];
        if (column == 0)
            continue; // a type neither group has is no column of the table
        ++types;
        for (int r = 0; r < 2; ++r) {
            const double expected = rows[r] * column / total;
            test.chiSquare += (counts[r] - expected) * (counts[r] - expected) / expected;
            test.smallExpected = test.smallExpected || expected < 5;
        }
    }
    if (types < 2)
        return std::nullopt;
    test.df = types - 1;
    test.p = boost::math::cdf(boost::math::complement(boost::math::chi_squared(test.df), test.chiSquare));
    return test;
}

} // namespace

GroupComparison CompareGroups(const GroupSummary &a, const GroupSummary &b)
{
    GroupComparison comparison;
    for (int c = 0; c < 3; ++c) {
        const std::optional<Sample> sa = SampleOf(a.components[c]);
        const std::optional<Sample> sb = SampleOf(b.components[c]);
        if (!sa || !sb)
            continue;
        comparison.components[c] = {Welch(*sa, *sb), CohensD(*sa, *sb)};
    }
    comparison.loveTypes = ChiSquare(a, b);
    return comparison;
}

} // namespace morva
