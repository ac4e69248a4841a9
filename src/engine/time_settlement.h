// The settlement against time of a record, its post-construction settlement
// and the bearing check under the pile tips, from the inputs of its
// extension block as read into TimeSettlementInputs (time_settlement_inputs.h).
//
// In the reinforced zones cv is the soil's scaled by Esp / Es: the
// permeability stays the soil's, the compressibility is the composite one.
#pragma once

#include "engine/breakdown.h"
#include "engine/consolidation.h"
#include "engine/underlying_layer.h"
#include "model/extension/extension_inputs.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct TimeSettlementResult {
    std::vector<TimeSettlement> curve;
    double final = 0;             // ms Sc (mm)
    double pavementDay = 0;
    double atPavement = 0;        // S on the pavement day (mm)
    double postConstruction = 0;  // S(pavement + period) - S(pavement) (mm)
    double residual = 0;          // S(infinity) - S(pavement) (mm)
};

// The days the curve reports: day 0, the fill points, the pavement day and
// the end of the design period, and ten a decade from day 1 to that end.
std::vector<double> reportDays(const TimeSettlementInputs& inputs);

// The column of the settlement's slices down to its stop depth.
ConsolidationColumn consolidationColumn(const ProjectData& p, const SettlementDetails& details,
                                        const TimeSettlementInputs& inputs);

// The most consolidation one project may ask for (about 2 s and 60 MB): a
// curve over it is not computed, and its figures are not numbers.
inline constexpr double kMaxConsolidationCells = 1e6;
inline constexpr double kMaxConsolidationCellSteps = 3e8;
// A step of one cell costs about a sixth of a settlement slice (9 ns against
// 50 ns, measured on the worked example), the unit every work of a run is
// counted in (see sweepWork).
inline constexpr double kCellStepInSlices = 0.18;

// The work of timeSettlement at the given days.
ConsolidationWork timeSettlementWork(const ProjectData& p, const SettlementDetails& details,
                                     const TimeSettlementInputs& inputs, const std::vector<double>& days);
// The refusal of a work over the bounds (naming what was asked and the
// bound), or an empty text.
std::string consolidationWorkFault(const ConsolidationWork& work);

// The refusal of a result that is not finite throughout (naming the keys
// it comes from), so that no output carries a value that is not a number;
// an empty text for a finite one.
std::string nonFiniteFault(const TimeSettlementResult& result);

// The curve at the given days (ascending) and the post-construction figures.
TimeSettlementResult timeSettlement(const ProjectData& p, const SettlementDetails& details,
                                    const TimeSettlementInputs& inputs,
                                    std::vector<double> days);

// Everything a report section or an output needs of a record (de derived)
// under its own criterion: the inputs as read, the curve at the report days
// when it has cv values and a settlement, the checks when it has fak values.
struct TimeSettlementOutputs {
    std::string refusal;  // of the inputs; nothing else is set then
    TimeSettlementInputs inputs;
    std::optional<TimeSettlementResult> consolidation;
    std::optional<std::vector<UnderlyingLayerCheck>> checks;
};
TimeSettlementOutputs timeSettlementOutputs(const ProjectData& p, const ExtensionInputs& inputs);
// The same for a caller that holds only the record: its inputs read here.
TimeSettlementOutputs timeSettlementOutputs(const ProjectData& p);
