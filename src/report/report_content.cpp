#include "report/report_content.h"

#include "report/report_text.h"

#include <QStringList>

using report_text::fixed;
using report_text::number;

namespace {

QString heading(const QString& text)
{
    return QStringLiteral("<h2 style=\"font-size:14pt\">%1</h2>").arg(text.toHtmlEscaped());
}

QString paragraph(const QString& text)
{
    return QStringLiteral("<p>%1</p>").arg(text);
}

QString row(const QStringList& cells, bool header = false)
{
    const QString tag = header ? QStringLiteral("th") : QStringLiteral("td");
    QString html = QStringLiteral("<tr>");
    for (const QString& cell : cells)
        html += QStringLiteral("<%1>%2</%1>").arg(tag, cell);
    return html + QStringLiteral("</tr>");
}

QString table(const QStringList& header, const QList<QStringList>& rows)
{
    QString html = QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">");
    html += row(header, true);
    for (const QStringList& cells : rows)
        html += row(cells);
    return html + QStringLiteral("</table>");
}

QString cover(const ReportRequest& r)
{
    QString html = QStringLiteral("<p style=\"font-size:40pt\">&nbsp;</p>");
    html += QStringLiteral("<p align=\"center\" style=\"font-size:24pt; font-weight:bold\">%1</p>")
                .arg(reportTitle());
    html += QStringLiteral("<p style=\"font-size:30pt\">&nbsp;</p>");
    const auto line = [](const QString& label, const QString& value) {
        return QStringLiteral("<p align=\"center\" style=\"font-size:14pt\">%1：%2</p>")
            .arg(label, value.toHtmlEscaped());
    };
    html += line(QStringLiteral("工程名称"), r.projectName);
    html += line(QStringLiteral("计算日期"), r.date.toString(QStringLiteral("yyyy年M月d日")));
    html += line(QStringLiteral("计算程序"), programName());
    html += QStringLiteral("<p style=\"font-size:40pt\">&nbsp;</p>");
    for (const char* role : {"计　算", "校　核", "审　核"})
        html += QStringLiteral("<p align=\"center\" style=\"font-size:14pt\">%1：________________"
                               "　日期：____________</p>")
                    .arg(QString::fromUtf8(role));
    return html + QStringLiteral("<p style=\"page-break-after:always\">&nbsp;</p>");
}

QStringList input(const QString& name, const QString& symbol, double value, const QString& unit)
{
    return {name, symbol, number(value), unit};
}

QString layoutText(const ProjectData& p)
{
    switch (p.layoutType) {
    case kLayoutTriangle:
        return QStringLiteral("等边三角形，s = %1 m，de = 1.05s").arg(number(p.spacingTriangle));
    case kLayoutSquare:
        return QStringLiteral("正方形，s = %1 m，de = 1.13s").arg(number(p.spacingSquare));
    case kLayoutRectangle:
        return QStringLiteral("矩形，s1 = %1 m，s2 = %2 m，de = 1.13√(s1·s2)")
            .arg(number(p.spacingLongitudinal), number(p.spacingTransverse));
    default: return QStringLiteral("（未选择）");
    }
}

QString inputs(const ProjectData& p)
{
    const QStringList header{QStringLiteral("参数"), QStringLiteral("符号"), QStringLiteral("数值"),
                             QStringLiteral("单位")};
    QString html = heading(QStringLiteral("1 输入参数"));
    html += table(header,
                  {input(QStringLiteral("扩大头直径"), "D", p.headDiameter, "m"),
                   input(QStringLiteral("下部桩径"), "d", p.shaftDiameter, "m"),
                   input(QStringLiteral("扩大头高度"), "H", p.headLength, "m"),
                   input(QStringLiteral("桩长"), "L", p.pileLength, "m"),
                   input(QStringLiteral("无侧限抗压强度平均值"), "fcu,k", p.cubeStrength, "kPa"),
                   input(QStringLiteral("扩大头桩身强度折减系数"), "η1", p.headStrengthFactor, ""),
                   input(QStringLiteral("下部桩身强度折减系数"), "η2", p.shaftStrengthFactor, ""),
                   input(QStringLiteral("变截面处地基土承载力特征值"), "qpa", p.stepBearing, "kPa"),
                   input(QStringLiteral("桩端地基土承载力特征值"), "qpb", p.tipBearing, "kPa"),
                   input(QStringLiteral("变截面处承载力折减系数"), "α1", p.stepBearingFactor, ""),
                   input(QStringLiteral("桩端承载力折减系数"), "α2", p.tipBearingFactor, ""),
                   input(QStringLiteral("处理后桩间土承载力特征值"), "fsk", p.soilCapacity, "kPa"),
                   input(QStringLiteral("桩间土承载力折减系数"), "β", p.soilReduction, ""),
                   {QStringLiteral("布桩方式"), "", layoutText(p), ""},
                   input(QStringLiteral("等效影响圆直径"), "de", p.equivalentDiameter, "m"),
                   input(QStringLiteral("填土顶宽"), "B", p.embankmentTopWidth, "m"),
                   input(QStringLiteral("路基填土高度"), "h", p.embankmentHeight, "m"),
                   input(QStringLiteral("边坡坡度 1:m"), "m", p.slopeM, ""),
                   input(QStringLiteral("边坡坡度 1:n"), "n", p.slopeN, ""),
                   input(QStringLiteral("填土容重"), "γ", p.fillUnitWeight, "kN/m³"),
                   input(QStringLiteral("扩大头桩体压缩模量"), "Ep1", p.headPileModulus, "MPa"),
                   input(QStringLiteral("下部桩体压缩模量"), "Ep2", p.shaftPileModulus, "MPa"),
                   {QStringLiteral("计算深度终止条件"), "", report_text::criterionName(p.stopCriterion), ""}});

    const QStringList sideHeader{QStringLiteral("层号"), QStringLiteral("厚度 l (m)"),
                                 QStringLiteral("侧摩阻力 qs (kPa)"), QStringLiteral("压缩模量 Es (MPa)"),
                                 QStringLiteral("重度 γ (kN/m³)")};
    const auto sideZone = [&](const LayerTable& t, const LayerTable& q, const LayerTable& e,
                              const LayerTable& g, int count) {
        QList<QStringList> rows;
        for (int i = 1; i <= usedLayers(count); ++i)
            rows.append({QString::number(i), number(t[i]), number(q[i]), number(e[i]), number(g[i])});
        return table(sideHeader, rows);
    };
    html += paragraph(QStringLiteral("扩大头段（0～H）土层，n1 = %1：").arg(p.headLayerCount));
    html += sideZone(p.headThickness, p.headFriction, p.headSoilModulus, p.headUnitWeight,
                     p.headLayerCount);
    html += paragraph(QStringLiteral("下部桩段（H～L）土层，n2 = %1：").arg(p.shaftLayerCount));
    html += sideZone(p.shaftThickness, p.shaftFriction, p.shaftSoilModulus, p.shaftUnitWeight,
                     p.shaftLayerCount);
    html += paragraph(QStringLiteral("桩端以下土层，n3 = %1：").arg(p.baseLayerCount));
    QList<QStringList> baseRows;
    for (int k = 1; k <= usedLayers(p.baseLayerCount); ++k)
        baseRows.append({QString::number(k), number(p.baseThickness[k]), number(p.baseSoilModulus[k]),
                         number(p.baseUnitWeight[k])});
    html += table({QStringLiteral("层号"), QStringLiteral("厚度 l (m)"), QStringLiteral("压缩模量 Es (MPa)"),
                   QStringLiteral("重度 γ (kN/m³)")},
                  baseRows);
    return html;
}

// "10×2 + 12×4": the products the friction sum adds.
QString frictionProducts(const LayerTable& friction, const LayerTable& thickness, int count)
{
    QStringList terms;
    for (int i = 1; i <= usedLayers(count); ++i)
        terms.append(number(friction[i]) + QStringLiteral("×") + number(thickness[i]));
    return terms.isEmpty() ? QStringLiteral("0") : terms.join(QStringLiteral(" + "));
}

QString formula(const QString& text)
{
    return QStringLiteral("<p style=\"margin-left:12pt\">%1</p>").arg(text);
}

QString pileCapacity(const ProjectData& p, const CapacityTerms& t)
{
    QString html = heading(QStringLiteral("2 单桩承载力特征值"));
    html += paragraph(QStringLiteral("Ap = πD²/4 = %1 m²，As = πd²/4 = %2 m²。")
                          .arg(fixed(t.composite.headArea, 4), fixed(t.shaftArea, 4)));
    html += formula(QStringLiteral("扩大头侧摩阻力 Qs1 = πD·Σqs·l = π×%1×(%2) = %3 kN")
                        .arg(number(p.headDiameter),
                             frictionProducts(p.headFriction, p.headThickness, p.headLayerCount),
                             fixed(t.headFriction, 2)));
    html += formula(QStringLiteral("下部桩侧摩阻力 Qs2 = πd·Σqs·l = π×%1×(%2) = %3 kN")
                        .arg(number(p.shaftDiameter),
                             frictionProducts(p.shaftFriction, p.shaftThickness, p.shaftLayerCount),
                             fixed(t.shaftFriction, 2)));
    html += formula(QStringLiteral("变截面端阻力 Qpa = α1·qpa·(Ap − As) = %1×%2×(%3 − %4) = %5 kN")
                        .arg(number(p.stepBearingFactor), number(p.stepBearing),
                             fixed(t.composite.headArea, 4), fixed(t.shaftArea, 4), fixed(t.stepBearing, 2)));
    html += formula(QStringLiteral("桩端端阻力 Qpb = α2·qpb·As = %1×%2×%3 = %4 kN")
                        .arg(number(p.tipBearingFactor), number(p.tipBearing), fixed(t.shaftArea, 4),
                             fixed(t.tipBearing, 2)));
    html += formula(QStringLiteral("R1 = Qs1 + Qs2 + Qpa + Qpb = %1 kN").arg(fixed(t.bySoil, 2)));
    html += formula(QStringLiteral("R2 = η2·fcu,k·As + Qs1 + Qpa = %1×%2×%3 + %4 + %5 = %6 kN")
                        .arg(number(p.shaftStrengthFactor), number(p.cubeStrength), fixed(t.shaftArea, 4),
                             fixed(t.headFriction, 2), fixed(t.stepBearing, 2), fixed(t.byShaftBody, 2)));
    html += formula(QStringLiteral("R3 = η1·fcu,k·Ap = %1×%2×%3 = %4 kN")
                        .arg(number(p.headStrengthFactor), number(p.cubeStrength),
                             fixed(t.composite.headArea, 4), fixed(t.byHeadBody, 2)));
    QList<QStringList> rows;
    for (Resistance kind : {Resistance::Soil, Resistance::ShaftBody, Resistance::HeadBody})
        rows.append({report_text::resistanceName(kind), fixed(resistance(t, kind), 2),
                     kind == t.governing ? QStringLiteral("控制") : QString()});
    html += table({QStringLiteral("承载力"), QStringLiteral("数值 (kN)"), QStringLiteral("")}, rows);
    html += paragraph(QStringLiteral("单桩承载力特征值 Ra = min(R1, R2, R3) = <b>%1 kN</b>（由%2控制）。")
                          .arg(fixed(t.composite.pileCapacity, 2), report_text::resistanceName(t.governing)));
    return html;
}

QString compositeFormula(const ProjectData& p, const CompositeTerms& c)
{
    return formula(QStringLiteral("fspk = m·Ra/Ap + β·(1 − m)·fsk = %1×%2/%3 + %4×(1 − %1)×%5 = %6 + %7 = <b>%8 kPa</b>")
                       .arg(fixed(c.replacementRatio, 4), fixed(c.pileCapacity, 2), fixed(c.headArea, 4),
                            number(p.soilReduction), number(p.soilCapacity), fixed(c.pileTerm, 2),
                            fixed(c.soilTerm, 2), fixed(c.capacity, 2)));
}

QString compositeCapacity(const ProjectData& p, const CapacityTerms& t)
{
    QString html = heading(QStringLiteral("3 复合地基承载力特征值"));
    html += formula(QStringLiteral("面积置换率 m = D²/de² = %1²/%2² = %3")
                        .arg(number(p.headDiameter), fixed(p.equivalentDiameter, 4),
                             fixed(t.composite.replacementRatio, 4)));
    html += compositeFormula(p, t.composite);
    if (p.manualCapacityFlag == 1) {
        html += paragraph(QStringLiteral("按手动输入的单桩承载力特征值 Ra = %1 kN：")
                              .arg(number(p.manualPileCapacity)));
        html += compositeFormula(p, compositeTerms(p, p.manualPileCapacity));
    }
    return html;
}

QString layerTable(const SettlementDetails& d)
{
    QList<QStringList> rows;
    for (const SettlementLayer& layer : settlementLayers(d))
        rows.append({report_text::zoneName(layer.zone), QString::number(layer.layer),
                     fixed(layer.top, 2), fixed(layer.bottom, 2), fixed(layer.modulus, 3),
                     QString::number(layer.sliceCount), fixed(layer.settlement, 3),
                     fixed(layer.cumulative, 3)});
    return table({QStringLiteral("分区"), QStringLiteral("层号"), QStringLiteral("顶深 (m)"),
                  QStringLiteral("底深 (m)"), QStringLiteral("模量 E (MPa)"), QStringLiteral("分层数"),
                  QStringLiteral("沉降 ΔS (mm)"), QStringLiteral("累计 ΣS (mm)")},
                 rows);
}

QString stopTest(const SettlementDetails& d)
{
    if (d.slices.empty() || !d.slices.back().tested)
        return paragraph(report_text::stopReasonText(d) + QStringLiteral("。"));
    const SettlementSlice& s = d.slices.back();
    const QString test =
        d.criterion == kStopDeformationRatio
            ? QStringLiteral("ΔSn = %1 mm，0.025ΣSi = %2 mm").arg(fixed(s.testValue, 3), fixed(s.testLimit, 3))
            : QStringLiteral("σz = %1 kPa，%2σc = %3 kPa（σc = %4 kPa）")
                  .arg(fixed(s.testValue, 2), number(stressRatioOf(d.criterion)), fixed(s.testLimit, 2),
                       fixed(s.selfWeightStress, 2));
    return paragraph(QStringLiteral("终止条件 %1，在 z = %2 m 处：%3。%4。")
                         .arg(report_text::criterionName(d.criterion), fixed(s.bottom, 2), test,
                              report_text::stopReasonText(d)));
}

QString settlement(const ProjectData& p, const SettlementDetails& d)
{
    QString html = heading(QStringLiteral("4 沉降计算"));
    html += formula(QStringLiteral("路堤荷载 p0 = γ·h = %1×%2 = %3 kPa")
                        .arg(number(p.fillUnitWeight), number(p.embankmentHeight), fixed(d.load, 2)));
    html += paragraph(QStringLiteral(
        "路堤中心线下深度 z 处附加应力 σz = I(z)·p0，I 为梯形条形荷载的应力系数。加固区（扩大头段、下部桩段）"
        "按 0.1 m、桩端以下按 1.0 m 分层，每层取复合模量 Esp = (1 − m)·Es + m·Ep（桩端以下取 Es），"
        "分层沉降 ΔS = I(z中)·p0·Δz / E，逐层累加。"));
    html += paragraph(QStringLiteral("扩大头段 S1 = %1 mm，下部桩段 S2 = %2 mm，桩端以下 S3 = %3 mm，"
                                     "总沉降 S = S1 + S2 + S3 = <b>%4 mm</b>。")
                          .arg(fixed(d.head, 3), fixed(d.shaft, 3), fixed(d.base, 3), fixed(d.total, 2)));
    html += stopTest(d);
    html += layerTable(d);
    html += paragraph(QStringLiteral("附加应力、自重应力及累计沉降随深度的分布："));
    return html + QStringLiteral("<p align=\"center\">%1</p>").arg(kChartMarker);
}

QString summary(const ProjectData& p, const CapacityTerms& t, const SettlementDetails& d, int section)
{
    QList<QStringList> rows{
        {QStringLiteral("单桩承载力特征值 Ra"), fixed(t.composite.pileCapacity, 2), "kN"},
        {QStringLiteral("控制承载力"), report_text::resistanceName(t.governing), ""},
        {QStringLiteral("复合地基承载力特征值 fspk"), fixed(t.composite.capacity, 2), "kPa"}};
    if (p.manualCapacityFlag == 1)
        rows.append({QStringLiteral("fspk（手动输入 Ra）"),
                     fixed(compositeTerms(p, p.manualPileCapacity).capacity, 2), "kPa"});
    rows.append({QStringLiteral("路堤荷载 p0"), fixed(d.load, 2), "kPa"});
    rows.append({QStringLiteral("沉降 S（") + report_text::criterionName(d.criterion) + QStringLiteral("）"),
                 fixed(d.total, 2), "mm"});
    rows.append({QStringLiteral("计算深度 zn"), fixed(d.stopDepth, 2), "m"});
    return heading(QStringLiteral("%1 计算结果汇总").arg(section))
           + table({QStringLiteral("项目"), QStringLiteral("数值"), QStringLiteral("单位")}, rows);
}

}  // namespace

QString reportHtml(const ReportRequest& r, const CapacityTerms& capacity, const SettlementDetails& settlementDetails)
{
    const ProjectData& p = r.project;
    QString html = QStringLiteral("<html><body>") + cover(r) + inputs(p) + pileCapacity(p, capacity)
                   + compositeCapacity(p, capacity) + settlement(p, settlementDetails);
    int section = 5;
    for (const ReportSection& extra : r.extraSections)
        html += heading(QStringLiteral("%1 %2").arg(section++).arg(extra.title)) + extra.html;
    return html + summary(p, capacity, settlementDetails, section) + QStringLiteral("</body></html>");
}
