#include "model/extension/project_info.h"
#include "model/gbk.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// The worked example as saved, without a block: the file every block of
// these tests is appended to.
std::string savedExample(const std::string& folder)
{
    ProjectData p = settlementExample();
    EXPECT_TRUE(p.saveProject(folder + "/plain.txt", fixedSaveTime()).ok);
    return readBytes(folder + "/plain.txt");
}

// GBK line by line; a line that is no UTF-8 text goes in as it is.
std::string inGbk(const std::string& text)
{
    std::string bytes;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        bytes += utf8ToGbk(line).value_or(line) + (end < text.size() ? "\n" : "");
        start = end + 1;
    }
    return bytes;
}

int lineCount(const std::string& bytes) { return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')); }

struct BlockCase {
    const char* name;
    const char* block;        // UTF-8, appended to the saved file
    Entries entries;          // read when no fault is expected
    const char* faultPart;    // part of the reason; nullptr when the block is read
    int faultLine = 0;        // line of the block (its first line is 1) named in the reason
    bool inUtf8 = false;      // the whole file converted to UTF-8 (labels and block)
};

class ExtensionReadTest : public testing::TestWithParam<BlockCase> {};

TEST_P(ExtensionReadTest, ReadsTheBlockOrRefusesTheFileNamingTheLine)
{
    const BlockCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    const std::string plain = savedExample(folder);
    const std::string bytes = c.inUtf8 ? gbkToUtf8(plain) + c.block : plain + inGbk(c.block);
    writeBytes(folder + "/p.txt", bytes);

    ProjectData record = capacityExample();
    record.extension.set("projectName", "之前的工程");
    const ProjectData before = record;
    const FileStatus status = record.loadProject(folder + "/p.txt");
    if (!c.faultPart) {
        ASSERT_TRUE(status.ok) << status.reason;
        EXPECT_EQ(record.extension.entries(), c.entries);
        return;
    }
    EXPECT_FALSE(status.ok);
    const std::string line = "文件第" + std::to_string(lineCount(plain) + c.faultLine) + "行";
    EXPECT_EQ(status.reason.rfind(line, 0), 0u) << status.reason;
    EXPECT_NE(status.reason.find(c.faultPart), std::string::npos) << status.reason;
    EXPECT_TRUE(record == before);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ExtensionReadTest,
    testing::Values(
        BlockCase{"asWritten", "\r\n[Orvane扩展]\r\nversion=1\r\nprojectName=某高速公路\r\nstation=K12+300\r\n",
                  {{"projectName", "某高速公路"}, {"station", "K12+300"}}, nullptr},
        BlockCase{"commentsBlanksAndLineFeeds",
                  "[Orvane扩展]\n# 扩展块\n\nversion=1\n  \t\n# 工程名称\nprojectName=A\n#\nchecked=x",
                  {{"projectName", "A"}, {"checked", "x"}}, nullptr},
        BlockCase{"unknownKeysInOrder", "\n[Orvane扩展]\nversion=1\nz.9=1,2,3\nprojectName=P\nalpha=1e-05\n",
                  {{"z.9", "1,2,3"}, {"projectName", "P"}, {"alpha", "1e-05"}}, nullptr},
        BlockCase{"valueToTheEndOfItsLine", "\n[Orvane扩展]\nversion=1\nprojectName= a=b #c \r\n",
                  {{"projectName", " a=b #c "}}, nullptr},
        BlockCase{"emptyValueIsNoValue", "\n[Orvane扩展]\nversion=1\nstation=\nprojectName=P\n",
                  {{"projectName", "P"}}, nullptr},
        BlockCase{"markerWithTrailingBlanks", "\n[Orvane扩展] \t\r\nversion=1  \r\nprojectName=A\r\n",
                  {{"projectName", "A"}}, nullptr},
        BlockCase{"carriageReturnsAlone", "\r[Orvane扩展]\rversion=1\rprojectName=A\rstation=K1\r",
                  {{"projectName", "A"}, {"station", "K1"}}, nullptr},
        BlockCase{"markerAfterACharacter", "\nx[Orvane扩展]\nversion=2\n", {}, "不是扩展块的开始", 2},
        BlockCase{"markerInAnotherCase", "\n\n[orvane扩展]\nversion=1\nms=1.2\n", {}, "不是扩展块的开始", 3},
        BlockCase{"markerWithAWordAfter", "\n[Orvane扩展] v1\nversion=1\n", {}, "“[Orvane扩展] v1”不是扩展块的开始",
                  2},
        BlockCase{"fileInUtf8", "\n[Orvane扩展]\nversion=1\norganisation=设计院\n", {{"organisation", "设计院"}},
                  nullptr, 0, true},
        BlockCase{"noEquals", "\n[Orvane扩展]\nversion=1\nprojectName A\n", {}, "“projectName A”不是", 4},
        BlockCase{"chineseKey", "\n[Orvane扩展]\nversion=1\n\n工程=A\n", {}, "“工程=A”不是", 5},
        BlockCase{"emptyKey", "\n[Orvane扩展]\nversion=1\n=A\n", {}, "不是扩展块的“键=值”", 4},
        BlockCase{"keyWithSpace", "\n[Orvane扩展]\nversion=1\nproject Name=A\n", {}, "不是扩展块的“键=值”", 4},
        BlockCase{"versionTwice", "\n[Orvane扩展]\nversion=1\nversion=1\n", {}, "不是扩展块的“键=值”", 4},
        BlockCase{"duplicateKey", "\n[Orvane扩展]\nversion=1\nstation=A\n#\nstation=B\n", {}, "“station”在扩展块中重复",
                  6},
        BlockCase{"tabInValue", "\n[Orvane扩展]\nversion=1\nstation=K1\t+300\n", {}, "制表符", 4},
        BlockCase{"carriageReturnInValue", "\n[Orvane扩展]\nversion=1\nstation=K1\r+300\n", {}, "“+300”不是", 5},
        BlockCase{"controlCharacterInValue", "\n[Orvane扩展]\nversion=1\nstation=K1\x1B+300\n", {}, "控制字符", 4},
        BlockCase{"notGbk", "\n[Orvane扩展]\nversion=1\nstation=\xFF\xFE\n", {}, "不是有效的GBK文本", 4},
        BlockCase{"notUtf8", "\n[Orvane扩展]\nversion=1\nstation=\xC0\xA9\n", {}, "不是有效的UTF-8文本", 4, true},
        BlockCase{"withoutVersion", "\n[Orvane扩展]\nprojectName=A\n", {}, "应为“version=1”", 3},
        BlockCase{"laterVersion", "\n[Orvane扩展]\n# x\nversion=2\nprojectName=A\n", {}, "版本“2”无法读取", 4},
        BlockCase{"endsAfterMarker", "\n[Orvane扩展]\n\n", {}, "缺少“version=1”", 2}),
    [](const auto& info) { return info.param.name; });

// A file at the size limit made of keys loads at once: no step of the
// reader searches the keys read before (those took half a minute, and
// minutes under the sanitizers; the bound leaves room for a loaded machine).
TEST(ExtensionRead, AFileOfKeysLoadsAtOnce)
{
    const std::string folder = scratchFolder("manyKeys");
    std::string bytes = savedExample(folder) + inGbk("\r\n[Orvane扩展]\r\nversion=1\r\n");
    int keys = 0;
    while (bytes.size() < 1000000)
        bytes += "k" + std::to_string(keys++) + "=v\r\n";
    writeBytes(folder + "/p.txt", bytes);
    ProjectData p{};
    const double start = processorSeconds();
    ASSERT_TRUE(p.loadProject(folder + "/p.txt").ok);
    EXPECT_LT(processorSeconds() - start, 10.0);
    EXPECT_EQ(p.extension.entries().size(), static_cast<std::size_t>(keys));
}

class ExtensionWriteTest : public testing::Test {
protected:
    void SetUp() override { folder_ = scratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string saved(ProjectData p, const std::string& name)
    {
        EXPECT_TRUE(p.saveProject(folder_ + "/" + name, fixedSaveTime()).ok);
        return readBytes(folder_ + "/" + name);
    }
    std::string folder_;
};

// The bytes before the block are those of a project without one; the block
// is an empty line, the marker, the version and the keys in GBK.
TEST_F(ExtensionWriteTest, AppendsTheBlockAfterTheUnchangedFile)
{
    ProjectData p = settlementExample();
    p.extension.set("unknown.key", "1.5");
    for (const ProjectInfoField& field : kProjectInfoFields)
        p.extension.set(field.key, std::string(field.label) + "内容");
    p.extension.set("unknown.key", "2");
    p.extension.set("designStage", "");
    const std::string bytes = saved(p, "block.txt");
    const std::string plain = saved(settlementExample(), "plain.txt");
    ASSERT_EQ(bytes.substr(0, plain.size()), plain);
    EXPECT_EQ(gbkToUtf8(bytes.substr(plain.size())),
              "\r\n[Orvane扩展]\r\nversion=1\r\nunknown.key=2\r\nprojectName=工程名称内容\r\n"
              "station=断面/桩号内容\r\norganisation=编制单位内容\r\nreportNumber=计算书编号内容\r\n"
              "calculatedBy=计算内容\r\ncheckedBy=校核内容\r\napprovedBy=审核内容\r\n");

    ProjectData loaded = settlementExample();
    ASSERT_TRUE(loaded.loadProject(folder_ + "/block.txt").ok);
    EXPECT_EQ(loaded.extension, p.extension);
}

// Values that cleared every key leave the file of a project that never had any.
TEST_F(ExtensionWriteTest, ClearedValuesSaveTheFileOfAProjectWithout)
{
    ProjectData p = settlementExample();
    p.extension.set("projectName", "A");
    p.extension.set("projectName", "");
    EXPECT_TRUE(p.extension.empty());
    EXPECT_EQ(saved(p, "cleared.txt"), saved(settlementExample(), "plain.txt"));
}

// Text the file cannot hold on one line or in GBK is kept as near as it can
// be, and the project still saves and loads.
TEST_F(ExtensionWriteTest, ValuesAreKeptWritable)
{
    ProjectData p = settlementExample();
    p.extension.set("projectName", "A\tB\r\nC");
    p.extension.set("station", "K1 \xF0\x9F\x98\x80 \xFF 段");
    p.extension.set("bad key", "x");
    EXPECT_EQ(p.extension.entries(), (Entries{{"projectName", "A B  C"}, {"station", "K1 ? ? 段"}}));
    saved(p, "p.txt");
    ProjectData loaded{};
    ASSERT_TRUE(loaded.loadProject(folder_ + "/p.txt").ok);
    EXPECT_EQ(loaded.extension, p.extension);
}

}  // namespace
