// The report's checks against the design demands: the bearing check
// fspk >= p0 + q with the fspk the design uses (the typed Ra's when set)
// and, when an allowable settlement is given, the settlement under the
// project's criterion against it, each with its verdict 满足 or 不满足.
#pragma once

#include "engine/design_check.h"

#include <QList>
#include <QString>
#include <QStringList>

// The checks as a table in the report's rich text; the project's de must be
// derived from its layout.
QString designChecksTable(const ProjectData& project, const DesignDemands& demands);

// The rows of that table (验算项目, 计算值, 要求, 结论) from checks already made,
// the settlement under `criterion`; and the table's header.
QList<QStringList> bearingAndSettlementRows(const DesignChecks& checks, const DesignDemands& demands, int criterion);
QStringList designChecksHeader();
// 满足 or 不满足.
QString checkVerdict(bool ok);
