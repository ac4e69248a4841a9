// What the forms need of the desktop beyond their own widgets: message boxes,
// the open and save file dialogs, and the clock. Tests install their own.
#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace ui {

class Services {
public:
    virtual ~Services() = default;
    // Caption "Orvane", an OK button, no icon.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // Caption "提示", information icon, an OK button (the save confirmation).
    virtual void showNotice(QWidget* parent, const QString& text) = 0;
    // Titles "保存工程文件" and "打开工程文件", filter "Txt Files (*.txt)";
    // an empty string when the user cancels. Saving adds the extension txt
    // to a name without one and asks before replacing an existing file.
    // Both start in the folder last chosen in either (remembered between
    // runs) where the user can save there, else in the documents folder.
    virtual QString askSaveFileName(QWidget* parent) = 0;
    virtual QString askOpenFileName(QWidget* parent) = 0;
    // Title "导出计算书", filter "PDF 文件 (*.pdf)"; adds pdf to a
    // name without an extension, as saving a project adds txt.
    virtual QString askReportFileName(QWidget* parent) = 0;
    virtual QDateTime now() = 0;
};

// Qt's own file dialogs, as the services' ones: starting in the folder last
// chosen and remembering the one chosen now; an empty text when the user
// cancels. Saving adds `extension` (without the dot) to a name without one and
// asks before replacing an existing file.
QString askFileToSave(QWidget* parent, const QString& caption, const QString& filter, const QString& extension);
QString askFileToOpen(QWidget* parent, const QString& caption, const QString& filter);

// The services in force: the real desktop ones unless a test set others.
Services& services();
// Replaces the services (not owned); nullptr restores the desktop ones.
void setServices(Services* replacement);

}  // namespace ui
