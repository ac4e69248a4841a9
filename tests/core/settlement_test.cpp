#include "engine/layered_settlement.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

using layered_settlement::sliceLayer;

struct StressCase {
    const char* name;
    double crest, height, m, n, depth, expected;
};

class EmbankmentStressTest : public testing::TestWithParam<StressCase> {};

TEST_P(EmbankmentStressTest, CoefficientOnTheCentreline)
{
    const StressCase& c = GetParam();
    ProjectData p{};
    p.embankmentTopWidth = c.crest;
    p.embankmentHeight = c.height;
    p.slopeM = c.m;
    p.slopeN = c.n;
    EXPECT_NEAR(p.embankmentStressFactor(c.depth), c.expected, 5e-7);
    std::swap(p.slopeM, p.slopeN);
    EXPECT_NEAR(p.embankmentStressFactor(c.depth), c.expected, 5e-7) << "slopes swapped";
}

INSTANTIATE_TEST_SUITE_P(
    Trapezoid, EmbankmentStressTest,
    testing::Values(StressCase{"shallow", 10, 3, 1.5, 1.5, 0.5, 0.999831},
                    StressCase{"oneMetre", 10, 3, 1.5, 1.5, 1, 0.998677},
                    StressCase{"fiveMetres", 10, 3, 1.5, 1.5, 5, 0.904429},
                    StressCase{"tenMetres", 10, 3, 1.5, 1.5, 10, 0.693139},
                    StressCase{"twentyMetres", 10, 3, 1.5, 1.5, 20, 0.422697},
                    StressCase{"pointedCrest", 0, 3, 1.5, 2, 5, 0.512120},
                    StressCase{"unequalSlopes", 6, 2, 1, 2, 3, 0.906906}),
    [](const auto& info) { return info.param.name; });

TEST(EmbankmentStress, ZeroFillHeightIsNotANumber)
{
    ProjectData p = settlementExample();
    p.embankmentHeight = 0;
    EXPECT_TRUE(std::isnan(p.embankmentStressFactor(5)));
    EXPECT_TRUE(std::isnan(p.settlementByDeformationRatio()));
}

struct CriterionCase {
    const char* name;
    int criterion;
    double expected;
};

class WorkedSettlementTest : public testing::TestWithParam<CriterionCase> {};

TEST_P(WorkedSettlementTest, EachCriterionEndsAtItsDepth)
{
    ProjectData p = settlementExample();
    p.stopCriterion = GetParam().criterion;
    EXPECT_NEAR(p.settlementByCriterion(), GetParam().expected, 5e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, WorkedSettlementTest,
    testing::Values(CriterionCase{"deformationRatio", kStopDeformationRatio, 71.121},
                    CriterionCase{"stressRatio02", kStopStressRatio02, 45.728},
                    CriterionCase{"stressRatio01", kStopStressRatio01, 63.904}),
    [](const auto& info) { return info.param.name; });

TEST(Settlement, UnknownCriterionIsNotANumber)
{
    ProjectData p = settlementExample();
    p.stopCriterion = 3;
    EXPECT_TRUE(std::isnan(p.settlementByCriterion()));
}

TEST(Settlement, WithoutBaseLayersEveryCriterionGivesTheReinforcedZones)
{
    ProjectData p = settlementExample();
    p.baseLayerCount = 0;
    const double reinforced = 3.578 + 37.348;
    EXPECT_NEAR(p.settlementByDeformationRatio(), reinforced, 1e-3);
    EXPECT_NEAR(p.settlementByStressRatio(0.2), reinforced, 1e-3);
    EXPECT_NEAR(p.settlementByStressRatio(0.1), reinforced, 1e-3);
}

TEST(Settlement, RunningOutOfBaseLayersSumsThemAll)
{
    ProjectData p = settlementExample();
    p.baseLayerCount = 1;  // 3 m of soil never reaches the criterion
    const double withOneLayer = p.settlementByStressRatio(0.0);
    p.baseThickness[1] = 4.0;
    EXPECT_GT(p.settlementByStressRatio(0.0), withOneLayer);
}

std::vector<std::pair<double, double>> slicesOf(double top, double thickness, double step)
{
    std::vector<std::pair<double, double>> slices;
    long slicesLeft = layered_settlement::kMaxSlices;
    sliceLayer(top, thickness, step, slicesLeft, [&](double a, double b) {
        slices.emplace_back(a, b);
        return false;
    });
    return slices;
}

TEST(Slicing, StepEndAdvancesByRepeatedAddition)
{
    const auto reinforced = slicesOf(0.0, 1.25, 0.1);
    ASSERT_EQ(reinforced.size(), 13u);
    EXPECT_NEAR(reinforced.back().second - reinforced.back().first, 0.05, 1e-12);

    // Forty tenths fall a rounding error short of 4.0: a vanishing last slice.
    const auto fourMetres = slicesOf(2.0, 4.0, 0.1);
    ASSERT_EQ(fourMetres.size(), 41u);
    EXPECT_LT(fourMetres.back().second - fourMetres.back().first, 1e-13);

    const auto base = slicesOf(10.0, 2.5, 1.0);
    ASSERT_EQ(base.size(), 3u);
    EXPECT_EQ(base[2], std::make_pair(12.0, 12.5));

    EXPECT_EQ(slicesOf(0.0, 0.1, 0.1).size(), 1u);  // exactly one step thick
    EXPECT_EQ(slicesOf(10.0, 1.0, 1.0).size(), 1u);

    const auto negative = slicesOf(1.0, -0.5, 0.1);
    ASSERT_EQ(negative.size(), 1u);
    EXPECT_EQ(negative[0], std::make_pair(1.0, 0.5));
}

struct RunawayCase {
    const char* name;
    double baseTop;  // pile length L
    double thickness;
};

class RunawayLayerTest : public testing::TestWithParam<RunawayCase> {};

// A layer that would need more than a million slices must not hold the
// program: the settlement is then not a number, and quickly.
TEST_P(RunawayLayerTest, EndsQuicklyAsNotANumber)
{
    ProjectData p = settlementExample();
    p.pileLength = GetParam().baseTop;
    p.baseLayerCount = 1;
    p.baseThickness[1] = GetParam().thickness;
    p.baseSoilModulus[1] = 1e30;  // keeps the criterion from stopping early
    const double start = processorSeconds();
    EXPECT_TRUE(std::isnan(p.settlementByStressRatio(0.0)));
    EXPECT_LT(processorSeconds() - start, 5.0);
}

INSTANTIATE_TEST_SUITE_P(
    Guard, RunawayLayerTest,
    testing::Values(RunawayCase{"teraMetreLayer", 10.0, 1e12},
                    // So deep that adding a metre no longer moves the step end.
                    RunawayCase{"stepEndStuck", 1e17, 10.0}),
    [](const auto& info) { return info.param.name; });

// The bound holds for the calculation as a whole: every layer of every zone
// just under a million slices on its own still ends at once.
TEST(Settlement, ManyThickLayersTogetherAreNotANumber)
{
    ProjectData p = settlementExample();
    p.headLayerCount = p.shaftLayerCount = p.baseLayerCount = kMaxLayers;
    for (int i = 1; i <= kMaxLayers; ++i) {
        p.headThickness[i] = p.shaftThickness[i] = 99'999.0;
        p.baseThickness[i] = 999'999.0;
        p.headSoilModulus[i] = p.shaftSoilModulus[i] = p.baseSoilModulus[i] = 1e30;
    }
    const double start = processorSeconds();
    EXPECT_TRUE(std::isnan(p.settlementByStressRatio(0.0)));
    EXPECT_LT(processorSeconds() - start, 2.0);
}

TEST(Settlement, TeraMetreReinforcedLayerIsNotANumber)
{
    ProjectData p = settlementExample();
    p.headThickness[1] = 1e12;
    EXPECT_TRUE(std::isnan(p.settlementByDeformationRatio()));
}

// Base-zone project with a constant unit stress coefficient, so that the
// stop tests can be met exactly: no pile layers, p0 = 1 kPa, one soil layer.
ProjectData unitStressProject(double modulus, double unitWeight)
{
    ProjectData p{};
    p.fillUnitWeight = 1.0;
    p.embankmentHeight = 1.0;
    p.embankmentTopWidth = 10.0;  // check layer 1.0 m
    p.baseLayerCount = 1;
    p.baseThickness[1] = 1000.0;
    p.baseSoilModulus[1] = modulus;
    p.baseUnitWeight[1] = unitWeight;
    return p;
}

constexpr auto unitStress = [](double) { return 1.0; };

TEST(StopTests, DeformationRatioStopsOnEquality)
{
    // Each 1 m slice settles 1 mm; after forty, 1 <= 0.025 x 40 holds exactly.
    static_assert(0.025 * 40 == 1.0);
    const ProjectData p = unitStressProject(1.0, 0.0);
    EXPECT_EQ(layered_settlement::byDeformationRatio(p, unitStress), 40.0);
}

TEST(StopTests, StressRatioGoesOnOnEquality)
{
    // Self-weight grows 1 kPa a slice; sigma z = 1 equals 0.2 x 5 after five.
    static_assert(0.2 * 5 == 1.0);
    const ProjectData p = unitStressProject(1.0, 1.0);
    EXPECT_EQ(layered_settlement::byStressRatio(p, 0.2, unitStress), 6.0);
}

TEST(StopTests, BaseSliceIsSummedBeforeTheFirstTest)
{
    ProjectData p = unitStressProject(1.0, 1e9);  // met at once
    EXPECT_EQ(layered_settlement::byStressRatio(p, 0.1, unitStress), 1.0);
}

struct CheckLayerCase {
    const char* name;
    double crest, thickness;
};

class CheckLayerTest : public testing::TestWithParam<CheckLayerCase> {};

TEST_P(CheckLayerTest, BoundsTakeTheSmallerThickness)
{
    EXPECT_EQ(layered_settlement::checkLayerThickness(GetParam().crest), GetParam().thickness);
}

INSTANTIATE_TEST_SUITE_P(
    CrestWidths, CheckLayerTest,
    testing::Values(CheckLayerCase{"narrow", 1.0, 0.3}, CheckLayerCase{"two", 2.0, 0.3},
                    CheckLayerCase{"aboveTwo", 2.5, 0.6}, CheckLayerCase{"four", 4.0, 0.6},
                    CheckLayerCase{"aboveFour", 4.01, 0.8}, CheckLayerCase{"eight", 8.0, 0.8},
                    CheckLayerCase{"aboveEight", 8.5, 1.0}, CheckLayerCase{"wide", 40.0, 1.0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
