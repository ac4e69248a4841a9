#include "report/report_html.h"

namespace report_html {

QString esc(const QString& text)
{
    return text.toHtmlEscaped();
}

QString heading(const QString& number, const QString& title)
{
    return QStringLiteral("<h2 style=\"font-size:14pt\">%1 %2</h2>").arg(esc(number), esc(title));
}

QString text(const QString& plain)
{
    return markup(esc(plain));
}

QString markup(const QString& html)
{
    return QStringLiteral("<p>%1</p>").arg(html);
}

// A heading level of its own marks the lines the pager keeps with the next
// block; it is set in the body's font.
QString caption(const QString& html)
{
    return QStringLiteral("<h5 style=\"font-size:10pt; font-weight:normal\">%1</h5>").arg(html);
}

QString formula(const QString& html)
{
    return QStringLiteral("<p style=\"margin-left:12pt\">%1</p>").arg(html);
}

QString warning(const QString& plain)
{
    return QStringLiteral("<p><b>注意：%1</b></p>").arg(esc(plain));
}

QString table(const QStringList& header, const QList<QStringList>& rows)
{
    QString html = QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>");
    for (const QString& cell : header)
        html += QStringLiteral("<th>%1</th>").arg(cell);
    html += QStringLiteral("</tr></thead>");
    for (const QStringList& cells : rows) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : cells)
            html += QStringLiteral("<td>%1</td>").arg(cell);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString sub(const QString& base, const QString& subscript)
{
    return QStringLiteral("%1<sub>%2</sub>").arg(base, subscript);
}

}  // namespace report_html
