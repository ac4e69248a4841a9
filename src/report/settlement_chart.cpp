#include "report/settlement_chart.h"

#include "report/report_text.h"

#include <QChart>
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

void attach(QLineSeries* series, QValueAxis* x, QValueAxis* depth)
{
    series->attachAxis(x);
    series->attachAxis(depth);
}

double finiteOr(double value, double fallback)
{
    return std::isfinite(value) ? value : fallback;
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
    line->append(0, depth);
    line->append(width, depth);
    attach(line, x, y);
}

}  // namespace

SettlementChart makeSettlementChart(const ProjectData& p, const SettlementDetails& d)
{
    const Extent extent = extentOf(d);
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignRight);

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
    chart->addAxis(stressAxis, Qt::AlignBottom);
    chart->addAxis(settlementAxis, Qt::AlignTop);
    chart->addAxis(depthAxis, Qt::AlignLeft);

    QLineSeries* additional = addSeries(chart, chart_series::kAdditionalStress, QPen(Qt::blue, 0));
    QLineSeries* cumulative =
        addSeries(chart, chart_series::kCumulativeSettlement, QPen(Qt::darkGreen, 0));
    for (const SettlementSlice& s : d.slices) {
        additional->append(s.additionalStress, (s.top + s.bottom) / 2);
        cumulative->append(s.cumulative, s.bottom);
    }
    attach(additional, stressAxis, depthAxis);
    attach(cumulative, settlementAxis, depthAxis);

    QLineSeries* selfWeight = addSeries(chart, chart_series::kSelfWeightStress, QPen(Qt::darkRed, 0));
    selfWeight->append(d.selfWeightAtTips, p.pileLength);
    const double ratio = stressRatioOf(d.criterion);
    QLineSeries* limit = ratio > 0 ? addSeries(chart, report_text::ratioOfSelfWeight(ratio),
                                               QPen(Qt::darkRed, 0, Qt::DashLine))
                                   : nullptr;
    if (limit)
        limit->append(ratio * d.selfWeightAtTips, p.pileLength);
    for (const SettlementSlice& s : d.slices) {
        if (!s.tested)
            continue;
        selfWeight->append(s.selfWeightStress, s.bottom);
        if (limit)
            limit->append(ratio * s.selfWeightStress, s.bottom);
    }
    attach(selfWeight, stressAxis, depthAxis);
    if (limit)
        attach(limit, stressAxis, depthAxis);

    const QPen boundary(Qt::gray, 0, Qt::DashLine);
    addDepthLine(chart, QStringLiteral("H = %1 m").arg(report_text::number(p.headLength)),
                 p.headLength, extent.stress, boundary, stressAxis, depthAxis);
    addDepthLine(chart, QStringLiteral("L = %1 m").arg(report_text::number(p.pileLength)),
                 p.pileLength, extent.stress, boundary, stressAxis, depthAxis);
    addDepthLine(chart, QStringLiteral("计算深度 %1 m").arg(report_text::number(d.stopDepth)),
                 d.stopDepth, extent.stress, QPen(Qt::red, 0, Qt::DotLine), stressAxis, depthAxis);

    SettlementChart result{chart, addSeries(chart, QStringLiteral("所选"), QPen(QColor(255, 160, 0), 3))};
    attach(result.highlight, stressAxis, depthAxis);
    for (QLegendMarker* marker : chart->legend()->markers(result.highlight))
        marker->setVisible(false);
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
