// The project every benchmark runs on: the bundled worked example, loaded
// and with de derived from its layout as a form would. Ends the benchmark
// when the file cannot be read.
#pragma once

#include "model/project_data.h"

ProjectData workedExample();

// Derives de and computes what the forms compute: both capacities and the
// settlement under all three criteria, none of it optimised away.
void computeDirectly(ProjectData& p);
