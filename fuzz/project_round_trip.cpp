// One input of the project file fuzzer: arbitrary bytes are loaded; when they
// load, every calculation runs and the record is written as a save writes it
// (with its results and its extension block), read back and written again:
// the values and the extension must survive.
// The values written are then a fixed point, so further rounds would only
// repeat the same calculation on the same numbers.
#include "model/project_data.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

std::tm saveTime()
{
    std::tm t{};
    t.tm_year = 2009 - 1900;
    t.tm_mday = 1;
    return t;
}

void computeEverything(ProjectData& p)
{
    p.deriveEquivalentDiameter();
    p.computeCapacity();
    p.computeCapacityManual();
    p.settlementByDeformationRatio();
    p.settlementByStressRatio(0.2);
    p.settlementByStressRatio(0.1);
}

[[noreturn]] void fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// The first line where two writings part, for the report of a failure.
std::string firstDifference(const std::string& a, const std::string& b)
{
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    const size_t line = a.rfind('\n', at) == std::string::npos ? 0 : a.rfind('\n', at) + 1;
    return "\n" + a.substr(line, 80) + "\n--- becomes ---\n" + b.substr(line, 80);
}

// The record as a save writes it, read back: the values as written, with
// six significant digits.
ProjectData readBack(const std::string& written)
{
    ProjectData p{};
    if (const FileStatus status = p.loadProjectBytes(written); !status.ok)
        fail("a saved project does not load", status.reason);
    p.deriveEquivalentDiameter();
    return p;
}

// The part of a writing before its results block.
std::string valuesOf(const std::string& written) { return written.substr(0, written.find("\r\n\r\n\r\n=")); }

// The extension block of a writing, from its empty first line on.
std::string blockOf(const std::string& written)
{
    return written.substr(std::min(written.find("\r\n[Orvane"), written.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProjectData loaded{};
    if (!loaded.loadProjectBytes(std::string_view(reinterpret_cast<const char*>(data), size)).ok)
        return 0;
    computeEverything(loaded);
    const std::string first = loaded.projectFileBytes(saveTime());
    // The first writing rounds the values, so the results of the values read
    // back may differ from those written; the values may not.
    ProjectData back = readBack(first);
    if (!(back.extension == loaded.extension))
        fail("the extension changes when read back", blockOf(first));
    const std::string second = back.projectFileBytes(saveTime());
    if (valuesOf(second) != valuesOf(first) || blockOf(second) != blockOf(first))
        fail("values change when read back", firstDifference(first, second));
    return 0;
}
