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

QString name(CheckKind kind) { return QString::fromUtf8(checkName(kind)); }

QString reasonOf(const CheckOutcome& o) { return esc(QString::fromStdString(o.reason)); }

QString limitSource(const CheckOutcome& o)
{
    return o.limitSource.empty() ? QString() : QStringLiteral("（%1）").arg(esc(QString::fromStdString(o.limitSource)));
}

QStringList bearingRow(const DesignChecks& c, const CheckOutcome& o, const DesignDemands& demands)
{
    return {name(o.kind), QStringLiteral("%1 = %2 kPa").arg(sub("f", "spk"), fmt::stress(c.bearingCapacity)),
            QStringLiteral("≥ %1 + q = %2 + %3 = %4 kPa")
                .arg(sub("p", "0"), fmt::stress(c.embankmentLoad), fmt::typed(demands.surcharge),
                     fmt::stress(c.bearingDemand)),
            outcomeVerdict(o)};
}

// The calculated S, and beside it psiS times S when the project gives psiS.
QString settlementValue(const DesignChecks& c, int criterion)
{
    const QString value = QStringLiteral("S = %1 mm（%2）").arg(fmt::settlement(c.settlement), esc(report_text::criterionName(criterion)));
    return c.settlementCorrection ? value + QStringLiteral("；") + correctedSettlementText(c) : value;
}

QStringList settlementRow(const DesignChecks& c, const CheckOutcome& o, int criterion)
{
    const QString value = !o.ok && !o.reason.empty() ? reasonOf(o) : settlementValue(c, criterion);
    return {name(o.kind), value, QStringLiteral("≤ [s] = %1 mm").arg(fmt::typed(o.limit)), outcomeVerdict(o)};
}

QStringList postConstructionRow(const CheckOutcome& o)
{
    const QString limit = std::isfinite(o.limit)
                              ? QStringLiteral("≤ [s工后] = %1 mm%2").arg(fmt::typed(o.limit), limitSource(o))
                              : QStringLiteral("[s工后]");
    const QString value = o.ok ? fmt::settlement(o.value) + " mm" : reasonOf(o);
    return {name(o.kind), value, limit, outcomeVerdict(o)};
}

QStringList underlyingRow(const CheckOutcome& o)
{
    if (!o.ok)
        return {name(o.kind), reasonOf(o), QStringLiteral("≤ %1").arg(sub("f", "az")), outcomeVerdict(o)};
    return {QStringLiteral("下卧层（桩顶下 %1 m）").arg(fmt::depth(o.depth)),
            sub("p", "z") + " + " + sub("p", "cz") + " = " + fmt::stress(o.value) + " kPa",
            QStringLiteral("≤ %1 = %2 kPa").arg(sub("f", "az"), fmt::stress(o.limit)), outcomeVerdict(o)};
}

QStringList stabilityRow(const CheckOutcome& o)
{
    const QString limit = QStringLiteral("≥ [F] = %1").arg(std::isfinite(o.limit) ? fmt::typed(o.limit) : QStringLiteral("—"));
    const QString value = o.ok ? QStringLiteral("F = %1（简化 Bishop 法）").arg(report_text::fixed(o.value, 3)) : reasonOf(o);
    return {name(o.kind), value, limit, outcomeVerdict(o)};
}

QStringList outcomeRow(const DesignChecks& c, const CheckOutcome& o, const DesignDemands& demands, int criterion)
{
    switch (o.kind) {
    case CheckKind::Settlement: return settlementRow(c, o, criterion);
    case CheckKind::PostConstruction: return postConstructionRow(o);
    case CheckKind::UnderlyingLayer: return underlyingRow(o);
    case CheckKind::Stability: return stabilityRow(o);
    default: return bearingRow(c, o, demands);
    }
}

// The verdict of every outcome of one kind together: 不满足 when one fails,
// 未能验算 when one could not be made, else 满足.
std::optional<bool> kindOk(const DesignChecks& c, CheckKind kind, QString* reason)
{
    std::optional<bool> ok = true;
    for (const CheckOutcome& o : c.outcomes) {
        if (o.kind != kind)
            continue;
        if (o.ok == false)
            return false;
        if (!o.ok) {
            ok = std::nullopt;
            *reason = QString::fromStdString(o.reason);
        }
    }
    return ok;
}

}  // namespace

QList<QStringList> assessmentRows(const DesignChecks& c, const DesignDemands& demands, int criterion)
{
    QList<QStringList> rows;
    for (const CheckOutcome& o : c.outcomes) {
        rows.append(outcomeRow(c, o, demands, criterion));
        if (o.kind == CheckKind::Bearing && !demands.allowableSettlement)
            rows.append({QStringLiteral("沉降"),
                         QStringLiteral("S = %1 mm（%2）")
                             .arg(fmt::settlement(c.settlement), esc(report_text::criterionName(criterion))),
                         QStringLiteral("未给出容许沉降"), QStringLiteral("未验算")});
    }
    return rows;
}

QString correctedSettlementText(const DesignChecks& c)
{
    if (!c.settlementCorrection)
        return {};
    const QString psi = fmt::typed(*c.settlementCorrection);
    const QString settlement = fmt::settlement(c.settlement);
    const QString product = fmt::settlement(*c.settlementCorrection * c.settlement);
    const bool byHand = fmt::settlement(*c.settlementCorrection * settlement.toDouble()) == product;
    return QStringLiteral("ψs·S = %1×%2 = %3 mm%4")
        .arg(psi, settlement, product, byHand ? QString() : QStringLiteral("（由未舍入的 S 相乘后取两位小数）"));
}

QString checkNames(const std::vector<CheckKind>& kinds)
{
    QStringList names;
    for (CheckKind kind : kinds)
        names << name(kind);
    return names.join(QStringLiteral("、"));
}

QString checkVerdict(bool ok)
{
    return ok ? QStringLiteral("满足") : QStringLiteral("不满足");
}

QString outcomeVerdict(const CheckOutcome& o)
{
    return o.ok ? checkVerdict(*o.ok) : QStringLiteral("未能验算");
}

QStringList designChecksHeader()
{
    return {QStringLiteral("验算项目"), QStringLiteral("计算值"), QStringLiteral("要求"), QStringLiteral("结论")};
}

QString designVerdict(const DesignChecks& c)
{
    switch (c.verdict()) {
    case Verdict::Passes: return QStringLiteral("满足");
    case Verdict::Fails: return QStringLiteral("不满足（%1）").arg(checkNames(c.failedKinds()));
    default: return QStringLiteral("未能验算（%1）").arg(checkNames(c.uncheckedKinds()));
    }
}

QString conclusionSentence(const DesignChecks& c, bool settlementAsked)
{
    QStringList parts;
    std::vector<CheckKind> seen;
    for (const CheckOutcome& o : c.outcomes) {
        if (std::find(seen.begin(), seen.end(), o.kind) != seen.end())
            continue;
        seen.push_back(o.kind);
        QString reason;
        const std::optional<bool> ok = kindOk(c, o.kind, &reason);
        parts << name(o.kind)
                     + (!ok ? QStringLiteral("未能验算（%1）").arg(reason)
                            : *ok ? QStringLiteral("满足要求") : QStringLiteral("不满足要求"));
        if (o.kind == CheckKind::Bearing && !settlementAsked)
            parts << QStringLiteral("未给出容许沉降，沉降未验算");
    }
    return parts.join(QStringLiteral("，"));
}

namespace report_sections {

QString conclusions(const ReportData& d, int section)
{
    QString html = heading(QString::number(section), QStringLiteral("验算与结论"));
    if (!d.checks) {
        html += text(QStringLiteral("未给出设计要求（附加荷载 q、容许沉降 [s]），本计算书只给出计算结果，不作验算。"));
        return html;
    }
    const DesignDemands demands = d.request.demands.value_or(DesignDemands{});
    const DesignChecks& c = *d.checks;
    html += table(designChecksHeader(), assessmentRows(c, demands, d.project.stopCriterion));
    html += markup(QStringLiteral("<b>结论：%1。</b>").arg(esc(conclusionSentence(c, demands.allowableSettlement.has_value()))));
    if (c.verdict() != Verdict::Passes)
        html += markup(QStringLiteral("<b>设计%1。</b>").arg(esc(designVerdict(c))));
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
    if (data.checks) {
        const DesignChecks& c = *data.checks;
        if (c.allowablePostConstruction && std::isfinite(c.postConstruction))
            rows.append({QStringLiteral("工后沉降"), fmt::settlement(c.postConstruction), "mm"});
        rows.append({QStringLiteral("验算结论"), esc(designVerdict(c)), ""});
    }
    QString html = heading(QString::number(section), QStringLiteral("计算结果汇总"))
                   + table({QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")}, rows);
    if (const QString warning = stopWarning(d); !warning.isEmpty())
        html += report_html::warning(warning + QStringLiteral("：计算深度不是由终止条件确定的。"));
    return html;
}

}  // namespace report_sections
