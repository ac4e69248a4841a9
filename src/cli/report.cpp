#include "cli/report.h"

#include "model/display_rounding.h"

#include <nlohmann/json.hpp>

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

nlohmann::json number(double value)
{
    return std::isfinite(value) ? nlohmann::json(value) : nlohmann::json(nullptr);
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

ProjectReport reportProject(const std::string& file)
{
    ProjectReport r;
    r.file = file;
    ProjectData p{};
    r.status = p.loadProject(file);
    if (!r.status.ok)
        return r;
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
    j["equivalentDiameter"] = number(r.equivalentDiameter);
    j["pileCapacity"] = number(r.pileCapacity);
    j["compositeCapacity"] = number(r.compositeCapacity);
    j["manualCompositeCapacity"] =
        r.manualCapacity ? number(r.manualCompositeCapacity) : nlohmann::json(nullptr);
    j["settlement"] = {{"deformationRatio", number(r.settlementDeformationRatio)},
                       {"stressRatio02", number(r.settlementStressRatio02)},
                       {"stressRatio01", number(r.settlementStressRatio01)}};
    j["stopCriterion"] = r.stopCriterion;
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

FileStatus resaveProject(const std::string& file, const std::string& target, const std::tm& saveTime)
{
    ProjectData p{};
    if (FileStatus loaded = p.loadProject(file); !loaded.ok)
        return loaded;
    p.deriveEquivalentDiameter();
    return p.saveProject(target, saveTime);
}
