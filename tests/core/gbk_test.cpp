// GBK, the encoding of the project files, converted alike on every system:
// what reads back and what is refused.
#include "model/gbk.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A row with both texts converts both ways; a missing text (nullptr) means
// the other one is refused.
struct Conversion {
    const char* name;
    const char* gbk;
    const char* utf8;
};

std::optional<std::string> text(const char* bytes) { return bytes ? std::optional<std::string>(bytes) : std::nullopt; }

class GbkTest : public testing::TestWithParam<Conversion> {};

TEST_P(GbkTest, ConvertsOrRefusesAlikeOnEverySystem)
{
    const Conversion& c = GetParam();
    if (c.gbk) {
        EXPECT_EQ(gbkToUtf8(c.gbk), text(c.utf8));
    }
    if (c.utf8) {
        EXPECT_EQ(utf8ToGbk(c.utf8), text(c.gbk));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GbkTest,
    testing::Values(Conversion{"empty", "", ""},
                    Conversion{"digits", "0.5 12", "0.5 12"},
                    Conversion{"label", "\xC0\xA9\xB4\xF3\xCD\xB7\xD6\xB1\xBE\xB6(m)", "扩大头直径(m)"},
                    Conversion{"fullWidthSigns", "\xA3\xA8m\xA3\xA9\xA1\xAB", "（m）～"},
                    Conversion{"euroSign", "\x80", "€"},
                    // The user-defined areas mean nothing on another machine.
                    Conversion{"userDefinedArea", "\xAA\xA1", nullptr},
                    Conversion{"privateUseCharacter", nullptr, "\xEE\x80\x80"},
                    Conversion{"leadByteAtTheEnd", "1\x81", nullptr},
                    Conversion{"trailByteOutOfRange", "\x81\x7F", nullptr},
                    Conversion{"byteFF", "\xFF", nullptr},
                    Conversion{"characterOutsideGbk", nullptr, "\xF0\x9F\x98\x80"},
                    Conversion{"malformedUtf8", nullptr, "\xC3("}),
    [](const auto& info) { return info.param.name; });

}  // namespace
