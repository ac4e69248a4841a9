#include "model/extension/extension_values.h"
#include "engine/sweep.h"
#include "model/extension/layer_names.h"
#include "model/file_numbers.h"
#include "model/soil_profile.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Stratum stratum(const char* name, double thickness, std::optional<double> qs, double es = 5.0,
                double gamma = 18.0)
{
    return {name, thickness, qs, es, gamma};
}

// A stratum of clay with one of its properties for the checks set.
Stratum clayWith(std::optional<double> Stratum::*property, double value)
{
    Stratum s = stratum("黏土", 3, 10);
    s.*property = value;
    return s;
}

// Bottoms at 2, 5 and 10 m; rock below without side friction.
SoilProfile borehole()
{
    return {stratum("黏土", 2, 10), stratum("粉土", 3, 12), stratum("砂", 5, 20),
            stratum("岩", 7, std::nullopt)};
}

SoilProfile thinStrata(int count, double thickness, std::optional<double> qs)
{
    SoilProfile profile(count, stratum("薄层", thickness, qs));
    profile.push_back(stratum("底", 1, qs));
    return profile;
}

using Layers = std::vector<std::pair<std::string, double>>;  // name, thickness

Layers layersOf(const std::vector<Stratum>& zone)
{
    Layers layers;
    for (const Stratum& s : zone)
        layers.emplace_back(s.name, s.thickness);
    return layers;
}

struct SplitCase {
    const char* name;
    SoilProfile profile;
    double headLength, pileLength;
    Layers head, shaft, base;
    std::string refusal;  // a part of the expected reason; empty when accepted
};

class SplitTest : public testing::TestWithParam<SplitCase> {};

void expectLayers(const Layers& actual, const Layers& expected, const char* zone)
{
    ASSERT_EQ(actual.size(), expected.size()) << zone;
    for (size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(actual[k].first, expected[k].first) << zone << " layer " << k + 1;
        EXPECT_NEAR(actual[k].second, expected[k].second, 1e-12) << zone << " layer " << k + 1;
    }
}

TEST_P(SplitTest, ZonesOrReason)
{
    const SplitCase& c = GetParam();
    const ProfileSplit split = splitProfile(c.profile, c.headLength, c.pileLength);
    if (!c.refusal.empty()) {
        EXPECT_NE(split.refusal.find(c.refusal), std::string::npos) << split.refusal;
        return;
    }
    ASSERT_EQ(split.refusal, "");
    expectLayers(layersOf(split.zones.head), c.head, "head");
    expectLayers(layersOf(split.zones.shaft), c.shaft, "shaft");
    expectLayers(layersOf(split.zones.base), c.base, "base");
}

const Layers kThin49(49, {"薄层", 0.1});

Layers thin48AndBottom()
{
    Layers layers(48, {"薄层", 0.1});
    layers.emplace_back("底", 1000);
    return layers;
}
const Layers kThin48AndBottom = thin48AndBottom();

INSTANTIATE_TEST_SUITE_P(
    Profiles, SplitTest,
    testing::Values(
        SplitCase{"boundariesOnHAndL", borehole(), 2, 10, {{"黏土", 2}},
                  {{"粉土", 3}, {"砂", 5}}, {{"岩", 1000}}, ""},
        SplitCase{"cutsInsideStrata", borehole(), 1.5, 7, {{"黏土", 1.5}},
                  {{"黏土", 0.5}, {"粉土", 3}, {"砂", 2}}, {{"砂", 3}, {"岩", 1000}}, ""},
        SplitCase{"headJustBelowABoundary", borehole(), 2 + 5e-8, 10, {{"黏土", 2 + 5e-8}},
                  {{"粉土", 3 - 5e-8}, {"砂", 5}}, {{"岩", 1000}}, ""},
        SplitCase{"pileJustAboveABoundary", borehole(), 2, 5 - 5e-8, {{"黏土", 2}},
                  {{"粉土", 3 - 5e-8}}, {{"砂", 5 + 5e-8}, {"岩", 1000}}, ""},
        SplitCase{"pileBeyondTheLastBoundary", {stratum("黏土", 2, 10), stratum("粉土", 3, 12)}, 2,
                  10, {{"黏土", 2}}, {{"粉土", 8}}, {{"粉土", 1000}}, ""},
        SplitCase{"oneStratumForEverything", {stratum("土", 0.5, 15)}, 2, 10, {{"土", 2}},
                  {{"土", 8}}, {{"土", 1000}}, ""},
        SplitCase{"fortyNineHeadLayers", thinStrata(49, 0.1, 10), 4.9, 6, kThin49, {{"底", 1.1}},
                  {{"底", 1000}}, ""},
        SplitCase{"fiftyHeadLayers", thinStrata(50, 0.1, 10), 5.0, 6, {}, {}, {},
                  "扩大头范围（0～H）的土层分为50层"},
        SplitCase{"fortyNineBaseLayers", thinStrata(49, 0.1, 10), 0.05, 0.1, {{"薄层", 0.05}},
                  {{"薄层", 0.05}}, kThin48AndBottom, ""},
        SplitCase{"fiftyBaseLayers", thinStrata(50, 0.1, 10), 0.05, 0.1, {}, {}, {},
                  "桩端以下的土层分为50层"},
        SplitCase{"emptyProfile", {}, 2, 10, {}, {}, {}, "剖面中没有土层"},
        SplitCase{"zeroThickness", {stratum("黏土", 0, 10), stratum("砂", 1, 20)}, 2, 10, {}, {},
                  {}, "第1层“黏土”的层厚应为大于0的有限数"},
        SplitCase{"negativeLastThickness", {stratum("黏土", 3, 10), stratum("砂", -1, 20)}, 2, 10,
                  {}, {}, {}, "第2层“砂”的层厚"},
        SplitCase{"thicknessNotFinite", {stratum("黏土", kInf, 10), stratum("砂", 1, 20)}, 2, 10, {}, {},
                  {}, "第1层“黏土”的层厚应为大于0的有限数"},
        SplitCase{"frictionNotFinite", {stratum("黏土", 3, kNaN)}, 2, 10, {}, {}, {},
                  "第1层“黏土”的侧摩阻力不是有限数"},
        SplitCase{"modulusNotANumber", {stratum("黏土", 3, 10, kNaN)}, 2, 10, {}, {}, {},
                  "压缩模量不是有限数"},
        SplitCase{"unboundedUnitWeight", {stratum("", 3, 10, 4, kInf)}, 2, 10, {}, {}, {},
                  "第1层的重度不是有限数"},
        SplitCase{"zeroFriction", {stratum("黏土", 3, 0), stratum("砂", 1, 20)}, 2, 10, {}, {}, {},
                  "第1层“黏土”的侧摩阻力qs应大于0"},
        SplitCase{"negativeModulus", {stratum("黏土", 3, 10, -5), stratum("砂", 1, 20)}, 2, 10, {}, {}, {},
                  "第1层“黏土”的压缩模量Es应大于0"},
        SplitCase{"zeroModulusBelowThePiles", {stratum("黏土", 11, 10), stratum("岩", 1, std::nullopt, 0)}, 2,
                  10, {}, {}, {}, "第2层“岩”的压缩模量Es应大于0"},
        SplitCase{"zeroUnitWeight", {stratum("黏土", 3, 10, 4, 0)}, 2, 10, {}, {}, {}, "第1层“黏土”的重度γ应大于0"},
        SplitCase{"negativeUnitWeight", {stratum("黏土", 3, 10), stratum("砂", 1, 20, 4, -18)}, 2, 10, {}, {},
                  {}, "第2层“砂”的重度γ应大于0"},
        SplitCase{"zeroCohesion", {clayWith(&Stratum::cohesion, 0)}, 2, 10, {{"黏土", 2}}, {{"黏土", 8}},
                  {{"黏土", 1000}}, ""},
        SplitCase{"negativeCohesion", {clayWith(&Stratum::cohesion, -0.1)}, 2, 10, {}, {}, {},
                  "第1层“黏土”的黏聚力c应为不小于0的数（kPa）"},
        SplitCase{"cohesionNotFinite", {clayWith(&Stratum::cohesion, kInf)}, 2, 10, {}, {}, {}, "的黏聚力c应为"},
        SplitCase{"zeroFrictionAngle", {clayWith(&Stratum::frictionAngle, 0)}, 2, 10, {{"黏土", 2}},
                  {{"黏土", 8}}, {{"黏土", 1000}}, ""},
        SplitCase{"negativeFrictionAngle", {clayWith(&Stratum::frictionAngle, -1)}, 2, 10, {}, {}, {},
                  "的内摩擦角φ应为不小于0且小于90的数（°）"},
        SplitCase{"frictionAngleJustBelow90", {clayWith(&Stratum::frictionAngle, 89.99)}, 2, 10, {{"黏土", 2}},
                  {{"黏土", 8}}, {{"黏土", 1000}}, ""},
        SplitCase{"frictionAngleOf90", {clayWith(&Stratum::frictionAngle, 90)}, 2, 10, {}, {}, {},
                  "的内摩擦角φ应为不小于0且小于90的数（°）"},
        SplitCase{"zeroCv", {clayWith(&Stratum::cv, 0)}, 2, 10, {}, {}, {}, "的固结系数cv应为大于0且不大于1000000的数"},
        SplitCase{"largestCv", {clayWith(&Stratum::cv, 1e6)}, 2, 10, {{"黏土", 2}}, {{"黏土", 8}},
                  {{"黏土", 1000}}, ""},
        SplitCase{"cvBeyondTheLargest", {clayWith(&Stratum::cv, 1.01e6)}, 2, 10, {}, {}, {}, "的固结系数cv应为"},
        SplitCase{"cvNotANumber", {clayWith(&Stratum::cv, kNaN)}, 2, 10, {}, {}, {}, "的固结系数cv应为"},
        SplitCase{"smallFak", {clayWith(&Stratum::fak, 0.01)}, 2, 10, {{"黏土", 2}}, {{"黏土", 8}},
                  {{"黏土", 1000}}, ""},
        SplitCase{"zeroFak", {clayWith(&Stratum::fak, 0)}, 2, 10, {}, {}, {}, "第1层“黏土”的地基承载力特征值fak应为大于0的数"},
        SplitCase{"fakNotFinite", {clayWith(&Stratum::fak, kInf)}, 2, 10, {}, {}, {}, "的地基承载力特征值fak应为"},
        SplitCase{"controlCharactersInAName", {stratum("\x1b[2J砂", 3, 0)}, 2, 10, {}, {}, {},
                  "第1层（无法识别的字符）的侧摩阻力"},
        SplitCase{"noFrictionAlongTheShaft", borehole(), 2, 12, {}, {}, {},
                  "第4层“岩”位于桩长范围内，但没有侧摩阻力qs"},
        SplitCase{"noFrictionAlongTheHead", {stratum("填土", 1, std::nullopt), stratum("砂", 1, 20)},
                  2, 10, {}, {}, {}, "第1层“填土”位于桩长范围内"},
        SplitCase{"noHead", borehole(), 0, 10, {}, {}, {}, "扩大头高度H应为大于0的有限数"},
        SplitCase{"headNotFinite", borehole(), kInf, 10, {}, {}, {}, "扩大头高度H应为大于0的有限数"},
        SplitCase{"pileNotBelowTheHead", borehole(), 2, 2, {}, {}, {}, "桩长L应为大于扩大头高度H"},
        SplitCase{"pileNotFinite", borehole(), 2, kInf, {}, {}, {}, "桩长L应为大于扩大头高度H"}),
    [](const testing::TestParamInfo<SplitCase>& info) { return std::string(info.param.name); });

// A profile of a hundred thousand thin strata (a 1 MiB table) is refused
// for its count of layers at once, with the count, however many strata it
// holds; the split reads only the strata around each layer (a split that
// read them all took 10 s each, over three minutes for these 21).
TEST(SoilProfile, ManyThinStrataAreCountedAndRefusedInLinearTime)
{
    const SoilProfile profile = thinStrata(100'000, 0.0001, 10);
    const double start = processorSeconds();
    const ProfileSplit split = splitProfile(profile, 2, 9);
    const ProfileSplitter splitter(profile);
    for (int point = 0; point < 20; ++point)
        EXPECT_NE(splitter.split(0.005 * (point + 1), 9).refusal, "");
    EXPECT_LT(processorSeconds() - start, 10.0);
    EXPECT_EQ(split.refusal, "扩大头范围（0～H）的土层分为20000层，超过每区最多49层。");
}

ProjectData scrambledLayers(ProjectData p)
{
    p.headLayerCount = p.shaftLayerCount = p.baseLayerCount = 7;
    for (LayerTable* t : {&p.headThickness, &p.shaftThickness, &p.baseThickness, &p.headFriction,
                          &p.shaftSoilModulus, &p.baseUnitWeight})
        t->fill(0.25);
    return p;
}

TEST(SoilProfile, ASplitRecordComputesExactlyAsTheTypedLayers)
{
    ProjectData typed = settlementExample();
    typed.baseThickness[3] = kUnboundedLayerThickness;  // as the layer form stores the last one
    ProjectData split = scrambledLayers(typed);
    ASSERT_EQ(applyProfile(profileFromRecord(typed), split), "");

    EXPECT_EQ(split.headLayerCount, 1);
    EXPECT_EQ(split.shaftLayerCount, 2);
    EXPECT_EQ(split.baseLayerCount, 3);
    EXPECT_EQ(split.computeCapacity(), typed.computeCapacity());
    EXPECT_EQ(split.pileCapacity, typed.pileCapacity);
    EXPECT_EQ(split.settlementByDeformationRatio(), typed.settlementByDeformationRatio());
    EXPECT_EQ(split.settlementByStressRatio(0.2), typed.settlementByStressRatio(0.2));
    EXPECT_EQ(split.settlementByStressRatio(0.1), typed.settlementByStressRatio(0.1));
}

TEST(SoilProfile, ARefusedSplitLeavesTheRecordAsItWas)
{
    ProjectData record = scrambledLayers(settlementExample());
    record.pileLength = 12;  // into the rock, which has no side friction
    const ProjectData before = record;
    EXPECT_NE(applyProfile(borehole(), record), "");
    EXPECT_EQ(record, before);
}

// A value of the test's strata: a tenth of a whole number, so that the
// extension block's six digits hold it exactly; unset one time in four.
std::optional<double> randomValue(std::mt19937& random, int lowest, int highest)
{
    if (std::uniform_int_distribution(0, 3)(random) == 0)
        return std::nullopt;
    return std::uniform_int_distribution(lowest, highest)(random) / 10.0;
}

SoilProfile randomProfile(std::mt19937& random)
{
    SoilProfile profile;
    const int count = std::uniform_int_distribution(1, 7)(random);
    for (int i = 0; i < count; ++i) {
        Stratum s = stratum("", std::uniform_int_distribution(1, 40)(random) / 10.0, 10);
        s.name = i % 3 == 2 ? "" : "层,\\" + std::to_string(i) + (i % 2 ? "\n黏土" : "");
        s.cv = randomValue(random, 1, 2000);
        s.fak = randomValue(random, 1, 3000);
        s.cohesion = randomValue(random, 0, 400);
        s.frictionAngle = randomValue(random, 0, 899);
        profile.push_back(s);
    }
    return profile;
}

// A depth on the grid of the strata (every 0.1 m), often a stratum's bottom.
double randomCut(std::mt19937& random, const SoilProfile& profile, double above)
{
    double depth = 0;
    for (const Stratum& s : profile)
        if ((depth += s.thickness) > above && std::uniform_int_distribution(0, 2)(random) == 0)
            return depth;
    return above + std::uniform_int_distribution(1, 30)(random) / 10.0;
}

// The stratum at a depth (m) below the pile tops.
const Stratum& stratumAt(const SoilProfile& profile, double depth)
{
    double bottom = 0;
    for (const Stratum& s : profile)
        if ((bottom += s.thickness) > depth)
            return s;
    return profile.back();
}

struct ZoneOfRecord {
    const char* name;
    const LayerTable& thickness;
    int count;
    double top;
    const char* keys[4];  // cv, fak, c, phi; null where the zone has none
};

void expectZoneValues(const ProjectData& p, const SoilProfile& profile, const ZoneOfRecord& zone)
{
    std::vector<const Stratum*> strata;
    double top = zone.top;
    for (int k = 1; k <= zone.count; ++k) {
        strata.push_back(&stratumAt(profile, top + std::min(zone.thickness[k], 1.0) / 2));
        top += zone.thickness[k];
        EXPECT_EQ(layerName(p, zone.name, k), strata.back()->name) << zone.name << " layer " << k;
    }
    std::optional<double> Stratum::*properties[] = {&Stratum::cv, &Stratum::fak, &Stratum::cohesion,
                                                     &Stratum::frictionAngle};
    for (int i = 0; i < 4; ++i) {
        if (!zone.keys[i])
            continue;
        const std::string list = p.extension.value(zone.keys[i]);
        const bool anyGiven = std::any_of(strata.begin(), strata.end(),
                                          [&](const Stratum* s) { return (s->*properties[i]).has_value(); });
        ASSERT_EQ(!list.empty(), anyGiven) << zone.keys[i];
        if (list.empty())
            continue;
        const std::vector<std::string_view> items = splitValue(list, ',');
        ASSERT_EQ(items.size(), strata.size()) << zone.keys[i] << " " << list;
        for (size_t k = 0; k < items.size(); ++k) {
            const std::optional<double>& expected = strata[k]->*properties[i];
            double value = 0;
            if (!expected)
                EXPECT_EQ(items[k], "") << zone.keys[i] << " layer " << k + 1;
            else
                EXPECT_TRUE(parseFileNumber(items[k], value) && value == *expected)
                    << zone.keys[i] << " layer " << k + 1 << ": " << items[k] << " for " << *expected;
        }
    }
}

// Over random strata and cuts (a third of them on a stratum's bottom), each
// layer of each zone gets the name and the properties of the stratum it
// lies in, and they survive a save and a load of the project.
TEST(SoilProfile, TheZonesKeepTheNamesAndPropertiesOfTheirStrata)
{
    std::mt19937 random(20261208);
    const std::string folder = scratchFolder("split-properties");
    for (int trial = 0; trial < 200; ++trial) {
        const SoilProfile profile = randomProfile(random);
        ProjectData p = settlementExample();
        p.headLength = randomCut(random, profile, 0);
        p.pileLength = randomCut(random, profile, p.headLength);
        ASSERT_EQ(applyProfile(profile, p), "") << "trial " << trial;
        const ZoneOfRecord zones[] = {
            {"name.head", p.headThickness, p.headLayerCount, 0, {"cv.head", nullptr, "c.head", "phi.head"}},
            {"name.shaft", p.shaftThickness, p.shaftLayerCount, p.headLength,
             {"cv.shaft", nullptr, "c.shaft", "phi.shaft"}},
            {"name.base", p.baseThickness, p.baseLayerCount, p.pileLength, {"cv.base", "fak.base", "c.base", "phi.base"}},
        };
        for (const ZoneOfRecord& zone : zones) {
            SCOPED_TRACE("trial " + std::to_string(trial) + " " + zone.name);
            expectZoneValues(p, profile, zone);
        }
        const std::string path = folder + "/工程.txt";
        ASSERT_TRUE(p.saveProject(path, {}).ok);
        ProjectData loaded;
        ASSERT_TRUE(loaded.loadProject(path).ok);
        EXPECT_EQ(loaded.extension, p.extension) << "trial " << trial;
    }
}

// A property no stratum gives leaves the record's own lists; one that some
// stratum gives replaces them, also in a zone where no stratum gives it.
TEST(SoilProfile, APropertyOfNoStratumKeepsTheRecordsLists)
{
    ProjectData p = settlementExample();
    p.extension.set("cv.head", "7");
    p.extension.set("c.base", "9,9,9");
    p.headLength = 2;
    p.pileLength = 10;
    SoilProfile profile = borehole();
    profile[3].cohesion = 12;
    ASSERT_EQ(applyProfile(profile, p), "");
    EXPECT_EQ(p.extension.value("cv.head"), "7");
    EXPECT_EQ(p.extension.value("c.head"), "");
    EXPECT_EQ(p.extension.value("c.base"), "12");
    EXPECT_EQ(p.extension.value("name.shaft"), "粉土,砂");
}

TEST(SoilProfile, BuiltBackFromTheZonesWithEqualNeighboursMerged)
{
    ProjectData p = settlementExample();
    p.shaftSoilModulus[1] = p.headSoilModulus[1];
    p.shaftUnitWeight[1] = p.headUnitWeight[1];
    p.shaftFriction[1] = p.headFriction[1];
    p.baseSoilModulus[2] = p.baseSoilModulus[1];
    p.baseUnitWeight[2] = p.baseUnitWeight[1];

    const SoilProfile profile = profileFromRecord(p);
    const SoilProfile expected{
        {"土层1", 6.0, 10.0, 3.0, 18.0},
        {"土层2", 4.0, 12.0, 6.0, 19.0},
        {"土层3", 8.0, std::nullopt, 8.0, 19.0},
        {"土层4", 10.0, std::nullopt, 15.0, 20.0},
    };
    EXPECT_EQ(profile, expected);
}

// A record split from a borehole log is built back with its strata's
// names: a stratum cut by H is whole again, and neighbours of equal values
// but other names stay apart.
TEST(SoilProfile, BuiltBackWithTheNamesOfTheSplit)
{
    ProjectData p = settlementExample();
    p.headLength = 1;
    p.pileLength = 4;
    ASSERT_EQ(applyProfile({stratum("黏土", 2, 10), stratum("粉质黏土", 3, 10), stratum("岩", 7, std::nullopt)}, p), "");
    const SoilProfile expected{stratum("黏土", 2, 10), stratum("粉质黏土", 2, 10),
                               stratum("粉质黏土", 1, std::nullopt), stratum("岩", 1000, std::nullopt)};
    EXPECT_EQ(profileFromRecord(p), expected);
}

// Each point of a pile-length and head-height grid is the profile split at
// that point's H and L, computed as the forms compute typed layers; a point
// whose pile reaches the rock has the split's reason.
TEST(SoilProfile, SweepOfTheLengthsSplitsTheProfileAtEachPoint)
{
    const ProjectData base = settlementExample();
    const SoilProfile profile = borehole();
    ASSERT_EQ(findSweepField("pileLength").field, nullptr);
    const SweepAxis heads{findSweepField("headLength", true).field, {1.5, 2.5, 0.5}};
    const SweepAxis piles{findSweepField("pileLength", true).field, {8, 11, 1}};
    const Sweep sweep(base, {heads, piles}, {},
                      [&](ProjectData& p) { return applyProfile(profile, p); });
    ASSERT_EQ(sweep.size(), 12u);

    for (std::size_t i = 0; i < sweep.size(); ++i) {
        const SweepPoint point = sweep.point(i);
        ProjectData typed = base;
        typed.headLength = point.values[0];
        typed.pileLength = point.values[1];
        const std::string refusal = applyProfile(profile, typed);
        if (typed.pileLength > 10) {
            EXPECT_EQ(point.fault, refusal);
            EXPECT_NE(refusal.find("第4层“岩”"), std::string::npos);
            continue;
        }
        ASSERT_EQ(point.fault, "") << "point " << i;
        typed.deriveEquivalentDiameter();
        EXPECT_EQ(point.results.compositeCapacity, typed.computeCapacity()) << "point " << i;
        EXPECT_EQ(point.results.pileCapacity, typed.pileCapacity);
        EXPECT_EQ(point.results.settlementDeformationRatio, typed.settlementByDeformationRatio());
        EXPECT_EQ(point.results.settlementStressRatio01, typed.settlementByStressRatio(0.1));
    }
}

}  // namespace
