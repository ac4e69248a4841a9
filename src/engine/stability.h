// The stability of the embankment on its composite foundation: the least
// factor of safety of circular slip surfaces by the simplified Bishop method
// (slip_circle.h), from the record and the inputs in its extension block
// (input_catalogue.h):
//   c.head, c.shaft, c.base    c (kPa) of each layer of the zone
//   phi.head, phi.shaft, phi.base  phi (degrees) of each layer
//   c.fill, phi.fill           the fill's c (kPa) and phi (degrees)
//   pileShear                  tau_p (kPa), the shear strength of the pile body
//   treatedMargin              how far the reinforced zone reaches beyond
//                              each toe (m; default 0, negative inside)
//   stabilityRequired          the required factor (no check without it)
// The strengths are taken as typed, total or effective; no pore pressure.
// The replacement ratio is m1 = D^2/de^2 in the head layers and
// m2 = d^2/de^2 in the shaft layers; the base layers are not reinforced.
// Circles reach down to the last layer's bottom, but not deeper than the
// fill's base width W below the pile tips.
//
// Units: lengths m, stresses kPa, angles degrees, weights kN per metre.
#pragma once

#include "engine/slip_circle.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

struct StabilityInputs {
    std::vector<double> cHead, phiHead, cShaft, phiShaft, cBase, phiBase;  // one per layer, or none
    std::optional<double> cFill, phiFill;
    std::optional<double> pileShear;
    double treatedMargin = 0;
    std::optional<double> required;

    // Without any strength nor a required factor nothing of the stability is computed.
    bool asked() const;
};

// The inputs of the record's extension block, checked against its layer
// counts: a c below 0, a phi below 0 or not below 90, a list of the wrong
// length, a text that is not a number (or not a finite one), a pair of which
// one half is missing, tau_p below 0 or a required factor below 1 is
// refused. The refusal (in Chinese, starting with the key), or an empty text.
std::string readStabilityInputs(const ProjectData& p, StabilityInputs& inputs);

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
// from its layout, under a surcharge q (kPa) on the crest.
StabilityOutcome stabilityOutcome(const ProjectData& p, double surcharge = 0);
