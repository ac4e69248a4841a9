#include "report/report_figures.h"

#include "report/calculation_drawing.h"
#include "report/report_document.h"

#include <QAbstractAxis>
#include <QChart>
#include <QCoreApplication>
#include <QFont>
#include <QLegend>
#include <QFontDatabase>
#include <QGraphicsScene>
#include <QPainter>
#include <QThread>

namespace {

constexpr double kChartProportion = 0.72;
// A Latin-and-Chinese face with TrueType outlines: Qt embeds a subset of it,
// so the Chinese text stays text. Built into the program (see CMakeLists).
const QString kReportFont = QStringLiteral("WenQuanYi Micro Hei");

}  // namespace

bool loadReportFont()
{
    static const bool loaded = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/wqy-microhei.ttc")) >= 0;
    return loaded;
}

QString reportFontFamily()
{
    loadReportFont();
    return kReportFont;
}

QByteArray svgInReportFace(const QByteArray& svg)
{
    return QByteArray(svg).replace("font-family=\"sans-serif\"", "font-family=\"" + reportFontFamily().toUtf8() + "\"");
}

QFont reportFont(double pointSize)
{
    QFont font(reportFontFamily());
    font.setPointSizeF(pointSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

namespace {

// The chart's texts in the report's face, at the sizes the chart gave them:
// the interface's face differs from system to system.
void setReportFace(QChart* chart)
{
    const auto inReportFace = [](const QFont& font) {
        QFont face = reportFont(font.pointSizeF());
        face.setWeight(font.weight());
        return face;
    };
    chart->setTitleFont(inReportFace(chart->titleFont()));
    chart->legend()->setFont(inReportFace(chart->legend()->font()));
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(inReportFace(axis->labelsFont()));
        axis->setTitleFont(inReportFace(axis->titleFont()));
    }
}

// Runs `work` on the thread of the application's objects and waits for it;
// at once when called there.
void onInterfaceThread(const std::function<void()>& work)
{
    QObject* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread())
        work();
    else
        QMetaObject::invokeMethod(application, work, Qt::BlockingQueuedConnection);
}

}  // namespace

ChartFigure::ChartFigure(std::function<QChart*()> makeChart, const QTextDocument& doc)
    : makeChart_(std::move(makeChart)), size_(figureSize(&doc, kChartProportion))
{
}

QSizeF ChartFigure::intrinsicSize(QTextDocument* doc, int, const QTextFormat&)
{
    return figureSize(doc, kChartProportion);
}

// The painter is the report's, which waits meanwhile.
void ChartFigure::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&)
{
    onInterfaceThread([&] {
        QGraphicsScene scene;  // owns the chart
        QChart* chart = makeChart_();
        setReportFace(chart);
        scene.addItem(chart);
        chart->resize(size_);
        scene.render(painter, rect, QRectF(QPointF(), chart->size()));
    });
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
    QByteArray inReportFace = svgInReportFace(svg);
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
