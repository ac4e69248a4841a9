// The calculation report (计算书) of one project: A4, Chinese, for a
// reviewer who checks it by hand. A cover with the project information and
// signature lines, the calculation drawing, the sources and assumptions of
// the method, the symbols, the inputs, both capacities and the settlement
// layer by layer with the numbers put in, the stop test and the
// stress-depth chart, the checks against the demands with the conclusions,
// a summary, and on request every slice in an appendix. Every page carries
// the project name and "第 N 页 共 M 页".
#pragma once

#include "engine/breakdown.h"
#include "engine/design_check.h"
#include "engine/time_settlement.h"
#include "model/project_data.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <atomic>
#include <optional>

struct ReportRequest {
    ProjectData project;  // with de derived from its layout
    QString projectName;
    QDate date;
    // The demands q and [s]: the conclusions weigh the results against them.
    std::optional<DesignDemands> demands;
    // Every settlement slice of the project's criterion, in an appendix.
    bool sliceAppendix = false;
    // The project file the report was made from, named with a checksum of
    // its bytes on the cover; empty when it was made from unsaved inputs.
    QString sourceFileName;
    QByteArray sourceBytes;
    // Values given beside the file (KEY=VALUE), already in sourceBytes.
    QStringList sourceSettings;
};

// What a report presents of its project, computed once: every section and
// every figure draws from these, none computes a result again.
struct ReportResults {
    CapacityTerms capacity;
    SettlementDetails settlement;  // under the project's own stop criterion
    TimeSettlementOutputs timeSettlement;
    // The assessment, when the demands or the project ask for a check.
    std::optional<DesignChecks> checks;
    // The assessment's stability, else computed with no surcharge.
    StabilityOutcome stability;
};

ReportResults reportResults(const ReportRequest& request);
// With the design already assessed under the request's demands (a road's
// section): the assessment as it is, the rest computed.
ReportResults reportResults(const ReportRequest& request, const DesignChecks& checks);

struct ReportStatus {
    bool ok = true;
    QString reason;  // a Chinese sentence for the user when ok is false
    bool cancelled = false;  // stopped on request before anything was written
};

// Read from another thread while a report is written: how many of its pages
// are painted (pageCount is 0 until the text is laid out); set cancelled to
// stop the work at the next page, leaving the target as it was.
struct ReportProgress {
    std::atomic<int> pagesPainted{0};
    std::atomic<int> pageCount{0};
    std::atomic<bool> cancelled{false};
};

QString reportTitle();
// "Orvane" and the program's version, as the report names its program.
QString programName();

// Writes the report as PDF with the Chinese text embedded as a font subset
// (searchable, copyable) and the drawing and chart as vector graphics, by
// the rules a project file is saved by: atomic, a link followed, a replaced
// file's permissions kept, a read-only or special target refused. Needs a
// QApplication (the chart is a graphics widget), and may run in a thread of
// its own with a progress to report to and be cancelled through.
ReportStatus writeCalculationReport(const ReportRequest& request, const QString& path,
                                    ReportProgress* progress = nullptr);
// The same with the results computed beforehand (reportResults).
ReportStatus writeCalculationReport(const ReportRequest& request, const ReportResults& results, const QString& path,
                                    ReportProgress* progress = nullptr);
