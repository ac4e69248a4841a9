// Every input a front end names, described once: the record's fields that a
// sweep or a road's section may vary, and every key of the extension block.
// Each has its name in the record and the file, its Chinese label, symbol
// and unit, its kind and rule, and whether a sweep or a column of the
// section table may vary it. The block's known keys, --set, sweeps, the
// section table, the design, consolidation and stability windows and the
// command line's help read it.
#pragma once

#include "model/project_data.h"

#include <span>
#include <string>
#include <string_view>

enum class InputKind {
    Number,     // one number
    LayerList,  // one number per layer of a zone, separated by commas
    Text,       // one line of text (a name, a fill history)
    Code,       // a code of a table (roadClass, location)
};

// Where the input is held: a field of the record, a key of the extension
// block, or only a sweep's name for the lists of every zone (cv).
enum class InputPlace { Record, Extension, SweepName };

// The zone whose layer count a per-layer list follows; Every for the sweep
// name that sets the list of each zone.
enum class InputZone { None, Head, Shaft, Base, Every };

struct InputEntry {
    const char* name;       // as the record names its member, or the file its key
    const char* label;      // Chinese, as the forms and the section table name it
    // The words of a window's box where they are not the label's, symbol and
    // unit (inputCaption); null elsewhere.
    const char* caption = nullptr;
    const char* symbol = "";
    const char* unit = "";
    InputKind kind = InputKind::Number;
    InputPlace place = InputPlace::Extension;
    double ProjectData::*member = nullptr;  // for a field of the record
    InputZone zone = InputZone::None;
    // The values one layer's soil property may take, with the words of its
    // refusal (soil_property_limits.h); null where the reader states the rule.
    bool (*allowed)(double) = nullptr;
    const char* allowedText = nullptr;
    bool sweepable = false;
    bool sectionColumn = false;  // a section of a road may give its own value
    // H and L: the zones' layer tables are cut at them, so a sweep may only
    // change them when it rewrites the layer tables for each point.
    bool cutsLayerTables = false;
    // A swept value below 0 has a meaning (treatedMargin: the reinforced zone
    // stops short of the toes); every other field's is refused.
    bool signedValue = false;
};

// Every input: the record's fields in the order of the forms first, then the
// extension block's keys in the order --set lists them, then the sweep names.
std::span<const InputEntry> inputCatalogue();
// The record's fields alone, in the order of the forms.
std::span<const InputEntry> recordInputs();
// The input of that name, or null.
const InputEntry* findInput(std::string_view name);
// The input of a name the catalogue holds.
const InputEntry& catalogued(std::string_view name);

// The words a refusal names it by: label and symbol, "固结系数cv".
std::string inputNoun(const InputEntry& input);

// The title the forms and the section table give it: label, symbol, and the
// unit in full-width brackets, "扩大头直径D（m）".
std::string inputTitle(const InputEntry& input);

// The words a window gives its box or column: the caption where the entry
// has one; a per-layer list by its zone and symbol, "扩大头段各层的c"; else
// label, symbol and unit in brackets, "桩体抗剪强度τp (kPa)".
std::string inputCaption(const InputEntry& input);

// The zone's name in the windows and the entries of its layers: "扩大头段",
// "下部桩段", "桩端以下".
const char* zoneName(InputZone zone);

// The last part of a zone's per-layer keys: "head", "shaft", "base".
const char* zoneKeySuffix(InputZone zone);
// The layers a zone's list holds in the record.
int zoneLayerCount(const ProjectData& p, InputZone zone);
