#include "report/report_text.h"

#include "model/display_rounding.h"
#include "model/extension/layer_names.h"

#include <QLocale>

#include <cmath>

namespace report_text {

QString fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::fromStdString(displayFixed(value, decimals)) : QStringLiteral("—");
}

QString number(double value)
{
    return std::isfinite(value) ? QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest)
                                : QStringLiteral("—");
}

QString resistanceName(Resistance kind)
{
    switch (kind) {
    case Resistance::ShaftBody: return QStringLiteral("下部桩身强度 R2");
    case Resistance::HeadBody: return QStringLiteral("扩大头桩身强度 R3");
    default: return QStringLiteral("土对桩的支承力 R1");
    }
}

const char* layerKey(SettlementZone zone)
{
    return kLayerNameKeys[static_cast<int>(zone)];
}

QString layerLabel(const ProjectData& p, SettlementZone zone, int layer)
{
    return QString::fromStdString(::layerLabel(p, layerKey(zone), layer));
}

QString zoneName(SettlementZone zone)
{
    switch (zone) {
    case SettlementZone::Shaft: return QStringLiteral("下部桩段");
    case SettlementZone::Base: return QStringLiteral("桩端以下");
    default: return QStringLiteral("扩大头段");
    }
}

QString criterionName(int criterion)
{
    switch (criterion) {
    case kStopDeformationRatio: return QStringLiteral("ΔSn ≤ 0.025ΣSi（变形比法）");
    case kStopStressRatio02: return QStringLiteral("σz < 0.2σc（应力比法）");
    case kStopStressRatio01: return QStringLiteral("σz < 0.1σc（应力比法）");
    default: return QStringLiteral("（未选择）");
    }
}

QString stopReasonText(const SettlementDetails& d)
{
    switch (d.stoppedBy) {
    case StopReason::Criterion:
        return QStringLiteral("满足终止条件，计算深度 zn = %1 m").arg(fixed(d.stopDepth, 3));
    case StopReason::SliceLimit: return QStringLiteral("土层过厚，无法分层计算");
    default:
        return QStringLiteral("桩端以下土层已全部计算仍未满足终止条件，计算至 %1 m")
            .arg(fixed(d.stopDepth, 3));
    }
}

QString ratioOfSelfWeight(double ratio)
{
    return QStringLiteral("%1σc (kPa)").arg(number(ratio));
}

}  // namespace report_text

namespace report_format {

using report_text::fixed;

QString typed(double value)
{
    return std::isfinite(value) ? QLocale::c().toString(value, 'g', 6) : QStringLiteral("—");
}

QString depth(double value) { return fixed(value, 3); }
QString de(double value) { return fixed(value, 6); }
QString area(double value) { return fixed(value, 6); }
QString ratio(double value) { return fixed(value, 6); }
QString force(double value) { return fixed(value, 2); }
QString forceTerm(double value) { return fixed(value, 3); }
QString stress(double value) { return fixed(value, 2); }
QString stressTerm(double value) { return fixed(value, 3); }
QString factor(double value) { return fixed(value, 6); }
QString modulus(double value) { return fixed(value, 3); }
QString angle(double value) { return fixed(value, 2); }
QString quotient(double value) { return fixed(value, 3); }
QString settlement(double value) { return fixed(value, 2); }
QString sliceSettlement(double value) { return fixed(value, 4); }

bool addsUp(const QStringList& parts, const QStringList& totals, int decimals)
{
    double sum = 0.0;
    for (qsizetype i = 0; i < parts.size() && i < totals.size(); ++i) {
        sum += QLocale::c().toDouble(parts[i]);
        if (!totals[i].isEmpty() && fixed(sum, decimals) != totals[i])
            return false;
    }
    return true;
}

}  // namespace report_format
