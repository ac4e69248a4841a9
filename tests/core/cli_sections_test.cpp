// orvane-cli --sections on tables beside the bundled examples.
#include "cli_run.h"
#include "output/sweep_csv.h"
#include "random_projects.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A table written into a folder of the test's own, its path.
std::string tableFile(const std::string& name, const std::string& bytes)
{
    const std::string folder = scratchFolder("sections-" + name);
    writeBytes(folder + "/bh.csv", readBytes(example("borehole.csv")));
    writeBytes(folder + "/table.csv", bytes);
    return folder + "/table.csv";
}

// A section with no values of its own prints what --json prints of the base
// project, key for key and digit for digit, with its station and checks.
TEST(CliSections, SectionOfTheBaseProjectPrintsTheProjectsOwnJson)
{
    for (const char* name : {"worked-example.txt", "expressway-triangular-grid.txt", "county-road-rectangular-grid.txt"}) {
        const std::string table = tableFile(std::string("base-") + name, "station\nK0+000\n");
        const CliRun sections = runCli("--sections " + table + " --json " + example(name));
        const CliRun alone = runCli("--json " + example(name));
        ASSERT_EQ(sections.exitCode, 0) << sections.err;
        nlohmann::json s = nlohmann::json::parse(sections.out);
        nlohmann::json a = nlohmann::json::parse(alone.out);
        EXPECT_EQ(s["station"], "K0+000");
        EXPECT_EQ(s["passes"], true);
        for (const char* key : {"file", "ok", "extension"})
            a.erase(key);
        for (const auto& [key, value] : a.items())
            EXPECT_EQ(s[key].dump(), value.dump()) << name << " " << key;
    }
}

// One assessment, shown the same everywhere: over random projects and
// demands (failing and unmade checks after construction, under the tips and
// against sliding, refused values of the extension block), --json, a
// one-point sweep and a one-row road give the same assessment to the bit,
// and the report concludes the same way. The windows are held to it in
// assessment_windows_test.
TEST(CliAssessment, EveryOutputGivesTheSameVerdict)
{
    std::mt19937 random(26);
    const bool reports = reportsReadable();
    for (int n = 0; n < 12; ++n) {
        const std::string folder = scratchFolder("assessed-" + std::to_string(n));
        const RandomAssessedProject assessed = randomAssessedProject(random);
        ProjectData p = assessed.project;
        ASSERT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
        const std::string& demands = assessed.options;
        const std::string file = " " + folder + "/p.txt";
        writeBytes(folder + "/table.csv", "station\nK0+000\n");

        const CliRun json = runCli("--json " + demands + file);
        const CliRun sweep = runCli("--sweep spacingSquare=" + std::to_string(p.spacingSquare)
                                    + ":" + std::to_string(p.spacingSquare) + ":1 --json " + demands + file);
        const CliRun road = runCli("--sections " + folder + "/table.csv --json " + demands + file);
        const std::string label = std::to_string(n) + " " + demands;
        ASSERT_EQ(sweep.exitCode, json.exitCode) << label << sweep.err << json.err;
        if (json.exitCode != 0) {
            EXPECT_EQ(sweep.err.substr(sweep.err.find(':') + 2), json.err.substr(json.err.find(':') + 2)) << label;
            continue;
        }
        ASSERT_EQ(road.exitCode, 0) << label << road.err;
        const auto a = nlohmann::json::parse(json.out)["assessment"];
        EXPECT_EQ(nlohmann::json::parse(sweep.out.substr(0, sweep.out.find('\n')))["assessment"], a) << label;
        EXPECT_EQ(nlohmann::json::parse(road.out)["assessment"], a) << label;
        if (!reports)
            continue;
        ASSERT_EQ(runCli("--report " + folder + "/r.pdf " + demands + file).exitCode, 0) << label;
        const std::string text = reportText(folder + "/r.pdf");
        const std::string verdict = a["verdict"];
        EXPECT_EQ(text.find("设计不满足") != std::string::npos, verdict == "fails") << label;
        EXPECT_EQ(text.find("设计未能验算") != std::string::npos, verdict == "unchecked") << label;
    }
}

TEST(CliSections, GoverningSectionsMarkedInTheCsv)
{
    const std::string table = tableFile("governing", "桩号,路基填土高度h（m）\nK0+100,3\nK0+000,4.5\nK0+200,2\n");
    const CliRun run = runCli("--sections " + table + " --surcharge 20 " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 24), "station,chainage,equival");
    EXPECT_TRUE(lines[0].ends_with(",passes,governs,failedChecks,uncheckedChecks")) << lines[0];
    EXPECT_EQ(lines[1].substr(0, 12), "K0+000,0,2.2");
    EXPECT_TRUE(lines[1].ends_with(",true,,true,bearing settlement,,")) << lines[1];
    EXPECT_TRUE(lines[2].ends_with(",true,,true,,,")) << lines[2];
}

// The expressway example gives strengths and [F]: each section's factor in
// a column of its own and in the JSON, the section of the least governing.
TEST(CliSections, StabilityFactorOfEachSectionAndTheGoverningOne)
{
    const std::string table = tableFile("stability", "桩号,路基填土高度h（m）\nK0+000,3\nK0+100,6.5\nK0+200,4.5\n");
    const std::string arguments = "--sections " + table + " --surcharge 20 " + example("expressway-triangular-grid.txt");
    const CliRun csv = runCli(arguments);
    const CliRun json = runCli("--json " + arguments);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const std::vector<std::string> lines = linesOf(csv.out);
    const std::vector<std::string> objects = linesOf(json.out);
    ASSERT_EQ(lines.size(), 4u);
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_TRUE(lines[0].ends_with(",governs,failedChecks,uncheckedChecks,stabilityFactor")) << lines[0];
    std::vector<double> factors;
    for (std::size_t i = 0; i < 3; ++i) {
        const nlohmann::json j = nlohmann::json::parse(objects[i]);
        factors.push_back(j["stability"]["factor"]);
        EXPECT_TRUE(lines[i + 1].ends_with("," + shortestDecimal(factors.back()))) << lines[i + 1];
        const auto governs = j["governs"].get<std::vector<std::string>>();
        EXPECT_EQ(std::count(governs.begin(), governs.end(), "stability"), i == 1 ? 1 : 0) << objects[i];
    }
    EXPECT_LT(factors[1], factors[2]);
    EXPECT_LT(factors[2], factors[0]);
}

TEST(CliSections, BestPerSectionAndStretches)
{
    const std::string table = tableFile("best", "station,embankmentHeight\nK0+000,3\nK0+050,3\nK0+100,5\n");
    const CliRun run = runCli("--sections " + table
                              + " --json --allowable-settlement 150 --sweep spacingSquare=1.5:3:0.1"
                                " --best spacingSquare:max "
                              + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    const auto first = nlohmann::json::parse(lines[0]);
    const auto third = nlohmann::json::parse(lines[2]);
    EXPECT_EQ(first["passes"], true);
    EXPECT_LT(third["spacingSquare"].get<double>(), first["spacingSquare"].get<double>());
    const auto stretch = nlohmann::json::parse(lines[3])["stretch"];
    EXPECT_EQ(stretch["from"], "K0+000");
    EXPECT_EQ(stretch["to"], "K0+050");
    EXPECT_EQ(stretch["sections"], 2);
    EXPECT_EQ(stretch["spacingSquare"], first["spacingSquare"]);
    EXPECT_EQ(stretch["passes"], true);
    EXPECT_EQ(stretch["decidedBy"], "K0+000");
    EXPECT_EQ(nlohmann::json::parse(lines[4])["stretch"]["decidedBy"], "K0+100");
}

struct StretchRunCase {
    const char* name;
    std::string table;
    std::string options;  // after the table, before the base project
    std::vector<std::string> stretches;  // the lines after the stretches' header
};

class CliStretchTest : public testing::TestWithParam<StretchRunCase> {};

// A short stretch takes the more demanding design of its neighbour, and
// every section of a stretch is checked again at the stretch's value, its
// first and its last too.
TEST_P(CliStretchTest, StretchesCheckedAtTheirValue)
{
    const StretchRunCase& c = GetParam();
    const std::string table = tableFile(c.name, c.table);
    const CliRun run = runCli("--sections " + table + " " + c.options + " " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    const auto header = std::find_if(lines.begin(), lines.end(),
                                     [](const std::string& line) { return line.starts_with("from,to,sections,"); });
    ASSERT_NE(header, lines.end()) << run.out;
    EXPECT_EQ(std::vector<std::string>(header + 1, lines.end()), c.stretches);
}

// The widest square spacing within [s] 150 mm is 3 m under 3 m of fill and
// 2.6 m under 5 m. The narrowest shaft that carries the fill and 60 kPa is
// 0.5 m under 3 m of fill and 0.4 m under 2 m, where a head of 0.45 m allows
// no wider shaft.
const std::string kFillRising = "station,embankmentHeight\nK0+000,3\nK0+050,3\nK0+100,5\n";
const std::string kSpacing = "--allowable-settlement 150 --sweep spacingSquare=1.5:3:0.1 --best spacingSquare:max";
const std::string kShaft = "--surcharge 60 --sweep shaftDiameter=0.3:0.7:0.1 --best shaftDiameter:min";

INSTANTIATE_TEST_SUITE_P(
    Roads, CliStretchTest,
    testing::Values(
        StretchRunCase{"mergedStillPasses", kFillRising, kSpacing + " --shortest-stretch 200",
                       {"K0+000,K0+100,3,2.6,K0+100,true"}},
        StretchRunCase{"noneMergedAtZero", kFillRising, kSpacing + " --shortest-stretch 0",
                       {"K0+000,K0+050,2,3,K0+000,true", "K0+100,K0+100,1,2.6,K0+100,true"}},
        StretchRunCase{"mergedFailsAtItsLastSection",
                       "station,embankmentHeight,headDiameter\nK0+000,3,\nK0+050,3,\nK0+100,2,0.45\n",
                       kShaft + " --shortest-stretch 200", {"K0+000,K0+100,3,0.5,K0+000,false"}},
        StretchRunCase{"mergedFailsAtItsFirstSection",
                       "station,embankmentHeight,headDiameter\nK0+000,2,0.45\nK0+050,3,\nK0+100,3,\n",
                       kShaft + " --shortest-stretch 200", {"K0+000,K0+100,3,0.5,K0+050,false"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A table of `count` stations a kilometre apart.
std::string sectionsEveryKilometre(int count)
{
    std::string table = "station\n";
    for (int i = 0; i < count; ++i)
        table += "K" + std::to_string(i) + "+000\n";
    return table;
}

// A section whose borehole has other layers than the base project's cv
// lists, and no cv of its own, is not checked after construction, and is not failing for it; the
// section on the base project's layers is checked, each against the
// allowance of its own location.
TEST(CliSections, SectionNotCheckableIsNotFailing)
{
    const std::string table = tableFile("unchecked", "station,道路等级,路段类型,profile\n"
                                                     "K0+000,高速公路、一级公路,桥台与路堤相邻处,bh.csv\n"
                                                     "K0+050,highway,general,\n"
                                                     "K0+100,highway,general,gap.csv\n");
    const std::string folder = table.substr(0, table.rfind('/'));
    writeBytes(folder + "/bh.csv", "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3)\n素填土,1.2,8,3,18\n"
                                   "淤泥质黏土,4.8,10,3.5,17.5\n粉质黏土,5,16,6,19\n粉砂,6,22,10,19.5\n中砂,8,,15,20\n");
    // A borehole whose 淤泥质黏土 has no cv.
    writeBytes(folder + "/gap.csv", "土层名称,层厚,侧摩阻力,压缩模量,重度,固结系数\n素填土,1.2,8,3,18,5\n"
                                    "淤泥质黏土,4.8,10,3.5,17.5,\n粉质黏土,5,16,6,19,3.5\n粉砂,6,22,10,19.5,100\n"
                                    "中砂,8,,15,20,150\n");
    ProjectData p = settlementExample();
    p.extension.set("cv.head", "2");
    p.extension.set("cv.shaft", "2,3");
    p.extension.set("cv.base", "1.5,4,6");
    ASSERT_TRUE(p.saveProject(folder + "/base.txt", fixedSaveTime()).ok);
    const std::string arguments = "--sections " + table + " --surcharge 20 --allowable-settlement 300 " + folder + "/base.txt";

    const CliRun json = runCli(arguments + " --json");
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const std::vector<std::string> rows = linesOf(json.out);
    ASSERT_EQ(rows.size(), 3u);
    const auto approach = nlohmann::json::parse(rows[0]);
    const auto general = nlohmann::json::parse(rows[1]);
    const auto gap = nlohmann::json::parse(rows[2]);
    EXPECT_EQ(gap["assessment"]["verdict"], "unchecked");
    EXPECT_NE(gap["assessment"]["checks"][2]["reason"].get<std::string>().find("“淤泥质黏土”未给出"), std::string::npos)
        << gap;
    EXPECT_EQ(approach["assessment"]["verdict"], "unchecked");
    EXPECT_EQ(approach["passes"], false);
    const auto post = approach["assessment"]["checks"][2];
    EXPECT_EQ(post["check"], "postConstruction");
    EXPECT_EQ(post["limit"], 100.0);
    EXPECT_TRUE(post["ok"].is_null());
    EXPECT_NE(post["reason"].get<std::string>().find("cv.head"), std::string::npos) << post;
    EXPECT_EQ(general["assessment"]["checks"][2]["limit"], 300.0);
    EXPECT_FALSE(general["assessment"]["checks"][2]["ok"].is_null()) << general;

    const CliRun csv = runCli(arguments);
    ASSERT_EQ(csv.exitCode, 0) << csv.err;
    const std::vector<std::string> lines = linesOf(csv.out);
    ASSERT_EQ(lines.size(), 4u);
    // bearingOk, settlementOk, passes, governs, no failed check, the unchecked one
    EXPECT_NE(lines[1].find(",true,true,false,settlement,,postConstruction"), std::string::npos) << lines[1];
    EXPECT_NE(lines[3].find(",true,true,false,,,postConstruction"), std::string::npos) << lines[3];
}

// The bundled road: the bridge approach checked against a highway's 100 mm,
// every other section against its 300 mm; the stability of every section
// against the example's [F] = 1.25, the highest fill (K3+750) governing it.
TEST(CliSections, BundledRoadBridgeApproachAgainstItsAllowance)
{
    const CliRun run = runCli("--sections " + example("road-sections.csv") + " --json --surcharge 20 "
                              "--allowable-settlement 150 " + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> rows = linesOf(run.out);
    ASSERT_EQ(rows.size(), 31u);
    for (const std::string& row : rows) {
        const auto j = nlohmann::json::parse(row);
        const double chainage = j["chainage"];
        const bool approach = chainage >= 3650 && chainage <= 3850;
        const auto post = j["assessment"]["checks"][2];
        EXPECT_EQ(post["check"], "postConstruction") << row;
        EXPECT_EQ(post["limit"], approach ? 100.0 : 300.0) << row;
        // Each computed from its own strata's cv and fak.
        EXPECT_FALSE(post["ok"].is_null()) << row;
        int underlying = 0;
        for (const auto& check : j["assessment"]["checks"])
            if (check["check"] == "underlyingLayer") {
                ++underlying;
                EXPECT_FALSE(check["ok"].is_null()) << row;
            }
        EXPECT_GE(underlying, 1) << row;
        const auto stability = j["assessment"]["checks"].back();
        EXPECT_EQ(stability["check"], "stability") << row;
        EXPECT_EQ(stability["limit"], 1.25) << row;
        EXPECT_EQ(stability["ok"], true) << row;
        const auto& governed = j["governs"];
        const bool governs = std::find(governed.begin(), governed.end(), "stability") != governed.end();
        EXPECT_EQ(governs, j["station"] == "K3+750") << row;
        if (governs) {
            EXPECT_NEAR(j["stability"]["factor"].get<double>(), 1.267, 5e-4) << row;
        }
    }
}

std::string twentySections()
{
    std::string table = "station\n";
    for (int i = 0; i < 20; ++i)
        table += "K0+" + std::to_string(100 + i * 10) + "\n";
    return table;
}

TEST(CliSections, ChartWrittenBesideTheResults)
{
    const std::string table = tableFile("chart", "station,embankmentHeight\nK0+000,3\nK0+050,5\n");
    const std::string chart = table.substr(0, table.rfind('/')) + "/chart.svg";
    const CliRun run = runCli("--sections " + table + " --allowable-settlement 150 --chart " + chart + " "
                              + example("worked-example.txt"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string svg = readBytes(chart);
    EXPECT_TRUE(svg.starts_with("<svg ")) << svg.substr(0, 40);
    EXPECT_NE(svg.find(">K0+050<"), std::string::npos);
}

// The road's report beside the results; a build without the desktop
// program's libraries says it has none and still prints the results.
TEST(CliSections, ReportWrittenBesideTheResults)
{
    const std::string table = tableFile("report", "station,embankmentHeight\nK0+000,3\nK0+050,5\n");
    const std::string report = table.substr(0, table.rfind('/')) + "/road.pdf";
    const CliRun run = runCli("--sections " + table + " --allowable-settlement 150 --report " + report + " "
                              + example("worked-example.txt"));
    if (ORVANE_CLI_HAS_REPORT) {
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readBytes(report).rfind("%PDF-", 0), 0u);
        EXPECT_EQ(linesOf(run.out).size(), 3u);
    } else {
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("not available"), std::string::npos) << run.err;
    }
}

struct OutputOverInputCase {
    const char* name;
    const char* option;  // TARGET stands for the target too
    std::string target;  // base, table, profile or output (a file the run does not read)
    const char* reason;
};

class CliSectionsOutputTest : public testing::TestWithParam<OutputOverInputCase> {};

// No output replaces a file the run reads: the base project, the table or a
// borehole table it names; nor are the chart and the report one file.
TEST_P(CliSectionsOutputTest, OutputOverAnInputIsRefused)
{
    const OutputOverInputCase& c = GetParam();
    const std::string table = tableFile(c.name, "station,profile\nK0+000,bh.csv\n");
    const std::string folder = table.substr(0, table.rfind('/'));
    const std::string base = folder + "/base.txt";
    writeBytes(base, readBytes(example("worked-example.txt")));
    writeBytes(folder + "/road.out", "an earlier output");
    const std::string target = c.target == "base"    ? base
                               : c.target == "table" ? table
                               : c.target == "profile" ? folder + "/bh.csv"
                                                       : folder + "/road.out";
    std::string option = c.option;
    if (const auto at = option.find("TARGET"); at != std::string::npos)
        option.replace(at, std::string("TARGET").size(), target);
    const std::string before = readBytes(target);
    const CliRun run = runCli("--sections " + table + " " + option + " " + target + " " + base);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(readBytes(target), before);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, CliSectionsOutputTest,
    testing::Values(OutputOverInputCase{"chartOverBase", "--chart", "base", "图不能写到输入文件本身"},
                    OutputOverInputCase{"chartOverTable", "--chart", "table", "图不能写到输入文件本身"},
                    OutputOverInputCase{"chartOverProfile", "--chart", "profile", "图不能写到输入文件本身"},
                    OutputOverInputCase{"reportOverBase", "--report", "base", "计算书不能写到输入文件本身"},
                    OutputOverInputCase{"reportOverTable", "--report", "table", "计算书不能写到输入文件本身"},
                    OutputOverInputCase{"reportOverProfile", "--report", "profile", "计算书不能写到输入文件本身"},
                    OutputOverInputCase{"chartAndReportOneFile", "--chart TARGET --report", "output",
                                        "图和计算书不能写到同一个文件"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::string table;
    const char* arguments;  // before the table's path
    int exitCode;
    const char* reason;
};

class CliSectionsRefusalTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(CliSectionsRefusalTest, NothingComputedAndTheReasonGiven)
{
    const RefusedCase& c = GetParam();
    const std::string table = tableFile(c.name, c.table);
    const CliRun run = runCli(std::string(c.arguments) + " --sections " + table + " " + example("worked-example.txt"));
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CliSectionsRefusalTest,
    testing::Values(
        RefusedCase{"badRows", "station,slopeM\nK0+000,1.5\nK0+100,x\nK0+1OO,1\n", "", 1,
                    "table.csv: 第3行第2列（边坡坡度1:m）的“x”不是数字。\n"},
        RefusedCase{"secondBadRowToo", "station,slopeM\nK0+000,1.5\nK0+100,x\nK0+1OO,1\n", "", 1,
                    "table.csv: 第4行的桩号“K0+1OO”不是桩号"},
        RefusedCase{"badFillHistory", "station,embankmentHeight,fill\nK0+000,3,\"0:0,90:2\"\n", "", 1,
                    "table.csv: 第2行第3列（填土过程）：最后的填土高度应等于路堤高度h（3 m）"},
        RefusedCase{"profileBesideTheTableIsRead", "station,profile\nK0+000,bh.csv\nK0+100,none.csv\n", "", 1,
                    "第3行的土层剖面“none.csv”无法使用"},
        RefusedCase{"reportOfFiveThousandSections", sectionsEveryKilometre(5000), "--report road.pdf", 1,
                    "路段计算书共有5000个断面，超过上限500个"},
        RefusedCase{"reportOf99999Sections", sectionsEveryKilometre(99999), "--report road.pdf", 1,
                    "路段计算书共有99999个断面，超过上限500个"},
        RefusedCase{"tooMuchWork", twentySections(),
                    "--sweep spacingSquare=1:10000:0.01 --best spacingSquare:max", 2, "settlement slices"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
