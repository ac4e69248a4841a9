#include "test_files.h"

#include "model/gbk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string scratchFolder(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / ("orvane-core-" + name);
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
