#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace {

std::string rule() { return std::string(67, '='); }

// The worked settlement project as the writer must lay it out, in UTF-8
// with LF line ends.
std::string expectedWorkedExampleText()
{
    return rule() + "\nOrvane数据\n\nVelmora\n" + rule() + "\n\n"
           "扩大头直径(m)\t\t1\n"
           "下部桩径(m)\t\t\t0.5\n"
           "扩大头高度(m)\t\t2\n"
           "桩长(m)\t\t\t\t10\n"
           "\n标记桩间类型（0－等边三角形1－正方形2－矩形）\t1\n"
           "等边三角形布置时桩间距(m)\t\t0\n"
           "正方形布置时桩间距(m)\t\t\t2\n"
           "矩形布置时桩间距（纵）(m)\t\t0\n"
           "矩形布置时桩间距（横）(m)\t\t0\n"
           "\n处理后桩间土承载力特征值（kPa）\t\t\t80\n"
           "桩间土承载力折减系数（0.75～1.0）\t\t0.9\n"
           "无侧限抗压强度平均值（kPa）\t\t\t1500\n"
           "扩大头部分桩身强度折减系数（0.6～0.8）\t\t0.7\n"
           "扩大头以下部分桩身强度折减系数（0.5～0.65）\t0.6\n"
           "变截面处地基土承载力特征值（kPa）\t\t\t100\n"
           "桩端地基土承载力特征值（kPa）\t\t\t\t120\n"
           "变截面处天然地基土承载力折减系数（0.8～0.9） 0.85\n"
           "桩端天然地基土承载力折减系数（0.4～0.6）\t0.5\n"
           "\n\n填土顶宽（m）\t\t\t10\n"
           "路基填土高度（m）\t\t3\n"
           "边坡坡度1:m\t\t1.5\n"
           "边坡坡度1:n\t\t1.5\n"
           "填土容重\t\t19\n"
           "扩大头桩体压缩模量（MPa）\t150\n"
           "下部桩体压缩模量（MPa）\t\t120\n"
           "\n\n标记是否手动输入单桩承载力（0－否1－是）\t0\n"
           "手动输入单桩承载力\t\t0\n"
           "\n扩大头桩周土体分层数\t\t1\n"
           "下部桩体桩周土体分层数\t\t2\n"
           "桩端下部土体分层数\t\t\t3\n"
           "\n扩大头每层土高度\t\t2 "
           "\n下部桩体每层土高度\t\t4 4 "
           "\n桩端下部每层土高度\t\t3 5 10 "
           "\n\n扩大头每层土摩阻力特征值（kPa）\t\t10 "
           "\n下部桩体每层土摩阻力特征值（kPa）\t12 12 "
           "\n\n扩大头每层土压缩模量（MPa）\t\t3 "
           "\n下部桩体每层土压缩模量（MPa）\t4 6 "
           "\n桩端下部每层土压缩模量（MPa）\t8 10 15 "
           "\n\n沉降计算终止条件选择（0,1,2）\t0\n"
           "\n扩大头各土层容重\t\t18 "
           "\n下部桩体各土层容重\t\t18.5 19 "
           "\n桩端下部各土层容重\t\t19 19.5 20 "
           "\n\n\n" + rule() + "\n计算结果：\n\n"
           "单桩承载力特征值：\t\t275.478 kN\n"
           "复合地基承载力特征值：\t126.576 kPa\n"
           "沉降值：\t\t\t\t71.121 mm\n"
           "\n保存时间：2009-05-17 14:03\n" + rule() + "\n\n";
}

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

class ProjectFileTest : public testing::Test {
protected:
    void SetUp() override { folder_ = scratchFolder(testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string path(const std::string& name) const { return folder_ + "/" + name; }

    std::string saved(ProjectData p, const std::string& name = "project.txt")
    {
        EXPECT_TRUE(p.saveProject(path(name), fixedSaveTime()).ok);
        return readBytes(path(name));
    }

    std::string folder_;
};

TEST_F(ProjectFileTest, WritesTheCompleteFileInGbkWithCrLf)
{
    const std::string bytes = saved(settlementExample());
    EXPECT_EQ(gbkToUtf8(bytes), withCrLf(expectedWorkedExampleText()));
    // "扩大头直径(m)" in GBK, right after the header.
    const std::string headDiameterLabel = "\xC0\xA9\xB4\xF3\xCD\xB7\xD6\xB1\xBE\xB6(m)\t\t1\r\n";
    EXPECT_NE(bytes.find(headDiameterLabel), std::string::npos);
}

TEST_F(ProjectFileTest, RoundTripKeepsSixSignificantDigits)
{
    ProjectData original = settlementExample();
    original.soilReduction = 0.123456789;
    original.slopeN = 1e-5;
    original.tipBearing = 1.5e6;
    original.stopCriterion = kStopStressRatio01;
    original.manualCapacityFlag = 1;
    original.manualPileCapacity = -250;
    saved(original);

    ProjectData loaded{};
    loaded.equivalentDiameter = 7.0;
    loaded.pileCapacity = 8.0;
    ASSERT_TRUE(loaded.loadProject(path("project.txt")).ok);

    ProjectData expected = original;
    expected.soilReduction = 0.123457;
    expected.equivalentDiameter = 7.0;  // never read from a file
    expected.pileCapacity = 8.0;
    EXPECT_TRUE(loaded == expected);
}

TEST_F(ProjectFileTest, ExponentsHaveTwoDigits)
{
    ProjectData p = settlementExample();
    p.slopeN = 1e-5;
    p.tipBearing = 1.5e6;
    const std::string text = gbkToUtf8(saved(p));
    EXPECT_NE(text.find("边坡坡度1:n\t\t1e-05\r\n"), std::string::npos);
    EXPECT_NE(text.find("桩端地基土承载力特征值（kPa）\t\t\t\t1.5e+06\r\n"), std::string::npos);
}

struct ResultsCase {
    const char* name;
    int criterion;
    double firstShaftUnitWeight;
    double spacing;
    const char* pileLine;
    const char* compositeLine;
    const char* settlementLines;
    void (*edit)(ProjectData&) = nullptr;
};

class ResultsBlockTest : public testing::TestWithParam<ResultsCase> {};

TEST_P(ResultsBlockTest, ShowsComputedValuesOrIncomplete)
{
    const ResultsCase& c = GetParam();
    ProjectData p = settlementExample();
    p.stopCriterion = c.criterion;
    p.shaftUnitWeight[1] = c.firstShaftUnitWeight;
    p.manualCapacityFlag = 1;  // the block always reports the computed capacities
    p.manualPileCapacity = 1.0;
    p.equivalentDiameter = c.spacing * 1.13;
    if (c.edit)
        c.edit(p);
    const std::string folder = scratchFolder(c.name);
    ASSERT_TRUE(p.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    const std::string text = gbkToUtf8(readBytes(folder + "/p.txt"));
    const std::string expected = std::string("计算结果：\r\n\r\n") + c.pileLine + c.compositeLine
                                 + c.settlementLines + "\r\n保存时间：2009-05-17 14:03\r\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text.substr(text.find("计算结果"));
}

INSTANTIATE_TEST_SUITE_P(
    Results, ResultsBlockTest,
    testing::Values(
        ResultsCase{"stressRatio02", kStopStressRatio02, 18.5, 2.0, "单桩承载力特征值：\t\t275.478 kN\r\n",
                    "复合地基承载力特征值：\t126.576 kPa\r\n", "沉降值：\t\t\t\t45.7284 mm\r\n"},
        ResultsCase{"stressRatioWithoutShaftWeight", kStopStressRatio01, 0.0, 2.0,
                    "单桩承载力特征值：\t\t275.478 kN\r\n", "复合地基承载力特征值：\t126.576 kPa\r\n",
                    "沉降值：\t\t\t\t（未全部输入正确的参数）\r\n"},
        ResultsCase{"noSpacing", kStopDeformationRatio, 18.5, 0.0,
                    "单桩承载力特征值：\t\t275.478 kN\r\n",
                    "复合地基承载力特征值：\t（未全部输入正确的参数）\r\n",
                    "沉降值：\t\t\t\t（未全部输入正确的参数）\r\n"},
        // An unknown criterion leaves the settlement line with its label only,
        // and the save time follows without an empty line.
        ResultsCase{"unknownCriterion", 5, 18.5, 2.0, "单桩承载力特征值：\t\t275.478 kN\r\n",
                    "复合地基承载力特征值：\t126.576 kPa\r\n", "沉降值：\t\t\t\t"},
        // No pile strength, no soil between the piles and a weightless fill:
        // every result is exactly 0, which the block does not show.
        ResultsCase{"resultsExactlyZero", kStopDeformationRatio, 18.5, 2.0,
                    "单桩承载力特征值：\t\t（未全部输入正确的参数）\r\n",
                    "复合地基承载力特征值：\t（未全部输入正确的参数）\r\n",
                    "沉降值：\t\t\t\t（未全部输入正确的参数）\r\n",
                    [](ProjectData& p) {
                        p.cubeStrength = 0;
                        p.soilCapacity = 0;
                        p.fillUnitWeight = 0;
                    }}),
    [](const auto& info) { return info.param.name; });

TEST_F(ProjectFileTest, EmptyZoneWritesItsLabelOnly)
{
    ProjectData p = settlementExample();
    p.baseLayerCount = 0;
    p.headLayerCount = 2;
    p.headThickness[1] = 1.5;
    p.headThickness[2] = 2.5;
    const std::string text = gbkToUtf8(saved(p));
    EXPECT_NE(text.find("\r\n扩大头每层土高度\t\t1.5 2.5 \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n桩端下部每层土高度\t\t\r\n"), std::string::npos);

    ProjectData loaded{};
    ASSERT_TRUE(loaded.loadProject(path("project.txt")).ok);
    EXPECT_EQ(loaded.baseLayerCount, 0);
    EXPECT_EQ(loaded.headThickness[2], 2.5);
    EXPECT_EQ(loaded.headUnitWeight[1], 18.0);
}

struct TolerantCase {
    const char* name;
    std::string (*edit)(std::string);
};

std::string toLf(std::string text)
{
    std::erase(text, '\r');
    return text;
}

std::string editLabels(std::string text)
{
    // Every label becomes another single token.
    const std::string from = "\xC0\xA9\xB4\xF3\xCD\xB7\xD6\xB1\xBE\xB6(m)";  // 扩大头直径(m)
    text.replace(text.find(from), from.size(), "D");
    const std::string count = "\xCD\xC1\xCC\xE5";  // 土体 inside the count labels
    for (size_t at = text.find(count); at != std::string::npos; at = text.find(count))
        text.replace(at, count.size(), "xx");
    return text;
}

std::string utf8Labels(std::string text) { return gbkToUtf8(text); }

// Vertical tabs and form feeds separate tokens as well as spaces do.
std::string verticalTabsAndFormFeeds(std::string text)
{
    std::replace(text.begin(), text.end(), '\t', '\v');
    std::replace(text.begin(), text.end(), '\r', '\f');
    return text;
}

std::string leadingPlus(std::string text)
{
    const std::string from = "\t10\r\n";  // the pile length
    return text.replace(text.find(from), from.size(), "\t+10\r\n");
}

std::string endAfterLastValue(std::string text)
{
    return text.substr(0, text.find("\r\n\r\n\r\n==="));
}

class TolerantReadingTest : public testing::TestWithParam<TolerantCase> {};

TEST_P(TolerantReadingTest, LoadsLikeTheUneditedFile)
{
    const std::string folder = scratchFolder(GetParam().name);
    ProjectData original = settlementExample();
    ASSERT_TRUE(original.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    writeBytes(folder + "/edited.txt", GetParam().edit(readBytes(folder + "/p.txt")));

    ProjectData loaded{};
    loaded.equivalentDiameter = original.equivalentDiameter;
    loaded.pileCapacity = original.pileCapacity;
    const FileStatus status = loaded.loadProject(folder + "/edited.txt");
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_TRUE(loaded == original);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TolerantReadingTest,
    testing::Values(TolerantCase{"lineFeedsOnly", toLf}, TolerantCase{"editedLabels", editLabels},
                    TolerantCase{"utf8Labels", utf8Labels},
                    TolerantCase{"endsAfterLastValue", endAfterLastValue},
                    TolerantCase{"verticalTabsAndFormFeeds", verticalTabsAndFormFeeds},
                    TolerantCase{"leadingPlus", leadingPlus}),
    [](const auto& info) { return info.param.name; });

struct RefusalCase {
    const char* name;
    const char* from;  // text of the saved file (UTF-8 labels) to replace
    const char* to;
    const char* reasonPart;
    bool endsThere = false;  // the file is cut right after the replacement
};

class RefusedFileTest : public testing::TestWithParam<RefusalCase> {};

// A refused file leaves the record exactly as it was.
TEST_P(RefusedFileTest, LeavesTheRecordUnchanged)
{
    const RefusalCase& c = GetParam();
    const std::string folder = scratchFolder(c.name);
    ProjectData source = settlementExample();
    ASSERT_TRUE(source.saveProject(folder + "/p.txt", fixedSaveTime()).ok);
    std::string text = gbkToUtf8(readBytes(folder + "/p.txt"));
    const size_t at = text.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.from;
    text.replace(at, std::strlen(c.from), c.to);
    if (c.endsThere)
        text.resize(at + std::strlen(c.to));
    writeBytes(folder + "/bad.txt", text);

    ProjectData record = capacityExample();
    record.baseThickness[49] = 42.0;
    const ProjectData before = record;
    const FileStatus status = record.loadProject(folder + "/bad.txt");
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find(c.reasonPart), std::string::npos) << status.reason;
    EXPECT_TRUE(record == before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedFileTest,
    testing::Values(
        RefusalCase{"word", "下部桩径(m)\t\t\t0.5", "下部桩径(m)\t\t\tabc", "不是有效的数字"},
        RefusalCase{"infinity", "填土容重\t\t19", "填土容重\t\tinf", "填土容重"},
        RefusalCase{"notANumber", "边坡坡度1:m\t\t1.5", "边坡坡度1:m\t\tnan", "边坡坡度1:m"},
        RefusalCase{"hexadecimal", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t0x10", "桩长(m)"},
        RefusalCase{"fractionalCount", "桩端下部土体分层数\t\t\t3", "桩端下部土体分层数\t\t\t1.5", "不是整数"},
        RefusalCase{"fractionalLayout", "矩形）\t1", "矩形）\t1.0", "不是整数"},
        RefusalCase{"countAbove49", "下部桩体桩周土体分层数\t\t2", "下部桩体桩周土体分层数\t\t50", "0～49"},
        RefusalCase{"negativeCount", "扩大头桩周土体分层数\t\t1", "扩大头桩周土体分层数\t\t-1", "0～49"},
        RefusalCase{"headCountNamed", "扩大头桩周土体分层数\t\t1", "扩大头桩周土体分层数\t\t-1",
                    "“扩大头桩周土体分层数”为-1，应在0～49之间。"},
        RefusalCase{"baseCountAbove49", "桩端下部土体分层数\t\t\t3", "桩端下部土体分层数\t\t\t50",
                    "“桩端下部土体分层数”为50，应在0～49之间。"},
        RefusalCase{"plusAndMinus", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t+-10", "值“+-10”不是有效的数字"},
        RefusalCase{"layoutNamed", "矩形）\t1", "矩形）\t1.0",
                    "“标记桩间类型（0－等边三角形1－正方形2－矩形）”的值“1.0”不是整数。"},
        RefusalCase{"badListValue", "下部桩体各土层容重\t\t18.5 19", "下部桩体各土层容重\t\t18.5 x", "下部桩体各土层容重"},
        RefusalCase{"endsInsideAList", "桩端下部各土层容重\t\t19 19.5 20 ", "桩端下部各土层容重\t\t19 19.5",
                    "文件不完整", true},
        RefusalCase{"endsBeforeAValue", "桩长(m)\t\t\t\t10", "桩长(m)", "文件不完整", true},
        RefusalCase{"spaceInsideALabel", "填土容重", "填土 容重", "不是有效的数字"},
        // The offending value is quoted as far as it is printable text, and
        // at most 20 characters of it.
        RefusalCase{"longValue", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t1234567890abcdefghijklmnopqrstuvwxyz",
                    "值“1234567890abcdefghij…”不是"},
        RefusalCase{"gbkValue", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t\xD7\xAE\xB3\xA4", "值“桩长”不是"},
        RefusalCase{"controlCharacters", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t\x01\x02\x03", "值（无法识别的字符）不是"},
        RefusalCase{"printableThenControl", "桩长(m)\t\t\t\t10", "桩长(m)\t\t\t\t12\x01\xFF\xFF", "值“12…”不是"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ProjectFileTest, MissingFileIsRefusedWithItsName)
{
    ProjectData record = capacityExample();
    const FileStatus status = record.loadProject(path("missing.txt"));
    EXPECT_FALSE(status.ok);
    EXPECT_NE(status.reason.find("missing.txt"), std::string::npos);
}

TEST_F(ProjectFileTest, EmptyAndHeaderOnlyFilesAreIncomplete)
{
    writeBytes(path("empty.txt"), "");
    writeBytes(path("header.txt"), rule() + "\nX\n\nY\n" + rule() + "\n");
    ProjectData record{};
    EXPECT_NE(record.loadProject(path("empty.txt")).reason.find("文件不完整"), std::string::npos);
    EXPECT_NE(record.loadProject(path("header.txt")).reason.find("文件不完整"), std::string::npos);
}

struct HeaderCase {
    const char* name;
    std::string bytes;
    const char* reason;
};

class ProjectHeaderTest : public testing::TestWithParam<HeaderCase> {};

// A file that does not begin with the rule of a project file's header is
// some other file; one that does is a project file, however damaged.
TEST_P(ProjectHeaderTest, OtherFilesAreToldFromDamagedProjectFiles)
{
    ProjectData record{};
    EXPECT_EQ(record.loadProjectBytes(GetParam().bytes).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ProjectHeaderTest,
    testing::Values(HeaderCase{"hostName", "build-host\n", "不是Orvane项目文件。"},
                    HeaderCase{"executable", std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10), "不是Orvane项目文件。"},
                    HeaderCase{"ruleAfterText", "x\n" + rule() + "\n", "不是Orvane项目文件。"},
                    HeaderCase{"emptyFile", "", "文件不完整，在“扩大头直径(m)”处提前结束。"},
                    HeaderCase{"shortRuleThenNothing", "=====\r\n", "文件不完整，在“扩大头直径(m)”处提前结束。"},
                    HeaderCase{"editedHeaderNames", rule() + "\n项目\n\n单位\n" + rule() + "\nD 1",
                               "文件不完整，在“下部桩径(m)”处提前结束。"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ProjectFileTest, SaveIntoMissingFolderFails)
{
    ProjectData p = capacityExample();
    const FileStatus status = p.saveProject(path("no/such/folder/p.txt"), fixedSaveTime());
    EXPECT_FALSE(status.ok);
    EXPECT_FALSE(status.reason.empty());
}

TEST_F(ProjectFileTest, SaveReplacesAnExistingFileAndLeavesNoTemporary)
{
    saved(capacityExample());
    const std::string second = saved(settlementExample());
    EXPECT_EQ(gbkToUtf8(second), withCrLf(expectedWorkedExampleText()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), {}), 1);
}

TEST_F(ProjectFileTest, DirectoryIsNotAProjectFile)
{
    ProjectData record = capacityExample();
    const ProjectData before = record;
    EXPECT_FALSE(record.loadProject(folder_).ok);
    EXPECT_TRUE(record == before);
    EXPECT_FALSE(record.saveProject(folder_, fixedSaveTime()).ok);
    EXPECT_TRUE(std::filesystem::is_directory(folder_));
}

}  // namespace
