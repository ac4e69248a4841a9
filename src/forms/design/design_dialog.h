// 方案比选: the design window. It varies one input field of a copy of the
// project record (two for a grid) over a range, computes every point off the
// user-interface thread, checks each against the embankment load plus a
// surcharge q and an allowable settlement [s], and shows the points as a
// table and charts. g_project changes only when the user adopts a point.
// The demands q and [s] are remembered in the application settings.
#pragma once

#include "engine/sweep.h"
#include "model/soil_profile.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace design {
class PassMap;
class SweepRun;
class SweepTableModel;
}  // namespace design

class CDesignDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDesignDialog(QWidget* parent = nullptr);
    ~CDesignDialog() override;

    // Asks where to export the table as CSV; empty when the user cancels.
    // The file dialog by default; tests answer it themselves.
    std::function<QString(QWidget*)> askCsvFileName;

    // The points of the last sweep, in sweep order (fewer than asked for
    // after a cancel), and the index of the best passing one.
    const std::vector<SweepPoint>& points() const;
    std::optional<std::size_t> bestPoint() const { return best_; }
    bool isRunning() const;

signals:
    // The sweep ended, completed or cancelled, and its points are shown.
    void sweepShown();

private slots:
    void OnFieldChanged();
    void OnRun();
    void OnCancel();
    void OnAdopt();
    void OnCopy();
    void OnExportCsv();
    void OnSoilProfile();

private:
    static QString askCsvFileNameByDialog(QWidget* parent);

    struct AxisBoxes {
        QComboBox* field;
        QLineEdit* from;
        QLineEdit* to;
        QLineEdit* step;
    };

    QWidget* buildControls();
    QWidget* buildResults();
    AxisBoxes addAxisBoxes(const QString& prefix);
    void fillFieldChoice(QComboBox* box);
    Sweep::PreparePoint profileSplit() const;
    void suggestRange(const AxisBoxes& boxes);
    const SweepField* chosenField(const AxisBoxes& boxes) const;
    std::optional<SweepAxis> readAxis(const AxisBoxes& boxes);
    std::optional<DesignDemands> readDemands();
    void restoreDemands();
    void showSweep();
    void showCharts();
    void setRunning(bool running);
    std::optional<std::size_t> selectedPoint() const;
    QString tableText(char separator) const;
    void message(const QString& text);

    ProjectData base_;
    // With a profile the layers of each point are its split, so H and L can vary.
    std::optional<SoilProfile> profile_;
    std::unique_ptr<design::SweepRun> run_;
    std::optional<std::size_t> best_;

    AxisBoxes first_;
    AxisBoxes second_;
    QGroupBox* gridGroup_ = nullptr;
    QComboBox* bestChoice_ = nullptr;
    QComboBox* criterion_ = nullptr;
    QLineEdit* surcharge_ = nullptr;
    QLineEdit* allowableSettlement_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* summary_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    design::SweepTableModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QTableView* table_ = nullptr;
    QChartView* capacityView_ = nullptr;
    QChartView* settlementView_ = nullptr;
    design::PassMap* passMap_ = nullptr;
    QPushButton* copyButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* adoptButton_ = nullptr;
};
