// Cost of loading the worked example's project file: from the disk, and from
// bytes already in memory (the parsing alone). A load should cost less than
// the calculations it feeds.
#include "model/project_data.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

void loadFromFile(benchmark::State& state)
{
    for (auto _ : state) {
        ProjectData p{};
        if (!p.loadProject(ORVANE_WORKED_EXAMPLE).ok)
            state.SkipWithError("the worked example does not load");
        benchmark::DoNotOptimize(p);
    }
}

void loadFromBytes(benchmark::State& state)
{
    std::ifstream in(ORVANE_WORKED_EXAMPLE, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (auto _ : state) {
        ProjectData p{};
        if (!p.loadProjectBytes(bytes).ok)
            state.SkipWithError("the worked example does not load");
        benchmark::DoNotOptimize(p);
    }
}

}  // namespace

BENCHMARK(loadFromFile)->Name("load/file");
BENCHMARK(loadFromBytes)->Name("load/bytes");
