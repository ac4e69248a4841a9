// The report's section on the settlement against time and the bearing check
// under the pile tips, printed when the project's extension block holds cv
// or fak values: the method, the inputs, the curve at the report days, the
// post-construction settlement against its allowance, and each check with
// its numbers.
#include "engine/time_settlement.h"
#include "report/report_conclusions.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

using namespace report_html;
namespace fmt = report_format;

namespace {

QString list(const std::vector<double>& values)
{
    QStringList shown;
    for (double value : values)
        shown.append(fmt::typed(value));
    return shown.isEmpty() ? QStringLiteral("—") : shown.join(QStringLiteral(", "));
}

QString fillHistory(const std::vector<FillPoint>& fill)
{
    QStringList points;
    for (const FillPoint& point : fill)
        points.append(QStringLiteral("第 %1 天 %2 m").arg(fmt::typed(point.day), fmt::typed(point.height)));
    return points.join(QStringLiteral("，"));
}

QString method(const TimeSettlementInputs& in)
{
    return text(QStringLiteral(
        "按一维固结理论（Terzaghi 固结方程）在沉降计算的分片上逐片求解，计算深度至沉降计算的终止深度；每片的体积压缩系数"
        "取 mv = 1/E（加固区为 Esp，桩端以下为 Es），附加应力取 σz = I(z)·p(t)，p(t) = γ·h(t) 随填土过程增长。"
        "加固区的固结系数取该层土的 cv 乘以 Esp/Es（渗透性取土的，压缩性取复合的）。顶面排水，底面%1。"
        "用隐式差分格式（三对角方程组）按时间步推进；时间足够长时沉降等于最终沉降。总沉降 S = ms·Sc，"
        "其中瞬时部分 (ms − 1)·Sc 随加载即时发生，其余按固结度发展。")
                    .arg(in.bottomDrained ? QStringLiteral("排水") : QStringLiteral("不排水")));
}

// The post-construction check of the assessment, when it was asked for.
const CheckOutcome* postConstructionCheck(const ReportData& data)
{
    return data.checks ? data.checks->outcome(CheckKind::PostConstruction) : nullptr;
}

QString inputsTable(const TimeSettlementInputs& in, const CheckOutcome* check)
{
    const QString cvUnit = QStringLiteral("10⁻³ cm²/s");
    QList<QStringList> rows{
        {QStringLiteral("沉降经验系数 ms"), fmt::typed(in.ms), QString()},
        {QStringLiteral("扩大头段各层 cv"), list(in.cvHead), cvUnit},
        {QStringLiteral("下部桩段各层 cv"), list(in.cvShaft), cvUnit},
        {QStringLiteral("桩端以下各层 cv"), list(in.cvBase), cvUnit},
        {QStringLiteral("底面排水"), in.bottomDrained ? QStringLiteral("是") : QStringLiteral("否"), QString()},
        {QStringLiteral("填土过程"), esc(fillHistory(in.fill)), QString()},
        {QStringLiteral("路面完成时间"), fmt::typed(in.pavementDay), QStringLiteral("天")},
        {QStringLiteral("设计使用期"), fmt::typed(in.designPeriod), QStringLiteral("年")}};
    if (check && std::isfinite(check->limit))
        rows.append({QStringLiteral("容许工后沉降 [s工后]（%1）").arg(esc(QString::fromStdString(check->limitSource))),
                     fmt::typed(check->limit), QStringLiteral("mm")});
    return table({QStringLiteral("参数"), QStringLiteral("数值"), QStringLiteral("单位")}, rows);
}

// The curve at the report days, days to whole days: of the report days that
// read as the same whole day, the first stands for them.
QString curveTable(const TimeSettlementResult& r)
{
    QList<QStringList> rows;
    for (const TimeSettlement& point : r.curve) {
        const QString day = report_text::fixed(point.day, 0);
        if (!rows.isEmpty() && rows.last().first() == day)
            continue;
        rows.append({day, report_text::fixed(point.fillHeight, 2), fmt::settlement(point.settlement),
                     report_text::fixed(point.degree * 100, 1)});
    }
    return table({QStringLiteral("时间 (天)"), QStringLiteral("填土高度 (m)"), QStringLiteral("沉降 S (mm)"),
                  QStringLiteral("固结度 U (%)")},
                 rows);
}

QString postConstruction(const TimeSettlementInputs& in, const TimeSettlementResult& r, const CheckOutcome* check)
{
    QString html = formula(QStringLiteral("最终沉降 ms·Sc = %1 mm；路面完成时（第 %2 天）S = %3 mm")
                               .arg(fmt::settlement(r.final), fmt::typed(r.pavementDay), fmt::settlement(r.atPavement)));
    html += formula(QStringLiteral("设计使用期 %1 年内的工后沉降 = S(路面完成 + %1 年) − S(路面完成) = <b>%2 mm</b>；"
                                   "路面完成后的剩余沉降 S(∞) − S(路面完成) = %3 mm")
                        .arg(fmt::typed(in.designPeriod), fmt::settlement(r.postConstruction), fmt::settlement(r.residual)));
    if (check && check->ok)
        html += markup(esc(QStringLiteral("工后沉降 %1 mm %2 [s工后] = %3 mm，%4。")
                               .arg(fmt::settlement(check->value), *check->ok ? QStringLiteral("≤") : QStringLiteral(">"),
                                    fmt::typed(check->limit), outcomeVerdict(*check))));
    else if (check)
        html += markup(esc(QStringLiteral("工后沉降未能验算：%1。").arg(QString::fromStdString(check->reason))));
    return html;
}

QString underlyingChecks(const TimeSettlementInputs& in, const std::vector<UnderlyingLayerCheck>& checks)
{
    const double loadWidth = checks.empty() ? 0.0 : checks.front().loadWidth;
    QString html = text(QStringLiteral(
        "在桩端以下土层顶面及计算深度内每一土层顶面按 GB 50007—2011 第 5.2.7 条验算：pz + pcz ≤ faz。"
        "pz = b·p0/(b + 2z·tanθ)，p0 = γh 为路堤荷载（作用于地面，pc = 0），b = B + (m + n)h = %1 m 为路堤底宽，"
        "z 为该土层顶面自桩顶（地面）起算的深度，θ 按表 5.2.7 由 z/b 及 Es1/Es2 查得（线性插值；z/b < 0.25 或 Es1/Es2 < 3 时取 0°，"
        "Es1/Es2 > 10 时按 10 取值），Es1 为该深度以上各层压缩模量按厚度的加权平均（加固区取复合模量 Esp），Es2 为该土层的压缩模量；"
        "弹性 σz 为沉降计算的附加应力，列出以作比较。pcz 为该处有效自重应力，faz = fak + ηd·γm·(d − 0.5)，ηd = %2，"
        "γm 为该深度以上土的加权平均重度，d 自桩顶起算。")
                                   .arg(fmt::depth(loadWidth), fmt::typed(in.etaD)));
    QList<QStringList> rows;
    for (const UnderlyingLayerCheck& c : checks)
        rows.append({QString::number(c.layer), fmt::depth(c.depth), fmt::quotient(c.depthRatio()),
                     fmt::quotient(c.modulusRatio()), fmt::angle(c.theta), fmt::stressTerm(c.pz),
                     fmt::stress(c.elasticPz), fmt::stressTerm(c.pcz), fmt::stress(c.pz + c.pcz), fmt::typed(c.fak),
                     fmt::stressTerm(c.unitWeightAbove), fmt::stress(c.faz), checkVerdict(c.ok)});
    return html + table({QStringLiteral("层号"), QStringLiteral("d (m)"), QStringLiteral("z/b"), QStringLiteral("Es1/Es2"),
                         QStringLiteral("θ (°)"), QStringLiteral("pz (kPa)"), QStringLiteral("弹性 σz (kPa)"),
                         QStringLiteral("pcz (kPa)"), QStringLiteral("pz + pcz (kPa)"), QStringLiteral("fak (kPa)"),
                         QStringLiteral("γm (kN/m³)"), QStringLiteral("faz (kPa)"), QStringLiteral("结论")},
                        rows);
}

}  // namespace

namespace report_sections {

QString timeSettlement(const ReportData& data, int section)
{
    const TimeSettlementOutputs& outputs = data.timeSettlement;
    if (!outputs.refusal.empty() || (!outputs.consolidation && !outputs.checks))
        return {};
    const QString number = QString::number(section);
    QString html = heading(number, QStringLiteral("沉降随时间、工后沉降与下卧层验算"));
    if (outputs.consolidation) {
        html += method(outputs.inputs);
        html += caption(QStringLiteral("表 %1-1　固结计算参数").arg(number));
        html += inputsTable(outputs.inputs, postConstructionCheck(data));
        html += caption(QStringLiteral("表 %1-2　各时刻的沉降").arg(number));
        html += curveTable(*outputs.consolidation);
        html += postConstruction(outputs.inputs, *outputs.consolidation, postConstructionCheck(data));
        html += caption(QStringLiteral("图 3　沉降与填土高度随时间的变化"));
        html += QStringLiteral("<p align=\"center\">%1</p>").arg(kTimeChartMarker);
    }
    if (outputs.checks) {
        html += caption(QStringLiteral("下卧层承载力验算"));
        html += underlyingChecks(outputs.inputs, data.checks ? data.checks->underlyingChecks : *outputs.checks);
    }
    return html;
}

}  // namespace report_sections
