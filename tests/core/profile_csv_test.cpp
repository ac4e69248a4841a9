#include "model/gbk.h"
#include "model/soil_profile.h"
#include "test_files.h"

#include <gtest/gtest.h>

namespace {

std::string gbk(const std::string& utf8) { return utf8ToGbk(utf8).value(); }

struct CsvCase {
    const char* name;
    std::string bytes;
    SoilProfile expected;
    std::string error;  // a part of the expected reason; empty when read
};

class ProfileCsvTest : public testing::TestWithParam<CsvCase> {};

TEST_P(ProfileCsvTest, StrataOrReason)
{
    const CsvCase& c = GetParam();
    const ProfileRead read = readProfileCsv(c.bytes);
    if (!c.error.empty()) {
        EXPECT_NE(read.error.find(c.error), std::string::npos) << read.error;
        EXPECT_TRUE(read.profile.empty());
        return;
    }
    EXPECT_EQ(read.error, "");
    EXPECT_EQ(read.profile, c.expected);
}

const SoilProfile kTwoStrata{{"黏土", 2, 10, 4, 18}, {"岩", 7, std::nullopt, 20, 21}};
// Clay with cv, fak, c and phi, and rock without c.
const SoilProfile kTwoStrataWithProperties{{"黏土", 2, 10, 4, 18, 1.5, 60, 12, 6},
                                           {"岩", 7, std::nullopt, 20, 21, 150, 400, std::nullopt, 35}};
const std::string kPropertyRows = "黏土,2,10,4,18,1.5,60,12,6\r\n岩,7,,20,21,150,400,,35\r\n";
const std::string kChineseRows = "黏土,2,10,4,18\r\n岩,7,,20,21\r\n";

INSTANTIATE_TEST_SUITE_P(
    Tables, ProfileCsvTest,
    testing::Values(
        CsvCase{"utf8CommaChineseWithUnits",
                "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3)\n黏土,2,10,4,18\n岩,7,,20,21\n",
                kTwoStrata, ""},
        CsvCase{"utf8BomTabEnglish",
                "\xEF\xBB\xBFname\tThickness (m)\tqs\tEs [MPa]\tGAMMA\r\n黏土\t2\t10\t4\t18\r\n岩\t7\t\t20\t21\r\n",
                kTwoStrata, ""},
        CsvCase{"gbkCommaFullWidthBrackets",
                gbk("土层名称,层厚（m）,桩侧摩阻力特征值（kPa）,压缩模量Es（MPa）,天然重度\r\n" + kChineseRows),
                kTwoStrata, ""},
        CsvCase{"gbkTab", gbk("土层名称\t层厚\t侧摩阻力\t压缩模量\t重度\r\n黏土\t2\t10\t4\t18\r\n岩\t7\t\t20\t21"),
                kTwoStrata, ""},
        CsvCase{"columnsInAnyOrderAmongOthers",
                "序号,重度,层厚,备注,土层名称,压缩模量,侧摩阻力\n1,18,2,软,黏土,4,10\n2,21,7,,岩,20,\n",
                kTwoStrata, ""},
        CsvCase{"quotedFieldsBlankRowsAndSignedNumbers",
                "土层名称,层厚,侧摩阻力,压缩模量,重度\n\n\"粉质黏土,\"\"可塑\"\"\", +2.5 ,1e1,\"4\",18.0\n,,,,\n",
                {{"粉质黏土,\"可塑\"", 2.5, 10, 4, 18}}, ""},
        CsvCase{"quoteInsideAnUnquotedName", "name,thickness,qs,Es,gamma\n6\"管周黏土,2,10,4,18\n岩,7,,20,21\n",
                {{"6\"管周黏土", 2, 10, 4, 18}, {"岩", 7, std::nullopt, 20, 21}}, ""},
        CsvCase{"quotedNameOverTwoLines", "name,thickness,qs,Es,gamma\n\"黏\r\n土\",2,10,4,18\n岩,7,,20,21\n",
                {{"黏\r\n土", 2, 10, 4, 18}, {"岩", 7, std::nullopt, 20, 21}}, ""},
        CsvCase{"propertiesInChineseWithUnits",
                "土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3),固结系数(10^-3cm2/s),地基承载力特征值(kPa),"
                "黏聚力(kPa),内摩擦角(°)\n" + kPropertyRows,
                kTwoStrataWithProperties, ""},
        CsvCase{"propertiesInEnglishAndSymbols", "name,thickness,qs,Es,gamma,CV,fak [kPa],C,φ（°）\n" + kPropertyRows,
                kTwoStrataWithProperties, ""},
        CsvCase{"propertiesInGbkByTheirSentences",
                gbk("土层名称\t层厚\t侧摩阻力\t压缩模量\t重度\t固结系数cv\t地基承载力特征值fak\t黏聚力c\t内摩擦角φ\r\n"
                    "黏土\t2\t10\t4\t18\t1.5\t60\t12\t6\r\n岩\t7\t\t20\t21\t150\t400\t\t35\r\n"),
                kTwoStrataWithProperties, ""},
        CsvCase{"propertyColumnsLeftEmpty", "name,thickness,qs,Es,gamma,cv,fak,c,phi\n黏土,2,10,4,18\n岩,7,,20,21,,,,\n",
                kTwoStrata, ""},
        CsvCase{"propertyNamedAsPhi", "name,thickness,qs,Es,gamma,phi\n黏土,2,10,4,18,6\n", {{"黏土", 2, 10, 4, 18, {}, {}, {}, 6}},
                ""},
        CsvCase{"cvNotANumber", "name,thickness,qs,Es,gamma,fak,cv\n黏土,2,10,4,18,60,1.5\n砂,3,12,8,19,200,快\n", {},
                "第3行第7列（固结系数）的“快”不是数字"},
        CsvCase{"fakNotANumber", "name,thickness,qs,Es,gamma,fak\n黏土,2,10,4,18,6O\n", {},
                "第2行第6列（地基承载力特征值）的“6O”不是数字"},
        CsvCase{"cohesionWithADecimalComma", "name\tthickness\tqs\tEs\tgamma\tc\n黏土\t2\t10\t4\t18\t1,5\n", {},
                "第2行第6列（黏聚力）的“1,5”不是数字"},
        CsvCase{"frictionAngleInfinite", "name,thickness,qs,Es,gamma,内摩擦角(°)\n黏土,2,10,4,18,inf\n", {},
                "第2行第6列（内摩擦角）的“inf”不是数字"},
        CsvCase{"missingColumn", "土层名称,层厚,侧摩阻力,重度\n黏土,2,10,18\n", {},
                "表头中缺少“压缩模量”列"},
        CsvCase{"notANumber", "name,thickness,qs,Es,gamma\n黏土,2,10,4,18\n砂,3,12,abc,19\n", {},
                "第3行第4列（压缩模量）的“abc”不是数字"},
        CsvCase{"decimalComma", "name\tthickness\tqs\tEs\tgamma\n黏土\t2,5\t10\t4\t18\n", {},
                "第2行第2列（层厚）的“2,5”不是数字"},
        CsvCase{"plusBeforeMinusIsNotANumber", "name,thickness,qs,Es,gamma\n黏土,+-2,10,4,18\n", {},
                "的“+-2”不是数字"},
        CsvCase{"infinityIsNotANumber", "name,thickness,qs,Es,gamma\n黏土,inf,10,4,18\n", {},
                "的“inf”不是数字"},
        CsvCase{"emptyRequiredCell", "name,thickness,qs,Es,gamma\n黏土,2,10,4\n", {},
                "第2行第5列（重度）为空"},
        CsvCase{"headerOnly", "name,thickness,qs,Es,gamma\r\n", {}, "没有土层"},
        CsvCase{"neitherUtf8NorGbk", "name,thickness\n\xFF\xFF\n", {}, "无法识别表格的编码"},
        // Line ends of CR alone, as older spreadsheets save them.
        CsvCase{"crOnlyLineEnds", "土层名称,层厚,侧摩阻力,压缩模量,重度\r" + std::string("黏土,2,10,4,18\r岩,7,,20,21\r"),
                kTwoStrata, ""},
        CsvCase{"crOnlyLineEndsNumberTheRows", "name,thickness,qs,Es,gamma\r黏土,2,10,4,18\r砂,x,1,2,3\r", {},
                "第3行第2列（层厚）"},
        // The header decides the separator: a tab inside a cell of a comma
        // table is the cell's, and a table may begin with blank lines.
        CsvCase{"tabInsideACellOfACommaTable", "name,thickness,qs,Es,gamma\r\n黏\t土,2,10,4,18\r\n岩,7,,20,21\r\n",
                {{"黏\t土", 2, 10, 4, 18}, {"岩", 7, std::nullopt, 20, 21}}, ""},
        CsvCase{"tabTableAfterABlankLine", "\n\nname\tthickness\tqs\tEs\tgamma\n黏土\t2\t10\t4\t18\n岩\t7\t\t20\t21\n",
                kTwoStrata, ""},
        // Rows pasted from a GBK table under a UTF-8 header: the reason
        // says so, rather than that the header lacks a column.
        CsvCase{"utf8HeaderWithGbkRows", "土层名称,层厚,侧摩阻力,压缩模量,重度\n" + gbk(kChineseRows), {},
                "表头是UTF-8编码，但第2行不是"},
        CsvCase{"byteOrderMarkWithGbkRows", "\xEF\xBB\xBFname,thickness,qs,Es,gamma\n\n" + gbk(kChineseRows), {},
                "表格标明为UTF-8编码，但第3行不是"},
        // Bytes that only a lax reading takes for UTF-8 (overlong forms)
        // are GBK.
        CsvCase{"gbkThatALaxReadingTakesForUtf8", "name,thickness,qs,Es,gamma\n\xE0\x81\x81\xE0\x81\x81,2,10,4,18\n",
                {{gbkToUtf8(std::string("\xE0\x81\x81\xE0\x81\x81")), 2, 10, 4, 18}}, ""},
        // A cell is quoted as the project file quotes a token: control
        // characters are not echoed to the terminal.
        CsvCase{"controlCharactersInACell", "name,thickness,qs,Es,gamma\n黏土,\x1b]0;x\x07,10,4,18\n", {},
                "第2行第2列（层厚）的（无法识别的字符）不是数字"},
        CsvCase{"longCell", "name,thickness,qs,Es,gamma\n黏土,1234567890abcdefghijklmnop,10,4,18\n", {},
                "的“1234567890abcdefghij…”不是数字"}),
    [](const testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(ProfileCsv, ExportReadsBackAsTheSameProfile)
{
    const SoilProfile profile{{"粉质黏土,\"可塑\"", 0.1, 12.5, 4.2, 18.7},
                              {"", 1.0 / 3.0, std::nullopt, 1e-5, 21}};
    const std::string csv = profileCsv(profile);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "\xEF\xBB\xBF土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3)");
    EXPECT_EQ(readProfileCsv(csv).profile, profile);
}

// Only the columns some stratum gives a value of are exported, each read
// back as it was.
TEST(ProfileCsv, ExportKeepsThePropertiesGiven)
{
    SoilProfile profile = kTwoStrataWithProperties;
    profile[0].cv.reset();
    profile[1].cv.reset();
    profile[0].frictionAngle = 0.1 + 0.2;
    const std::string csv = profileCsv(profile);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "\xEF\xBB\xBF土层名称,层厚(m),侧摩阻力(kPa),压缩模量(MPa),重度(kN/m3),地基承载力特征值(kPa),黏聚力(kPa),内摩擦角(°)");
    EXPECT_EQ(readProfileCsv(csv).profile, profile);
}

TEST(ProfileCsv, FileThatCannotBeOpenedIsNamed)
{
    const std::string path = scratchFolder("profile-missing") + "/剖面.csv";
    EXPECT_NE(loadProfileCsv(path).error.find("无法打开土层剖面文件“" + path + "”"), std::string::npos);
    writeBytes(path, "name,thickness,qs,Es,gamma\n黏土,2,10,4,18\n");
    EXPECT_EQ(loadProfileCsv(path).profile.size(), 1u);
}

}  // namespace
