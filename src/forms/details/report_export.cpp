#include "forms/details/report_export.h"

#include "forms/design/remembered_demands.h"
#include "model/extension/project_info.h"
#include "report/calculation_report.h"
#include "ui/project_file_flow.h"
#include "ui/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace details {

QString exportedNotice(const QString& done, const QString& path)
{
    return done + QStringLiteral("\n已写入 ") + QDir::toNativeSeparators(path);
}

void writeReportInteractively(QWidget* parent, const QStringList& inputs,
                              const std::function<ReportStatus(const QString& path)>& write)
{
    const QString path = ui::services().askReportFileName(parent);
    if (path.isEmpty())
        return;
    if (const QString refusal = ui::overwriteRefusal(path, inputs, QStringLiteral("计算书")); !refusal.isEmpty()) {
        ui::services().showMessage(parent, kReportNotExported + QLatin1Char('\n') + refusal);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportStatus status = write(path);
    QApplication::restoreOverrideCursor();
    if (status.ok)
        ui::services().showNotice(parent, exportedNotice(kReportExported, path));
    else
        ui::services().showMessage(parent, kReportNotExported + QLatin1Char('\n') + status.reason);
}

void exportReportInteractively(QWidget* parent, const ProjectData& project, const QString& projectName,
                               bool sliceAppendix)
{
    writeReportInteractively(parent, {}, [&](const QString& path) {
        ReportRequest request;
        request.project = withCurrentProjectInfo(project);
        const ui::ProjectFile source = ui::projectFileHolding(request.project);
        request.sourceFileName = QFileInfo(source.path).fileName();
        request.sourceBytes = source.bytes;
        request.projectName = !projectName.isEmpty() ? projectName : currentProjectName();
        request.date = ui::services().now().date();
        request.demands = design::rememberedDemands();
        request.sliceAppendix = sliceAppendix;
        return writeCalculationReport(request, path);
    });
}

ProjectData withCurrentProjectInfo(const ProjectData& project)
{
    ProjectData withInfo = project;
    for (const ProjectInfoField& field : kProjectInfoFields)
        withInfo.extension.set(field.key, g_project.extension.value(field.key));
    return withInfo;
}

QString currentProjectName()
{
    const QString stored = QString::fromStdString(g_project.extension.value("projectName"));
    return !stored.isEmpty() ? stored : QFileInfo(ui::currentProjectFile().path).completeBaseName();
}

QHBoxLayout* exportRow(QWidget* window, const ProjectData* project)
{
    auto* name = new QLineEdit(window);
    name->setObjectName(QStringLiteral("projectNameEdit"));
    name->setPlaceholderText(QStringLiteral("默认为工程信息中的工程名称，未填时为工程文件名"));
    auto* button = new QPushButton(kExportReportCaption, window);
    button->setObjectName(QStringLiteral("exportReportButton"));
    auto* slices = new QCheckBox(kSliceAppendixCaption, window);
    slices->setObjectName(QStringLiteral("sliceAppendixBox"));
    QObject::connect(button, &QPushButton::clicked, window, [window, project, name, slices] {
        exportReportInteractively(window, *project, name->text().trimmed(), slices->isChecked());
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("工程名称："), window));
    row->addWidget(name);
    row->addStretch();
    row->addWidget(slices);
    row->addWidget(button);
    return row;
}

}  // namespace details
