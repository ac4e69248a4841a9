// The save and load buttons of both input forms.
#pragma once

#include <functional>

class QString;
class QWidget;

namespace ui {

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
