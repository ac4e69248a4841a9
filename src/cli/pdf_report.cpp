#include "cli/pdf_report.h"

#include "cli/command_args.h"
#include "model/file_reasons.h"
#include "report/calculation_report.h"
#include "report/report_figures.h"
#include "report/road_report.h"

#include <QApplication>
#include <QFileInfo>

#include <iostream>

namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;

// The project information's name, or the file's own.
QString projectName(const ProjectData& project, const QFileInfo& file)
{
    const std::string name = project.extension.value("projectName");
    return name.empty() ? file.completeBaseName() : QString::fromStdString(name);
}

QByteArray bytesOf(const std::string& bytes)
{
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

ReportStatus write(const std::string& target, const PdfReportInput& input)
{
    ReportRequest request;
    request.project = input.project;
    const QFileInfo file(QString::fromStdString(input.file));
    request.projectName = projectName(input.project, file);
    request.date = QDate::currentDate();
    request.demands = input.demands;
    request.sliceAppendix = input.sliceAppendix;
    request.sourceFileName = file.fileName();
    request.sourceBytes = bytesOf(input.fileBytes);
    for (const std::string& setting : input.settings)
        request.sourceSettings.append(QString::fromStdString(setting));
    return writeCalculationReport(request, QString::fromStdString(target));
}

ReportStatus writeRoad(const std::string& target, const RoadReportInput& input)
{
    RoadReportRequest request;
    request.base = input.base;
    request.sections = input.sections;
    request.points = input.points;
    request.demands = input.demands;
    const QFileInfo table(QString::fromStdString(input.tableFile));
    request.projectName = projectName(input.base, table);
    request.date = QDate::currentDate();
    request.baseFileName = QFileInfo(QString::fromStdString(input.baseFile)).fileName();
    request.baseBytes = bytesOf(input.baseBytes);
    request.tableFileName = table.fileName();
    request.tableBytes = bytesOf(input.tableBytes);
    return writeRoadReport(request, QString::fromStdString(target));
}

// Qt's notes on its own set-up (a missing runtime folder, a point a chart
// leaves out) are not for the user of the calculator: only its errors are
// passed on.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << shownMessage(message.toStdString()) << "\n";
}

// The charts of the report need a QApplication; it needs no display. On
// Windows the minimal platform with the system's fonts (the offscreen one
// would look for fonts beside Qt's libraries); elsewhere the offscreen one.
template <typename Input>
int writeInApplication(ReportStatus (*write)(const std::string&, const Input&), const std::string& target,
                       const Input& input)
{
#ifdef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    qInstallMessageHandler(keepQtErrorsOnly);
    int argc = 1;
    char name[] = "orvane-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    loadReportFont();
    const ReportStatus status = write(target, input);
    if (status.ok)
        return kWritten;
    printFault(target, status.reason.toStdString());
    return kFailed;
}

}  // namespace

int writePdfReport(const std::string& target, const PdfReportInput& input)
{
    return writeInApplication(write, target, input);
}

int writeRoadPdfReport(const std::string& target, const RoadReportInput& input)
{
    return writeInApplication(writeRoad, target, input);
}
