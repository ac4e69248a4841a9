// The soil profile of a borehole log: strata from the pile tops downward,
// entered once and split at the head height H and the pile length L into the
// record's three zones, as the layer forms would fill them.
#pragma once

#include "model/project_data.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Stratum {
    Stratum() = default;
    Stratum(std::string name, double thickness, std::optional<double> friction, double soilModulus,
            double unitWeight, std::optional<double> cv = {}, std::optional<double> fak = {},
            std::optional<double> cohesion = {}, std::optional<double> frictionAngle = {})
        : name(std::move(name)), thickness(thickness), friction(friction), soilModulus(soilModulus),
          unitWeight(unitWeight), cv(cv), fak(fak), cohesion(cohesion), frictionAngle(frictionAngle)
    {
    }

    std::string name;
    double thickness = 0;              // m, > 0; ignored for the last stratum when splitting
    std::optional<double> friction;    // qs (kPa), characteristic side friction
    double soilModulus = 0;            // Es (MPa)
    double unitWeight = 0;             // gamma (kN/m3)
    // Properties for the checks beyond capacity and settlement; unset when
    // the borehole log does not give them.
    std::optional<double> cv;             // coefficient of consolidation (1e-3 cm2/s)
    std::optional<double> fak;            // characteristic bearing capacity (kPa)
    std::optional<double> cohesion;       // c (kPa)
    std::optional<double> frictionAngle;  // phi (degrees)

    bool operator==(const Stratum&) const = default;
};

// Ordered from the pile tops downward; the last stratum continues without limit.
using SoilProfile = std::vector<Stratum>;

// Why no split of the profile can succeed, whatever H and L: an empty
// profile, a value that is not finite, a thickness, qs (where given), Es or
// gamma not above 0, a cv, fak, c or phi (where given) outside the limits of
// model/extension/soil_property_limits.h; or an empty text.
std::string profileRefusal(const SoilProfile& profile);

// The three zones' layers (thickness, qs, Es, gamma) that a split produces.
struct ZoneLayers {
    std::vector<Stratum> head;   // 0..H
    std::vector<Stratum> shaft;  // H..L
    std::vector<Stratum> base;   // below L, the last one 1000 m thick
};

// Thickness (m) the settlement layer form stores for the last base layer.
inline constexpr double kUnboundedLayerThickness = 1000.0;

// The layers of each zone for head height H and pile length L (m): the parts
// of the strata within 0..H, H..L and below L; a part thinner than the
// nearlyEqual tolerance is dropped and its depth joins its neighbour, so a
// stratum boundary on H or L makes no sliver. Refused with a Chinese reason:
// an empty profile, a thickness <= 0 or a value that is not finite, H or L
// not finite, H <= 0 or L <= H, a stratum within 0..L without qs, more than
// kMaxLayers layers in a zone.
struct ProfileSplit {
    ZoneLayers zones;
    std::string refusal;  // empty when the split succeeded
};
ProfileSplit splitProfile(const SoilProfile& profile, double headLength, double pileLength);

// A profile checked and measured once for many splits, as a sweep of H or L
// makes: each split then costs the layers it makes, not the whole profile.
// Copies share the profile.
class ProfileSplitter {
public:
    explicit ProfileSplitter(SoilProfile profile);
    // profileRefusal of the profile.
    const std::string& refusal() const;
    ProfileSplit split(double headLength, double pileLength) const;
    // As applyProfile.
    std::string apply(ProjectData& record) const;

    struct Strata;

private:
    std::shared_ptr<const Strata> strata_;
};

// Splits at the record's own H and L and stores the layers and counts n1, n2,
// n3 in the record's tables; slots above the counts keep what they held.
// The layers' names go to the extension block (model/extension/layer_names.h)
// and so do their properties, each in the per-layer list of its zone (cv.head,
// cv.shaft, cv.base, fak.base, c.head, phi.head, ...) for a property that some
// stratum of the profile gives: an empty item for a layer whose stratum lacks
// it, no list for a zone where every layer lacks it. A property no stratum
// gives leaves the record's lists as they were.
// Returns the refusal (empty on success); a refused split changes nothing.
std::string applyProfile(const SoilProfile& profile, ProjectData& record);

// The profile of a record typed zone by zone: head, shaft and base layers in
// depth order, adjacent layers with equal qs, Es and gamma merged (a named
// layer only into one of its name). Base strata have no qs. The layers'
// names are those the extension block keeps (model/extension/layer_names.h);
// a layer without one is numbered "土层1", "土层2", ...
SoilProfile profileFromRecord(const ProjectData& record);

// Reads a borehole table: UTF-8 (with or without a byte order mark) or GBK,
// comma- or tab-separated, fields optionally in double quotes. The header row
// names the columns in Chinese or English (土层名称/name, 层厚/thickness,
// 侧摩阻力/qs, 压缩模量/Es, 重度/gamma, and optionally 固结系数/cv,
// 地基承载力特征值/fak, 黏聚力/c, 内摩擦角/phi/φ), each optionally followed by a
// unit in brackets; further columns are ignored. An empty qs cell means no
// side friction, an empty cell of an optional column an unset property;
// blank rows are skipped. The reason names the missing column or
// the row and column of a cell that is not a number.
struct ProfileRead {
    SoilProfile profile;
    std::string error;  // empty when the table was read
};
ProfileRead readProfileCsv(std::string_view bytes);
ProfileRead loadProfileCsv(const std::string& path);

// The profile as UTF-8 CSV with a byte order mark and CR LF line ends (as a
// spreadsheet of a Chinese system opens it), Chinese headers with units,
// numbers in shortest round-trip form; the columns cv, fak, c and phi only
// when some stratum gives a value of them.
std::string profileCsv(const SoilProfile& profile);
