#include "bench_projects.h"

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
