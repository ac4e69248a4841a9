#include "cli/pdf_report.h"

#include "report/calculation_report.h"

#include <QApplication>
#include <QFileInfo>

#include <iostream>

namespace {

constexpr int kWritten = 0;
constexpr int kFailed = 1;

ReportStatus loadAndWrite(const std::string& target, const std::string& file)
{
    ReportRequest request;
    const FileStatus loaded = request.project.loadProject(file);
    if (!loaded.ok)
        return {false, QString::fromStdString(loaded.reason)};
    request.project.deriveEquivalentDiameter();
    request.projectName = QFileInfo(QString::fromStdString(file)).completeBaseName();
    request.date = QDate::currentDate();
    return writeCalculationReport(request, QString::fromStdString(target));
}

}  // namespace

// The charts of the report need a QApplication; it needs no display. On
// Windows the minimal platform with the system's fonts (the offscreen one
// would look for fonts beside Qt's libraries); elsewhere the offscreen one.
int writePdfReport(const std::string& target, const std::string& file)
{
#ifdef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "minimal:enable_fonts");
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    int argc = 1;
    char name[] = "orvane-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const ReportStatus status = loadAndWrite(target, file);
    if (status.ok)
        return kWritten;
    std::cerr << file << ": " << status.reason.toStdString() << "\n";
    return kFailed;
}
