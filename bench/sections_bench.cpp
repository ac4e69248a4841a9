// A whole road at once: 500 cross-sections, each with its own borehole
// profile split at its piles, computed with the capacity and all three
// settlement criteria and checked (goal: under 2 s on two cores); and the
// same road with a 100-point spacing sweep per section for the widest
// passing spacing (goal: under 10 s). Wall-clock time, as the sections run
// on every core.
#include "bench_projects.h"

#include "engine/sections.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr std::size_t kSections = 500;
const DesignDemands kDemands{20.0, 150.0};

// Each section a profile of its own: the worked example's strata, the
// upper ones a little softer or firmer along the road.
std::vector<Section> road()
{
    std::vector<Section> sections;
    const SoilProfile typed = profileFromRecord(workedExample());
    for (std::size_t i = 0; i < kSections; ++i) {
        SoilProfile profile = typed;
        profile.front().soilModulus *= 0.8 + 0.01 * static_cast<double>(i % 40);
        Section s;
        s.station = "K" + std::to_string(i / 50) + "+" + std::to_string(i % 50 * 20);
        s.chainage = 20.0 * static_cast<double>(i);
        s.values = {{findSweepField("embankmentHeight").field, 2.0 + 0.1 * static_cast<double>(i % 30)},
                    {findSweepField("embankmentTopWidth").field, 10.0 + static_cast<double>(i % 4)}};
        s.profile = ProfileSplitter(profile);
        sections.push_back(s);
    }
    return sections;
}

void allSections(benchmark::State& state)
{
    const ProjectData base = workedExample();
    const std::vector<Section> sections = road();
    for (auto _ : state)
        benchmark::DoNotOptimize(computeSections(base, sections, kDemands));
    state.counters["sections"] = static_cast<double>(sections.size());
}

void bestSpacingPerSection(benchmark::State& state)
{
    const ProjectData base = workedExample();
    const std::vector<Section> sections = road();
    const SweepAxis spacing{findSweepField("spacingSquare").field, {1.5, 2.49, 0.01}};
    const PointMeasure measure = *findPointMeasure("spacingSquare", {&spacing, 1});
    for (auto _ : state)
        benchmark::DoNotOptimize(bestPerSection(base, sections, kDemands, spacing, measure, true));
    state.counters["points"] = static_cast<double>(sections.size() * pointCount(spacing.range));
}

}  // namespace

BENCHMARK(allSections)->Name("sections/500withProfiles")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(bestSpacingPerSection)->Name("sections/500best100")->Unit(benchmark::kMillisecond)->UseRealTime();
