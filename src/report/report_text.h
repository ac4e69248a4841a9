// Words and numbers of the details windows and the calculation report.
#pragma once

#include "engine/breakdown.h"

#include <QString>
#include <QStringList>

namespace report_text {

// `decimals` places as displayFixed prints them; "—" for a value that is not finite.
QString fixed(double value, int decimals);
// The shortest text that reads back as the value, C locale; "—" when not finite.
QString number(double value);

QString resistanceName(Resistance kind);   // e.g. 土对桩的支承力 R1
QString zoneName(SettlementZone zone);     // 扩大头段, 下部桩段, 桩端以下
// The extension key of the names of a zone's layers: name.head, name.shaft, name.base.
const char* layerKey(SettlementZone zone);
// The number of a zone's layer with its stratum's name when it has one ("2 淤泥质黏土").
QString layerLabel(const ProjectData& p, SettlementZone zone, int layer);
QString criterionName(int criterion);      // ΔSn ≤ 0.025ΣSi (变形比法) ...
QString stopReasonText(const SettlementDetails& details);
QString ratioOfSelfWeight(double ratio);   // 0.2σc (kPa)

}  // namespace report_text

// The calculation report's number formats, one per kind of quantity, chosen
// so that every line of printed arithmetic holds at the printed precision:
// the operands of a line carry more digits than its result.
namespace report_format {

QString typed(double value);       // an input, as the project file holds it (6 significant digits)
QString depth(double value);       // depth or thickness (m), 3 decimals
QString de(double value);          // de (m), 6 decimals: m = D²/de² is recomputed from it
QString area(double value);        // m², 6 decimals
QString ratio(double value);       // replacement ratio m, 6 decimals
QString force(double value);       // R1, R2, R3, Ra (kN), 2 decimals
QString forceTerm(double value);   // a force a resistance adds up (kN), 3 decimals
QString stress(double value);      // fspk, p0, σz, σc (kPa), 2 decimals
QString stressTerm(double value);  // a term fspk adds up (kPa), 3 decimals
QString factor(double value);      // stress coefficient I, 6 decimals: I·p0 recomputes σz
QString modulus(double value);     // a composite modulus Esp (MPa), 3 decimals
QString angle(double value);       // an angle (degrees), 2 decimals
QString quotient(double value);    // z/b, Es1/Es2, 3 decimals
QString settlement(double value);  // settlement of a zone, layer or in all (mm), 2 decimals
QString sliceSettlement(double value);  // settlement of one slice (mm), 4 decimals

// Whether the printed running totals are the running sums of the printed
// parts, as a reader adds them by hand at the totals' `decimals` (an empty
// total is one not printed); a total summed from unrounded values can differ
// in its last digit, and the report says so where it does.
bool addsUp(const QStringList& parts, const QStringList& totals, int decimals);

}  // namespace report_format
