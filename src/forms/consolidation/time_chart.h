// The chart of the "工后沉降" window: the settlement (mm, downwards) and the
// fill height (m) against time in days, on a linear or a logarithmic time
// axis, with the pavement day marked and the residual settlement named.
#pragma once

#include "engine/time_settlement.h"

#include <QChartView>

namespace consolidation {

class TimeChart : public QChartView {
    Q_OBJECT
public:
    explicit TimeChart(QWidget* parent = nullptr);

    void show(const TimeSettlementResult& result, bool logTime);
    // Nothing drawn: the results shown no longer hold for the inputs.
    void clear();
    // The points drawn, for tests: settlement (day, mm) and fill (day, m).
    QList<QPointF> settlementPoints() const;
    QList<QPointF> fillPoints() const;
    QString titleText() const;
    bool logTime() const { return logTime_; }

private:
    bool logTime_ = false;
};

}  // namespace consolidation
