#include "forms/details/report_export.h"

#include "forms/design/remembered_demands.h"
#include "report/calculation_report.h"
#include "ui/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace details {

void writeReportInteractively(QWidget* parent, const std::function<ReportStatus(const QString& path)>& write)
{
    const QString path = ui::services().askReportFileName(parent);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ReportStatus status = write(path);
    QApplication::restoreOverrideCursor();
    if (status.ok)
        ui::services().showNotice(parent, kReportExported);
    else
        ui::services().showMessage(parent, kReportNotExported + QLatin1Char('\n') + status.reason);
}

void exportReportInteractively(QWidget* parent, const ProjectData& project, const QString& projectName,
                               bool sliceAppendix)
{
    writeReportInteractively(parent, [&](const QString& path) {
        ReportRequest request;
        request.project = project;
        const QString stored = QString::fromStdString(project.extension.value("projectName"));
        request.projectName = !projectName.isEmpty() ? projectName
                              : !stored.isEmpty()    ? stored
                                                     : QFileInfo(path).completeBaseName();
        request.date = ui::services().now().date();
        request.demands = design::rememberedDemands();
        request.sliceAppendix = sliceAppendix;
        return writeCalculationReport(request, path);
    });
}

QHBoxLayout* exportRow(QWidget* window, const ProjectData* project)
{
    auto* name = new QLineEdit(window);
    name->setObjectName(QStringLiteral("projectNameEdit"));
    name->setPlaceholderText(QStringLiteral("默认为文件名"));
    name->setText(QString::fromStdString(project->extension.value("projectName")));
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
