// The figure of the stability chapter: the embankment's cross-section to
// scale (the fill, the layer boundaries, the reinforced zone down to the
// pile tips) with the critical slip circle of each side, its arc and its
// factor, as SVG.
#pragma once

#include "engine/stability.h"

#include <string>

// Empty unless the outcome was checked; the section is the one its inputs
// describe for the record (de derived) under the surcharge q (kPa).
std::string stabilityFigureSvg(const ProjectData& project, const StabilityOutcome& outcome, double surcharge);
