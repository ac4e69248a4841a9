// The body of the calculation report as rich text, with one marker where
// the settlement chart goes.
#pragma once

#include "engine/breakdown.h"
#include "report/calculation_report.h"

#include <QString>

inline const QString kChartMarker = QStringLiteral("[[settlement-chart]]");

// The settlement details are those of the project's own stop criterion.
QString reportHtml(const ReportRequest& request, const CapacityTerms& capacity,
                   const SettlementDetails& settlement);
