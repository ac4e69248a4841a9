// Checks of a design against what the road asks of it: the composite
// foundation must carry the embankment load p0 = gamma h plus a surcharge q,
// and, when an allowable settlement [s] is given, settle no more than that
// under the record's settlement criterion. The demands are the engineer's
// own and are not part of the project file.
#pragma once

#include "engine/stability.h"
#include "engine/underlying_layer.h"
#include "model/extension/extension_inputs.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct TimeSettlementOutputs;

struct DesignDemands {
    DesignDemands() = default;
    DesignDemands(double q, std::optional<double> s = {}, std::optional<double> afterConstruction = {})
        : surcharge(q), allowableSettlement(s), allowablePostConstruction(afterConstruction)
    {
    }

    double surcharge = 0;                      // q (kPa), traffic and other loads on the fill
    std::optional<double> allowableSettlement;  // [s] (mm); no settlement check without it
    // [s] after the pavement is complete (mm); over the record's own
    // (allowablePostConstruction, or its road class and location).
    std::optional<double> allowablePostConstruction;
};

// Everything the two input forms compute for one record.
struct DesignResults {
    double equivalentDiameter = 0;        // de (m)
    double pileCapacity = 0;              // Ra (kN), computed from the layers
    double compositeCapacity = 0;         // fspk (kPa) with the computed Ra
    double manualCompositeCapacity = 0;   // fspk (kPa) with the typed Ra; NaN when not typed
    double settlementDeformationRatio = 0;  // mm
    double settlementStressRatio02 = 0;     // mm
    double settlementStressRatio01 = 0;     // mm
};

// The checks a design can be asked for. Every output names them by key
// (checkKey) and the reports by their Chinese name (checkName).
enum class CheckKind { Bearing, Settlement, PostConstruction, UnderlyingLayer, Stability };

// One check as it was made: the value against its limit and whether it
// holds; a check that could not be made has no verdict but a reason.
struct CheckOutcome {
    CheckKind kind = CheckKind::Bearing;
    double value = 0;        // fspk (kPa), S or the post-construction S (mm), pz + pcz (kPa), F
    double limit = 0;        // p0 + q (kPa), [s] or [s工后] (mm), faz (kPa), the required F
    std::optional<bool> ok;  // empty: 未能验算
    std::string reason{};    // why it could not be made (Chinese); empty when made
    std::string limitSource{};  // where the limit comes from (Chinese)
    double depth = 0;        // d below the pile tops (m), underlying layer only
};

// 满足 when every check asked for holds; 不满足 when one fails; 未能验算 when
// none fails but one could not be made.
enum class Verdict { Passes, Fails, Unchecked };

// The assessment of a design: every check asked for, computed once, in the
// order bearing, settlement, post-construction, the underlying layers from
// the top down, then the stability. Every output presents these outcomes.
struct DesignChecks {
    double embankmentLoad = 0;   // p0 = gamma h (kPa)
    double bearingDemand = 0;    // p0 + q (kPa)
    double bearingCapacity = 0;  // fspk (kPa) the capacity form shows: the typed Ra's when set
    bool bearingOk = false;      // fspk >= p0 + q
    double settlement = 0;       // mm, under the record's criterion
    // The project's psiS: the settlement checked against [s] is psiS times
    // the calculated one.
    std::optional<double> settlementCorrection;
    std::optional<bool> settlementOk;  // psiS * settlement <= [s]; empty without [s] or a settlement
    // With an allowance after construction: the settlement over the design
    // period (NaN when it cannot be computed) and whether it stays within
    // the allowance (empty then).
    std::optional<double> allowablePostConstruction;
    double postConstruction = 0;
    std::optional<bool> postConstructionOk;
    // With the record's fak values: the bearing checks under the pile tips.
    std::vector<UnderlyingLayerCheck> underlyingChecks;
    std::optional<bool> underlyingOk;
    // The embankment's stability under q on the crest, computed once when the
    // project gives strengths or a required factor (NotAsked otherwise); its
    // check is made only with a required factor.
    StabilityOutcome stability;
    std::vector<CheckOutcome> outcomes;

    Verdict verdict() const;
    bool passes() const { return verdict() == Verdict::Passes; }
    // The kinds that fail, and those that could not be checked, each once
    // in the order of the outcomes.
    std::vector<CheckKind> failedKinds() const;
    std::vector<CheckKind> uncheckedKinds() const;
    // The first outcome of a kind, or null when that check was not asked for.
    const CheckOutcome* outcome(CheckKind kind) const;
    // The least factor of safety when the stability was computed, or NaN.
    double stabilityFactor() const;
};

// "bearing", "settlement", "postConstruction", "underlyingLayer", "stability".
const char* checkKey(CheckKind kind);
// 复合地基承载力, 沉降, 工后沉降, 下卧层承载力, 整体稳定.
const char* checkName(CheckKind kind);

// Every result of a record whose de has been derived from its layout, by the
// engine's own operations (computeCapacity stores Ra in the record).
DesignResults computeDesign(ProjectData& project);

// The reason the forms would refuse to compute the record (de derived): the
// pile, the layer counts and sums, the spacing; or an empty text.
std::string inputFault(const ProjectData& project);
// The reason the forms would refuse to show these results, or an empty text;
// a settlement not above 0 under a known criterion is refused too.
std::string resultFault(const ProjectData& project, const DesignResults& results);

// The assessment from the project's extension inputs as read once
// (readExtensionInputs); a refused input fails only the checks it feeds.
DesignChecks checkDesign(const ProjectData& project, const DesignResults& results,
                         const DesignDemands& demands, const ExtensionInputs& inputs);
// The same for a caller that holds only the record: its inputs read here.
DesignChecks checkDesign(const ProjectData& project, const DesignResults& results,
                         const DesignDemands& demands);
// The same, with the project's settlement against time and its checks under
// the tips as timeSettlementOutputs gave them from these inputs: an output
// that shows the curve assesses the design from that very curve, solved once.
DesignChecks checkDesign(const ProjectData& project, const DesignResults& results,
                         const DesignDemands& demands, const ExtensionInputs& inputs,
                         const TimeSettlementOutputs& afterConstruction);
// The stability check checkDesign makes of an outcome computed under the
// demands' q; empty when the project asks for no required factor.
std::optional<CheckOutcome> stabilityCheck(const ExtensionInputs& inputs, const StabilityOutcome& outcome);
// True when the project's own inputs ask for a check: an allowance after
// construction (typed, or by road class and location), fak under the tips,
// or a required factor of safety against sliding.
bool projectAsksForChecks(const ExtensionInputs& inputs);

// The settlement (mm) of the results under a criterion (kStop...); NaN for
// any other value.
double settlementUnder(const DesignResults& results, int criterion);

// A refusal of the demands as typed (q not finite, [s] or [s] after
// construction not finite or not above 0), or an empty text.
std::string demandsFault(const DesignDemands& demands);
