// The calculator's results written where they cannot go (a full disk, a
// pipe whose reader has gone), and borehole tables read from what a user's
// folder may hold instead of a table.
#include "cli_run.h"
#include "model/soil_profile.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>

namespace {

struct OutputCase {
    const char* name;
    const char* arguments;  // before the worked example
};

class CliFullDiskTest : public testing::TestWithParam<OutputCase> {};

TEST_P(CliFullDiskTest, ResultsThatCannotBeWrittenAreAFailure)
{
    const CliRun run = runCli(std::string(GetParam().arguments) + " " + example("worked-example.txt") + " >/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("orvane-cli: 无法写出结果：磁盘空间不足"), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Commands, CliFullDiskTest,
                         testing::Values(OutputCase{"text", ""}, OutputCase{"json", "--json"},
                                         OutputCase{"details", "--json --details"},
                                         OutputCase{"sweepCsv", "--sweep spacingSquare=1:3:0.5"},
                                         OutputCase{"sweepJson", "--json --sweep spacingSquare=1:3:0.5"},
                                         OutputCase{"sweepBest", "--sweep spacingSquare=1:3:0.5 --best spacingSquare:max"},
                                         OutputCase{"sectionsCsv", "--sections " ORVANE_EXAMPLES_DIR "/road-sections.csv"},
                                         OutputCase{"sectionsBest", "--sections " ORVANE_EXAMPLES_DIR "/road-sections.csv "
                                                                    "--sweep spacingSquare=1.5:2.5:0.5 --best spacingSquare:max"}),
                         [](const auto& info) { return info.param.name; });

// A million points take the better part of a minute; once the reader has
// gone the sweep ends at its next line, with the reason.
TEST(CliClosedPipe, SweepStopsAtOnceWithTheReason)
{
    const std::string folder = scratchFolder("cli-closed-pipe");
    const auto start = std::chrono::steady_clock::now();
    runCommand("{ " + std::string(ORVANE_CLI) + " --sweep spacingSquare=1:100000:0.1 " + example("worked-example.txt")
               + " 2>" + folder + "/err.txt; echo $? >" + folder + "/status.txt; } | head -c 100 >/dev/null");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(readBytes(folder + "/status.txt"), "1\n");
    EXPECT_EQ(readBytes(folder + "/err.txt"), "orvane-cli: 无法写出结果：接收输出的管道已关闭。\n");
}

struct ProfileFileCase {
    const char* name;
    std::string (*prepare)(const std::string& folder);
    const char* reason;
};

class ProfileFileTest : public testing::TestWithParam<ProfileFileCase> {};

// Each reason as the project file gives it, after the table's name.
TEST_P(ProfileFileTest, IsRefusedWithTheReason)
{
    const std::string folder = scratchFolder(std::string("profile-file-") + GetParam().name);
    const std::string path = GetParam().prepare(folder);
    EXPECT_EQ(loadProfileCsv(path).error, "无法打开土层剖面文件“" + path + "”：" + GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileFileTest,
    testing::Values(ProfileFileCase{"missing", missingFile, "文件不存在。"},
                    ProfileFileCase{"folder", folderItself, "这是一个文件夹，不是土层剖面文件。"},
                    ProfileFileCase{"tooLarge", twoMebibytes, "文件过大（2097152 字节），土层剖面文件不超过 1048576 字节。"},
                    ProfileFileCase{"fifo",
                                    [](const std::string& folder) {
                                        mkfifo((folder + "/p.csv").c_str(), 0666);
                                        return folder + "/p.csv";
                                    },
                                    "这不是普通文件（而是管道、设备等）。"},
                    ProfileFileCase{"device", [](const std::string&) { return std::string("/dev/zero"); },
                                    "这不是普通文件（而是管道、设备等）。"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
