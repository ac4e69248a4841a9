// Building blocks of the report's rich text (Qt's HTML subset). Every value
// that is not markup goes through esc(): a criterion such as "σz < 0.2σc"
// would otherwise open a tag and swallow the rest of its paragraph.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace report_html {

QString esc(const QString& text);
// A section heading "N title"; the pager keeps it on the page of what follows.
QString heading(const QString& number, const QString& title);
// A paragraph of plain text, and one of markup built by the caller.
QString text(const QString& plain);
QString markup(const QString& html);
// A line introducing a table or a figure, kept on the page of what follows.
QString caption(const QString& html);
// An indented line of arithmetic, as markup.
QString formula(const QString& html);
// A warning a reviewer must not miss, bold.
QString warning(const QString& plain);
// A framed table whose header row is repeated on every page it spans; cells
// are markup.
QString table(const QStringList& header, const QList<QStringList>& rows);
// A symbol with a subscript: sub("f", "spk") is f<sub>spk</sub>.
QString sub(const QString& base, const QString& subscript);

}  // namespace report_html
