#include "engine/sweep.h"
#include "output/sweep_csv.h"
#include "model/file_numbers.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

ProjectData loadExample(const std::string& name)
{
    ProjectData p{};
    const FileStatus status = p.loadProject(std::string(ORVANE_EXAMPLES_DIR) + "/" + name);
    EXPECT_TRUE(status.ok) << status.reason;
    return p;
}

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

// What the forms compute when the field is typed with that value.
DesignResults directCalculation(ProjectData p, double ProjectData::*member, double value)
{
    p.*member = value;
    p.deriveEquivalentDiameter();
    DesignResults r;
    r.equivalentDiameter = p.equivalentDiameter;
    r.compositeCapacity = p.computeCapacity();
    r.pileCapacity = p.pileCapacity;
    r.manualCompositeCapacity = p.manualCapacityFlag == 1 ? p.computeCapacityManual() : std::nan("");
    r.settlementDeformationRatio = p.settlementByDeformationRatio();
    r.settlementStressRatio02 = p.settlementByStressRatio(0.2);
    r.settlementStressRatio01 = p.settlementByStressRatio(0.1);
    return r;
}

const std::string kWorked = "worked-example.txt";
const std::string kExpressway = "expressway-triangular-grid.txt";
const std::string kCountyRoad = "county-road-rectangular-grid.txt";
const std::string kParametersWrong = "输入的参数有误，请检查后重新计算！";
const std::string kNegativeValue = "扫描的参数值不应小于0！";

// The worked example's layers with strengths, its fill and pile body too.
void setStrengths(ProjectData& p)
{
    for (const auto& [key, value] :
         {std::pair{"c.head", "15"}, {"phi.head", "10"}, {"c.shaft", "6,20"}, {"phi.shaft", "3,12"},
          {"c.base", "30,35,40"}, {"phi.base", "18,20,22"}, {"c.fill", "15"}, {"phi.fill", "28"},
          {"pileShear", "120"}, {"stabilityRequired", "1.3"}})
        p.extension.set(key, value);
}

struct PointCase {
    std::string name;
    std::string example;
    std::string field;
    double value;
    std::string fault;  // empty: computed, bit for bit as the forms compute it
};

class SweepPointTest : public testing::TestWithParam<PointCase> {};

TEST_P(SweepPointTest, IsTheDirectCalculationOrTheFormsRefusal)
{
    const PointCase& c = GetParam();
    const ProjectData base = loadExample(c.example);
    const SweepField* field = findSweepField(c.field).field;
    ASSERT_NE(field, nullptr);
    const Sweep sweep(base, {{field, {c.value, c.value, 1.0}}}, {});
    const SweepPoint point = sweep.point(0);
    ASSERT_EQ(point.values, std::vector<double>{c.value});
    EXPECT_EQ(point.fault, c.fault);
    if (!point.fault.empty() && point.fault != kParametersWrong) {
        EXPECT_TRUE(std::isnan(point.results.compositeCapacity)) << "refused points are not computed";
        return;
    }
    const DesignResults direct = directCalculation(base, field->member, c.value);
    EXPECT_EQ(bits(point.results.equivalentDiameter), bits(direct.equivalentDiameter));
    EXPECT_EQ(bits(point.results.pileCapacity), bits(direct.pileCapacity));
    EXPECT_EQ(bits(point.results.compositeCapacity), bits(direct.compositeCapacity));
    EXPECT_EQ(bits(point.results.manualCompositeCapacity), bits(direct.manualCompositeCapacity));
    EXPECT_EQ(bits(point.results.settlementDeformationRatio), bits(direct.settlementDeformationRatio));
    EXPECT_EQ(bits(point.results.settlementStressRatio02), bits(direct.settlementStressRatio02));
    EXPECT_EQ(bits(point.results.settlementStressRatio01), bits(direct.settlementStressRatio01));
}

INSTANTIATE_TEST_SUITE_P(
    Points, SweepPointTest,
    testing::Values(
        PointCase{"WorkedSquareSpacing", kWorked, "spacingSquare", 1.7, ""},
        PointCase{"ExpresswayTriangleSpacing", kExpressway, "spacingTriangle", 2.15, ""},
        PointCase{"CountyRoadTransverseSpacing", kCountyRoad, "spacingTransverse", 2.2, ""},
        PointCase{"CountyRoadTypedPileCapacity", kCountyRoad, "manualPileCapacity", 240, ""},
        PointCase{"SpacingOfAnotherLayoutChangesNothing", kWorked, "spacingTriangle", 0, ""},
        PointCase{"HeadAsNarrowAsTheShaft", kWorked, "headDiameter", 0.5, ""},
        PointCase{"FillHeight", kExpressway, "embankmentHeight", 4.5, ""},
        PointCase{"CubeStrength", kWorked, "cubeStrength", 900, ""},
        PointCase{"HeadNarrowerThanTheShaft", kWorked, "headDiameter", 0.45,
                  "输入的桩径D或d有误，请检查后重新输入！"},
        PointCase{"ShaftWiderThanTheHead", kExpressway, "shaftDiameter", 2.0,
                  "输入的桩径D或d有误，请检查后重新输入！"},
        PointCase{"NoSpacing", kWorked, "spacingSquare", 0, "请输入桩间距！"},
        PointCase{"NoRectangleSide", kCountyRoad, "spacingLongitudinal", 0, "请输入桩间距！"},
        PointCase{"NegativeCompositeCapacity", kWorked, "soilCapacity", -1000, kNegativeValue},
        PointCase{"NegativeTypedCompositeCapacity", kCountyRoad, "manualPileCapacity", -1e6,
                  kNegativeValue},
        // The forms compute with what is typed, but no swept field means
        // anything below 0: a negative spacing computes as a positive one.
        PointCase{"NegativeSquareSpacing", kWorked, "spacingSquare", -3.5, kNegativeValue},
        PointCase{"NegativeFillHeight", kExpressway, "embankmentHeight", -3, kNegativeValue},
        PointCase{"NegativeSpacingOfAnotherLayout", kWorked, "spacingTriangle", -1, kNegativeValue},
        // A fill without weight settles nothing: no design.
        PointCase{"WeightlessFill", kWorked, "fillUnitWeight", 0, kParametersWrong}),
    [](const testing::TestParamInfo<PointCase>& info) { return info.param.name; });

struct StabilityPointCase {
    const char* name;
    const char* field;
    double value;
    std::string fault;
    std::string typed = {};  // the value typed under the key; the value alone when empty
    bool oneShaftLayer = false;  // the point's record merges the shaft's two layers, as a profile split may
};

class SweepStabilityTest : public testing::TestWithParam<StabilityPointCase> {};

// A swept stability input gives the point the factor of the project with
// that value typed into its extension block, and its check; a layer value
// holds every layer the point's own record has.
TEST_P(SweepStabilityTest, PointIsTheProjectWithTheValueTyped)
{
    const StabilityPointCase& c = GetParam();
    ProjectData base = loadExample(kWorked);
    setStrengths(base);
    const SweepField* field = findSweepField(c.field).field;
    ASSERT_NE(field, nullptr) << c.field;
    const auto prepare = [&c](ProjectData& p) {
        if (c.oneShaftLayer) {
            p.shaftThickness[1] += p.shaftThickness[2];
            p.shaftLayerCount = 1;
            p.extension.set("phi.shaft", "12");
        }
        return std::string();
    };
    const Sweep sweep(base, {{field, {c.value, c.value, 1}}}, {20}, prepare);
    const SweepPoint point = sweep.point(0);
    ASSERT_EQ(point.fault, c.fault);
    if (!point.valid())
        return;
    ProjectData typed = base;
    typed.extension.set(c.field, c.typed.empty() ? formatFileNumber(c.value) : c.typed);
    prepare(typed);
    typed.deriveEquivalentDiameter();
    const StabilityOutcome alone = stabilityOutcome(typed, 20);
    ASSERT_TRUE(alone.result) << alone.reason;
    EXPECT_EQ(bits(point.checks.stabilityFactor()), bits(alone.result->factor));
    const CheckOutcome* check = point.checks.outcome(CheckKind::Stability);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->ok, alone.result->factor >= 1.3);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SweepStabilityTest,
    testing::Values(StabilityPointCase{"weakerPileBody", "pileShear", 40, ""},
                    StabilityPointCase{"strongerPileBody", "pileShear", 300, ""},
                    StabilityPointCase{"zoneBeyondTheToes", "treatedMargin", 3, ""},
                    StabilityPointCase{"zoneShortOfTheToes", "treatedMargin", -2.5, ""},
                    StabilityPointCase{"weakFill", "c.fill", 2, ""},
                    StabilityPointCase{"frictionlessFill", "phi.fill", 0, ""},
                    StabilityPointCase{"negativePileShear", "pileShear", -1, kNegativeValue},
                    StabilityPointCase{"negativeFillCohesion", "c.fill", -0.5, kNegativeValue},
                    // A layer strength is set for every layer of its zone.
                    StabilityPointCase{"cohesionlessHeadLayer", "c.head", 0, "", "0"},
                    StabilityPointCase{"steeperHeadFriction", "phi.head", 20, "", "20"},
                    StabilityPointCase{"weakShaftLayers", "c.shaft", 4, "", "4,4"},
                    StabilityPointCase{"shaftLayersMergedAtThePoint", "c.shaft", 4, "", "4", true},
                    StabilityPointCase{"frictionlessShaftLayers", "phi.shaft", 0, "", "0,0"},
                    StabilityPointCase{"stiffBaseLayers", "c.base", 50, "", "50,50,50"},
                    StabilityPointCase{"baseFriction", "phi.base", 25.5, "", "25.5,25.5,25.5"},
                    StabilityPointCase{"negativeShaftCohesion", "c.shaft", -0.5, kNegativeValue},
                    StabilityPointCase{"negativeBaseFriction", "phi.base", -1, kNegativeValue}),
    [](const auto& info) { return std::string(info.param.name); });

// At q = 20 kPa the worked example's factor is 1.18 with tau_p = 50 kPa and
// 1.31 with 100 kPa: the least pile body that passes [F] = 1.3 is 100 kPa.
TEST(Sweep, BestHonoursTheStabilityCheck)
{
    ProjectData base = loadExample(kWorked);
    setStrengths(base);
    const Sweep sweep(base, {{findSweepField("pileShear").field, {0, 200, 50}}}, {20});
    BestPoint weakest(*findPointMeasure("pileShear", sweep.axes()), false);
    for (std::size_t i = 0; i < sweep.size(); ++i)
        weakest.offer(sweep.point(i), i);
    ASSERT_TRUE(weakest.best());
    EXPECT_EQ(weakest.best()->values[0], 100);
    EXPECT_GE(weakest.best()->checks.stabilityFactor(), 1.3);
}

struct RangeCase {
    std::string name;
    SweepRange range;
    std::string fault;
    std::size_t count;
    double last;
};

class SweepRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(SweepRangeTest, CountsPointsWithoutDriftOrRefuses)
{
    const RangeCase& c = GetParam();
    EXPECT_EQ(rangeFaultText(rangeFault(c.range)), c.fault);
    if (!c.fault.empty())
        return;
    ASSERT_EQ(pointCount(c.range), c.count);
    EXPECT_EQ(pointValue(c.range, 0), c.range.from);
    EXPECT_EQ(pointValue(c.range, c.count - 1), c.last);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SweepRangeTest,
    testing::Values(
        RangeCase{"OnePoint", {2.0, 2.0, 0.1}, "", 1, 2.0},
        RangeCase{"TenthsIncludeTheEnd", {0.1, 0.3, 0.1}, "", 3, 0.3},
        RangeCase{"ThousandStepsDoNotDrift", {1.0, 2.0, 0.001}, "", 1001, 2.0},
        RangeCase{"EndNotReachedIsLeftOut", {1.0, 2.05, 0.1}, "", 11, 2.0},
        RangeCase{"EndJustBeyondTheToleranceIsLeftOut", {0.0, 1.0 - 1e-6, 0.1}, "", 10, 0.9},
        // The end is reached within a billionth of a step, not of its value.
        RangeCase{"EndBeyondTheToleranceOfAStepLeftOut", {0.0, 1000.0000005, 1.0}, "", 1001, 1000.0},
        RangeCase{"AMillionPoints", {0.0, 999999.0, 1.0}, "", 1000000, 999999.0},
        RangeCase{"MoreThanAMillionPoints", {0.0, 1000000.0, 1.0}, "more than 1000000 points", 0, 0},
        RangeCase{"TinyStep", {0.0, 1.0, 1e-300}, "more than 1000000 points", 0, 0},
        RangeCase{"ZeroStep", {1.0, 2.0, 0.0}, "STEP must be greater than 0", 0, 0},
        RangeCase{"NegativeStep", {2.0, 1.0, -0.1}, "STEP must be greater than 0", 0, 0},
        RangeCase{"Backwards", {2.0, 1.0, 0.1}, "FROM must not be greater than TO", 0, 0},
        RangeCase{"InfiniteEnd", {1.0, INFINITY, 0.1}, "FROM, TO and STEP must be finite numbers", 0, 0},
        RangeCase{"NotANumberStep", {1.0, 2.0, NAN}, "FROM, TO and STEP must be finite numbers", 0, 0}),
    [](const testing::TestParamInfo<RangeCase>& info) { return info.param.name; });

TEST(SweepFields, LengthsThatCutTheLayerTablesAreRefusedWithTheReason)
{
    for (const char* name : {"headLength", "pileLength"}) {
        const SweepFieldLookup refused = findSweepField(name);
        EXPECT_EQ(refused.field, nullptr);
        EXPECT_NE(refused.refusal.find("layer tables"), std::string::npos) << refused.refusal;
        EXPECT_NE(findSweepField(name, true).field, nullptr);
    }
    EXPECT_EQ(findSweepField("headLayerCount").refusal, "unknown field headLayerCount");
}

TEST(Sweep, GridVariesTheFirstFieldSlowestAndAPreparedRefusalStopsThePoint)
{
    const ProjectData base = settlementExample();
    const Sweep grid(base,
                     {{findSweepField("spacingSquare").field, {1.5, 2.5, 0.5}},
                      {findSweepField("headDiameter").field, {0.4, 1.2, 0.4}}},
                     {},
                     [](ProjectData& p) { return p.headDiameter > 1 ? std::string("too wide") : std::string(); });
    ASSERT_EQ(grid.size(), 9u);
    EXPECT_EQ(grid.point(1).values, (std::vector<double>{1.5, 0.8}));
    EXPECT_EQ(grid.point(3).values, (std::vector<double>{2.0, 0.4}));
    EXPECT_EQ(grid.point(3).fault, "输入的桩径D或d有误，请检查后重新输入！");
    EXPECT_EQ(grid.point(8).fault, "too wide");
    EXPECT_TRUE(grid.point(4).valid());
}

// The worked example (p0 = 19 x 3 = 57 kPa, Ra = 275.48 kN, D = 1 m) at a
// square spacing s: fspk = m Ra / Ap + 0.9 (1 - m) 80 with m = 1 / (1.13 s)^2,
// 100.87 kPa at 2.75 m and 96.26 kPa at 3 m; its settlement is 71.12 mm at
// the file's own 2 m and 76.78 mm at 2.25 m.
TEST(Sweep, BestIsTheWidestSpacingThatPassesEveryCheckGiven)
{
    const ProjectData base = loadExample(kWorked);
    const SweepField* spacing = findSweepField("spacingSquare").field;
    const struct {
        DesignDemands demands;
        std::optional<double> widest;
    } cases[] = {{{40.0, std::nullopt}, 2.75}, {{40.0, 75.0}, 2.0}, {{0.0, 50.0}, std::nullopt}};
    for (const auto& c : cases) {
        const Sweep sweep(base, {{spacing, {1.0, 4.0, 0.25}}}, c.demands);
        BestPoint widest(*findPointMeasure("spacingSquare", sweep.axes()), true);
        for (std::size_t i = 0; i < sweep.size(); ++i)
            widest.offer(sweep.point(i), i);
        ASSERT_EQ(widest.best().has_value(), c.widest.has_value());
        if (c.widest) {
            EXPECT_EQ(widest.best()->values[0], *c.widest);
            EXPECT_EQ(widest.index(), static_cast<std::size_t>((*c.widest - 1.0) / 0.25));
            EXPECT_EQ(widest.best()->checks.bearingDemand, 97.0);
        }
    }
}

// Offers of (measure, passes) in sweep order; the index of the point kept.
struct BestCase {
    const char* name;
    bool largest;
    std::vector<std::pair<double, bool>> offers;
    std::optional<std::size_t> best;
};

class BestPointTest : public testing::TestWithParam<BestCase> {};

// On a tie the earlier point in sweep order stays the best: the grid's first
// field varies slowest, so the point with its smaller value wins.
TEST_P(BestPointTest, KeepsTheFirstPassingExtreme)
{
    const BestCase& c = GetParam();
    BestPoint best([](const SweepPoint& p) { return p.values[0]; }, c.largest);
    for (std::size_t i = 0; i < c.offers.size(); ++i) {
        SweepPoint point;
        point.values = {c.offers[i].first};
        point.checks.outcomes = {CheckOutcome{.kind = CheckKind::Bearing, .ok = c.offers[i].second}};
        best.offer(point, 10 * i);
    }
    ASSERT_EQ(best.index().has_value(), c.best.has_value());
    if (c.best) {
        EXPECT_EQ(*best.index(), 10 * *c.best);
        EXPECT_EQ(best.best()->values[0], c.offers[*c.best].first);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offers, BestPointTest,
    testing::Values(BestCase{"tieKeepsTheFirstLargest", true, {{1, true}, {3, true}, {3, true}, {2, true}}, 1},
                    BestCase{"tieKeepsTheFirstSmallest", false, {{2, true}, {1, true}, {1, true}, {3, true}}, 1},
                    BestCase{"fallingLargest", true, {{3, true}, {2, true}, {1, true}}, 0},
                    BestCase{"negativeLargest", true, {{-5, true}, {-3, true}, {-4, true}}, 1},
                    BestCase{"positiveSmallest", false, {{5, true}, {3, true}, {4, true}}, 1},
                    BestCase{"failingPointNeverWins", true, {{1, true}, {5, false}, {2, true}}, 2},
                    BestCase{"notANumberSkipped", true, {{NAN, true}, {1, true}}, 1},
                    BestCase{"noPassingPoint", false, {{1, false}, {2, false}}, std::nullopt}),
    [](const auto& info) { return info.param.name; });

TEST(BestPoint, RefusedPointsAndFailedSettlementsNeverWin)
{
    BestPoint best([](const SweepPoint& p) { return p.values[0]; }, true);
    SweepPoint refused;
    refused.values = {9};
    refused.fault = "请输入桩间距！";
    refused.checks.outcomes = {CheckOutcome{.kind = CheckKind::Bearing, .ok = true}};
    best.offer(refused, 0);
    SweepPoint settlesTooMuch = refused;
    settlesTooMuch.fault.clear();
    settlesTooMuch.checks.outcomes.push_back(CheckOutcome{.kind = CheckKind::Settlement, .ok = false});
    best.offer(settlesTooMuch, 1);
    EXPECT_FALSE(best.best());
}

struct MeasureCase {
    const char* name;
    std::optional<double> value;  // of the point below; empty: no such measure
};

class PointMeasureTest : public testing::TestWithParam<MeasureCase> {};

TEST_P(PointMeasureTest, ReadsTheNamedValueOfAPoint)
{
    const std::vector<SweepAxis> axes{{findSweepField("spacingSquare").field, {1, 2, 1}},
                                      {findSweepField("headDiameter").field, {1, 2, 1}}};
    SweepPoint point;
    point.values = {10, 20};
    point.results = {1, 2, 3, 4, 5, 6, 7};
    point.checks.stability.result.emplace().factor = 8;
    const std::optional<PointMeasure> measure = findPointMeasure(GetParam().name, axes);
    ASSERT_EQ(measure.has_value(), GetParam().value.has_value());
    if (measure) {
        EXPECT_EQ((*measure)(point), *GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, PointMeasureTest,
    testing::Values(MeasureCase{"spacingSquare", 10}, MeasureCase{"headDiameter", 20},
                    MeasureCase{"equivalentDiameter", 1}, MeasureCase{"pileCapacity", 2},
                    MeasureCase{"compositeCapacity", 3}, MeasureCase{"manualCompositeCapacity", 4},
                    MeasureCase{"deformationRatio", 5}, MeasureCase{"stressRatio02", 6},
                    MeasureCase{"stressRatio01", 7}, MeasureCase{"stabilityFactor", 8},
                    MeasureCase{"cubeStrength", std::nullopt},
                    MeasureCase{"settlement", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SweepFields, EachVariesAMemberOfItsOwn)
{
    std::vector<double ProjectData::*> members;
    for (const SweepField& field : sweepFields()) {
        EXPECT_EQ(std::count(members.begin(), members.end(), field.member), 0) << field.name;
        members.push_back(field.member);
    }
    EXPECT_EQ(members.size(), 25u);
}

TEST(SweepGrid, AMillionPointsInAllAreAllowed)
{
    const SweepField* spacing = findSweepField("spacingSquare").field;
    const SweepField* diameter = findSweepField("headDiameter").field;
    const std::vector<SweepAxis> million{{spacing, {1, 1000, 1}}, {diameter, {1, 1000, 1}}};
    const std::vector<SweepAxis> more{{spacing, {1, 1000, 1}}, {diameter, {0, 1000, 1}}};
    EXPECT_EQ(gridFault(million), RangeFault::None);
    EXPECT_EQ(gridFault(more), RangeFault::TooManyPoints);
}

struct CsvCase {
    const char* name;
    std::string fault;
    bool bearingOk;
    std::optional<bool> settlementOk;
    std::string row;
};

class SweepCsvTest : public testing::TestWithParam<CsvCase> {};

TEST_P(SweepCsvTest, RowHoldsTheValuesResultsAndChecks)
{
    const CsvCase& c = GetParam();
    SweepPoint point;
    point.values = {2.5, 0.75};
    point.fault = c.fault;
    point.results = {2.825, 275.5, 100.25, NAN, 70.5, 45.25, 63.125};
    point.checks.bearingOk = c.bearingOk;
    point.checks.settlementOk = c.settlementOk;
    EXPECT_EQ(sweepCsvRow(point, '\t'), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SweepCsvTest,
    testing::Values(
        CsvCase{"passing", "", true, true, "2.5\t0.75\t2.825\t275.5\t100.25\t\t70.5\t45.25\t63.125\ttrue\ttrue"},
        CsvCase{"bearingFailsWithoutAllowance", "", false, std::nullopt,
                "2.5\t0.75\t2.825\t275.5\t100.25\t\t70.5\t45.25\t63.125\tfalse\t"},
        CsvCase{"settlementFails", "", true, false,
                "2.5\t0.75\t2.825\t275.5\t100.25\t\t70.5\t45.25\t63.125\ttrue\tfalse"},
        CsvCase{"refused", "请输入桩间距！", true, true, "2.5\t0.75\t2.825\t275.5\t100.25\t\t70.5\t45.25\t63.125\t\t"}),
    [](const auto& info) { return info.param.name; });

TEST(SweepCsv, HeaderNamesTheAxesThenTheResults)
{
    const std::vector<SweepAxis> axes{{findSweepField("spacingSquare").field, {1, 2, 1}},
                                      {findSweepField("headDiameter").field, {1, 2, 1}}};
    EXPECT_EQ(sweepCsvHeader(axes, ';'),
              "spacingSquare;headDiameter;equivalentDiameter;pileCapacity;compositeCapacity;"
              "manualCompositeCapacity;deformationRatio;stressRatio02;stressRatio01;bearingOk;settlementOk");
}

// A point whose layers are a hundred thousand metres thick costs millions of
// slices: a sweep of many such points is refused before it starts, one of a
// few is not, and an ordinary project allows a million points.
TEST(Sweep, WorkIsCountedInSlicesOfTheCostliestCorner)
{
    ProjectData tall = settlementExample();
    tall.headLength = tall.headThickness[1] = 99990;
    tall.pileLength = 99998;
    const SweepField* spacing = findSweepField("spacingSquare").field;
    const SweepWork few = sweepWork(Sweep(tall, {{spacing, {1, 3, 1}}}, {}));
    const SweepWork many = sweepWork(Sweep(tall, {{spacing, {1, 3, 0.001}}}, {}));
    EXPECT_GT(few.slicesPerPoint, 2'000'000);
    EXPECT_FALSE(few.tooMuch());
    EXPECT_EQ(many.points, 2001u);
    EXPECT_TRUE(many.tooMuch());

    const SweepField* head = findSweepField("headDiameter").field;
    const SweepWork grid = sweepWork(Sweep(settlementExample(), {{spacing, {1, 1000, 1}}, {head, {0.5, 1.499, 0.001}}}, {}));
    EXPECT_EQ(grid.points, 1'000'000u);
    EXPECT_FALSE(grid.tooMuch()) << grid.slicesPerPoint;
}

struct WorkCase {
    const char* name;
    int fillPoints;         // 0: no fill history
    bool postConstruction;  // an allowance after construction asks for the curve
    SweepRange range;       // of spacingSquare
    bool tooMuch;
    bool strengths = false;  // the stability is computed at every point
    bool marginRefused = false;  // the strengths given, with a width of the treated zone that is no number
};

class SweepWorkTest : public testing::TestWithParam<WorkCase> {};

// The consolidation of a point checked after construction is counted with
// its slices: a long fill history under many points is refused up front.
TEST_P(SweepWorkTest, ConsolidationCountsWithTheSlices)
{
    const WorkCase& c = GetParam();
    ProjectData p = settlementExample();
    for (const auto& [key, value] : {std::pair{"cv.head", "2"}, {"cv.shaft", "2,3"}, {"cv.base", "1.5,4,6"}})
        p.extension.set(key, value);
    if (c.fillPoints > 0)
        p.extension.set("fill", fillOf(c.fillPoints));
    if (c.strengths)
        setStrengths(p);
    if (c.marginRefused)
        p.extension.set("treatedMargin", "x");
    DesignDemands demands;
    if (c.postConstruction)
        demands.allowablePostConstruction = 100;
    const SweepWork work = sweepWork(Sweep(p, {{findSweepField("spacingSquare").field, c.range}}, demands));
    EXPECT_EQ(work.tooMuch(), c.tooMuch) << work.points << " points of " << work.slicesPerPoint;
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, SweepWorkTest,
    testing::Values(WorkCase{"longFillUnderAMillionPoints", 1000, true, {1, 1000.999, 0.001}, true},
                    WorkCase{"longFillUnder250Points", 1000, true, {1, 1.249, 0.001}, true},
                    WorkCase{"longFillUnder150Points", 1000, true, {1, 1.149, 0.001}, false},
                    WorkCase{"longFillNotCheckedUnderAMillionPoints", 1000, false, {1, 1000.999, 0.001}, false},
                    WorkCase{"fillAtOnceUnder100000Points", 0, true, {1, 100.999, 0.001}, true},
                    WorkCase{"fillAtOnceUnder50000Points", 0, true, {1, 50.999, 0.001}, false},
                    // About 8,000 circles of some 60 slices' time each a point.
                    WorkCase{"stabilityUnder5000Points", 0, false, {1, 5.999, 0.001}, true, true},
                    WorkCase{"stabilityUnder1000Points", 0, false, {1, 1.999, 0.001}, false, true},
                    WorkCase{"noStrengthsUnder5000Points", 0, false, {1, 5.999, 0.001}, false},
                    // A refused value: the stability is not computed.
                    WorkCase{"refusedStrengthsUnder5000Points", 0, false, {1, 5.999, 0.001}, false, true, true}),
    [](const auto& info) { return info.param.name; });

}  // namespace
