#include "app.h"

#include "app_icon.h"
#include "main_dialog.h"
#include "orvane_version.h"
#include "report/report_figures.h"
#include "ui/chinese_interface.h"
#include "ui/dialog.h"
#include "ui/project_file_flow.h"

CApp::CApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Orvane"));
    setApplicationVersion(QLatin1String(orvane::kVersion));
    setOrganizationName(QStringLiteral("Velmora"));
    setDesktopFileName(QStringLiteral("orvane"));
}

int CApp::InitInstance()
{
    ui::installFontSubstitutions();
    loadReportFont();
    ui::installChineseQtTexts();
    setWindowIcon(orvaneIcon());
    loadProjectFromCommandLine(arguments());
    CMainDialog mainWindow;
    mainWindow.exec();
    return 0;
}

void loadProjectFromCommandLine(const QStringList& arguments)
{
    if (arguments.size() > 1)
        ui::loadProjectFile(nullptr, arguments.at(1));
}
