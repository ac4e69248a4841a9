#include "report/calculation_report.h"

#include "engine/breakdown.h"
#include "report/report_content.h"
#include "report/report_document.h"
#include "report/report_figures.h"
#include "report/report_sections.h"
#include "report/settlement_chart.h"
#include "report/time_settlement_chart.h"

#include <memory>

#include "orvane_version.h"

QString programName()
{
    return QStringLiteral("Orvane ") + QString::fromLatin1(orvane::kVersion);
}

QString reportTitle()
{
    return QStringLiteral("T形水泥土搅拌桩复合地基计算书");
}

ReportStatus writeCalculationReport(const ReportRequest& request, const QString& path, ReportProgress* progress)
{
    return writeCalculationReport(request, reportResults(request), path, progress);
}

ReportStatus writeCalculationReport(const ReportRequest& request, const ReportResults& results, const QString& path,
                                    ReportProgress* progress)
{
    ReportDocument document(reportTitle(), progress);
    ChartFigure chart([&] { return makeSettlementChart(request.project, results.settlement).chart; }, document.text());
    DrawingFigure drawing(request.project, results.settlement);
    document.setHtml(reportHtml(request, results));
    document.placeFigure(kChartMarker, &chart);
    document.placeFigure(kDrawingMarker, &drawing);
    std::unique_ptr<ChartFigure> inTime;
    if (auto chart = timeSettlementChart(results.timeSettlement.consolidation)) {
        inTime = std::make_unique<ChartFigure>(chart, document.text());
        document.placeFigure(kTimeChartMarker, inTime.get());
    }
    const std::unique_ptr<SvgFigure> circles = stabilityFigure(request, results);
    if (circles)
        document.placeFigure(kStabilityMarker, circles.get());
    return document.write(path, request.projectName);
}
