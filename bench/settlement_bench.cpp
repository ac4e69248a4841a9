// Cost of the settlement by layered summation against the cost of its stress
// coefficient evaluations alone, on the worked embankment example: the
// summation around the evaluations should add at most a quarter. Also the
// full breakdown of all three criteria, as the details windows and the
// calculation report ask for it.
#include "bench_projects.h"

#include "engine/breakdown.h"
#include "engine/layered_settlement.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace {

const ProjectData kProject = workedExample();

using Criterion = std::function<double(const ProjectData&, const std::function<double(double)>&)>;

const Criterion kDeformationRatio = [](const ProjectData& p, const auto& stress) {
    return layered_settlement::byDeformationRatio(p, stress);
};
const Criterion kStressRatio02 = [](const ProjectData& p, const auto& stress) {
    return layered_settlement::byStressRatio(p, 0.2, stress);
};
const Criterion kStressRatio01 = [](const ProjectData& p, const auto& stress) {
    return layered_settlement::byStressRatio(p, 0.1, stress);
};

std::vector<double> depthsEvaluatedBy(const Criterion& criterion)
{
    std::vector<double> depths;
    criterion(kProject, [&](double z) {
        depths.push_back(z);
        return kProject.embankmentStressFactor(z);
    });
    return depths;
}

void stressOnly(benchmark::State& state, const Criterion& criterion)
{
    const std::vector<double> depths = depthsEvaluatedBy(criterion);
    for (auto _ : state) {
        double sum = 0;
        for (double z : depths)
            sum += kProject.embankmentStressFactor(z);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["evaluations"] = static_cast<double>(depths.size());
}

void settlementDeformationRatio(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(kProject.settlementByDeformationRatio());
}

void settlementStressRatio(benchmark::State& state, double ratio)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(kProject.settlementByStressRatio(ratio));
}

void detailsOfAllCriteria(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(capacityTerms(kProject));
        for (int criterion : {kStopDeformationRatio, kStopStressRatio02, kStopStressRatio01})
            benchmark::DoNotOptimize(settlementDetails(kProject, criterion));
    }
}

}  // namespace

BENCHMARK(settlementDeformationRatio)->Name("settlement/deformationRatio");
BENCHMARK_CAPTURE(stressOnly, deformationRatio, kDeformationRatio)->Name("stressOnly/deformationRatio");
BENCHMARK_CAPTURE(settlementStressRatio, stressRatio02, 0.2)->Name("settlement/stressRatio02");
BENCHMARK_CAPTURE(stressOnly, stressRatio02, kStressRatio02)->Name("stressOnly/stressRatio02");
BENCHMARK_CAPTURE(settlementStressRatio, stressRatio01, 0.1)->Name("settlement/stressRatio01");
BENCHMARK_CAPTURE(stressOnly, stressRatio01, kStressRatio01)->Name("stressOnly/stressRatio01");

BENCHMARK(detailsOfAllCriteria)->Name("details/allCriteria");

BENCHMARK_MAIN();
