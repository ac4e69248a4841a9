#include "engine/breakdown.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double kUnchecked = std::numeric_limits<double>::quiet_NaN();

// Equal to the last bit, or both not a number.
void expectSameBits(double actual, double expected, const char* what)
{
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(actual)) << what;
    else
        EXPECT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected))
            << what << ": " << actual << " against " << expected;
}

ProjectData bundledExample(const std::string& name)
{
    ProjectData p{};
    const FileStatus status = p.loadProject(std::string(ORVANE_EXAMPLES_DIR) + "/" + name);
    EXPECT_TRUE(status.ok) << status.reason;
    p.deriveEquivalentDiameter();
    return p;
}

ProjectData withHeadLayer(double thickness)
{
    ProjectData p = settlementExample();
    p.headThickness[1] = thickness;
    return p;
}

ProjectData withBaseLayers(int count, double unitWeight)
{
    ProjectData p = settlementExample();
    p.baseLayerCount = count;
    p.baseUnitWeight[1] = unitWeight;
    return p;
}

ProjectData withStrengths(double head, double shaft)
{
    ProjectData p = settlementExample();
    p.headStrengthFactor = head;
    p.shaftStrengthFactor = shaft;
    return p;
}

struct BreakdownCase {
    const char* name;
    std::function<ProjectData()> project;
    int criterion;
    Resistance governing;
    StopReason stoppedBy;
    double stopDepth;  // m, or kUnchecked
    double thinnestSliceBelow = 1.0;  // m: a slice thinner than this must occur
};

class BreakdownTest : public testing::TestWithParam<BreakdownCase> {};

TEST_P(BreakdownTest, CapacityTermsGiveTheComputedCapacities)
{
    ProjectData p = GetParam().project();
    const CapacityTerms terms = capacityTerms(p);
    const double composite = p.computeCapacity();
    expectSameBits(terms.composite.capacity, composite, "fspk");
    expectSameBits(terms.composite.pileCapacity, p.pileCapacity, "Ra");
    expectSameBits(terms.composite.pileTerm + terms.composite.soilTerm, composite, "fspk terms");
    EXPECT_EQ(terms.governing, GetParam().governing);
    expectSameBits(resistance(terms, terms.governing), p.pileCapacity, "governing resistance");
    expectSameBits(terms.headFriction + terms.shaftFriction + terms.stepBearing + terms.tipBearing,
                   terms.bySoil, "by the soil");
    expectSameBits(compositeTerms(p, p.manualPileCapacity).capacity, p.computeCapacityManual(),
                   "fspk with the typed Ra");
}

TEST_P(BreakdownTest, SlicesAddUpToTheSettlement)
{
    const BreakdownCase& c = GetParam();
    ProjectData p = c.project();
    p.stopCriterion = c.criterion;
    const SettlementDetails d = settlementDetails(p, c.criterion);

    expectSameBits(d.total, p.settlementByCriterion(), "total");
    expectSameBits(d.head + d.shaft + d.base, d.total, "zone totals");
    double zoneSums[3] = {0, 0, 0};
    double thinnest = std::numeric_limits<double>::infinity();
    for (const SettlementSlice& s : d.slices) {
        zoneSums[static_cast<int>(s.zone)] += s.settlement;
        thinnest = std::min(thinnest, s.bottom - s.top);
        EXPECT_EQ(s.tested, s.zone == SettlementZone::Base);
    }
    ASSERT_FALSE(d.slices.empty());
    if (c.stoppedBy != StopReason::SliceLimit) {
        expectSameBits(zoneSums[0], d.head, "head slices");
        expectSameBits(zoneSums[1], d.shaft, "shaft slices");
        expectSameBits(zoneSums[2], d.base, "base slices");
        expectSameBits(d.slices.back().cumulative, d.total, "running total");
    }
    EXPECT_LT(thinnest, c.thinnestSliceBelow);

    const std::vector<SettlementLayer> layers = settlementLayers(d);
    int sliceCount = 0;
    for (const SettlementLayer& layer : layers)
        sliceCount += layer.sliceCount;
    EXPECT_EQ(sliceCount, static_cast<int>(d.slices.size()));
    expectSameBits(layers.back().cumulative, d.slices.back().cumulative, "last layer");

    EXPECT_EQ(d.stoppedBy, c.stoppedBy);
    if (!std::isnan(c.stopDepth)) {
        EXPECT_NEAR(d.stopDepth, c.stopDepth, 1e-9);
    }
    const SettlementSlice& last = d.slices.back();
    if (last.tested && c.stoppedBy != StopReason::SliceLimit) {
        EXPECT_EQ(c.stoppedBy == StopReason::Criterion,
                  c.criterion == kStopDeformationRatio ? last.testValue <= last.testLimit
                                                       : last.testValue < last.testLimit);
    }
}

const auto settlementExampleProject = [] { return settlementExample(); };

INSTANTIATE_TEST_SUITE_P(
    ExamplesAndAwkwardCases, BreakdownTest,
    testing::Values(
        BreakdownCase{"workedDeformationRatio", settlementExampleProject, kStopDeformationRatio,
                      Resistance::Soil, StopReason::Criterion, 19.0},
        BreakdownCase{"workedStressRatio02", settlementExampleProject, kStopStressRatio02,
                      Resistance::Soil, StopReason::Criterion, kUnchecked},
        BreakdownCase{"workedStressRatio01", settlementExampleProject, kStopStressRatio01,
                      Resistance::Soil, StopReason::Criterion, kUnchecked},
        BreakdownCase{"bundledWorkedExample", [] { return bundledExample("worked-example.txt"); },
                      kStopDeformationRatio, Resistance::Soil, StopReason::Criterion, kUnchecked},
        BreakdownCase{"bundledCountyRoad",
                      [] { return bundledExample("county-road-rectangular-grid.txt"); },
                      kStopStressRatio01, Resistance::Soil, StopReason::Criterion, kUnchecked},
        BreakdownCase{"bundledExpressway",
                      [] { return bundledExample("expressway-triangular-grid.txt"); },
                      kStopStressRatio02, Resistance::ShaftBody, StopReason::Criterion, kUnchecked},
        BreakdownCase{"sliceOfFiveFemtometres", [] { return withHeadLayer(2.0 + 5e-15); },
                      kStopDeformationRatio, Resistance::Soil, StopReason::Criterion, kUnchecked,
                      1e-14},
        BreakdownCase{"metOnTheFirstBaseSlice", [] { return withBaseLayers(3, 1e9); },
                      kStopStressRatio01, Resistance::Soil, StopReason::Criterion, 11.0},
        BreakdownCase{"baseLayersExhausted", [] { return withBaseLayers(1, 19.0); },
                      kStopStressRatio01, Resistance::Soil, StopReason::LayersExhausted, 13.0},
        BreakdownCase{"noBaseLayers", [] { return withBaseLayers(0, 19.0); },
                      kStopDeformationRatio, Resistance::Soil, StopReason::LayersExhausted, 10.0},
        BreakdownCase{"layerBeyondTheSliceLimit", [] { return withHeadLayer(1e12); },
                      kStopStressRatio02, Resistance::HeadBody, StopReason::SliceLimit, kUnchecked},
        BreakdownCase{"weakShaftBody", [] { return withStrengths(0.7, 0.01); },
                      kStopStressRatio02, Resistance::ShaftBody, StopReason::Criterion, kUnchecked},
        BreakdownCase{"weakHeadBody", [] { return withStrengths(0.1, 0.6); },
                      kStopStressRatio02, Resistance::HeadBody, StopReason::Criterion, kUnchecked}),
    [](const auto& info) { return std::string(info.param.name); });

// Layers of the head zone cut at 0.1 m: the calculation keeps the ~1e-14 m
// sliver that repeated addition leaves of a whole number of steps, people
// count it with the slice above; a genuine short last slice counts.
struct CountCase {
    const char* name;
    double thickness;  // m, the only head layer
    int counted;
};

class PersonCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(PersonCountTest, SliverCountsWithTheSliceAbove)
{
    ProjectData p = settlementExample();
    p.headLength = GetParam().thickness;
    p.headLayerCount = 1;
    p.headThickness[1] = GetParam().thickness;
    p.pileLength = GetParam().thickness + sumLayers(p.shaftThickness, p.shaftLayerCount);
    const SettlementLayer head = settlementLayers(settlementDetails(p, kStopStressRatio02)).front();
    EXPECT_EQ(head.countedSlices, GetParam().counted);
    EXPECT_GE(head.sliceCount, head.countedSlices);
}

INSTANTIATE_TEST_SUITE_P(HeadLayers, PersonCountTest,
                         ::testing::Values(CountCase{"fourMetres", 4.0, 40}, CountCase{"threeMetres", 3.0, 30},
                                           CountCase{"oneMetre", 1.0, 10}, CountCase{"shortLastSlice", 1.05, 11},
                                           CountCase{"thinnerThanAStep", 0.05, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettlementDetails, UnknownCriterionHasNoSlices)
{
    const SettlementDetails d = settlementDetails(settlementExample(), 3);
    EXPECT_TRUE(std::isnan(d.total));
    EXPECT_TRUE(d.slices.empty());
}

}  // namespace
