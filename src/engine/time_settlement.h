// The settlement against time of a record, its post-construction settlement
// and the bearing check under the pile tips, from the inputs stored in the
// extension block (see the input catalogue, input_catalogue.h):
//   ms                        settlement coefficient (default 1)
//   cv.head, cv.shaft, cv.base  cv of the soil per layer (1e-3 cm2/s)
//   bottomDrained             0 or 1: the stop depth drains (default 0)
//   fill                      day:height pairs from day 0 (default 0:h)
//   pavementDay               day the pavement is complete (default: the
//                             last fill day)
//   designPeriod              years after it (default 15)
//   fak.base                  fak (kPa) per base layer, for the bearing check
//   etaD                      depth factor of fak (default 1)
//   roadClass, location       the allowance table's row and column
//   allowablePostConstruction [s] after construction (mm), over the table's
//
// In the reinforced zones cv is the soil's scaled by Esp / Es: the
// permeability stays the soil's, the compressibility is the composite one.
#pragma once

#include "engine/breakdown.h"
#include "engine/consolidation.h"
#include "engine/underlying_layer.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct TimeSettlementInputs {
    double ms = 1.0;
    std::vector<double> cvHead, cvShaft, cvBase;  // 1e-3 cm2/s
    bool bottomDrained = false;
    std::vector<FillPoint> fill;
    double pavementDay = 0;
    double designPeriod = 15;  // years
    std::vector<double> fakBase;  // kPa
    double etaD = 1.0;
    std::string roadClass;
    std::string location;
    std::optional<double> allowablePostConstruction;  // mm, typed or from the table

    // Without cv values nothing of the settlement against time is computed.
    bool hasConsolidation() const { return !cvHead.empty() || !cvShaft.empty() || !cvBase.empty(); }
    bool hasBearingCheck() const { return !fakBase.empty(); }
};

// The inputs of the record's extension block, checked against its layers;
// the refusal (in Chinese, naming the key), or an empty text.
std::string readTimeSettlementInputs(const ProjectData& p, TimeSettlementInputs& inputs);

// The allowable post-construction settlement (mm) of the road class and
// location codes; empty for codes the table does not hold.
std::optional<double> allowanceOf(const std::string& roadClass, const std::string& location);

// The allowance table's road classes and locations: the code the extension
// block holds and the Chinese name the reports show.
struct AllowanceCode {
    const char* code;
    const char* name;
};
inline constexpr AllowanceCode kRoadClassCodes[] = {{"highway", "高速公路、一级公路"}, {"second", "二级公路"}};
inline constexpr AllowanceCode kLocationCodes[] = {
    {"abutment", "桥台与路堤相邻处"}, {"culvert", "涵洞、通道处"}, {"general", "一般路段"}};
// The Chinese name of a road class or location code; any other text as it is.
std::string allowanceCodeName(const std::string& code);
// The code of a road class or location named in Chinese; any other text as it is.
std::string allowanceCodeOf(const std::string& name);

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
TimeSettlementOutputs timeSettlementOutputs(const ProjectData& p);
