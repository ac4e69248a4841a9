// The names of a zone's layers in the extension block, as the strata of a
// borehole table give them: under name.head, name.shaft and name.base one
// item per layer, separated by commas, an empty item for a layer without a
// name. In an item a backslash, a comma and each control character are
// written \\, \, and \xHH, so that any name survives the one-line value.
#pragma once

#include "model/project_data.h"

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kLayerNameKeys[] = {"name.head", "name.shaft", "name.base"};

// The value that stores the names; empty when every name is empty.
std::string layerNamesValue(const std::vector<std::string>& names);
// The names a value stores, in layer order.
std::vector<std::string> layerNamesOf(std::string_view value);

// The name of layer `layer` (from 1) of the zone that a per-layer key names
// by its last part ("name.base", "cv.base" or "fak.base": the base zone);
// empty when the layer has none.
std::string layerName(const ProjectData& p, std::string_view zoneKey, int layer);

// The layer's number as the layer tables show it, followed by its name
// when it has one: "2" or "2 淤泥质黏土".
std::string layerLabel(const ProjectData& p, std::string_view zoneKey, int layer);
