#include "report/time_settlement_chart.h"

#include "report/report_text.h"

#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>

using namespace time_chart_series;

namespace {

QAbstractAxis* timeAxis(bool logTime)
{
    if (logTime) {
        auto* axis = new QLogValueAxis;
        axis->setBase(10);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setTitleText(QStringLiteral("时间 (天，对数)"));
        return axis;
    }
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setTitleText(QStringLiteral("时间 (天)"));
    return axis;
}

}  // namespace

void drawTimeSettlement(QChart* c, const TimeSettlementResult& r, bool logTime)
{
    auto* settlement = new QLineSeries;
    settlement->setName(kSettlement);
    auto* fill = new QLineSeries;
    fill->setName(kFill);
    double largest = 0;
    for (const TimeSettlement& point : r.curve) {
        if (logTime && !(point.day > 0))
            continue;  // day 0 has no place on a logarithmic axis
        settlement->append(point.day, point.settlement);
        fill->append(point.day, point.fillHeight);
        largest = std::max(largest, point.settlement);
    }
    auto* pavement = new QLineSeries;
    pavement->setName(kPavement);
    if (!logTime || r.pavementDay > 0) {
        pavement->append(r.pavementDay, 0);
        pavement->append(r.pavementDay, std::max(largest, r.final));
    }
    for (QLineSeries* series : {settlement, fill, pavement})
        c->addSeries(series);
    QAbstractAxis* time = timeAxis(logTime);
    auto* mm = new QValueAxis;
    mm->setTitleText(kSettlement);
    mm->setRange(0, std::max(r.final, largest) * 1.05);
    mm->setReverse(true);
    auto* metres = new QValueAxis;
    metres->setTitleText(kFill);
    c->addAxis(time, Qt::AlignBottom);
    c->addAxis(mm, Qt::AlignLeft);
    c->addAxis(metres, Qt::AlignRight);
    for (QLineSeries* series : {settlement, pavement}) {
        series->attachAxis(time);
        series->attachAxis(mm);
    }
    fill->attachAxis(time);
    fill->attachAxis(metres);
    // Ticks at round values (1, 2 or 5 × 10ⁿ); the fill axis starts at the
    // ground, as the settlement axis does.
    if (auto* linear = qobject_cast<QValueAxis*>(time))
        linear->applyNiceNumbers();
    mm->applyNiceNumbers();
    metres->setMin(0);
    metres->applyNiceNumbers();
    c->setTitle(QStringLiteral("工后沉降 %1 mm，路面完工后剩余沉降 %2 mm")
                    .arg(report_text::fixed(r.postConstruction, 2), report_text::fixed(r.residual, 2)));
}

std::function<QChart*()> timeSettlementChart(const std::optional<TimeSettlementResult>& computed)
{
    if (!computed)
        return {};
    return [curve = *computed] {
        auto* chart = new QChart;
        drawTimeSettlement(chart, curve, false);
        return chart;
    };
}
