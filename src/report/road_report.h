// The calculation report (计算书) of a road's cross-sections in one PDF: a
// cover naming the base project and the section table with checksums, the
// method and the governing sections, a summary table of every section, the
// longitudinal chart, the governing sections computed in full as the
// report of one project, and a compact page for each other section.
#pragma once

#include "engine/design_check.h"
#include "engine/sweep.h"
#include "model/project_data.h"
#include "model/section_table.h"
#include "report/calculation_report.h"

#include <QByteArray>
#include <QDate>
#include <QString>

#include <vector>

struct RoadReportRequest {
    ProjectData base;               // the base project as read
    std::vector<Section> sections;  // in chainage order
    std::vector<SweepPoint> points;  // each section's results, as computeSections gives them
    DesignDemands demands;
    QString projectName;
    QDate date;
    // The files the report was made from, named with checksums of their
    // bytes; no base file name for the inputs of the desktop program.
    QString baseFileName;
    QByteArray baseBytes;
    QString tableFileName;
    QByteArray tableBytes;
};

QString roadReportTitle();

// Written as the report of one project is (needs a QApplication; may run in
// a thread of its own).
ReportStatus writeRoadReport(const RoadReportRequest& request, const QString& path,
                             ReportProgress* progress = nullptr);
