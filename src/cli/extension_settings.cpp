#include "cli/extension_settings.h"

#include "model/extension/extension_inputs.h"
#include "model/extension/input_catalogue.h"
#include "model/gbk.h"

#include <algorithm>

std::string knownExtensionKeys()
{
    std::string keys;
    for (const InputEntry& input : inputCatalogue())
        if (input.place == InputPlace::Extension)
            keys += (keys.empty() ? "" : ", ") + std::string(input.name);
    return keys;
}

std::string parseSetting(std::string_view text, Setting& setting)
{
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return "--set takes KEY=VALUE, not " + std::string(text);
    setting = {std::string(text.substr(0, equals)), std::string(text.substr(equals + 1))};
    if (!isExtensionKey(setting.key))
        return "--set: \"" + setting.key + "\" is not a key (ASCII letters, digits and dots)";
    const bool oneLine = std::none_of(setting.value.begin(), setting.value.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
    if (!oneLine || !utf8ToGbk(setting.value))
        return "--set: the value of " + setting.key
               + " must be one line of text that GBK can represent (no tab, no line break)";
    return {};
}

std::string applySettings(const std::vector<Setting>& settings, ProjectExtension& extension)
{
    for (const Setting& setting : settings)
        if (!isKnownExtensionKey(setting.key) && extension.value(setting.key).empty())
            return "--set: unknown key " + setting.key + " (known: " + knownExtensionKeys() + "; or a key already in the file)";
    for (const Setting& setting : settings)
        extension.set(setting.key, setting.value);
    return {};
}

std::string settingValueFault(const std::vector<Setting>& settings, const ProjectData& record)
{
    const ExtensionInputs inputs = readExtensionInputs(record);
    for (const std::string& refusal :
         {inputs.timeSettlementRefusal, inputs.stabilityRefusal, inputs.settlementCorrectionRefusal})
        for (const Setting& setting : settings)
            if (!setting.value.empty() && refusal.rfind(setting.key + "：", 0) == 0)
                return "--set " + setting.key + ": " + refusal;
    return {};
}
