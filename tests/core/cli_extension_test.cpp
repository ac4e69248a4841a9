// The calculator's --set and the extension block in its JSON, and a report
// that would replace its own project file.
#include "cli_run.h"
#include "test_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The worked example saved with one value the program does not use.
std::string projectWithCustomKey(const std::string& folder)
{
    ProjectData p = settlementExample();
    p.extension.set("custom.key", "1");
    p.extension.set("projectName", "旧名称");
    EXPECT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    return folder + "/p.txt";
}

struct SetCase {
    const char* name;
    const char* options;  // before the project file
    int exitCode;
    const char* extension;  // JSON of "extension" when the file is read
};

class CliSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(CliSetTest, SetsKnownKeysAndKeysOfTheFile)
{
    const SetCase& c = GetParam();
    const std::string file = projectWithCustomKey(scratchFolder(c.name));
    const CliRun run = runCli(std::string(c.options) + " " + file);
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    if (c.exitCode == 2) {
        EXPECT_NE(run.err.find("Usage"), std::string::npos);
        EXPECT_EQ(run.out, "");
        return;
    }
    EXPECT_EQ(nlohmann::ordered_json::parse(run.out)["extension"], nlohmann::ordered_json::parse(c.extension));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, CliSetTest,
    testing::Values(
        SetCase{"asInTheFile", "--json", 0, R"({"custom.key": "1", "projectName": "旧名称"})"},
        SetCase{"replacedInPlaceAndAppended", "--json --set station=K1+200 --set projectName=某路 --set custom.key=2",
                0, R"({"custom.key": "2", "projectName": "某路", "station": "K1+200"})"},
        SetCase{"emptyValueRemoves", "--json --set projectName= --set \"station=A = B\"", 0,
                R"({"custom.key": "1", "station": "A = B"})"},
        SetCase{"sameKeyTwice", "--json --set station=1 --set station=2", 2, ""},
        SetCase{"stabilityKeyKnown", "--json --set treatedMargin=-1.5", 0,
                R"({"custom.key": "1", "projectName": "旧名称", "treatedMargin": "-1.5"})"},
        SetCase{"unknownKey", "--json --set other.key=1", 2, ""},
        SetCase{"notAKey", "--json --set 工程名称=1", 2, ""},
        SetCase{"versionIsNotAKey", "--json --set version=2", 2, ""},
        SetCase{"withoutEquals", "--json --set projectName", 2, ""},
        SetCase{"deleteCharacter", "--json --set \"projectName=A\x7F\"", 2, ""},
        SetCase{"notGbk", "--json --set \"projectName=\xF0\x9F\x98\x80\"", 2, ""},
        SetCase{"withoutOutput", "--set projectName=A", 2, ""},
        SetCase{"valueMissing", "--json --set", 2, ""}),
    [](const auto& info) { return info.param.name; });

TEST(CliSet, SaveAsWritesTheValuesAndRefusesAnUnknownKeyWithoutWriting)
{
    const std::string folder = scratchFolder("cli-set-save-as");
    const std::string file = projectWithCustomKey(folder);
    const CliRun saved = runCli("--save-as " + folder + "/out.txt --set checkedBy=张三 " + file);
    ASSERT_EQ(saved.exitCode, 0) << saved.err;
    EXPECT_NE(gbkToUtf8(readBytes(folder + "/out.txt"))
                  .find("\r\n[Orvane扩展]\r\nversion=1\r\ncustom.key=1\r\nprojectName=旧名称\r\ncheckedBy=张三\r\n"),
              std::string::npos);

    const CliRun refused = runCli("--save-as " + folder + "/other.txt --set other=1 " + file);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(folder + "/other.txt"));

    const CliRun unreadable = runCli("--save-as " + folder + "/other.txt --set ms=abc " + file);
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_NE(unreadable.err.find("--set ms: ms：沉降系数ms应为"), std::string::npos) << unreadable.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/other.txt")) << "no file that every reader refuses";

    const CliRun weakFill = runCli("--save-as " + folder + "/other.txt --set c.fill=-1 --set phi.fill=20 " + file);
    EXPECT_EQ(weakFill.exitCode, 2);
    EXPECT_NE(weakFill.err.find("--set c.fill: c.fill：填土黏聚力c应为不小于0的数"), std::string::npos) << weakFill.err;
    EXPECT_FALSE(std::filesystem::exists(folder + "/other.txt")) << "no file that every reader refuses";
}

// The report carries the project name set for it, with the demands and the
// slice appendix asked for; pdftotext reads it where it is installed.
TEST(CliSet, ReportIsNamedAfterTheProject)
{
    if (!reportsReadable())
        GTEST_SKIP() << "no report in this build, or no pdftotext";
    const std::string folder = scratchFolder("cli-set-report");
    const std::string file = projectWithCustomKey(folder);
    const CliRun run = runCli("--report " + folder + "/r.pdf --surcharge 20 --allowable-settlement 100 "
                              "--report-slices --set projectName=XY某路堤 " + file);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const CommandRun text = runCommand("pdftotext " + folder + "/r.pdf -");
    EXPECT_NE(text.out.find("XY某路堤"), std::string::npos);
    EXPECT_EQ(text.out.find("旧名称"), std::string::npos);
}

// The report concludes on every check of the assessment, with the demands of
// the command line over the project's own; a refused value of the extension
// block refuses the report as it refuses --json.
struct ConclusionCase {
    const char* name;
    std::string options;
    int exitCode;
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

class CliReportConclusionTest : public testing::TestWithParam<ConclusionCase> {};

TEST_P(CliReportConclusionTest, ConcludesOnEveryCheck)
{
    if (!reportsReadable())
        GTEST_SKIP() << "no report in this build, or no pdftotext";
    const ConclusionCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string file = projectWithCustomKey(folder);
    const CliRun run = runCli("--report " + folder + "/r.pdf " + c.options + " " + file);
    ASSERT_EQ(run.exitCode, c.exitCode) << run.err;
    if (c.exitCode != 0) {
        EXPECT_FALSE(std::filesystem::exists(pathOf(folder + "/r.pdf")));
        return;
    }
    const std::string text = reportText(folder + "/r.pdf");
    for (const std::string& words : c.present)
        EXPECT_NE(text.find(words), std::string::npos) << words;
    for (const std::string& words : c.absent)
        EXPECT_EQ(text.find(words), std::string::npos) << words;
}

const std::string kTimeInputs = "--set cv.head=2 --set cv.shaft=2,3 --set cv.base=1.5,4,6 --set fill=0:0,90:3 "
                                "--set pavementDay=180";

INSTANTIATE_TEST_SUITE_P(
    Reports, CliReportConclusionTest,
    testing::Values(
        ConclusionCase{"failingChecksConcluded",
                       "--surcharge 20 --allowable-settlement 100 --set fak.base=40,30,150 "
                       "--set allowablePostConstruction=20 " + kTimeInputs,
                       0, {"工后沉降不满足要求", "下卧层承载力不满足要求", "设计不满足（工后沉降、下卧层承载力）"},
                       {"沉降满足要求。"}},
        ConclusionCase{"commandLineAllowanceOverTheTable",
                       "--surcharge 20 --allowable-post-construction 20 --set roadClass=highway "
                       "--set location=general " + kTimeInputs,
                       0, {"[s工后]=20mm（设计要求）", "工后沉降不满足要求"}, {"[s工后]=300"}},
        ConclusionCase{"projectAllowanceWithoutDemands", "--set allowablePostConstruction=200 " + kTimeInputs, 0,
                       {"工后沉降满足要求", "[s工后]=200mm（工程输入）"}, {"未给出设计要求"}},
        ConclusionCase{"allChecksHold", "--surcharge 20 --allowable-settlement 100", 0,
                       {"复合地基承载力满足要求，沉降满足要求。"}, {"设计不满足", "另按命令行取值"}},
        ConclusionCase{"settingsNamedOnTheCover", "--set ms=1.2", 0, {"另按命令行取值（已计入校验码）：ms=1.2"}, {}},
        ConclusionCase{"refusedExtensionValue", "--surcharge 20 --set fak.base=100,80", 1, {}, {}},
        ConclusionCase{"settlementCorrectionChecked", "--surcharge 20 --allowable-settlement 80 --set psiS=1.2", 0,
                       {"ψs·S=1.2×", "沉降不满足要求"}, {"沉降满足要求"}},
        ConclusionCase{"refusedSettlementCorrection", "--surcharge 20 --allowable-settlement 80 --set psiS=0", 1, {},
                       {}},
        ConclusionCase{"refusedStrength", "--surcharge 20 --set c.fill=-1 --set phi.fill=20", 1, {}, {}}),
    [](const auto& info) { return info.param.name; });

// The cover's checksum is of the project as computed: values given on the
// command line change it.
TEST(CliReportCover, ChecksumFollowsTheValuesOfTheCommandLine)
{
    if (!reportsReadable())
        GTEST_SKIP() << "no report in this build, or no pdftotext";
    const std::string folder = scratchFolder("cli-report-checksum");
    const std::string file = projectWithCustomKey(folder);
    std::vector<std::string> checksums;
    for (const char* setting : {"--set ms=1", "--set ms=1.2", "--set ms=1"}) {
        ASSERT_EQ(runCli("--report " + folder + "/r.pdf " + setting + " " + file).exitCode, 0);
        const std::string text = reportText(folder + "/r.pdf");
        const std::size_t at = text.find("校验码");
        ASSERT_NE(at, std::string::npos);
        checksums.push_back(text.substr(at, 20));
    }
    EXPECT_NE(checksums[0], checksums[1]);
    EXPECT_EQ(checksums[0], checksums[2]);
}

// The same file under another name, made in the project's folder; false
// when the system cannot make it here.
struct SameTargetCase {
    const char* name;
    const char* target;
    bool (*make)(const std::string& folder);
};

bool nothing(const std::string&) { return true; }

bool symbolicLink(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_symlink("p.txt", pathOf(folder + "/link.pdf"), error);
    return !error;
}

bool hardLink(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_hard_link(pathOf(folder + "/p.txt"), pathOf(folder + "/hard.pdf"), error);
    return !error;
}

class CliReportTargetTest : public testing::TestWithParam<SameTargetCase> {};

TEST_P(CliReportTargetTest, ReportIsNeverWrittenOverItsProjectFile)
{
    const SameTargetCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string file = projectWithCustomKey(folder);
    if (!c.make(folder))
        GTEST_SKIP() << "this system cannot make " << c.target;
    const std::string before = readBytes(file);
    const CliRun run = runCli("--report " + folder + "/" + c.target + " --set projectName=新 " + file);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("计算书不能写到工程文件本身"), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(file), before);
}

INSTANTIATE_TEST_SUITE_P(Targets, CliReportTargetTest,
                         testing::Values(SameTargetCase{"itself", "p.txt", nothing},
                                         SameTargetCase{"otherSpelling", "./p.txt", nothing},
                                         SameTargetCase{"symbolicLink", "link.pdf", symbolicLink},
                                         SameTargetCase{"hardLink", "hard.pdf", hardLink}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
