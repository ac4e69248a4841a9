#include "output/sweep_csv.h"

#include <charconv>
#include <cmath>

namespace {

constexpr const char* kResultColumns[] = {
    "equivalentDiameter", "pileCapacity",  "compositeCapacity", "manualCompositeCapacity",
    "deformationRatio",   "stressRatio02", "stressRatio01",     "bearingOk",
    "settlementOk"};

std::string checkText(const SweepPoint& point, std::optional<bool> ok)
{
    if (!point.valid() || !ok)
        return {};
    return *ok ? "true" : "false";
}

std::string keys(const std::vector<CheckKind>& kinds)
{
    std::string text;
    for (CheckKind kind : kinds)
        text += (text.empty() ? "" : " ") + std::string(checkKey(kind));
    return text;
}

}  // namespace

std::string shortestDecimal(double value)
{
    if (!std::isfinite(value))
        return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string sweepCsvHeader(std::span<const SweepAxis> axes, char separator)
{
    std::string line;
    for (const SweepAxis& axis : axes)
        line += std::string(axis.field->name) + separator;
    for (const char* column : kResultColumns)
        line += std::string(column) + separator;
    line.pop_back();
    return line;
}

std::string afterConstructionCsvHeader(char separator)
{
    return std::string(1, separator) + "postConstruction" + separator + "postConstructionOk" + separator
           + "underlyingOk";
}

std::string afterConstructionCsvRow(const SweepPoint& point, char separator)
{
    const bool measured = point.valid() && point.checks.postConstructionOk;
    return separator + (measured ? shortestDecimal(point.checks.postConstruction) : std::string()) + separator
           + checkText(point, point.checks.postConstructionOk) + separator
           + checkText(point, point.checks.underlyingOk);
}

std::string sweepCsvRow(const SweepPoint& point, char separator)
{
    std::string line;
    for (double value : point.values)
        line += shortestDecimal(value) + separator;
    const DesignResults& r = point.results;
    for (double value : {r.equivalentDiameter, r.pileCapacity, r.compositeCapacity,
                         r.manualCompositeCapacity, r.settlementDeformationRatio,
                         r.settlementStressRatio02, r.settlementStressRatio01})
        line += shortestDecimal(value) + separator;
    return line + checkText(point, point.checks.bearingOk) + separator
           + checkText(point, point.checks.settlementOk);
}

std::string verdictCsvHeader(char separator)
{
    return std::string(1, separator) + "failedChecks" + separator + "uncheckedChecks";
}

std::string verdictCsvRow(const SweepPoint& point, char separator)
{
    if (!point.valid())
        return std::string(2, separator);
    return separator + keys(point.checks.failedKinds()) + separator + keys(point.checks.uncheckedKinds());
}

std::string stabilityCsvHeader(char separator) { return std::string(1, separator) + "stabilityFactor"; }

std::string stabilityCsvRow(const SweepPoint& point, char separator)
{
    return separator + (point.valid() ? shortestDecimal(point.checks.stabilityFactor()) : std::string());
}
