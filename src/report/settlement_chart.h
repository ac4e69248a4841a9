// Stress and settlement against depth for one criterion's breakdown: the
// additional stress sigma z at mid-slice and the self-weight stress sigma c
// (kPa, lower axis), the cumulative settlement (mm, upper axis), depth (m)
// growing downwards, the zone boundaries H and L and the stop depth drawn
// across. Shared by the details window and the calculation report.
#pragma once

#include "engine/breakdown.h"

#include <QString>

class QChart;
class QLineSeries;

struct SettlementChart {
    QChart* chart = nullptr;           // owned by the caller
    QLineSeries* highlight = nullptr;  // a band marking one depth range, empty at first
};

SettlementChart makeSettlementChart(const ProjectData& project, const SettlementDetails& details);

// Marks the depths top..bottom (m) across the chart.
void highlightDepths(const SettlementChart& chart, double top, double bottom);

// The names of the chart's series, for the legend and the tests.
namespace chart_series {
inline const QString kAdditionalStress = QStringLiteral("附加应力 σz (kPa)");
inline const QString kSelfWeightStress = QStringLiteral("自重应力 σc (kPa)");
inline const QString kCumulativeSettlement = QStringLiteral("累计沉降 ΣS (mm)");
}  // namespace chart_series
