// The intermediate values of each calculation, as the engine computes them,
// for the details windows, the calculation report and the command-line
// calculator. The totals here are the very numbers the plain results give.
//
// Units as in the record: forces kN, stresses kPa, lengths and depths m
// (depth below the pile tops), moduli MPa, settlements mm, areas m2.
#pragma once

#include "model/project_data.h"

#include <vector>

// The three resistances of one pile, in the order the smallest is sought.
enum class Resistance { Soil, ShaftBody, HeadBody };

// fspk = m Ra / Ap + beta (1 - m) fsk, term by term.
struct CompositeTerms {
    double pileCapacity = 0;      // Ra (kN) put in
    double replacementRatio = 0;  // m = D^2 / de^2
    double headArea = 0;          // Ap = pi D^2 / 4 (m2)
    double pileTerm = 0;          // m Ra / Ap (kPa)
    double soilTerm = 0;          // beta (1 - m) fsk (kPa)
    double capacity = 0;          // fspk (kPa), the sum of the two terms
};

struct CapacityTerms {
    double headFriction = 0;   // pi D sum(qs l) along the head (kN)
    double shaftFriction = 0;  // pi d sum(qs l) along the shaft (kN)
    double stepBearing = 0;    // alpha1 qpa (Ap - As) (kN)
    double tipBearing = 0;     // alpha2 qpb As (kN)
    double bySoil = 0;         // sum of the four forces above (kN)
    double byShaftBody = 0;    // eta2 fcu As + head friction + step bearing (kN)
    double byHeadBody = 0;     // eta1 fcu Ap (kN)
    Resistance governing = Resistance::Soil;  // the first smallest
    double shaftArea = 0;      // As = pi d^2 / 4 (m2)
    CompositeTerms composite;  // with Ra the governing resistance
};

// The capacity breakdown with Ra computed from the layers; computeCapacity
// stores its pile capacity and returns its composite capacity.
CapacityTerms capacityTerms(const ProjectData& p);
// fspk term by term for a given Ra (kN), e.g. the typed one.
CompositeTerms compositeTerms(const ProjectData& p, double pileCapacity);
// The resistance (kN) of the given kind.
double resistance(const CapacityTerms& terms, Resistance kind);

enum class SettlementZone { Head, Shaft, Base };
enum class StopReason { Criterion, LayersExhausted, SliceLimit };

struct SettlementSlice {
    SettlementZone zone = SettlementZone::Head;
    int layer = 0;          // 1.. within the zone
    double top = 0;         // m
    double bottom = 0;      // m
    double stressFactor = 0;      // I at mid-slice
    double additionalStress = 0;  // sigma z = I p0 at mid-slice (kPa)
    double modulus = 0;           // MPa, composite in the reinforced zones
    double settlement = 0;        // mm
    double cumulative = 0;        // mm, from the pile tops down to this slice
    // Base slices only: the stop test made after the slice.
    bool tested = false;
    double selfWeightStress = 0;  // sigma c at the slice bottom (kPa)
    double testValue = 0;  // check-layer settlement (mm) or sigma z at the bottom (kPa)
    double testLimit = 0;  // 0.025 x total (mm) or the ratio x sigma c (kPa)
};

struct SettlementDetails {
    int criterion = kStopDeformationRatio;
    double load = 0;            // p0 = gamma h (kPa)
    double selfWeightAtTips = 0;  // sigma c at L (kPa)
    double head = 0;            // mm, zone totals
    double shaft = 0;
    double base = 0;
    double total = 0;           // mm, head + shaft + base
    double stopDepth = 0;       // bottom of the last slice (m)
    StopReason stoppedBy = StopReason::LayersExhausted;
    std::vector<SettlementSlice> slices;
};

// The settlement under a criterion (kStop...) slice by slice; the total is
// the settlementBy... result bit for bit. An unknown criterion gives a
// not-a-number total and no slices.
SettlementDetails settlementDetails(const ProjectData& p, int criterion);
// One layer's share of a settlement: its slices added in order.
struct SettlementLayer {
    SettlementZone zone = SettlementZone::Head;
    int layer = 0;
    double top = 0;         // m, top of the first slice
    double bottom = 0;      // m, bottom of the last slice
    double modulus = 0;     // MPa
    int sliceCount = 0;
    // The slices as a person counts them: a sliver is counted with the
    // slice above it.
    int countedSlices = 0;
    double settlement = 0;  // mm
    double cumulative = 0;  // mm, at the layer's last slice
};

// A last slice of a layer no thicker than 1e-9 m: what repeated addition
// of the step leaves of a layer that is a whole number of steps thick
// (about 1e-14 m). The calculation keeps it; what people read merges it.
bool isSliver(const SettlementSlice& slice);

// The slices grouped by zone and layer, from the top down.
std::vector<SettlementLayer> settlementLayers(const SettlementDetails& details);

// The ratio of sigma z to sigma c a stress criterion stops below (0.2 or
// 0.1); 0 for the deformation ratio.
double stressRatioOf(int criterion);
