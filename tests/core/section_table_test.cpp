#include "model/gbk.h"
#include "model/section_table.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

struct StationCase {
    const char* name;
    std::string text;
    std::optional<double> chainage;
};

class StationTest : public testing::TestWithParam<StationCase> {};

TEST_P(StationTest, ChainageInMetres)
{
    EXPECT_EQ(parseStation(GetParam().text), GetParam().chainage);
}

INSTANTIATE_TEST_SUITE_P(
    Stations, StationTest,
    testing::Values(StationCase{"kilometresAndMetres", "K12+340", 12340.0},
                    StationCase{"origin", "K0+000", 0.0},
                    StationCase{"leadingZeroMetres", "K3+050", 3050.0},
                    StationCase{"decimalMetres", "K1+020.5", 1020.5},
                    StationCase{"prefixOfLetters", "AK2+100", 2100.0},
                    StationCase{"noPrefix", "7+999.9", 7999.9},
                    StationCase{"fullWidthPlus", "K4＋200", 4200.0},
                    StationCase{"metresJustBelowAWholeKilometre", "K1+999.5", 1999.5},
                    StationCase{"metresOfAWholeKilometre", "K1+1000", std::nullopt},
                    StationCase{"noPlus", "K12340", std::nullopt},
                    StationCase{"noKilometres", "K+340", std::nullopt},
                    StationCase{"noMetres", "K12+", std::nullopt},
                    StationCase{"metresWithoutALeadingDigit", "K1+.5", std::nullopt},
                    StationCase{"signedMetres", "K12+-3", std::nullopt},
                    StationCase{"blankInside", "K12 + 340", std::nullopt},
                    StationCase{"lettersOnly", "K", std::nullopt},
                    StationCase{"decimalKilometres", "K1.5+200", std::nullopt},
                    StationCase{"largestKilometres", "K99999+999.5", 99999999.5},
                    StationCase{"kilometresBeyondAnyRoad", "K100000+000", std::nullopt},
                    StationCase{"kilometresOf306Digits", "K" + std::string(306, '9') + "+000", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Borehole tables by name, as a loader would find them beside the table.
ProfileRead fakeProfile(const std::string& file)
{
    static const std::map<std::string, std::string> files{
        {"bh1.csv", "name,thickness,qs,Es,gamma\nclay,4,12,4,18\nsand,20,,12,19\n"},
        {"bad.csv", "name,thickness,qs,Es,gamma\nclay,x,12,4,18\n"},
        {"zero.csv", "name,thickness,qs,Es,gamma\nclay,0,12,4,18\n"},
    };
    const auto found = files.find(file);
    if (found == files.end())
        return {{}, "无法打开土层剖面文件“" + file + "”：文件不存在。"};
    return readProfileCsv(found->second);
}

struct Expected {
    std::string station;
    double chainage;
    std::size_t row;
    std::vector<std::pair<std::string, double>> values;
    std::string profile;
    std::vector<std::pair<std::string, std::string>> settings{};  // key, value as the extension holds it
};

struct TableCase {
    const char* name;
    std::string bytes;
    std::vector<Expected> sections;
    std::vector<std::string> errors;  // parts of the expected reasons, in order
};

class SectionTableTest : public testing::TestWithParam<TableCase> {};

TEST_P(SectionTableTest, SectionsOrReasons)
{
    const TableCase& c = GetParam();
    const SectionTableRead read = readSectionTable(c.bytes, fakeProfile);
    ASSERT_EQ(read.errors.size(), c.errors.size()) << (read.errors.empty() ? "" : read.errors.front());
    for (std::size_t i = 0; i < c.errors.size(); ++i)
        EXPECT_NE(read.errors[i].find(c.errors[i]), std::string::npos) << read.errors[i];
    if (!c.errors.empty()) {
        EXPECT_TRUE(read.sections.empty()) << "a table with a bad row is not half read";
        return;
    }
    ASSERT_EQ(read.sections.size(), c.sections.size());
    for (std::size_t i = 0; i < c.sections.size(); ++i) {
        const Section& s = read.sections[i];
        const Expected& e = c.sections[i];
        EXPECT_EQ(s.station, e.station);
        EXPECT_EQ(s.chainage, e.chainage);
        EXPECT_EQ(s.row, e.row);
        std::vector<std::pair<std::string, double>> values;
        for (const SectionValue& v : s.values)
            values.emplace_back(v.field->name, v.value);
        EXPECT_EQ(values, e.values) << s.station;
        EXPECT_EQ(s.profileFile, e.profile);
        EXPECT_EQ(s.profile.has_value(), !e.profile.empty());
        std::vector<std::pair<std::string, std::string>> settings;
        for (const SectionSetting& v : s.settings)
            settings.emplace_back(v.key, v.value);
        EXPECT_EQ(settings, e.settings) << s.station;
    }
}

std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

const std::string kChineseHeader = "桩号,路基填土高度h（m）,填土顶宽B(m),边坡坡度1:m,边坡坡度1:n,土层剖面,备注\r\n";

INSTANTIATE_TEST_SUITE_P(
    Tables, SectionTableTest,
    testing::Values(
        TableCase{"englishHeadersSortedByChainage",
                  "station,embankmentHeight,embankmentTopWidth,slopeM,slopeN\n"
                  "K0+200,3.5,12,1.5,1.5\nK0+100,2,,,1.75\n",
                  {{"K0+100", 100, 3, {{"embankmentHeight", 2}, {"slopeN", 1.75}}, ""},
                   {"K0+200", 200, 2,
                    {{"embankmentHeight", 3.5}, {"embankmentTopWidth", 12}, {"slopeM", 1.5}, {"slopeN", 1.5}}, ""}},
                  {}},
        TableCase{"gbkChineseHeadersWithUnitsAndProfile",
                  gbk(kChineseHeader + "K1+000,4,,1.5,,bh1.csv,软土段\r\nK0+950,,,,,,\r\n"),
                  {{"K0+950", 950, 3, {}, ""},
                   {"K1+000", 1000, 2, {{"embankmentHeight", 4}, {"slopeM", 1.5}}, "bh1.csv"}},
                  {}},
        TableCase{"utf8BomTabsBlankRowsAndAnySweepField",
                  "\xEF\xBB\xBF\n桩号\t正方形桩间距（m）\tpileLength\tprofile\n\nK2+000\t1.8\t12\tbh1.csv\n",
                  {{"K2+000", 2000, 4, {{"spacingSquare", 1.8}, {"pileLength", 12}}, "bh1.csv"}},
                  {}},
        TableCase{"zeroIsNotNegative", "station,slopeM,embankmentHeight\nK0+000,0,0.5\nK0+100,1.5,0\n",
                  {{"K0+000", 0, 2, {{"slopeM", 0}, {"embankmentHeight", 0.5}}, ""},
                   {"K0+100", 100, 3, {{"slopeM", 1.5}, {"embankmentHeight", 0}}, ""}},
                  {}},
        TableCase{"rowShorterThanHeader", "station,slopeM,slopeN\nK0+000,1.5\n",
                  {{"K0+000", 0, 2, {{"slopeM", 1.5}}, ""}}, {}},
        TableCase{"everyBadRowNamed",
                  "station,embankmentHeight,slopeM\nK0+000,abc,1\nK0+100,2,-0.001\nK0+200,2,1\n,3,1\nK0+3OO,2,1\n",
                  {},
                  {"第2行第2列（路基填土高度h（m））的“abc”不是数字", "第3行第3列（边坡坡度1:m）的值不应小于0",
                   "第5行没有桩号", "第6行的桩号“K0+3OO”不是桩号"}},
        TableCase{"repeatedStation", "station,slopeM\nK0+100,1\nK0+050,1\nK0+100.0,2\n", {},
                  {"第4行的桩号“K0+100.0”与第2行的“K0+100”是同一位置"}},
        TableCase{"missingStationColumn", "embankmentHeight\n3\n", {}, {"表头中缺少“桩号”列"}},
        TableCase{"unknownColumn", "station,embankmentHieght\nK0+000,3\n", {},
                  {"第1行（表头）第2列的“embankmentHieght”不是可识别的列"}},
        TableCase{"inputNoSectionVaries", "station,psiS\nK0+000,1.1\n", {},
                  {"第1行（表头）第2列的“psiS”不是可识别的列"}},
        TableCase{"sameColumnTwice", "桩号,slopeM,边坡坡度1:m\nK0+000,1,2\n", {},
                  {"第2列与第3列是同一列"}},
        TableCase{"cellBeyondTheHeader", "station,slopeM\nK0+000,1,7\n", {},
                  {"第2行第3列的“7”在表头中没有列名"}},
        TableCase{"pileLengthWithoutProfile", "station,pileLength,profile\nK0+000,12,\nK0+100,12,bh1.csv\n", {},
                  {"第2行改变了桩长L（m），须同时给出该断面的土层剖面"}},
        TableCase{"unreadableProfiles", "station,profile\nK0+000,bad.csv\nK0+100,missing.csv\nK0+200,zero.csv\n",
                  {},
                  {"第2行的土层剖面“bad.csv”无法使用：第2行第2列（层厚）的“x”不是数字",
                   "第3行的土层剖面“missing.csv”无法使用：无法打开", "第4行的土层剖面“zero.csv”无法使用"}},
        // Quotes as spreadsheets write them: one inside an unquoted cell is
        // a character of that cell; a quoted cell holds separators, doubled
        // quotes and line breaks.
        TableCase{"quoteInsideAnUnquotedNote",
                  "station,slopeM,note\nK0+000,1,6\"管\nK0+100,2,\nK0+200,3,x\"\"y\nK0+300,4,\n",
                  {{"K0+000", 0, 2, {{"slopeM", 1}}, ""},
                   {"K0+100", 100, 3, {{"slopeM", 2}}, ""},
                   {"K0+200", 200, 4, {{"slopeM", 3}}, ""},
                   {"K0+300", 300, 5, {{"slopeM", 4}}, ""}},
                  {}},
        TableCase{"quotedNoteWithCommaQuotesAndLineBreak",
                  "station,note,slopeM\nK0+000,\"6\"\"管, \"\"软\"\"\nK0+050\",1\nK0+100,,2\n",
                  {{"K0+000", 0, 2, {{"slopeM", 1}}, ""}, {"K0+100", 100, 3, {{"slopeM", 2}}, ""}},
                  {}},
        TableCase{"quoteInsideAnUnquotedNumber", "station,slopeM\nK0+000,1\"5\nK0+100,2\n", {},
                  {"第2行第2列（边坡坡度1:m）的“1\"5”不是数字"}},
        TableCase{"settingsByChineseTitlesInGbkWithAQuotedFill",
                  gbk("桩号,路基填土高度h（m）,道路等级,路段类型,容许工后沉降[s工后]（mm）,沉降系数ms,填土过程,"
                      "路面完工（天）,设计使用年限（年）,深度修正系数ηd,桩体抗剪强度τp（kPa）,"
                      "加固区超出坡脚的宽度（m）,稳定安全系数要求,填土黏聚力 c（kPa）,填土内摩擦角φ（°）\r\n"
                      "K1+000,4,高速公路、一级公路,桥台与路堤相邻处,120,1.2,\"0:0,90:2,180:4\",365,15,1,80,0.5,1.3,15,28\r\n"
                      "K1+100,,二级公路,涵洞、通道处,,,,,,,,,,12,\r\n"
                      "K1+200,,highway,一般路段,,,,,,,,,,,26\r\n"),
                  {{"K1+000", 1000, 2, {{"embankmentHeight", 4}}, "",
                    {{"roadClass", "highway"}, {"location", "abutment"}, {"allowablePostConstruction", "120"},
                     {"ms", "1.2"}, {"fill", "0:0,90:2,180:4"}, {"pavementDay", "365"}, {"designPeriod", "15"},
                     {"etaD", "1"}, {"pileShear", "80"}, {"treatedMargin", "0.5"}, {"stabilityRequired", "1.3"},
                     {"c.fill", "15"}, {"phi.fill", "28"}}},
                   // Half of the fill's strength: the other half is the base project's.
                   {"K1+100", 1100, 3, {}, "", {{"roadClass", "second"}, {"location", "culvert"}, {"c.fill", "12"}}},
                   {"K1+200", 1200, 4, {}, "", {{"roadClass", "highway"}, {"location", "general"}, {"phi.fill", "26"}}}},
                  {}},
        // Each value at the limits the record's readers allow; a fill
        // history without the row's own h is read up to its end, checked
        // against the base project's h when the section is computed.
        TableCase{"settingsAtTheirLimits",
                  "station,embankmentHeight,ms,designPeriod,etaD,pileShear,treatedMargin,stabilityRequired,"
                  "allowablePostConstruction,fill,pavementDay,c.fill,phi.fill\n"
                  "K0+000,3,1,100,0,0,-2,1,0.001,\"0:0,90:3\",90,0,0\n"
                  "K0+100,,10,0.001,,,,,,,,,89.99\n"
                  "K0+200,,,,,,,,,\"0:0,60:1.5,120:2.5\",\n",
                  {{"K0+000", 0, 2, {{"embankmentHeight", 3}}, "",
                    {{"ms", "1"}, {"designPeriod", "100"}, {"etaD", "0"}, {"pileShear", "0"}, {"treatedMargin", "-2"},
                     {"stabilityRequired", "1"}, {"allowablePostConstruction", "0.001"}, {"fill", "0:0,90:3"},
                     {"pavementDay", "90"}, {"c.fill", "0"}, {"phi.fill", "0"}}},
                   {"K0+100", 100, 3, {}, "", {{"ms", "10"}, {"designPeriod", "0.001"}, {"phi.fill", "89.99"}}},
                   {"K0+200", 200, 4, {}, "", {{"fill", "0:0,60:1.5,120:2.5"}}}},
                  {}},
        TableCase{"settingsBeyondTheirLimitsNamedByRowAndColumn",
                  "station,embankmentHeight,ms,designPeriod,etaD,pileShear,treatedMargin,stabilityRequired,"
                  "allowablePostConstruction,fill,pavementDay,roadClass,location,c.fill,phi.fill\n"
                  "K0+000,3,0.99\nK0+100,,10.01\nK0+200,,,0\nK0+300,,,100.5\nK0+400,,,,-0.1\n"
                  "K0+500,,,,,-1\nK0+600,,,,,,x\nK0+700,,,,,,,0.99\nK0+800,,,,,,,,0\n"
                  "K0+900,3,,,,,,,,\"0:0,90:2.9\"\nK1+000,3,,,,,,,,\"0:0,90:3\",89\n"
                  "K1+100,,,,,,,,,\"0:0,90\"\nK1+200,,,,,,,,,,,三级公路\nK1+300,,,,,,,,,,,,桥头\n"
                  "K1+400,,,,,,,,,,,,,-0.01,28\nK1+500,,,,,,,,,,,,,15,90\nK1+600,,,,,,,,,,,,,,-0.01\n",
                  {},
                  {"第2行第3列（沉降系数ms）：沉降系数ms应为不小于1且不大于10的数",
                   "第3行第3列（沉降系数ms）：沉降系数ms应为不小于1且不大于10的数",
                   "第4行第4列（设计使用年限（年））：设计使用年限应为大于0且不大于100的年数",
                   "第5行第4列（设计使用年限（年））：设计使用年限应为大于0且不大于100的年数",
                   "第6行第5列（深度修正系数ηd）：深度修正系数ηd应为不小于0的数",
                   "第7行第6列（桩体抗剪强度τp（kPa））：桩体抗剪强度τp应为不小于0的数",
                   "第8行第7列（加固区超出坡脚的宽度（m））：加固区超出坡脚的宽度应为一个数",
                   "第9行第8列（稳定安全系数要求）：稳定安全系数要求应为不小于1的数",
                   "第10行第9列（容许工后沉降[s工后]（mm））：容许工后沉降应为大于0的数",
                   "第11行第10列（填土过程）：最后的填土高度应等于路堤高度h（3 m）",
                   "第12行第11列（路面完工（天））：路面完工时间应为不早于填土完成",
                   "第13行第10列（填土过程）：填土过程应为以逗号分隔的“天数:填土高度”",
                   "第14行第12列（道路等级）：公路等级应为highway",
                   "第15行第13列（路段类型）：路段应为abutment",
                   "第16行第14列（填土黏聚力c（kPa））：填土黏聚力c应为不小于0的数（kPa）",
                   "第17行第15列（填土内摩擦角φ（°））：填土内摩擦角φ应为不小于0且小于90的数（°）",
                   "第18行第15列（填土内摩擦角φ（°））：填土内摩擦角φ应为不小于0且小于90的数（°）"}},
        TableCase{"settingColumnTwice", "桩号,roadClass,道路等级\nK0+000,highway,highway\n", {},
                  {"第2列与第3列是同一列"}},
        TableCase{"headerOnly", "station,slopeM\n\n", {}, {"只有表头，没有断面"}},
        TableCase{"empty", " \n\n", {}, {"表格是空的"}},
        TableCase{"notAnEncoding", "station\n\xFF\xFF\n", {}, {"无法识别表格的编码"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PathCase {
    const char* name;
    std::string table;
    std::string file;
    std::string path;
};

class PathBesideTableTest : public testing::TestWithParam<PathCase> {};

TEST_P(PathBesideTableTest, RelativeToTheTablesFolder)
{
    EXPECT_EQ(pathBesideTable(GetParam().table, GetParam().file), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathBesideTableTest,
    testing::Values(PathCase{"besideInAFolder", "road/sections.csv", "bh1.csv", "road/bh1.csv"},
                    PathCase{"inASubfolder", "/data/road/s.csv", "holes/bh1.csv", "/data/road/holes/bh1.csv"},
                    PathCase{"tableInTheWorkingFolder", "s.csv", "bh1.csv", "bh1.csv"},
                    PathCase{"windowsFolder", "C:\\road\\s.csv", "bh1.csv", "C:\\road\\bh1.csv"},
                    PathCase{"absolutePosix", "road/s.csv", "/data/bh1.csv", "/data/bh1.csv"},
                    PathCase{"absoluteWindows", "road/s.csv", "D:\\bh1.csv", "D:\\bh1.csv"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SectionTableFile, ProfilesAreFoundBesideTheTable)
{
    const std::string folder = scratchFolder("SectionTableFile");
    writeBytes(folder + "/bh1.csv", "name,thickness,qs,Es,gamma\nclay,4,12,4,18\nsand,20,,12,19\n");
    writeBytes(folder + "/sections.csv", "station,profile\nK0+000,bh1.csv\n");
    const SectionTableRead read = loadSectionTable(folder + "/sections.csv");
    ASSERT_TRUE(read.ok()) << read.errors.front();
    ASSERT_EQ(read.sections.size(), 1u);
    EXPECT_TRUE(read.sections[0].profile.has_value());
}

}  // namespace
