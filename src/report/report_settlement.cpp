// The report's settlement: layer by layer, with what a reviewer needs to
// recompute it (moduli with their formula, stress coefficients and stresses
// at each layer's top, middle and bottom), the stop test written out, and
// the appendix of every slice.
#include "engine/layered_settlement.h"
#include "report/report_conclusions.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

#include <algorithm>

using namespace report_html;
namespace fmt = report_format;

namespace {

const LayerTable& soilModulusOf(const ProjectData& p, SettlementZone zone)
{
    switch (zone) {
    case SettlementZone::Head: return p.headSoilModulus;
    case SettlementZone::Shaft: return p.shaftSoilModulus;
    default: return p.baseSoilModulus;
    }
}

const LayerTable& unitWeightOf(const ProjectData& p, SettlementZone zone)
{
    switch (zone) {
    case SettlementZone::Head: return p.headUnitWeight;
    case SettlementZone::Shaft: return p.shaftUnitWeight;
    default: return p.baseUnitWeight;
    }
}

struct ZoneReinforcement {
    double replacement;  // m1 or m2
    double pileModulus;  // Ep1 or Ep2 (MPa)
};

ZoneReinforcement reinforcementOf(const ProjectData& p, SettlementZone zone)
{
    const double de2 = p.equivalentDiameter * p.equivalentDiameter;
    if (zone == SettlementZone::Head)
        return {p.headDiameter * p.headDiameter / de2, p.headPileModulus};
    return {p.shaftDiameter * p.shaftDiameter / de2, p.shaftPileModulus};
}

QString zoneCell(SettlementZone zone) { return esc(report_text::zoneName(zone)); }

QString slicing(const SettlementLayer& layer)
{
    const double step = layer.zone == SettlementZone::Base ? layered_settlement::kBaseStep
                                                           : layered_settlement::kReinforcedStep;
    return QStringLiteral("%1 m × %2").arg(report_text::number(step)).arg(layer.countedSlices);
}

QString compositeModulus(const ProjectData& p, const SettlementLayer& layer)
{
    if (layer.zone == SettlementZone::Base)
        return QStringLiteral("—");
    const ZoneReinforcement r = reinforcementOf(p, layer.zone);
    const double es = soilModulusOf(p, layer.zone)[layer.layer];
    return QStringLiteral("%1×%2 + %3×%4 = %5")
        .arg(fmt::ratio(r.replacement), fmt::typed(r.pileModulus), fmt::ratio(1 - r.replacement), fmt::typed(es),
             fmt::modulus(layer.modulus));
}

// The note under a table whose ΣS column is not the running sum of its
// printed ΔS column, or nothing.
QString cumulativeNote(const QStringList& parts, const QStringList& cumulatives, const QString& partDecimals)
{
    if (fmt::addsUp(parts, cumulatives, 2))
        return {};
    return text(QStringLiteral("ΣS 由未舍入的 ΔS 累加后取两位小数，与表中%1位小数的 ΔS 逐项相加可差 0.01 mm。").arg(partDecimals));
}

QString modulusTable(const ProjectData& p, const std::vector<SettlementLayer>& layers)
{
    QList<QStringList> rows;
    QStringList parts, cumulatives;
    for (const SettlementLayer& layer : layers) {
        parts.append(fmt::settlement(layer.settlement));
        cumulatives.append(fmt::settlement(layer.cumulative));
        rows.append({zoneCell(layer.zone), esc(report_text::layerLabel(p, layer.zone, layer.layer)), fmt::depth(layer.top), fmt::depth(layer.bottom),
                     slicing(layer), fmt::typed(soilModulusOf(p, layer.zone)[layer.layer]),
                     compositeModulus(p, layer), parts.last(), cumulatives.last()});
    }
    return table({QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("顶深 (m)"), QStringLiteral("底深 (m)"),
                  QStringLiteral("分片"), sub("E", "s") + " (MPa)",
                  sub("E", "sp") + " = m·" + sub("E", "p") + " + (1 − m)·" + sub("E", "s") + " (MPa)",
                  QStringLiteral("ΔS (mm)"), QStringLiteral("ΣS (mm)")},
                 rows)
           + cumulativeNote(parts, cumulatives, QStringLiteral("两"));
}

QString stressTable(const ProjectData& p, const SettlementDetails& d, const std::vector<SettlementLayer>& layers)
{
    const bool withSelfWeight = stressRatioOf(d.criterion) > 0;
    QList<QStringList> rows;
    double selfWeight = 0;
    for (const SettlementLayer& layer : layers) {
        selfWeight += unitWeightOf(p, layer.zone)[layer.layer] * (layer.bottom - layer.top);
        QStringList cells{zoneCell(layer.zone), QString::number(layer.layer)};
        QStringList stresses;
        for (double z : {layer.top, (layer.top + layer.bottom) / 2, layer.bottom}) {
            const double factor = p.embankmentStressFactor(z);
            cells.append(fmt::factor(factor));
            stresses.append(fmt::stress(factor * d.load));
        }
        cells += stresses;
        if (withSelfWeight)
            cells.append(fmt::stress(selfWeight));
        rows.append(cells);
    }
    QStringList header{QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("I 顶"), QStringLiteral("I 中"),
                       QStringLiteral("I 底"), sub("σ", "z") + QStringLiteral(" 顶 (kPa)"),
                       sub("σ", "z") + QStringLiteral(" 中 (kPa)"), sub("σ", "z") + QStringLiteral(" 底 (kPa)")};
    if (withSelfWeight)
        header.append(sub("σ", "c") + QStringLiteral(" 底 (kPa)"));
    return table(header, rows);
}

QString stressFactorFormula()
{
    return text(QStringLiteral(
        "路堤中心线下深度 z 处的附加应力 σz = I(z)·p0，梯形条形荷载（顶宽 B、高 h、两侧坡率 1:k1 与 1:k2）的应力系数："
        "I(z) = [ (β1 − β0)(1 + B/(2k1h)) + (β2 − β0)(1 + B/(2k2h)) − 2g + 2β0 + 4Bz(B² + 4z²)/(16B²z² + (4z² − B²)²) ] / π，"
        "其中 β0 = arctan(B/(2z))，β1 = arctan((B + 2k1h)/(2z))，β2 = arctan((B + 2k2h)/(2z))，g = 2Bz/(B² + 4z²)。"));
}

QString deformationRatioTest(const ProjectData& p, const SettlementDetails& d, const SettlementSlice& s)
{
    const double dz = layered_settlement::checkLayerThickness(p.embankmentTopWidth);
    const double factor = p.embankmentStressFactor(s.bottom - dz / 2);
    const bool met = s.testValue <= s.testLimit;
    QString html = text(QStringLiteral("计算厚度 Δz = %1 m：由路堤顶宽 B = %2 m 取（B ≤ 2 m 取 0.3 m，2 < B ≤ 4 m 取 0.6 m，"
                                       "4 < B ≤ 8 m 取 0.8 m，B > 8 m 取 1.0 m）。")
                            .arg(report_text::number(dz), fmt::typed(p.embankmentTopWidth)));
    html += formula(esc(QStringLiteral("z = %1 m 处：ΔSn = I(z − Δz/2)·p0·Δz/Es = %2×%3×%4/%5 = %6 mm %7 0.025ΣSi = 0.025×%8 = %9 mm")
                            .arg(fmt::depth(s.bottom), fmt::factor(factor), fmt::stress(d.load), report_text::number(dz),
                                 fmt::typed(p.baseSoilModulus[s.layer]), fmt::settlement(s.testValue),
                                 met ? QStringLiteral("≤") : QStringLiteral(">"), fmt::settlement(s.cumulative),
                                 fmt::settlement(s.testLimit))));
    return html;
}

QString stressRatioTest(const SettlementDetails& d, const SettlementSlice& s)
{
    const double ratio = stressRatioOf(d.criterion);
    const bool met = s.testValue < s.testLimit;
    return formula(esc(QStringLiteral("z = %1 m 处：σz = I(z)·p0 = %2×%3 = %4 kPa %5 %6σc = %6×%7 = %8 kPa")
                           .arg(fmt::depth(s.bottom), fmt::factor(s.testValue / d.load), fmt::stress(d.load),
                                fmt::stress(s.testValue), met ? QStringLiteral("<") : QStringLiteral("≥"),
                                report_text::number(ratio), fmt::stress(s.selfWeightStress), fmt::stress(s.testLimit))));
}

QString stopTest(const ProjectData& p, const SettlementDetails& d)
{
    QString html = caption(esc(QStringLiteral("计算深度终止条件：%1。").arg(report_text::criterionName(d.criterion))));
    if (!d.slices.empty() && d.slices.back().tested) {
        const SettlementSlice& s = d.slices.back();
        html += d.criterion == kStopDeformationRatio ? deformationRatioTest(p, d, s) : stressRatioTest(d, s);
    }
    const QString reason = report_text::stopReasonText(d) + QStringLiteral("。");
    return html + (d.stoppedBy == StopReason::Criterion ? text(reason) : warning(reason));
}

}  // namespace

namespace report_sections {

QString settlement(const ReportData& data, int section)
{
    const ProjectData& p = data.project;
    const SettlementDetails& d = data.settlement;
    const std::vector<SettlementLayer> layers = settlementLayers(d);
    const QString number = QString::number(section);
    QString html = heading(number, QStringLiteral("沉降计算"));
    html += formula(QStringLiteral("路堤荷载 %1 = γ·h = %2×%3 = %4 kPa")
                        .arg(sub("p", "0"), fmt::typed(p.fillUnitWeight), fmt::typed(p.embankmentHeight), fmt::stress(d.load)));
    html += stressFactorFormula();
    const ZoneReinforcement head = reinforcementOf(p, SettlementZone::Head);
    const ZoneReinforcement shaft = reinforcementOf(p, SettlementZone::Shaft);
    html += formula(QStringLiteral("扩大头段 m1 = D²/%1² = %2²/%3² = %4；下部桩段 m2 = d²/%1² = %5²/%3² = %6")
                        .arg(sub("d", "e"), fmt::typed(p.headDiameter), fmt::de(p.equivalentDiameter), fmt::ratio(head.replacement),
                             fmt::typed(p.shaftDiameter), fmt::ratio(shaft.replacement)));
    html += text(QStringLiteral("加固区每层取复合模量 Esp = m·Ep + (1 − m)·Es（扩大头段 m1、Ep1，下部桩段 m2、Ep2），"
                                "桩端以下取 Es；每片沉降 ΔS = I(z中)·p0·Δz/E，逐片累加。各层的分片数不计逐次累加步长留下的"
                                "不足 1e-9 m 的舍入余片（计算中保留，附录中计数）。"));
    const QStringList zones{fmt::settlement(d.head), fmt::settlement(d.shaft), fmt::settlement(d.base)};
    const QString total = fmt::settlement(d.total);
    html += formula(QStringLiteral("扩大头段 S1 = %1 mm，下部桩段 S2 = %2 mm，桩端以下 S3 = %3 mm，总沉降 S = S1 + S2 + S3 = <b>%4 mm</b>%5")
                        .arg(zones[0], zones[1], zones[2], total,
                             fmt::addsUp(zones, {QString(), QString(), total}, 2)
                                 ? QString()
                                 : QStringLiteral("（由未舍入的 S1、S2、S3 相加后取两位小数）")));
    if (data.checks && data.checks->settlementCorrection)
        html += formula(QStringLiteral("沉降计算经验系数 ψs = %1（工程输入），验算用沉降 %2")
                            .arg(fmt::typed(*data.checks->settlementCorrection), esc(correctedSettlementText(*data.checks))));
    html += caption(QStringLiteral("表 %1-1　各层模量与沉降").arg(number));
    html += modulusTable(p, layers);
    html += caption(QStringLiteral("表 %1-2　各层顶、中、底的应力系数与附加应力").arg(number));
    html += stressTable(p, d, layers);
    html += stopTest(p, d);
    html += caption(QStringLiteral("图 2　附加应力、自重应力及累计沉降随深度的分布"));
    return html + QStringLiteral("<p align=\"center\">%1</p>").arg(kChartMarker);
}

// The slices as a person reads them: the slivers repeated addition leaves
// (no thicker than 1e-9 m, settling nothing readable) are kept in the
// calculation and counted here, but not listed as slices of no thickness.
QString sliceAppendix(const SettlementDetails& d)
{
    const auto slivers = std::count_if(d.slices.begin(), d.slices.end(), isSliver);
    const int readable = static_cast<int>(d.slices.size() - slivers);
    const int shown = std::min(readable, kMaxAppendixSlices);
    QString html = heading(QStringLiteral("附录 A"), QStringLiteral("分片计算表"));
    // A caption: the table starts on the page of its introduction.
    html += caption(esc(QStringLiteral("共 %1 片%2%3。深度自桩顶起算；I、σz 取片中点。")
                     .arg(readable)
                     .arg(shown < readable ? QStringLiteral("，此处列出前 %1 片").arg(shown) : QString())
                     .arg(slivers > 0 ? QStringLiteral("（另有 %1 片厚度不足 1e-9 m 的舍入余片，为逐次累加步长所留，计算中保留，不列出）")
                                            .arg(slivers)
                                      : QString())));
    QList<QStringList> rows;
    rows.reserve(shown);
    QStringList parts, cumulatives;
    for (const SettlementSlice& s : d.slices) {
        if (rows.size() == shown)
            break;
        if (isSliver(s))
            continue;
        parts.append(fmt::sliceSettlement(s.settlement));
        cumulatives.append(fmt::settlement(s.cumulative));
        rows.append({QString::number(rows.size() + 1), zoneCell(s.zone), QString::number(s.layer), fmt::depth(s.top),
                     fmt::depth(s.bottom), fmt::factor(s.stressFactor), fmt::stress(s.additionalStress),
                     fmt::modulus(s.modulus), parts.last(), cumulatives.last()});
    }
    return html + table({QStringLiteral("序号"), QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("顶深 (m)"),
                         QStringLiteral("底深 (m)"), QStringLiteral("I"), sub("σ", "z") + " (kPa)", QStringLiteral("E (MPa)"),
                         QStringLiteral("ΔS (mm)"), QStringLiteral("ΣS (mm)")},
                        rows)
           + cumulativeNote(parts, cumulatives, QStringLiteral("四"));
}

}  // namespace report_sections
