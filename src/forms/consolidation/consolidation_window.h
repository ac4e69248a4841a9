// The "工后沉降" window: the inputs of the settlement against time (cv and
// fak beside the layers, the fill history, drainage, ms, the pavement day and
// the design period, road class and location), the curve of fill height and
// settlement against time, a table at chosen times and the checks. "计算"
// stores the inputs in the project's extension block and computes; a refusal
// names the box or column by its label and clears the results it makes stale.
#pragma once

#include "engine/design_check.h"

#include "engine/time_settlement.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace consolidation {

class TimeChart;

class ConsolidationWindow : public QWidget {
    Q_OBJECT
public:
    // Edits the extension block of `project`, which must outlive the window.
    explicit ConsolidationWindow(ProjectData& project, QWidget* parent = nullptr);

    QTableWidget* layerTable() const { return layers_; }
    QTableWidget* fillTable() const { return fill_; }
    QTableWidget* timeTable() const { return times_; }
    QLineEdit* chosenTimesEdit() const { return chosenTimes_; }
    QCheckBox* logTimeCheck() const { return logTime_; }
    QComboBox* roadClassBox() const { return roadClass_; }
    QComboBox* locationBox() const { return location_; }
    QLineEdit* allowanceEdit() const { return allowance_; }
    QPushButton* computeButton() const { return compute_; }
    QLabel* statusLabel() const { return status_; }
    QLabel* checksLabel() const { return checks_; }
    const TimeChart& chart() const { return *chart_; }

protected:
    // Enter computes (a cell being edited takes it first), Esc closes.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeInputs();
    void clearResults();
    void fillLayerRows();
    void fillFromExtension();
    void fillAllowanceFromTable();
    // The window's inputs as extension keys and values.
    std::vector<std::pair<std::string, std::string>> typedKeys() const;
    void computeAndShow();
    void showTable(const TimeSettlementResult& assessed, const TimeSettlementResult& listed,
                   const std::vector<double>& chosen);
    void showChecks(const TimeSettlementResult& result, const DesignChecks& assessment);

    ProjectData& project_;
    QTableWidget* layers_;
    QTableWidget* fill_;
    QCheckBox* bottomDrained_;
    QLineEdit* ms_;
    QLineEdit* pavementDay_;
    QLineEdit* designPeriod_;
    QLineEdit* etaD_;
    QComboBox* roadClass_;
    QComboBox* location_;
    QLineEdit* allowance_;
    QLineEdit* chosenTimes_;
    QCheckBox* logTime_;
    QPushButton* compute_;
    QLabel* status_;
    QLabel* checks_;
    QTableWidget* times_;
    TimeChart* chart_;
};

}  // namespace consolidation
