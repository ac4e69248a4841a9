// How the settlement was computed under the project's stop criterion: the
// stress-depth chart, the zone totals with the stop test, and the table of
// layers or, on demand, of every slice. Selecting a row marks its depths in
// the chart.
#pragma once

#include "engine/breakdown.h"
#include "report/settlement_chart.h"

#include <QWidget>

class QCheckBox;
class QTableWidget;

namespace details {

class SettlementDetailsWindow : public QWidget {
    Q_OBJECT
public:
    explicit SettlementDetailsWindow(const ProjectData& project, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QCheckBox* slicesCheck() const { return slicesCheck_; }
    const SettlementChart& chart() const { return chart_; }

private:
    void showRows();
    void highlightSelectedRow();

    ProjectData project_;
    SettlementDetails details_;
    SettlementChart chart_;
    QTableWidget* table_;
    QCheckBox* slicesCheck_;
};

}  // namespace details
