// The report's inputs and both capacities, with the numbers put in, and the
// factors outside the code's ranges as warnings beside them.
#include "engine/code_ranges.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

using namespace report_html;
namespace fmt = report_format;

namespace {

QStringList input(const QString& name, const QString& symbol, double value, const QString& unit)
{
    return {esc(name), symbol, fmt::typed(value), unit};
}

QString layoutText(const ProjectData& p)
{
    switch (p.layoutType) {
    case kLayoutTriangle:
        return QStringLiteral("等边三角形，s = %1 m，de = 1.05s").arg(fmt::typed(p.spacingTriangle));
    case kLayoutSquare:
        return QStringLiteral("正方形，s = %1 m，de = 1.13s").arg(fmt::typed(p.spacingSquare));
    case kLayoutRectangle:
        return QStringLiteral("矩形，s1 = %1 m，s2 = %2 m，de = 1.13√(s1·s2)")
            .arg(fmt::typed(p.spacingLongitudinal), fmt::typed(p.spacingTransverse));
    default: return QStringLiteral("（未选择）");
    }
}

QString sideZoneTable(const ProjectData& p, SettlementZone zone, const LayerTable& t, const LayerTable& q,
                      const LayerTable& e, const LayerTable& g, int count)
{
    QList<QStringList> rows;
    for (int i = 1; i <= usedLayers(count); ++i)
        rows.append({esc(report_text::layerLabel(p, zone, i)), fmt::typed(t[i]), fmt::typed(q[i]), fmt::typed(e[i]), fmt::typed(g[i])});
    if (rows.isEmpty())
        return text(QStringLiteral("（无土层）"));
    return table({QStringLiteral("层号"), QStringLiteral("厚度 l (m)"), QStringLiteral("侧摩阻力 ") + sub("q", "s") + " (kPa)",
                  QStringLiteral("压缩模量 ") + sub("E", "s") + " (MPa)", QStringLiteral("重度 γ (kN/m³)")},
                 rows);
}

// The last base layer's thickness: 1000 m or more stands for a layer the
// calculation never leaves.
QString baseThickness(const ProjectData& p, int k)
{
    if (k == usedLayers(p.baseLayerCount) && p.baseThickness[k] >= 1000)
        return QStringLiteral("未穿透（计算至终止深度）");
    return fmt::typed(p.baseThickness[k]);
}

QString baseZoneTable(const ProjectData& p)
{
    QList<QStringList> rows;
    for (int k = 1; k <= usedLayers(p.baseLayerCount); ++k)
        rows.append({esc(report_text::layerLabel(p, SettlementZone::Base, k)), baseThickness(p, k), fmt::typed(p.baseSoilModulus[k]),
                     fmt::typed(p.baseUnitWeight[k])});
    if (rows.isEmpty())
        return text(QStringLiteral("（无：桩端以下未输入土层）"));
    return table({QStringLiteral("层号"), QStringLiteral("厚度 l (m)"), QStringLiteral("压缩模量 ") + sub("E", "s") + " (MPa)",
                  QStringLiteral("重度 γ (kN/m³)")},
                 rows);
}

// "10×2 + 12×4": the products the friction sum adds.
QString frictionProducts(const LayerTable& friction, const LayerTable& thickness, int count)
{
    QStringList terms;
    for (int i = 1; i <= usedLayers(count); ++i)
        terms.append(fmt::typed(friction[i]) + QStringLiteral("×") + fmt::typed(thickness[i]));
    return terms.isEmpty() ? QStringLiteral("0") : terms.join(QStringLiteral(" + "));
}

// The code's ranges as the assessment of the inputs gives them: warnings a
// reviewer reads, never a change to the numbers or the verdict.
QString rangeWarningLines(const ReportData& d)
{
    const std::vector<RangeWarning> warnings = rangeWarnings(d.project, d.capacity);
    if (warnings.empty())
        return {};
    QString html = caption(QStringLiteral("规范取值范围提示（不改变计算结果及验算结论）："));
    for (const RangeWarning& w : warnings) {
        const QString clause = w.clause.empty() ? QString() : QStringLiteral("（%1）").arg(QString::fromStdString(w.clause));
        html += warning(QString::fromStdString(w.text) + clause);
    }
    return html;
}

QString compositeFormula(const ProjectData& p, const CompositeTerms& c)
{
    return formula(QStringLiteral("%1 = m·%2/%3 + β·(1 − m)·%4 = %5×%6/%7 + %8×(1 − %5)×%9 = %10 + %11 = <b>%12 kPa</b>")
                       .arg(sub("f", "spk"), sub("R", "a"), sub("A", "p"), sub("f", "sk"), fmt::ratio(c.replacementRatio),
                            fmt::force(c.pileCapacity), fmt::area(c.headArea), fmt::typed(p.soilReduction),
                            fmt::typed(p.soilCapacity))
                       .arg(fmt::stressTerm(c.pileTerm), fmt::stressTerm(c.soilTerm), fmt::stress(c.capacity)));
}

}  // namespace

namespace report_sections {

QString inputs(const ProjectData& p, int section)
{
    const QStringList header{QStringLiteral("参数"), QStringLiteral("符号"), QStringLiteral("数值"), QStringLiteral("单位")};
    QString html = heading(QString::number(section), QStringLiteral("输入参数"));
    html += table(header,
                  {input(QStringLiteral("扩大头直径"), "D", p.headDiameter, "m"),
                   input(QStringLiteral("下部桩径"), "d", p.shaftDiameter, "m"),
                   input(QStringLiteral("扩大头高度"), "H", p.headLength, "m"),
                   input(QStringLiteral("桩长"), "L", p.pileLength, "m"),
                   input(QStringLiteral("桩身试块（边长70.7 mm立方体）在标准养护条件下90d龄期的立方体抗压强度平均值"), sub("f", "cu"), p.cubeStrength, "kPa"),
                   input(QStringLiteral("扩大头桩身强度折减系数"), sub("η", "1"), p.headStrengthFactor, ""),
                   input(QStringLiteral("下部桩身强度折减系数"), sub("η", "2"), p.shaftStrengthFactor, ""),
                   input(QStringLiteral("变截面处地基土承载力特征值"), sub("q", "pa"), p.stepBearing, "kPa"),
                   input(QStringLiteral("桩端地基土承载力特征值"), sub("q", "pb"), p.tipBearing, "kPa"),
                   input(QStringLiteral("变截面处端阻力发挥系数"), sub("α", "1"), p.stepBearingFactor, ""),
                   input(QStringLiteral("桩端端阻力发挥系数"), sub("α", "2"), p.tipBearingFactor, ""),
                   input(QStringLiteral("处理后桩间土承载力特征值"), sub("f", "sk"), p.soilCapacity, "kPa"),
                   input(QStringLiteral("桩间土承载力发挥系数"), "β", p.soilReduction, ""),
                   {QStringLiteral("布桩方式"), "", esc(layoutText(p)), ""},
                   {QStringLiteral("等效影响圆直径"), sub("d", "e"), fmt::de(p.equivalentDiameter), "m"},
                   input(QStringLiteral("路堤顶宽"), "B", p.embankmentTopWidth, "m"),
                   input(QStringLiteral("路堤填土高度"), "h", p.embankmentHeight, "m"),
                   input(QStringLiteral("左侧边坡坡率"), "1:" + sub("k", "1"), p.slopeM, ""),
                   input(QStringLiteral("右侧边坡坡率"), "1:" + sub("k", "2"), p.slopeN, ""),
                   input(QStringLiteral("填土重度"), "γ", p.fillUnitWeight, "kN/m³"),
                   input(QStringLiteral("扩大头桩体压缩模量"), sub("E", "p1"), p.headPileModulus, "MPa"),
                   input(QStringLiteral("下部桩体压缩模量"), sub("E", "p2"), p.shaftPileModulus, "MPa"),
                   {QStringLiteral("计算深度终止条件"), "", esc(report_text::criterionName(p.stopCriterion)), ""}});
    return html + layerTables(p);
}

QString layerTables(const ProjectData& p)
{
    QString html = caption(QStringLiteral("扩大头段（0～H）土层，n1 = %1：").arg(p.headLayerCount));
    html += sideZoneTable(p, SettlementZone::Head, p.headThickness, p.headFriction, p.headSoilModulus, p.headUnitWeight, p.headLayerCount);
    html += caption(QStringLiteral("下部桩段（H～L）土层，n2 = %1：").arg(p.shaftLayerCount));
    html += sideZoneTable(p, SettlementZone::Shaft, p.shaftThickness, p.shaftFriction, p.shaftSoilModulus, p.shaftUnitWeight, p.shaftLayerCount);
    html += caption(QStringLiteral("桩端以下土层，n3 = %1：").arg(p.baseLayerCount));
    return html + baseZoneTable(p);
}

QString pileCapacity(const ReportData& d, int section)
{
    const ProjectData& p = d.project;
    const CapacityTerms& t = d.capacity;
    const QString ap = sub("A", "p"), ap2 = sub("A", "p2"), qs = sub("q", "s");
    QString html = heading(QString::number(section), QStringLiteral("单桩承载力特征值"));
    html += markup(QStringLiteral("%1 = πD²/4 = %2 m²，%3 = πd²/4 = %4 m²。")
                       .arg(ap, fmt::area(t.composite.headArea), ap2, fmt::area(t.shaftArea)));
    html += formula(QStringLiteral("扩大头侧摩阻力 %1 = πD·Σ%2·l = π×%3×(%4) = %5 kN")
                        .arg(sub("Q", "s1"), qs, fmt::typed(p.headDiameter),
                             frictionProducts(p.headFriction, p.headThickness, p.headLayerCount),
                             fmt::forceTerm(t.headFriction)));
    html += formula(QStringLiteral("下部桩侧摩阻力 %1 = πd·Σ%2·l = π×%3×(%4) = %5 kN")
                        .arg(sub("Q", "s2"), qs, fmt::typed(p.shaftDiameter),
                             frictionProducts(p.shaftFriction, p.shaftThickness, p.shaftLayerCount),
                             fmt::forceTerm(t.shaftFriction)));
    html += formula(QStringLiteral("变截面端阻力 %1 = %2·%3·(%4 − %5) = %6×%7×(%8 − %9) = %10 kN")
                        .arg(sub("Q", "pa"), sub("α", "1"), sub("q", "pa"), ap, ap2, fmt::typed(p.stepBearingFactor),
                             fmt::typed(p.stepBearing), fmt::area(t.composite.headArea), fmt::area(t.shaftArea))
                        .arg(fmt::forceTerm(t.stepBearing)));
    html += formula(QStringLiteral("桩端端阻力 %1 = %2·%3·%4 = %5×%6×%7 = %8 kN")
                        .arg(sub("Q", "pb"), sub("α", "2"), sub("q", "pb"), ap2, fmt::typed(p.tipBearingFactor),
                             fmt::typed(p.tipBearing), fmt::area(t.shaftArea), fmt::forceTerm(t.tipBearing)));
    html += formula(QStringLiteral("R1 = %1 + %2 + %3 + %4 = %5 + %6 + %7 + %8 = %9 kN")
                        .arg(sub("Q", "s1"), sub("Q", "s2"), sub("Q", "pa"), sub("Q", "pb"), fmt::forceTerm(t.headFriction),
                             fmt::forceTerm(t.shaftFriction), fmt::forceTerm(t.stepBearing), fmt::forceTerm(t.tipBearing))
                        .arg(fmt::force(t.bySoil)));
    html += formula(QStringLiteral("R2 = %1·%2·%3 + %4 + %5 = %6×%7×%8 + %9 + %10 = %11 kN")
                        .arg(sub("η", "2"), sub("f", "cu"), ap2, sub("Q", "s1"), sub("Q", "pa"), fmt::typed(p.shaftStrengthFactor),
                             fmt::typed(p.cubeStrength), fmt::area(t.shaftArea), fmt::forceTerm(t.headFriction))
                        .arg(fmt::forceTerm(t.stepBearing), fmt::force(t.byShaftBody)));
    html += formula(QStringLiteral("R3 = %1·%2·%3 = %4×%5×%6 = %7 kN")
                        .arg(sub("η", "1"), sub("f", "cu"), ap, fmt::typed(p.headStrengthFactor), fmt::typed(p.cubeStrength),
                             fmt::area(t.composite.headArea), fmt::force(t.byHeadBody)));
    QList<QStringList> rows;
    for (Resistance kind : {Resistance::Soil, Resistance::ShaftBody, Resistance::HeadBody})
        rows.append({esc(report_text::resistanceName(kind)), fmt::force(resistance(t, kind)),
                     kind == t.governing ? QStringLiteral("控制") : QString()});
    html += table({QStringLiteral("承载力"), QStringLiteral("数值 (kN)"), QString()}, rows);
    html += markup(QStringLiteral("单桩承载力特征值 %1 = min(R1, R2, R3) = <b>%2 kN</b>（由%3控制）。")
                       .arg(sub("R", "a"), fmt::force(t.composite.pileCapacity), esc(report_text::resistanceName(t.governing))));
    if (p.manualCapacityFlag == 1) {
        html += markup(QStringLiteral("设计采用手动输入的单桩承载力特征值 %1 = <b>%2 kN</b>（按设计人员输入，"
                                      "如静载荷试验结果；其来源由设计人负责核实）。")
                           .arg(sub("R", "a"), fmt::typed(p.manualPileCapacity)));
        if (p.manualPileCapacity > t.composite.pileCapacity)
            html += warning(QStringLiteral("手动输入的 Ra = %1 kN 大于按土层及桩身强度计算的 Ra = %2 kN（为其 %3 倍），"
                                           "应有静载荷试验等依据。")
                                .arg(fmt::typed(p.manualPileCapacity), fmt::force(t.composite.pileCapacity),
                                     report_text::fixed(p.manualPileCapacity / t.composite.pileCapacity, 2)));
    }
    return html;
}

double usedCompositeCapacity(const ReportData& d)
{
    return d.project.manualCapacityFlag == 1 ? compositeTerms(d.project, d.project.manualPileCapacity).capacity
                                             : d.capacity.composite.capacity;
}

QString compositeCapacity(const ReportData& d, int section)
{
    const ProjectData& p = d.project;
    const CapacityTerms& t = d.capacity;
    QString html = heading(QString::number(section), QStringLiteral("复合地基承载力特征值"));
    html += formula(QStringLiteral("面积置换率 m = D²/%1² = %2²/%3² = %4")
                        .arg(sub("d", "e"), fmt::typed(p.headDiameter), fmt::de(p.equivalentDiameter),
                             fmt::ratio(t.composite.replacementRatio)));
    const bool manual = p.manualCapacityFlag == 1;
    html += caption(manual ? QStringLiteral("按计算的单桩承载力特征值（仅供对照，不采用）：")
                           : QStringLiteral("按计算的单桩承载力特征值（采用）："));
    html += compositeFormula(p, t.composite);
    if (manual) {
        html += caption(QStringLiteral("按手动输入的单桩承载力特征值（采用）："));
        html += compositeFormula(p, compositeTerms(p, p.manualPileCapacity));
    }
    return html + rangeWarningLines(d);
}

}  // namespace report_sections
