// What the command-line calculator reports of one project file.
#pragma once

#include "cli/extension_settings.h"
#include "engine/breakdown.h"
#include "engine/design_check.h"
#include "engine/time_settlement.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

class ResultOutput;

struct ProjectReport {
    std::string file;
    FileStatus status;
    ProjectData record{};  // as loaded, de derived
    ExtensionInputs inputs;  // its extension block, read once after the --set values
    double equivalentDiameter = 0;
    double pileCapacity = 0;             // kN
    double compositeCapacity = 0;        // kPa
    bool manualCapacity = false;
    double manualCompositeCapacity = 0;  // kPa, with the typed Ra
    double settlementDeformationRatio = 0;  // mm
    double settlementStressRatio02 = 0;     // mm
    double settlementStressRatio01 = 0;     // mm
    int stopCriterion = 0;
    // With the breakdown: the capacity terms here, each criterion's slices
    // computed as they are written.
    bool withDetails = false;
    CapacityTerms capacityTerms;
    // With the breakdown: the settlement against time and the checks under
    // the tips, computed once for the breakdown and the assessment.
    std::optional<TimeSettlementOutputs> timeSettlement;
    // The assessment, made when the command line or the project asks for a
    // check.
    std::optional<DesignChecks> checks;
    double surcharge = 0;  // q (kPa) of the demands, on the crest in the stability
};

// What a report of project files is asked for: the breakdown, the --set
// values, the demands typed on the command line.
struct ReportOptions {
    bool withDetails = false;
    std::vector<Setting> settings;
    std::optional<DesignDemands> demands;
};

// Loads the file into a fresh record, sets the --set values in its extension
// (a refused key or a refused value of the extension block fails the file
// with the refusal), derives de from its layout as a form's apply step does,
// and runs every calculation, with the breakdown of each when withDetails is
// set; assessed when the options or the project's extension block demand a
// check (q = 0 when only the project does).
ProjectReport reportProject(const std::string& file, const ReportOptions& options = {});

// Capacities and the settlement under the file's criterion, rounded as the
// forms show them, with the labels and the rules of the results block; the
// composite capacity is the adopted one: with a typed Ra, fspk from it, and
// the line says so and gives the value from the computed Ra beside it.
std::string textReport(const ProjectReport& report);
// One JSON object on one line; values that are not finite are null. The
// extension block's values follow as the object "extension" ({} when there
// are none), then "stability" when the file asks for it (under the demands' q); with
// the breakdown, the keys capacityTerms and settlementDetails, written slice
// by slice, then consolidation (with cv values) and underlyingLayerChecks
// (with fak values); "adoptedCompositeCapacity" names the fspk the checks
// use; "assessment" when assessed. False when the output failed.
bool writeJsonReport(const ProjectReport& report, ResultOutput& out);

// Reports every file as text or JSON lines, with the --set values in each
// file's extension: exit code 0, or 1 when a file could not be read or the
// output could not be written (which ends it).
int reportFiles(const std::vector<std::string>& files, bool json, const ReportOptions& options);
