// The road report's summary table and the compact page of each section.
#include "report/road_report_sections.h"

#include "engine/breakdown.h"
#include "engine/time_settlement.h"
#include "report/report_conclusions.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

#include <algorithm>
#include <cmath>

using namespace report_html;
namespace fmt = report_format;

namespace {

QString station(const Section& s)
{
    return esc(QString::fromStdString(s.station));
}

// The location the section is checked for: its own, else the base
// project's; "—" for none.
QString locationOf(const RoadReportRequest& r, const Section& s)
{
    const std::string code = sectionExtensionValue(r.base, s, "location");
    return code.empty() ? QStringLiteral("—") : esc(QString::fromStdString(allowanceCodeName(code)));
}

// The columns the table adds to the bearing and the settlement.
struct SummaryColumns {
    bool afterConstruction = false;
    bool stability = false;
};

QStringList summaryRow(const RoadReportRequest& r, std::size_t i, const GoverningSections& governing,
                       double fillHeight, SummaryColumns columns)
{
    const SweepPoint& p = r.points[i];
    const DesignChecks& c = p.checks;
    QStringList row{station(r.sections[i]), fmt::typed(fillHeight)};
    if (!p.valid()) {
        row << "—" << "—" << "—" << "—" << "—";
        if (columns.afterConstruction)
            row << "—" << "—" << "—";
        if (columns.stability)
            row << "—";
    } else {
        row << fmt::stress(c.embankmentLoad) << fmt::force(p.results.pileCapacity) << fmt::stress(c.bearingCapacity)
            << fmt::stress(c.bearingDemand) << fmt::settlement(c.settlement);
        if (columns.afterConstruction)
            row << locationOf(r, r.sections[i])
                << (c.allowablePostConstruction ? fmt::typed(*c.allowablePostConstruction) : QStringLiteral("—"))
                << (c.allowablePostConstruction ? fmt::settlement(c.postConstruction) : QStringLiteral("—"));
        if (columns.stability)
            row << (std::isfinite(c.stabilityFactor()) ? report_text::fixed(c.stabilityFactor(), 3) : QStringLiteral("—"));
    }
    return row << esc(road_report::verdict(p)) << road_report::governedChecks(governing, i);
}

bool anyStabilityFactor(const std::vector<SweepPoint>& points)
{
    return std::any_of(points.begin(), points.end(),
                       [](const SweepPoint& p) { return p.valid() && std::isfinite(p.checks.stabilityFactor()); });
}

QList<QStringList> sectionValueRows(const Section& s)
{
    QList<QStringList> rows;
    for (const SectionValue& v : s.values)
        rows.append({esc(QString::fromStdString(sectionColumnTitle(*v.field))), fmt::typed(v.value)});
    for (const SectionSetting& setting : s.settings)
        rows.append({esc(QString::fromStdString(sectionSettingTitle(setting.key))),
                     esc(QString::fromStdString(sectionSettingText(setting)))});
    rows.append({QStringLiteral("土层剖面"), s.profileFile.empty() ? QStringLiteral("（基本工程的土层）")
                                                                   : esc(QString::fromStdString(s.profileFile))});
    return rows;
}

// The tables of the html with close cells, for a page that holds much.
QString withCloseCells(QString html)
{
    return html.replace(QStringLiteral("cellpadding=\"3\""), QStringLiteral("cellpadding=\"1\""));
}

// Two (parameter, value) pairs a row, so that a section giving many values
// still fits its page.
QList<QStringList> inPairs(const QList<QStringList>& rows)
{
    QList<QStringList> paired;
    for (qsizetype i = 0; i < rows.size(); i += 2)
        paired.append(rows[i] + (i + 1 < rows.size() ? rows[i + 1] : QStringList{QString(), QString()}));
    return paired;
}

QList<QStringList> resultRows(const ProjectData& p, const SweepPoint& point, const SettlementDetails& details)
{
    const DesignResults& r = point.results;
    QList<QStringList> rows{{QStringLiteral("等效影响圆直径 ") + sub("d", "e"), fmt::de(r.equivalentDiameter), "m"},
                            {QStringLiteral("单桩承载力特征值 ") + sub("R", "a") + QStringLiteral("（计算值）"),
                             fmt::force(r.pileCapacity), "kN"}};
    if (p.manualCapacityFlag == 1)
        rows.append({QStringLiteral("单桩承载力特征值 ") + sub("R", "a") + QStringLiteral("（手动输入，采用）"),
                     fmt::typed(p.manualPileCapacity), "kN"});
    rows.append({QStringLiteral("复合地基承载力特征值 ") + sub("f", "spk") + QStringLiteral("（采用）"),
                 fmt::stress(point.checks.bearingCapacity), "kPa"});
    rows.append({QStringLiteral("路堤荷载 ") + sub("p", "0") + " = γh", fmt::stress(point.checks.embankmentLoad), "kPa"});
    for (int criterion : {kStopDeformationRatio, kStopStressRatio02, kStopStressRatio01})
        rows.append({QStringLiteral("沉降 S（") + esc(report_text::criterionName(criterion))
                         + (criterion == p.stopCriterion ? QStringLiteral("，采用）") : QStringLiteral("）")),
                     fmt::settlement(settlementUnder(r, criterion)), "mm"});
    rows.append({QStringLiteral("计算深度 ") + sub("z", "n"), fmt::depth(details.stopDepth), "m"});
    rows.append({QStringLiteral("计算终止"), esc(report_text::stopReasonText(details)), ""});
    if (point.checks.allowablePostConstruction)
        rows.append({QStringLiteral("工后沉降"), fmt::settlement(point.checks.postConstruction), "mm"});
    return rows;
}

}  // namespace

namespace road_report {

QString partHeading(const QString& title, bool newPage)
{
    return QStringLiteral("<h2 style=\"font-size:16pt%1\">%2</h2>")
        .arg(newPage ? QStringLiteral("; page-break-before:always") : QString(), esc(title));
}

QString verdict(const SweepPoint& p)
{
    if (!p.valid())
        return QStringLiteral("未计算：") + QString::fromStdString(p.fault);
    return designVerdict(p.checks);
}

QString governedChecks(const GoverningSections& governing, std::size_t index)
{
    QStringList checks;
    if (governing.bearing == index)
        checks << QStringLiteral("承载力");
    if (governing.settlement == index)
        checks << QStringLiteral("沉降");
    if (governing.stability == index)
        checks << QStringLiteral("整体稳定");
    return checks.join(QStringLiteral("、"));
}

QString summaryTable(const RoadReportRequest& r, const GoverningSections& governing,
                     const std::vector<double>& fillHeights)
{
    const SummaryColumns columns{postConstructionAllowance(r.points).has_value(), anyStabilityFactor(r.points)};
    QStringList header{QStringLiteral("桩号"), QStringLiteral("h<br>(m)"), sub("p", "0") + " = γh<br>(kPa)", sub("R", "a") + "<br>(kN)",
                       sub("f", "spk") + "<br>(kPa)", sub("p", "0") + " + q<br>(kPa)", QStringLiteral("S<br>(mm)")};
    if (columns.afterConstruction)
        header << QStringLiteral("路段类型") << QStringLiteral("[s工后]<br>(mm)") << QStringLiteral("工后沉降<br>(mm)");
    if (columns.stability)
        header << QStringLiteral("稳定安全<br>系数F");
    header << QStringLiteral("验算结论") << QStringLiteral("控制断面");
    QList<QStringList> rows;
    for (std::size_t i = 0; i < r.sections.size(); ++i)
        rows.append(summaryRow(r, i, governing, fillHeights[i], columns));
    // Set small and close, so that with every column a station and a number
    // stay on one line of their cell.
    return QStringLiteral("<div style=\"font-size:7.5pt\">%1</div>")
        .arg(withCloseCells(table(header, rows)));
}

QString sectionPage(const RoadReportRequest& r, std::size_t index, bool newPage)
{
    const Section& s = r.sections[index];
    const SweepPoint& point = r.points[index];
    QString html = QStringLiteral("<h2 style=\"font-size:14pt%1\">桩号 %2</h2>")
                       .arg(newPage ? QStringLiteral("; page-break-before:always") : QString(), station(s));
    html += QStringLiteral("<div style=\"font-size:8.5pt\">");
    html += caption(QStringLiteral("断面表给出的值（其余参数取基本工程的值）："));
    html += table({QStringLiteral("参数"), QStringLiteral("数值"), QStringLiteral("参数"), QStringLiteral("数值")},
                  inPairs(sectionValueRows(s)));
    if (!point.valid())
        return html + warning(QStringLiteral("本断面未计算：") + QString::fromStdString(point.fault)) + QStringLiteral("</div>");
    const ProjectData project = sectionProject(r.base, s);
    html += report_sections::layerTables(project);
    const SettlementDetails details = settlementDetails(project, project.stopCriterion);
    html += caption(QStringLiteral("计算结果："));
    html += table({QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")},
                  resultRows(project, point, details));
    html += caption(QStringLiteral("验算："));
    html += table(designChecksHeader(), assessmentRows(point.checks, r.demands, project.stopCriterion));
    html += markup(QStringLiteral("<b>结论：%1。</b>").arg(esc(verdict(point)))) + QStringLiteral("</div>");
    // Set close, so that a section with its own demands still fits one page.
    return withCloseCells(html);
}

}  // namespace road_report
