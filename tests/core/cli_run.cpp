#include "cli_run.h"

#include "test_files.h"

#include <gtest/gtest.h>

CliRun runCli(const std::string& arguments)
{
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string errPath =
        scratchFolder(std::string("cli-") + test->test_suite_name() + "-" + test->name()) + "/err.txt";
    const CommandRun run = runCommand(std::string(ORVANE_CLI) + " " + arguments + " 2>" + errPath);
    return {run.exitCode, run.out, readBytes(errPath)};
}

std::string example(const std::string& name) { return std::string(ORVANE_EXAMPLES_DIR) + "/" + name; }
