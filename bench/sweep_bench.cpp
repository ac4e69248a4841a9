// Cost of a design sweep against the same calculations made one by one: a
// 1,000-point square-spacing sweep of the worked example, with the capacity
// and all three settlement criteria at each point, should cost at most 1.05x
// the 1,000 direct calculations.
#include "bench_projects.h"

#include "engine/sweep.h"

#include <benchmark/benchmark.h>

namespace {

constexpr SweepRange kSpacings{1.5, 2.499, 0.001};

void directCalculations(benchmark::State& state)
{
    ProjectData p = workedExample();
    const std::size_t count = pointCount(kSpacings);
    for (auto _ : state) {
        for (std::size_t i = 0; i < count; ++i) {
            p.spacingSquare = pointValue(kSpacings, i);
            computeDirectly(p);
        }
    }
    state.counters["points"] = static_cast<double>(count);
}

void spacingSweep(benchmark::State& state)
{
    const Sweep sweep(workedExample(), {{findSweepField("spacingSquare").field, kSpacings}}, {20.0, 100.0});
    for (auto _ : state) {
        for (std::size_t i = 0; i < sweep.size(); ++i)
            benchmark::DoNotOptimize(sweep.point(i));
    }
    state.counters["points"] = static_cast<double>(sweep.size());
}

}  // namespace

BENCHMARK(directCalculations)->Name("sweep/direct1000")->Unit(benchmark::kMillisecond);
BENCHMARK(spacingSweep)->Name("sweep/spacing1000")->Unit(benchmark::kMillisecond);
