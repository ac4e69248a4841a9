// "路段计算": a road's section table (loaded from a file or pasted from a
// spreadsheet) computed on a copy of the current project, every section
// checked against q and [s], with progress and Cancel; the summary table
// sorts by any column and marks the governing sections, the longitudinal
// chart shows fill height and settlement along the road. A double-click makes
// a section the current project (accepting the window), the table exports as
// CSV and the whole road as a calculation report, never over a file read.
// Enter starts the run, Esc closes (asking first when results would be
// lost); q and [s] are remembered as the design window remembers them.
#pragma once

#include "engine/sections.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSvgWidget;
class QTableWidget;

class CSectionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CSectionsDialog(QWidget* parent = nullptr);
    // Cancels a run and waits for it.
    ~CSectionsDialog() override;

    // The file dialogs for the table and the export; tests replace them.
    std::function<QString(QWidget*)> askTableFileName;
    std::function<QString(QWidget*)> askCsvFileName;

    const std::vector<Section>& sections() const { return sections_; }
    const std::vector<SweepPoint>& points() const { return points_; }

    // Esc or the close button: asks first when results would be lost.
    void reject() override;

signals:
    // The results of a run are shown, or a run was cancelled.
    void runEnded();

private:
    void loadTable();
    void pasteTable();
    void takeTable(const SectionTableRead& read, const QString& source);
    void run();
    void cancel();
    void poll();
    void showResults();
    // While a run computes the sections, nothing may change them.
    void setRunning(bool running);
    void restoreDemands();
    void exportCsv();
    QStringList inputFiles() const;
    void exportReport();
    void adoptSection(int row);
    QString csvText() const;

    QLineEdit* tableEdit_;
    QLineEdit* surcharge_;
    QLineEdit* allowable_;
    QPushButton* loadButton_;
    QPushButton* pasteButton_;
    QPushButton* runButton_;
    QPushButton* cancelButton_;
    QPushButton* exportButton_;
    QPushButton* reportButton_;
    QProgressBar* progress_;
    QLabel* summary_;
    QTableWidget* table_;
    QSvgWidget* chart_;
    QTimer poll_;

    ProjectData base_;
    std::string tablePath_;  // profiles are found beside it
    QString tableName_;      // as the report names the table
    std::string tableBytes_;
    std::vector<Section> sections_;
    DesignDemands demands_;
    std::vector<SweepPoint> points_;
    std::unique_ptr<SectionsProgress> runProgress_;
    std::thread worker_;
    std::atomic<bool> workerDone_{false};
    std::vector<SweepPoint> computed_;  // written by the worker until it ends
};
