// The calculation reports as PDF, of one project file and of a road's
// sections, for the command-line calculator: exit code 0 when written, 1
// when the report could not be written, 2 when this build has no report.
#pragma once

#include "cli/sections_command.h"
#include "engine/design_check.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct PdfReportInput {
    ProjectData project;  // as read, with de derived and the --set values applied
    std::string file;     // the project file as named on the command line
    std::string fileBytes;  // as computed: with the --set values, in the saved form
    std::vector<std::string> settings;  // the --set values, KEY=VALUE
    std::optional<DesignDemands> demands;
    bool sliceAppendix = false;
};

int writePdfReport(const std::string& target, const PdfReportInput& input);

int writeRoadPdfReport(const std::string& target, const RoadReportInput& input);
