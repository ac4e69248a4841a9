// One input of the borehole table fuzzer: arbitrary bytes are read as a
// table. A refusal must be valid UTF-8 text (cells are quoted, never echoed
// raw); a table that reads is exported and read back unchanged, and split
// at a few head heights and pile lengths.
#include "model/file_reasons.h"
#include "model/soil_profile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const ProfileRead read = readProfileCsv(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.error.empty()) {
        if (!isValidUtf8(read.error))
            fail("a refusal is not UTF-8", read.error);
        return 0;
    }
    const std::string exported = profileCsv(read.profile);
    if (readProfileCsv(exported).profile != read.profile)
        fail("an exported table reads back otherwise", exported);
    const ProfileSplitter splitter(read.profile);
    for (const auto& [head, pile] : {std::pair{0.5, 3.0}, std::pair{2.0, 10.0}, std::pair{7.5, 30.0}}) {
        const ProfileSplit split = splitter.split(head, pile);
        if (!isValidUtf8(split.refusal))
            fail("a refusal is not UTF-8", split.refusal);
    }
    return 0;
}
