// Words and numbers of the details windows and the calculation report.
#pragma once

#include "engine/breakdown.h"

#include <QString>

namespace report_text {

// `decimals` places in the C locale; "—" for a value that is not finite.
QString fixed(double value, int decimals);
// The shortest text that reads back as the value, C locale; "—" when not finite.
QString number(double value);

QString resistanceName(Resistance kind);   // e.g. 土对桩的支承力 R1
QString zoneName(SettlementZone zone);     // 扩大头段, 下部桩段, 桩端以下
QString criterionName(int criterion);      // ΔSn ≤ 0.025ΣSi (变形比法) ...
QString stopReasonText(const SettlementDetails& details);
QString ratioOfSelfWeight(double ratio);   // 0.2σc (kPa)

}  // namespace report_text
