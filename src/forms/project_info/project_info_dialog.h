// "工程信息": the project information of the calculation report (project
// name, station, design stage, organisation, report number and the names of
// who calculated, checked and approved), kept in the project file's
// extension block.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLineEdit;
class QPushButton;

class ProjectInfoDialog : public QDialog {
    Q_OBJECT
public:
    // Opens on the values of g_project.extension.
    explicit ProjectInfoDialog(QWidget* parent = nullptr);

    // Writes the boxes into g_project.extension and closes; text GBK cannot
    // hold is refused, naming its box, and the form stays open.
    void accept() override;

private:
    QList<QLineEdit*> boxes_;  // in the order of kProjectInfoFields
};

inline const QString kProjectInfoCaption = QStringLiteral("工程信息…");

// The button "工程信息…" of an input form (not yet placed), opening the form
// over it.
QPushButton* projectInfoButton(QWidget* form);
