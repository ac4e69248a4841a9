// How a refused file's token is quoted: UTF-8 as it is, anything else read
// as GBK, cut at the first character that is not printable and after 20.
#include "model/file_reasons.h"

#include <gtest/gtest.h>

#include <string>

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
