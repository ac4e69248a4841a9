#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kQuarterPi = 0.7853981633974483;

TEST(Capacity, WorkedExampleIsLimitedByTheSoil)
{
    ProjectData p = capacityExample();
    const double composite = p.computeCapacity();
    EXPECT_NEAR(p.pileCapacity, 275.478, 5e-4);
    EXPECT_NEAR(composite, 126.576, 5e-4);
    // A second call with unchanged input gives the same values.
    EXPECT_EQ(p.computeCapacity(), composite);
}

TEST(Capacity, EqualSoilAndShaftBodyResistances)
{
    ProjectData p = capacityExample();
    p.shaftFriction[1] = 0.0;
    p.tipBearing = 0.0;
    p.shaftStrengthFactor = 0.0;
    const double composite = p.computeCapacity();
    EXPECT_NEAR(p.pileCapacity, 112.901, 5e-4);
    EXPECT_NEAR(composite, 86.048, 5e-4);
}

TEST(Capacity, HeadBodyLimitsAWeakCement)
{
    ProjectData p = capacityExample();
    p.headStrengthFactor = 0.1;  // R3 = 0.1 x 1500 x A1 = 117.8 kN, below R1 and R2
    p.computeCapacity();
    EXPECT_NEAR(p.pileCapacity, 0.1 * 1500.0 * kQuarterPi, 1e-9);
}

TEST(Capacity, NoEnlargedHeadHasNoShoulderBearing)
{
    ProjectData p = capacityExample();
    p.shaftDiameter = p.headDiameter;
    p.stepBearing = 1e6;  // would dominate if the shoulder had any area
    p.cubeStrength = 1e6;
    p.computeCapacity();
    const double expected = 3.141592653589793 * 1.0 * (10.0 * 2.0 + 12.0 * 8.0)
                            + 0.5 * 120.0 * kQuarterPi;
    EXPECT_NEAR(p.pileCapacity, expected, 1e-9);
}

TEST(Capacity, ZeroEquivalentDiameterLeavesThePileCapacityCorrect)
{
    ProjectData p = capacityExample();
    p.equivalentDiameter = 0.0;
    EXPECT_FALSE(std::isfinite(p.computeCapacity()));
    EXPECT_NEAR(p.pileCapacity, 275.478, 5e-4);
}

TEST(Capacity, IgnoresLayersBeyondTheCount)
{
    ProjectData p = capacityExample();
    p.headFriction[2] = 1000.0;
    p.headThickness[2] = 5.0;
    p.computeCapacity();
    EXPECT_NEAR(p.pileCapacity, 275.478, 5e-4);
}

struct ManualCase {
    const char* name;
    double pileCapacity, equivalentDiameter, expected;
};

class ManualCapacityTest : public testing::TestWithParam<ManualCase> {};

TEST_P(ManualCapacityTest, UsesTheTypedPileCapacity)
{
    ProjectData p = capacityExample();
    p.manualPileCapacity = GetParam().pileCapacity;
    p.equivalentDiameter = GetParam().equivalentDiameter;
    EXPECT_NEAR(p.computeCapacityManual(), GetParam().expected, 5e-5);
    EXPECT_EQ(p.pileCapacity, 0.0);  // writes nothing
}

INSTANTIATE_TEST_SUITE_P(
    Composite, ManualCapacityTest,
    testing::Values(ManualCase{"typed250", 250.0, 2.26, 120.2242},
                    // Typed as the rounded 275.478, not the computed 275.4784...
                    ManualCase{"typedRoundedWorkedExample", 275.478, 2.26, 126.5754},
                    ManualCase{"fullReplacement", 250.0, 1.0, 250.0 / kQuarterPi},
                    ManualCase{"noPileCapacity", 0.0, 2.26, 0.9 * (1 - 1 / (2.26 * 2.26)) * 80.0}),
    [](const auto& info) { return info.param.name; });

struct LayoutCase {
    const char* name;
    int layout;
    double expected;
};

class EquivalentDiameterTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(EquivalentDiameterTest, FollowsTheLayoutRule)
{
    ProjectData p{};
    p.equivalentDiameter = 9.99;
    EXPECT_NEAR(p.computeEquivalentDiameter(GetParam().layout, 1.5, 2.0, 2.0, 1.5),
                GetParam().expected, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EquivalentDiameterTest,
    testing::Values(LayoutCase{"triangle", kLayoutTriangle, 1.575},
                    LayoutCase{"square", kLayoutSquare, 2.26},
                    LayoutCase{"rectangle", kLayoutRectangle, 1.13 * std::sqrt(3.0)},
                    LayoutCase{"unknownKeepsCurrent", 7, 9.99},
                    LayoutCase{"noneSelectedKeepsCurrent", -1, 9.99}),
    [](const auto& info) { return info.param.name; });

TEST(EquivalentDiameter, RectangleOfWorkedExampleToThreeDecimals)
{
    ProjectData p{};
    EXPECT_NEAR(p.computeEquivalentDiameter(kLayoutRectangle, 0, 0, 2.0, 1.5), 1.957, 5e-4);
    EXPECT_TRUE(std::isnan(p.computeEquivalentDiameter(kLayoutRectangle, 0, 0, -2.0, 1.5)));
}

}  // namespace
