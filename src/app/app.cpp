#include "app.h"

#include "app_icon.h"
#include "main_dialog.h"
#include "ui/dialog.h"

CApp::CApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Orvane"));
    setApplicationVersion(QStringLiteral("1.0.4.1"));
    setOrganizationName(QStringLiteral("Velmora"));
    setDesktopFileName(QStringLiteral("orvane"));
}

int CApp::InitInstance()
{
    ui::installFontSubstitutions();
    setWindowIcon(orvaneIcon());
    CMainDialog mainWindow;
    mainWindow.exec();
    return 0;
}
