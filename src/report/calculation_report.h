// The calculation report (计算书) of one project: A4, Chinese, for a
// reviewer. A cover with signature lines, the inputs with their symbols,
// units and the layer tables, the method with the numbers put in, both
// capacities, the embankment load, the settlement zone by zone and layer by
// layer with the stop test and the stress-depth chart, and a summary table.
// Every page carries the project name and its page number.
#pragma once

#include "engine/design_check.h"
#include "model/project_data.h"

#include <QDate>
#include <QString>

#include <QByteArray>

#include <optional>
#include <vector>

// A section added by another part of the program (e.g. design checks); it
// comes after the settlement and before the summary, numbered in turn.
struct ReportSection {
    QString title;
    QString html;  // paragraphs and tables in Qt's rich-text subset
};

struct ReportRequest {
    ProjectData project;  // with de derived from its layout
    QString projectName;
    QDate date;
    std::vector<ReportSection> extraSections;
    // The demands q and [s]: the conclusions weigh the results against them.
    std::optional<DesignDemands> demands;
    // Every settlement slice of the project's criterion, in an appendix.
    bool sliceAppendix = false;
    // The project file the report was made from, named with a checksum of
    // its bytes on the cover; empty when it was made from unsaved inputs.
    QString sourceFileName;
    QByteArray sourceBytes;
};

struct ReportStatus {
    bool ok = true;
    QString reason;  // a Chinese sentence for the user when ok is false
};

QString reportTitle();
// "Orvane" and the program's version, as the report names its program.
QString programName();

// Writes the report as PDF with the Chinese text embedded as a font subset
// (searchable, copyable) and the chart as vector graphics. Atomic: on any
// failure no file is left at path and an existing one is kept. Needs a
// QApplication (the chart is a graphics widget).
ReportStatus writeCalculationReport(const ReportRequest& request, const QString& path);
