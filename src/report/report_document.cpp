#include "report/report_document.h"

#include "model/file_reasons.h"
#include "model/platform.h"
#include "report/report_figures.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Text positions are kept in floating point by the PDF engine, so a screen
// resolution loses nothing and keeps rich-text lengths in familiar pixels.
constexpr int kResolution = 96;

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

// Headings are of level 2, captions of level 5.
bool headingOrCaption(const QTextBlock& block)
{
    const int level = block.blockFormat().headingLevel();
    return level == 2 || level == 5;
}

// Headings and captions stay on the page of what follows them: of a table,
// its first two rows below the header rows, so that no table starts with a
// single row at a page's foot.
bool keptWithNext(const QTextBlock& block)
{
    return headingOrCaption(block) && block.next().isValid();
}

// After a table whose last cell is empty (a section governing nothing) the
// next block follows the table directly and the layout drops its top
// margin, so a heading or caption there would touch the table's frame: the
// table keeps that margin below itself instead.
void spaceHeadingsBelowTables(QTextDocument& doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        QTextTable* above = QTextCursor(block.previous()).currentTable();
        if (!above || !headingOrCaption(block) || QTextCursor(block).currentTable())
            continue;
        QTextTableFormat format = above->format();
        format.setBottomMargin(std::max(format.bottomMargin(), block.blockFormat().topMargin()));
        above->setFormat(format);
    }
}

QTextBlock firstBlockAfter(const QTextDocument& doc, const QTextBlock& block)
{
    const QTextBlock next = block.next();
    QTextCursor cursor(next);
    if (QTextTable* table = cursor.currentTable()) {
        const int row = std::min(table->format().headerRowCount() + 1, table->rows() - 1);
        return doc.findBlock(table->cellAt(row, 0).firstCursorPosition().position());
    }
    return next;
}

int pageOf(const QTextDocument& doc, const QTextBlock& block)
{
    return static_cast<int>(std::floor(doc.documentLayout()->blockBoundingRect(block).top() / doc.pageSize().height()));
}

// Starts a new page at `block`, with the heading and caption directly
// above it.
void breakBefore(QTextBlock block)
{
    for (int above = 0; above < 2 && block.previous().isValid() && keptWithNext(block.previous()); ++above)
        block = block.previous();
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

// Starts a new page at the table that starts at `block`, with the caption
// or heading above it; a table's own break, not its first cell's, which
// the layout would repeat with the header rows on every page.
void breakBeforeTable(QTextTable& table, const QTextBlock& block)
{
    if (keptWithNext(block.previous())) {
        breakBefore(block.previous());
        return;
    }
    QTextTableFormat format = table.format();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    table.setFormat(format);
}

// The table that starts at this block: its first cell's first block.
QTextTable* tableStartingAt(const QTextBlock& block)
{
    QTextTable* table = QTextCursor(block).currentTable();
    return table && table->cellAt(0, 0).firstCursorPosition().block() == block ? table : nullptr;
}

// A table short enough to stand on half a page that the layout split over
// two: a row or two, a conclusion, left alone on a page.
bool splitShortTable(const QTextDocument& doc, const QTextTable& table)
{
    const QTextBlock first = table.cellAt(0, 0).firstCursorPosition().block();
    const QTextBlock last = table.cellAt(table.rows() - 1, 0).lastCursorPosition().block();
    const QRectF top = doc.documentLayout()->blockBoundingRect(first);
    const QRectF bottom = doc.documentLayout()->blockBoundingRect(last);
    return pageOf(doc, first) != pageOf(doc, last) && bottom.bottom() - top.top() < doc.pageSize().height() / 2;
}

// Moves each heading and caption that the layout left at a page's foot,
// and each short table it split, to the next page, top down; each block
// moves once at most. The layout runs block by block as it goes, so `stop`
// is asked at each; false when it said stop.
bool keepHeadingsWithText(QTextDocument& doc, const std::function<bool()>& stop)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (stop())
            return false;
        if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
            continue;
        if (QTextTable* table = tableStartingAt(block)) {
            if (splitShortTable(doc, *table) && block.previous().isValid())
                breakBeforeTable(*table, block);
            continue;
        }
        if (keptWithNext(block) && pageOf(doc, block) != pageOf(doc, firstBlockAfter(doc, block)))
            breakBefore(block);
    }
    return !stop();
}

void drawPageFrame(QPainter& painter, const PageGeometry& g, const QString& projectName, const QString& title,
                   int pageNumber, int pageCount)
{
    painter.save();
    painter.setFont(reportFont(9));
    painter.setPen(Qt::black);
    const QRectF header(0, 0, g.page.width(), g.band * 0.7);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, projectName);
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom, title);
    painter.drawLine(QPointF(0, g.band * 0.75), QPointF(g.page.width(), g.band * 0.75));
    const QRectF footer(0, g.page.height() - g.band * 0.7, g.page.width(), g.band * 0.7);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("第 %1 页 共 %2 页").arg(pageNumber).arg(pageCount));
    painter.restore();
}

// Paints the laid-out document page by page between the header and footer
// bands; nothing of the body, a table's frame included, reaches the bands.
// Counts the pages painted in `progress` and stops when it is cancelled.
bool paintPages(QPdfWriter& writer, QTextDocument& doc, const PageGeometry& g, const QString& projectName,
                const QString& title, ReportProgress* progress)
{
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pageCount = doc.pageCount();
    if (progress)
        progress->pageCount = pageCount;
    for (int i = 0; i < pageCount && !(progress && progress->cancelled); ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.setClipRect(g.body);
        painter.translate(g.body.left(), g.body.top() - i * g.body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * g.body.height(), g.body.width(), g.body.height());
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        drawPageFrame(painter, g, projectName, title, i + 1, pageCount);
        if (progress)
            progress->pagesPainted = i + 1;
    }
    return painter.end();
}

}  // namespace

QSizeF figureSize(const QTextDocument* doc, double proportion)
{
    // A figure leaves room on its page for its heading and caption.
    const double width = doc->pageSize().width() * 0.95;
    const double tallest = doc->pageSize().height() * 0.8;
    if (width * proportion <= tallest)
        return {width, width * proportion};
    return {tallest / proportion, tallest};
}

ReportDocument::ReportDocument(const QString& title, ReportProgress* progress)
    : title_(title), progress_(progress), writer_(&pdf_), nextObjectType_(QTextFormat::UserObject + 1)
{
    pdf_.open(QIODevice::WriteOnly);
    writer_.setResolution(kResolution);
    writer_.setTitle(title);
    writer_.setCreator(programName());
    writer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 12, 20, 12),
                                      QPageLayout::Millimeter));
    doc_.documentLayout()->setPaintDevice(&writer_);
    doc_.setDefaultFont(reportFont(10));
    doc_.setUseDesignMetrics(true);
    doc_.setPageSize(pageGeometry(writer_).body.size());
}

// The text goes into a frame of its own: the document's top frame skips to
// the first block of a page by positions it noted while laying out, and a
// block moved to the next page by a page break can be skipped that way;
// blocks of an inner frame are each tested against the page.
void ReportDocument::setHtml(const QString& html)
{
    if (cancelled())
        return;
    doc_.clear();
    QTextCursor cursor(&doc_);
    cursor.insertFrame(QTextFrameFormat());
    cursor.insertHtml(html);
    // One edit, laid out once: each table's format set apart would lay the
    // document out again from that table.
    cursor.beginEditBlock();
    spaceHeadingsBelowTables(doc_);
    cursor.endEditBlock();
}

void ReportDocument::placeFigure(const QString& marker, QTextObjectInterface* figure)
{
    if (cancelled())
        return;
    QTextCursor cursor = doc_.find(marker);
    if (cursor.isNull())
        return;
    const int type = nextObjectType_++;
    doc_.documentLayout()->registerHandler(type, dynamic_cast<QObject*>(figure));
    QTextCharFormat format;
    format.setObjectType(type);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

ReportStatus ReportDocument::write(const QString& path, const QString& projectName)
{
    const ReportStatus stopped{false, QString(), true};
    if (!keepHeadingsWithText(doc_, [this] { return cancelled(); }))
        return stopped;
    const bool painted = paintPages(writer_, doc_, pageGeometry(writer_), projectName, title_, progress_);
    if (cancelled())
        return stopped;
    if (!painted)
        return {false, QStringLiteral("无法生成计算书")};
    const platform::FileOutcome outcome = platform::replaceFile(
        path.toStdString(), std::string_view(pdf_.data().constData(), static_cast<std::size_t>(pdf_.data().size())));
    if (!outcome.ok())
        return {false, QString::fromStdString(saveFailure(path.toStdString(), outcome, "计算书文件"))};
    return {};
}
