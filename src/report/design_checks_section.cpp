#include "report/design_checks_section.h"

#include "report/report_text.h"

using report_text::criterionName;
using report_text::number;

namespace {

QString verdict(bool ok)
{
    return ok ? QStringLiteral("满足") : QStringLiteral("不满足");
}

QString checkRow(const QString& item, const QString& value, const QString& demand, const QString& result)
{
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
        .arg(item, value, demand, result);
}

}  // namespace

ReportSection designChecksSection(const ProjectData& project, const DesignDemands& demands)
{
    ProjectData p = project;
    const DesignResults results = computeDesign(p);
    const DesignChecks c = checkDesign(p, results, demands);
    QString html = QStringLiteral("<p>路堤荷载 p0 = γh = %1 × %2 = %3 kPa；附加荷载 q = %4 kPa；"
                                  "承载力要求 fspk ≥ p0 + q = %5 kPa。</p>")
                       .arg(number(p.fillUnitWeight), number(p.embankmentHeight), number(c.embankmentLoad),
                            number(demands.surcharge), number(c.bearingDemand));
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">"
                           "<tr><th>验算项目</th><th>计算值</th><th>要求</th><th>结论</th></tr>");
    html += checkRow(QStringLiteral("复合地基承载力"), QStringLiteral("fspk = %1 kPa").arg(number(c.bearingCapacity)),
                     QStringLiteral("≥ %1 kPa").arg(number(c.bearingDemand)), verdict(c.bearingOk));
    const QString settlement = QStringLiteral("s = %1 mm（%2）").arg(number(c.settlement), criterionName(p.stopCriterion));
    if (demands.allowableSettlement)
        html += checkRow(QStringLiteral("沉降"), settlement,
                         QStringLiteral("≤ [s] = %1 mm").arg(number(*demands.allowableSettlement)),
                         verdict(*c.settlementOk));
    else
        html += checkRow(QStringLiteral("沉降"), settlement, QStringLiteral("未给出容许沉降"), QStringLiteral("未验算"));
    html += QStringLiteral("</table>");
    return {QStringLiteral("验算"), html};
}
