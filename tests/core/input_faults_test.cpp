// The forms' refusal rules at their boundaries: each row is a value on the
// edge of a rule (equal is allowed, a step beyond is refused), a value that
// is not a number, or two faults at once, where the first rule names it.
#include "model/input_faults.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace input_faults;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

const std::string kLengthWrong = "输入的桩长H或h有误，请检查后重新输入！";
const std::string kDiameterWrong = "输入的桩径D或d有误，请检查后重新输入！";
const std::string kCountWrong = "土体分层数应在0～49之间，请检查后重新输入！";
const std::string kNoLayers = "请输入桩周土分层数，并设置每层土的参数！";
const std::string kNoSpacing = "请输入桩间距！";
const std::string kHeadSumWrong = "各层土厚度求和后不等于扩大头高度H，请检查各层土厚度！";
const std::string kShaftSumWrong = "各层土厚度求和后不等于下部桩体高度h-H，请检查各层土厚度！";

double below(double x) { return std::nextafter(x, -kInf); }

// The worked settlement project (H 2, L 10; head layer 2 m, shaft 4 + 4 m)
// with one change.
std::string layerSumOf(void (*edit)(ProjectData&))
{
    ProjectData p = settlementExample();
    edit(p);
    return layerSumFault(p);
}

struct RuleCase {
    const char* name;
    std::string (*fault)();
    std::string expected;
};

class InputRuleTest : public testing::TestWithParam<RuleCase> {};

TEST_P(InputRuleTest, RefusesBeyondTheBoundaryOnly)
{
    EXPECT_EQ(GetParam().fault(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, InputRuleTest,
    testing::Values(
        RuleCase{"pileAsLongAsItsHead", [] { return pileFault(1, 0.5, 2, 2, {1, 1, 1}); }, ""},
        RuleCase{"pileShorterThanItsHead", [] { return pileFault(1, 0.5, 2, below(2), {1, 1, 1}); },
                 kLengthWrong},
        RuleCase{"pileLengthNotANumber", [] { return pileFault(1, 0.5, 2, kNaN, {1, 1, 1}); }, kLengthWrong},
        RuleCase{"headAsWideAsTheShaft", [] { return pileFault(0.5, 0.5, 2, 10, {1, 1, 1}); }, ""},
        RuleCase{"headNarrowerThanTheShaft", [] { return pileFault(below(0.5), 0.5, 2, 10, {1, 1, 1}); },
                 kDiameterWrong},
        RuleCase{"headDiameterNotANumber", [] { return pileFault(kNaN, 0.5, 2, 10, {1, 1, 1}); }, kDiameterWrong},
        RuleCase{"lengthNamedBeforeDiameter", [] { return pileFault(0.4, 0.5, 2, 1, {1, 1, 1}); }, kLengthWrong},
        RuleCase{"pileNamedBeforeCounts", [] { return pileFault(0.4, 0.5, 2, 10, {50, 1, 1}); }, kDiameterWrong},
        RuleCase{"countsCheckedForASoundPile", [] { return pileFault(1, 0.5, 2, 10, {1, 1, 50}); }, kCountWrong},
        RuleCase{"fortyNineLayersEach", [] { return layerCountFault({49, 49, 49}); }, ""},
        RuleCase{"noLayersAtAll", [] { return layerCountFault({0, 0, 0}); }, ""},
        RuleCase{"fiftyInTheLastZone", [] { return layerCountFault({0, 0, 50}); }, kCountWrong},
        RuleCase{"negativeCount", [] { return layerCountFault({-1, 1, 1}); }, kCountWrong},
        RuleCase{"bothZonesHaveLayers", [] { return missingLayersFault(1, 1); }, ""},
        RuleCase{"noHeadLayers", [] { return missingLayersFault(0, 1); }, kNoLayers},
        RuleCase{"noShaftLayers", [] { return missingLayersFault(1, 0); }, kNoLayers},
        RuleCase{"spacingZero", [] { return spacingFault(0); }, kNoSpacing},
        RuleCase{"spacingNotANumber", [] { return spacingFault(kNaN); }, kNoSpacing},
        RuleCase{"spacingTiny", [] { return spacingFault(1e-300); }, ""},
        RuleCase{"layersAddUp", [] { return layerSumOf([](ProjectData&) {}); }, ""},
        RuleCase{"headSumWithinTolerance",
                 [] { return layerSumOf([](ProjectData& p) { p.headThickness[1] = 2 + 0.5e-7; }); }, ""},
        RuleCase{"headSumBeyondTolerance",
                 [] { return layerSumOf([](ProjectData& p) { p.headThickness[1] = 2 + 2e-7; }); }, kHeadSumWrong},
        RuleCase{"shaftSumBeyondTolerance",
                 [] { return layerSumOf([](ProjectData& p) { p.shaftThickness[2] = 4 - 2e-7; }); },
                 kShaftSumWrong},
        RuleCase{"shaftSumIsLMinusH",
                 [] {
                     return layerSumOf([](ProjectData& p) {
                         p.headLength = p.headThickness[1] = 3;
                         p.shaftThickness[2] = 3;
                     });
                 },
                 ""},
        RuleCase{"headNamedBeforeShaft",
                 [] {
                     return layerSumOf([](ProjectData& p) {
                         p.headThickness[1] = 3;
                         p.shaftThickness[1] = 1;
                     });
                 },
                 kHeadSumWrong}),
    [](const auto& info) { return info.param.name; });

struct ShowableCase {
    const char* name;
    bool (*showable)(double);
    double value;
    bool expected;
};

class ShowableResultTest : public testing::TestWithParam<ShowableCase> {};

TEST_P(ShowableResultTest, ShowsFiniteResultsInRange)
{
    EXPECT_EQ(GetParam().showable(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, ShowableResultTest,
    testing::Values(ShowableCase{"negativeCapacity", isShowableCapacity, -5, true},
                    ShowableCase{"infiniteCapacity", isShowableCapacity, kInf, false},
                    ShowableCase{"capacityNotANumber", isShowableCapacity, kNaN, false},
                    ShowableCase{"compositeZero", isShowableComposite, 0.0, true},
                    ShowableCase{"compositeJustBelowZero", isShowableComposite, below(0.0), false},
                    ShowableCase{"compositeInfinite", isShowableComposite, kInf, false},
                    ShowableCase{"compositeNotANumber", isShowableComposite, kNaN, false},
                    ShowableCase{"settlementLargest", isShowableSettlement, 1e300, true},
                    ShowableCase{"settlementNegative", isShowableSettlement, -3, true},
                    ShowableCase{"settlementInfinite", isShowableSettlement, -kInf, false},
                    ShowableCase{"settlementNotANumber", isShowableSettlement, kNaN, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
