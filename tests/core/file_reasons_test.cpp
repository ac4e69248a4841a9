// How a refused file's token is quoted: UTF-8 as it is, anything else read
// as GBK, cut at the first character that is not printable and after 20.
#include "model/file_reasons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const std::string kUnrecognised = "（无法识别的字符）";

struct TokenCase {
    const char* name;
    std::string token;
    std::string quoted;
};

class QuotedTokenTest : public testing::TestWithParam<TokenCase> {};

TEST_P(QuotedTokenTest, QuotesThePrintableStart)
{
    EXPECT_EQ(quotedToken(GetParam().token), GetParam().quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, QuotedTokenTest,
    testing::Values(
        TokenCase{"twentyCharacters", std::string(20, 'a'), "“" + std::string(20, 'a') + "”"},
        TokenCase{"twentyOneCharacters", std::string(21, 'a'), "“" + std::string(20, 'a') + "…”"},
        TokenCase{"twentyChineseOfTwentyOne", "一二三四五六七八九十一二三四五六七八九十百",
                  "“一二三四五六七八九十一二三四五六七八九十…”"},
        TokenCase{"spaceFirst", " a", "“ a”"},
        TokenCase{"deleteCharacter", "\x7F", kUnrecognised},
        TokenCase{"lowestTwoByteLead", "\xC2\xA9", "“\xC2\xA9”"},
        TokenCase{"latin1Control", "\xC2\x9F", kUnrecognised},
        TokenCase{"noBreakSpace", "\xC2\xA0", "“\xC2\xA0”"},
        TokenCase{"lowestThreeByteCharacter", "\xE0\xA0\x80", "“\xE0\xA0\x80”"},
        TokenCase{"replacementCharacter", "\xEF\xBF\xBD", kUnrecognised},
        TokenCase{"fourByteCharacter", "\xF0\x9F\x98\x80", "“\xF0\x9F\x98\x80”"},
        TokenCase{"highestCodePoint", "\xF4\x8F\xBF\xBF", "“\xF4\x8F\xBF\xBF”"},
        // Not UTF-8, so read as GBK (where 0x80 alone is the euro sign).
        TokenCase{"overlongTwoByteLetterReadAsGbk", "\xC1\x81", "“\xE7\xBE\xB4”"},
        TokenCase{"overlongLetterIsNoGbkEither", "\xE0\x81\x81", kUnrecognised},
        TokenCase{"surrogateReadAsGbk", "\xED\xA0\x80", "“\xE9\xA0\x8E€”"},
        TokenCase{"beyondTheHighestReadAsGbk", "\xF4\x90\x80\x80", "“\xE9\xAD\xAB€€”"},
        TokenCase{"cutSequenceReadAsGbk", "\xE6\xA1", "“\xE5\xA6\x97”"}),
    [](const auto& info) { return info.param.name; });

struct ShownCase {
    const char* name;
    std::string text;
    std::size_t maxCharacters;
    std::string shown;
};

class ShownTextTest : public testing::TestWithParam<ShownCase> {};

// A user's value in a message: nothing of it rewrites the terminal or
// reorders the line, and a long one is cut with its length.
TEST_P(ShownTextTest, EscapedAndCutWithItsLength)
{
    EXPECT_EQ(shownText(GetParam().text, GetParam().maxCharacters), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ShownTextTest,
    testing::Values(
        ShownCase{"plainChinese", "某路/剖面.csv", 20, "某路/剖面.csv"},
        ShownCase{"escapeSequence", "\x1B[31mred\x07", 20, "\\x1B[31mred\\x07"},
        ShownCase{"lineBreakAndTab", "a\r\nb\tc", 20, "a\\x0D\\x0Ab\\x09c"},
        ShownCase{"rightToLeftOverride", "abc\xE2\x80\xAEtxt.exe", 20, "abc\\u202Etxt.exe"},
        ShownCase{"isolateMark", "\xE2\x81\xA6x", 20, "\\u2066x"},
        ShownCase{"latin1Control", "\xC2\x9B", 20, "\\u009B"},
        ShownCase{"gbkReadAsGbk", "\xB8\xDF", 20, "高"},
        ShownCase{"neitherUtf8NorGbk", "a\xFF", 20, "a\\xFF"},
        ShownCase{"atTheBound", std::string(20, 'a'), 20, std::string(20, 'a')},
        ShownCase{"overTheBound", std::string(21, 'a'), 20, std::string(20, 'a') + "…（共21个字符）"},
        ShownCase{"mebibyteCell", std::string(1 << 20, 'x'), 260, std::string(260, 'x') + "…（共1048576个字符）"}),
    [](const auto& info) { return info.param.name; });

struct ReasonsCase {
    const char* name;
    std::size_t count;
    std::size_t lines;
    bool counted;
};

class ShownReasonsTest : public testing::TestWithParam<ReasonsCase> {};

// One message box lists the first reasons and says how many there are.
TEST_P(ShownReasonsTest, FirstFewAndTheirCount)
{
    const ReasonsCase& c = GetParam();
    const std::vector<std::string> reasons(c.count, "第2行" + std::string(1000, 'x'));
    const std::string text = shownReasons(reasons);
    EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, c.lines);
    EXPECT_EQ(text.find("共" + std::to_string(c.count) + "处有误") != std::string::npos, c.counted) << text;
    EXPECT_LT(text.size(), 4000u);
}

INSTANTIATE_TEST_SUITE_P(Lists, ShownReasonsTest,
                         testing::Values(ReasonsCase{"one", 1, 1, false}, ReasonsCase{"ten", 10, 10, false},
                                         ReasonsCase{"eleven", 11, 11, true},
                                         ReasonsCase{"hundredThousand", 100000, 11, true}),
                         [](const auto& info) { return info.param.name; });

struct FailureCase {
    const char* name;
    bool save;
    platform::FileOutcome outcome;
    std::string reason;
};

class FailureTextTest : public testing::TestWithParam<FailureCase> {};

TEST_P(FailureTextTest, NamesTheFileAndTheReason)
{
    const FailureCase& c = GetParam();
    EXPECT_EQ(c.save ? saveFailure("p.txt", c.outcome) : readFailure("p.txt", c.outcome), c.reason);
}

using platform::FileFault;

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FailureTextTest,
    testing::Values(
        FailureCase{"systemText", false, {FileFault::other, "Input/output error"},
                    "无法读取文件“p.txt”：Input/output error。"},
        FailureCase{"noSystemText", true, {FileFault::other, ""}, "无法保存到“p.txt”：未知错误。"},
        FailureCase{"tooLarge", false, {FileFault::tooLarge, "", 1048577},
                    "无法读取文件“p.txt”：文件过大（1048577 字节），项目文件不超过 1048576 字节。"},
        FailureCase{"readOnlyDisk", true, {FileFault::readOnlyFileSystem, ""},
                    "无法保存到“p.txt”：所在的磁盘或共享文件夹是只读的。"}),
    [](const auto& info) { return info.param.name; });

}  // namespace
