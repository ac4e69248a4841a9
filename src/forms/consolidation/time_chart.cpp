#include "forms/consolidation/time_chart.h"

#include "report/time_settlement_chart.h"

#include <QChart>
#include <QLineSeries>

namespace consolidation {
namespace {

using namespace time_chart_series;

QLineSeries* seriesNamed(const QChart* chart, const QString& name)
{
    for (QAbstractSeries* series : chart->series())
        if (series->name() == name)
            return static_cast<QLineSeries*>(series);
    return nullptr;
}

}  // namespace

TimeChart::TimeChart(QWidget* parent) : QChartView(new QChart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(480, 300);
}

void TimeChart::clear()
{
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis);
    c->setTitle(QString());
}

void TimeChart::show(const TimeSettlementResult& r, bool logTime)
{
    logTime_ = logTime;
    clear();
    drawTimeSettlement(chart(), r, logTime);
}

QList<QPointF> TimeChart::settlementPoints() const
{
    const QLineSeries* series = seriesNamed(chart(), kSettlement);
    return series ? series->points() : QList<QPointF>{};
}

QList<QPointF> TimeChart::fillPoints() const
{
    const QLineSeries* series = seriesNamed(chart(), kFill);
    return series ? series->points() : QList<QPointF>{};
}

QString TimeChart::titleText() const { return chart()->title(); }

}  // namespace consolidation
