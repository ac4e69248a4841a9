// The design demands last used in the design window, kept in the
// application settings (never in the project file), so that the window and
// the calculation report find them again.
#pragma once

#include "engine/design_check.h"

#include <optional>

namespace design {

// Nothing when the design window has never checked a design.
std::optional<DesignDemands> rememberedDemands();
void rememberDemands(const DesignDemands& demands);

}  // namespace design
