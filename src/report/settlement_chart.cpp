#include "report/settlement_chart.h"

#include "report/report_text.h"

#include <QChart>
#include <QFont>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

QLineSeries* addSeries(QChart* chart, const QString& name, const QPen& pen)
{
    auto* series = new QLineSeries(chart);
    series->setName(name);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

// A point with a coordinate that is not finite is left out: it cannot be drawn.
void appendFinite(QList<QPointF>& points, double x, double y)
{
    if (std::isfinite(x) && std::isfinite(y))
        points.append({x, y});
}

void attach(QLineSeries* series, QValueAxis* x, QValueAxis* depth)
{
    series->attachAxis(x);
    series->attachAxis(depth);
}

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
}

// Lines print at a visible width (a zero-width pen is a hairline on paper)
// and each quantity in a colour of its own.
constexpr double kCurveWidth = 1.6;
constexpr std::size_t kMaxCurvePoints = 4000;
constexpr double kGuideWidth = 1.0;
const QColor kAdditionalColour(0, 70, 200);
const QColor kSelfWeightColour(150, 75, 0);
const QColor kLimitColour(200, 0, 160);
const QColor kSettlementColour(0, 130, 60);
const QColor kStopColour(220, 0, 0);

// Text of the chart at 9 pt, as the rest of the report and the windows.
void setChartFont(QChart* chart)
{
    QFont font = chart->font();
    font.setPointSizeF(9);
    chart->legend()->setFont(font);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(font);
        axis->setTitleFont(font);
    }
}

// A series of fewer than two points draws nothing and has no legend entry.
void hideUndrawnFromLegend(QChart* chart)
{
    for (QAbstractSeries* series : chart->series())
        if (static_cast<QLineSeries*>(series)->count() < 2)
            for (QLegendMarker* marker : chart->legend()->markers(series))
                marker->setVisible(false);
}

struct Extent {
    double stress = 1;
    double settlement = 1;
    double depth = 1;
};

Extent extentOf(const SettlementDetails& d)
{
    Extent e;
    e.stress = std::max(e.stress, finiteOr(d.load, 0));
    e.stress = std::max(e.stress, finiteOr(d.selfWeightAtTips, 0));
    for (const SettlementSlice& s : d.slices) {
        e.stress = std::max({e.stress, finiteOr(s.additionalStress, 0), finiteOr(s.selfWeightStress, 0)});
        e.settlement = std::max(e.settlement, finiteOr(s.cumulative, 0));
        e.depth = std::max(e.depth, finiteOr(s.bottom, 0));
    }
    e.stress *= 1.05;
    e.settlement *= 1.05;
    e.depth *= 1.05;
    return e;
}

void addDepthLine(QChart* chart, const QString& name, double depth, double width, const QPen& pen,
                  QValueAxis* x, QValueAxis* y)
{
    QLineSeries* line = addSeries(chart, name, pen);
    QList<QPointF> points;
    appendFinite(points, 0, depth);
    appendFinite(points, width, depth);
    line->replace(points);
    attach(line, x, y);
}

}  // namespace

SettlementChart makeSettlementChart(const ProjectData& p, const SettlementDetails& d)
{
    const Extent extent = extentOf(d);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);

    auto* stressAxis = new QValueAxis;
    stressAxis->setTitleText(QStringLiteral("应力 (kPa)"));
    stressAxis->setRange(0, extent.stress);
    auto* settlementAxis = new QValueAxis;
    settlementAxis->setTitleText(QStringLiteral("累计沉降 (mm)"));
    settlementAxis->setRange(0, extent.settlement);
    auto* depthAxis = new QValueAxis;
    depthAxis->setTitleText(QStringLiteral("深度 z (m)"));
    depthAxis->setRange(0, extent.depth);
    depthAxis->setReverse(true);
    for (QValueAxis* axis : {stressAxis, settlementAxis, depthAxis})
        axis->applyNiceNumbers();
    // One grid: the stresses' and the depths'; the settlement axis has ticks only.
    settlementAxis->setGridLineVisible(false);
    settlementAxis->setMinorGridLineVisible(false);
    chart->addAxis(stressAxis, Qt::AlignBottom);
    chart->addAxis(settlementAxis, Qt::AlignTop);
    chart->addAxis(depthAxis, Qt::AlignLeft);

    QLineSeries* additional = addSeries(chart, chart_series::kAdditionalStress, QPen(kAdditionalColour, kCurveWidth));
    QLineSeries* cumulative =
        addSeries(chart, chart_series::kCumulativeSettlement, QPen(kSettlementColour, kCurveWidth));
    // Points go in all at once: the chart recomputes its geometry per change.
    QList<QPointF> additionalPoints, cumulativePoints, selfWeightPoints, limitPoints;
    // A curve of more points than the chart has pixels shows nothing more:
    // every stride-th slice and the last are drawn, so a chart's size and
    // drawing time are bounded whatever the slices.
    const std::size_t count = d.slices.size();
    const std::size_t stride = std::max<std::size_t>(1, (count + kMaxCurvePoints - 1) / kMaxCurvePoints);
    const auto drawn = [&](std::size_t i) { return i % stride == 0 || i + 1 == count; };
    for (std::size_t i = 0; i < count; ++i) {
        if (!drawn(i))
            continue;
        const SettlementSlice& s = d.slices[i];
        appendFinite(additionalPoints, s.additionalStress, (s.top + s.bottom) / 2);
        appendFinite(cumulativePoints, s.cumulative, s.bottom);
    }
    additional->replace(additionalPoints);
    cumulative->replace(cumulativePoints);
    attach(additional, stressAxis, depthAxis);
    attach(cumulative, settlementAxis, depthAxis);

    QLineSeries* selfWeight = addSeries(chart, chart_series::kSelfWeightStress, QPen(kSelfWeightColour, kCurveWidth));
    appendFinite(selfWeightPoints, d.selfWeightAtTips, p.pileLength);
    const double ratio = stressRatioOf(d.criterion);
    QLineSeries* limit = ratio > 0 ? addSeries(chart, report_text::ratioOfSelfWeight(ratio),
                                               QPen(kLimitColour, kCurveWidth, Qt::DashLine))
                                   : nullptr;
    appendFinite(limitPoints, ratio * d.selfWeightAtTips, p.pileLength);
    for (std::size_t i = 0; i < count; ++i) {
        const SettlementSlice& s = d.slices[i];
        if (!s.tested || !drawn(i))
            continue;
        appendFinite(selfWeightPoints, s.selfWeightStress, s.bottom);
        appendFinite(limitPoints, ratio * s.selfWeightStress, s.bottom);
    }
    selfWeight->replace(selfWeightPoints);
    attach(selfWeight, stressAxis, depthAxis);
    if (limit) {
        limit->replace(limitPoints);
        attach(limit, stressAxis, depthAxis);
    }

    const QPen boundary(Qt::gray, kGuideWidth, Qt::DashLine);
    addDepthLine(chart, QStringLiteral("H = %1 m").arg(report_text::number(p.headLength)),
                 p.headLength, extent.stress, boundary, stressAxis, depthAxis);
    addDepthLine(chart, QStringLiteral("L = %1 m").arg(report_text::number(p.pileLength)),
                 p.pileLength, extent.stress, boundary, stressAxis, depthAxis);
    addDepthLine(chart, QStringLiteral("计算深度 %1 m").arg(report_text::number(d.stopDepth)),
                 d.stopDepth, extent.stress, QPen(kStopColour, kGuideWidth, Qt::DotLine), stressAxis, depthAxis);

    SettlementChart result{chart, addSeries(chart, QStringLiteral("所选"), QPen(QColor(255, 160, 0), 3))};
    attach(result.highlight, stressAxis, depthAxis);
    hideUndrawnFromLegend(chart);
    setChartFont(chart);
    return result;
}

void highlightDepths(const SettlementChart& chart, double top, double bottom)
{
    const auto* axis = static_cast<QValueAxis*>(chart.highlight->attachedAxes().at(0));
    const double width = axis->max();
    chart.highlight->clear();
    chart.highlight->append(0, top);
    chart.highlight->append(width, top);
    chart.highlight->append(width, bottom);
    chart.highlight->append(0, bottom);
    chart.highlight->append(0, top);
}
