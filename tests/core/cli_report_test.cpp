// The calculator's PDF reports, of a project and of a road's sections, obey
// the rules a project file is saved by:
// a read-only file, a folder or a pipe is refused with the reason, naming
// the PDF; a replaced file keeps its mode; a long existing name is replaced;
// standard error stays silent when the report is written.
#include "cli_run.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

namespace fs = std::filesystem;

struct ReportTargetCase {
    const char* name;
    bool (*make)(const std::string& target);  // false: not on this system
    int exitCode;
    const char* reason;  // in standard error; nothing when it is written
};

bool oldFile(const std::string& target)
{
    writeBytes(target, "old");
    return true;
}

bool readOnlyFile(const std::string& target)
{
    oldFile(target);
    fs::permissions(pathOf(target), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return true;
}

bool folder(const std::string& target) { return fs::create_directory(pathOf(target)); }

bool pipe(const std::string& target)
{
#ifdef _WIN32
    (void)target;
    return false;
#else
    return ::mkfifo(target.c_str(), 0644) == 0;
#endif
}

bool groupReadable(const std::string& target)
{
    oldFile(target);
    fs::permissions(pathOf(target), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    return true;
}

// Each target for the report of a project and for the report of a road.
class CliReportTargetRules : public testing::TestWithParam<std::tuple<ReportTargetCase, bool>> {};

TEST_P(CliReportTargetRules, ReportIsSavedAsAProjectFileIs)
{
    if (!ORVANE_CLI_HAS_REPORT)
        GTEST_SKIP() << "no report in this build";
    const auto& [c, road] = GetParam();
    const std::string scratch = scratchFolder(std::string("cli-report-") + c.name + (road ? "-road" : ""));
    const std::string target = scratch + "/" + (c.name == std::string("longName") ? std::string(246, 'r') : "r") + ".pdf";
    if (!c.make(target))
        GTEST_SKIP() << "this system cannot make " << c.name;
    const fs::file_status before = fs::status(pathOf(target));
    std::string sections;
    if (road) {
        writeBytes(scratch + "/sections.csv", "station,embankmentHeight\nK0+000,3\nK0+050,4\n");
        sections = "--sections " + scratch + "/sections.csv ";
    }

    const CliRun run = runCli(sections + "--report " + target + " " + example("worked-example.txt"));

    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    if (c.exitCode == 0) {
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(readBytes(target).rfind("%PDF-", 0), 0u);
        EXPECT_EQ(fs::status(pathOf(target)).permissions(), before.permissions());
    } else {
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("r.pdf"), std::string::npos) << run.err;
        EXPECT_EQ(fs::status(pathOf(target)).type(), before.type());
    }
    std::error_code ignored;
    fs::permissions(pathOf(target), fs::perms::owner_all, fs::perm_options::add, ignored);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, CliReportTargetRules,
    testing::Combine(testing::Values(ReportTargetCase{"readOnly", readOnlyFile, 1, "文件是只读的。"},
                                     ReportTargetCase{"folder", folder, 1, "这是一个文件夹，不是计算书文件。"},
                                     ReportTargetCase{"pipe", pipe, 1, "这不是普通文件（而是管道、设备等）。"},
                                     ReportTargetCase{"modeKept", groupReadable, 0, ""},
                                     ReportTargetCase{"longName", oldFile, 0, ""}),
                     testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "OfARoad" : "OfAProject");
    });

#ifndef _WIN32
// The words of a PDF with their places on the page, and the faces it embeds.
std::string wordsAndFaces(const std::string& pdf)
{
    std::string words = runCommand("pdftotext -bbox " + pdf + " - | grep '<word'").out;
    return words + runCommand("pdffonts " + pdf + " | tail -n +3 | cut -d' ' -f1").out;
}

// The report is set in the face the program carries, by its design
// metrics: the same words in the same places, embedding that face alone,
// whether the system has the face itself or no face at all.
TEST(CliReportFace, SameReportWhateverFacesTheSystemHas)
{
    if (!reportsReadable())
        GTEST_SKIP() << "no report in this build, or no pdftotext";
    const std::string scratch = scratchFolder("cli-report-face");
    writeBytes(scratch + "/no-faces.conf", "<?xml version=\"1.0\"?>\n<fontconfig><dir>" + scratch
                                              + "/none</dir><cachedir>" + scratch + "/cache</cachedir></fontconfig>\n");
    const std::string report = "--report " + scratch + "/";
    ASSERT_EQ(runCli(report + "system.pdf " + example("worked-example.txt")).exitCode, 0);
    ASSERT_EQ(runCommand("FONTCONFIG_FILE=" + scratch + "/no-faces.conf " + ORVANE_CLI + " " + report + "bare.pdf "
                         + example("worked-example.txt"))
                  .exitCode,
              0);

    const std::string system = wordsAndFaces(scratch + "/system.pdf");
    EXPECT_NE(system.find(">T形水泥土搅拌桩复合地基计算书</word>"), std::string::npos) << system.substr(0, 2000);
    EXPECT_EQ(system.substr(system.rfind("</word>") + 8), "WenQuanYiMicroHei\n");
    const std::string bare = wordsAndFaces(scratch + "/bare.pdf");
    const auto differ = std::mismatch(system.begin(), system.end(), bare.begin(), bare.end());
    EXPECT_TRUE(bare == system) << "without the system's faces: "
                                << std::string(differ.second, bare.end()).substr(0, 300) << "\nwith them: "
                                << std::string(differ.first, system.end()).substr(0, 300);
}
#endif

struct StabilityChapterCase {
    const char* name;
    const char* example;
    bool road;
    bool chapter;  // the project gives strengths: the chapter and its figure
};

class CliReportStability : public testing::TestWithParam<StabilityChapterCase> {};

// The stability chapter with the inputs, the circles of both sides, the
// slices' totals against the factor and the assumption on the piles; in a
// road's report also the factor's column and the governing section. None
// without strengths.
TEST_P(CliReportStability, ChapterOnlyWhenTheProjectGivesStrengths)
{
    const StabilityChapterCase& c = GetParam();
    if (!reportsReadable())
        GTEST_SKIP() << "no readable report in this build";
    const std::string scratch = scratchFolder(std::string("cli-report-stability-") + c.name);
    std::string sections;
    if (c.road) {
        writeBytes(scratch + "/sections.csv", "station,embankmentHeight\nK0+000,3\nK0+050,5\n");
        sections = "--sections " + scratch + "/sections.csv ";
    }
    const CliRun run = runCli(sections + "--surcharge 20 --report " + scratch + "/r.pdf " + example(c.example));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string text = reportText(scratch + "/r.pdf");
    for (const char* part : {"路堤整体稳定验算", "稳定计算参数", "桩体抗剪强度τp", "两侧的临界滑弧", "左侧：圆心", "右侧：圆心",
                             "临界滑弧的土条", "合计", "要求的稳定安全系数[F]",
                             "以复合强度进行的极限平衡分析假定桩体发生剪切破坏；路堤下的水泥土桩可能先发生弯曲破坏，"
                             "本安全系数未考虑这种破坏。",
                             "整体稳定F="})
        EXPECT_EQ(text.find(part) != std::string::npos, c.chapter) << part;
    EXPECT_EQ(text.find("[[stability-figure]]"), std::string::npos) << "every figure placed";
    if (c.road) {
        EXPECT_EQ(text.find("稳定安全系数F") != std::string::npos, c.chapter);
        EXPECT_EQ(text.find("整体稳定控制断面为K0+050") != std::string::npos, c.chapter);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Projects, CliReportStability,
    testing::Values(StabilityChapterCase{"expressway", "expressway-triangular-grid.txt", false, true},
                    StabilityChapterCase{"countyRoad", "county-road-rectangular-grid.txt", false, true},
                    StabilityChapterCase{"expresswayRoad", "expressway-triangular-grid.txt", true, true},
                    StabilityChapterCase{"workedWithoutStrengths", "worked-example.txt", false, false},
                    StabilityChapterCase{"workedRoadWithoutStrengths", "worked-example.txt", true, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
