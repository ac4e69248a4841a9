// Values of the project file's extension block given on the command line
// (--set KEY=VALUE).
#pragma once

#include "model/extension/project_extension.h"
#include "model/project_data.h"

#include <string>
#include <string_view>
#include <vector>

struct Setting {
    std::string key;
    std::string value;  // UTF-8; empty to remove the key
};

// The keys Orvane uses, in the order of the forms: "projectName, station, ...".
std::string knownExtensionKeys();

// KEY=VALUE with a key the block can hold and a value of one line that GBK
// can represent; the refusal, or an empty text.
std::string parseSetting(std::string_view text, Setting& setting);

// Sets each value, in order. A key Orvane does not use is refused unless the
// extension (the file) already holds it; then nothing is set. The refusal, or
// an empty text.
std::string applySettings(const std::vector<Setting>& settings, ProjectExtension& extension);

// The refusal of a value set that the record's own readers would refuse (a
// settlement coefficient that is no number, a fill history that does not end
// at h), so that no file is written that every reader refuses later; an
// empty text when every set value reads.
std::string settingValueFault(const std::vector<Setting>& settings, const ProjectData& record);
