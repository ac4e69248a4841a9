// The "验算" section of the calculation report: the bearing check
// fspk >= p0 + q and, when an allowable settlement is given, the settlement
// check under the project's criterion, with the numbers put in.
#pragma once

#include "engine/design_check.h"
#include "report/calculation_report.h"

// The project's de must be derived from its layout.
ReportSection designChecksSection(const ProjectData& project, const DesignDemands& demands);
