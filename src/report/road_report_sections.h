// The parts of the road report, as rich text; shared by the files that
// build them.
#pragma once

#include "engine/sections.h"
#include "report/road_report.h"

#include <QString>

namespace road_report {

// A part's heading ("二、计算结果汇总"), on a new page when asked.
QString partHeading(const QString& title, bool newPage);
// Every section in a row: its fill height (m) and load, capacities, demand,
// settlement(s), its stability factor where sections have one, the verdict
// and the checks it governs.
QString summaryTable(const RoadReportRequest& request, const GoverningSections& governing,
                     const std::vector<double>& fillHeights);
// One section on a page of its own (from a new page when newPage): the
// values the table gives it, its layers, its results and its checks, set a
// size smaller than the chapters so that a section fits its page.
QString sectionPage(const RoadReportRequest& request, std::size_t index, bool newPage);
// "满足", or "不满足（承载力、沉降）", or why the section was not computed.
QString verdict(const SweepPoint& point);
// The checks the section governs, "承载力、沉降"; empty for none.
QString governedChecks(const GoverningSections& governing, std::size_t index);

}  // namespace road_report
