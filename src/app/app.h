// The application object: sets up the fonts, the name and the icon, then
// shows the main window modally; the program ends when it closes.
#pragma once

#include <QApplication>

class CApp : public QApplication {
    Q_OBJECT
public:
    CApp(int& argc, char** argv);

    // Runs the main window to its end; returns the exit status.
    int InitInstance();
};
