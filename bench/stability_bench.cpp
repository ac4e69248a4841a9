// Cost of the embankment's stability: the least factor of both sides of the
// worked example's section, its shaft crossed by a weak layer, with the
// composite strength of the reinforced zone (goal: under 0.2 s on one core).
#include "bench_projects.h"

#include "engine/stability.h"

#include <benchmark/benchmark.h>

#include <utility>

namespace {

void workedExampleBothSides(benchmark::State& state)
{
    ProjectData p = workedExample();
    for (const auto& [key, value] : {std::pair{"c.head", "15"}, {"phi.head", "10"}, {"c.shaft", "6,20"},
                                     {"phi.shaft", "3,12"}, {"c.base", "30,35,40"}, {"phi.base", "18,20,22"},
                                     {"c.fill", "15"}, {"phi.fill", "28"}, {"pileShear", "120"}})
        p.extension.set(key, value);
    long circles = 0;
    for (auto _ : state) {
        const StabilityOutcome outcome = stabilityOutcome(p, 20);
        if (!outcome.result) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
        circles = outcome.result->circlesTried;
        benchmark::DoNotOptimize(outcome.result->factor);
    }
    state.counters["circles"] = static_cast<double>(circles);
}

}  // namespace

BENCHMARK(workedExampleBothSides)->Name("stability/workedExampleBothSides")->Unit(benchmark::kMillisecond);
