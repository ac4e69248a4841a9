#include "cli/pdf_report.h"

#include "report/calculation_report.h"

#include <QApplication>
#include <QFileInfo>

#include <iostream>

namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;

ReportStatus write(const std::string& target, const PdfReportInput& input)
{
    ReportRequest request;
    request.project = input.project;
    const QFileInfo file(QString::fromStdString(input.file));
    const std::string name = input.project.extension.value("projectName");
    request.projectName = name.empty() ? file.completeBaseName() : QString::fromStdString(name);
    request.date = QDate::currentDate();
    request.demands = input.demands;
    request.sliceAppendix = input.sliceAppendix;
    request.sourceFileName = file.fileName();
    request.sourceBytes = QByteArray(input.fileBytes.data(), static_cast<qsizetype>(input.fileBytes.size()));
    return writeCalculationReport(request, QString::fromStdString(target));
}

// Qt's notes on its own set-up (a missing runtime folder, a point a chart
// leaves out) are not for the user of the calculator: only its errors are
// passed on.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << "\n";
}

}  // namespace

// The charts of the report need a QApplication; it needs no display. On
// Windows the minimal platform with the system's fonts (the offscreen one
// would look for fonts beside Qt's libraries); elsewhere the offscreen one.
int writePdfReport(const std::string& target, const PdfReportInput& input)
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
    const ReportStatus status = write(target, input);
    if (status.ok)
        return kWritten;
    std::cerr << target << ": " << status.reason.toStdString() << "\n";
    return kFailed;
}
