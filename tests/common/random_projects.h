// Random variations of the worked example with demands, for the tests that
// hold every output to one assessment: checks that hold, fail or cannot be
// made after construction, under the tips and against sliding, and values
// of the extension block that are refused.
#pragma once

#include "engine/design_check.h"
#include "model/project_data.h"

#include <random>
#include <string>

struct RandomAssessedProject {
    ProjectData project;  // de not derived
    DesignDemands demands;
    std::string options;  // the demands as orvane-cli options
};

RandomAssessedProject randomAssessedProject(std::mt19937& random);
