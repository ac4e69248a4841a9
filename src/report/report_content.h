// The body of the calculation report as rich text, with one marker where
// the calculation drawing goes and one where the settlement chart goes.
#pragma once

#include "engine/breakdown.h"
#include "report/calculation_report.h"

#include <QString>

// The settlement details are those of the project's own stop criterion.
QString reportHtml(const ReportRequest& request, const CapacityTerms& capacity,
                   const SettlementDetails& settlement);
// The numbered sections alone, from the overview to the summary: without
// the cover and the appendix.
QString reportSectionsHtml(const ReportRequest& request, const CapacityTerms& capacity,
                   const SettlementDetails& settlement);
