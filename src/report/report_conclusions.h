// The report's checks of a design, presented from its assessment: one row a
// check (验算项目, 计算值, 要求, 结论) with 满足, 不满足 or 未能验算 and the
// reason; the verdict of the design and the sentence that concludes it.
// Shared by the calculation report and the road report.
#pragma once

#include "engine/design_check.h"

#include <QList>
#include <QString>
#include <QStringList>

// Every check of the assessment as a row; the settlement under `criterion`,
// q as the demands give it. A settlement check not asked for is shown as
// 未验算 for want of [s].
QList<QStringList> assessmentRows(const DesignChecks& checks, const DesignDemands& demands, int criterion);
QStringList designChecksHeader();
// 满足 or 不满足.
QString checkVerdict(bool ok);
// 满足, 不满足 or 未能验算 of one check.
QString outcomeVerdict(const CheckOutcome& outcome);
// "复合地基承载力、下卧层承载力".
QString checkNames(const std::vector<CheckKind>& kinds);
// "满足", "不满足（复合地基承载力、下卧层承载力）" or "未能验算（工后沉降）".
QString designVerdict(const DesignChecks& checks);
// "复合地基承载力满足要求，沉降不满足要求，工后沉降未能验算（reason）": every
// check of the assessment in order, each kind once.
QString conclusionSentence(const DesignChecks& checks, bool settlementAsked);
// "ψs·S = 1.2×71.12 = 85.35 mm", with a note where the product of the
// printed figures rounds otherwise; empty without psiS.
QString correctedSettlementText(const DesignChecks& checks);
