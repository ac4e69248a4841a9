#include "report/calculation_report.h"

#include "engine/breakdown.h"
#include "model/file_reasons.h"
#include "model/platform.h"
#include "report/calculation_drawing.h"
#include "report/report_content.h"
#include "report/report_sections.h"
#include "report/settlement_chart.h"

#include "orvane_version.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QChart>
#include <QGraphicsScene>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <QTextTable>

#include <cmath>

namespace {

// Text positions are kept in floating point by the PDF engine, so a screen
// resolution loses nothing and keeps rich-text lengths in familiar pixels.
constexpr int kResolution = 96;
constexpr int kChartObject = QTextFormat::UserObject + 1;
constexpr int kDrawingObject = QTextFormat::UserObject + 2;
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
// A figure as wide as the text, of the given proportions.
QSizeF figureSize(const QTextDocument* doc, double proportion)
{
    const double width = doc->pageSize().width() * 0.95;
    return {width, width * proportion};
}
constexpr double kChartProportion = 0.72;

// Draws the chart wherever the layout put its object, as vector graphics,
// at its printed size: its 9 pt text prints at 9 pt.
class ChartObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    ChartObject(QChart* chart, const QTextDocument& doc) : chart_(chart)
    {
        scene_.addItem(chart);
        chart->resize(figureSize(&doc, kChartProportion));
    }

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override
    {
        return figureSize(doc, kChartProportion);
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override
    {
        scene_.render(painter, rect, QRectF(QPointF(), chart_->size()));
    }

private:
    QChart* chart_;
    QGraphicsScene scene_;  // owns the chart
};

class DrawingObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    DrawingObject(const ProjectData& project, const SettlementDetails& settlement)
        : project_(project), settlement_(settlement) {}

    QSizeF intrinsicSize(QTextDocument* doc, int, const QTextFormat&) override
    {
        return figureSize(doc, kDrawingLogicalSize.height() / kDrawingLogicalSize.width());
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat&) override
    {
        drawCalculationDrawing(*painter, rect, project_, settlement_);
    }

private:
    const ProjectData& project_;
    const SettlementDetails& settlement_;
};

void insertObject(QTextDocument& doc, const QString& marker, int objectType)
{
    QTextCursor cursor = doc.find(marker);
    if (cursor.isNull())
        return;
    QTextCharFormat format;
    format.setObjectType(objectType);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// Headings (level 2) and captions (level 5) stay on the page of what
// follows them: of a table, its first row below the header rows.
bool keptWithNext(const QTextBlock& block)
{
    const int level = block.blockFormat().headingLevel();
    return (level == 2 || level == 5) && block.next().isValid();
}

QTextBlock firstBlockAfter(const QTextDocument& doc, const QTextBlock& block)
{
    const QTextBlock next = block.next();
    QTextCursor cursor(next);
    if (QTextTable* table = cursor.currentTable()) {
        const int row = std::min(table->format().headerRowCount(), table->rows() - 1);
        return doc.findBlock(table->cellAt(row, 0).firstCursorPosition().position());
    }
    return next;
}

int pageOf(const QTextDocument& doc, const QTextBlock& block)
{
    return static_cast<int>(std::floor(doc.documentLayout()->blockBoundingRect(block).top() / doc.pageSize().height()));
}

// Moves each heading and caption that the layout left at a page's foot to
// the next page, top down; each block moves once at most.
void keepHeadingsWithText(QTextDocument& doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!keptWithNext(block) || block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue;
        const QTextBlock next = firstBlockAfter(doc, block);
        if (pageOf(doc, block) == pageOf(doc, next))
            continue;
        // A heading directly above this caption goes with it.
        QTextBlock first = block;
        if (block.previous().isValid() && keptWithNext(block.previous()))
            first = block.previous();
        QTextBlockFormat format;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(first).mergeBlockFormat(format);
    }
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

struct PageGeometry {
    QRectF page;
    double band;  // height of the header and of the footer
    QRectF body;
};

PageGeometry pageGeometry(const QPdfWriter& writer)
{
    const QRectF page(QPointF(), writer.pageLayout().paintRectPixels(kResolution).size());
    const double band = page.height() * 0.05;
    return {page, band, QRectF(0, band, page.width(), page.height() - 2 * band)};
}

// Paints the laid-out document page by page between the header and footer
// bands; nothing of the body, a table's frame included, reaches the bands.
bool paintPages(QPdfWriter& writer, QTextDocument& doc, const PageGeometry& g, const QString& projectName)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pageCount = doc.pageCount();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(g.body);
        painter.translate(g.body.left(), g.body.top() - i * g.body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * g.body.height(), g.body.width(), g.body.height());
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        drawPageFrame(painter, g.page, g.band, projectName, i + 1, pageCount);
    }
    return painter.end();
}

QString writeFailure(const QString& path, const platform::FileOutcome& outcome)
{
    return QString::fromStdString(saveFailure(path.toStdString(), outcome, "计算书文件"));
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
    const SettlementDetails settlement = settlementDetails(request.project, request.project.stopCriterion);

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(kResolution);
    writer.setTitle(reportTitle());
    writer.setCreator(programName());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 12, 20, 12),
                                     QPageLayout::Millimeter));
    const PageGeometry geometry = pageGeometry(writer);

    QTextDocument doc;
    doc.documentLayout()->setPaintDevice(&writer);
    substituteReportFont();
    doc.setDefaultFont(QFont(kReportFont, 10));
    doc.setPageSize(geometry.body.size());
    ChartObject chart(makeSettlementChart(request.project, settlement).chart, doc);
    DrawingObject drawing(request.project, settlement);
    doc.documentLayout()->registerHandler(kChartObject, &chart);
    doc.documentLayout()->registerHandler(kDrawingObject, &drawing);
    doc.setHtml(reportHtml(request, capacity, settlement));
    insertObject(doc, kChartMarker, kChartObject);
    insertObject(doc, kDrawingMarker, kDrawingObject);
    keepHeadingsWithText(doc);

    if (!paintPages(writer, doc, geometry, request.projectName))
        return {false, QStringLiteral("无法生成计算书")};
    const platform::FileOutcome outcome =
        platform::replaceFile(path.toStdString(), std::string_view(pdf.data().constData(), pdf.data().size()));
    if (!outcome.ok())
        return {false, writeFailure(path, outcome)};
    return {};
}

#include "calculation_report.moc"
