#include "cli/sections_command.h"

#include "cli/command_args.h"
#include "cli/command_table.h"
#include "cli/details_json.h"
#include "cli/exit_codes.h"
#include "cli/result_output.h"
#include "cli/stability_output.h"
#include "cli/sweep_command.h"
#include "engine/sections.h"
#include "output/sections_chart.h"
#include "output/sweep_csv.h"
#include "model/csv_table.h"
#include "model/file_numbers.h"
#include "model/file_reasons.h"
#include "model/platform.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>

namespace {

struct SectionsRequest {
    std::string table;
    std::string file;
    bool json = false;
    DesignDemands demands;
    std::optional<SweepAxis> axis;
    std::string bestName;
    bool bestLargest = true;
    double shortestStretch = 0;
    std::string chart;
    std::string report;
};

std::string parseNumberOption(const std::string& option, const std::string& text, double& value)
{
    return parseFileNumber(text, value) ? std::string() : option + " takes a number, not " + text;
}

std::string parseOption(const std::string& option, const std::string& value, SectionsRequest& r)
{
    if (option == "--sections")
        return r.table.empty() ? (r.table = value, std::string()) : "--sections is given twice";
    if (option == "--sweep") {
        if (r.axis)
            return "one field can be swept per section";
        r.axis.emplace();
        return parseAxis(value, true, *r.axis);
    }
    if (option == "--chart")
        return r.chart.empty() ? (r.chart = value, std::string()) : "--chart is given twice";
    if (option == "--report")
        return r.report.empty() ? (r.report = value, std::string()) : "--report is given twice";
    if (option == "--best")
        return parseBestOption(value, r.bestName, r.bestLargest);
    if (option == "--surcharge")
        return parseNumberOption(option, value, r.demands.surcharge);
    if (option == "--shortest-stretch") {
        const std::string fault = parseNumberOption(option, value, r.shortestStretch);
        return fault.empty() && !(r.shortestStretch >= 0) ? option + " takes a length not below 0" : fault;
    }
    double allowable = 0;
    const std::string fault = parseNumberOption(option, value, allowable);
    (option == "--allowable-settlement" ? r.demands.allowableSettlement : r.demands.allowablePostConstruction) = allowable;
    return fault;
}

std::string combinationFault(const SectionsRequest& r)
{
    if (r.file.empty())
        return "--sections needs one base project file";
    if (r.axis.has_value() != !r.bestName.empty())
        return "--sweep and --best go together with --sections";
    if (!r.chart.empty() && r.axis)
        return "--chart does not go with --sweep";
    if (!r.report.empty() && r.axis)
        return "--report does not go with --sweep";
    if (r.shortestStretch > 0 && !r.axis)
        return "--shortest-stretch needs --sweep and --best";
    return demandsFault(r.demands);
}

std::string parseRequest(const std::vector<std::string>& args, SectionsRequest& r)
{
    ParsedArguments parsed;
    if (std::string fault = parseArguments(sectionsCommand(), args, parsed); !fault.empty())
        return fault;
    for (const ParsedOption& option : parsed.options) {
        if (option.name() == "--json")
            r.json = true;
        else if (const std::string fault = parseOption(option.name(), option.value, r); !fault.empty())
            return fault;
    }
    if (parsed.operands.size() > 1)
        return sectionsCommand().strayArgument + parsed.operands[1];
    if (!parsed.operands.empty())
        r.file = parsed.operands.front();
    return combinationFault(r);
}

// The section's stability was asked for: its factor, or why there is none.
bool stabilityComputed(const SweepPoint& point) { return point.checks.stability.state != StabilityState::NotAsked; }

// Which checks the section governs: "bearing", "settlement", both or none.
std::vector<std::string> governedChecks(const GoverningSections& governing, std::size_t index)
{
    std::vector<std::string> checks;
    if (governing.bearing == index)
        checks.emplace_back("bearing");
    if (governing.settlement == index)
        checks.emplace_back("settlement");
    if (governing.stability == index)
        checks.emplace_back("stability");
    return checks;
}

// The keys of a single project's --json, then the checks.
nlohmann::ordered_json sectionJson(const Section& s, const SweepPoint* point, int stopCriterion,
                                   const std::optional<SweepAxis>& axis)
{
    nlohmann::ordered_json j;
    j["station"] = s.station;
    j["chainage"] = jsonNumber(s.chainage);
    if (axis)
        j[axis->field->name] = point ? jsonNumber(point->values.front()) : nlohmann::json(nullptr);
    if (!point) {
        j["passes"] = false;
        return j;
    }
    addResultsJson(point->results, j);
    j["adoptedCompositeCapacity"] = adoptedCapacityJson(*point);
    j["stopCriterion"] = stopCriterion;
    j["bearingOk"] = checkJson(*point, point->checks.bearingOk);
    j["settlementOk"] = checkJson(*point, point->checks.settlementOk);
    j["passes"] = point->passes();
    j["reason"] = point->valid() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(point->fault);
    if (point->valid())
        j["assessment"] = assessmentJson(point->checks);
    if (point->valid() && stabilityComputed(*point))
        j["stability"] = stabilityJson(point->checks.stability, false);
    return j;
}

class SectionPrinter {
public:
    // With stability: the sections' stability factor in a column of its own.
    SectionPrinter(const SectionsRequest& request, int stopCriterion, bool stability)
        : request_(request), stopCriterion_(stopCriterion), stability_(stability)
    {
    }

    // One section: its point (none when no swept value passes) and the
    // checks it governs. False once the output failed.
    bool print(const Section& s, const SweepPoint* point, const std::vector<std::string>& governs)
    {
        if (point && !point->valid())
            printFault(s.station, point->fault);
        if (request_.json) {
            nlohmann::ordered_json j = sectionJson(s, point, stopCriterion_, request_.axis);
            if (!request_.axis)
                j["governs"] = governs;
            return line(j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
        }
        if (!headerPrinted_) {
            headerPrinted_ = true;
            std::vector<SweepAxis> axes;
            if (request_.axis)
                axes.push_back(*request_.axis);
            if (!line("station,chainage," + sweepCsvHeader(axes, ',') + ",passes" + (request_.axis ? "" : ",governs")
                      + verdictCsvHeader(',') + (stability_ ? stabilityCsvHeader(',') : "")))
                return false;
        }
        std::string row = csv_table::csvField(s.station) + "," + shortestDecimal(s.chainage) + ",";
        row += point ? sweepCsvRow(*point, ',') : std::string(request_.axis ? 9 : 8, ',');
        row += std::string(",") + (point && point->passes() ? "true" : "false");
        if (!request_.axis) {
            row += ",";
            for (std::size_t i = 0; i < governs.size(); ++i)
                row += (i ? " " : "") + governs[i];
        }
        row += point ? verdictCsvRow(*point, ',') : std::string(2, ',');
        if (stability_)
            row += point ? stabilityCsvRow(*point, ',') : ",";
        return line(row);
    }

    bool line(std::string_view text) { return out_.write(text) && out_.endLine(); }

private:
    const SectionsRequest& request_;
    int stopCriterion_;
    bool stability_;
    ResultOutput out_;
    bool headerPrinted_ = false;
};

// The stretches with their shared value, and whether every section of each
// passes with it (checked, not assumed).
bool printStretches(const SectionsRequest& r, const ProjectData& base, const std::vector<Section>& sections,
                    const std::vector<Stretch>& stretches, SectionPrinter& printer)
{
    const char* field = r.axis->field->name;
    if (!r.json && !(printer.line("") && printer.line(std::string("from,to,sections,") + field + ",decidedBy,passes")))
        return false;
    for (const Stretch& st : stretches) {
        bool passes = st.value.has_value();
        for (std::size_t i = st.first; passes && i <= st.last; ++i)
            passes = sectionSweep(base, sections[i], r.demands, {{r.axis->field, {*st.value, *st.value, 1}}}).point(0).passes();
        const std::string& from = sections[st.first].station;
        const std::string& to = sections[st.last].station;
        const std::string& decidedBy = sections[st.decidedBy].station;
        const std::size_t count = st.last - st.first + 1;
        std::string text;
        if (r.json) {
            nlohmann::ordered_json j;
            j["stretch"] = {{"from", from}, {"to", to}, {"sections", count},
                            {field, st.value ? jsonNumber(*st.value) : nlohmann::json(nullptr)},
                            {"decidedBy", st.value ? nlohmann::json(decidedBy) : nlohmann::json(nullptr)},
                            {"passes", passes}};
            text = j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
        } else {
            text = csv_table::csvField(from) + "," + csv_table::csvField(to) + "," + std::to_string(count) + ","
                   + (st.value ? shortestDecimal(*st.value) : "") + ","
                   + (st.value ? csv_table::csvField(decidedBy) : "") + "," + (passes ? "true" : "false");
        }
        if (!printer.line(text))
            return false;
    }
    return true;
}

int printBestDesigns(const SectionsRequest& r, const ProjectData& base, const std::vector<Section>& sections)
{
    const std::optional<PointMeasure> measure = findPointMeasure(r.bestName, {&*r.axis, 1});
    if (!measure)
        return usageError("--best: " + r.bestName + " is neither the swept field nor a result", usageText(sectionsCommand()));
    const auto best = bestPerSection(base, sections, r.demands, *r.axis, *measure, r.bestLargest);
    SectionPrinter printer(r, base.stopCriterion, std::any_of(best.begin(), best.end(), [](const auto& point) {
                               return point && stabilityComputed(*point);
                           }));
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (!printer.print(sections[i], best[i] ? &*best[i] : nullptr, {}))
            return kExitUnreadable;
    // Only a design chosen by the swept field's own value has a more demanding
    // direction; chosen by a result, stretches are runs of equal values.
    const bool byField = r.bestName == r.axis->field->name;
    const auto stretches = designStretches(sections, best, r.bestLargest, byField ? r.shortestStretch : 0);
    return printStretches(r, base, sections, stretches, printer) ? kExitDone : kExitUnreadable;
}

// The chart written beside the results; false, with the reason on standard
// error, when it cannot be.
bool writeChart(const SectionsRequest& r, const ProjectData& base, const std::vector<Section>& sections,
                const std::vector<SweepPoint>& points)
{
    const std::string svg =
        sectionsChartSvg(sections, points, sectionFillHeights(base, sections), r.demands.allowableSettlement);
    const platform::FileOutcome written = platform::replaceFile(r.chart, svg);
    if (!written.ok())
        std::cerr << shownMessage(saveFailure(r.chart, written, "SVG文件")) << "\n";
    return written.ok();
}

// The files read for the sections, as the table names its profiles.
struct SectionsInput {
    ProjectData base{};
    std::string baseBytes;
    SectionTableRead table;
    std::string tableBytes;
};

int printSections(const SectionsRequest& r, const SectionsInput& in, const RoadReportWriter& writeReport)
{
    const std::vector<Section>& sections = in.table.sections;
    const std::vector<SweepPoint> points = computeSections(in.base, sections, r.demands);
    if (!r.chart.empty() && !writeChart(r, in.base, sections, points))
        return kExitUnreadable;
    if (!r.report.empty()) {
        const RoadReportInput report{in.base, r.file, in.baseBytes, r.table, in.tableBytes, sections, points, r.demands};
        if (const int written = writeReport(r.report, report); written != kExitDone)
            return written;
    }
    const GoverningSections governing = governingSections(points);
    SectionPrinter printer(r, in.base.stopCriterion, std::any_of(points.begin(), points.end(), stabilityComputed));
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (!printer.print(sections[i], &points[i], governedChecks(governing, i)))
            return kExitUnreadable;
    return kExitDone;
}

// An output named like one of the files read would overwrite it: the base
// project, the table or a borehole table the table names.
bool overwritesInput(const std::string& target, const SectionsRequest& r, const std::vector<Section>& sections)
{
    std::vector<std::string> inputs{r.file, r.table};
    for (const Section& s : sections)
        if (!s.profileFile.empty())
            inputs.push_back(pathBesideTable(r.table, s.profileFile));
    for (const std::string& input : inputs)
        if (platform::isSameFile(target, input))
            return true;
    return false;
}

// The reason an output is refused before any work, or empty.
std::string outputRefusal(const SectionsRequest& r, const std::vector<Section>& sections)
{
    if (!r.chart.empty() && overwritesInput(r.chart, r, sections))
        return r.chart + ": 图不能写到输入文件本身，否则它将被覆盖；请另选图的文件名。";
    if (!r.report.empty() && overwritesInput(r.report, r, sections))
        return r.report + ": 计算书不能写到输入文件本身，否则它将被覆盖；请另选计算书的文件名。";
    if (!r.chart.empty() && !r.report.empty() && platform::isSameFile(r.chart, r.report))
        return r.report + ": 图和计算书不能写到同一个文件；请另选文件名。";
    if (!r.report.empty())
        if (const std::string fault = roadReportFault(sections.size()); !fault.empty())
            return r.report + ": " + fault;
    return {};
}

// Reads the base project and the table; false, with the reasons on standard
// error, when either cannot be read whole.
bool readInputs(const SectionsRequest& r, SectionsInput& in)
{
    if (const FileStatus loaded = in.base.loadProject(r.file, &in.baseBytes); !loaded.ok) {
        printFault(r.file, loaded.reason);
        return false;
    }
    in.table = loadSectionTable(r.table, &in.tableBytes);
    for (const std::string& error : in.table.errors)
        printFault(r.table, error);
    return in.table.ok();
}

std::string workRefusal(double slices)
{
    return "the sections ask for more than " + std::to_string(static_cast<long long>(kMaxSweepSlices))
           + " settlement slices (" + std::to_string(static_cast<long long>(slices))
           + " counted); at most that many are computed in one run";
}

}  // namespace

int runSectionsCommand(const std::vector<std::string>& args, const RoadReportWriter& writeReport)
{
    if (asksForHelp(sectionsCommand(), args))
        return printText(usageText(sectionsCommand()));
    SectionsRequest request;
    if (const std::string fault = parseRequest(args, request); !fault.empty())
        return usageError(fault, usageText(sectionsCommand()));
    SectionsInput in;
    if (!readInputs(request, in))
        return kExitUnreadable;
    if (const std::string refusal = outputRefusal(request, in.table.sections); !refusal.empty()) {
        std::cerr << shownMessage(refusal) << "\n";
        return kExitUnreadable;
    }
    std::vector<SweepAxis> axes;
    if (request.axis)
        axes.push_back(*request.axis);
    if (const double slices = sectionsSlices(in.base, in.table.sections, request.demands, axes); slices > kMaxSweepSlices)
        return usageError(workRefusal(slices), usageText(sectionsCommand()));
    return request.axis ? printBestDesigns(request, in.base, in.table.sections) : printSections(request, in, writeReport);
}
