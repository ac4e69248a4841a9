// The cross-sections (桩号) of a road's soft-ground section as a table of its
// own beside the base project: one row per section with its station, the
// fields where it differs from the base project and optionally its own
// borehole table. The project file is unchanged by it.
#pragma once

#include "model/extension/extension_values.h"
#include "model/extension/input_catalogue.h"
#include "model/project_data.h"
#include "model/soil_profile.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A field of the record the section gives its own value (as a sweep varies it).
struct SectionValue {
    const InputEntry* field;
    double value;
};

// A value of the extension block that describes the section rather than the
// project (its road class, location, fill history, ...), as the block holds
// it: a road class or location written in Chinese is stored as its code. A
// number's cell is read once, with the table, into its number.
struct SectionSetting {
    const char* key;
    std::string value;
    std::size_t column = 0;  // of the table, as its messages name it
    // The number of a single-number input; none for the fill history, a code,
    // or a cell that is no number (which the readers then refuse as written).
    std::optional<double> number;
};

struct Section {
    std::string station;              // as written, e.g. "K12+340"
    double chainage = 0;              // m from the alignment's origin
    std::size_t row = 0;              // line of the table, as its messages name it
    std::vector<SectionValue> values;  // the cells that replace the base project's values
    std::vector<SectionSetting> settings;  // the extension values that replace the base project's
    std::string profileFile;          // as written; empty for the base project's layers
    std::optional<ProfileSplitter> profile;
};

// A station as engineers write it: optional letters, kilometres, a plus
// (half or full width) and metres below 1000, "K12+340.5" -> 12340.5 m.
std::optional<double> parseStation(std::string_view text);

// The Chinese column title of a field, as the forms label it (with symbol
// and unit), for headers and messages.
std::string sectionColumnTitle(const InputEntry& field);

// The Chinese column title of an extension key a section may set for itself
// (道路等级, 路段类型, ...; the input catalogue's section columns).
std::string sectionSettingTitle(const char* key);
// The value as a reader of the report reads it: a road class or location
// by its Chinese name, anything else as stored.
std::string sectionSettingText(const SectionSetting& setting);

// A cell of a setting's column as the section holds it (a road class or
// location by its code, a number's cell with its number).
SectionSetting readSectionSetting(const char* key, const std::string& cell, std::size_t column);

// The section's numbers, typed: its points read them in the place of the
// block's values, as a sweep's.
std::vector<TypedValue> sectionNumbers(const Section& section);
// Sets in the block the section's values that are not typed: its fill
// history, its codes, and a cell that is no number.
void setSectionTexts(const Section& section, ProjectExtension& block);
// Sets in the block every value of the section as its cell gives it: the
// section's project as a file holds it.
void setSectionValues(const Section& section, ProjectExtension& block);

// The extension value of key the section is computed with: its own, else
// the base project's.
std::string sectionExtensionValue(const ProjectData& base, const Section& section, std::string_view key);

// The refusal of the section's own extension values as the record's readers
// refuse them, read from the record with only those values in its extension
// block (and the record's other half of the fill's strength, c.fill and
// phi.fill, when the section gives one half): "第N行第M列（title）：reason";
// an empty text when every one reads.
std::string sectionSettingsFault(const Section& section, ProjectData record);

struct SectionTableRead {
    std::vector<Section> sections;    // sorted by chainage
    std::vector<std::string> errors;  // one per bad row or header, each naming its row
    bool ok() const { return errors.empty(); }
};

// Reads a borehole table named in the profile column, as written there.
using ProfileLoader = std::function<ProfileRead(const std::string& file)>;

// The table as the profile CSV is read (UTF-8 or GBK, comma or tab). The
// header names the columns in English as the record names its members or in
// Chinese as the forms label them: 桩号/station (required), 土层剖面/profile,
// 备注/note (ignored), any field a sweep can vary and any extension value of
// a section (the input catalogue's section columns). An empty cell keeps the base project's
// value. Each extension value is checked as the record's readers check it,
// with the row's own fill height and fill history; against the base
// project's it is checked when the section is computed. Every bad row is refused with its row number and
// reason, and then no section is returned: a table is read whole or not at all.
SectionTableRead readSectionTable(std::string_view bytes, const ProfileLoader& loadProfile);

// The file, its profiles found relative to the table's folder; its bytes as
// read kept where asked.
SectionTableRead loadSectionTable(const std::string& path, std::string* tableBytes = nullptr);

// A profile path as written in a table, relative to the table's folder
// unless it is absolute.
std::string pathBesideTable(const std::string& table, const std::string& file);
