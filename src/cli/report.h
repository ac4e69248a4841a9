// What the command-line calculator reports of one project file.
#pragma once

#include "cli/extension_settings.h"
#include "engine/breakdown.h"
#include "model/project_data.h"

#include <string>
#include <vector>

struct ProjectReport {
    std::string file;
    FileStatus status;
    double equivalentDiameter = 0;
    double pileCapacity = 0;             // kN
    double compositeCapacity = 0;        // kPa
    bool manualCapacity = false;
    double manualCompositeCapacity = 0;  // kPa, with the typed Ra
    double settlementDeformationRatio = 0;  // mm
    double settlementStressRatio02 = 0;     // mm
    double settlementStressRatio01 = 0;     // mm
    int stopCriterion = 0;
    ProjectExtension extension;  // with the --set values
    // Filled when the breakdown was asked for.
    bool withDetails = false;
    CapacityTerms capacityTerms;
    SettlementDetails deformationRatioDetails;
    SettlementDetails stressRatio02Details;
    SettlementDetails stressRatio01Details;
};

// Loads the file into a fresh record, sets the --set values in its extension
// (a refused key fails the file with the refusal), derives de from its layout
// as a form's apply step does, and runs every calculation, with the
// breakdown of each when withDetails is set.
ProjectReport reportProject(const std::string& file, bool withDetails = false,
                            const std::vector<Setting>& settings = {});

// Capacities and the settlement under the file's criterion, rounded as the
// forms show them, with the labels of the results block.
std::string textReport(const ProjectReport& report);
// One JSON object on one line; values that are not finite are null. The
// extension block's values follow as the object "extension" ({} when there
// are none); with the breakdown, the keys capacityTerms and settlementDetails.
std::string jsonReport(const ProjectReport& report);
