// Numbers of the extension block as the calculations read them: a single
// number, or one number per layer of a zone; every refusal is a Chinese
// sentence that starts with the key.
#pragma once

#include "model/extension/input_catalogue.h"
#include "model/file_numbers.h"
#include "model/project_data.h"

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A value of the extension block given as a number rather than as text (a
// sweep's point): a single number, or the same number for every layer of
// the key's zone, as many as the record's zone has when it is read.
struct TypedValue {
    std::string key;
    double value = 0;
};

// The extension block as the readers read it: the record's text, with a
// typed value in the place of its key's. A record alone reads as it is.
class ExtensionSource {
public:
    ExtensionSource(const ProjectData& record, std::span<const TypedValue> typed = {})
        : record_(record), typed_(typed)
    {
    }
    const ProjectData& record() const { return record_; }
    // The typed value of key, or null.
    const TypedValue* typed(std::string_view key) const
    {
        const auto found = std::find_if(typed_.begin(), typed_.end(), [key](const TypedValue& t) { return t.key == key; });
        return found == typed_.end() ? nullptr : &*found;
    }
    std::string text(std::string_view key) const { return record_.extension.value(key); }
    // Whether the key has a value, typed or as text.
    bool gives(std::string_view key) const { return typed(key) || !text(key).empty(); }

private:
    const ProjectData& record_;
    std::span<const TypedValue> typed_;
};

// The text without the spaces around it.
std::string_view trimmedValue(std::string_view text);
// The parts between the separators, each trimmed.
std::vector<std::string_view> splitValue(std::string_view text, char separator);

// Why a list of the right length cannot be used: the layer of an empty item
// (a stratum whose borehole log does not give the value), with its name;
// "KEY：第N层“NAME”未给出<what>，无法计算！".
std::string missingLayerValue(const ProjectData& p, const char* key, int layer, const char* what);

// A list of `count` numbers for which ok(value) holds under key, or no value
// at all (values then empty). On a refusal values keep the numbers read up
// to the first that is not one, or up to the first empty item. The refusal says
// "KEY：<what>应为每层一个<allowed>（共N层），以逗号分隔！", or, for a list
// of `count` items whose numbers are allowed but some empty, names the first
// layer without a value (missingLayerValue).
// A typed value is every layer's, and read as that list would be.
template <class Allowed>
std::string readLayerList(const ExtensionSource& source, const char* key, int count, const char* what,
                          const char* allowed, Allowed ok, std::vector<double>& values)
{
    values.clear();
    const auto refusal = [&] {
        return std::string(key) + "：" + what + "应为每层一个" + allowed + "（共" + std::to_string(count)
               + "层），以逗号分隔！";
    };
    if (const TypedValue* typed = source.typed(key)) {
        values.assign(static_cast<std::size_t>(std::max(count, 0)), typed->value);
        return values.empty() || ok(typed->value) ? std::string() : refusal();
    }
    const std::string text = source.text(key);
    if (text.empty())
        return {};
    const std::vector<std::string_view> tokens = splitValue(text, ',');
    int firstEmpty = 0;
    bool numbers = true;
    for (std::size_t k = 0; k < tokens.size() && numbers; ++k) {
        double value = 0;
        if (tokens[k].empty()) {
            firstEmpty = firstEmpty > 0 ? firstEmpty : static_cast<int>(k) + 1;
        } else if ((numbers = parseFileNumber(tokens[k], value))) {
            values.push_back(value);
        }
    }
    if (!numbers || static_cast<int>(tokens.size()) != count || !std::all_of(values.begin(), values.end(), ok))
        return refusal();
    if (firstEmpty > 0) {
        values.resize(static_cast<std::size_t>(firstEmpty - 1));
        return missingLayerValue(source.record(), key, firstEmpty, what);
    }
    return {};
}

// A per-layer list of the input catalogue, of its zone's layer count, named
// and bounded as the catalogue describes it.
inline std::string readLayerList(const ExtensionSource& source, const InputEntry& list, std::vector<double>& values)
{
    // Its words are only needed when the list is given.
    if (!source.gives(list.name)) {
        values.clear();
        return {};
    }
    return readLayerList(source, list.name, zoneLayerCount(source.record(), list.zone), inputNoun(list).c_str(),
                         list.allowedText, list.allowed, values);
}

// A single number under key when present (value unchanged otherwise);
// ok(value) says whether it is allowed, the refusal is "KEY：<refusal>".
template <class Allowed>
std::string readNumber(const ExtensionSource& source, const char* key, const char* refusal, Allowed ok,
                       double& value)
{
    const TypedValue* typed = source.typed(key);
    const std::string text = typed ? std::string() : source.text(key);
    if (!typed && text.empty())
        return {};
    double parsed = typed ? typed->value : 0;
    if ((!typed && !parseFileNumber(trimmedValue(text), parsed)) || !ok(parsed))
        return std::string(key) + "：" + refusal;
    value = parsed;
    return {};
}

// A single number under key, set in value only when the block gives one
// and it is allowed; the refusal is readNumber's.
template <class Allowed>
std::string readOptionalNumber(const ExtensionSource& source, const char* key, const char* refusal, Allowed ok,
                               std::optional<double>& value)
{
    double number = 0;
    std::string fault = readNumber(source, key, refusal, ok, number);
    if (fault.empty() && source.gives(key))
        value = number;
    return fault;
}

// The settlement's correction coefficient psiS when the project gives one:
// a number above 0 that multiplies the calculated settlement for the checks.
// The refusal is "psiS：...".
std::string readSettlementCorrection(const ExtensionSource& source, std::optional<double>& psiS);
