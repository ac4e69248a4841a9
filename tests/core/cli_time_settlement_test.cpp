// The settlement against time and the check under the pile tips on the
// command line: --json --details, --time-settlement and the sweeps.
#include "cli_run.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* kCv = "--set cv.head=2 --set cv.shaft=2,3 --set cv.base=1.5,4,6";

std::string workedExample(const std::string& folder)
{
    EXPECT_TRUE(settlementExample().saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    return folder + "/p.txt";
}

// --json assesses the design whenever the command line or the project asks
// for a check, with or without --details; a refused value of the extension
// block fails the file whatever was asked.
struct AssessmentCase {
    const char* name;
    std::string options;
    int exitCode;
    const char* verdict;  // "" for no assessment
    std::vector<std::string> failed;
};

class CliAssessmentTest : public testing::TestWithParam<AssessmentCase> {};

TEST_P(CliAssessmentTest, JsonCarriesTheAssessmentAskedFor)
{
    const AssessmentCase& c = GetParam();
    const CliRun run = runCli("--json " + c.options + " " + workedExample(scratchFolder(c.name)));
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    EXPECT_EQ(j["ok"], c.exitCode == 0);
    ASSERT_EQ(j.contains("assessment"), *c.verdict != 0) << run.out;
    if (!*c.verdict)
        return;
    const auto& a = j["assessment"];
    EXPECT_EQ(a["verdict"], c.verdict);
    EXPECT_EQ(a["passes"], std::string(c.verdict) == "passes");
    std::vector<std::string> failed;
    for (const auto& check : a["checks"])
        if (check["ok"] == false && (failed.empty() || failed.back() != check["check"]))
            failed.push_back(check["check"]);
    EXPECT_EQ(failed, c.failed);
}

const std::string kStaged = std::string(kCv) + " --set fill=0:0,90:3 --set pavementDay=180";
// The worked example's strengths: F = 1.786 without a surcharge.
const std::string kStrengths = "--set c.head=15 --set phi.head=10 --set c.shaft=6,20 --set phi.shaft=3,12 "
                               "--set c.base=30,35,40 --set phi.base=18,20,22 --set c.fill=15 --set phi.fill=28 "
                               "--set pileShear=120 ";

INSTANTIATE_TEST_SUITE_P(
    Demands, CliAssessmentTest,
    testing::Values(
        AssessmentCase{"noDemandNoAssessment", "", 0, "", {}},
        AssessmentCase{"refusedFakWithoutDetails", "--set fak.base=100,80", 1, "", {}},
        AssessmentCase{"surchargeAlone", "--surcharge 20", 0, "passes", {}},
        AssessmentCase{"settlementOverItsAllowance", "--surcharge 20 --allowable-settlement 50", 0, "fails",
                       {"settlement"}},
        AssessmentCase{"postConstructionFromTheCommandLine", "--allowable-post-construction 20 " + kStaged, 0,
                       "fails", {"postConstruction"}},
        AssessmentCase{"postConstructionOfTheProject", "--set allowablePostConstruction=20 " + kStaged, 0, "fails",
                       {"postConstruction"}},
        AssessmentCase{"postConstructionWithoutCv", "--allowable-post-construction 20", 0, "unchecked", {}},
        AssessmentCase{"underlyingLayersOfTheProject", "--details --set fak.base=40,30,150", 0, "fails",
                       {"underlyingLayer"}},
        AssessmentCase{"stabilityHolds", kStrengths + "--set stabilityRequired=1.3", 0, "passes", {}},
        AssessmentCase{"stabilityFails", kStrengths + "--set stabilityRequired=2", 0, "fails", {"stability"}},
        AssessmentCase{"stabilityUnderTheSurcharge", "--surcharge 200 " + kStrengths + "--set stabilityRequired=1.3",
                       0, "fails", {"bearing", "stability"}},
        AssessmentCase{"stabilityWithoutStrengths", "--set stabilityRequired=1.3", 0, "unchecked", {}},
        AssessmentCase{"equallyStrongLayerBelowTheTips", "--details --set fak.base=230,230,500 --set etaD=0", 0,
                       "fails", {"underlyingLayer"}}),
    [](const auto& info) { return info.param.name; });

// The post-construction settlement is computed once: --json --details, its
// assessment and a one-point sweep give the same value to the bit.
TEST(CliAssessment, PostConstructionIsOneValueOnEveryPath)
{
    const std::string file = workedExample(scratchFolder("postConstructionOnce"));
    const CliRun details = runCli("--json --details --allowable-post-construction 20 " + kStaged + " " + file);
    ASSERT_EQ(details.exitCode, 0) << details.err;
    const auto j = nlohmann::json::parse(details.out);
    const double fromDetails = j["consolidation"]["postConstruction"];
    EXPECT_EQ(j["assessment"]["checks"][1]["value"].get<double>(), fromDetails);
    ProjectData p = settlementExample();
    for (const auto& [key, value] : {std::pair{"cv.head", "2"}, {"cv.shaft", "2,3"}, {"cv.base", "1.5,4,6"},
                                     {"fill", "0:0,90:3"}, {"pavementDay", "180"}})
        p.extension.set(key, value);
    ASSERT_TRUE(p.saveProject(file, fixedSaveTime()).ok);
    const CliRun sweep = runCli("--sweep pavementDay=180:180:1 --json --allowable-post-construction 20 " + file);
    ASSERT_EQ(sweep.exitCode, 0) << sweep.err;
    const auto point = nlohmann::json::parse(sweep.out.substr(0, sweep.out.find('\n')));
    EXPECT_EQ(point["postConstruction"].get<double>(), fromDetails);
    EXPECT_EQ(point["assessment"]["verdict"], "fails");
    // The CSV names the failing check in its own column, none as unmade.
    const CliRun csv = runCli("--sweep pavementDay=180:180:1 --allowable-post-construction 20 " + file);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    EXPECT_TRUE(csv.out.ends_with(",postConstruction,\n")) << csv.out;
}

struct DetailsCase {
    const char* name;
    std::string options;
    bool consolidation;
    int checks;  // underlyingLayerChecks, -1 for none
};

class CliTimeDetailsTest : public testing::TestWithParam<DetailsCase> {};

TEST_P(CliTimeDetailsTest, DetailsGainTheCurveAndTheChecksOnlyWithTheirInputs)
{
    const DetailsCase& c = GetParam();
    const CliRun run = runCli("--json --details " + c.options + " " + workedExample(scratchFolder(c.name)));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto j = nlohmann::json::parse(run.out);
    ASSERT_EQ(j.contains("consolidation"), c.consolidation);
    ASSERT_EQ(j.contains("underlyingLayerChecks"), c.checks >= 0);
    if (c.checks >= 0) {
        ASSERT_EQ(j["underlyingLayerChecks"].size(), static_cast<std::size_t>(c.checks));
        EXPECT_EQ(j["underlyingLayerChecks"][0]["depth"], 10.0) << "the first at the tips";
        for (const auto& check : j["underlyingLayerChecks"])
            EXPECT_EQ(check["ok"], check["pz"].get<double>() + check["pcz"].get<double>() <= check["faz"].get<double>())
                << check.dump();
    }
    if (!c.consolidation)
        return;
    const auto& k = j["consolidation"];
    EXPECT_EQ(k["final"], j["settlementDetails"]["deformationRatio"]["total"]);
    const auto& times = k["times"];
    const auto& s = k["settlement"];
    ASSERT_EQ(times.size(), s.size());
    ASSERT_EQ(times.size(), k["degree"].size());
    const double pavement = k["pavementDay"];
    double atPavement = -1;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (times[i] == pavement)
            atPavement = s[i];
        if (i > 0) {
            EXPECT_GE(s[i].get<double>(), s[i - 1].get<double>()) << "day " << times[i];
        }
    }
    EXPECT_EQ(times.back(), pavement + 15 * 365);
    EXPECT_NEAR(k["postConstruction"].get<double>(), s.back().get<double>() - atPavement, 1e-9);
    EXPECT_NEAR(k["residual"].get<double>(), k["final"].get<double>() - atPavement, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, CliTimeDetailsTest,
    testing::Values(DetailsCase{"none", "", false, -1},
                    DetailsCase{"settingsWithoutCv", "--set ms=1.2 --set fill=0:0,90:3", false, -1},
                    DetailsCase{"cvAtOnce", kCv, true, -1},
                    DetailsCase{"cvStaged", std::string(kCv) + " --set fill=0:0,90:3 --set pavementDay=180", true, -1},
                    DetailsCase{"fakOnly", "--set fak.base=120,100,140", false, 3},
                    DetailsCase{"both", std::string(kCv) + " --set fak.base=120,130,140", true, 3}),
    [](const auto& info) { return info.param.name; });

// The worked example's checks with fak = 230 kPa under the tips and in the
// layer below, without the depth factor: the spread pz of b = 10 + 3 x 3 =
// 19 m, with Es1/Es2 = 14.859/8 and 13.276/10 below 3, is p0 = 57 kPa at
// both tops, beside sigma z = 39.51 and 33.54 kPa: 57 + 186 > 230 at 10 m,
// and the layer at 13 m, as strong as the one above, is checked and fails
// with 57 + 243 > 230.
TEST(CliTimeSettlement, ChecksEveryBaseLayerWithTheSpreadLoad)
{
    const CliRun run = runCli("--json --details --set fak.base=230,230,500 --set etaD=0 "
                              + workedExample(scratchFolder("spreadLoad")));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    const auto checks = json["underlyingLayerChecks"];
    ASSERT_GE(checks.size(), 2u) << checks.dump();
    std::vector<nlohmann::json> assessed;
    for (const auto& check : json["assessment"]["checks"])
        if (check["check"] == "underlyingLayer")
            assessed.push_back(check);
    ASSERT_EQ(assessed.size(), checks.size()) << json["assessment"].dump();
    const double elastic[] = {39.5089, 33.5407};
    const double pcz[] = {186, 243};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(checks[i]["depth"], i == 0 ? 10.0 : 13.0);
        EXPECT_EQ(checks[i]["theta"], 0.0);
        EXPECT_EQ(checks[i]["spreadPz"], 57.0);
        EXPECT_EQ(checks[i]["pz"], checks[i]["spreadPz"]);
        EXPECT_NEAR(checks[i]["elasticPz"].get<double>(), elastic[i], 5e-5);
        EXPECT_EQ(checks[i]["pcz"], pcz[i]);
        EXPECT_EQ(checks[i]["faz"], 230.0);
        EXPECT_EQ(checks[i]["ok"], false) << checks[i].dump();
        EXPECT_EQ(assessed[i]["depth"], checks[i]["depth"]) << "the assessment's check " << i;
        EXPECT_EQ(assessed[i]["value"], 57.0 + pcz[i]);
        EXPECT_EQ(assessed[i]["limit"], 230.0);
    }
}

TEST(CliTimeSettlement, RefusedInputFailsTheFileNamingTheKey)
{
    const CliRun run = runCli("--json --details " + std::string(kCv) + " --set fill=0:0,30:3.5,60:3 "
                              + workedExample(scratchFolder("refusedFill")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("fill：填土高度不得减小"), std::string::npos) << run.err;
}

struct CurveCase {
    const char* name;
    std::string options;
    int exitCode;
    const char* error;  // in standard error
};

class CliTimeCurveTest : public testing::TestWithParam<CurveCase> {};

TEST_P(CliTimeCurveTest, WritesTheCurveOrRefuses)
{
    const CurveCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string file = workedExample(folder);
    const std::string out = folder + "/curve.csv";
    std::string options = c.options;
    for (const auto& [mark, path] : {std::pair{"OUT", out}, std::pair{"FILE", file}})
        for (auto at = options.find(mark); at != std::string::npos; at = options.find(mark, at + path.size()))
            options.replace(at, std::string(mark).size(), path);
    const std::string project = readBytes(file);
    const CliRun run = runCli(options);
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(file), project);
    if (c.exitCode != 0) {
        EXPECT_FALSE(std::filesystem::exists(pathOf(out)));
        EXPECT_EQ(readBytes(file), project) << "a refused command leaves the project file as it was";
        EXPECT_EQ(run.err.find("nan"), std::string::npos) << run.err;
        return;
    }
    const std::string csv = readBytes(out);
    EXPECT_EQ(csv.rfind("day,fillHeight,settlement\n0,0,0\n", 0), 0u) << csv.substr(0, 80);
    EXPECT_NE(csv.find("\n90,3,"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CliTimeCurveTest,
    testing::Values(
        CurveCase{"written", std::string("--time-settlement OUT ") + kCv + " --set fill=0:0,90:3 FILE", 0, ""},
        CurveCase{"withoutCv", "--time-settlement OUT --set fill=0:0,90:3 FILE", 1, "未给出固结系数cv"},
        CurveCase{"refusedInput", std::string("--time-settlement OUT ") + kCv + " --set fill=0:0,60:2 FILE", 1,
                  "fill：最后的填土高度应等于路堤高度h"},
        CurveCase{"overItsProject", std::string("--time-settlement FILE ") + kCv + " --set fill=0:0,90:3 FILE", 1,
                  "沉降过程不能写到工程文件本身"},
        CurveCase{"msBeyondAnySoil", std::string("--time-settlement OUT ") + kCv + " --set ms=1e308 FILE", 1,
                  "ms：沉降系数ms应为不小于1且不大于10的数"},
        CurveCase{"cvBeyondAnySoil", "--time-settlement OUT --set cv.head=1e308 --set cv.shaft=2,3 "
                  "--set cv.base=1.5,4,6 FILE", 1, "cv.head：固结系数cv应为每层一个大于0且不大于1000000的数"},
        CurveCase{"refusedStrength", std::string("--time-settlement OUT ") + kCv
                  + " --set fill=0:0,90:3 --set c.fill=-1 --set phi.fill=20 FILE", 1,
                  "c.fill：填土黏聚力c应为不小于0的数（kPa）！"},
        CurveCase{"refusedSettlementCorrection", std::string("--time-settlement OUT ") + kCv
                  + " --set fill=0:0,90:3 --set psiS=0 FILE", 1, "psiS：沉降计算经验系数ψs应为大于0的数！"},
        CurveCase{"withJson", "--json --time-settlement OUT FILE", 2, "--time-settlement goes with none"},
        CurveCase{"twoFiles", "--time-settlement OUT FILE FILE", 2, "--time-settlement takes one project file"},
        CurveCase{"demandWithoutReportOrJson", "--allowable-post-construction 100 FILE", 2,
                  "--allowable-post-construction need --report or --json"},
        CurveCase{"slicesWithoutReport", "--json --report-slices FILE", 2, "--report-slices needs --report"}),
    [](const auto& info) { return info.param.name; });

// The worked example with cv, filled over 90 days and paved on day 180.
std::string withCv(const std::string& folder)
{
    ProjectData p = settlementExample();
    for (const auto& [key, value] : {std::pair{"cv.head", "2"}, {"cv.shaft", "2,3"}, {"cv.base", "1.5,4,6"},
                                     {"fill", "0:0,90:3"}, {"pavementDay", "180"}})
        p.extension.set(key, value);
    EXPECT_TRUE(p.saveProject(folder + "/cv.txt", fixedSaveTime()).ok);
    return folder + "/cv.txt";
}

struct SweepCase {
    const char* name;
    const char* options;  // before the project file
    int exitCode;
    const char* out;  // the start of standard output
    const char* error;
};

class CliTimeSweepTest : public testing::TestWithParam<SweepCase> {};

// The post-construction demand decides which points pass, over the swept
// cv and pavement day as over any field.
TEST_P(CliTimeSweepTest, PostConstructionDemandDecides)
{
    const SweepCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string file = std::string(c.name).rfind("noCv", 0) == 0 ? workedExample(folder) : withCv(folder);
    const CliRun run = runCli(std::string(c.options) + " " + file);
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_EQ(run.out.substr(0, std::string(c.out).size()), c.out);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Sweeps, CliTimeSweepTest,
    testing::Values(
        SweepCase{"pavementDayLaterPasses", "--sweep pavementDay=90:720:90 --allowable-post-construction 40 "
                  "--best pavementDay:min", 0, "pavementDay,", ""},
        SweepCase{"columnsAdded", "--sweep pavementDay=180:180:1 --allowable-post-construction 40", 0,
                  "pavementDay,equivalentDiameter,pileCapacity,compositeCapacity,manualCompositeCapacity,"
                  "deformationRatio,stressRatio02,stressRatio01,bearingOk,settlementOk,postConstruction,"
                  "postConstructionOk,underlyingOk,failedChecks,uncheckedChecks\n180,2.26,", ""},
        SweepCase{"tooTightForAnyCv", "--sweep cv=1:5:1 --allowable-post-construction 5 --best cv:min", 0,
                  "No point passes every check.", ""},
        SweepCase{"noCvNotMade", "--sweep spacingSquare=1.5:2:0.5 --allowable-post-construction 40 --json", 0,
                  "{\"spacingSquare\":1.5,", ""},
        SweepCase{"noCvButSwept", "--sweep cv=1000:1000:1 --allowable-post-construction 100 --best cv:min", 0,
                  "cv,", ""}),
    [](const auto& info) { return info.param.name; });

}  // namespace
