// Loading and saving against the files a user's folder may really hold:
// links, read-only and private files, pipes, folders, huge files, full disks
// and folders the user may not write.
#include "test_files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

std::string projectBytes()
{
    ProjectData p = settlementExample();
    return p.projectFileBytes(fixedSaveTime());
}

// Runs one load or save in a child process, so that a row may lower the
// file size limit or the privileges without touching the test process;
// returns the reason the child was given ("" when it succeeded).
std::string reasonInChild(bool save, const std::string& path, bool unprivileged, bool smallFileLimit)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        alarm(10);  // a load that blocks fails the row instead of holding the test
        close(pipeEnds[0]);
        if (unprivileged && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(3);
        if (smallFileLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ProjectData p = settlementExample();
        const FileStatus status = save ? p.saveProject(path, fixedSaveTime()) : p.loadProject(path);
        const ssize_t written = write(pipeEnds[1], status.reason.data(), status.reason.size());
        _exit(written == static_cast<ssize_t>(status.reason.size()) ? 0 : 4);
    }
    close(pipeEnds[1]);
    std::string reason;
    char buffer[512];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        reason.append(buffer, static_cast<size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    return reason;
}

struct FaultCase {
    const char* name;
    bool save;
    // Prepares the folder and returns the file to load or save.
    std::string (*prepare)(const std::string& folder);
    const char* sentence;
    bool unprivileged = false;
    bool smallFileLimit = false;
};

std::string pipeWithoutWriter(const std::string& folder)
{
    mkfifo((folder + "/p.txt").c_str(), 0666);
    return folder + "/p.txt";
}
std::string existingProject(const std::string& folder, fs::perms permissions)
{
    writeBytes(folder + "/p.txt", projectBytes());
    fs::permissions(folder + "/p.txt", permissions);
    return folder + "/p.txt";
}
std::string readOnlyProject(const std::string& folder) { return existingProject(folder, fs::perms(0444)); }
std::string privateProject(const std::string& folder) { return existingProject(folder, fs::perms(0600)); }
std::string writableProject(const std::string& folder) { return existingProject(folder, fs::perms(0644)); }
std::string lockedFolder(const std::string& folder)
{
    const std::string path = existingProject(folder, fs::perms(0666));
    fs::permissions(folder, fs::perms(0555));
    return path;
}

// In a folder with the sticky bit, another user may create files but not
// replace the owner's: the final rename is refused after the new file was
// written and named, and that file must go again.
std::string othersFileInStickyFolder(const std::string& folder)
{
    const std::string path = existingProject(folder, fs::perms(0666));
    fs::permissions(folder, fs::perms(01777));
    return path;
}

// Two links that point at each other: the system's reason, in Chinese.
std::string loopOfLinks(const std::string& folder)
{
    fs::create_symlink(pathOf(folder + "/b.txt"), pathOf(folder + "/a.txt"));
    fs::create_symlink(pathOf(folder + "/a.txt"), pathOf(folder + "/b.txt"));
    return folder + "/a.txt";
}

class FileFaultTest : public testing::TestWithParam<FaultCase> {};

// The reason names the file and says, in a sentence of our own, what is wrong;
// a refused save leaves whatever was at the target untouched.
TEST_P(FileFaultTest, IsRefusedWithItsReason)
{
    const FaultCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    fs::permissions(folder, fs::perms(0755));  // the unprivileged child must reach it
    const std::string path = c.prepare(folder);
    std::error_code unreachable;
    const bool wasFile = fs::is_regular_file(pathOf(path), unreachable);
    const std::string before = wasFile ? readBytes(path) : "";
    const auto entries = std::distance(fs::directory_iterator(folder), {});

    const std::string reason = reasonInChild(c.save, path, c.unprivileged, c.smallFileLimit);
    fs::permissions(folder, fs::perms(0755));
    EXPECT_NE(reason.find("“" + path + "”"), std::string::npos) << reason;
    EXPECT_NE(reason.find(c.sentence), std::string::npos) << reason;
    if (wasFile) {
        EXPECT_EQ(readBytes(path), before);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), entries);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, FileFaultTest,
    testing::Values(
        FaultCase{"loadMissingFile", false, missingFile, "文件不存在。"},
        FaultCase{"loadFolder", false, folderItself, "这是一个文件夹，不是项目文件。"},
        FaultCase{"loadPipeWithoutWriter", false, pipeWithoutWriter, "这不是普通文件"},
        FaultCase{"loadTwoMebibytes", false, twoMebibytes, "文件过大（2097152 字节）"},
        FaultCase{"loadLoopOfLinks", false, loopOfLinks, "符号链接的层数过多"},
        FaultCase{"loadUnreadable", false, privateProject, "没有读取此文件的权限。", true},
        FaultCase{"saveIntoMissingFolder", true, missingFolder, "目标文件夹不存在。"},
        FaultCase{"saveOntoFolder", true, folderItself, "这是一个文件夹，不是项目文件。"},
        FaultCase{"saveOntoPipe", true, pipeWithoutWriter, "这不是普通文件"},
        FaultCase{"saveOntoReadOnlyFile", true, readOnlyProject, "文件是只读的。"},
        FaultCase{"saveIntoLockedFolder", true, lockedFolder, "没有在目标文件夹中写入的权限。", true},
        FaultCase{"saveOverOthersFileInStickyFolder", true, othersFileInStickyFolder,
                  "没有在目标文件夹中写入的权限。", true},
        FaultCase{"saveBeyondFileSizeLimit", true, writableProject, "磁盘空间不足", false, true}),
    [](const auto& info) { return info.param.name; });

// A save replaces the file the user chose, as that file was: through a
// symbolic link, with its permissions and owner, under a name as long as the
// file system allows.
struct TargetCase {
    const char* name;
    // Prepares the folder and returns the path to save to.
    std::string (*prepare)(const std::string& folder);
    // Checks the folder after the save.
    void (*check)(const std::string& folder);
};

std::string linkToProject(const std::string& folder)
{
    fs::create_directory(folder + "/real");
    writableProject(folder + "/real");
    fs::create_symlink("real/p.txt", folder + "/link.txt");
    return folder + "/link.txt";
}
void linkStillPointsToTheSavedFile(const std::string& folder)
{
    EXPECT_TRUE(fs::is_symlink(folder + "/link.txt"));
    EXPECT_EQ(fs::read_symlink(folder + "/link.txt"), "real/p.txt");
    EXPECT_EQ(readBytes(folder + "/real/p.txt"), projectBytes());
}

std::string danglingLink(const std::string& folder)
{
    fs::create_symlink("new.txt", folder + "/link.txt");
    return folder + "/link.txt";
}
void linkedFileCreated(const std::string& folder)
{
    EXPECT_TRUE(fs::is_symlink(folder + "/link.txt"));
    EXPECT_EQ(readBytes(folder + "/new.txt"), projectBytes());
}

void stillPrivate(const std::string& folder)
{
    EXPECT_EQ(fs::status(folder + "/p.txt").permissions(), fs::perms(0600));
}

// Set-user-ID, set-group-ID and sticky bits too, which changing the owner
// clears and which a mode of 0777 would lose.
std::string specialModeProject(const std::string& folder) { return existingProject(folder, fs::perms(07754)); }
void specialModeKept(const std::string& folder)
{
    EXPECT_EQ(fs::status(folder + "/p.txt").permissions(), fs::perms(07754));
}

std::string projectOfNobody(const std::string& folder)
{
    const std::string path = writableProject(folder);
    EXPECT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    return path;
}
void stillOfNobody(const std::string& folder)
{
    struct stat info {};
    ASSERT_EQ(stat((folder + "/p.txt").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
}

std::string longestName(const std::string& folder)
{
    const std::string path = folder + "/" + std::string(251, 'p') + ".txt";
    writeBytes(path, "old");
    return path;
}
void savedUnderTheLongestName(const std::string& folder)
{
    EXPECT_EQ(readBytes(folder + "/" + std::string(251, 'p') + ".txt"), projectBytes());
}

class SaveTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(SaveTargetTest, ReplacesTheFileAsItWas)
{
    const TargetCase& c = GetParam();
    if (std::string(c.name) == "ownerKept" && geteuid() != 0)
        GTEST_SKIP() << "only the superuser may give a file to another user";
    const std::string folder = scratchFolder(c.name);
    const std::string path = c.prepare(folder);
    const auto entries = std::distance(fs::recursive_directory_iterator(folder), {});
    const bool existed = fs::exists(path);
    ProjectData p = settlementExample();
    const FileStatus status = p.saveProject(path, fixedSaveTime());
    ASSERT_TRUE(status.ok) << status.reason;
    c.check(folder);
    // Nothing beside the target, however the save went.
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(folder), {}), entries + (existed ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SaveTargetTest,
    testing::Values(TargetCase{"symbolicLinkFollowed", linkToProject, linkStillPointsToTheSavedFile},
                    TargetCase{"danglingLinkFollowed", danglingLink, linkedFileCreated},
                    TargetCase{"permissionsKept", privateProject, stillPrivate},
                    TargetCase{"specialModeBitsKept", specialModeProject, specialModeKept},
                    TargetCase{"ownerKept", projectOfNobody, stillOfNobody},
                    TargetCase{"nameOf255Bytes", longestName, savedUnderTheLongestName}),
    [](const auto& info) { return info.param.name; });

struct UmaskCase {
    const char* name;
    mode_t umask;
    fs::perms permissions;
};

class NewFileTest : public testing::TestWithParam<UmaskCase> {};

// A new file takes the permissions any program's new file takes: 0666 less
// the process's umask.
TEST_P(NewFileTest, TakesThePermissionsTheUmaskLeaves)
{
    const std::string folder = scratchFolder(GetParam().name);
    const mode_t before = umask(GetParam().umask);
    ProjectData p = settlementExample();
    const FileStatus status = p.saveProject(folder + "/new.txt", fixedSaveTime());
    umask(before);
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(fs::status(folder + "/new.txt").permissions(), GetParam().permissions);
}

INSTANTIATE_TEST_SUITE_P(Umasks, NewFileTest,
                         testing::Values(UmaskCase{"groupWritable", 0002, fs::perms(0664)},
                                         UmaskCase{"private", 0077, fs::perms(0600)}),
                         [](const auto& info) { return info.param.name; });

// A file of exactly the largest size read is read whole: its last value,
// at the very end of the file, is not cut.
TEST(ProjectFileSize, LargestFileIsReadWhole)
{
    const std::string folder = scratchFolder("largest");
    std::string bytes = projectBytes();
    bytes = bytes.substr(0, bytes.find(" \r\n\r\n\r\n==="));  // ends "19 19.5 20"
    bytes.back() = '5';                                        // the last value becomes 25
    bytes.insert(0, std::string((1 << 20) - bytes.size(), ' '));
    writeBytes(folder + "/p.txt", bytes);
    ProjectData p{};
    const FileStatus status = p.loadProject(folder + "/p.txt");
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(p.baseUnitWeight[3], 25.0);
}

}  // namespace
