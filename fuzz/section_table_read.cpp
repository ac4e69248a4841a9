// One input of the section table fuzzer: arbitrary bytes are read as a
// road's section table, every profile it names being a small borehole
// table. A table is read whole or refused: refusals are UTF-8 text and leave
// no section; a read table holds sections in strictly rising chainage, each
// station reading as its chainage, each value finite and not below 0, and a
// changed H or L only with a profile.
#include "engine/section_table.h"
#include "model/file_reasons.h"

#include <cmath>
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

ProfileRead smallProfile(const std::string& file)
{
    if (file.find('x') != std::string::npos)
        return {{}, "无法打开土层剖面文件“" + file + "”。"};
    return readProfileCsv("name,thickness,qs,Es,gamma\nclay,4,12,4,18\nsand,20,,12,19\n");
}

void checkSection(const Section& s)
{
    if (parseStation(s.station) != s.chainage)
        fail("a station does not read as its chainage", s.station);
    for (const SectionValue& v : s.values) {
        if (!std::isfinite(v.value) || v.value < 0)
            fail("a value is out of range", s.station);
        if (v.field->cutsLayerTables && !s.profile)
            fail("H or L changed without a profile", s.station);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SectionTableRead read =
        readSectionTable(std::string_view(reinterpret_cast<const char*>(data), size), smallProfile);
    if (!read.ok()) {
        for (const std::string& error : read.errors)
            if (!isValidUtf8(error))
                fail("a refusal is not UTF-8", error);
        if (!read.sections.empty())
            fail("a refused table kept sections", read.errors.front());
        return 0;
    }
    if (read.sections.empty())
        fail("a read table has no section", "");
    for (std::size_t i = 0; i < read.sections.size(); ++i) {
        checkSection(read.sections[i]);
        if (i > 0 && !(read.sections[i - 1].chainage < read.sections[i].chainage))
            fail("sections out of chainage order", read.sections[i].station);
    }
    return 0;
}
