// The application object: sets up the fonts, Qt's Chinese texts, the name
// and the icon, loads the project file named on the command line, then shows
// the main window modally; the program ends when it closes.
#pragma once

#include <QApplication>
#include <QStringList>

class CApp : public QApplication {
    Q_OBJECT
public:
    CApp(int& argc, char** argv);

    // Runs the main window to its end; returns the exit status.
    int InitInstance();
};

// `orvane FILE` (as the desktop entry starts it): loads FILE, the first
// argument after the program's name, into g_project as "载入文件" does. A
// refused file is reported as "载入失败！" with the reason, and the program
// starts with the empty record. Without an argument nothing is loaded.
void loadProjectFromCommandLine(const QStringList& arguments);
