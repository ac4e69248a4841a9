// The design checks at their boundaries: a capacity equal to the demand and a
// settlement equal to the allowance pass; the typed Ra decides the bearing
// check when the record says it is typed; each criterion checks its own
// settlement.
#include "engine/design_check.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const std::string kParametersWrong = "输入的参数有误，请检查后重新计算！";

double above(double x) { return std::nextafter(x, kInf); }
double below(double x) { return std::nextafter(x, -kInf); }

// The worked settlement project carries p0 = 19 x 3 = 57 kPa, so q = 40 kPa
// asks for 97 kPa. Results: de, Ra, fspk, fspk with the typed Ra, and the
// settlements by the deformation ratio and the stress ratios 0.2 and 0.1.
struct CheckCase {
    const char* name;
    int manualCapacityFlag;
    int criterion;
    DesignResults results;
    DesignDemands demands;
    bool bearingOk;
    std::optional<bool> settlementOk;
    double settlement;  // under the criterion; NaN for none
    const char* psiS = "";  // the project's psiS; none when empty
};

class DesignCheckTest : public testing::TestWithParam<CheckCase> {};

TEST_P(DesignCheckTest, ComparesTheRecordsOwnCapacityAndSettlement)
{
    const CheckCase& c = GetParam();
    ProjectData p = settlementExample();
    p.manualCapacityFlag = c.manualCapacityFlag;
    p.stopCriterion = c.criterion;
    p.extension.set("psiS", c.psiS);
    const DesignChecks checks = checkDesign(p, c.results, c.demands);
    EXPECT_EQ(checks.embankmentLoad, 57.0);
    EXPECT_EQ(checks.bearingDemand, 57.0 + c.demands.surcharge);
    EXPECT_EQ(checks.bearingCapacity,
              c.manualCapacityFlag == 1 ? c.results.manualCompositeCapacity : c.results.compositeCapacity);
    EXPECT_EQ(checks.bearingOk, c.bearingOk);
    ASSERT_NE(checks.outcome(CheckKind::Bearing), nullptr);
    EXPECT_EQ(checks.outcome(CheckKind::Bearing)->value, checks.bearingCapacity);
    EXPECT_EQ(checks.outcome(CheckKind::Bearing)->limit, checks.bearingDemand);
    EXPECT_EQ(checks.settlementOk, c.settlementOk);
    // A settlement asked for but not computable is not made: never a pass.
    EXPECT_EQ(checks.passes(), c.bearingOk && c.settlementOk.value_or(!c.demands.allowableSettlement));
    if (std::isnan(c.settlement))
        EXPECT_TRUE(std::isnan(checks.settlement));
    else
        EXPECT_EQ(checks.settlement, c.settlement);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, DesignCheckTest,
    testing::Values(
        CheckCase{"capacityEqualToTheDemand", 0, 0, {2.26, 270, 97, kNaN, 70, 60, 65}, {40, std::nullopt},
                  true, std::nullopt, 70},
        CheckCase{"capacityJustBelowTheDemand", 0, 0, {2.26, 270, below(97), kNaN, 70, 60, 65},
                  {40, std::nullopt}, false, std::nullopt, 70},
        CheckCase{"typedCapacityTooLow", 1, 0, {2.26, 270, 200, 90, 70, 60, 65}, {40, std::nullopt}, false,
                  std::nullopt, 70},
        CheckCase{"typedCapacityCarries", 1, 0, {2.26, 270, 50, 97, 70, 60, 65}, {40, std::nullopt}, true,
                  std::nullopt, 70},
        CheckCase{"typedCapacityUnusedWithFlagTwo", 2, 0, {2.26, 270, 97, 10, 70, 60, 65}, {40, std::nullopt},
                  true, std::nullopt, 70},
        CheckCase{"settlementEqualToTheAllowance", 0, 0, {2.26, 270, 100, kNaN, 70, 90, 90}, {0, 70.0}, true,
                  true, 70},
        CheckCase{"settlementJustAboveTheAllowance", 0, 0, {2.26, 270, 100, kNaN, above(70), 60, 60}, {0, 70.0},
                  true, false, above(70)},
        CheckCase{"stressRatio02Settlement", 0, 1, {2.26, 270, 100, kNaN, 90, 70, 90}, {0, 70.0}, true, true, 70},
        CheckCase{"stressRatio01Settlement", 0, 2, {2.26, 270, 100, kNaN, 90, 90, 70}, {0, 70.0}, true, true, 70},
        CheckCase{"unknownCriterionHasNoSettlement", 0, 5, {2.26, 270, 100, kNaN, 1, 1, 1}, {0, 70.0}, true,
                  std::nullopt, kNaN},
        CheckCase{"settlementFailsWhereBearingCarries", 0, 0, {2.26, 270, 100, kNaN, 80, 60, 60}, {0, 70.0}, true,
                  false, 80},
        CheckCase{"bothFail", 0, 0, {2.26, 270, 50, kNaN, 80, 60, 60}, {0, 70.0}, false, false, 80},
        // psiS multiplies the settlement checked; the calculated one stays.
        CheckCase{"psiSTimesSettlementEqualToTheAllowance", 0, 0, {2.26, 270, 100, kNaN, 40, 90, 90}, {0, 70.0},
                  true, true, 40, "1.75"},
        CheckCase{"psiSTimesSettlementJustAboveTheAllowance", 0, 0, {2.26, 270, 100, kNaN, 40, 90, 90}, {0, 70.0},
                  true, false, 40, "1.7501"},
        CheckCase{"psiSBelowOneBringsItWithin", 0, 0, {2.26, 270, 100, kNaN, 140, 90, 90}, {0, 70.0}, true, true,
                  140, "0.5"},
        CheckCase{"psiSOfZeroLeavesItUnchecked", 0, 0, {2.26, 270, 100, kNaN, 40, 90, 90}, {0, 70.0}, true,
                  std::nullopt, 40, "0"},
        CheckCase{"psiSNotANumberLeavesItUnchecked", 0, 0, {2.26, 270, 100, kNaN, 40, 90, 90}, {0, 70.0}, true,
                  std::nullopt, 40, "1,2"}),
    [](const auto& info) { return info.param.name; });

// The county-road example types Ra = 180 kN: fspk 113.02 kPa with it, 136.76
// kPa with the computed Ra, against p0 + q = 19 x 3.5 + 60 = 126.5 kPa.
TEST(DesignCheck, CountyRoadWithItsTypedCapacityFailsASurchargeOf60)
{
    ProjectData p{};
    const FileStatus status = p.loadProject(std::string(ORVANE_EXAMPLES_DIR) + "/county-road-rectangular-grid.txt");
    ASSERT_TRUE(status.ok) << status.reason;
    ASSERT_EQ(p.manualCapacityFlag, 1);
    p.deriveEquivalentDiameter();
    const DesignResults results = computeDesign(p);
    EXPECT_NEAR(results.manualCompositeCapacity, 113.016, 5e-4);
    EXPECT_NEAR(results.compositeCapacity, 136.758, 5e-4);
    const DesignChecks typed = checkDesign(p, results, {60, std::nullopt});
    EXPECT_EQ(typed.bearingDemand, 126.5);
    EXPECT_FALSE(typed.bearingOk);
    EXPECT_EQ(typed.bearingCapacity, results.manualCompositeCapacity);
    for (int notTyped : {0, 2}) {
        p.manualCapacityFlag = notTyped;
        const DesignResults computed = computeDesign(p);
        EXPECT_TRUE(std::isnan(computed.manualCompositeCapacity)) << notTyped;
        EXPECT_TRUE(checkDesign(p, computed, {60, std::nullopt}).bearingOk) << notTyped;
    }
}

struct DemandsCase {
    const char* name;
    DesignDemands demands;
    std::string fault;
};

class DemandsTest : public testing::TestWithParam<DemandsCase> {};

TEST_P(DemandsTest, AcceptsNoLoadAndAnyPositiveAllowance)
{
    EXPECT_EQ(demandsFault(GetParam().demands), GetParam().fault);
}

const std::string kSurchargeWrong = "附加荷载q应为不小于0的数！";
const std::string kAllowanceWrong = "容许沉降[s]应为大于0的数！";
const std::string kPostConstructionWrong = "容许工后沉降[s工后]应为大于0的数！";

INSTANTIATE_TEST_SUITE_P(
    Typed, DemandsTest,
    testing::Values(DemandsCase{"noSurcharge", {0, std::nullopt}, ""},
                    DemandsCase{"surchargeJustBelowZero", {below(0), std::nullopt}, kSurchargeWrong},
                    DemandsCase{"surchargeInfinite", {kInf, std::nullopt}, kSurchargeWrong},
                    DemandsCase{"surchargeNotANumber", {kNaN, std::nullopt}, kSurchargeWrong},
                    DemandsCase{"smallestAllowance", {0, above(0)}, ""},
                    DemandsCase{"zeroAllowance", {0, 0.0}, kAllowanceWrong},
                    DemandsCase{"infiniteAllowance", {0, kInf}, kAllowanceWrong},
                    DemandsCase{"allowanceNotANumber", {0, kNaN}, kAllowanceWrong},
                    DemandsCase{"surchargeNamedFirst", {-1, 0.0}, kSurchargeWrong},
                    DemandsCase{"smallestAllowanceAfterConstruction", {0, std::nullopt, above(0)}, ""},
                    DemandsCase{"zeroAllowanceAfterConstruction", {0, std::nullopt, 0.0}, kPostConstructionWrong},
                    DemandsCase{"infiniteAllowanceAfterConstruction", {0, std::nullopt, kInf}, kPostConstructionWrong}),
    [](const auto& info) { return info.param.name; });

struct ShownCase {
    const char* name;
    int manualCapacityFlag;
    int criterion;
    DesignResults results;
    std::string fault;
};

class ResultFaultTest : public testing::TestWithParam<ShownCase> {};

TEST_P(ResultFaultTest, RefusesWhatTheFormsWouldNotShow)
{
    ProjectData p = settlementExample();
    p.manualCapacityFlag = GetParam().manualCapacityFlag;
    p.stopCriterion = GetParam().criterion;
    EXPECT_EQ(resultFault(p, GetParam().results), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Results, ResultFaultTest,
    testing::Values(
        ShownCase{"allShown", 0, 0, {2.26, 270, 100, kNaN, 70, 60, 65}, ""},
        ShownCase{"compositeExactlyZero", 0, 0, {2.26, 270, 0.0, kNaN, 70, 60, 65}, ""},
        ShownCase{"compositeNegative", 0, 0, {2.26, 270, -1, kNaN, 70, 60, 65}, kParametersWrong},
        ShownCase{"capacityInfinite", 0, 0, {2.26, kInf, 100, kNaN, 70, 60, 65}, kParametersWrong},
        ShownCase{"typedDecidesOverComputed", 1, 0, {2.26, kInf, kInf, 100, 70, 60, 65}, ""},
        ShownCase{"typedNotANumber", 1, 0, {2.26, 270, 100, kNaN, 70, 60, 65}, kParametersWrong},
        ShownCase{"smallestSettlementShown", 0, 0, {2.26, 270, 100, kNaN, above(0), 60, 65}, ""},
        ShownCase{"settlementZero", 0, 0, {2.26, 270, 100, kNaN, 0.0, 60, 65}, kParametersWrong},
        ShownCase{"deformationRatioInfinite", 0, 0, {2.26, 270, 100, kNaN, kInf, 60, 65}, kParametersWrong},
        ShownCase{"otherCriteriaIgnored", 0, 0, {2.26, 270, 100, kNaN, 70, kInf, kNaN}, ""},
        ShownCase{"stressRatio02Infinite", 0, 1, {2.26, 270, 100, kNaN, 70, kInf, 65}, kParametersWrong},
        ShownCase{"stressRatio01NotANumber", 0, 2, {2.26, 270, 100, kNaN, 70, 60, kNaN}, kParametersWrong},
        ShownCase{"unknownCriterionShown", 0, 3, {2.26, 270, 100, kNaN, kNaN, kNaN, kNaN}, ""}),
    [](const auto& info) { return info.param.name; });

// The first refusal a form would give, in the forms' order: the pile and the
// layer counts, the missing layers, the spacing, the layer sums.
struct OrderCase {
    const char* name;
    void (*edit)(ProjectData&);
    std::string fault;
};

class InputOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(InputOrderTest, NamesTheFirstRefusal)
{
    ProjectData p = settlementExample();
    GetParam().edit(p);
    EXPECT_EQ(inputFault(p), GetParam().fault);
}

INSTANTIATE_TEST_SUITE_P(
    Order, InputOrderTest,
    testing::Values(
        OrderCase{"soundRecord", [](ProjectData&) {}, ""},
        OrderCase{"baseCountAboveTheTable", [](ProjectData& p) { p.baseLayerCount = 50; },
                  "土体分层数应在0～49之间，请检查后重新输入！"},
        OrderCase{"pileBeforeMissingLayers",
                  [](ProjectData& p) {
                      p.pileLength = 1;
                      p.headLayerCount = 0;
                  },
                  "输入的桩长H或h有误，请检查后重新输入！"},
        OrderCase{"missingLayersBeforeSpacing",
                  [](ProjectData& p) {
                      p.shaftLayerCount = 0;
                      p.equivalentDiameter = 0;
                  },
                  "请输入桩周土分层数，并设置每层土的参数！"},
        OrderCase{"spacingBeforeLayerSums",
                  [](ProjectData& p) {
                      p.equivalentDiameter = 0;
                      p.headThickness[1] = 3;
                  },
                  "请输入桩间距！"},
        OrderCase{"layerSums", [](ProjectData& p) { p.shaftThickness[1] = 3; },
                  "各层土厚度求和后不等于下部桩体高度h-H，请检查各层土厚度！"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
