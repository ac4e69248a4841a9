// The settlement (mm, downwards) and the fill height (m) against time in
// days, on a linear or a logarithmic time axis, with the pavement day marked
// and the residual settlement named. Shared by the "工后沉降" window and the
// calculation report.
#pragma once

#include "engine/time_settlement.h"

#include <QString>

#include <functional>
#include <optional>

class QChart;

// Draws the curve on an empty chart (no series, no axes).
void drawTimeSettlement(QChart* chart, const TimeSettlementResult& result, bool logTime);
// What makes the chart of a computed curve on a linear time axis, as the
// report prints it (each chart owned by its caller, made later on the
// interface thread); empty without a curve.
std::function<QChart*()> timeSettlementChart(const std::optional<TimeSettlementResult>& curve);

// The names of the chart's series, for the legend and the tests.
namespace time_chart_series {
inline const QString kSettlement = QStringLiteral("沉降 (mm)");
inline const QString kFill = QStringLiteral("填土高度 (m)");
inline const QString kPavement = QStringLiteral("路面完工");
}  // namespace time_chart_series
