// The body of the calculation report as rich text, with one marker where
// the calculation drawing goes and one where the settlement chart goes.
#pragma once

#include "engine/breakdown.h"
#include "engine/design_check.h"
#include "report/calculation_report.h"

#include <QString>

#include <memory>
#include <optional>

class SvgFigure;

// The settlement details are those of the project's own stop criterion.
QString reportHtml(const ReportRequest& request, const CapacityTerms& capacity,
                   const SettlementDetails& settlement);
// The numbered sections alone, from the overview to the summary: without
// the cover and the appendix.
QString reportSectionsHtml(const ReportRequest& request, const CapacityTerms& capacity,
                   const SettlementDetails& settlement);
// The stability the report presents: the assessment's when the design is
// assessed, else computed under the demands' q (0 without demands).
StabilityOutcome reportStability(const ReportRequest& request, const std::optional<DesignChecks>& checks);
StabilityOutcome reportStability(const ReportRequest& request);
// The figure of the critical circles in the report's face, or null when the
// report has no stability chapter with a figure.
std::unique_ptr<SvgFigure> stabilityFigure(const ReportRequest& request);
