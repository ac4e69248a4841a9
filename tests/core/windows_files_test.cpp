// Loading and saving against the files a Windows user's folder may hold:
// read-only, hidden and locked files, folders, huge files, Chinese names and
// paths beyond 260 characters.
#include "test_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string projectBytes()
{
    ProjectData p = settlementExample();
    return p.projectFileBytes(fixedSaveTime());
}

std::wstring wide(const std::string& path) { return pathOf(path).wstring(); }

std::string existingProject(const std::string& folder, DWORD attributes)
{
    writeBytes(folder + "/p.txt", projectBytes());
    EXPECT_TRUE(SetFileAttributesW(wide(folder + "/p.txt").c_str(), attributes));
    return folder + "/p.txt";
}

struct FaultCase {
    const char* name;
    bool save;
    // Prepares the folder and returns the file to load or save.
    std::string (*prepare)(const std::string& folder);
    const char* sentence;
};

std::string readOnlyProject(const std::string& folder) { return existingProject(folder, FILE_ATTRIBUTE_READONLY); }

class WindowsFileFaultTest : public testing::TestWithParam<FaultCase> {};

// The same sentences as on other systems; a refused save leaves whatever was
// at the target untouched and nothing beside it.
TEST_P(WindowsFileFaultTest, IsRefusedWithItsReason)
{
    const FaultCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string path = c.prepare(folder);
    const bool wasFile = fs::is_regular_file(path);
    const std::string before = wasFile ? readBytes(path) : "";
    const auto entries = std::distance(fs::directory_iterator(folder), {});

    ProjectData p = settlementExample();
    const FileStatus status = c.save ? p.saveProject(path, fixedSaveTime()) : p.loadProject(path);
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("“" + path + "”"), std::string::npos) << status.reason;
    EXPECT_NE(status.reason.find(c.sentence), std::string::npos) << status.reason;
    if (wasFile) {
        EXPECT_EQ(readBytes(path), before);
        SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can be removed
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), entries);
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, WindowsFileFaultTest,
    testing::Values(FaultCase{"loadMissingFile", false, missingFile, "文件不存在。"},
                    FaultCase{"loadFolder", false, folderItself, "这是一个文件夹，不是项目文件。"},
                    FaultCase{"loadTwoMebibytes", false, twoMebibytes, "文件过大（2097152 字节）"},
                    FaultCase{"saveIntoMissingFolder", true, missingFolder, "目标文件夹不存在。"},
                    FaultCase{"saveOntoFolder", true, folderItself, "这是一个文件夹，不是项目文件。"},
                    FaultCase{"saveOntoReadOnlyFile", true, readOnlyProject, "文件是只读的。"}),
    [](const auto& info) { return info.param.name; });

// A file another program holds open without sharing is left as it was, and
// the user is told why in the system's words.
TEST(WindowsFiles, LockedFileIsLeftAsItWas)
{
    const std::string folder = scratchFolder("locked");
    const std::string path = existingProject(folder, FILE_ATTRIBUTE_NORMAL);
    const HANDLE lock = CreateFileW(wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ProjectData p = capacityExample();
    const FileStatus status = p.saveProject(path, fixedSaveTime());
    CloseHandle(lock);
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason.find("无法保存到“" + path + "”："), 0u) << status.reason;
    EXPECT_EQ(readBytes(path), projectBytes());
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}

// A save replaces the file the user chose as that file was, under names
// Windows' narrow interfaces cannot reach.
struct TargetCase {
    const char* name;
    // Prepares the folder and returns the path to save to.
    std::string (*prepare)(const std::string& folder);
    // Checks the saved target.
    void (*check)(const std::string& path);
};

std::string hiddenProject(const std::string& folder) { return existingProject(folder, FILE_ATTRIBUTE_HIDDEN); }
void stillHidden(const std::string& path)
{
    EXPECT_TRUE(GetFileAttributesW(wide(path).c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

std::string chineseNames(const std::string& folder)
{
    fs::create_directory(pathOf(folder + "/路堤工程"));
    return folder + "/路堤工程/算例（副本）.txt";
}

void nothingElse(const std::string&) {}

class WindowsSaveTargetTest : public testing::TestWithParam<TargetCase> {};

TEST_P(WindowsSaveTargetTest, SavesAndReadsBack)
{
    const TargetCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string path = c.prepare(folder);
    const auto entries = std::distance(fs::recursive_directory_iterator(folder), {});
    const bool existed = fs::exists(pathOf(path));
    ProjectData p = settlementExample();
    const FileStatus saved = p.saveProject(path, fixedSaveTime());
    ASSERT_TRUE(saved.ok) << saved.reason;
    EXPECT_EQ(readBytes(path), projectBytes());
    ProjectData loaded{};
    const FileStatus read = loaded.loadProject(path);
    ASSERT_TRUE(read.ok) << read.reason;
    EXPECT_EQ(loaded.baseUnitWeight, p.baseUnitWeight);
    c.check(path);
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(folder), {}), entries + (existed ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Targets, WindowsSaveTargetTest,
                         testing::Values(TargetCase{"hiddenKept", hiddenProject, stillHidden},
                                         TargetCase{"chineseNames", chineseNames, nothingElse}),
                         [](const auto& info) { return info.param.name; });

// The extended form of a path, which Windows takes beyond 260 characters.
std::wstring extended(const std::string& path)
{
    return LR"(\\?\)" + fs::absolute(wide(path)).make_preferred().wstring();
}

// A path deeper than the 260 characters of a classic Windows path is saved,
// replaced and read back.
TEST(WindowsFiles, PathBeyond260CharactersIsSavedAndReplaced)
{
    std::vector<std::string> folders{scratchFolder("beyond260Characters")};
    for (int level = 0; level < 3; ++level) {
        folders.push_back(folders.back() + "/" + std::string(100, 'd'));
        ASSERT_TRUE(CreateDirectoryW(extended(folders.back()).c_str(), nullptr));
    }
    const std::string path = folders.back() + "/" + std::string(100, 'p') + ".txt";
    ProjectData first = capacityExample();
    ASSERT_TRUE(first.saveProject(path, fixedSaveTime()).ok);
    ProjectData second = settlementExample();
    const FileStatus replaced = second.saveProject(path, fixedSaveTime());
    ProjectData loaded{};
    const FileStatus read = loaded.loadProject(path);
    EXPECT_TRUE(replaced.ok) << replaced.reason;
    EXPECT_TRUE(read.ok) << read.reason;
    EXPECT_EQ(loaded.baseUnitWeight, second.baseUnitWeight);
    // The file tools of the test process stop at 260 characters.
    EXPECT_TRUE(DeleteFileW(extended(path).c_str()));
    for (size_t level = folders.size() - 1; level > 0; --level)
        EXPECT_TRUE(RemoveDirectoryW(extended(folders[level]).c_str()));
}

}  // namespace
