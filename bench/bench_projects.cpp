#include "bench_projects.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

ProjectData workedExample()
{
    ProjectData p{};
    const FileStatus status = p.loadProject(ORVANE_WORKED_EXAMPLE);
    if (!status.ok) {
        std::fprintf(stderr, "%s: %s\n", ORVANE_WORKED_EXAMPLE, status.reason.c_str());
        std::exit(1);
    }
    p.deriveEquivalentDiameter();
    return p;
}

void computeDirectly(ProjectData& p)
{
    p.deriveEquivalentDiameter();
    benchmark::DoNotOptimize(p.computeCapacity());
    benchmark::DoNotOptimize(p.computeCapacityManual());
    benchmark::DoNotOptimize(p.settlementByDeformationRatio());
    benchmark::DoNotOptimize(p.settlementByStressRatio(0.2));
    benchmark::DoNotOptimize(p.settlementByStressRatio(0.1));
}
