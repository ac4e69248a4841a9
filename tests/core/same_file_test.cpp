#include "model/platform.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

namespace {

// The second path of each case is made in a folder holding a.txt and b.txt
// with equal bytes; false from make when the system cannot make it here.
struct SameFileCase {
    const char* name;
    const char* second;
    bool (*make)(const std::string& folder);
    bool same;
};

bool nothing(const std::string&) { return true; }

bool symbolicLink(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_symlink("a.txt", pathOf(folder + "/link.txt"), error);
    return !error;
}

bool hardLink(const std::string& folder)
{
    std::error_code error;
    std::filesystem::create_hard_link(pathOf(folder + "/a.txt"), pathOf(folder + "/hard.txt"), error);
    return !error;
}

bool subfolder(const std::string& folder)
{
    return std::filesystem::create_directory(pathOf(folder + "/sub"));
}

class SameFileTest : public testing::TestWithParam<SameFileCase> {};

TEST_P(SameFileTest, TellsOneFileFromTwo)
{
    const SameFileCase& c = GetParam();
    const std::string folder = scratchFolder(std::string("same-") + c.name);
    writeBytes(folder + "/a.txt", "x");
    writeBytes(folder + "/b.txt", "x");
    if (!c.make(folder))
        GTEST_SKIP() << "this system cannot make " << c.second;
    const std::string second = folder + "/" + c.second;
    EXPECT_EQ(platform::isSameFile(folder + "/a.txt", second), c.same);
    EXPECT_EQ(platform::isSameFile(second, folder + "/a.txt"), c.same);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SameFileTest,
    testing::Values(SameFileCase{"itself", "a.txt", nothing, true},
                    SameFileCase{"otherSpelling", "sub/../a.txt", subfolder, true},
                    SameFileCase{"symbolicLink", "link.txt", symbolicLink, true},
                    SameFileCase{"hardLink", "hard.txt", hardLink, true},
                    SameFileCase{"equalBytes", "b.txt", nothing, false},
                    SameFileCase{"missing", "missing.txt", nothing, false},
                    SameFileCase{"folder", ".", nothing, false}),
    [](const auto& info) { return info.param.name; });

}  // namespace

// The processor time counts work, not waiting: a sleep adds next to nothing,
// a busy loop of the same length adds most of it.
TEST(ProcessorSeconds, CountWorkNotWaiting)
{
    using namespace std::chrono;
    const double beforeSleep = platform::processorSeconds();
    std::this_thread::sleep_for(milliseconds(300));
    const double slept = platform::processorSeconds() - beforeSleep;
    EXPECT_LT(slept, 0.1);
    const double beforeWork = platform::processorSeconds();
    volatile double sum = 0;
    for (const auto end = steady_clock::now() + milliseconds(300); steady_clock::now() < end;)
        sum = sum + 1;
    EXPECT_GT(platform::processorSeconds() - beforeWork, 0.005);
}
