// The pages of a report: rich text laid out on A4 between a header band
// (the project's name and the report's title) and a footer band
// ("第 N 页 共 M 页"), its figures drawn as vector graphics where markers
// stand in the text, written as PDF with the Chinese text embedded as a
// font subset (searchable, copyable).
#pragma once

#include "report/calculation_report.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSizeF>
#include <QTextDocument>

#include <memory>

class QTextObjectInterface;

// The body's size of a figure as wide as the text, of the given proportions
// (height over width).
QSizeF figureSize(const QTextDocument* doc, double proportion);

class ReportDocument {
public:
    // Stops at the next block or page once the progress is cancelled.
    explicit ReportDocument(const QString& title, ReportProgress* progress = nullptr);
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    const QTextDocument& text() const { return doc_; }
    void setHtml(const QString& html);
    // The first marker still in the text becomes an object the figure draws;
    // the figure must outlive the document.
    void placeFigure(const QString& marker, QTextObjectInterface* figure);
    // Lays the pages out and saves them by the rules a project file is saved
    // by: atomic, a link followed, a replaced file's permissions kept, a
    // read-only or special target refused. Cancelled, it writes nothing.
    ReportStatus write(const QString& path, const QString& projectName);

private:
    bool cancelled() const { return progress_ && progress_->cancelled; }

    QString title_;
    ReportProgress* progress_;
    QBuffer pdf_;
    QPdfWriter writer_;
    QTextDocument doc_;
    int nextObjectType_;
};
