// Saves killed at random moments, as a crash or a power cut would stop them.
#include "test_files.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kKills = 300;

pid_t saveInChild(const std::string& path)
{
    const pid_t child = fork();
    if (child == 0) {
        ProjectData p = settlementExample();
        _exit(p.saveProject(path, fixedSaveTime()).ok ? 0 : 1);
    }
    return child;
}

// The slowest of a few whole saves in a child, fork included, so that the
// kill moments span the save however loaded the machine or slow the build.
std::chrono::microseconds timeOfSaveInChild(const std::string& path)
{
    std::chrono::microseconds slowest{0};
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        int status = 0;
        waitpid(saveInChild(path), &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        slowest = std::max(slowest, std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - start));
    }
    return slowest;
}

void saveInChildAndKillAfter(const std::string& path, std::chrono::microseconds delay)
{
    const pid_t child = saveInChild(path);
    usleep(static_cast<useconds_t>(delay.count()));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Every other file of the folder: the temporary files kills left.
std::vector<fs::path> leftBeside(const std::string& target)
{
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(fs::path(target).parent_path()))
        if (entry.path() != target)
            left.push_back(entry.path());
    return left;
}

// The target is always the old file or the complete new one. The new file is
// written unnamed and named only once complete, a moment before it is
// renamed over the target: a kill in that moment alone leaves a temporary
// file, complete, and the next save removes it.
TEST(SaveCrash, KilledSavesLeaveTheOldOrTheNewFile)
{
    const std::string folder = scratchFolder("killedSaves");
    const std::string path = folder + "/p.txt";
    ProjectData old = capacityExample();
    const std::string oldBytes = old.projectFileBytes(fixedSaveTime());
    ProjectData fresh = settlementExample();
    const std::string newBytes = fresh.projectFileBytes(fixedSaveTime());
    const auto saveTime = timeOfSaveInChild(path);

    std::mt19937 random(20091);
    std::uniform_int_distribution<long> moment(0, saveTime.count() * 3 / 2);
    int oldKept = 0, newWritten = 0, leftBehind = 0;
    for (int i = 0; i < kKills; ++i) {
        writeBytes(path, oldBytes);
        saveInChildAndKillAfter(path, std::chrono::microseconds(moment(random)));
        const std::string bytes = readBytes(path);
        ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "kill " << i << ": " << bytes.size() << " bytes";
        (bytes == oldBytes ? oldKept : newWritten) += 1;
        for (const fs::path& left : leftBeside(path)) {
            EXPECT_EQ(readBytes(left.string()), newBytes) << left;
            fs::remove(left);
            ++leftBehind;
        }
    }
    RecordProperty("oldKept", oldKept);
    RecordProperty("newWritten", newWritten);
    RecordProperty("leftBehind", leftBehind);
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newWritten, 0);
    EXPECT_LE(leftBehind, kKills / 20) << "temporary files left by " << leftBehind << " of " << kKills << " kills";

}

pid_t endedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// A save removes the temporary files of this machine's killed saves, and
// only those: a running save's and another machine's stay.
TEST(SaveCrash, NextSaveRemovesTheTemporaryFilesOfKilledSaves)
{
    const std::string folder = scratchFolder("abandoned");
    char host[16] = {};
    gethostname(host, sizeof host - 1);
    const std::string prefix = folder + "/.orvane-" + host + "-";
    const std::string killed = prefix + std::to_string(endedProcess()) + "-0";
    const std::string running = prefix + std::to_string(getpid()) + "-0";
    const std::string elsewhere = folder + "/.orvane-" + host + "x-1-0";
    for (const std::string& file : {killed, running, elsewhere})
        writeBytes(file, "half");
    ProjectData p = settlementExample();
    EXPECT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(elsewhere));
}

}  // namespace
