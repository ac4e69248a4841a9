#include "cli/report.h"

#include "cli/details_json.h"
#include "model/display_rounding.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace {

std::string shownValue(double value, const char* unit)
{
    if (!std::isfinite(value))
        return "（未全部输入正确的参数）";
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text.precision(15);
    text << round2(value) << unit;
    return text.str();
}

double settlementUnder(const ProjectReport& r)
{
    switch (r.stopCriterion) {
    case kStopDeformationRatio: return r.settlementDeformationRatio;
    case kStopStressRatio02: return r.settlementStressRatio02;
    case kStopStressRatio01: return r.settlementStressRatio01;
    default: return std::nan("");
    }
}

}  // namespace

ProjectReport reportProject(const std::string& file, bool withDetails, const std::vector<Setting>& settings)
{
    ProjectReport r;
    r.file = file;
    ProjectData p{};
    r.status = p.loadProject(file);
    if (r.status.ok)
        if (std::string refusal = applySettings(settings, p.extension); !refusal.empty())
            r.status = {false, std::move(refusal)};
    if (!r.status.ok)
        return r;
    r.extension = p.extension;
    p.deriveEquivalentDiameter();
    r.equivalentDiameter = p.equivalentDiameter;
    r.compositeCapacity = p.computeCapacity();
    r.pileCapacity = p.pileCapacity;
    r.manualCapacity = p.manualCapacityFlag != 0;
    r.manualCompositeCapacity = p.computeCapacityManual();
    r.settlementDeformationRatio = p.settlementByDeformationRatio();
    r.settlementStressRatio02 = p.settlementByStressRatio(0.2);
    r.settlementStressRatio01 = p.settlementByStressRatio(0.1);
    r.stopCriterion = p.stopCriterion;
    r.withDetails = withDetails;
    if (withDetails) {
        r.capacityTerms = capacityTerms(p);
        r.deformationRatioDetails = settlementDetails(p, kStopDeformationRatio);
        r.stressRatio02Details = settlementDetails(p, kStopStressRatio02);
        r.stressRatio01Details = settlementDetails(p, kStopStressRatio01);
    }
    return r;
}

std::string textReport(const ProjectReport& r)
{
    return r.file + "\n"
           + "单桩承载力特征值：" + shownValue(r.pileCapacity, " kN") + "\n"
           + "复合地基承载力特征值：" + shownValue(r.compositeCapacity, " kPa") + "\n"
           + "沉降值：" + shownValue(settlementUnder(r), " mm") + "\n";
}

std::string jsonReport(const ProjectReport& r)
{
    nlohmann::ordered_json j;
    j["file"] = r.file;
    j["ok"] = r.status.ok;
    if (!r.status.ok) {
        j["error"] = r.status.reason;
        return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
    j["equivalentDiameter"] = jsonNumber(r.equivalentDiameter);
    j["pileCapacity"] = jsonNumber(r.pileCapacity);
    j["compositeCapacity"] = jsonNumber(r.compositeCapacity);
    j["manualCompositeCapacity"] =
        r.manualCapacity ? jsonNumber(r.manualCompositeCapacity) : nlohmann::json(nullptr);
    j["settlement"] = {{"deformationRatio", jsonNumber(r.settlementDeformationRatio)},
                       {"stressRatio02", jsonNumber(r.settlementStressRatio02)},
                       {"stressRatio01", jsonNumber(r.settlementStressRatio01)}};
    j["stopCriterion"] = r.stopCriterion;
    // The keys are unique: taken in one go, without a search per key.
    const auto& entries = r.extension.entries();
    j["extension"] = nlohmann::ordered_json::object_t(entries.begin(), entries.end());
    if (r.withDetails) {
        j["capacityTerms"] = capacityTermsJson(r.capacityTerms);
        j["settlementDetails"] = {{"deformationRatio", settlementDetailsJson(r.deformationRatioDetails)},
                                  {"stressRatio02", settlementDetailsJson(r.stressRatio02Details)},
                                  {"stressRatio01", settlementDetailsJson(r.stressRatio01Details)}};
    }
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
