#include "cli_run.h"
#include "model/extension/layer_names.h"
#include "model/soil_profile.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <vector>

namespace {

TEST(Cli, PrintsTheRoundedResultsWithTheirLabels)
{
    const CliRun run = runCli(example("worked-example.txt"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("单桩承载力特征值：275.48 kN\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("复合地基承载力特征值：126.58 kPa\n"), std::string::npos);
    EXPECT_NE(run.out.find("沉降值：71.12 mm\n"), std::string::npos);
}

// With a typed Ra the composite capacity shown is the adopted one, as the
// capacity form shows it; the value from the computed Ra stands beside it,
// and the JSON names the adopted one.
TEST(Cli, TypedPileCapacityGivesTheAdoptedCompositeCapacity)
{
    const CliRun run = runCli(example("county-road-rectangular-grid.txt"));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("复合地基承载力特征值：113.02 kPa（采用手动输入的单桩承载力特征值 180 kN；"
                           "由计算的单桩承载力特征值得 136.76 kPa，仅供对照）\n"),
              std::string::npos)
        << run.out;
    const auto j = nlohmann::json::parse(runCli("--json " + example("county-road-rectangular-grid.txt")).out);
    EXPECT_EQ(j["adoptedCompositeCapacity"], j["manualCompositeCapacity"]);
    EXPECT_NE(j["adoptedCompositeCapacity"], j["compositeCapacity"]);
}

struct CriterionCase {
    const char* name;
    int criterion;
    const char* settlementLine;
};

class CliCriterionTest : public testing::TestWithParam<CriterionCase> {};

TEST_P(CliCriterionTest, TextShowsTheSettlementOfTheFilesCriterion)
{
    const std::string file = scratchFolder(GetParam().name) + "/p.txt";
    ProjectData p = settlementExample();
    p.stopCriterion = GetParam().criterion;
    ASSERT_TRUE(p.saveProject(file, fixedSaveTime()).ok);
    const CliRun run = runCli(file);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find(GetParam().settlementLine), std::string::npos) << run.out;
}

INSTANTIATE_TEST_SUITE_P(Criteria, CliCriterionTest,
                         testing::Values(CriterionCase{"stressRatio02", kStopStressRatio02, "沉降值：45.73 mm\n"},
                                         CriterionCase{"stressRatio01", kStopStressRatio01, "沉降值：63.9 mm\n"}),
                         [](const auto& info) { return info.param.name; });

TEST(Cli, JsonGivesEveryCriterionAtFullPrecision)
{
    const CliRun run = runCli("--json " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto j = nlohmann::ordered_json::parse(run.out);
    EXPECT_EQ(j["ok"], true);
    EXPECT_DOUBLE_EQ(j["equivalentDiameter"].get<double>(), 1.13 * 2.0);
    EXPECT_NEAR(j["pileCapacity"].get<double>(), 275.4784, 1e-4);
    EXPECT_NEAR(j["compositeCapacity"].get<double>(), 126.576, 5e-4);
    EXPECT_TRUE(j["manualCompositeCapacity"].is_null());
    EXPECT_NEAR(j["settlement"]["deformationRatio"].get<double>(), 71.121, 5e-4);
    EXPECT_NEAR(j["settlement"]["stressRatio02"].get<double>(), 45.728, 5e-4);
    EXPECT_NEAR(j["settlement"]["stressRatio01"].get<double>(), 63.904, 5e-4);
    EXPECT_EQ(j["stopCriterion"], 0);
    std::vector<std::string> keys;
    for (const auto& item : j.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"file", "ok", "equivalentDiameter", "pileCapacity",
                                              "compositeCapacity", "manualCompositeCapacity",
                                              "settlement", "adoptedCompositeCapacity", "stopCriterion",
                                              "extension"}));
    EXPECT_EQ(j["extension"], nlohmann::ordered_json::object());
}

std::vector<std::string> keysOf(const nlohmann::ordered_json& object)
{
    std::vector<std::string> keys;
    for (const auto& item : object.items())
        keys.push_back(item.key());
    return keys;
}

// Head, shaft and base add up to the total, and each is the sum of its own
// slices.
void expectZoneTotalsOfTheirSlices(const nlohmann::ordered_json& d, const std::string& criterion)
{
    std::map<std::string, double> zones{{"head", 0.0}, {"shaft", 0.0}, {"base", 0.0}};
    for (const auto& slice : d["slices"]) {
        ASSERT_EQ(zones.count(slice["zone"]), 1u) << slice["zone"];
        zones[slice["zone"]] += slice["settlement"].get<double>();
    }
    const double total = d["total"];
    for (const auto& [zone, sum] : zones) {
        EXPECT_GT(sum, 0.0) << criterion << " " << zone;
        EXPECT_NEAR(d[zone].get<double>(), sum, total * 1e-12) << criterion << " " << zone;
    }
    EXPECT_NEAR(d["head"].get<double>() + d["shaft"].get<double>() + d["base"].get<double>(), total,
                total * 1e-12)
        << criterion;
}

class CliDetailsTest : public testing::TestWithParam<const char*> {};

// The breakdown repeats the plain results exactly, with the named keys.
TEST_P(CliDetailsTest, JsonDetailsAddTheBreakdownOfEachCalculation)
{
    const CliRun run = runCli("--json --details " + example(GetParam()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto j = nlohmann::ordered_json::parse(run.out);
    const auto& terms = j["capacityTerms"];
    EXPECT_EQ(keysOf(terms), (std::vector<std::string>{"headFriction", "shaftFriction", "stepBearing",
                                                       "tipBearing", "bySoil", "byShaftBody",
                                                       "byHeadBody", "governing", "replacementRatio",
                                                       "headArea"}));
    const std::string governing = terms["governing"];
    const std::string resistanceKey = governing == "soil" ? "bySoil"
                                      : governing == "shaftBody" ? "byShaftBody"
                                                                 : "byHeadBody";
    EXPECT_EQ(terms[resistanceKey], j["pileCapacity"]);
    bool bodyWarned = false;
    for (const auto& warning : j["warnings"]) {
        EXPECT_EQ(keysOf(warning), (std::vector<std::string>{"quantity", "value", "range", "clause", "text"}));
        bodyWarned = bodyWarned || warning["quantity"] == "governingResistance";
    }
    EXPECT_EQ(bodyWarned, governing != "soil") << j["warnings"].dump();
    const auto& details = j["settlementDetails"];
    EXPECT_EQ(keysOf(details),
              (std::vector<std::string>{"deformationRatio", "stressRatio02", "stressRatio01"}));
    for (const auto& [criterion, d] : details.items()) {
        EXPECT_EQ(keysOf(d), (std::vector<std::string>{"total", "head", "shaft", "base", "stopDepth",
                                                       "stoppedBy", "slices"}));
        EXPECT_EQ(d["total"], j["settlement"][criterion]) << criterion;
        EXPECT_EQ(d["slices"].back()["cumulative"], d["total"]) << criterion;
        EXPECT_EQ(d["slices"].back()["bottom"], d["stopDepth"]) << criterion;
        EXPECT_EQ(keysOf(d["slices"][0]),
                  (std::vector<std::string>{"zone", "layer", "top", "bottom", "stressFactor",
                                            "additionalStress", "modulus", "settlement", "cumulative"}));
        EXPECT_EQ(d["stoppedBy"], "criterion") << criterion;
        expectZoneTotalsOfTheirSlices(d, criterion);
    }
}

INSTANTIATE_TEST_SUITE_P(BundledExamples, CliDetailsTest,
                         testing::Values("worked-example.txt", "county-road-rectangular-grid.txt",
                                         "expressway-triangular-grid.txt"),
                         [](const auto& info) { return std::to_string(info.index); });

// The PDF report is written whole or not at all; a build without the desktop
// program's libraries says it has none.
TEST(Cli, ReportIsWrittenWholeOrNotAtAll)
{
    const std::string folder = scratchFolder("cli-report");
    const CliRun written = runCli("--report " + folder + "/report.pdf " + example("worked-example.txt"));
    const CliRun unread = runCli("--report " + folder + "/unread.pdf " + folder + "/missing.txt");
    if (ORVANE_CLI_HAS_REPORT) {
        EXPECT_EQ(written.exitCode, 0) << written.err;
        EXPECT_EQ(readBytes(folder + "/report.pdf").rfind("%PDF-", 0), 0u);
        EXPECT_EQ(unread.exitCode, 1);
        EXPECT_NE(unread.err.find("missing.txt"), std::string::npos);
    } else {
        EXPECT_EQ(written.exitCode, 2);
        EXPECT_NE(written.err.find("not available"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(folder + "/report.pdf"));
    }
    EXPECT_FALSE(std::filesystem::exists(folder + "/unread.pdf"));
}

TEST(Cli, ReportsUnreadableFilesAndGoesOn)
{
    const std::string missing = scratchFolder("cli-missing") + "/missing.txt";
    const CliRun run = runCli("--json " + missing + " " + example("worked-example.txt"));
    EXPECT_EQ(run.exitCode, 1);
    std::istringstream lines(run.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    const auto failed = nlohmann::json::parse(first);
    EXPECT_EQ(failed["ok"], false);
    EXPECT_FALSE(failed["error"].get<std::string>().empty());
    EXPECT_EQ(nlohmann::json::parse(second)["ok"], true);
    EXPECT_NE(run.err.find("missing.txt"), std::string::npos);
}

TEST(Cli, NonFiniteValuesAreNull)
{
    const std::string folder = scratchFolder("cli-null");
    ProjectData p = settlementExample();
    p.embankmentHeight = 0;  // no load: the stress coefficient is not a number
    p.spacingSquare = 0;     // no spacing: no composite capacity
    ASSERT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    const auto j = nlohmann::json::parse(runCli("--json " + folder + "/p.txt").out);
    EXPECT_TRUE(j["compositeCapacity"].is_null());
    EXPECT_TRUE(j["settlement"]["deformationRatio"].is_null());
    EXPECT_FALSE(j["pileCapacity"].is_null());
}

// Only 1 marks a typed Ra, as in the forms and the design checks.
TEST(Cli, TypedCapacityOnlyWhenItsMarkIsOne)
{
    const std::string folder = scratchFolder("cli-typed");
    ProjectData p = settlementExample();
    p.manualPileCapacity = 100;
    for (int mark : {1, 2}) {
        p.manualCapacityFlag = mark;
        ASSERT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
        const auto j = nlohmann::json::parse(runCli("--json " + folder + "/p.txt").out);
        EXPECT_EQ(j["manualCompositeCapacity"].is_null(), mark != 1) << mark;
    }
}

TEST(Cli, SaveAsWritesWhatTheFormsWouldSave)
{
    const std::string out = scratchFolder("cli-save-as") + "/copy.txt";
    const CliRun run = runCli("--save-as " + out + " " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ProjectData original{}, copy{};
    ASSERT_TRUE(original.loadProject(example("worked-example.txt")).ok);
    ASSERT_TRUE(copy.loadProject(out).ok);
    EXPECT_TRUE(copy == original);
    EXPECT_NE(gbkToUtf8(readBytes(out)).find("复合地基承载力特征值：\t126.576 kPa\r\n"), std::string::npos);
}

// Chinese folder and file names reach the calculator whole and come back in
// its output as they were given, on every system.
TEST(Cli, ChineseNamesAreSavedAndReadBack)
{
    const std::string folder = scratchFolder("cli-chinese") + "/路堤工程";
    std::filesystem::create_directory(pathOf(folder));
    const std::string copy = folder + "/算例 副本.txt";
    const CliRun saved = runCli("--save-as \"" + copy + "\" " + example("worked-example.txt"));
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(pathOf(copy)));
    const CliRun read = runCli("--json \"" + copy + "\"");
    ASSERT_EQ(read.exitCode, 0) << read.err;
    const auto j = nlohmann::json::parse(read.out);
    EXPECT_EQ(j["file"], copy);
    EXPECT_EQ(j["ok"], true);
}

struct SweepExample {
    const char* name;
    const char* file;
    const char* field;  // the spacing of the file's layout
    const char* from;
};

class CliSweepTest : public testing::TestWithParam<SweepExample> {};

// Three points from the file's own spacing: the first is the file itself,
// exactly as the plain calculation reports it.
TEST_P(CliSweepTest, CsvAndJsonStartAtTheFileItself)
{
    const SweepExample& c = GetParam();
    const std::string range = std::string(" --sweep ") + c.field + "=" + c.from + ":"
                              + std::to_string(std::stod(c.from) + 0.2) + ":0.1 ";
    const CliRun csv = runCli(range + "--allowable-settlement 100 " + example(c.file));
    const CliRun json = runCli(range + "--json --allowable-settlement 100 " + example(c.file));
    const auto direct = nlohmann::ordered_json::parse(runCli("--json " + example(c.file)).out);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    ASSERT_EQ(json.exitCode, 0) << json.err;

    std::istringstream csvLines(csv.out);
    std::string header, first;
    std::getline(csvLines, header);
    std::getline(csvLines, first);
    // The bundled expressway and county road give strengths: their factor ends the row.
    const bool strengths = std::string(c.file) != "worked-example.txt";
    EXPECT_EQ(header, std::string(c.field) + ",equivalentDiameter,pileCapacity,compositeCapacity,"
                      "manualCompositeCapacity,deformationRatio,stressRatio02,stressRatio01,"
                      "bearingOk,settlementOk,failedChecks,uncheckedChecks"
                      + (strengths ? ",stabilityFactor" : ""));
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 4);
    std::ostringstream expected;
    expected << c.from << "," << direct["equivalentDiameter"].dump() << "," << direct["pileCapacity"].dump() << ","
             << direct["compositeCapacity"].dump() << ",";
    EXPECT_EQ(first.rfind(expected.str(), 0), 0u) << first << "\n" << expected.str();

    std::istringstream jsonLines(json.out);
    std::string line;
    std::vector<nlohmann::ordered_json> points;
    while (std::getline(jsonLines, line))
        points.push_back(nlohmann::ordered_json::parse(line));
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0][c.field], std::stod(c.from));
    for (const char* key : {"equivalentDiameter", "pileCapacity", "compositeCapacity", "manualCompositeCapacity",
                            "settlement"})
        EXPECT_EQ(points[0][key], direct[key]) << key;
    EXPECT_EQ(points[0]["settlementOk"], direct["settlement"]["deformationRatio"].get<double>() <= 100.0);
    EXPECT_TRUE(points[2]["valid"].get<bool>());
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CliSweepTest,
    testing::Values(SweepExample{"worked", "worked-example.txt", "spacingSquare", "2"},
                    SweepExample{"expressway", "expressway-triangular-grid.txt", "spacingTriangle", "1.8"},
                    SweepExample{"countyRoad", "county-road-rectangular-grid.txt", "spacingTransverse", "1.6"}),
    [](const auto& info) { return info.param.name; });

TEST(CliSweep, RefusedPointsAreEmptyWithTheFormsReasonOnStandardError)
{
    const CliRun run = runCli("--sweep headDiameter=0.4:0.5:0.1 " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("\n0.4,,,,,,,,,,,\n0.5,"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "headDiameter=0.4: 输入的桩径D或d有误，请检查后重新输入！\n");
}

// The worked example's fspk is 126.576 kPa and does not depend on the fill:
// the bearing check fspk >= 19 h + q allows h up to (126.576 - q) / 19, that
// is 6.66 m with no surcharge and 5.61 m with q = 20 kPa.
TEST(CliSweep, BestFindsTheHighestFillTheFoundationCarries)
{
    const std::string sweep = "--sweep embankmentHeight=1:10:0.5 --best embankmentHeight:max ";
    const CliRun unloaded = runCli(sweep + example("worked-example.txt"));
    const CliRun loaded = runCli(sweep + "--json --surcharge 20 " + example("worked-example.txt"));
    const CliRun overloaded = runCli(sweep + "--surcharge 200 " + example("worked-example.txt"));
    ASSERT_EQ(unloaded.exitCode, 0) << unloaded.err;
    EXPECT_NE(unloaded.out.find("\n6.5,"), std::string::npos) << unloaded.out;
    EXPECT_EQ(std::count(unloaded.out.begin(), unloaded.out.end(), '\n'), 2);
    EXPECT_EQ(nlohmann::json::parse(loaded.out)["embankmentHeight"], 5.5);
    EXPECT_EQ(overloaded.out, "No point passes every check.\n");
}

constexpr const char* kBorehole =
    "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3)\n"
    "黏土,1.5,10,3,18\n粉土,4,12,4,18.5\n砂,6,15,8,19\n岩,1,,15,20\n";

TEST(Cli, ProfileSplitAtTheFilesHeadAndPileLengthIsSaved)
{
    const std::string folder = scratchFolder("cli-profile");
    writeBytes(folder + "/borehole.csv", kBorehole);
    const CliRun run = runCli("--profile " + folder + "/borehole.csv --save-as " + folder
                              + "/split.txt " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;

    ProjectData saved{};
    ASSERT_TRUE(saved.loadProject(folder + "/split.txt").ok);
    EXPECT_EQ(saved.headLength, 2.0);
    EXPECT_EQ(saved.pileLength, 10.0);
    const ZoneLayers zones = splitProfile(readProfileCsv(kBorehole).profile, 2.0, 10.0).zones;
    ASSERT_EQ(saved.headLayerCount, 2);
    ASSERT_EQ(saved.shaftLayerCount, 2);
    ASSERT_EQ(saved.baseLayerCount, 2);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(saved.headThickness[k], zones.head[k - 1].thickness);
        EXPECT_EQ(saved.shaftFriction[k], zones.shaft[k - 1].friction);
        EXPECT_EQ(saved.shaftSoilModulus[k], zones.shaft[k - 1].soilModulus);
        EXPECT_EQ(saved.baseThickness[k], zones.base[k - 1].thickness);
        EXPECT_EQ(saved.baseUnitWeight[k], zones.base[k - 1].unitWeight);
    }
    EXPECT_EQ(saved.baseThickness[2], 1000.0);
}

// The strata's names and properties go with their layers into the saved
// file's extension block; the sand's missing cv is an empty item.
TEST(Cli, ProfileSplitKeepsTheStrataNamesAndProperties)
{
    const std::string folder = scratchFolder("cli-profile-properties");
    writeBytes(folder + "/borehole.csv", "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3),固结系数,fak,c,φ(°)\n"
                                         "黏土,1.5,10,3,18,1.2,60,10,6\n粉土,4,12,4,18.5,3,130,20,16\n"
                                         "\"砂,中密\",6,15,8,19,,200,3,28\n岩,1,,15,20,150,400,0,35\n");
    const CliRun run = runCli("--profile " + folder + "/borehole.csv --save-as " + folder + "/split.txt "
                              + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;

    ProjectData saved{};
    ASSERT_TRUE(saved.loadProject(folder + "/split.txt").ok);
    const std::pair<const char*, const char*> expected[] = {
        {"name.head", "黏土,粉土"}, {"name.shaft", "粉土,砂\\,中密"}, {"name.base", "砂\\,中密,岩"},
        {"cv.head", "1.2,3"},      {"cv.shaft", "3,"},                {"cv.base", ",150"},
        {"fak.base", "200,400"},   {"c.head", "10,20"},               {"phi.shaft", "16,28"},
        {"c.base", "3,0"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(saved.extension.value(key), value) << key;
    EXPECT_EQ(layerName(saved, "cv.base", 1), "砂,中密");
}

TEST(Cli, ProfileThatCannotBeReadOrSplitExitsWithItsReason)
{
    const std::string folder = scratchFolder("cli-profile-refused");
    const std::string shortSand = "name,thickness,qs,Es,gamma\n黏土,1.5,10,3,18\n砂,3,15,8,19\n岩,1,,15,20\n";
    writeBytes(folder + "/rock-in-shaft.csv", shortSand);
    writeBytes(folder + "/no-modulus.csv", "name,thickness,qs,gamma\n黏土,1.5,10,18\n");
    writeBytes(folder + "/cohesion-not-a-number.csv", "name,thickness,qs,Es,gamma,c\n黏土,1.5,10,3,18,10\n砂,3,15,8,19,x\n");
    writeBytes(folder + "/flat-friction-angle.csv", "name,thickness,qs,Es,gamma,phi\n黏土,11,10,3,18,90\n");
    for (const auto& [csv, reason] : {std::pair{"rock-in-shaft.csv", "第3层“岩”位于桩长范围内"},
                                      std::pair{"no-modulus.csv", "表头中缺少“压缩模量”列"},
                                      std::pair{"cohesion-not-a-number.csv", "第3行第6列（黏聚力）的“x”不是数字"},
                                      std::pair{"flat-friction-angle.csv", "第1层“黏土”的内摩擦角φ应为不小于0且小于90的数"}}) {
        const CliRun run = runCli("--profile " + folder + "/" + csv + " --save-as " + folder
                                  + "/out.txt " + example("worked-example.txt"));
        EXPECT_EQ(run.exitCode, 1) << csv;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder + "/out.txt")) << csv;
    }
}

// Bottoms of the borehole at 1.5, 5.5 and 11.5 m: a pile longer than 11.5 m
// reaches the rock, which has no side friction.
TEST(Cli, ProfileSweepsThePileLengthSplittingTheProfileAtEachPoint)
{
    const std::string folder = scratchFolder("cli-profile-sweep");
    writeBytes(folder + "/borehole.csv", kBorehole);
    const std::string profile = "--profile " + folder + "/borehole.csv ";
    const CliRun csv = runCli(profile + "--sweep pileLength=9:12:1 " + example("worked-example.txt"));
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 5) << csv.out;
    EXPECT_EQ(csv.err, "pileLength=12: 第4层“岩”位于桩长范围内，但没有侧摩阻力qs。\n");

    ProjectData typed{};
    ASSERT_TRUE(typed.loadProject(example("worked-example.txt")).ok);
    typed.pileLength = 11;
    ASSERT_EQ(applyProfile(readProfileCsv(kBorehole).profile, typed), "");
    typed.deriveEquivalentDiameter();
    const double composite = typed.computeCapacity();
    const CliRun best = runCli(profile + "--sweep pileLength=9:12:1 --json --best pileLength:max "
                               + example("worked-example.txt"));
    const auto point = nlohmann::json::parse(best.out);
    EXPECT_EQ(point["pileLength"], 11.0);
    EXPECT_EQ(point["pileCapacity"].get<double>(), typed.pileCapacity);
    EXPECT_EQ(point["compositeCapacity"].get<double>(), composite);

    const CliRun grid = runCli(profile + "--sweep headLength=1:2:0.5 --sweep pileLength=9:11:1 "
                               + example("worked-example.txt"));
    EXPECT_EQ(grid.exitCode, 0) << grid.err;
    EXPECT_EQ(std::count(grid.out.begin(), grid.out.end(), '\n'), 10);
}

TEST(Cli, LengthsAreNotSweptWithoutAProfileNorWithOneThatCannotBeRead)
{
    const CliRun withoutProfile = runCli("--sweep pileLength=9:12:1 " + example("worked-example.txt"));
    EXPECT_EQ(withoutProfile.exitCode, 2);
    EXPECT_NE(withoutProfile.err.find("unless a soil profile is given with --profile"), std::string::npos);

    const std::string folder = scratchFolder("cli-profile-sweep-refused");
    writeBytes(folder + "/empty.csv", "name,thickness,qs,Es,gamma\n黏土,0,10,3,18\n");
    const CliRun unsplittable = runCli("--profile " + folder + "/empty.csv --sweep pileLength=9:12:1 "
                                       + example("worked-example.txt"));
    EXPECT_EQ(unsplittable.exitCode, 1);
    EXPECT_NE(unsplittable.err.find("第1层“黏土”的层厚应为大于0的有限数。"), std::string::npos) << unsplittable.err;
    EXPECT_TRUE(unsplittable.out.empty());
}

struct ExitCase {
    const char* name;
    // The arguments, with FOLDER standing for the test's scratch folder and
    // WORKED for the worked example.
    const char* arguments;
    int exitCode;
    const char* named;  // in standard error
};

class CliExitTest : public testing::TestWithParam<ExitCase> {};

// A file that cannot be read, split or written ends the command with 1 and
// its name, and nothing on standard output but what was computed before.
TEST_P(CliExitTest, UnreadableOrUnwritableFilesExitWithOne)
{
    const ExitCase& c = GetParam();
    const std::string folder = scratchFolder(std::string("cli-exit-") + c.name);
    writeBytes(folder + "/borehole.csv", kBorehole);
    std::string arguments = c.arguments;
    for (const auto& [word, path] : {std::pair<std::string, std::string>{"FOLDER", folder},
                                     std::pair<std::string, std::string>{"WORKED", example("worked-example.txt")}})
        for (size_t at; (at = arguments.find(word)) != std::string::npos;)
            arguments.replace(at, word.size(), path);
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliExitTest,
    testing::Values(
        ExitCase{"sweepMissingFile", "--sweep spacingSquare=1:2:1 FOLDER/missing.txt", 1, "missing.txt"},
        ExitCase{"sweepFolder", "--sweep spacingSquare=1:2:1 --json FOLDER", 1, "这是一个文件夹"},
        ExitCase{"sweepBestMissingFile", "--sweep spacingSquare=1:2:1 --best spacingSquare:max FOLDER/missing.txt",
                 1, "missing.txt"},
        ExitCase{"sweepMissingProfile", "--profile FOLDER/none.csv --sweep pileLength=9:10:1 WORKED", 1, "none.csv"},
        ExitCase{"sweepNoSurchargeMissingFile", "--sweep spacingSquare=1:2:1 --surcharge 0 FOLDER/missing.txt", 1,
                 "missing.txt"},
        ExitCase{"sectionsNoShortestStretchMissingFile",
                 "--sections FOLDER/borehole.csv --sweep spacingSquare=1:2:1 --best spacingSquare:max "
                 "--shortest-stretch 0 FOLDER/missing.txt",
                 1, "missing.txt"},
        ExitCase{"timeSettlementMissingFile", "--time-settlement FOLDER/curve.csv FOLDER/missing.txt", 1,
                 "missing.txt"},
        ExitCase{"textMissingFile", "FOLDER/missing.txt", 1, "missing.txt"},
        ExitCase{"saveAsIntoMissingFolder", "--save-as FOLDER/no/out.txt WORKED", 1, "目标文件夹不存在"},
        ExitCase{"saveAsMissingSource", "--save-as FOLDER/out.txt FOLDER/missing.txt", 1, "missing.txt"},
        ExitCase{"profileMissingProject", "--profile FOLDER/borehole.csv --save-as FOLDER/out.txt FOLDER/missing.txt",
                 1, "missing.txt"},
        ExitCase{"profileSaveIntoMissingFolder",
                 "--profile FOLDER/borehole.csv --save-as FOLDER/no/out.txt WORKED", 1, "目标文件夹不存在"}),
    [](const auto& info) { return info.param.name; });

// As JSON, a refused point has a null for every result and check, valid
// false and the forms' reason; a computed one has the reason null, and a
// settlement check only when an allowance is given.
TEST(CliSweep, JsonGivesTheReasonOfARefusedPoint)
{
    const CliRun run = runCli("--sweep headDiameter=0.4:0.5:0.1 --json " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::istringstream lines(run.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    const auto refused = nlohmann::json::parse(first);
    EXPECT_EQ(refused["valid"], false);
    EXPECT_EQ(refused["reason"], "输入的桩径D或d有误，请检查后重新输入！");
    for (const char* key : {"equivalentDiameter", "pileCapacity", "compositeCapacity", "bearingOk", "settlementOk"})
        EXPECT_TRUE(refused[key].is_null()) << key;
    const auto computed = nlohmann::json::parse(second);
    EXPECT_EQ(computed["valid"], true);
    EXPECT_TRUE(computed["reason"].is_null());
    EXPECT_EQ(computed["bearingOk"], true);
    EXPECT_TRUE(computed["settlementOk"].is_null());
}

TEST(CliSweep, BestAsJsonIsNullWhenNoPointPasses)
{
    const CliRun run = runCli("--sweep embankmentHeight=1:2:1 --surcharge 200 --json --best embankmentHeight:min "
                              + example("worked-example.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "null\n");
}

}  // namespace
