// Cost of the settlement by layered summation against the cost of its stress
// coefficient evaluations alone, on the worked embankment example: the
// summation around the evaluations should add at most a quarter.
#include "engine/layered_settlement.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <vector>

namespace {

ProjectData workedExample()
{
    ProjectData p{};
    p.headDiameter = 1.0;
    p.shaftDiameter = 0.5;
    p.headLength = 2.0;
    p.pileLength = 10.0;
    p.equivalentDiameter = 2.26;
    p.embankmentTopWidth = 10.0;
    p.embankmentHeight = 3.0;
    p.slopeM = 1.5;
    p.slopeN = 1.5;
    p.fillUnitWeight = 19.0;
    p.headPileModulus = 150.0;
    p.shaftPileModulus = 120.0;
    p.headLayerCount = 1;
    p.headThickness[1] = 2.0;
    p.headSoilModulus[1] = 3.0;
    p.headUnitWeight[1] = 18.0;
    p.shaftLayerCount = 2;
    p.shaftThickness = {0, 4.0, 4.0};
    p.shaftSoilModulus = {0, 4.0, 6.0};
    p.shaftUnitWeight = {0, 18.5, 19.0};
    p.baseLayerCount = 3;
    p.baseThickness = {0, 3.0, 5.0, 1000.0};
    p.baseSoilModulus = {0, 8.0, 10.0, 15.0};
    p.baseUnitWeight = {0, 19.0, 19.5, 20.0};
    return p;
}

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

}  // namespace

BENCHMARK(settlementDeformationRatio)->Name("settlement/deformationRatio");
BENCHMARK_CAPTURE(stressOnly, deformationRatio, kDeformationRatio)->Name("stressOnly/deformationRatio");
BENCHMARK_CAPTURE(settlementStressRatio, stressRatio02, 0.2)->Name("settlement/stressRatio02");
BENCHMARK_CAPTURE(stressOnly, stressRatio02, kStressRatio02)->Name("stressOnly/stressRatio02");
BENCHMARK_CAPTURE(settlementStressRatio, stressRatio01, 0.1)->Name("settlement/stressRatio01");
BENCHMARK_CAPTURE(stressOnly, stressRatio01, kStressRatio01)->Name("stressOnly/stressRatio01");

BENCHMARK_MAIN();
