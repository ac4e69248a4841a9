#include "cli/sweep_command.h"

#include "cli/command_args.h"
#include "cli/command_table.h"
#include "cli/details_json.h"
#include "cli/exit_codes.h"
#include "cli/result_output.h"
#include "cli/stability_output.h"
#include "engine/stability.h"
#include "engine/sweep.h"
#include "output/sweep_csv.h"
#include "engine/time_settlement.h"
#include "model/file_reasons.h"
#include "model/soil_profile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

struct SweepRequest {
    std::vector<SweepAxis> axes;
    DesignDemands demands;
    bool json = false;
    std::string bestName;
    bool bestLargest = true;
    std::string file;
    std::string profileFile;
    // The demands after construction are made (given here or in the file):
    // their columns are written.
    bool afterConstruction = false;
    // The points give strengths or a required factor: the stability's
    // column is written.
    bool stability = false;
};

std::optional<double> parseNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string parseDemand(const std::string& option, std::string_view text, SweepRequest& request)
{
    const auto value = parseNumber(text);
    if (!value)
        return option + " takes a number";
    if (option == "--surcharge")
        request.demands.surcharge = *value;
    else if (option == "--allowable-post-construction")
        request.demands.allowablePostConstruction = *value;
    else
        request.demands.allowableSettlement = *value;
    return demandsFault(request.demands).empty() ? std::string() : option + " is out of range";
}

std::string parseRequest(const std::vector<std::string>& args, SweepRequest& request)
{
    ParsedArguments parsed;
    if (std::string fault = parseArguments(sweepCommand(), args, parsed); !fault.empty())
        return fault;
    const bool withProfile = hasArgument(args, "--profile");
    for (const ParsedOption& option : parsed.options) {
        const std::string& arg = option.name();
        std::string fault;
        if (arg == "--sweep") {
            request.axes.emplace_back();
            fault = parseAxis(option.value, withProfile, request.axes.back());
        } else if (arg == "--surcharge" || arg == "--allowable-settlement"
                   || arg == "--allowable-post-construction") {
            fault = parseDemand(arg, option.value, request);
        } else if (arg == "--best") {
            fault = parseBestOption(option.value, request.bestName, request.bestLargest);
        } else if (arg == "--profile") {
            request.profileFile = option.value;
        } else if (arg == "--json") {
            request.json = true;
        }
        if (!fault.empty())
            return fault;
    }
    if (parsed.operands.size() > 1)
        return sweepCommand().strayArgument + parsed.operands[1];
    if (!parsed.operands.empty())
        request.file = parsed.operands.front();
    if (request.axes.size() > 2)
        return "at most two fields can be swept";
    if (request.axes.size() == 2 && request.axes[0].field == request.axes[1].field)
        return std::string(request.axes[0].field->name) + " is swept twice";
    if (request.file.empty())
        return "a sweep needs one project file";
    return rangeFaultText(gridFault(request.axes));
}

nlohmann::ordered_json jsonNumber(double value)
{
    return std::isfinite(value) ? nlohmann::ordered_json(value) : nlohmann::ordered_json(nullptr);
}

std::string jsonPoint(const std::vector<SweepAxis>& axes, const SweepPoint& point, bool afterConstruction)
{
    nlohmann::ordered_json j;
    for (std::size_t i = 0; i < axes.size(); ++i)
        j[axes[i].field->name] = jsonNumber(point.values[i]);
    addResultsJson(point.results, j);
    j["adoptedCompositeCapacity"] = adoptedCapacityJson(point);
    j["bearingOk"] = checkJson(point, point.checks.bearingOk);
    j["settlementOk"] = checkJson(point, point.checks.settlementOk);
    if (afterConstruction) {
        j["postConstruction"] = point.checks.postConstructionOk ? jsonNumber(point.checks.postConstruction)
                                                                : nlohmann::ordered_json(nullptr);
        j["postConstructionOk"] = checkJson(point, point.checks.postConstructionOk);
        j["underlyingOk"] = checkJson(point, point.checks.underlyingOk);
    }
    if (point.valid())
        j["assessment"] = assessmentJson(point.checks);
    if (point.valid() && point.checks.stability.state != StabilityState::NotAsked)
        j["stability"] = stabilityJson(point.checks.stability, false);
    j["valid"] = point.valid();
    j["reason"] = point.valid() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(point.fault);
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string pointLabel(const std::vector<SweepAxis>& axes, const SweepPoint& point)
{
    std::string label;
    for (std::size_t i = 0; i < axes.size(); ++i)
        label += (i ? " " : "") + std::string(axes[i].field->name) + "=" + shortestDecimal(point.values[i]);
    return label;
}

class PointPrinter {
public:
    explicit PointPrinter(const SweepRequest& request) : request_(request) {}

    // False once the output failed.
    bool print(const SweepPoint& point)
    {
        if (request_.json)
            return out_.write(jsonPoint(request_.axes, point, request_.afterConstruction)) && out_.endLine();
        if (!headerPrinted_) {
            headerPrinted_ = true;
            if (!out_.write(sweepCsvHeader(request_.axes, ',')) || !out_.write(afterConstructionHeader())
                || !out_.write(verdictCsvHeader(','))
                || !out_.write(request_.stability ? stabilityCsvHeader(',') : std::string()) || !out_.endLine())
                return false;
        }
        if (!out_.write(sweepCsvRow(point, ',')) || !out_.write(afterConstructionRow(point))
            || !out_.write(verdictCsvRow(point, ','))
            || !out_.write(request_.stability ? stabilityCsvRow(point, ',') : std::string()) || !out_.endLine())
            return false;
        if (!point.valid())
            printFault(pointLabel(request_.axes, point), point.fault);
        return true;
    }
    bool printLine(std::string_view text) { return out_.write(text) && out_.endLine(); }

private:
    std::string afterConstructionHeader() const
    {
        return request_.afterConstruction ? afterConstructionCsvHeader(',') : std::string();
    }
    std::string afterConstructionRow(const SweepPoint& point) const
    {
        return request_.afterConstruction ? afterConstructionCsvRow(point, ',') : std::string();
    }

    const SweepRequest& request_;
    ResultOutput out_;
    bool headerPrinted_ = false;
};

int printBest(const Sweep& sweep, const SweepRequest& request, PointMeasure measure)
{
    BestPoint best(std::move(measure), request.bestLargest);
    for (std::size_t i = 0; i < sweep.size(); ++i)
        best.offer(sweep.point(i), i);
    PointPrinter printer(request);
    if (!best.best())
        return printer.printLine(request.json ? "null" : "No point passes every check.") ? kExitDone : kExitUnreadable;
    return printer.print(*best.best()) ? kExitDone : kExitUnreadable;
}

// The preparation of each point that replaces its layers by the profile split
// at the point's H and L; false, with the reason on standard error, when the
// profile cannot be read or could be split at no point at all. The profile
// is checked and measured once, not at every point.
bool loadProfileSplit(const std::string& file, Sweep::PreparePoint& prepare)
{
    const ProfileRead read = loadProfileCsv(file);
    const ProfileSplitter splitter(read.profile);
    const std::string fault = read.error.empty() ? splitter.refusal() : read.error;
    if (!fault.empty()) {
        printFault(file, fault);
        return false;
    }
    prepare = [splitter](ProjectData& p) { return splitter.apply(p); };
    return true;
}

// The refusal of a sweep that would run for hours, with what it asked for.
std::string workRefusal(const SweepWork& work)
{
    return "the sweep asks for " + std::to_string(work.points) + " points of up to "
           + std::to_string(work.slicesPerPoint) + " settlement slices each, "
           + std::to_string(static_cast<long long>(work.total())) + " slices in all; at most "
           + std::to_string(static_cast<long long>(kMaxSweepSlices)) + " slices are computed in one sweep";
}

// Decides whether the sweep makes the demands after construction. Without
// cv values the post-construction check of every point is not made, with
// its reason, as for a project alone.
void decideAfterConstruction(const TimeSettlementInputs& in, SweepRequest& request)
{
    const bool demanded = request.demands.allowablePostConstruction || in.allowablePostConstruction;
    request.afterConstruction = demanded || in.hasBearingCheck();
}

}  // namespace

std::string parseAxis(std::string_view text, bool withProfile, SweepAxis& axis)
{
    const std::size_t equals = text.find('=');
    const std::size_t colon1 = text.find(':', equals);
    const std::size_t colon2 = colon1 == std::string_view::npos ? colon1 : text.find(':', colon1 + 1);
    if (equals == std::string_view::npos || colon2 == std::string_view::npos)
        return "a sweep is FIELD=FROM:TO:STEP, not " + std::string(text);
    const SweepFieldLookup lookup = findSweepField(text.substr(0, equals), withProfile);
    if (!lookup.field)
        return lookup.refusal + (findSweepField(text.substr(0, equals), true).field
                                     ? " (unless a soil profile is given with --profile)"
                                     : "");
    const auto from = parseNumber(text.substr(equals + 1, colon1 - equals - 1));
    const auto to = parseNumber(text.substr(colon1 + 1, colon2 - colon1 - 1));
    const auto step = parseNumber(text.substr(colon2 + 1));
    if (!from || !to || !step)
        return "FROM, TO and STEP must be numbers in " + std::string(text);
    axis = {lookup.field, {*from, *to, *step}};
    const std::string fault = rangeFaultText(rangeFault(axis.range));
    return fault.empty() ? fault : fault + " in " + std::string(text);
}

std::string parseBestOption(std::string_view text, std::string& name, bool& largest)
{
    const std::size_t colon = text.rfind(':');
    const std::string_view direction = colon == std::string_view::npos ? "" : text.substr(colon + 1);
    if ((direction != "max" && direction != "min") || colon == 0)
        return "--best takes NAME:max or NAME:min";
    name = text.substr(0, colon);
    largest = direction == "max";
    return {};
}

int runSweepCommand(const std::vector<std::string>& args)
{
    const std::string usage = usageText(sweepCommand());
    if (asksForHelp(sweepCommand(), args))
        return printText(usage);
    SweepRequest request;
    if (const std::string fault = parseRequest(args, request); !fault.empty())
        return usageError(fault, usage);
    std::optional<PointMeasure> measure;
    if (!request.bestName.empty()) {
        measure = findPointMeasure(request.bestName, request.axes);
        if (!measure)
            return usageError("--best: " + request.bestName + " is neither a swept field nor a result", usage);
    }
    ProjectData base{};
    if (const FileStatus loaded = base.loadProject(request.file); !loaded.ok) {
        return refusedFile(request.file, loaded.reason);
    }
    // The file's extension values are read once and refused for every output.
    const ExtensionInputs inputs = readExtensionInputs(base);
    if (!inputs.refusal().empty())
        return refusedFile(request.file, inputs.refusal());
    decideAfterConstruction(inputs.timeSettlement, request);
    Sweep::PreparePoint splitProfile;
    if (!request.profileFile.empty() && !loadProfileSplit(request.profileFile, splitProfile))
        return kExitUnreadable;
    const Sweep sweep(base, request.axes, request.demands, splitProfile);
    const ExtensionInputs first = sweep.extensionInputs(sweep.record(0), 0);
    request.stability = first.stabilityRefusal.empty() && first.stability.asked();
    if (const SweepWork work = sweepWork(sweep); work.tooMuch())
        return usageError(workRefusal(work), usage);
    if (measure)
        return printBest(sweep, request, std::move(*measure));
    PointPrinter printer(request);
    for (std::size_t i = 0; i < sweep.size(); ++i)
        if (!printer.print(sweep.point(i)))
            return kExitUnreadable;
    return kExitDone;
}
