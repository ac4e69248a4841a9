// Cost of a pile-length sweep that splits a soil profile at every point
// against the same calculations made on layers already typed: 100 lengths of
// the worked example's piles, with the capacity and all three settlement
// criteria at each point, should cost at most 1.2x the 100 direct
// calculations (the split is cheap).
#include "bench_projects.h"

#include "engine/sweep.h"
#include "model/soil_profile.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr SweepRange kPileLengths{5.0, 9.95, 0.05};

// The worked example's zones as one profile; its base strata have no side
// friction, so the piles stay above 10 m.
const SoilProfile kProfile = profileFromRecord(workedExample());

std::vector<ProjectData> typedRecords()
{
    std::vector<ProjectData> records;
    for (std::size_t i = 0; i < pointCount(kPileLengths); ++i) {
        ProjectData p = workedExample();
        p.pileLength = pointValue(kPileLengths, i);
        applyProfile(kProfile, p);
        records.push_back(p);
    }
    return records;
}

void directCalculations(benchmark::State& state)
{
    std::vector<ProjectData> records = typedRecords();
    for (auto _ : state) {
        for (ProjectData& p : records) {
            computeDirectly(p);
        }
    }
    state.counters["points"] = static_cast<double>(records.size());
}

void pileLengthSweep(benchmark::State& state)
{
    const Sweep sweep(workedExample(), {{findSweepField("pileLength", true).field, kPileLengths}},
                      {20.0, 100.0}, [](ProjectData& p) { return applyProfile(kProfile, p); });
    for (auto _ : state) {
        for (std::size_t i = 0; i < sweep.size(); ++i)
            benchmark::DoNotOptimize(sweep.point(i));
    }
    state.counters["points"] = static_cast<double>(sweep.size());
}

}  // namespace

BENCHMARK(directCalculations)->Name("profileSweep/direct100")->Unit(benchmark::kMillisecond);
BENCHMARK(pileLengthSweep)->Name("profileSweep/pileLength100")->Unit(benchmark::kMillisecond);
