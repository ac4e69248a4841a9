#include "report/report_conclusions.h"

#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

using namespace report_html;
namespace fmt = report_format;

namespace {

QString stopWarning(const SettlementDetails& d)
{
    return d.stoppedBy == StopReason::Criterion ? QString() : report_text::stopReasonText(d);
}

}  // namespace

QList<QStringList> bearingAndSettlementRows(const DesignChecks& c, const DesignDemands& demands, int criterion)
{
    QList<QStringList> rows{{QStringLiteral("复合地基承载力"),
                             QStringLiteral("%1 = %2 kPa").arg(sub("f", "spk"), fmt::stress(c.bearingCapacity)),
                             QStringLiteral("≥ %1 + q = %2 + %3 = %4 kPa")
                                 .arg(sub("p", "0"), fmt::stress(c.embankmentLoad), fmt::typed(demands.surcharge),
                                      fmt::stress(c.bearingDemand)),
                             checkVerdict(c.bearingOk)}};
    const QString settlement = QStringLiteral("S = %1 mm（%2）")
                                   .arg(fmt::settlement(c.settlement), esc(report_text::criterionName(criterion)));
    if (demands.allowableSettlement)
        rows.append({QStringLiteral("沉降"), settlement,
                     QStringLiteral("≤ [s] = %1 mm").arg(fmt::typed(*demands.allowableSettlement)), checkVerdict(*c.settlementOk)});
    else
        rows.append({QStringLiteral("沉降"), settlement, QStringLiteral("未给出容许沉降"), QStringLiteral("未验算")});
    return rows;
}

QString checkVerdict(bool ok)
{
    return ok ? QStringLiteral("满足") : QStringLiteral("不满足");
}

QStringList designChecksHeader()
{
    return {QStringLiteral("验算项目"), QStringLiteral("计算值"), QStringLiteral("要求"), QStringLiteral("结论")};
}

QString designChecksTable(const ProjectData& project, const DesignDemands& demands)
{
    ProjectData p = project;
    const DesignChecks c = checkDesign(p, computeDesign(p), demands);
    return table(designChecksHeader(), bearingAndSettlementRows(c, demands, p.stopCriterion));
}

namespace report_sections {

QString conclusions(const ReportData& d, int section)
{
    QString html = heading(QString::number(section), QStringLiteral("验算与结论"));
    if (!d.request.demands) {
        html += text(QStringLiteral("未给出设计要求（附加荷载 q、容许沉降 [s]），本计算书只给出计算结果，不作验算。"));
        return html;
    }
    const DesignDemands& demands = *d.request.demands;
    ProjectData p = d.project;
    const DesignChecks c = checkDesign(p, computeDesign(p), demands);
    html += designChecksTable(d.project, demands);
    QString conclusion = c.bearingOk ? QStringLiteral("复合地基承载力满足要求")
                                     : QStringLiteral("复合地基承载力不满足要求");
    if (c.settlementOk)
        conclusion += *c.settlementOk ? QStringLiteral("，沉降满足要求") : QStringLiteral("，沉降不满足要求");
    else
        conclusion += QStringLiteral("，未给出容许沉降，沉降未验算");
    html += markup(QStringLiteral("<b>结论：%1。</b>").arg(esc(conclusion)));
    if (const QString warning = stopWarning(d.settlement); !warning.isEmpty() && c.settlementOk)
        html += report_html::warning(warning + QStringLiteral("，沉降验算结果仅供参考。"));
    return html;
}

QString summary(const ReportData& data, int section)
{
    const ProjectData& p = data.project;
    const CapacityTerms& t = data.capacity;
    const SettlementDetails& d = data.settlement;
    const bool manual = p.manualCapacityFlag == 1;
    QList<QStringList> rows{
        {QStringLiteral("单桩承载力特征值 ") + sub("R", "a") + (manual ? QStringLiteral("（计算值）") : QString()),
         fmt::force(t.composite.pileCapacity), "kN"},
        {QStringLiteral("控制承载力"), esc(report_text::resistanceName(t.governing)), ""}};
    if (manual)
        rows.append({QStringLiteral("单桩承载力特征值 ") + sub("R", "a") + QStringLiteral("（手动输入，采用）"),
                     fmt::typed(p.manualPileCapacity), "kN"});
    rows.append({QStringLiteral("复合地基承载力特征值 ") + sub("f", "spk") + QStringLiteral("（采用）"),
                 fmt::stress(usedCompositeCapacity(data)), "kPa"});
    rows.append({QStringLiteral("路堤荷载 ") + sub("p", "0"), fmt::stress(d.load), "kPa"});
    rows.append({QStringLiteral("沉降 S（") + esc(report_text::criterionName(d.criterion)) + QStringLiteral("）"),
                 fmt::settlement(d.total), "mm"});
    rows.append({QStringLiteral("计算深度 ") + sub("z", "n"), fmt::depth(d.stopDepth), "m"});
    rows.append({QStringLiteral("计算终止"), esc(report_text::stopReasonText(d)), ""});
    QString html = heading(QString::number(section), QStringLiteral("计算结果汇总"))
                   + table({QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")}, rows);
    if (const QString warning = stopWarning(d); !warning.isEmpty())
        html += report_html::warning(warning + QStringLiteral("：计算深度不是由终止条件确定的。"));
    return html;
}

}  // namespace report_sections
