#include "engine/underlying_layer.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Expected {
    int layer;
    double depth, pz, pcz, faz;
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
// under sigma c = 18 x 2 + 18.5 x 4 + 19 x 4 = 186 kPa, I(10) = 0.693139;
// the second base layer at 20 m under 186 + 19 x 10 = 376 kPa,
// I(20) = 0.422697; p0 = 19 x 3 = 57 kPa.
//   at 10 m: pz = 39.5089, gammaM = 18.6, faz = fak + etaD 18.6 x 9.5
//   at 20 m: pz = 24.0937, gammaM = 18.8, faz = fak + etaD 18.8 x 19.5
class UnderlyingLayerTest : public testing::TestWithParam<BearingCase> {};

TEST_P(UnderlyingLayerTest, ChecksTheTipsAndEachWeakerLayer)
{
    ProjectData p = settlementExample();
    p.baseThickness[1] = 10;
    const BearingCase& c = GetParam();
    const auto checks = underlyingLayerChecks(p, c.fak, c.etaD, c.stopDepth);
    ASSERT_EQ(checks.size(), c.checks.size());
    for (std::size_t i = 0; i < checks.size(); ++i) {
        EXPECT_EQ(checks[i].layer, c.checks[i].layer);
        EXPECT_DOUBLE_EQ(checks[i].depth, c.checks[i].depth);
        EXPECT_NEAR(checks[i].pz, c.checks[i].pz, 5e-4);
        EXPECT_NEAR(checks[i].pcz, c.checks[i].pcz, 1e-9);
        EXPECT_NEAR(checks[i].faz, c.checks[i].faz, 1e-9);
        EXPECT_EQ(checks[i].ok, c.checks[i].ok);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, UnderlyingLayerTest,
    testing::Values(
        BearingCase{"tipsOnly", {120, 130, 140}, 1.0, 30, {{1, 10, 39.5089, 186, 296.7, true}}},
        BearingCase{"weakerSecondLayer", {120, 100, 140}, 1.0, 30,
                    {{1, 10, 39.5089, 186, 296.7, true}, {2, 20, 24.0937, 376, 466.6, true}}},
        BearingCase{"tipsAtTheStopDepth", {120, 100, 140}, 1.0, 10, {}},
        BearingCase{"weakerLayerAtTheStopDepth", {120, 100, 140}, 1.0, 20, {{1, 10, 39.5089, 186, 296.7, true}}},
        BearingCase{"weakerLayerJustAboveTheStopDepth", {120, 100, 140}, 1.0, 20.01,
                    {{1, 10, 39.5089, 186, 296.7, true}, {2, 20, 24.0937, 376, 466.6, true}}},
        BearingCase{"equallyStrongLayerBelow", {120, 120, 140}, 1.0, 30, {{1, 10, 39.5089, 186, 296.7, true}}},
        BearingCase{"barelyWeakerLayerBelow", {120, 119.99, 140}, 1.0, 30,
                    {{1, 10, 39.5089, 186, 296.7, true}, {2, 20, 24.0937, 376, 486.59, true}}},
        BearingCase{"noDepthFactor", {120, 100, 110}, 0.0, 30,
                    {{1, 10, 39.5089, 186, 120, false}, {2, 20, 24.0937, 376, 100, false}}},
        BearingCase{"justNotCarried", {225.5, 400, 500}, 0.0, 30, {{1, 10, 39.5089, 186, 225.5, false}}},
        BearingCase{"justCarried", {225.52, 400, 500}, 0.0, 30, {{1, 10, 39.5089, 186, 225.52, true}}},
        BearingCase{"halfDepthFactor", {60, 50, 55}, 0.5, 30,
                    {{1, 10, 39.5089, 186, 148.35, false}, {2, 20, 24.0937, 376, 233.3, false}}}),
    [](const auto& info) { return info.param.name; });

}  // namespace
