// How the settlement was computed under the project's stop criterion: the
// stress-depth chart, the zone totals with the stop test, and the table of
// layers or, on demand, of every slice. Selecting a row marks its depths in
// the chart.
#pragma once

#include "engine/breakdown.h"
#include "report/settlement_chart.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QTableWidget;

namespace details {

// Slices the slice table lists at most: a window's memory is bounded
// whatever the layers; every slice is in `orvane-cli --json --details`.
inline constexpr int kMaxSliceRows = 5000;

class SettlementDetailsWindow : public QWidget {
    Q_OBJECT
public:
    explicit SettlementDetailsWindow(const ProjectData& project, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QCheckBox* slicesCheck() const { return slicesCheck_; }
    QLabel* sliceNote() const { return sliceNote_; }
    const SettlementChart& chart() const { return chart_; }

private:
    void showRows();
    void highlightSelectedRow();

    ProjectData project_;
    SettlementDetails details_;
    SettlementChart chart_;
    QTableWidget* table_;
    QCheckBox* slicesCheck_;
    QLabel* sliceNote_;  // says when the slice table lists only the first slices
};

}  // namespace details
