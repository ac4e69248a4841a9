// One input of the project file fuzzer: arbitrary bytes are loaded; when they
// load, every calculation runs, the record is written as a save writes it,
// read back and written again, and the two writings must be the same bytes.
#include "model/project_data.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProjectData loaded{};
    if (!loaded.loadProjectBytes(std::string_view(reinterpret_cast<const char*>(data), size)).ok)
        return 0;
    computeEverything(loaded);
    const std::string saved = loaded.projectFileBytes(saveTime());

    ProjectData reloaded{};
    if (const FileStatus status = reloaded.loadProjectBytes(saved); !status.ok)
        fail("a saved project does not load", status.reason);
    computeEverything(reloaded);
    if (reloaded.projectFileBytes(saveTime()) != saved)
        fail("a reloaded project saves differently", saved);
    return 0;
}
