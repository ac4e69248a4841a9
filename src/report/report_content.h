// The body of the calculation report as rich text, with one marker where
// the calculation drawing goes and one where the settlement chart goes.
#pragma once

#include "report/calculation_report.h"

#include <QString>

#include <memory>

class SvgFigure;

QString reportHtml(const ReportRequest& request, const ReportResults& results);
// The numbered sections alone, from the overview to the summary: without
// the cover and the appendix.
QString reportSectionsHtml(const ReportRequest& request, const ReportResults& results);
// The figure of the critical circles in the report's face, or null when the
// report has no stability chapter with a figure.
std::unique_ptr<SvgFigure> stabilityFigure(const ReportRequest& request, const ReportResults& results);
