#include "report/calculation_report.h"

#include "engine/breakdown.h"
#include "report/report_content.h"
#include "report/settlement_chart.h"

#include "orvane_version.h"

#include <QAbstractTextDocumentLayout>
#include <QChart>
#include <QGraphicsScene>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

#include <memory>

namespace {

// Text positions are kept in floating point by the PDF engine, so a screen
// resolution loses nothing and keeps rich-text lengths in familiar pixels.
constexpr int kResolution = 96;
constexpr int kChartObject = QTextFormat::UserObject + 1;
// A Latin-and-Chinese face with TrueType outlines: Qt embeds a subset of it,
// so the Chinese text stays text.
const QString kReportFont = QStringLiteral("WenQuanYi Micro Hei");

// Windows has no WenQuanYi: its own Chinese sans faces stand in.
void substituteReportFont()
{
    static const bool substituted = [] {
        QFont::insertSubstitutions(kReportFont, {QStringLiteral("Microsoft YaHei"), QStringLiteral("SimHei"),
                                                 QStringLiteral("Noto Sans CJK SC")});
        return true;
    }();
    Q_UNUSED(substituted);
}
const QSizeF kChartLogicalSize(760, 520);

// Draws the chart wherever the layout put its object, as vector graphics.
class ChartObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit ChartObject(QChart* chart) : chart_(chart)
    {
        scene_.addItem(chart);
        chart->resize(kChartLogicalSize);
    }

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override
    {
        const double width = doc->pageSize().width() * 0.95;
        return {width, width * kChartLogicalSize.height() / kChartLogicalSize.width()};
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override
    {
        scene_.render(painter, rect, QRectF(QPointF(), kChartLogicalSize));
    }

private:
    QGraphicsScene scene_;
    QChart* chart_;  // owned by the scene
};

void insertChart(QTextDocument& doc, int objectType)
{
    QTextCursor cursor = doc.find(kChartMarker);
    if (cursor.isNull())
        return;
    QTextCharFormat format;
    format.setObjectType(objectType);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void drawPageFrame(QPainter& painter, const QRectF& page, double band, const QString& projectName,
                   int pageNumber, int pageCount)
{
    painter.save();
    QFont font(kReportFont, 9);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRectF header(0, 0, page.width(), band * 0.7);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, projectName);
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom, reportTitle());
    painter.drawLine(QPointF(0, band * 0.75), QPointF(page.width(), band * 0.75));
    const QRectF footer(0, page.height() - band * 0.7, page.width(), band * 0.7);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("第 %1 页 共 %2 页").arg(pageNumber).arg(pageCount));
    painter.restore();
}

// Lays the document out on the writer's pages under a header band and above
// a footer band, page by page.
bool paintPages(QPdfWriter& writer, QTextDocument& doc, const QString& projectName)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const QRectF page(QPointF(), writer.pageLayout().paintRectPixels(kResolution).size());
    const double band = page.height() * 0.05;
    const QRectF body(0, band, page.width(), page.height() - 2 * band);
    doc.setPageSize(body.size());
    const int pageCount = doc.pageCount();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(body.left(), body.top() - i * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * body.height(), body.width(), body.height());
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        drawPageFrame(painter, page, band, projectName, i + 1, pageCount);
    }
    return painter.end();
}

}  // namespace

QString programName()
{
    return QStringLiteral("Orvane ") + QString::fromLatin1(orvane::kVersion);
}

QString reportTitle()
{
    return QStringLiteral("T形水泥土搅拌桩复合地基计算书");
}

ReportStatus writeCalculationReport(const ReportRequest& request, const QString& path)
{
    const CapacityTerms capacity = capacityTerms(request.project);
    const SettlementDetails settlement =
        settlementDetails(request.project, request.project.stopCriterion);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, QStringLiteral("无法写入文件：%1").arg(file.errorString())};
    QPdfWriter writer(&file);
    writer.setResolution(kResolution);
    writer.setTitle(reportTitle());
    writer.setCreator(programName());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 12, 20, 12), QPageLayout::Millimeter));

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    substituteReportFont();
    doc.setDefaultFont(QFont(kReportFont, 10));
    ChartObject chart(makeSettlementChart(request.project, settlement).chart);
    doc.documentLayout()->registerHandler(kChartObject, &chart);
    doc.setHtml(reportHtml(request, capacity, settlement));
    insertChart(doc, kChartObject);

    if (!paintPages(writer, doc, request.projectName) || !file.commit())
        return {false, QStringLiteral("无法写入文件：%1").arg(file.errorString())};
    return {};
}

#include "calculation_report.moc"
