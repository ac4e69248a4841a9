#include "report/report_content.h"

#include "report/report_figures.h"
#include "report/report_sections.h"
#include "report/stability_figure.h"

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

StabilityOutcome reportStability(const ReportRequest& r, const std::optional<DesignChecks>& checks)
{
    if (checks)
        return checks->stability;
    return stabilityOutcome(r.project, r.demands ? r.demands->surcharge : 0);
}

StabilityOutcome reportStability(const ReportRequest& r) { return reportStability(r, assess(r)); }

std::unique_ptr<SvgFigure> stabilityFigure(const ReportRequest& r)
{
    const StabilityOutcome outcome = reportStability(r);
    const std::string svg = stabilityFigureSvg(r.project, outcome, r.demands ? r.demands->surcharge : 0);
    return svg.empty() ? nullptr : std::make_unique<SvgFigure>(QByteArray::fromStdString(svg));
}

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
    const StabilityOutcome slipCircles = reportStability(r, checks);
    if (const QString chapter = stability(data, slipCircles, section + 1); !chapter.isEmpty()) {
        html += chapter;
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
