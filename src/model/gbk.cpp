#include "model/gbk.h"

#include <iconv.h>

#include <memory>

namespace {

// maxGrowth: the most output bytes one input byte can need.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text,
                                   size_t maxGrowth)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);

    std::string out(text.size() * maxGrowth, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

// GBK never needs more bytes than UTF-8 for the same text; UTF-8 needs at
// most three bytes for one GBK byte (the euro sign of code page 936).
std::optional<std::string> utf8ToGbk(std::string_view utf8) { return convert("GBK", "UTF-8", utf8, 1); }

std::optional<std::string> gbkToUtf8(std::string_view gbk) { return convert("UTF-8", "GBK", gbk, 3); }
