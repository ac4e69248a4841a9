#include "test_files.h"

#include "model/gbk.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

// A folder of this test process alone, removed when it ends, so that test
// processes running side by side never meet.
class ProcessFolder {
public:
    ProcessFolder()
    {
        std::random_device random;
        const auto temporary = std::filesystem::temp_directory_path();
        do
            path_ = temporary / ("orvane-core-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~ProcessFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

std::string scratchFolder(const std::string& name)
{
    static const ProcessFolder processFolder;
    const auto folder = processFolder.path() / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::filesystem::path pathOf(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

std::string readBytes(const std::string& path)
{
    std::ifstream in(pathOf(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(pathOf(path), std::ios::binary) << bytes;
}

std::string missingFile(const std::string& folder) { return folder + "/missing.txt"; }

std::string missingFolder(const std::string& folder) { return folder + "/no/such/folder/p.txt"; }

std::string folderItself(const std::string& folder)
{
    std::filesystem::create_directory(folder + "/p.txt");
    return folder + "/p.txt";
}

std::string twoMebibytes(const std::string& folder)
{
    writeBytes(folder + "/p.txt", std::string(2 << 20, ' '));
    return folder + "/p.txt";
}

CommandRun runCommand(const std::string& command)
{
#ifdef _WIN32
    // The wide call, so that Chinese file names reach the program whole.
    std::FILE* pipe = _wpopen(pathOf(command).wstring().c_str(), L"r");
#else
    std::FILE* pipe = popen(command.c_str(), "r");
#endif
    std::string out;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
#ifdef _WIN32
    return {_pclose(pipe), out};
#else
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
#endif
}

bool reportsReadable()
{
    return ORVANE_CLI_HAS_REPORT && runCommand("pdftotext -v 2>&1").exitCode == 0;
}

std::string reportText(const std::string& pdf)
{
    std::string text;
    for (char ch : runCommand("pdftotext " + pdf + " -").out)
        if (ch != '\n' && ch != ' ' && ch != '\f')
            text += ch;
    return text;
}

std::string fillOf(int points)
{
    std::string fill = "0:0";
    for (int i = 1; i < points; ++i)
        fill += "," + std::to_string(i) + ":" + (i + 1 == points ? std::string("3") : std::to_string(3.0 * i / points));
    return fill;
}

std::string gbkToUtf8(const std::string& gbk)
{
    const std::optional<std::string> text = ::gbkToUtf8(std::string_view(gbk));
    EXPECT_TRUE(text) << "not valid GBK";
    return text.value_or("");
}

double processorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }
