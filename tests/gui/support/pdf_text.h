// The text of a PDF as pdftotext lays it out, pages separated by form
// feeds, and its faces; empty when it cannot be read.
#pragma once

#include <QString>
#include <QStringList>

namespace testing_support {

QString pdfText(const QString& path);
// The faces a PDF embeds, as pdffonts names them; empty when it cannot be
// read.
QStringList pdfFaces(const QString& path);

}  // namespace testing_support
