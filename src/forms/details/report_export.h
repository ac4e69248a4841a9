// "导出计算书…": the calculation report of a project written where the user
// chooses.
#pragma once

#include "model/project_data.h"
#include "report/calculation_report.h"

#include <QString>
#include <QStringList>

#include <functional>

class QHBoxLayout;
class QWidget;

namespace details {

inline const QString kExportReportCaption = QStringLiteral("导出计算书…");
inline const QString kReportExported = QStringLiteral("计算书导出成功！");
inline const QString kReportNotExported = QStringLiteral("计算书导出失败！");
inline const QString kReportProgressTitle = QStringLiteral("导出计算书");

inline const QString kSliceAppendixCaption = QStringLiteral("附分片计算表");

// What a notice says of a file written: `done` and where it went.
QString exportedNotice(const QString& done, const QString& path);

// Writes a report at `path`, counting its pages in `progress`; runs in a
// thread of its own, so it holds copies of what it reads.
using ReportWriter = std::function<ReportStatus(const QString& path, ReportProgress* progress)>;

// Asks for a PDF name (stops on cancel), refuses one of `inputs` or the
// current project file, writes a report there with `write` in a thread of
// its own while a progress dialog over `parent` counts the pages and offers
// 取消 (a cancelled report writes nothing and says nothing), and confirms
// with a notice naming the file or reports the failure with its reason.
// Returns when the work has ended; the interface answers meanwhile.
void writeReportInteractively(QWidget* parent, const QStringList& inputs, const ReportWriter& write);

// `project` with the project information as it is now in g_project: a
// window's copy of the record may predate what 工程信息 holds.
ProjectData withCurrentProjectInfo(const ProjectData& project);
// The project information's name, else the current project file's base name.
QString currentProjectName();

// Asks for a PDF name (stops on cancel) and writes the report of `project`
// (with de derived) with the current project information, under
// `projectName`, or when it is empty currentProjectName(); the cover names
// the current project file and its checksum when the record still holds what
// it loaded or saved. With the checks and conclusions when the design window
// has kept design demands and with every slice in an appendix when asked;
// confirms with a notice or reports the failure with its reason.
void exportReportInteractively(QWidget* parent, const ProjectData& project,
                               const QString& projectName = QString(), bool sliceAppendix = false);

// The bottom row of a details window: a box for the project name (when left
// empty, currentProjectName() at the moment of export),
// a check box for the slice appendix and the export button, which writes the
// report of *project (kept alive by the window).
QHBoxLayout* exportRow(QWidget* window, const ProjectData* project);

}  // namespace details
