#include "engine/consolidation.h"
#include "engine/breakdown.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Terzaghi's average degree of consolidation under a load placed at once,
// one drainage path (time factor T = cv t / Hdr^2).
double instantDegree(double T)
{
    double sum = 0;
    for (int m = 0; m < 2000; ++m) {
        const double M = kPi * (2 * m + 1) / 2;
        sum += 2 / (M * M) * std::exp(-M * M * T);
    }
    return 1 - sum;
}

// The same under a load rising at a constant rate until Tc, relative to the
// full load.
double rampDegree(double T, double Tc)
{
    double sum = 0;
    for (int m = 0; m < 2000; ++m) {
        const double M = kPi * (2 * m + 1) / 2;
        const double M2 = M * M;
        sum += T <= Tc ? (1 - std::exp(-M2 * T)) / (M2 * M2)
                       : (std::exp(-M2 * (T - Tc)) - std::exp(-M2 * T)) / (M2 * M2);
    }
    return T <= Tc ? T / Tc - 2 / Tc * sum : 1 - 2 / Tc * sum;
}

// One homogeneous layer of 10 m in 0.1 m slices, I = 1, cv = 1 m2/day.
ConsolidationColumn homogeneousLayer(bool bottomDrained)
{
    ConsolidationColumn column;
    for (int i = 0; i < 100; ++i)
        column.slices.push_back({0.1, 5.0, 1.0, 1.0});
    column.bottomDrained = bottomDrained;
    column.load = 50;
    column.finalSettlement = 10.0 * 50 / 5.0;
    return column;
}

struct AnalyticCase {
    const char* name;
    bool bottomDrained;
    double rampEnd;  // time factor Tc at which the fill is complete; 0 for at once
};

class TerzaghiTest : public testing::TestWithParam<AnalyticCase> {
protected:
    // Time factors from early to nearly complete consolidation, and the days
    // they are for.
    const std::vector<double> factors{0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.3, 0.5, 0.8, 1.0, 1.5, 2.0};

    double drainagePath() const { return GetParam().bottomDrained ? 5.0 : 10.0; }
    std::vector<double> days() const
    {
        std::vector<double> d;
        for (double T : factors)
            d.push_back(T * drainagePath() * drainagePath());
        return d;
    }
    ConsolidationLoading loading() const
    {
        const double tc = GetParam().rampEnd * drainagePath() * drainagePath();
        if (tc == 0)
            return {{{0, 3}}, 1.0};
        return {{{0, 0}, {tc, 3}}, 1.0};
    }
    double expected(double T) const
    {
        return GetParam().rampEnd == 0 ? instantDegree(T) : rampDegree(T, GetParam().rampEnd);
    }
};

TEST_P(TerzaghiTest, DegreeFollowsTheSeries)
{
    const auto curve = settlementCurve(homogeneousLayer(GetParam().bottomDrained), loading(), days());
    ASSERT_EQ(curve.size(), factors.size());
    for (std::size_t i = 0; i < factors.size(); ++i)
        EXPECT_NEAR(curve[i].degree, expected(factors[i]), 0.002) << "T = " << factors[i];
}

TEST_P(TerzaghiTest, HalvingCellAndStepChangesLittle)
{
    const ConsolidationGrid coarse;
    const ConsolidationGrid fine{coarse.cellSize / 2, coarse.firstStep / 2, 1 + (coarse.growth - 1) / 2};
    const auto a = settlementCurve(homogeneousLayer(GetParam().bottomDrained), loading(), days(), coarse);
    const auto b = settlementCurve(homogeneousLayer(GetParam().bottomDrained), loading(), days(), fine);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_NEAR(a[i].degree, b[i].degree, 4e-4) << "T = " << factors[i];
        EXPECT_NEAR(b[i].degree, expected(factors[i]), 1e-4) << "T = " << factors[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    SingleLayer, TerzaghiTest,
    testing::Values(AnalyticCase{"instantTopDrained", false, 0},
                    AnalyticCase{"instantBothDrained", true, 0},
                    AnalyticCase{"rampTopDrained", false, 0.2},
                    AnalyticCase{"rampBothDrained", true, 0.5}),
    [](const auto& info) { return info.param.name; });

struct LayeredCase {
    const char* name;
    ConsolidationSlice upper;  // thickness m, E MPa, cv m2/day, I
    ConsolidationSlice lower;
    bool bottomDrained;
    std::vector<double> degrees;  // on days 0.1, 1, 10 and 100
};

class TwoLayerTest : public testing::TestWithParam<LayeredCase> {};

ConsolidationColumn twoLayers(const ConsolidationSlice& upper, const ConsolidationSlice& lower, bool bottomDrained)
{
    ConsolidationColumn column;
    column.slices = {upper, lower};
    column.bottomDrained = bottomDrained;
    column.load = 50;
    column.finalSettlement = (upper.thickness / upper.modulus + lower.thickness / lower.modulus) * 50;
    return column;
}

// The degrees are those of the scheme on a grid 64 times finer in cells,
// first step and growth, where it has converged to 1e-6: the coarse grid's
// drained boundaries and the flux across the interface of unlike soils
// hold to 1e-3. Drained at both ends, the column is the same upside down.
TEST_P(TwoLayerTest, DegreeOfUnlikeLayersAsConverged)
{
    const LayeredCase& c = GetParam();
    const std::vector<double> days{0.1, 1, 10, 100};
    const ConsolidationLoading atOnce{{{0, 3}}, 1.0};
    const auto curve = settlementCurve(twoLayers(c.upper, c.lower, c.bottomDrained), atOnce, days);
    ASSERT_EQ(curve.size(), days.size());
    for (std::size_t i = 0; i < days.size(); ++i)
        EXPECT_NEAR(curve[i].degree, c.degrees[i], 1e-3) << "day " << days[i];
    if (!c.bottomDrained)
        return;
    const auto upsideDown = settlementCurve(twoLayers(c.lower, c.upper, true), atOnce, days);
    ASSERT_EQ(upsideDown.size(), days.size());
    for (std::size_t i = 0; i < days.size(); ++i)
        EXPECT_NEAR(upsideDown[i].degree, curve[i].degree, 1e-9) << "day " << days[i];
}

// 2 m of cv 5 m2/day and E 4 MPa against 2 m of cv 0.05 m2/day and E 10 MPa.
constexpr ConsolidationSlice kFast{2, 4, 5, 1};
constexpr ConsolidationSlice kSlow{2, 10, 0.05, 1};

INSTANTIATE_TEST_SUITE_P(
    UnlikeSoils, TwoLayerTest,
    testing::Values(LayeredCase{"fastOverSlowDrainedBelow", kFast, kSlow, true,
                                {0.296348, 0.739669, 0.928073, 0.999999}},
                    LayeredCase{"slowOverFastDrainedBelow", kSlow, kFast, true,
                                {0.296348, 0.739669, 0.928073, 0.999999}},
                    LayeredCase{"fastOverSlowClosedBelow", kFast, kSlow, false,
                                {0.284949, 0.703624, 0.822442, 0.988822}},
                    LayeredCase{"slowOverFastClosedBelow", kSlow, kFast, false,
                                {0.011398, 0.036045, 0.113987, 0.412727}},
                    // A slice of no thickness holds no water and settles nothing:
                    // the column is the fast soil alone, T = 0.125 on day 0.1.
                    LayeredCase{"emptySliceAbove", {0, 10, 0.05, 1}, kFast, false, {0.398928, 0.962905, 1, 1}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
