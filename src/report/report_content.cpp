#include "report/report_content.h"

#include "report/report_figures.h"
#include "report/report_sections.h"
#include "report/stability_figure.h"

using namespace report_sections;

namespace {

// The results of the project before it is assessed.
ReportResults unassessed(const ReportRequest& r, const ExtensionInputs& inputs)
{
    ReportResults results;
    results.capacity = capacityTerms(r.project);
    results.settlement = settlementDetails(r.project, r.project.stopCriterion);
    results.timeSettlement = timeSettlementOutputs(r.project, inputs);
    return results;
}

}  // namespace

ReportResults reportResults(const ReportRequest& r)
{
    const ExtensionInputs inputs = readExtensionInputs(r.project);
    ReportResults results = unassessed(r, inputs);
    if (!r.demands && !projectAsksForChecks(inputs)) {
        results.stability = stabilityOutcome(r.project, inputs, 0);
        return results;
    }
    ProjectData p = r.project;
    results.checks =
        checkDesign(p, computeDesign(p), r.demands.value_or(DesignDemands{}), inputs, results.timeSettlement);
    results.stability = results.checks->stability;
    return results;
}

ReportResults reportResults(const ReportRequest& r, const DesignChecks& checks)
{
    ReportResults results = unassessed(r, readExtensionInputs(r.project));
    results.checks = checks;
    results.stability = checks.stability;
    return results;
}

std::unique_ptr<SvgFigure> stabilityFigure(const ReportRequest& r, const ReportResults& results)
{
    const std::string svg = stabilityFigureSvg(r.project, results.stability, r.demands ? r.demands->surcharge : 0);
    return svg.empty() ? nullptr : std::make_unique<SvgFigure>(QByteArray::fromStdString(svg));
}

QString reportSectionsHtml(const ReportRequest& r, const ReportResults& results)
{
    const ReportData data{r, r.project, results.capacity, results.settlement, results.checks, results.timeSettlement};
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
    if (const QString chapter = stability(data, results.stability, section + 1); !chapter.isEmpty()) {
        html += chapter;
        ++section;
    }
    html += conclusions(data, ++section);
    return html + summary(data, ++section);
}

QString reportHtml(const ReportRequest& r, const ReportResults& results)
{
    QString html = QStringLiteral("<html><body>") + cover(r) + reportSectionsHtml(r, results);
    if (r.sliceAppendix)
        html += sliceAppendix(results.settlement);
    return html + QStringLiteral("</body></html>");
}
