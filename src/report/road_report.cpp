#include "report/road_report.h"

#include "engine/breakdown.h"
#include "engine/sections.h"
#include "output/sections_chart.h"
#include "report/report_conclusions.h"
#include "report/report_content.h"
#include "report/report_document.h"
#include "report/report_figures.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"
#include "report/road_report_sections.h"
#include "report/settlement_chart.h"
#include "report/time_settlement_chart.h"

#include <QStringList>

#include <algorithm>
#include <list>
#include <memory>

using namespace report_html;
namespace fmt = report_format;

namespace {

const QString kLongitudinalChartMarker = QStringLiteral("[[longitudinal-chart]]");

QString station(const RoadReportRequest& r, std::size_t index)
{
    return QString::fromStdString(r.sections[index].station);
}

QString cover(const RoadReportRequest& r)
{
    using report_sections::centred;
    QString html = QStringLiteral("<p style=\"font-size:30pt\">&nbsp;</p>");
    html += QStringLiteral("<p align=\"center\" style=\"font-size:24pt; font-weight:bold\">%1</p>")
                .arg(esc(roadReportTitle()));
    html += QStringLiteral("<p style=\"font-size:20pt\">&nbsp;</p>");
    html += report_sections::projectInfoLines(r.projectName, r.base);
    if (!r.sections.empty())
        html += centred(QStringLiteral("计算范围：%1～%2，共 %3 个断面")
                            .arg(esc(station(r, 0)), esc(station(r, r.sections.size() - 1)))
                            .arg(r.sections.size()),
                        14);
    html += centred(QStringLiteral("计算日期：%1").arg(r.date.toString(QStringLiteral("yyyy年M月d日"))), 14);
    html += centred(QStringLiteral("计算程序：%1").arg(esc(programName())), 14);
    const QString base = r.baseFileName.isEmpty() ? QStringLiteral("（当前工程的输入）")
                                                  : report_sections::fileWithChecksum(r.baseFileName, r.baseBytes);
    html += centred(QStringLiteral("基本工程：%1").arg(base), 11);
    html += centred(QStringLiteral("断面表：%1").arg(report_sections::fileWithChecksum(r.tableFileName, r.tableBytes)), 11);
    html += QStringLiteral("<p style=\"font-size:24pt\">&nbsp;</p>") + report_sections::signatureLines(r.base);
    return html + QStringLiteral("<p style=\"page-break-after:always\">&nbsp;</p>");
}

// Where the allowance after construction comes from, as the assessment of
// the first section that has one names it: "（按高速公路、一级公路、一般路段查表）".
QString allowanceSource(const std::vector<SweepPoint>& points)
{
    for (const SweepPoint& p : points) {
        const CheckOutcome* o = p.valid() ? p.checks.outcome(CheckKind::PostConstruction) : nullptr;
        if (o && !o->limitSource.empty())
            return QStringLiteral("（%1）").arg(esc(QString::fromStdString(o->limitSource)));
    }
    return {};
}

// As markup: the criterion and the stations are escaped.
QString demandsText(const RoadReportRequest& r)
{
    const QString criterion = esc(report_text::criterionName(r.base.stopCriterion));
    QString text = QStringLiteral("设计要求：路堤顶面附加荷载 q = %1 kPa，承载力按 %2 ≥ γh + q 验算；")
                       .arg(fmt::typed(r.demands.surcharge), sub("f", "spk"));
    text += r.demands.allowableSettlement
                ? QStringLiteral("容许沉降 [s] = %1 mm，沉降按%2计算。").arg(fmt::typed(*r.demands.allowableSettlement), criterion)
                : QStringLiteral("未给出容许沉降，沉降（按%1计算）不作验算。").arg(criterion);
    if (const std::optional<double> allowance = postConstructionAllowance(r.points)) {
        const bool oneAllowance = std::all_of(r.points.begin(), r.points.end(), [&](const SweepPoint& p) {
            return !p.valid() || !p.checks.allowablePostConstruction || *p.checks.allowablePostConstruction == *allowance;
        });
        text += oneAllowance ? QStringLiteral("工后沉降按容许值 [s工后] = %1 mm%2 验算。").arg(fmt::typed(*allowance), allowanceSource(r.points))
                             : QStringLiteral("工后沉降按各断面的路段类型及其容许值 [s工后] 验算（见汇总表）。");
    }
    return text;
}

QString governingText(const RoadReportRequest& r, const GoverningSections& g)
{
    if (!g.bearing)
        return QStringLiteral("没有能够计算的断面，无控制断面。");
    const DesignChecks& bearing = r.points[*g.bearing].checks;
    QString text = QStringLiteral("承载力控制断面为 %1（%2 与 γh + q 之比最小：%3 / %4 = %5）；")
                       .arg(esc(station(r, *g.bearing)), sub("f", "spk"), fmt::stress(bearing.bearingCapacity),
                            fmt::stress(bearing.bearingDemand))
                       .arg(report_text::fixed(bearing.bearingCapacity / bearing.bearingDemand, 3));
    text += QStringLiteral("沉降控制断面为 %1（沉降最大：S = %2 mm）。")
                .arg(esc(station(r, *g.settlement)), fmt::settlement(r.points[*g.settlement].checks.settlement));
    if (g.stability)
        text += QStringLiteral("整体稳定控制断面为 %1（稳定安全系数最小：F = %2）。")
                    .arg(esc(station(r, *g.stability)),
                         report_text::fixed(r.points[*g.stability].checks.stabilityFactor(), 3));
    return text;
}

// Every failing section with the checks it fails, every section that could
// not be checked with the checks it lacks, every refused section.
QString conclusionText(const RoadReportRequest& r)
{
    QStringList failing;
    QStringList unchecked;
    QStringList uncomputed;
    for (std::size_t i = 0; i < r.points.size(); ++i) {
        const SweepPoint& p = r.points[i];
        if (!p.valid())
            uncomputed << station(r, i);
        else if (p.checks.verdict() == Verdict::Fails)
            failing << station(r, i) + QStringLiteral("（%1）").arg(checkNames(p.checks.failedKinds()));
        else if (p.checks.verdict() == Verdict::Unchecked)
            unchecked << station(r, i) + QStringLiteral("（%1）").arg(checkNames(p.checks.uncheckedKinds()));
    }
    QString text = failing.isEmpty() && unchecked.isEmpty() && uncomputed.isEmpty()
                       ? QStringLiteral("全部 %1 个断面均满足验算要求。").arg(r.sections.size())
                       : QStringLiteral("共 %1 个断面，其中 %2 个不满足验算要求").arg(r.sections.size()).arg(failing.size())
                             + (failing.isEmpty() ? QString() : QStringLiteral("：") + failing.join(QStringLiteral("、")))
                             + QStringLiteral("。");
    if (!unchecked.isEmpty())
        text += QStringLiteral("%1 个断面未能完成验算：%2。").arg(unchecked.size()).arg(unchecked.join(QStringLiteral("、")));
    if (!uncomputed.isEmpty())
        text += QStringLiteral("%1 个断面的输入有误，未计算：%2。").arg(uncomputed.size()).arg(uncomputed.join(QStringLiteral("、")));
    return text;
}

QString overview(const RoadReportRequest& r, const GoverningSections& g)
{
    QString html = road_report::partHeading(QStringLiteral("一、概述"), false);
    const QString base = r.baseFileName.isEmpty() ? QStringLiteral("当前工程") : QStringLiteral("基本工程“%1”").arg(r.baseFileName);
    html += text(QStringLiteral("本计算书对断面表“%1”中的 %2 个断面逐一计算。每个断面取%3的全部参数，"
                                "断面表中给出的值代替基本工程的相应值；给出土层剖面的断面，扩大头段、下部桩段和桩端以下"
                                "三个区段的土层按该断面的扩大头高度 H 和桩长 L 由剖面划分。每个断面的计算与单独计算该断面"
                                "的工程完全相同，方法见第四部分控制断面的详细计算。")
                     .arg(r.tableFileName)
                     .arg(r.sections.size())
                     .arg(base));
    html += markup(demandsText(r));
    html += markup(governingText(r, g));
    return html + markup(QStringLiteral("<b>结论：%1</b>").arg(esc(conclusionText(r))));
}

// A governing section presented in full, as the report of its project
// alone, with the checks it governs and its assessment in the road's.
struct Chapter {
    std::size_t index;
    QString checks;
    ReportRequest request;
    ReportResults results;
};

// In the order of the table; one section governing several checks is one chapter.
std::list<Chapter> governingChapters(const RoadReportRequest& r, const GoverningSections& g)
{
    std::vector<std::size_t> indices;
    for (std::optional<std::size_t> index : {g.bearing, g.settlement, g.stability})
        if (index && std::find(indices.begin(), indices.end(), *index) == indices.end())
            indices.push_back(*index);
    std::sort(indices.begin(), indices.end());
    std::list<Chapter> chapters;
    for (std::size_t index : indices) {
        ReportRequest request;
        request.project = sectionProject(r.base, r.sections[index]);
        request.projectName = r.projectName;
        request.date = r.date;
        request.demands = r.demands;
        const ReportResults results = reportResults(request, r.points[index].checks);
        chapters.push_back({index, road_report::governedChecks(g, index), request, results});
    }
    return chapters;
}

// The cover, the overview, the summary and the place of the chart.
QString frontHtml(const RoadReportRequest& r, const GoverningSections& governing, const std::vector<double>& heights)
{
    QString html = cover(r) + overview(r, governing);
    html += road_report::partHeading(QStringLiteral("二、计算结果汇总"), false);
    html += caption(QStringLiteral("各断面的计算结果（沉降 S 按%1计算）：")
                        .arg(esc(report_text::criterionName(r.base.stopCriterion))));
    html += road_report::summaryTable(r, governing, heights);
    // The chart fills a page: its heading and caption go with it.
    html += road_report::partHeading(QStringLiteral("三、纵断面图"), true);
    html += caption(QStringLiteral("纵断面图　填土高度、沉降与桩号（红点为该曲线所示验算不满足要求的断面，空心点为未能验算的断面）"));
    return html + QStringLiteral("<p align=\"center\">%1</p>").arg(kLongitudinalChartMarker);
}

const QStringList kPartNumbers{QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六")};

// The governing sections in full, then a page for each other section.
QString chaptersHtml(const RoadReportRequest& r, const std::list<Chapter>& chapters)
{
    QString html;
    int part = 0;
    for (const Chapter& chapter : chapters) {
        html += road_report::partHeading(QStringLiteral("%1、控制断面 %2 的详细计算（%3控制）")
                                             .arg(kPartNumbers[part++], station(r, chapter.index), chapter.checks),
                                         true);
        html += reportSectionsHtml(chapter.request, chapter.results);
    }
    if (chapters.size() == r.sections.size())
        return html;
    html += road_report::partHeading(QStringLiteral("%1、其他断面的计算").arg(kPartNumbers[part]), true);
    html += text(QStringLiteral("以下每页一个断面，按桩号顺序。"));
    // The first section shares the page of the part's heading.
    bool first = true;
    for (std::size_t i = 0; i < r.sections.size(); ++i)
        if (std::none_of(chapters.begin(), chapters.end(), [i](const Chapter& c) { return c.index == i; })) {
            html += road_report::sectionPage(r, i, !first);
            first = false;
        }
    return html;
}

}  // namespace

QString roadReportTitle()
{
    return QStringLiteral("T形水泥土搅拌桩复合地基路段计算书");
}

ReportStatus writeRoadReport(const RoadReportRequest& r, const QString& path, ReportProgress* progress)
{
    const GoverningSections governing = governingSections(r.points);
    const std::vector<double> heights = sectionFillHeights(r.base, r.sections);
    const std::list<Chapter> chapters = governingChapters(r, governing);
    ReportDocument document(roadReportTitle(), progress);
    document.setHtml(QStringLiteral("<html><body>") + frontHtml(r, governing, heights) + chaptersHtml(r, chapters)
                     + QStringLiteral("</body></html>"));

    SvgFigure longitudinal(QByteArray::fromStdString(sectionsChartSvg(r.sections, r.points, heights,
                                                                      r.demands.allowableSettlement)));
    document.placeFigure(kLongitudinalChartMarker, &longitudinal);
    // Each chapter's figures, in the order of the chapters' markers.
    std::vector<std::unique_ptr<QObject>> figures;
    for (const Chapter& chapter : chapters) {
        auto drawing = std::make_unique<DrawingFigure>(chapter.request.project, chapter.results.settlement);
        auto chart = std::make_unique<ChartFigure>(
            [&chapter] { return makeSettlementChart(chapter.request.project, chapter.results.settlement).chart; },
            document.text());
        document.placeFigure(kDrawingMarker, drawing.get());
        document.placeFigure(kChartMarker, chart.get());
        figures.push_back(std::move(drawing));
        figures.push_back(std::move(chart));
        if (auto curve = timeSettlementChart(chapter.results.timeSettlement.consolidation)) {
            auto inTime = std::make_unique<ChartFigure>(curve, document.text());
            document.placeFigure(kTimeChartMarker, inTime.get());
            figures.push_back(std::move(inTime));
        }
        if (std::unique_ptr<SvgFigure> circles = stabilityFigure(chapter.request, chapter.results)) {
            document.placeFigure(kStabilityMarker, circles.get());
            figures.push_back(std::move(circles));
        }
    }
    return document.write(path, r.projectName);
}
