// "导出计算书…": the calculation report of a project written where the user
// chooses.
#pragma once

#include "report/calculation_report.h"

#include <QString>

#include <functional>

class ProjectData;
class QHBoxLayout;
class QWidget;

namespace details {

inline const QString kExportReportCaption = QStringLiteral("导出计算书…");
inline const QString kReportExported = QStringLiteral("计算书导出成功！");
inline const QString kReportNotExported = QStringLiteral("计算书导出失败！");

inline const QString kSliceAppendixCaption = QStringLiteral("附分片计算表");

// Asks for a PDF name (stops on cancel), writes a report there with `write`
// under a busy cursor, and confirms with a notice or reports the failure
// with its reason.
void writeReportInteractively(QWidget* parent, const std::function<ReportStatus(const QString& path)>& write);

// Asks for a PDF name (stops on cancel) and writes the report of `project`
// (with de derived) under `projectName`, or when it is empty the project
// information's name, else the PDF's base name, with the checks and conclusions when the design window has kept
// design demands and with every slice in an appendix when asked; confirms
// with a notice or reports the failure with its reason.
void exportReportInteractively(QWidget* parent, const ProjectData& project,
                               const QString& projectName = QString(), bool sliceAppendix = false);

// The bottom row of a details window: a box for the project name (the
// project information's name, if any; the file's base name when left empty),
// a check box for the slice appendix and the export button, which writes the
// report of *project (kept alive by the window).
QHBoxLayout* exportRow(QWidget* window, const ProjectData* project);

}  // namespace details
