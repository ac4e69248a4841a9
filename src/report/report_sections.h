// The sections of the calculation report, each as rich text with its number
// given by the caller. Shared by the files that build them.
#pragma once

#include "engine/breakdown.h"
#include "engine/design_check.h"
#include "engine/stability.h"
#include "engine/time_settlement.h"
#include "report/calculation_report.h"

#include <QString>

#include <optional>

inline const QString kChartMarker = QStringLiteral("[[settlement-chart]]");
inline const QString kDrawingMarker = QStringLiteral("[[calculation-drawing]]");
inline const QString kTimeChartMarker = QStringLiteral("[[time-settlement-chart]]");
inline const QString kStabilityMarker = QStringLiteral("[[stability-figure]]");

// Slices the appendix lists at most: a report's length is bounded whatever
// the layers.
inline constexpr int kMaxAppendixSlices = 2000;

struct ReportData {
    const ReportRequest& request;
    const ProjectData& project;
    const CapacityTerms& capacity;
    const SettlementDetails& settlement;
    // The assessment, when the demands or the project ask for a check.
    const std::optional<DesignChecks>& checks;
    // The settlement against time and the checks under the tips, as computed.
    const TimeSettlementOutputs& timeSettlement;
};

namespace report_sections {

QString cover(const ReportRequest& request);
// Pieces of a cover: a centred line of markup at a size in points, a file's
// name with the first digits of its bytes' SHA-256, the signature lines.
QString centred(const QString& html, int points);
QString fileWithChecksum(const QString& name, const QByteArray& bytes);
QString signatureLines(const ProjectData& project);
// The project's name and information, a centred line each.
QString projectInfoLines(const QString& projectName, const ProjectData& project);
QString overview(const ReportData& data, int section);
QString basis(const ReportData& data, int section);
QString symbols(int section);
QString inputs(const ProjectData& project, int section);
// The layers of the three zones, a caption and a table each.
QString layerTables(const ProjectData& project);
QString pileCapacity(const ReportData& data, int section);
QString compositeCapacity(const ReportData& data, int section);
QString settlement(const ReportData& data, int section);
// The settlement against time and the check under the tips; nothing unless
// the project's extension block holds cv or fak values that are accepted.
QString timeSettlement(const ReportData& data, int section);
// The embankment's stability: nothing unless the project asks for it.
QString stability(const ReportData& data, const StabilityOutcome& outcome, int section);
QString conclusions(const ReportData& data, int section);
QString summary(const ReportData& data, int section);
QString sliceAppendix(const SettlementDetails& settlement);

// The fspk the checks use: with the typed Ra when the project has one.
double usedCompositeCapacity(const ReportData& data);

}  // namespace report_sections
