#include "report/report_content.h"

#include "report/report_sections.h"

using namespace report_sections;

namespace {

// The design assessed once: the conclusions, the summary and the chapter on
// the settlement against time all present these checks.
std::optional<DesignChecks> assess(const ReportRequest& r)
{
    if (!r.demands && !projectAsksForChecks(r.project))
        return std::nullopt;
    ProjectData p = r.project;
    return checkDesign(p, computeDesign(p), r.demands.value_or(DesignDemands{}));
}

}  // namespace

QString reportSectionsHtml(const ReportRequest& r, const CapacityTerms& capacity,
                           const SettlementDetails& settlementDetails)
{
    const std::optional<DesignChecks> checks = assess(r);
    const ReportData data{r, r.project, capacity, settlementDetails, checks};
    QString html;
    int section = 0;
    html += overview(data, ++section);
    html += basis(data, ++section);
    html += symbols(++section);
    html += inputs(r.project, ++section);
    html += pileCapacity(data, ++section);
    html += compositeCapacity(data, ++section);
    html += settlement(data, ++section);
    // The curve is computed once: the section is numbered only when it has
    // something to print.
    if (const QString inTime = timeSettlement(data, section + 1); !inTime.isEmpty()) {
        html += inTime;
        ++section;
    }
    html += conclusions(data, ++section);
    return html + summary(data, ++section);
}

QString reportHtml(const ReportRequest& r, const CapacityTerms& capacity, const SettlementDetails& settlementDetails)
{
    QString html = QStringLiteral("<html><body>") + cover(r) + reportSectionsHtml(r, capacity, settlementDetails);
    if (r.sliceAppendix)
        html += sliceAppendix(settlementDetails);
    return html + QStringLiteral("</body></html>");
}
