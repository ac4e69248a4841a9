#include "ui/project_file_flow.h"

#include "model/project_data.h"
#include "ui/services.h"

#include <QString>

#include <ctime>

namespace ui {
namespace {

std::tm toCalendarTime(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    const QDate date = local.date();
    const QTime time = local.time();
    std::tm calendar{};
    calendar.tm_year = date.year() - 1900;
    calendar.tm_mon = date.month() - 1;
    calendar.tm_mday = date.day();
    calendar.tm_hour = time.hour();
    calendar.tm_min = time.minute();
    calendar.tm_sec = time.second();
    calendar.tm_wday = date.dayOfWeek() % 7;
    calendar.tm_yday = date.dayOfYear() - 1;
    calendar.tm_isdst = -1;
    return calendar;
}

// The core takes file names as UTF-8 on every system.
std::string filePath(const QString& name) { return name.toStdString(); }

}  // namespace

void saveProjectInteractively(QWidget* form, const std::function<bool()>& applyToProject)
{
    const QString name = services().askSaveFileName(form);
    if (name.isEmpty() || !applyToProject())
        return;
    const FileStatus status = g_project.saveProject(filePath(name), toCalendarTime(services().now()));
    if (status.ok)
        services().showNotice(form, QStringLiteral("保存成功！请不要手动修改文件以免本程序无法正常读取！"));
    else
        services().showMessage(form, QStringLiteral("保存失败！\n") + QString::fromStdString(status.reason));
}

bool loadProjectInteractively(QWidget* form)
{
    const QString name = services().askOpenFileName(form);
    return !name.isEmpty() && loadProjectFile(form, name);
}

bool loadProjectFile(QWidget* parent, const QString& name)
{
    const FileStatus status = g_project.loadProject(filePath(name));
    if (!status.ok)
        services().showMessage(parent, QStringLiteral("载入失败！\n") + QString::fromStdString(status.reason));
    return status.ok;
}

}  // namespace ui
