// orvane-cli --sections: every cross-section of a road's section table
// computed on the base project, checked against the demands, the governing
// section of each check marked; with --sweep and --best the best passing
// value per section and the stretches that share one design.
#pragma once

#include "engine/design_check.h"
#include "engine/sweep.h"
#include "model/project_data.h"
#include "model/section_table.h"

#include <functional>
#include <string>
#include <vector>

// What the road's calculation report is made from: the files as read and the
// sections as computed.
struct RoadReportInput {
    const ProjectData& base;
    std::string baseFile;  // as named on the command line
    std::string baseBytes;
    std::string tableFile;
    std::string tableBytes;
    const std::vector<Section>& sections;
    const std::vector<SweepPoint>& points;
    const DesignDemands& demands;
};
// Writes the report to the target: exit code 0 when written, 1 when it could
// not be (the reason on standard error), 2 when this build has no report.
using RoadReportWriter = std::function<int(const std::string& target, const RoadReportInput& input)>;

// Runs it, printing to standard output. Exit code 0, 1 when a file cannot be
// read or the output written, 2 with the usage on standard error when the
// arguments are wrong or the work would be too much.
int runSectionsCommand(const std::vector<std::string>& args, const RoadReportWriter& writeReport);
