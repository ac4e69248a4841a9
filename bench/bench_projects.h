// The project every benchmark runs on: the bundled worked example, loaded
// and with de derived from its layout as a form would. Ends the benchmark
// when the file cannot be read.
#pragma once

#include "model/project_data.h"

ProjectData workedExample();
