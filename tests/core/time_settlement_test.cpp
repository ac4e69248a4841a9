#include "engine/design_check.h"
#include "engine/time_settlement.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Settings = std::vector<std::pair<std::string, std::string>>;

// The worked example with cv in every layer (1e-3 cm2/s).
ProjectData withCv(const Settings& more = {})
{
    ProjectData p = settlementExample();
    p.extension.set("cv.head", "2");
    p.extension.set("cv.shaft", "2,3");
    p.extension.set("cv.base", "1.5,4,6");
    for (const auto& [key, value] : more)
        p.extension.set(key, value);
    return p;
}

struct LimitCase {
    const char* name;
    int criterion;
    bool bottomDrained;
    const char* fill;
};

class SettlementLimitTest : public testing::TestWithParam<LimitCase> {};

// Long after the fill the curve is the layered sum of the criterion, and
// the final settlement is that sum itself.
TEST_P(SettlementLimitTest, LateCurveReachesTheFinalSettlement)
{
    const LimitCase& c = GetParam();
    ProjectData p = withCv({{"fill", c.fill}, {"bottomDrained", c.bottomDrained ? "1" : "0"}});
    p.stopCriterion = c.criterion;
    TimeSettlementInputs in;
    ASSERT_EQ(readTimeSettlementInputs(p, in), "");
    const SettlementDetails details = settlementDetails(p, c.criterion);
    ASSERT_EQ(details.total, p.settlementByCriterion());
    const TimeSettlementResult r = timeSettlement(p, details, in, {1e9});
    EXPECT_EQ(r.final, details.total);
    ASSERT_FALSE(r.curve.empty());
    EXPECT_NEAR(r.curve.back().settlement, details.total, 1e-12 * details.total);
    EXPECT_NEAR(r.curve.back().degree, 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(r.residual, r.final - r.atPavement);
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, SettlementLimitTest,
    testing::Values(LimitCase{"deformationRatioAtOnce", kStopDeformationRatio, false, "0:3"},
                    LimitCase{"stressRatio02Staged", kStopStressRatio02, false, "0:0,60:1.5,90:1.5,150:3"},
                    LimitCase{"stressRatio01DrainedBelow", kStopStressRatio01, true, "0:1,100:3"}),
    [](const auto& info) { return info.param.name; });

struct ColumnCase {
    const char* name;
    SettlementZone zone;
    int layer;
    double cv;  // 1e-3 cm2/s, worked by hand: the soil's times Esp / Es
};

class ConsolidationColumnTest : public testing::TestWithParam<ColumnCase> {};

// m = 1 / 2.26^2 under the head, 0.25 / 2.26^2 under the shaft:
// head Esp = 0.804213 x 3 + 0.195787 x 150 = 31.78069, cv 2 x 31.78069 / 3;
// shaft layer 2 Esp = 0.951053 x 6 + 0.048947 x 120 = 11.57992, cv 3 x 11.57992 / 6.
TEST_P(ConsolidationColumnTest, ReinforcedZonesKeepTheSoilsPermeability)
{
    const ProjectData p = withCv();
    TimeSettlementInputs in;
    ASSERT_EQ(readTimeSettlementInputs(p, in), "");
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    const ConsolidationColumn column = consolidationColumn(p, details, in);
    ASSERT_EQ(column.slices.size(), details.slices.size());
    const ColumnCase& c = GetParam();
    int checked = 0;
    for (std::size_t i = 0; i < details.slices.size(); ++i) {
        if (details.slices[i].zone != c.zone || details.slices[i].layer != c.layer)
            continue;
        EXPECT_NEAR(column.slices[i].cv / kCvUnitInSquareMetresPerDay, c.cv, 1e-4);
        EXPECT_EQ(column.slices[i].modulus, details.slices[i].modulus);
        EXPECT_EQ(column.slices[i].stressFactor, details.slices[i].stressFactor);
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExample, ConsolidationColumnTest,
    testing::Values(ColumnCase{"head", SettlementZone::Head, 1, 21.18713},
                    ColumnCase{"shaftSecondLayer", SettlementZone::Shaft, 2, 5.78996},
                    ColumnCase{"baseSecondLayer", SettlementZone::Base, 2, 4}),
    [](const auto& info) { return info.param.name; });

// ms scales the whole settlement; its immediate part follows the fill at once.
TEST(TimeSettlement, SettlementCoefficientAddsAnImmediatePart)
{
    ProjectData p = withCv({{"fill", "0:0,100:3"}, {"pavementDay", "200"}, {"designPeriod", "15"}});
    TimeSettlementInputs plain;
    ASSERT_EQ(readTimeSettlementInputs(p, plain), "");
    p.extension.set("ms", "1.3");
    TimeSettlementInputs scaled;
    ASSERT_EQ(readTimeSettlementInputs(p, scaled), "");
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    const auto a = timeSettlement(p, details, plain, {50, 100, 1e9});
    const auto b = timeSettlement(p, details, scaled, {50, 100, 1e9});
    ASSERT_EQ(a.curve.size(), b.curve.size());
    for (std::size_t i = 0; i < a.curve.size(); ++i) {
        const double immediate = 0.3 * details.total * a.curve[i].fillHeight / 3;
        EXPECT_NEAR(b.curve[i].settlement, a.curve[i].settlement + immediate, 1e-9) << a.curve[i].day;
        EXPECT_EQ(b.curve[i].degree, a.curve[i].degree);
    }
    EXPECT_EQ(b.final, 1.3 * details.total);
    EXPECT_NEAR(b.postConstruction, a.postConstruction, 1e-9) << "the fill is complete before";
}

struct RefusalCase {
    const char* name;
    Settings settings;
    const char* refusal;
};

class InputRefusalTest : public testing::TestWithParam<RefusalCase> {};

// Each rule with its refused values and the accepted value at its limit (an
// empty refusal).
TEST_P(InputRefusalTest, RefusesNamingTheKey)
{
    const ProjectData p = withCv(GetParam().settings);
    TimeSettlementInputs in;
    EXPECT_EQ(readTimeSettlementInputs(p, in), GetParam().refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, InputRefusalTest,
    testing::Values(
        RefusalCase{"unloading", {{"fill", "0:0,30:3.5,60:3"}}, "fill：填土高度不得减小（不计卸载与回弹）！"},
        RefusalCase{"notFromDayZero", {{"fill", "10:0,60:3"}}, "fill：填土过程应从第0天开始！"},
        RefusalCase{"dayRepeated", {{"fill", "0:0,60:1,60:3"}}, "fill：填土过程的天数应逐点增大！"},
        RefusalCase{"daysBackwards", {{"fill", "0:0,60:1,30:3"}}, "fill：填土过程的天数应逐点增大！"},
        RefusalCase{"negativeHeight", {{"fill", "0:-1,60:3"}}, "fill：填土高度不能为负！"},
        RefusalCase{"notTheFullFill", {{"fill", "0:0,60:2.5"}}, "fill：最后的填土高度应等于路堤高度h（3 m）！"},
        RefusalCase{"pairWithoutColon", {{"fill", "0:0,60"}},
                    "fill：填土过程应为以逗号分隔的“天数:填土高度”，如0:0,90:1.5,180:3！"},
        RefusalCase{"commaDecimal", {{"fill", "0:0,60:2,5"}},
                    "fill：填土过程应为以逗号分隔的“天数:填土高度”，如0:0,90:1.5,180:3！"},
        RefusalCase{"beyondTheLastDay", {{"fill", "0:0,100001:3"}}, "fill：天数应不大于100000！"},
        RefusalCase{"onTheLastDay", {{"fill", "0:0,100000:3"}}, ""},
        RefusalCase{"heightsLevelForAWhile", {{"fill", "0:0,30:1.5,60:1.5,90:3"}}, ""},
        RefusalCase{"zeroHeightOnDayZero", {{"fill", "0:0,60:3"}}, ""},
        RefusalCase{"blanksAroundTheNumbers",
                    {{"fill", " 0 : 0 , 60 : 3 "}, {"cv.shaft", " 2 , 3 "}, {"ms", " 1.2 "}}, ""},
        RefusalCase{"pavementBeforeFill", {{"fill", "0:0,60:3"}, {"pavementDay", "59"}},
                    "pavementDay：路面完工时间应为不早于填土完成（最后一个填土点）的天数！"},
        RefusalCase{"pavedOnTheLastFillDay", {{"fill", "0:0,60:3"}, {"pavementDay", "60"}}, ""},
        RefusalCase{"pavedOnTheLastDay", {{"pavementDay", "100000"}}, ""},
        RefusalCase{"pavedAfterTheLastDay", {{"pavementDay", "100001"}},
                    "pavementDay：路面完工时间应为不早于填土完成（最后一个填土点）的天数！"},
        RefusalCase{"cvPerLayer", {{"cv.shaft", "2"}}, "cv.shaft：固结系数cv应为每层一个大于0且不大于1000000的数（共2层），以逗号分隔！"},
        RefusalCase{"cvZero", {{"cv.base", "1,0,2"}}, "cv.base：固结系数cv应为每层一个大于0且不大于1000000的数（共3层），以逗号分隔！"},
        RefusalCase{"cvOfANamedStratumMissing", {{"cv.base", "1,,2"}, {"name.base", "粉质黏土,淤泥质黏土,粉砂"}},
                    "cv.base：第2层“淤泥质黏土”未给出固结系数cv，无法计算！"},
        RefusalCase{"cvOfAnUnnamedStratumMissing", {{"cv.shaft", ",3"}}, "cv.shaft：第1层未给出固结系数cv，无法计算！"},
        RefusalCase{"cvMissingAndAListTooShort", {{"cv.base", "1,"}},
                    "cv.base：固结系数cv应为每层一个大于0且不大于1000000的数（共3层），以逗号分隔！"},
        RefusalCase{"cvMissingAndAZero", {{"cv.base", "0,,2"}},
                    "cv.base：固结系数cv应为每层一个大于0且不大于1000000的数（共3层），以逗号分隔！"},
        RefusalCase{"fakOfANamedStratumMissing", {{"fak.base", "120,,200"}, {"name.base", "粉质黏土,淤泥质黏土\\,软塑,粉砂"}},
                    "fak.base：第2层“淤泥质黏土,软塑”未给出地基承载力特征值fak，无法计算！"},
        RefusalCase{"fakOfAStratumNamedWithAHexEscape", {{"fak.base", "120,,200"}, {"name.base", "粉质黏土,淤泥质黏土\\x2C软塑,粉砂"}},
                    "fak.base：第2层“淤泥质黏土,软塑”未给出地基承载力特征值fak，无法计算！"},
        RefusalCase{"cvZoneMissing", {{"cv.head", ""}}, "cv.head：计算工后沉降需给出扩大头段、下部桩段与桩端以下各层的固结系数cv！"},
        RefusalCase{"cvShaftMissing", {{"cv.shaft", ""}}, "cv.shaft：计算工后沉降需给出扩大头段、下部桩段与桩端以下各层的固结系数cv！"},
        RefusalCase{"cvBaseAlone", {{"cv.head", ""}, {"cv.shaft", ""}}, "cv.head：计算工后沉降需给出扩大头段、下部桩段与桩端以下各层的固结系数cv！"},
        RefusalCase{"cvBaseMissing", {{"cv.base", ""}}, "cv.base：计算工后沉降需给出扩大头段、下部桩段与桩端以下各层的固结系数cv！"},
        RefusalCase{"cvBeyondAnySoil", {{"cv.base", "1,1e308,2"}},
                    "cv.base：固结系数cv应为每层一个大于0且不大于1000000的数（共3层），以逗号分隔！"},
        RefusalCase{"cvLargest", {{"cv.base", "1,1000000,2"}}, ""},
        RefusalCase{"msBeyondAnySoil", {{"ms", "1e308"}}, "ms：沉降系数ms应为不小于1且不大于10的数！"},
        RefusalCase{"msJustAboveTen", {{"ms", "10.000001"}}, "ms：沉降系数ms应为不小于1且不大于10的数！"},
        RefusalCase{"msTen", {{"ms", "10"}}, ""},
        RefusalCase{"msBelowOne", {{"ms", "0.99"}}, "ms：沉降系数ms应为不小于1且不大于10的数！"},
        RefusalCase{"msOne", {{"ms", "1"}}, ""},
        RefusalCase{"cvSmallButPositive", {{"cv.base", "1,0.001,2"}}, ""},
        RefusalCase{"drainageNotABoolean", {{"bottomDrained", "2"}}, "bottomDrained：应为0（底面不排水）或1（底面排水）！"},
        RefusalCase{"drainageHalf", {{"bottomDrained", "0.5"}}, "bottomDrained：应为0（底面不排水）或1（底面排水）！"},
        RefusalCase{"drainedBelow", {{"bottomDrained", "1"}}, ""},
        RefusalCase{"closedBelow", {{"bottomDrained", "0"}}, ""},
        RefusalCase{"periodTooLong", {{"designPeriod", "100.5"}}, "designPeriod：设计使用年限应为大于0且不大于100的年数！"},
        RefusalCase{"periodLongest", {{"designPeriod", "100"}}, ""},
        RefusalCase{"periodZero", {{"designPeriod", "0"}}, "designPeriod：设计使用年限应为大于0且不大于100的年数！"},
        RefusalCase{"periodShort", {{"designPeriod", "0.1"}}, ""},
        RefusalCase{"fakPerLayer", {{"fak.base", "120,100"}},
                    "fak.base：地基承载力特征值fak应为每层一个大于0的数（共3层），以逗号分隔！"},
        RefusalCase{"negativeDepthFactor", {{"etaD", "-0.1"}}, "etaD：深度修正系数ηd应为不小于0的数！"},
        RefusalCase{"noDepthFactor", {{"etaD", "0"}}, ""},
        RefusalCase{"fakZero", {{"fak.base", "120,0,140"}},
                    "fak.base：地基承载力特征值fak应为每层一个大于0的数（共3层），以逗号分隔！"},
        RefusalCase{"fakEveryLayer", {{"fak.base", "120,1,140"}}, ""},
        RefusalCase{"unknownRoadClass", {{"roadClass", "third"}},
                    "roadClass：公路等级应为highway（高速公路、一级公路）或second（二级公路）！"},
        RefusalCase{"unknownLocation", {{"location", "tunnel"}},
                    "location：路段应为abutment（桥台与路堤相邻处）、culvert（涵洞、通道处）或general（一般路段）！"},
        RefusalCase{"allowanceZero", {{"allowablePostConstruction", "0"}},
                    "allowablePostConstruction：容许工后沉降应为大于0的数（mm）！"},
        RefusalCase{"allowanceSmall", {{"allowablePostConstruction", "0.1"}}, ""},
        RefusalCase{"highwayGeneral", {{"roadClass", "highway"}, {"location", "general"}}, ""},
        RefusalCase{"secondCulvert", {{"roadClass", "second"}, {"location", "culvert"}}, ""}),
    [](const auto& info) { return info.param.name; });

struct AllowanceCase {
    const char* name;
    Settings settings;
    std::optional<double> allowance;
};

class AllowanceTest : public testing::TestWithParam<AllowanceCase> {};

TEST_P(AllowanceTest, TableFillsTheValueATypedOneWins)
{
    TimeSettlementInputs in;
    ASSERT_EQ(readTimeSettlementInputs(withCv(GetParam().settings), in), "");
    EXPECT_EQ(in.allowablePostConstruction, GetParam().allowance);
}

INSTANTIATE_TEST_SUITE_P(
    Allowances, AllowanceTest,
    testing::Values(AllowanceCase{"none", {}, std::nullopt},
                    AllowanceCase{"classWithoutLocation", {{"roadClass", "highway"}}, std::nullopt},
                    AllowanceCase{"highwayAbutment", {{"roadClass", "highway"}, {"location", "abutment"}}, 100},
                    AllowanceCase{"highwayCulvert", {{"roadClass", "highway"}, {"location", "culvert"}}, 200},
                    AllowanceCase{"highwayGeneral", {{"roadClass", "highway"}, {"location", "general"}}, 300},
                    AllowanceCase{"secondAbutment", {{"roadClass", "second"}, {"location", "abutment"}}, 200},
                    AllowanceCase{"secondCulvert", {{"roadClass", "second"}, {"location", "culvert"}}, 300},
                    AllowanceCase{"secondGeneral", {{"roadClass", "second"}, {"location", "general"}}, 500},
                    AllowanceCase{"typedOverTable",
                                  {{"roadClass", "second"}, {"location", "general"}, {"allowablePostConstruction", "150"}},
                                  150}),
    [](const auto& info) { return info.param.name; });

struct DemandCase {
    const char* name;
    Settings settings;
    std::optional<double> demand;  // --allowable-post-construction
    std::optional<bool> postConstructionOk;  // empty: not asked, or not made
    std::optional<bool> underlyingOk;
    Verdict verdict;
    const char* reason = "";  // of the first check not made
};

class DesignDemandTest : public testing::TestWithParam<DemandCase> {};

// Filled over 90 days and paved on day 180, the worked example settles
// 48.01 mm in the 15 years after.
TEST_P(DesignDemandTest, CheckAfterConstructionDecidesThePass)
{
    const DemandCase& c = GetParam();
    ProjectData p = withCv({{"fill", "0:0,90:3"}, {"pavementDay", "180"}});
    for (const auto& [key, value] : c.settings)
        p.extension.set(key, value);
    p.deriveEquivalentDiameter();
    const DesignResults results = computeDesign(p);
    const DesignChecks checks = checkDesign(p, results, {0, std::nullopt, c.demand});
    EXPECT_EQ(checks.postConstructionOk, c.postConstructionOk);
    EXPECT_EQ(checks.underlyingOk, c.underlyingOk);
    if (c.postConstructionOk.value_or(false)) {
        EXPECT_NEAR(checks.postConstruction, 48.01, 0.01);
    }
    EXPECT_EQ(checks.verdict(), c.verdict);
    EXPECT_EQ(checks.passes(), c.verdict == Verdict::Passes);
    // A check not made says why, and only such a check.
    const auto notMade = std::find_if(checks.outcomes.begin(), checks.outcomes.end(),
                                      [](const CheckOutcome& o) { return !o.ok; });
    ASSERT_EQ(notMade != checks.outcomes.end(), *c.reason != 0);
    if (notMade != checks.outcomes.end()) {
        EXPECT_NE(notMade->reason.find(c.reason), std::string::npos) << notMade->reason;
    }
    for (const CheckOutcome& o : checks.outcomes)
        EXPECT_EQ(o.ok.has_value(), o.reason.empty()) << checkKey(o.kind);
}

INSTANTIATE_TEST_SUITE_P(
    Demands, DesignDemandTest,
    testing::Values(DemandCase{"none", {}, std::nullopt, std::nullopt, std::nullopt, Verdict::Passes},
                    DemandCase{"met", {}, 50.0, true, std::nullopt, Verdict::Passes},
                    DemandCase{"notMet", {}, 48.0, false, std::nullopt, Verdict::Fails},
                    DemandCase{"fromTheFilesTable", {{"roadClass", "highway"}, {"location", "abutment"}}, std::nullopt,
                               true, std::nullopt, Verdict::Passes},
                    DemandCase{"givenOverTheFiles", {{"allowablePostConstruction", "300"}}, 40.0, false, std::nullopt,
                               Verdict::Fails},
                    DemandCase{"refusedInputsNotMade", {{"cv.head", ""}}, 500.0, std::nullopt, std::nullopt,
                               Verdict::Unchecked, "cv.head"},
                    DemandCase{"withoutCvNotMade", {{"cv.head", ""}, {"cv.shaft", ""}, {"cv.base", ""}}, 500.0,
                               std::nullopt, std::nullopt, Verdict::Unchecked, "固结系数cv"},
                    DemandCase{"weakSoilUnderTheTips", {{"fak.base", "50,40,30"}, {"etaD", "0"}}, std::nullopt,
                               std::nullopt, false, Verdict::Fails},
                    DemandCase{"bothMet", {{"fak.base", "120,100,140"}}, 100.0, true, true, Verdict::Passes},
                    // A file's own demands stand when other inputs are refused, as
                    // when a profile gives a section more layers than its cv values:
                    // not made, with the refusal, never passed.
                    DemandCase{"filesAllowanceWithRefusedCv", {{"cv.head", "2,2,2"}, {"allowablePostConstruction", "300"}},
                               std::nullopt, std::nullopt, std::nullopt, Verdict::Unchecked, "cv.head"},
                    DemandCase{"filesFakWithRefusedCv", {{"cv.head", "2,2,2"}, {"fak.base", "120,100,140"}},
                               std::nullopt, std::nullopt, std::nullopt, Verdict::Unchecked, "cv.head"},
                    DemandCase{"refusedFak", {{"fak.base", "120,100,140,160"}}, std::nullopt, std::nullopt, std::nullopt,
                               Verdict::Unchecked, "fak.base"},
                    // A stratum of the borehole log without cv: not made, naming it.
                    DemandCase{"stratumWithoutCv",
                               {{"cv.base", "1.5,,6"}, {"name.base", "粉质黏土,淤泥质黏土,中砂"}, {"allowablePostConstruction", "300"}},
                               std::nullopt, std::nullopt, std::nullopt, Verdict::Unchecked, "第2层“淤泥质黏土”未给出固结系数cv"},
                    DemandCase{"aFailureOutweighsACheckNotMade",
                               {{"cv.head", ""}, {"cv.shaft", ""}, {"cv.base", ""}, {"fak.base", "50,40,30"}, {"etaD", "0"}},
                               500.0, std::nullopt, false, Verdict::Fails, "固结系数cv"}),
    [](const auto& info) { return info.param.name; });

// The allowance is met by a settlement equal to it and missed by one a
// hair above it.
TEST(TimeSettlement, PostConstructionAllowanceHoldsAtItsLimit)
{
    ProjectData p = withCv({{"fill", "0:0,90:3"}, {"pavementDay", "180"}});
    p.deriveEquivalentDiameter();
    const DesignResults results = computeDesign(p);
    const double settled = checkDesign(p, results, {0, std::nullopt, 1000.0}).postConstruction;
    ASSERT_NEAR(settled, 48.01, 0.01);
    EXPECT_EQ(checkDesign(p, results, {0, std::nullopt, settled}).postConstructionOk, true);
    EXPECT_EQ(checkDesign(p, results, {0, std::nullopt, std::nextafter(settled, 0.0)}).postConstructionOk, false);
}

// Every input, saved with the project and loaded again, reads the same.
TEST(TimeSettlement, InputsSurviveTheProjectFile)
{
    ProjectData p = withCv({{"ms", "1.25"}, {"bottomDrained", "1"}, {"fill", "0:0, 90:1.5, 180:3"},
                                  {"pavementDay", "240"}, {"designPeriod", "20"}, {"fak.base", "120,90,150"},
                                  {"etaD", "1.1"}, {"roadClass", "second"}, {"location", "culvert"},
                                  {"allowablePostConstruction", "250"}});
    const std::string file = scratchFolder("timeSettlementRoundTrip") + "/project.txt";
    ASSERT_TRUE(p.saveProject(file, fixedSaveTime()).ok);
    ProjectData loaded = settlementExample();
    ASSERT_TRUE(loaded.loadProject(file).ok);
    EXPECT_EQ(loaded.extension, p.extension);
    TimeSettlementInputs in;
    ASSERT_EQ(readTimeSettlementInputs(loaded, in), "");
    EXPECT_EQ(in.ms, 1.25);
    EXPECT_EQ(in.cvHead, std::vector<double>{2});
    EXPECT_EQ(in.cvShaft, (std::vector<double>{2, 3}));
    EXPECT_EQ(in.cvBase, (std::vector<double>{1.5, 4, 6}));
    EXPECT_TRUE(in.bottomDrained);
    ASSERT_EQ(in.fill.size(), 3u);
    EXPECT_EQ(in.fill[1].day, 90);
    EXPECT_EQ(in.fill[1].height, 1.5);
    EXPECT_EQ(in.pavementDay, 240);
    EXPECT_EQ(in.designPeriod, 20);
    EXPECT_EQ(in.fakBase, (std::vector<double>{120, 90, 150}));
    EXPECT_EQ(in.etaD, 1.1);
    EXPECT_EQ(in.allowablePostConstruction, 250);
}

struct WorkCase {
    const char* name;
    int fillPoints;
    int baseLayers;        // of baseThickness m each; 0 keeps the example's
    double baseThickness;
    const char* refusal;   // its start; empty when the curve is computed
};

class ProjectWorkTest : public testing::TestWithParam<WorkCase> {};

// One project's curve is bounded in cells and steps: over the bounds it is
// refused at once, naming what was asked and the bound, and never computed.
TEST_P(ProjectWorkTest, CurveOverTheBoundsIsRefusedUpFront)
{
    const WorkCase& c = GetParam();
    ProjectData p = withCv({{"fill", fillOf(c.fillPoints)}});
    if (c.baseLayers > 0) {
        p.baseLayerCount = c.baseLayers;
        std::string cv;
        for (int k = 1; k <= c.baseLayers; ++k) {
            p.baseThickness[k] = c.baseThickness;
            p.baseSoilModulus[k] = 4;
            p.baseUnitWeight[k] = 18;
            cv += (k > 1 ? "," : "") + std::string("2");
        }
        p.extension.set("cv.base", cv);
    }
    p.deriveEquivalentDiameter();
    const auto start = std::chrono::steady_clock::now();
    const TimeSettlementOutputs out = timeSettlementOutputs(p);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (*c.refusal == '\0') {
        EXPECT_EQ(out.refusal, "");
        ASSERT_TRUE(out.consolidation.has_value());
        EXPECT_TRUE(std::isfinite(out.consolidation->postConstruction));
        return;
    }
    EXPECT_EQ(out.refusal.rfind(c.refusal, 0), 0u) << out.refusal;
    EXPECT_NE(out.refusal.find("超过上限"), std::string::npos) << out.refusal;
    EXPECT_FALSE(out.consolidation.has_value());
    EXPECT_LT(seconds, 5) << "refused before the curve is solved";
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ProjectWorkTest,
    testing::Values(WorkCase{"thousandFillPoints", 1000, 0, 0, ""},
                    WorkCase{"eightyFiveThousandFillPoints", 85000, 0, 0, "fill：沉降过程的计算需要"},
                    // The criterion stops these at 31 m: the curve is computed.
                    WorkCase{"deepBaseLayersWithALongFill", 1000, 49, 9000, ""}),
    [](const auto& info) { return info.param.name; });

struct BoundCase {
    const char* name;
    ConsolidationWork work;
    const char* refusal;  // its start; empty within the bounds
};

class ConsolidationBoundTest : public testing::TestWithParam<BoundCase> {};

TEST_P(ConsolidationBoundTest, BothSidesOfTheBounds)
{
    const std::string fault = consolidationWorkFault(GetParam().work);
    EXPECT_EQ(fault.rfind(GetParam().refusal, 0), 0u) << fault;
    EXPECT_EQ(fault.empty(), *GetParam().refusal == '\0') << fault;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ConsolidationBoundTest,
    testing::Values(BoundCase{"mostCells", {1e6, 300}, ""},
                    BoundCase{"oneCellMore", {1e6 + 1, 1}, "cv.head、cv.shaft、cv.base：沉降过程的计算需要1000001个单元"},
                    BoundCase{"mostCellSteps", {1000, 300000}, ""},
                    BoundCase{"oneStepMore", {1000, 300001}, "fill：沉降过程的计算需要300001000个单元步"},
                    BoundCase{"endlessSteps", {10, INFINITY}, "fill：沉降过程的计算需要无穷多个单元步"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
