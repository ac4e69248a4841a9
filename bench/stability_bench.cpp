// Cost of the embankment's stability: the least factor of both sides of the
// worked example's section, its shaft crossed by a weak layer, with the
// composite strength of the reinforced zone (goal: under 0.2 s on one core);
// and the bundled road's 31 sections with their stability (goal: under 5 s),
// each section the worked example's layers with the table's fill and
// embankment (the table's borehole profiles hold no strengths).
#include "bench_projects.h"

#include "engine/sections.h"
#include "engine/stability.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

ProjectData withStrengths()
{
    ProjectData p = workedExample();
    for (const auto& [key, value] : {std::pair{"c.head", "15"}, {"phi.head", "10"}, {"c.shaft", "6,20"},
                                     {"phi.shaft", "3,12"}, {"c.base", "30,35,40"}, {"phi.base", "18,20,22"},
                                     {"c.fill", "15"}, {"phi.fill", "28"}, {"pileShear", "120"},
                                     {"stabilityRequired", "1.3"}})
        p.extension.set(key, value);
    return p;
}

void workedExampleBothSides(benchmark::State& state)
{
    const ProjectData p = withStrengths();
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

// The bundled road's sections without their profiles, and so without the
// values that cut the layer tables (H and L).
std::vector<Section> bundledRoadOnTheBaseLayers()
{
    SectionTableRead read = loadSectionTable(ORVANE_ROAD_SECTIONS);
    if (!read.ok()) {
        std::fprintf(stderr, "%s: %s\n", ORVANE_ROAD_SECTIONS, read.errors.front().c_str());
        std::exit(1);
    }
    for (Section& s : read.sections) {
        s.profile.reset();
        s.profileFile.clear();
        std::erase_if(s.values, [](const SectionValue& v) { return v.field->cutsLayerTables; });
    }
    return read.sections;
}

void bundledRoadWithStability(benchmark::State& state)
{
    const ProjectData base = withStrengths();
    const std::vector<Section> sections = bundledRoadOnTheBaseLayers();
    for (auto _ : state) {
        const std::vector<SweepPoint> points = computeSections(base, sections, {20.0, 150.0});
        if (!governingSections(points).stability) {
            state.SkipWithError("no section's stability was computed");
            break;
        }
    }
    state.counters["sections"] = static_cast<double>(sections.size());
}

}  // namespace

BENCHMARK(workedExampleBothSides)->Name("stability/workedExampleBothSides")->Unit(benchmark::kMillisecond);
BENCHMARK(bundledRoadWithStability)->Name("stability/bundledRoad")->Unit(benchmark::kMillisecond)->UseRealTime();
