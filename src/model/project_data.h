// The project record: every input of one T-shaped-pile composite foundation
// under an embankment, the soil layers of its three zones, and the single-pile
// capacity last computed. One instance, g_project, lives for the whole run.
//
// Units: lengths m, stresses and capacities kPa, forces kN, moduli MPa,
// unit weights kN/m3, settlements mm. No conversion factor is applied
// anywhere: kPa x m2 gives kN and kPa x m / MPa gives mm.
#pragma once

#include "model/extension/project_extension.h"

#include <array>
#include <ctime>
#include <string>
#include <string_view>

// Layers of one zone, indexed by layer number counted downwards from the top
// of the zone: slot 0 is never used, so a zone holds at most kMaxLayers.
// Only slots 1..count are meaningful; the others keep whatever was stored.
inline constexpr int kMaxLayers = 49;
using LayerTable = std::array<double, kMaxLayers + 1>;

// Pile layouts (layoutType).
inline constexpr int kLayoutTriangle = 0;
inline constexpr int kLayoutSquare = 1;
inline constexpr int kLayoutRectangle = 2;

// Criteria that end the settlement depth (stopCriterion).
inline constexpr int kStopDeformationRatio = 0;  // dSn <= 0.025 sum S
inline constexpr int kStopStressRatio02 = 1;     // sigma z < 0.2 sigma c
inline constexpr int kStopStressRatio01 = 2;     // sigma z < 0.1 sigma c

// Outcome of saving or loading a project file; reason is a Chinese sentence
// for the user when ok is false.
struct FileStatus {
    bool ok = true;
    std::string reason;
};

class ProjectData {
public:
    // Pile geometry (m).
    double headDiameter;   // D, enlarged head
    double shaftDiameter;  // d, lower shaft
    double headLength;     // H, head height from the pile top
    double pileLength;     // L, pile top to tip
    // Soil between piles and pile-body strength.
    double soilCapacity;         // fsk (kPa), treated soil between piles
    double soilReduction;        // beta, reduction of fsk (0.75..1.0 advised)
    double cubeStrength;         // fcu,k (kPa), unconfined compressive strength
    double headStrengthFactor;   // eta1, head body (0.6..0.8 advised)
    double shaftStrengthFactor;  // eta2, body below the head (0.5..0.65 advised)
    double stepBearing;          // qpa (kPa), soil at the change of section
    double tipBearing;           // qpb (kPa), soil at the pile tip
    double stepBearingFactor;    // alpha1, reduction of qpa (0.8..0.9 advised)
    double tipBearingFactor;     // alpha2, reduction of qpb (0.4..0.6 advised)
    // de (m), circle of soil served by one pile; derived from the layout
    // whenever a form applies its fields, never stored in the file.
    double equivalentDiameter;
    int headLayerCount;   // n1, layers along the head (0..H)
    int shaftLayerCount;  // n2, layers along the lower shaft (H..L)
    LayerTable headThickness;   // m
    LayerTable shaftThickness;  // m
    LayerTable headFriction;    // qs (kPa), characteristic side friction
    LayerTable shaftFriction;   // qs (kPa)
    // Embankment: trapezoidal fill of crest B, height h, slopes 1:m and 1:n.
    double embankmentTopWidth;  // B (m)
    double embankmentHeight;    // h (m)
    double slopeM;
    double slopeN;
    double fillUnitWeight;    // gamma (kN/m3)
    double headPileModulus;   // Ep1 (MPa), pile body in the head
    double shaftPileModulus;  // Ep2 (MPa), pile body below the head
    LayerTable headSoilModulus;   // Es (MPa)
    LayerTable shaftSoilModulus;  // Es (MPa)
    LayerTable baseSoilModulus;   // Es (MPa), untreated soil below the tips
    LayerTable baseThickness;     // m
    int baseLayerCount;           // n3, layers below the tips
    LayerTable headUnitWeight;    // kN/m3, buoyant below the water table
    LayerTable shaftUnitWeight;   // kN/m3
    LayerTable baseUnitWeight;    // kN/m3
    double pileCapacity;        // Ra (kN) stored by the last computeCapacity
    double manualPileCapacity;  // Ra (kN) typed by the user
    int layoutType;             // kLayoutTriangle, kLayoutSquare, kLayoutRectangle
    int stopCriterion;          // kStop...
    int manualCapacityFlag;     // 1: manualPileCapacity replaces the computed Ra
    double spacingTriangle;      // s (m), triangular layout
    double spacingSquare;        // s (m), square layout
    double spacingLongitudinal;  // s1 (m), rectangle, along the embankment axis
    double spacingTransverse;    // s2 (m), rectangle, across it
    // Further inputs in the file's extension block (project information, ...).
    ProjectExtension extension;

    // Characteristic capacity of one pile: stores Ra (kN) in pileCapacity and
    // returns the composite-foundation capacity fspk (kPa) that follows from
    // it. Validates nothing; de = 0 gives a non-finite fspk.
    double computeCapacity();
    // fspk (kPa) with Ra = manualPileCapacity; writes nothing.
    double computeCapacityManual() const;
    // de (m) of a layout and its spacings; a layout other than 0, 1, 2 keeps
    // the current equivalentDiameter.
    double computeEquivalentDiameter(int layout, double triangle, double square,
                                     double longitudinal, double transverse) const;
    // Sets equivalentDiameter from the record's own layout and spacings, as a
    // form's apply step does; for a project read from a file.
    void deriveEquivalentDiameter();

    // Stress coefficient I(z) on the centreline of the fill at depth z > 0 (m)
    // below the pile tops; the additional stress is I(z) x gamma x h.
    double embankmentStressFactor(double z) const;
    // Settlement (mm) on the centreline by layered summation, ended by the
    // deformation ratio 0.025 or by the stress ratio r. Not a number when a
    // calculation would need more than a million slices in all.
    double settlementByDeformationRatio() const;
    double settlementByStressRatio(double ratio) const;
    // Settlement under stopCriterion; not a number for an unknown criterion.
    double settlementByCriterion() const;

    // The GBK bytes of the project file of the whole record, with a results
    // block computed now (this stores pileCapacity) and the given local save time.
    std::string projectFileBytes(const std::tm& saveTime);
    // Writes projectFileBytes to path. Atomic: an existing file is replaced
    // only by a complete new one, keeping its permissions; a symbolic link is
    // followed; a read-only or special file is refused.
    FileStatus saveProject(const std::string& path, const std::tm& saveTime);
    // Reads a project file of at most 1 MiB through loadProjectBytes; pipes,
    // devices and folders are refused without being read. The bytes as read
    // are kept where asked (for a report's checksum).
    FileStatus loadProject(const std::string& path, std::string* fileBytes = nullptr);
    // Reads the bytes of a project file; all or nothing: on failure the record
    // is unchanged. equivalentDiameter and pileCapacity are never read.
    FileStatus loadProjectBytes(std::string_view bytes);

    bool operator==(const ProjectData&) const = default;
};

extern ProjectData g_project;

// True when a and b differ by less than 1e-7 (an absolute tolerance, used for
// every check that layer thicknesses add up to a length).
bool nearlyEqual(double a, double b);

// Sum of table slots 1..count; 0 for a count below 1.
double sumLayers(const LayerTable& table, int count);

// The number of table slots a count refers to: count clamped to 0..kMaxLayers.
int usedLayers(int count);
