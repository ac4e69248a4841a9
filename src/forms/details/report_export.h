// "导出计算书…": the calculation report of a project written where the user
// chooses.
#pragma once

#include <QString>

class ProjectData;
class QHBoxLayout;
class QWidget;

namespace details {

inline const QString kExportReportCaption = QStringLiteral("导出计算书…");
inline const QString kReportExported = QStringLiteral("计算书导出成功！");
inline const QString kReportNotExported = QStringLiteral("计算书导出失败！");

// Asks for a PDF name (stops on cancel) and writes the report of `project`
// (with the checks and conclusions when the design window has kept design
// demands)
// (with de derived) under `projectName`, or the file's base name when it is
// empty; confirms with a notice or reports the failure with its reason.
void exportReportInteractively(QWidget* parent, const ProjectData& project,
                               const QString& projectName = QString());

// The bottom row of a details window: a box for the project name (the
// project information's name, if any; the file's base name when left empty)
// and the export button, which writes the report of *project (kept alive by
// the window).
QHBoxLayout* exportRow(QWidget* window, const ProjectData* project);

}  // namespace details
