#include "report/report_figures.h"

#include "report/calculation_drawing.h"
#include "report/report_document.h"

#include <QChart>
#include <QFont>
#include <QPainter>

namespace {

constexpr double kChartProportion = 0.72;
// A Latin-and-Chinese face with TrueType outlines: Qt embeds a subset of it,
// so the Chinese text stays text.
const QString kReportFont = QStringLiteral("WenQuanYi Micro Hei");

}  // namespace

QString reportFontFamily()
{
    // Windows has no WenQuanYi: its own Chinese sans faces stand in.
    static const bool substituted = [] {
        QFont::insertSubstitutions(kReportFont, {QStringLiteral("Microsoft YaHei"), QStringLiteral("SimHei"),
                                                 QStringLiteral("Noto Sans CJK SC")});
        return true;
    }();
    Q_UNUSED(substituted);
    return kReportFont;
}

ChartFigure::ChartFigure(QChart* chart, const QTextDocument& doc) : chart_(chart)
{
    scene_.addItem(chart);
    chart->resize(figureSize(&doc, kChartProportion));
}

QSizeF ChartFigure::intrinsicSize(QTextDocument* doc, int, const QTextFormat&)
{
    return figureSize(doc, kChartProportion);
}

void ChartFigure::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&)
{
    scene_.render(painter, rect, QRectF(QPointF(), chart_->size()));
}

QSizeF DrawingFigure::intrinsicSize(QTextDocument* doc, int, const QTextFormat&)
{
    return figureSize(doc, kDrawingLogicalSize.height() / kDrawingLogicalSize.width());
}

void DrawingFigure::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&)
{
    drawCalculationDrawing(*painter, rect, project_, settlement_);
}

// The picture is drawn narrower than it was laid out for, so its text is
// set a size larger to stay readable in print.
SvgFigure::SvgFigure(const QByteArray& svg)
{
    QByteArray inReportFace = svg;
    inReportFace.replace("font-family=\"sans-serif\"", "font-family=\"" + reportFontFamily().toUtf8() + "\"");
    inReportFace.replace("font-size=\"12\"", "font-size=\"14\"");
    renderer_.load(inReportFace);
}

QSizeF SvgFigure::intrinsicSize(QTextDocument* doc, int, const QTextFormat&)
{
    const QSizeF size = renderer_.defaultSize();
    return figureSize(doc, size.isEmpty() ? 0.5 : size.height() / size.width());
}

void SvgFigure::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&)
{
    renderer_.render(painter, rect);
}
