#include "cli/report.h"
#include "engine/sections.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <new>
#include <vector>

namespace {

const std::string kExamples = ORVANE_EXAMPLES_DIR;
// The stability depends on q: a section and its project alone under the same.
const DesignDemands kDemands{20, 300};

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

ProjectData loadExample(const std::string& name)
{
    ProjectData p{};
    const FileStatus status = p.loadProject(kExamples + "/" + name);
    EXPECT_TRUE(status.ok) << status.reason;
    return p;
}

const SweepField& field(const char* name) { return *findSweepField(name, true).field; }

Section sectionWith(double chainage, std::vector<SectionValue> values, bool withProfile)
{
    Section s;
    s.chainage = chainage;
    s.values = std::move(values);
    if (withProfile)
        s.profile = ProfileSplitter(loadProfileCsv(kExamples + "/borehole.csv").profile);
    return s;
}

// The section's project typed into the forms, saved and computed alone, as
// orvane-cli computes a project file.
ProjectReport projectAlone(const std::string& example, const Section& s, const std::string& folder)
{
    ProjectData p = loadExample(example);
    for (const SectionValue& v : s.values)
        p.*(v.field->member) = v.value;
    if (s.profile) {
        EXPECT_EQ(applyProfile(loadProfileCsv(kExamples + "/borehole.csv").profile, p), "");
    }
    const std::string file = folder + "/" + std::to_string(s.chainage) + ".txt";
    EXPECT_TRUE(p.saveProject(file, fixedSaveTime()).ok);
    ReportOptions options;
    options.demands = kDemands;
    return reportProject(file, options);
}

void expectSameNumbers(const SweepPoint& point, const ProjectReport& alone, const std::string& label)
{
    ASSERT_TRUE(point.valid()) << label << ": " << point.fault;
    const DesignResults& r = point.results;
    EXPECT_EQ(bits(r.equivalentDiameter), bits(alone.equivalentDiameter)) << label;
    EXPECT_EQ(bits(r.pileCapacity), bits(alone.pileCapacity)) << label;
    EXPECT_EQ(bits(r.compositeCapacity), bits(alone.compositeCapacity)) << label;
    EXPECT_EQ(bits(r.settlementDeformationRatio), bits(alone.settlementDeformationRatio)) << label;
    EXPECT_EQ(bits(r.settlementStressRatio02), bits(alone.settlementStressRatio02)) << label;
    EXPECT_EQ(bits(r.settlementStressRatio01), bits(alone.settlementStressRatio01)) << label;
    if (alone.checks) {
        EXPECT_EQ(point.checks.stability.state, alone.checks->stability.state) << label;
        EXPECT_EQ(bits(point.checks.stabilityFactor()), bits(alone.checks->stabilityFactor())) << label;
    }
}

struct IdentityCase {
    const char* name;
    std::string example;
    std::vector<Section> sections;
};

class SectionIdentityTest : public testing::TestWithParam<IdentityCase> {};

TEST_P(SectionIdentityTest, EverySectionAsItsProjectAlone)
{
    const IdentityCase& c = GetParam();
    const std::string folder = scratchFolder(std::string("SectionIdentity_") + c.name);
    const std::vector<SweepPoint> points = computeSections(loadExample(c.example), c.sections, kDemands);
    ASSERT_EQ(points.size(), c.sections.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        expectSameNumbers(points[i], projectAlone(c.example, c.sections[i], folder), "section " + std::to_string(i));
}

// Forty sections along a road: the fill rising and falling, the layout and
// the borehole changing.
std::vector<Section> generatedRoad()
{
    std::vector<Section> road;
    for (int i = 0; i < 40; ++i) {
        // Quotients of whole numbers: the doubles a file's decimals read as.
        std::vector<SectionValue> values{{&field("embankmentHeight"), (20 + i % 25) / 10.0},
                                         {&field("embankmentTopWidth"), 10.0 + i % 4},
                                         {&field("spacingSquare"), (160 + 5 * (i % 7)) / 100.0}};
        if (i % 3 == 0)
            values.push_back({&field("pileLength"), 8.0 + i % 5});
        road.push_back(sectionWith(20.0 * i, values, i % 3 == 0));
    }
    return road;
}

INSTANTIATE_TEST_SUITE_P(
    Roads, SectionIdentityTest,
    testing::Values(IdentityCase{"worked", "worked-example.txt", {sectionWith(0, {}, false)}},
                    IdentityCase{"expressway", "expressway-triangular-grid.txt", {sectionWith(0, {}, false)}},
                    IdentityCase{"countyRoad", "county-road-rectangular-grid.txt", {sectionWith(0, {}, false)}},
                    IdentityCase{"workedWithProfile", "worked-example.txt", {sectionWith(0, {}, true)}},
                    IdentityCase{"generatedRoad", "worked-example.txt", generatedRoad()}),
    [](const auto& info) { return std::string(info.param.name); });

// The worked example with cv for each of its layers (1 head, 2 shaft, 3
// base) and a fill history reaching its h; the bundled borehole splits it
// into 2 head layers.
ProjectData withLayerValues()
{
    ProjectData p = loadExample("worked-example.txt");
    p.extension.set("cv.head", "2");
    p.extension.set("cv.shaft", "2,3");
    p.extension.set("cv.base", "1.5,4,6");
    p.extension.set("fill", "0:0,90:" + std::to_string(p.embankmentHeight));
    return p;
}

// The section's borehole: none, the bundled one without the strata's own
// values, or with them.
enum class Borehole { None, WithoutValues, WithValues };

ProfileSplitter boreholeOf(Borehole kind)
{
    SoilProfile profile = loadProfileCsv(kExamples + "/borehole.csv").profile;
    if (kind == Borehole::WithoutValues)
        for (Stratum& stratum : profile)
            stratum = Stratum(stratum.name, stratum.thickness, stratum.friction, stratum.soilModulus, stratum.unitWeight);
    return ProfileSplitter(profile);
}

// A cell of the section table: its column's key, its text, its column.
struct SettingCell {
    const char* key;
    const char* text;
    std::size_t column;
};

struct DemandCase {
    const char* name;
    std::vector<SettingCell> settings;
    Borehole borehole;
    std::string fault;                    // part of the section's refusal; empty when computed
    std::optional<double> limit{};        // the allowance after construction it is checked against
    std::string limitSource{};            // part of where that comes from
    std::optional<Verdict> verdict{};
    std::string reason{};                 // part of why the check was not made
    std::vector<std::pair<const char*, const char*>> baseValues{};  // added to the base project's extension
};

class SectionDemandsTest : public testing::TestWithParam<DemandCase> {};

// A section's own demands and histories replace the base project's; a
// check its layers cannot make is not made, and the section does not fail
// for it.
TEST_P(SectionDemandsTest, CheckedAgainstItsOwnDemands)
{
    const DemandCase& c = GetParam();
    Section s = sectionWith(0, {}, false);
    if (c.borehole != Borehole::None)
        s.profile = boreholeOf(c.borehole);
    s.row = 7;
    for (const SettingCell& cell : c.settings)
        s.settings.push_back(readSectionSetting(cell.key, cell.text, cell.column));
    ProjectData base = withLayerValues();
    for (const auto& [key, value] : c.baseValues)
        base.extension.set(key, value);
    const SweepPoint point = computeSections(base, {s}, {20, 300}).front();
    if (!c.fault.empty()) {
        EXPECT_NE(point.fault.find(c.fault), std::string::npos) << point.fault;
        return;
    }
    ASSERT_TRUE(point.valid()) << point.fault;
    // The section opened as a project of its own holds its values and is
    // assessed alike.
    ProjectData alone = sectionProject(base, s);
    const DesignChecks aloneChecks = checkDesign(alone, computeDesign(alone), {20, 300}, readExtensionInputs(alone));
    EXPECT_EQ(aloneChecks.verdict(), point.checks.verdict());
    const CheckOutcome* post = point.checks.outcome(CheckKind::PostConstruction);
    const CheckOutcome* alonePost = aloneChecks.outcome(CheckKind::PostConstruction);
    ASSERT_EQ(alonePost != nullptr, post != nullptr);
    if (post)
        EXPECT_EQ(alonePost->limit, post->limit);
    ASSERT_EQ(post != nullptr, c.limit.has_value());
    if (!post)
        return;
    EXPECT_EQ(post->limit, *c.limit);
    EXPECT_NE(post->limitSource.find(c.limitSource), std::string::npos) << post->limitSource;
    EXPECT_EQ(post->ok.has_value(), c.reason.empty()) << post->reason;
    EXPECT_NE(post->reason.find(c.reason), std::string::npos) << post->reason;
    EXPECT_EQ(point.checks.verdict(), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, SectionDemandsTest,
    testing::Values(
        DemandCase{"noDemandAfterConstruction", {}, Borehole::None, "", std::nullopt, "", Verdict::Passes},
        DemandCase{"abutmentOfAHighway", {{"roadClass", "highway", 2}, {"location", "abutment", 3}}, Borehole::None, "", 100.0,
                   "按高速公路、一级公路、桥台与路堤相邻处查表", Verdict::Passes},
        DemandCase{"generalStretchOfASecondClassRoad", {{"roadClass", "second", 2}, {"location", "general", 3}}, Borehole::None,
                   "", 500.0, "二级公路、一般路段", Verdict::Passes},
        DemandCase{"typedAllowanceOverTheTable",
                   {{"roadClass", "highway", 2}, {"location", "abutment", 3}, {"allowablePostConstruction", "0.01", 4}},
                   Borehole::None, "", 0.01, "工程输入", Verdict::Fails},
        // The base project's cv lists describe its own layers: with a
        // profile of other layers and no values of its own, they cannot be
        // used, and the check is not made rather than failed.
        DemandCase{"baseListsNotMatchingTheProfilesLayers", {{"roadClass", "highway", 2}, {"location", "culvert", 3}},
                   Borehole::WithoutValues, "", 200.0, "涵洞、通道处", Verdict::Unchecked, "cv.head"},
        // The strata's own values replace the base project's lists.
        DemandCase{"strataValuesOverTheBaseLists", {{"roadClass", "highway", 2}, {"location", "culvert", 3}},
                   Borehole::WithValues, "", 200.0, "涵洞、通道处", Verdict::Passes},
        DemandCase{"ownFillNotEndingAtTheBaseProjectsHeight", {{"fill", "0:0,90:1", 4}}, Borehole::None,
                   "第7行第5列（填土过程）：最后的填土高度应等于路堤高度h"},
        DemandCase{"ownPavementDayBeforeItsOwnFillEnds", {{"pavementDay", "60", 5}, {"fill", "0:0,50:1,90:3", 4}},
                   Borehole::None, "第7行第6列（路面完工（天））：路面完工时间应为不早于填土完成"},
        // Half of the fill's strength keeps the base project's other half.
        DemandCase{"halfOfTheFillStrengthWithTheBaseProjectsOther", {{"c.fill", "15", 4}}, Borehole::None, "",
                   std::nullopt, "", std::nullopt, "", {{"c.fill", "10"}, {"phi.fill", "28"}}},
        DemandCase{"halfOfTheFillStrengthWithoutTheBaseProjectsOther", {{"c.fill", "15", 4}}, Borehole::None,
                   "第7行：phi.fill：应与c.fill同时给出"}),
    [](const auto& info) { return std::string(info.param.name); });

SweepPoint computed(double capacity, double demand, double settlement)
{
    SweepPoint p;
    p.checks.bearingCapacity = capacity;
    p.checks.bearingDemand = demand;
    p.checks.settlement = settlement;
    return p;
}

SweepPoint withFactor(double settlement, double factor)
{
    SweepPoint p = computed(200, 100, settlement);
    p.checks.stability.result.emplace().factor = factor;
    return p;
}

SweepPoint refused()
{
    SweepPoint p = computed(1, 1000, 9999);
    p.fault = "输入的参数有误，请检查后重新计算！";
    return p;
}

struct GoverningCase {
    const char* name;
    std::vector<SweepPoint> points;
    std::optional<std::size_t> bearing;
    std::optional<std::size_t> settlement;
    std::optional<std::size_t> stability = std::nullopt;
};

class GoverningTest : public testing::TestWithParam<GoverningCase> {};

TEST_P(GoverningTest, LeastBearingRatioAndLargestSettlement)
{
    const GoverningSections g = governingSections(GetParam().points);
    EXPECT_EQ(g.bearing, GetParam().bearing);
    EXPECT_EQ(g.settlement, GetParam().settlement);
    EXPECT_EQ(g.stability, GetParam().stability);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, GoverningTest,
    testing::Values(
        GoverningCase{"ratioNotMargin", {computed(130, 100, 50), computed(60, 40, 40), computed(300, 200, 60)}, 0, 2},
        GoverningCase{"firstOfEqualOnes", {computed(200, 100, 60), computed(200, 100, 60)}, 0, 0},
        // A later section is weighed against the section governing bearing,
        // not against the one governing settlement.
        GoverningCase{"eachCheckAgainstItsOwnGoverningSection",
                      {computed(120, 100, 50), computed(200, 100, 80), computed(150, 100, 40)}, 0, 1},
        GoverningCase{"refusedSectionsNeverGovern", {refused(), computed(200, 100, 50), refused()}, 1, 1},
        GoverningCase{"nothingComputed", {refused()}, std::nullopt, std::nullopt},
        GoverningCase{"noSections", {}, std::nullopt, std::nullopt},
        GoverningCase{"leastFactor", {withFactor(50, 1.4), withFactor(60, 1.2), withFactor(40, 1.3)}, 0, 1, 1},
        GoverningCase{"firstOfEqualFactors", {withFactor(50, 1.25), withFactor(50, 1.25)}, 0, 0, 0},
        GoverningCase{"sectionsWithoutFactorNeverGovernStability",
                      {computed(200, 100, 50), withFactor(40, 1.5), computed(200, 100, 30)}, 0, 0, 1},
        GoverningCase{"refusedSectionsNeverGovernStability", {withFactor(50, 1.6), refused()}, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct StretchCase {
    const char* name;
    std::vector<double> chainages;
    std::vector<std::optional<double>> best;  // the best swept value per section
    bool largest;
    double shortest;
    std::vector<Stretch> expected;
};

class StretchTest : public testing::TestWithParam<StretchCase> {};

TEST_P(StretchTest, AdjacentSectionsSharingOneDesign)
{
    const StretchCase& c = GetParam();
    std::vector<Section> sections;
    std::vector<std::optional<SweepPoint>> best;
    for (std::size_t i = 0; i < c.chainages.size(); ++i) {
        sections.push_back(sectionWith(c.chainages[i], {}, false));
        best.push_back(c.best[i] ? std::optional<SweepPoint>(SweepPoint{{*c.best[i]}, {}, {}, {}}) : std::nullopt);
    }
    const std::vector<Stretch> stretches = designStretches(sections, best, c.largest, c.shortest);
    ASSERT_EQ(stretches.size(), c.expected.size());
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        EXPECT_EQ(stretches[i].first, c.expected[i].first) << i;
        EXPECT_EQ(stretches[i].last, c.expected[i].last) << i;
        EXPECT_EQ(stretches[i].value, c.expected[i].value) << i;
        EXPECT_EQ(stretches[i].decidedBy, c.expected[i].decidedBy) << i;
    }
}

const std::vector<double> kEvery50m{0, 50, 100, 150, 200, 250};

INSTANTIATE_TEST_SUITE_P(
    Roads, StretchTest,
    testing::Values(
        StretchCase{"runsOfEqualValues", kEvery50m, {2.0, 2.0, 1.8, 1.8, 1.8, 2.0}, true, 0,
                    {{0, 1, 2.0, 0}, {2, 4, 1.8, 2}, {5, 5, 2.0, 5}}},
        StretchCase{"noDesignIsAStretchOfItsOwn", kEvery50m, {2.0, std::nullopt, std::nullopt, 2.0, 2.0, 2.0}, true, 500,
                    {{0, 0, 2.0, 0}, {1, 2, std::nullopt, 1}, {3, 5, 2.0, 3}}},
        // The lone 2.0 covers 50 m (25 m each side): giving its 2.0 to the 75 m
        // at 2.4 would change more than taking the 1.8 of its 50 m neighbour.
        StretchCase{"shortStretchMergedTheMoreDemandingDeciding", kEvery50m, {2.4, 2.4, 2.0, 1.8, 2.0, 2.0}, true, 60,
                    {{0, 1, 2.4, 0}, {2, 3, 1.8, 3}, {4, 5, 2.0, 4}}},
        StretchCase{"theLongNeighbourOfNearerValueKept", {0, 50, 100, 150, 200, 250, 300},
                    {2.0, 2.0, 2.0, 2.0, 1.9, 1.6, 1.6}, true, 60, {{0, 3, 2.0, 0}, {4, 6, 1.6, 5}}},
        StretchCase{"smallestBestMergesToTheLarger", kEvery50m, {10, 10, 10, 14, 10, 10}, false, 80,
                    {{0, 2, 10.0, 0}, {3, 5, 14.0, 3}}},
        StretchCase{"endSectionsCoverHalfASpan", {0, 100, 200}, {1.5, 2.0, 2.0}, true, 60,
                    {{0, 2, 1.5, 0}}},
        StretchCase{"longEnoughStays", {0, 100, 200}, {1.5, 2.0, 2.0}, true, 50,
                    {{0, 0, 1.5, 0}, {1, 2, 2.0, 1}}},
        StretchCase{"neighboursOfOneValueJoinedAfterAMerge", kEvery50m, {1.8, 1.8, 2.0, 1.8, 1.8, 1.8}, true, 60,
                    {{0, 5, 1.8, 0}}},
        StretchCase{"lastSectionMergedIntoTheOneBefore", {0, 100, 200, 250}, {2.0, 2.0, 2.0, 1.6}, true, 60,
                    {{0, 3, 1.6, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// Memory running out in one section's work reaches the caller (the command
// line says so) instead of ending the program from a worker thread.
TEST(SectionsInParallel, AFailureInOneSectionReachesTheCaller)
{
    std::vector<Section> road;
    for (int i = 0; i < 8; ++i)
        road.push_back(sectionWith(10.0 * i, {{&field("embankmentHeight"), (20 + i) / 10.0}}, false));
    const SweepAxis spacing{&field("spacingSquare"), {1.5, 2.5, 0.5}};
    const PointMeasure failing = [](const SweepPoint& p) -> double {
        if (p.values.front() == 2.5)
            throw std::bad_alloc();
        return p.values.front();
    };
    EXPECT_THROW(bestPerSection(loadExample("worked-example.txt"), road, {}, spacing, failing, true), std::bad_alloc);
}

// The road report is refused above its bound, before anything is computed.
TEST(RoadReportBound, BothSidesOfTheBound)
{
    EXPECT_EQ(roadReportFault(kMaxReportSections), "");
    EXPECT_NE(roadReportFault(kMaxReportSections + 1).find("共有501个断面，超过上限500个"), std::string::npos);
}

}  // namespace
