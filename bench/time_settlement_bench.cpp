// Cost of the settlement against time: the whole curve of the worked example
// (cv in every layer, filled over 90 days, paved on day 180) at the report
// days, goal under 20 ms; and a 1,000-point square-spacing sweep with the
// post-construction demand, goal under 5 s.
#include "bench_projects.h"

#include "engine/sweep.h"
#include "engine/time_settlement.h"

#include <benchmark/benchmark.h>

namespace {

ProjectData withTimeInputs()
{
    ProjectData p = workedExample();
    p.extension.set("cv.head", "2");
    p.extension.set("cv.shaft", "2,3");
    p.extension.set("cv.base", "1.5,4,6");
    p.extension.set("fill", "0:0,90:3");
    p.extension.set("pavementDay", "180");
    return p;
}

void workedExampleCurve(benchmark::State& state)
{
    const ProjectData p = withTimeInputs();
    TimeSettlementInputs in;
    if (!readTimeSettlementInputs(p, in).empty())
        state.SkipWithError("the inputs are refused");
    std::size_t cells = 0;
    for (auto _ : state) {
        const SettlementDetails details = settlementDetails(p, p.stopCriterion);
        benchmark::DoNotOptimize(timeSettlement(p, details, in, reportDays(in)));
        cells = details.slices.size();
    }
    state.counters["slices"] = static_cast<double>(cells);
}

void spacingSweepAfterConstruction(benchmark::State& state)
{
    const Sweep sweep(withTimeInputs(), {{findSweepField("spacingSquare").field, {1.5, 2.499, 0.001}}},
                      {20.0, 100.0, 200.0});
    for (auto _ : state) {
        for (std::size_t i = 0; i < sweep.size(); ++i)
            benchmark::DoNotOptimize(sweep.point(i));
    }
    state.counters["points"] = static_cast<double>(sweep.size());
}

}  // namespace

BENCHMARK(workedExampleCurve)->Name("timeSettlement/workedExampleCurve")->Unit(benchmark::kMillisecond);
BENCHMARK(spacingSweepAfterConstruction)
    ->Name("timeSettlement/spacingSweep1000")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
