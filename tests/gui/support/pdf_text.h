// The text of a PDF as pdftotext lays it out, pages separated by form
// feeds; empty when it cannot be read.
#pragma once

#include <QString>

namespace testing_support {

QString pdfText(const QString& path);

}  // namespace testing_support
