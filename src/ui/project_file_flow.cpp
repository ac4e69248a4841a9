#include "ui/project_file_flow.h"

#include "model/platform.h"
#include "model/project_data.h"
#include "ui/services.h"

#include <QDir>
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

ProjectFile& projectFile()
{
    static ProjectFile file;
    return file;
}

void rememberProjectFile(const QString& path, const std::string& bytes)
{
    projectFile() = {path, QByteArray::fromStdString(bytes), g_project};
}

// The inputs of a record as its file holds them, at a fixed save time.
std::string inputBytes(ProjectData project)
{
    project.deriveEquivalentDiameter();
    std::tm anyTime{};
    anyTime.tm_year = 100;
    anyTime.tm_mday = 1;
    return project.projectFileBytes(anyTime);
}

}  // namespace

void saveProjectInteractively(QWidget* form, const std::function<bool()>& applyToProject)
{
    const QString name = services().askSaveFileName(form);
    if (name.isEmpty() || !applyToProject())
        return;
    const std::tm savedAt = toCalendarTime(services().now());
    // The bytes saveProject writes, kept for the checksum a report prints.
    const std::string bytes = g_project.projectFileBytes(savedAt);
    const FileStatus status = g_project.saveProject(filePath(name), savedAt);
    if (status.ok)
        rememberProjectFile(name, bytes);
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
    std::string bytes;
    const FileStatus status = g_project.loadProject(filePath(name), &bytes);
    if (status.ok)
        rememberProjectFile(name, bytes);
    if (!status.ok)
        services().showMessage(parent, QStringLiteral("载入失败！\n") + QString::fromStdString(status.reason));
    return status.ok;
}

const ProjectFile& currentProjectFile() { return projectFile(); }

void forgetProjectFile() { projectFile() = {}; }

ProjectFile projectFileHolding(const ProjectData& project)
{
    const ProjectFile& file = projectFile();
    if (file.path.isEmpty() || inputBytes(file.record) != inputBytes(project))
        return {};
    return file;
}

QString overwriteRefusal(const QString& target, const QStringList& inputs, const QString& what)
{
    QStringList read = inputs;
    read << projectFile().path;
    for (const QString& input : read)
        if (!input.isEmpty() && platform::isSameFile(filePath(target), filePath(input)))
            return QStringLiteral("%1\n%2不能写到输入文件本身，否则它将被覆盖；请另选%2的文件名。")
                .arg(QDir::toNativeSeparators(target), what);
    return {};
}

}  // namespace ui
