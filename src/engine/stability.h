// The stability of the embankment on its composite foundation: the least
// factor of safety of circular slip surfaces by the simplified Bishop method
// (slip_circle.h), from the record and the inputs of its extension block
// as read into StabilityInputs (stability_inputs.h).
// The strengths are taken as typed, total or effective; no pore pressure.
// The replacement ratio is m1 = D^2/de^2 in the head layers and
// m2 = d^2/de^2 in the shaft layers; the base layers are not reinforced.
// Circles reach down to the last layer's bottom, but not deeper than the
// fill's base width W below the pile tips.
//
// Units: lengths m, stresses kPa, angles degrees, weights kN per metre.
#pragma once

#include "engine/slip_circle.h"
#include "model/extension/extension_inputs.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct StabilityResult {
    double factor = 0;       // the lesser of the two sides'
    Side side = Side::Left;  // the side it belongs to (the left on a tie)
    SideStability left, right;
    long circlesTried = 0;  // on both sides

    // The side of the least factor: its circle and slices.
    const SideStability& critical() const { return side == Side::Left ? left : right; }
};

enum class StabilityState {
    NotAsked,   // no strength and no required factor: no analysis
    Refused,    // reason: the refusal of an input, naming the key
    Unchecked,  // reason: why the check cannot be made (未能验算)
    Checked,    // result holds the factor
};

struct StabilityOutcome {
    StabilityState state = StabilityState::NotAsked;
    std::string reason;
    StabilityInputs inputs;  // as read (the required factor among them); partly when refused
    std::optional<StabilityResult> result;
};

// The cross-section of a record (de derived) and its inputs, with the
// surcharge q (kPa) on the crest; the reason it cannot be analysed (a layer
// the circles reach without strength, a geometry that is no embankment),
// or an empty text.
std::string stabilitySection(const ProjectData& p, const StabilityInputs& inputs, double surcharge,
                             StabilitySection& section);

// Everything the stability gives for a record whose de has been derived
// from its layout and its extension inputs as read once, under a surcharge
// q (kPa) on the crest.
StabilityOutcome stabilityOutcome(const ProjectData& p, const ExtensionInputs& inputs, double surcharge = 0);
// The same for a caller that holds only the record: its inputs read here.
StabilityOutcome stabilityOutcome(const ProjectData& p, double surcharge = 0);
