// The save and load buttons of both input forms.
#pragma once

#include "model/project_data.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace ui {

// The project file the record was last loaded from or saved to: its path,
// the bytes read or written and the record as it was then. The path is empty
// when the record came from neither.
struct ProjectFile {
    QString path;
    QByteArray bytes;
    ProjectData record;
};
const ProjectFile& currentProjectFile();
// The record no longer comes from a file (a road section was made the project).
void forgetProjectFile();
// The current project file when `project` holds what it loaded or saved
// (compared as the file would be written), else one with an empty path: a
// report names the file and its checksum only for the inputs it holds.
ProjectFile projectFileHolding(const ProjectData& project);

// Why `target` may not be written, as the command line refuses it: it is one
// of `inputs` or the current project file, which writing `what` (计算书, CSV
// 文件) there would overwrite. Empty when it is none of them.
QString overwriteRefusal(const QString& target, const QStringList& inputs, const QString& what);

// Asks for a file name (stops on cancel), runs the form's apply step (stops
// when it refuses; it has shown its own message), saves g_project with the
// current local time, then confirms with the notice "保存成功！请不要手动修改
// 文件以免本程序无法正常读取！" or reports "保存失败！" with the reason.
void saveProjectInteractively(QWidget* form, const std::function<bool()>& applyToProject);

// Asks for a file (false on cancel) and loads it into g_project. A refused
// file is reported as "载入失败！" with the reason and changes nothing.
// True when the record was replaced; the form then refreshes itself.
bool loadProjectInteractively(QWidget* form);

// Loads the named file into g_project, reporting a refused one over parent
// as "载入失败！" with the reason; the record is then unchanged.
bool loadProjectFile(QWidget* parent, const QString& name);

}  // namespace ui
