// A whole road at once: every cross-section of a section table computed as
// the forms would compute its project alone, checked against the demands,
// the governing section of each check found, and with a design sweep the
// best passing value per section and the stretches that share one design.
// Sections are independent and are computed in parallel on the available
// cores.
#pragma once

#include "engine/sweep.h"
#include "model/section_table.h"

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The section's project as a sweep over the given axes (none for the
// section alone): the base project with the section's values, its layers
// split from its own profile at each point's H and L where it has one.
Sweep sectionSweep(const ProjectData& base, const Section& section, const DesignDemands& demands,
                   std::vector<SweepAxis> axes = {});

// The section's project as the engineer would open or save it: the base
// project with the section's values (its extension values as their cells
// give them), its layers split from its own profile.
ProjectData sectionProject(const ProjectData& base, const Section& section);

// The allowance after construction of the first computed section checked
// for it; none when no section is.
std::optional<double> postConstructionAllowance(const std::vector<SweepPoint>& points);

// Each section's fill height h (m): its own, or the base project's.
std::vector<double> sectionFillHeights(const ProjectData& base, const std::vector<Section>& sections);

// The settlement slices of the sections' sweeps together, each counted as
// sweepWork counts it; counting stops once the total exceeds kMaxSweepSlices.
double sectionsSlices(const ProjectData& base, const std::vector<Section>& sections,
                      const DesignDemands& demands, const std::vector<SweepAxis>& axes = {});

// The road's calculation report lays out a page for each section, and its
// time grows faster than the sections: a report of more sections than this
// (about 15 s and 200 MB) is refused before anything is computed.
inline constexpr std::size_t kMaxReportSections = 500;
// The refusal of a report of that many sections, naming the count and the
// bound; an empty text when it can be written.
std::string roadReportFault(std::size_t sections);

// Read from another thread while the sections are computed: how many are
// done; set to stop the work after the sections under way.
struct SectionsProgress {
    std::atomic<std::size_t> done{0};
    std::atomic<bool> cancelled{false};
};

// Each section's results, in the table's order; after a cancel, the
// sections not computed are left as default points.
std::vector<SweepPoint> computeSections(const ProjectData& base, const std::vector<Section>& sections,
                                        const DesignDemands& demands, SectionsProgress* progress = nullptr);

// The governing section of each check among the computed ones: the least
// ratio of capacity to demand for bearing, the largest settlement, the least
// factor of safety among the sections whose stability was computed; empty
// when no section was computed (or none's stability).
struct GoverningSections {
    std::optional<std::size_t> bearing;
    std::optional<std::size_t> settlement;
    std::optional<std::size_t> stability;
};
GoverningSections governingSections(const std::vector<SweepPoint>& points);

// Each section's best passing point of a one-axis sweep (as BestPoint
// chooses it), or none when no point of the section passes.
std::vector<std::optional<SweepPoint>> bestPerSection(const ProjectData& base, const std::vector<Section>& sections,
                                                      const DesignDemands& demands, const SweepAxis& axis,
                                                      const PointMeasure& measure, bool largest);

// Adjacent sections sharing one design: the swept value of their best
// points. With a shortest stretch length (a section reaching halfway to its
// neighbours), the shortest stretch below it is merged into the neighbour
// where the merge changes the least design (the length whose value changes
// times the change), the more demanding value (the smaller when the best is
// the largest, and the reverse) deciding the merged stretch, until no
// stretch is shorter or none can be merged. Sections without a passing
// design are stretches of their own and are never merged.
struct Stretch {
    std::size_t first = 0;  // index of its first section
    std::size_t last = 0;   // and its last
    std::optional<double> value;  // the shared design; none where no value passes
    std::size_t decidedBy = 0;    // the section whose best value the stretch takes
};
std::vector<Stretch> designStretches(const std::vector<Section>& sections,
                                     const std::vector<std::optional<SweepPoint>>& best, bool largest,
                                     double shortestLength = 0);
