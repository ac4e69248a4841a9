#include "forms/details/report_export.h"

#include "forms/design/remembered_demands.h"
#include "model/extension/project_info.h"
#include "report/calculation_report.h"
#include "ui/project_file_flow.h"
#include "ui/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>

namespace details {

QString exportedNotice(const QString& done, const QString& path)
{
    return done + QStringLiteral("\n已写入 ") + QDir::toNativeSeparators(path);
}

namespace {

// "正在排版计算书…" until the pages are counted, then the page being painted.
void showProgress(QProgressDialog& dialog, const ReportProgress& progress)
{
    if (progress.cancelled)
        return;
    const int count = progress.pageCount;
    if (count == 0)
        return;
    const int painted = progress.pagesPainted;
    dialog.setMaximum(count);
    dialog.setValue(painted);
    dialog.setLabelText(
        QStringLiteral("正在生成计算书：第 %1 页，共 %2 页…").arg(std::min(painted + 1, count)).arg(count));
}

// Runs `work` in a thread of its own under a window-modal progress dialog
// and returns its status once it has ended; the interface answers
// meanwhile. 取消 asks the work to stop and keeps the dialog, saying so,
// until it has.
ReportStatus runWithProgress(QWidget* parent, const std::function<ReportStatus(ReportProgress*)>& work)
{
    ReportProgress progress;
    ReportStatus status;
    std::atomic<bool> done{false};
    QProgressDialog dialog(QStringLiteral("正在排版计算书…"), QStringLiteral("取消"), 0, 0, parent);
    dialog.setWindowTitle(kReportProgressTitle);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&dialog, &progress] {
        progress.cancelled = true;
        dialog.setRange(0, 0);
        dialog.setLabelText(QStringLiteral("正在取消…"));
        dialog.show();
    });
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(50);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done)
            loop.quit();
        else
            showProgress(dialog, progress);
    });
    // A thread of Qt's: the report's objects live in it.
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        status = work(&progress);
        done = true;
    }));
    worker->start();
    dialog.show();
    poll.start();
    loop.exec();
    worker->wait();
    return status;
}

}  // namespace

void writeReportInteractively(QWidget* parent, const QStringList& inputs, const ReportWriter& write)
{
    const QString path = ui::services().askReportFileName(parent);
    if (path.isEmpty())
        return;
    if (const QString refusal = ui::overwriteRefusal(path, inputs, QStringLiteral("计算书")); !refusal.isEmpty()) {
        ui::services().showMessage(parent, kReportNotExported + QLatin1Char('\n') + refusal);
        return;
    }
    const ReportStatus status =
        runWithProgress(parent, [&write, path](ReportProgress* progress) { return write(path, progress); });
    if (status.cancelled)
        return;
    if (status.ok)
        ui::services().showNotice(parent, exportedNotice(kReportExported, path));
    else
        ui::services().showMessage(parent, kReportNotExported + QLatin1Char('\n') + status.reason);
}

void exportReportInteractively(QWidget* parent, const ProjectData& project, const QString& projectName,
                               bool sliceAppendix)
{
    ReportRequest request;
    request.project = withCurrentProjectInfo(project);
    const ui::ProjectFile source = ui::projectFileHolding(request.project);
    request.sourceFileName = QFileInfo(source.path).fileName();
    request.sourceBytes = source.bytes;
    request.projectName = !projectName.isEmpty() ? projectName : currentProjectName();
    request.date = ui::services().now().date();
    request.demands = design::rememberedDemands();
    request.sliceAppendix = sliceAppendix;
    writeReportInteractively(parent, {}, [request](const QString& path, ReportProgress* progress) {
        return writeCalculationReport(request, path, progress);
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
