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
    const CapacityTerms capacity = capacityTerms(request.project);
    const SettlementDetails settlement = settlementDetails(request.project, request.project.stopCriterion);
    ReportDocument document(reportTitle(), progress);
    ChartFigure chart([&] { return makeSettlementChart(request.project, settlement).chart; }, document.text());
    DrawingFigure drawing(request.project, settlement);
    document.setHtml(reportHtml(request, capacity, settlement));
    document.placeFigure(kChartMarker, &chart);
    document.placeFigure(kDrawingMarker, &drawing);
    std::unique_ptr<ChartFigure> inTime;
    if (auto chart = timeSettlementChart(request.project)) {
        inTime = std::make_unique<ChartFigure>(chart, document.text());
        document.placeFigure(kTimeChartMarker, inTime.get());
    }
    const std::unique_ptr<SvgFigure> circles = stabilityFigure(request);
    if (circles)
        document.placeFigure(kStabilityMarker, circles.get());
    return document.write(path, request.projectName);
}
