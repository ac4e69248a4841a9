// One input of the section table fuzzer: arbitrary bytes are read as a
// road's section table, every profile it names being a small borehole
// table. A table is read whole or refused: refusals are UTF-8 text and leave
// no section; a read table holds sections in strictly rising chainage, each
// station reading as its chainage, each value finite and not below 0, and a
// changed H or L only with a profile. Whatever the bytes, their cells
// written back as a spreadsheet quotes them read as the same cells.
#include "model/csv_table.h"
#include "model/file_reasons.h"
#include "model/section_table.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The rows joined by commas and line feeds, each cell quoted where it must
// be; nothing for rows whose cells hold a tab (it would make the written
// header a tab table) or a first cell that starts with a byte order mark
// (read back as a mark).
std::optional<std::string> writtenBack(const std::vector<csv_table::Row>& rows)
{
    std::string text;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c].find('\t') != std::string::npos)
                return std::nullopt;
            text += (c > 0 ? "," : "") + csv_table::csvField(rows[r][c]);
        }
        text += r + 1 < rows.size() ? "\n" : "";
    }
    if (std::string_view(text).starts_with(csv_table::kByteOrderMark))
        return std::nullopt;
    return text;
}

void checkQuoting(std::string_view bytes)
{
    const csv_table::Decoded decoded = csv_table::decode(bytes);
    if (!decoded.error.empty())
        return;
    const std::optional<std::string> text = writtenBack(decoded.rows);
    if (text && csv_table::decode(*text).rows != decoded.rows)
        fail("cells written back read differently", *text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkQuoting(bytes);
    const SectionTableRead read = readSectionTable(bytes, smallProfile);
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
