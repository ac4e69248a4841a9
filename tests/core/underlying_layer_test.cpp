#include "engine/underlying_layer.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct Expected {
    int layer;
    double depth, pz, elasticPz, pcz, faz;
    bool ok;
};

struct BearingCase {
    const char* name;
    std::vector<double> fak;
    double etaD;
    double stopDepth;
    std::vector<Expected> checks;
};

// The worked example with a first base layer of 10 m: the tips at 10 m
// under sigma c = 18 x 2 + 18.5 x 4 + 19 x 4 = 186 kPa, the second base
// layer at 20 m under 186 + 19 x 10 = 376 kPa, the third at 25 m under
// 376 + 19.5 x 5 = 473.5 kPa; p0 = 19 x 3 = 57 kPa.
// Es1/Es2 stays below 3 at every top (Esp = 31.781, 9.678, 11.580 MPa over
// 2, 4, 4 m: Es1 = 14.859 against 8 at 10 m, 11.430 against 10 at 20 m,
// 11.144 against 15 at 25 m), so theta = 0 and pz = p0 = 57 kPa throughout.
//   at 10 m: sigma z = 0.693139 x 57 = 39.5089, gammaM = 18.6, faz = fak + etaD 18.6 x 9.5
//   at 20 m: sigma z = 0.422697 x 57 = 24.0937, gammaM = 18.8, faz = fak + etaD 18.8 x 19.5
//   at 25 m: sigma z = 0.348432 x 57 = 19.8606, gammaM = 18.94, faz = fak + etaD 18.94 x 24.5
class UnderlyingLayerTest : public testing::TestWithParam<BearingCase> {};

TEST_P(UnderlyingLayerTest, ChecksTheTipsAndEveryLayerWithinTheDepth)
{
    ProjectData p = settlementExample();
    p.baseThickness[1] = 10;
    const BearingCase& c = GetParam();
    const auto checks = underlyingLayerChecks(p, c.fak, c.etaD, c.stopDepth);
    ASSERT_EQ(checks.size(), c.checks.size());
    for (std::size_t i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(checks[i].layer, c.checks[i].layer);
        EXPECT_DOUBLE_EQ(checks[i].depth, c.checks[i].depth);
        EXPECT_EQ(checks[i].theta, 0.0);
        EXPECT_NEAR(checks[i].pz, c.checks[i].pz, 1e-9);
        EXPECT_NEAR(checks[i].elasticPz, c.checks[i].elasticPz, 5e-4);
        EXPECT_NEAR(checks[i].pcz, c.checks[i].pcz, 1e-9);
        EXPECT_NEAR(checks[i].faz, c.checks[i].faz, 1e-9);
        EXPECT_EQ(checks[i].ok, c.checks[i].ok);
    }
}

constexpr Expected kAt10{1, 10, 57, 39.5089, 186, 0, true};
constexpr Expected kAt20{2, 20, 57, 24.0937, 376, 0, true};
constexpr Expected kAt25{3, 25, 57, 19.8606, 473.5, 0, true};

Expected with(Expected e, double faz, bool ok)
{
    e.faz = faz;
    e.ok = ok;
    return e;
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, UnderlyingLayerTest,
    testing::Values(
        BearingCase{"everyLayerWithinTheDepth", {120, 130, 140}, 1.0, 30,
                    {with(kAt10, 296.7, true), with(kAt20, 496.6, true), with(kAt25, 604.03, true)}},
        BearingCase{"tipsAtTheStopDepth", {120, 100, 140}, 1.0, 10, {}},
        BearingCase{"secondLayerAtTheStopDepth", {120, 100, 140}, 1.0, 20, {with(kAt10, 296.7, true)}},
        BearingCase{"secondLayerJustAboveTheStopDepth", {120, 100, 140}, 1.0, 20.01,
                    {with(kAt10, 296.7, true), with(kAt20, 466.6, true)}},
        BearingCase{"fakListShorterThanTheLayers", {120}, 1.0, 30, {with(kAt10, 296.7, true)}},
        BearingCase{"equallyStrongLayersBelowFail", {250, 250, 250}, 0.0, 30,
                    {with(kAt10, 250, true), with(kAt20, 250, false), with(kAt25, 250, false)}},
        BearingCase{"noDepthFactor", {120, 100, 110}, 0.0, 30,
                    {with(kAt10, 120, false), with(kAt20, 100, false), with(kAt25, 110, false)}},
        BearingCase{"justNotCarried", {242.99, 433, 530.49}, 0.0, 30,
                    {with(kAt10, 242.99, false), with(kAt20, 433, true), with(kAt25, 530.49, false)}},
        BearingCase{"justCarried", {243, 433, 530.5}, 0.0, 30,
                    {with(kAt10, 243, true), with(kAt20, 433, true), with(kAt25, 530.5, true)}},
        BearingCase{"halfDepthFactor", {60, 50, 55}, 0.5, 30,
                    {with(kAt10, 148.35, false), with(kAt20, 233.3, false), with(kAt25, 287.015, false)}}),
    [](const auto& info) { return info.param.name; });

// The spread of table 5.2.7 at the tips (z = 10 m, p0 = 57 kPa): the
// reinforced zone made of soil and piles of 30 MPa alike, so that Es1 = 30
// MPa, the first base layer's Es2 = 30 / ratio, the crest B = b - 9 m.
struct SpreadCase {
    const char* name;
    double loadWidth;     // b (m)
    double modulusRatio;  // Es1 / Es2
    double theta;         // degrees, from the table by hand
};

class SpreadTest : public testing::TestWithParam<SpreadCase> {};

TEST_P(SpreadTest, SpreadsTheLoadByTheTablesAngle)
{
    const SpreadCase& c = GetParam();
    ProjectData p = settlementExample();
    p.embankmentTopWidth = c.loadWidth - (p.slopeM + p.slopeN) * p.embankmentHeight;
    p.headPileModulus = p.shaftPileModulus = 30;
    p.headSoilModulus[1] = p.shaftSoilModulus[1] = p.shaftSoilModulus[2] = 30;
    p.baseSoilModulus[1] = 30 / c.modulusRatio;
    const auto checks = underlyingLayerChecks(p, {100}, 1.0, 30);
    ASSERT_EQ(checks.size(), 1u);
    const UnderlyingLayerCheck& check = checks.front();
    EXPECT_NEAR(check.loadWidth, c.loadWidth, 1e-9);
    EXPECT_NEAR(check.depthRatio(), 10 / c.loadWidth, 1e-9);
    EXPECT_NEAR(check.modulusRatio(), c.modulusRatio, 1e-9);
    EXPECT_NEAR(check.theta, c.theta, 1e-9);
    const double pi = std::acos(-1.0);
    EXPECT_NEAR(check.pz, c.loadWidth * 57 / (c.loadWidth + 2 * 10 * std::tan(c.theta * pi / 180)), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Table527, SpreadTest,
    testing::Values(SpreadCase{"depthJustBelowAQuarterOfTheWidth", 40.04, 5, 0},
                    SpreadCase{"depthAQuarterOfTheWidth", 40, 5, 10},
                    SpreadCase{"depthBetweenTheColumns", 25, 5, 19},
                    SpreadCase{"depthHalfTheWidth", 20, 5, 25},
                    SpreadCase{"depthBeyondHalfTheWidth", 19, 5, 25},
                    SpreadCase{"ratioJustBelowThree", 20, 2.99, 0},
                    SpreadCase{"ratioThreeAtAQuarter", 40, 3, 6},
                    SpreadCase{"ratioThreeAtHalf", 20, 3, 23},
                    SpreadCase{"ratioBetweenThreeAndFive", 40, 4, 8},
                    SpreadCase{"ratioBetweenFiveAndTenAtHalf", 20, 7.5, 27.5},
                    SpreadCase{"ratioBetweenFiveAndTenAtAQuarter", 40, 7.5, 15},
                    SpreadCase{"ratioTenAtAQuarter", 40, 10, 20},
                    SpreadCase{"ratioTenBetweenTheColumns", 25, 10, 26},
                    SpreadCase{"ratioTenAtHalf", 20, 10, 30},
                    SpreadCase{"ratioBeyondTen", 20, 20, 30},
                    SpreadCase{"ratioBeyondTenBetweenTheColumns", 25, 20, 26}),
    [](const auto& info) { return info.param.name; });

}  // namespace
