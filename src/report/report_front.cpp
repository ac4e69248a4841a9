// The report's front matter: the cover with the project information and the
// file it was made from, the overview with the calculation drawing, the
// sources and assumptions of the method, and the symbols.
#include "model/extension/project_info.h"
#include "report/report_html.h"
#include "report/report_sections.h"
#include "report/report_text.h"

#include <QCryptographicHash>

#include <algorithm>
#include <iterator>

using namespace report_html;

namespace {

QString infoValue(const ProjectData& p, const char* key)
{
    return QString::fromStdString(p.extension.value(key));
}

QString blankOr(const QString& value, const QString& blank)
{
    return value.isEmpty() ? blank : esc(value);
}

// The sources of the checks after construction, when they are made.
QStringList afterConstructionSources(const ReportData& d)
{
    QStringList sources;
    if (!d.checks)
        return sources;
    if (d.checks->outcome(CheckKind::PostConstruction))
        sources.append(QStringLiteral("沉降随时间按 Terzaghi 一维固结理论计算；容许工后沉降按《公路路基设计规范》JTG D30—2015 "
                                      "由公路等级与路段取值，或按设计要求、工程输入的值。"));
    if (d.checks->outcome(CheckKind::UnderlyingLayer))
        sources.append(QStringLiteral("下卧层承载力按《建筑地基基础设计规范》GB 50007—2011 第 5.2.7 条的压力扩散角法验算。"));
    return sources;
}

}  // namespace

namespace report_sections {

QString centred(const QString& html, int points)
{
    return QStringLiteral("<p align=\"center\" style=\"font-size:%1pt\">%2</p>").arg(points).arg(html);
}

// The first 8 hexadecimal digits of the SHA-256 of the file's bytes: enough
// to match a report to its file by eye.
QString fileWithChecksum(const QString& name, const QByteArray& bytes)
{
    const QString checksum =
        QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(8));
    return QStringLiteral("%1（校验码 %2）").arg(esc(name), checksum);
}

QString signatureLines(const ProjectData& p)
{
    const QString line = QStringLiteral("____________________");
    QString html;
    for (const char* key : {"calculatedBy", "checkedBy", "approvedBy"}) {
        const ProjectInfoField* field = std::find_if(std::begin(kProjectInfoFields), std::end(kProjectInfoFields),
                                                     [key](const ProjectInfoField& f) { return qstrcmp(f.key, key) == 0; });
        const QString label = QString::fromUtf8(field->label);
        html += centred(QStringLiteral("%1%2：%3　日期：____________")
                            .arg(label.left(1), QStringLiteral("　") + label.mid(1), blankOr(infoValue(p, key), line)),
                        14);
    }
    return html;
}

QString projectInfoLines(const QString& projectName, const ProjectData& p)
{
    const QString line = QStringLiteral("____________________");
    QString html = centred(QStringLiteral("工程名称：%1").arg(blankOr(projectName, line)), 14);
    for (const ProjectInfoField& field : kProjectInfoFields) {
        const QString key = QString::fromLatin1(field.key);
        if (key == QLatin1String("projectName") || key.endsWith(QLatin1String("By")))
            continue;
        html += centred(QStringLiteral("%1：%2").arg(QString::fromUtf8(field.label),
                                                     blankOr(infoValue(p, field.key), line)),
                        14);
    }
    return html;
}

QString cover(const ReportRequest& r)
{
    const ProjectData& p = r.project;
    QString html = QStringLiteral("<p style=\"font-size:30pt\">&nbsp;</p>");
    html += QStringLiteral("<p align=\"center\" style=\"font-size:24pt; font-weight:bold\">%1</p>")
                .arg(esc(reportTitle()));
    html += QStringLiteral("<p style=\"font-size:20pt\">&nbsp;</p>");
    html += projectInfoLines(r.projectName, p);
    html += centred(QStringLiteral("计算日期：%1").arg(r.date.toString(QStringLiteral("yyyy年M月d日"))), 14);
    html += centred(QStringLiteral("计算程序：%1").arg(esc(programName())), 14);
    const QString source = r.sourceFileName.isEmpty() ? QStringLiteral("（未保存的输入）")
                                                      : fileWithChecksum(r.sourceFileName, r.sourceBytes);
    html += centred(QStringLiteral("输入文件：%1").arg(source), 11);
    if (!r.sourceSettings.isEmpty())
        html += centred(QStringLiteral("另按命令行取值（已计入校验码）：%1").arg(esc(r.sourceSettings.join(QStringLiteral("；")))), 11);
    html += QStringLiteral("<p style=\"font-size:24pt\">&nbsp;</p>") + signatureLines(p);
    return html + QStringLiteral("<p style=\"page-break-after:always\">&nbsp;</p>");
}

QString overview(const ReportData& d, int section)
{
    const ProjectData& p = d.project;
    QString html = heading(QString::number(section), QStringLiteral("工程概况与计算简图"));
    html += text(QStringLiteral("路堤下采用 T 形水泥土搅拌桩复合地基：扩大头直径 D = %1 m、高 H = %2 m，"
                                "下部桩径 d = %3 m，桩长 L = %4 m；路堤顶宽 B = %5 m，填土高 h = %6 m。")
                     .arg(report_format::typed(p.headDiameter), report_format::typed(p.headLength),
                          report_format::typed(p.shaftDiameter), report_format::typed(p.pileLength),
                          report_format::typed(p.embankmentTopWidth), report_format::typed(p.embankmentHeight)));
    html += caption(QStringLiteral("图 1　计算简图（路堤横断面、T 形桩及土层分区；深度方向按比例）"));
    return html + QStringLiteral("<p align=\"center\">%1</p>").arg(kDrawingMarker);
}

QString basis(const ReportData& d, int section)
{
    QString html = heading(QString::number(section), QStringLiteral("设计依据与基本假定"));
    html += caption(QStringLiteral("计算方法及其来源："));
    const QStringList sources{
        QStringLiteral("复合地基承载力特征值按面积置换率法 fspk = m·Ra/Ap + β·(1 − m)·fsk，即《建筑地基处理技术规范》"
                       "JGJ 79—2012 式 (7.1.5-2) 取单桩承载力发挥系数 λ = 1 的形式，m 按扩大头直径计算。"),
        QStringLiteral("单桩承载力特征值 Ra 取桩周土与桩端土的支承力 R1、下部桩身强度 R2、扩大头桩身强度 R3 三者的最小值，"
                       "各式见第 5 节。R1 按 JGJ 79—2012 由桩侧摩阻力与桩端端阻力之和确定单桩承载力的形式，"
                       "另计 T 形桩变截面处的端阻力；R3 按该规范对水泥土搅拌桩由桩身强度确定单桩承载力的形式 η·fcu·Ap；"
                       "R2 为下部桩身强度 η2·fcu·Ap2 加其上扩大头段的侧摩阻力与变截面端阻力，是 T 形桩的做法，非该规范的公式。"),
        QStringLiteral("沉降按分层总和法计算：加固区（扩大头段、下部桩段）取复合压缩模量 Esp = m·Ep + (1 − m)·Es，"
                       "桩端以下取天然土的 Es；附加应力按梯形条形荷载作用下路堤中心线上的应力系数 I(z) 计算。"
                       "Esp 按桩与土的面积加权（复合模量法），不同于 JGJ 79—2012 以承载力之比 ζ = fspk/fak 放大天然土模量的做法。"),
        QStringLiteral("计算深度按变形比法确定时，取《建筑地基基础设计规范》GB 50007—2011 式 (5.3.7) "
                       "ΔSn ≤ 0.025ΣSi，计算厚度 Δz 按该规范表 5.3.7 由基础宽度（此处取路堤顶宽 B）确定；"
                       "按应力比法确定时，取附加应力 σz 小于有效自重应力 σc 的 0.2 倍（软土取 0.1 倍）处，"
                       "此为分层总和法的常用做法，本计算书不引条文号。")};
    for (const QString& s : sources + afterConstructionSources(d))
        html += text(QStringLiteral("・") + s);
    html += caption(QStringLiteral("基本假定："));
    QStringList assumptions{
        QStringLiteral("只计算路堤中心线下的沉降；不计桩顶垫层的作用及其压缩。"),
        QStringLiteral("附加荷载只计路堤填土 p0 = γ·h；附加荷载 q 只用于承载力验算。"),
        QStringLiteral("土层重度按输入值计：地下水位以下应输入浮重度，σc 即有效自重应力。"),
        QStringLiteral("加固区按 0.1 m、桩端以下按 1.0 m 分片；每层最后一片为该层剩余厚度。"),
        QStringLiteral("桩端以下最后一层厚度输入 1000 m 表示该层未穿透，计算至终止深度为止。")};
    if (d.project.manualCapacityFlag == 1)
        assumptions.append(QStringLiteral("单桩承载力特征值采用手动输入值（如静载荷试验结果），其来源由设计人负责核实。"));
    for (const QString& s : assumptions)
        html += text(QStringLiteral("・") + s);
    return html;
}

QString symbols(int section)
{
    const QList<QStringList> rows{
        {"D", QStringLiteral("扩大头直径"), "m"},
        {"d", QStringLiteral("下部桩径"), "m"},
        {"H", QStringLiteral("扩大头高度（自桩顶）"), "m"},
        {"L", QStringLiteral("桩长（自桩顶至桩端）"), "m"},
        {sub("A", "p"), QStringLiteral("扩大头截面积 πD²/4"), "m²"},
        {sub("A", "p2"), QStringLiteral("下部桩截面积 πd²/4"), "m²"},
        {sub("d", "e"), QStringLiteral("一根桩分担的等效圆直径"), "m"},
        {"m", QStringLiteral("面积置换率 D²/de²（沉降计算中扩大头段 m1 = D²/de²，下部桩段 m2 = d²/de²）"), ""},
        {sub("f", "cu"), QStringLiteral("桩身试块（边长70.7 mm立方体）在标准养护条件下90d龄期的立方体抗压强度平均值"), "kPa"},
        {sub("η", "1") + ", " + sub("η", "2"), QStringLiteral("桩身强度折减系数（扩大头、下部桩）"), ""},
        {"β", QStringLiteral("桩间土承载力发挥系数"), ""},
        {"λ", QStringLiteral("单桩承载力发挥系数（本计算取 1）"), ""},
        {sub("q", "s"), QStringLiteral("桩侧摩阻力特征值"), "kPa"},
        {sub("R", "a"), QStringLiteral("单桩承载力特征值"), "kN"},
        {sub("f", "spk"), QStringLiteral("复合地基承载力特征值"), "kPa"},
        {sub("f", "sk"), QStringLiteral("处理后桩间土承载力特征值"), "kPa"},
        {"B, h", QStringLiteral("路堤顶宽、填土高度"), "m"},
        {QStringLiteral("1:k") + QStringLiteral("<sub>1</sub>, 1:k<sub>2</sub>"), QStringLiteral("两侧边坡坡率"), ""},
        {"γ", QStringLiteral("重度（填土；地下水位以下的土层取浮重度）"), "kN/m³"},
        {sub("p", "0"), QStringLiteral("路堤荷载 γ·h"), "kPa"},
        {"I(z)", QStringLiteral("路堤中心线下深度 z 处的附加应力系数"), ""},
        {sub("σ", "z") + ", " + sub("σ", "c"), QStringLiteral("附加应力、有效自重应力"), "kPa"},
        {sub("E", "s") + ", " + sub("E", "p"), QStringLiteral("土的压缩模量、桩体压缩模量"), "MPa"},
        {sub("E", "sp"), QStringLiteral("加固区复合压缩模量"), "MPa"},
        {"S, ΔS", QStringLiteral("沉降、分层沉降"), "mm"},
        {sub("z", "n"), QStringLiteral("沉降计算深度（自桩顶）"), "m"}};
    return heading(QString::number(section), QStringLiteral("符号与单位"))
           + table({QStringLiteral("符号"), QStringLiteral("含义"), QStringLiteral("单位")}, rows);
}

}  // namespace report_sections
