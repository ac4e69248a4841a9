#include "cli/report.h"

#include "cli/command_args.h"
#include "cli/details_json.h"
#include "cli/exit_codes.h"
#include "cli/result_output.h"
#include "cli/stability_output.h"
#include "cli/time_settlement_output.h"
#include "engine/code_ranges.h"
#include "model/display_rounding.h"
#include "model/file_reasons.h"
#include "model/input_faults.h"

#include <cmath>
#include <iostream>
#include <locale>
#include <sstream>

namespace {

std::string shownValue(double value, bool shown, const char* unit)
{
    if (!shown)
        return input_faults::kIncomplete;
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(15);
    text << round2(value) << unit;
    return text.str();
}

// The settlement line as the results block writes it: the label alone for
// an unknown criterion.
std::string settlementText(const ProjectReport& r)
{
    double settlement = 0;
    switch (r.stopCriterion) {
    case kStopDeformationRatio: settlement = r.settlementDeformationRatio; break;
    case kStopStressRatio02: settlement = r.settlementStressRatio02; break;
    case kStopStressRatio01: settlement = r.settlementStressRatio01; break;
    default: return {};
    }
    return shownValue(settlement, input_faults::isReportedSettlement(r.record, settlement), " mm");
}

// Written only for a record with cv or fak values, so that a file without
// them gives the output it always gave.
bool writeTimeSettlement(const ProjectReport& r, ResultOutput& out)
{
    const TimeSettlementOutputs& outputs = *r.timeSettlement;
    if (outputs.inputs.hasConsolidation()
        && !out.write(",\"consolidation\":"
                      + (outputs.consolidation ? consolidationJson(*outputs.consolidation).dump() : "null")))
        return false;
    return !outputs.checks || out.write(",\"underlyingLayerChecks\":" + underlyingChecksJson(*outputs.checks).dump());
}

// The factors outside the code's ranges and a capacity the pile body
// governs: {quantity, value, range, clause (null where not confirmed), text}.
nlohmann::ordered_json warningsJson(const std::vector<RangeWarning>& warnings)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const RangeWarning& w : warnings)
        list.push_back({{"quantity", w.quantity},
                        {"value", jsonNumber(w.value)},
                        {"range", w.range},
                        {"clause", w.clause.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(w.clause)},
                        {"text", w.text}});
    return list;
}

bool writeDetails(const ProjectReport& r, ResultOutput& out)
{
    if (!out.write(",\"capacityTerms\":" + capacityTermsJson(r.capacityTerms).dump()))
        return false;
    const std::pair<const char*, int> criteria[] = {{"deformationRatio", kStopDeformationRatio},
                                                    {"stressRatio02", kStopStressRatio02},
                                                    {"stressRatio01", kStopStressRatio01}};
    for (const auto& [name, criterion] : criteria) {
        const std::string opening = std::string(criterion == kStopDeformationRatio ? ",\"settlementDetails\":{" : ",")
                                    + "\"" + name + "\":";
        if (!out.write(opening) || !writeSettlementDetailsJson(settlementDetails(r.record, criterion), out))
            return false;
    }
    return out.write("}") && writeTimeSettlement(r, out)
           && out.write(",\"warnings\":" + warningsJson(rangeWarnings(r.record, r.capacityTerms)).dump());
}

}  // namespace

namespace {

double adoptedCompositeCapacity(const ProjectReport& r)
{
    return r.manualCapacity ? r.manualCompositeCapacity : r.compositeCapacity;
}

}  // namespace

ProjectReport reportProject(const std::string& file, const ReportOptions& options)
{
    ProjectReport r;
    r.file = file;
    ProjectData& p = r.record;
    r.status = p.loadProject(file);
    if (r.status.ok)
        if (std::string refusal = applySettings(options.settings, p.extension); !refusal.empty())
            r.status = {false, std::move(refusal)};
    // The extension block's values are read once and refused whatever output
    // was asked for.
    if (r.status.ok) {
        r.inputs = readExtensionInputs(p);
        if (!r.inputs.refusal().empty())
            r.status = {false, r.inputs.refusal()};
    }
    if (!r.status.ok)
        return r;
    p.deriveEquivalentDiameter();
    const DesignResults results = computeDesign(p);
    r.equivalentDiameter = results.equivalentDiameter;
    r.compositeCapacity = results.compositeCapacity;
    r.pileCapacity = results.pileCapacity;
    r.manualCapacity = p.manualCapacityFlag == 1;
    r.manualCompositeCapacity = results.manualCompositeCapacity;
    r.settlementDeformationRatio = results.settlementDeformationRatio;
    r.settlementStressRatio02 = results.settlementStressRatio02;
    r.settlementStressRatio01 = results.settlementStressRatio01;
    r.stopCriterion = p.stopCriterion;
    r.withDetails = options.withDetails;
    if (options.withDetails) {
        r.capacityTerms = capacityTerms(p);
        r.timeSettlement = timeSettlementOutputs(p, r.inputs);
    }
    r.surcharge = options.demands ? options.demands->surcharge : 0;
    const DesignDemands demands = options.demands.value_or(DesignDemands{});
    if (options.demands || projectAsksForChecks(r.inputs))
        r.checks = r.timeSettlement ? checkDesign(p, results, demands, r.inputs, *r.timeSettlement)
                                    : checkDesign(p, results, demands, r.inputs);
    return r;
}

std::string textReport(const ProjectReport& r)
{
    using input_faults::isReportedResult;
    const double adopted = adoptedCompositeCapacity(r);
    std::string composite = shownValue(adopted, isReportedResult(adopted), " kPa");
    if (r.manualCapacity)
        composite += "（采用手动输入的单桩承载力特征值 " + shownValue(r.record.manualPileCapacity, true, " kN")
                     + "；由计算的单桩承载力特征值得 "
                     + shownValue(r.compositeCapacity, isReportedResult(r.compositeCapacity), " kPa") + "，仅供对照）";
    return r.file + "\n"
           + "单桩承载力特征值：" + shownValue(r.pileCapacity, isReportedResult(r.pileCapacity), " kN") + "\n"
           + "复合地基承载力特征值：" + composite + "\n" + "沉降值：" + settlementText(r) + "\n";
}

bool writeJsonReport(const ProjectReport& r, ResultOutput& out)
{
    nlohmann::ordered_json j;
    j["file"] = r.file;
    j["ok"] = r.status.ok;
    if (!r.status.ok) {
        j["error"] = r.status.reason;
        return out.write(j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)) && out.endLine();
    }
    j["equivalentDiameter"] = jsonNumber(r.equivalentDiameter);
    j["pileCapacity"] = jsonNumber(r.pileCapacity);
    j["compositeCapacity"] = jsonNumber(r.compositeCapacity);
    j["manualCompositeCapacity"] =
        r.manualCapacity ? jsonNumber(r.manualCompositeCapacity) : nlohmann::json(nullptr);
    j["settlement"] = {{"deformationRatio", jsonNumber(r.settlementDeformationRatio)},
                       {"stressRatio02", jsonNumber(r.settlementStressRatio02)},
                       {"stressRatio01", jsonNumber(r.settlementStressRatio01)}};
    j["adoptedCompositeCapacity"] = jsonNumber(adoptedCompositeCapacity(r));
    j["stopCriterion"] = r.stopCriterion;
    // The keys are unique: taken in one go, without a search per key.
    const auto& entries = r.record.extension.entries();
    j["extension"] = nlohmann::ordered_json::object_t(entries.begin(), entries.end());
    const StabilityOutcome stability = r.checks ? r.checks->stability : stabilityOutcome(r.record, r.inputs, r.surcharge);
    if (stability.state != StabilityState::NotAsked)
        j["stability"] = stabilityJson(stability, r.withDetails);
    if (r.checks)
        j["assessment"] = assessmentJson(*r.checks);
    std::string text = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    text.pop_back();  // the closing brace, after the breakdown
    return out.write(text) && (!r.withDetails || writeDetails(r, out)) && out.write("}") && out.endLine();
}

int reportFiles(const std::vector<std::string>& files, bool json, const ReportOptions& options)
{
    int exitCode = kExitDone;
    ResultOutput out;
    for (const std::string& file : files) {
        const ProjectReport report = reportProject(file, options);
        if (!report.status.ok) {
            printFault(file, report.status.reason);
            exitCode = kExitUnreadable;
        }
        if (json)
            writeJsonReport(report, out);
        else if (report.status.ok)
            out.write(textReport(report)) && out.endLine();
        if (out.failed())
            return kExitUnreadable;
    }
    return exitCode;
}
