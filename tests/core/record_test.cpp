#include "model/display_rounding.h"
#include "model/project_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct NearlyEqualCase {
    const char* name;
    double a, b;
    bool equal;
};

class NearlyEqualTest : public testing::TestWithParam<NearlyEqualCase> {};

TEST_P(NearlyEqualTest, ComparesWithAbsoluteTolerance)
{
    EXPECT_EQ(nearlyEqual(GetParam().a, GetParam().b), GetParam().equal);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Tolerance, NearlyEqualTest,
    testing::Values(NearlyEqualCase{"sumOfTenths", 0.1 + 0.2, 0.3, true},
                    NearlyEqualCase{"halfTolerance", 2.0, 2.00000005, true},
                    NearlyEqualCase{"twiceTolerance", 1.0, 1.0000002, false},
                    NearlyEqualCase{"exactlyTolerance", 0.0, 1e-7, false},
                    NearlyEqualCase{"largeValuesAbsolute", 1e9, 1e9 + 1, false},
                    NearlyEqualCase{"infinityMinusInfinity", kInf, kInf, true}),
    [](const auto& info) { return info.param.name; });

struct RoundingCase {
    const char* name;
    double value, twoDecimals, threeDecimals;
};

class DisplayRoundingTest : public testing::TestWithParam<RoundingCase> {};

TEST_P(DisplayRoundingTest, RoundsAsTheFormsShow)
{
    EXPECT_DOUBLE_EQ(round2(GetParam().value), GetParam().twoDecimals);
    EXPECT_DOUBLE_EQ(round3(GetParam().value), GetParam().threeDecimals);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DisplayRoundingTest,
    testing::Values(RoundingCase{"halfUp", 275.4784, 275.48, 275.478},
                    RoundingCase{"exactHalf", 0.125, 0.13, 0.125},
                    RoundingCase{"negativeCutsTowardZero", -1.234, -1.22, -1.233},
                    RoundingCase{"zero", 0.0, 0.0, 0.0},
                    // Beyond a 32-bit integer the cut is made in double
                    // precision rather than wrapping to a negative number.
                    RoundingCase{"beyondInt32", 3e10, 3e10, 3e10},
                    RoundingCase{"hugeNegative", -5e12, -4999999999999.99, -5e12},
                    // Whole already, and scaling it up would overflow.
                    RoundingCase{"nearLargestDouble", 1e307, 1e307, 1e307},
                    RoundingCase{"infinity", kInf, kInf, kInf}),
    [](const auto& info) { return info.param.name; });

TEST(DisplayRounding, NotANumberStaysNotANumber)
{
    EXPECT_TRUE(std::isnan(round2(std::nan(""))));
}

TEST(LayerTables, SumsOnlyTheLayersInForce)
{
    LayerTable table{};
    for (int i = 0; i <= kMaxLayers; ++i)
        table[i] = 1.0;
    EXPECT_EQ(sumLayers(table, 3), 3.0);
    EXPECT_EQ(sumLayers(table, 0), 0.0);
    EXPECT_EQ(sumLayers(table, -2), 0.0);
    EXPECT_EQ(sumLayers(table, 1000), 49.0);  // never beyond the table
}

TEST(Record, StartsAtZero)
{
    EXPECT_EQ(g_project.headLayerCount, 0);
    EXPECT_EQ(g_project.layoutType, kLayoutTriangle);
    EXPECT_EQ(g_project.stopCriterion, kStopDeformationRatio);
    EXPECT_EQ(g_project.headDiameter, 0.0);
    EXPECT_EQ(g_project.baseThickness[49], 0.0);
}

}  // namespace
