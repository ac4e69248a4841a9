#include "test_files.h"

#include "model/gbk.h"

#include <gtest/gtest.h>

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

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string gbkToUtf8(const std::string& gbk)
{
    const std::optional<std::string> text = ::gbkToUtf8(std::string_view(gbk));
    EXPECT_TRUE(text) << "not valid GBK";
    return text.value_or("");
}
