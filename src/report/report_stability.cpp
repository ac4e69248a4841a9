// The report's chapter on the embankment's stability, printed when the
// project gives strengths or a required factor: the model and its choices,
// the inputs, the figure of the critical circles, the slices of the critical
// circle with their totals, the factor against the requirement, and what the
// composite strength assumes of the piles.
#include "report/report_conclusions.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

#include <cmath>

using namespace report_html;
namespace fmt = report_format;

namespace {

// Slices the table lists at most: every k-th one, the totals over all.
constexpr std::size_t kShownSlices = 16;

QString model()
{
    return text(QStringLiteral(
        "按简化 Bishop 法搜索圆弧滑动面的最小安全系数：F = Σ[(c′·b + W·tanφ′)/mα] / Σ W·sinα，"
        "mα = cosα + sinα·tanφ′/F，迭代至收敛；任一土条 mα ≤ 0.2 的滑弧不予采用。断面取路堤横断面，"
        "原点在路中线的地面（桩顶）处；滑弧的最低点在地面或地面以下（路堤连同地基整体滑动，不计填土内的浅层滑动），"
        "滑体为滑弧以上的部分，顶面附加荷载 q 作用于路堤顶宽范围内。加固区自左坡脚外延 treatedMargin 至右坡脚外延"
        " treatedMargin、自地面至桩端，其中滑面强度取复合强度 c′ = m·τp + (1 − m)·c，tanφ′ = (1 − m)·tanφ，"
        "扩大头段 m = D²/de²，下部桩段 m = d²/de²；加固区以外取土的强度。土的 c、φ 按输入值采用（总应力或有效应力"
        "由设计人员确定），不计孔隙水压力。两侧分别在圆心网格及切点深度网格上搜索并局部加密，取两侧的较小者为设计安全系数。"));
}

QString strengths(const std::vector<double>& c, const std::vector<double>& phi)
{
    QStringList layers;
    for (std::size_t i = 0; i < c.size() && i < phi.size(); ++i)
        layers << QStringLiteral("第%1层 c = %2 kPa，φ = %3°").arg(i + 1).arg(fmt::typed(c[i]), fmt::typed(phi[i]));
    return layers.isEmpty() ? QStringLiteral("—") : layers.join(QStringLiteral("；"));
}

QString optionalValue(const std::optional<double>& value, const QString& unit)
{
    return value ? fmt::typed(*value) + unit : QStringLiteral("未给出");
}

QString inputsTable(const StabilityInputs& in)
{
    const QString fill = in.cFill ? QStringLiteral("c = %1 kPa，φ = %2°").arg(fmt::typed(*in.cFill), fmt::typed(*in.phiFill))
                                  : QStringLiteral("未给出");
    const QList<QStringList> rows{
        {QStringLiteral("填土"), fill},
        {QStringLiteral("扩大头段各层"), strengths(in.cHead, in.phiHead)},
        {QStringLiteral("下部桩段各层"), strengths(in.cShaft, in.phiShaft)},
        {QStringLiteral("桩端以下各层"), strengths(in.cBase, in.phiBase)},
        {QStringLiteral("桩体抗剪强度 τp"), optionalValue(in.pileShear, QStringLiteral(" kPa"))},
        {QStringLiteral("加固区超出坡脚的宽度"), fmt::typed(in.treatedMargin) + QStringLiteral(" m")},
        {QStringLiteral("要求的稳定安全系数 [F]"), optionalValue(in.required, QString())}};
    return table({QStringLiteral("参数"), QStringLiteral("数值")}, rows);
}

struct SliceTerms {
    double driving;    // W sin(alpha)
    double resisting;  // (c' b + W tan(phi')) / m_alpha
};

SliceTerms terms(const StabilitySlice& s, double factor)
{
    constexpr double kRadians = 3.14159265358979323846 / 180;
    const double sinA = std::sin(s.baseAngle * kRadians);
    const double tanPhi = std::tan(s.phi * kRadians);
    const double mAlpha = std::cos(s.baseAngle * kRadians) + sinA * tanPhi / factor;
    return {s.weight * sinA, (s.c * s.width + s.weight * tanPhi) / mAlpha};
}

QString slicesTable(const CircleFactor& circle, const QString& number)
{
    const std::vector<StabilitySlice>& slices = circle.slices;
    const std::size_t every = (slices.size() + kShownSlices - 1) / kShownSlices;
    QList<QStringList> rows;
    double driving = 0;
    double resisting = 0;
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const SliceTerms t = terms(slices[i], circle.factor);
        driving += t.driving;
        resisting += t.resisting;
        if (i % every != 0 && i + 1 != slices.size())
            continue;
        const StabilitySlice& s = slices[i];
        rows.append({QString::number(i + 1), fmt::depth(s.x), fmt::depth(s.width), fmt::angle(s.baseAngle),
                     fmt::forceTerm(s.weight), fmt::stressTerm(s.c), fmt::angle(s.phi),
                     s.reinforced ? QStringLiteral("是") : QStringLiteral("否"), fmt::forceTerm(t.driving),
                     fmt::forceTerm(t.resisting)});
    }
    rows.append({QStringLiteral("合计"), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                 fmt::forceTerm(driving), fmt::forceTerm(resisting)});
    QString html = caption(QStringLiteral("表 %1-2　临界滑弧的土条（共 %2 条%3）")
                               .arg(number)
                               .arg(slices.size())
                               .arg(every > 1 ? QStringLiteral("，每 %1 条列出一条，合计为全部土条之和").arg(every)
                                              : QString()));
    html += table({QStringLiteral("土条"), QStringLiteral("x (m)"), QStringLiteral("b (m)"), QStringLiteral("α (°)"),
                   QStringLiteral("W (kN/m)"), QStringLiteral("c′ (kPa)"), QStringLiteral("φ′ (°)"),
                   QStringLiteral("加固区"), QStringLiteral("W·sinα"), QStringLiteral("(c′b + W·tanφ′)/mα")},
                  rows);
    return html + formula(QStringLiteral("F = %1 / %2 = <b>%3</b>")
                              .arg(fmt::forceTerm(resisting), fmt::forceTerm(driving),
                                   report_text::fixed(circle.factor, 3)));
}

QString sideLine(const SideStability& s)
{
    return QStringLiteral("%1侧：圆心 (%2, %3) m，半径 R = %4 m，滑弧自 (%5, %6) 至 (%7, %8)，F = %9")
        .arg(s.side == Side::Left ? QStringLiteral("左") : QStringLiteral("右"), fmt::depth(s.circle.xc),
             fmt::depth(s.circle.yc), fmt::depth(s.circle.radius), fmt::depth(s.least.entryX),
             fmt::depth(s.least.entryY), fmt::depth(s.least.exitX), fmt::depth(s.least.exitY))
        .arg(report_text::fixed(s.least.factor, 3));
}

QString verdictLine(const ReportData& data, const StabilityResult& r)
{
    const CheckOutcome* check = data.checks ? data.checks->outcome(CheckKind::Stability) : nullptr;
    if (!check)
        return text(QStringLiteral("设计安全系数 F = %1（%2侧）；未给出要求的安全系数，不作验算。")
                        .arg(report_text::fixed(r.factor, 3), r.side == Side::Left ? QStringLiteral("左") : QStringLiteral("右")));
    if (!check->ok)
        return text(QStringLiteral("整体稳定未能验算：%1。").arg(QString::fromStdString(check->reason)));
    return markup(esc(QStringLiteral("设计安全系数 F = %1 %2 [F] = %3，%4。")
                          .arg(report_text::fixed(check->value, 3), *check->ok ? QStringLiteral("≥") : QStringLiteral("<"),
                               fmt::typed(check->limit), outcomeVerdict(*check))));
}

}  // namespace

namespace report_sections {

QString stability(const ReportData& data, const StabilityOutcome& outcome, int section)
{
    if (outcome.state == StabilityState::NotAsked)
        return {};
    const QString number = QString::number(section);
    QString html = heading(number, QStringLiteral("路堤整体稳定验算"));
    html += model();
    html += caption(QStringLiteral("表 %1-1　稳定计算参数").arg(number));
    html += inputsTable(outcome.inputs);
    if (!outcome.result)
        return html + warning(QStringLiteral("整体稳定未能验算：") + QString::fromStdString(outcome.reason));
    const StabilityResult& r = *outcome.result;
    html += caption(QStringLiteral("图 %1-1　两侧的临界滑弧（按比例绘制；红色为控制侧）").arg(number));
    html += QStringLiteral("<p align=\"center\">%1</p>").arg(kStabilityMarker);
    html += text(sideLine(r.left));
    html += text(sideLine(r.right));
    html += text(QStringLiteral("共试算滑弧 %1 个。").arg(r.circlesTried));
    html += slicesTable(r.critical().least, number);
    html += verdictLine(data, r);
    return html + warning(QStringLiteral(
               "以复合强度进行的极限平衡分析假定桩体发生剪切破坏；路堤下的水泥土桩可能先发生弯曲破坏，"
               "本安全系数未考虑这种破坏。"));
}

}  // namespace report_sections
