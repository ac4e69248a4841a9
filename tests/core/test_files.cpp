#include "test_files.h"

#include <gtest/gtest.h>
#include <iconv.h>

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
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out(gbk.size() * 2, '\0');
    char* in = const_cast<char*>(gbk.data());
    size_t inLeft = gbk.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t converted = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    EXPECT_NE(converted, static_cast<size_t>(-1)) << "not valid GBK";
    out.resize(out.size() - outLeft);
    return out;
}
