#include "model/extension/layer_names.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string escaped(const std::string& name)
{
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == ',')
            out += {'\\', c};
        else if (byte < 0x20 || byte == 0x7F)
            out += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string layerNamesValue(const std::vector<std::string>& names)
{
    std::string value;
    bool named = false;
    for (std::size_t k = 0; k < names.size(); ++k) {
        value += (k > 0 ? "," : "") + escaped(names[k]);
        named = named || !names[k].empty();
    }
    return named ? value : std::string();
}

std::vector<std::string> layerNamesOf(std::string_view value)
{
    std::vector<std::string> names(1);
    if (value.empty())
        return {};
    for (std::size_t at = 0; at < value.size(); ++at) {
        const char c = value[at];
        if (c == ',') {
            names.emplace_back();
        } else if (c == '\\' && at + 3 < value.size() && value[at + 1] == 'x' && hexValue(value[at + 2]) >= 0
                   && hexValue(value[at + 3]) >= 0) {
            names.back() += static_cast<char>(hexValue(value[at + 2]) * 16 + hexValue(value[at + 3]));
            at += 3;
        } else if (c == '\\' && at + 1 < value.size()) {
            names.back() += value[++at];
        } else {
            names.back() += c;
        }
    }
    return names;
}

std::string layerName(const ProjectData& p, std::string_view zoneKey, int layer)
{
    const std::string_view zone = zoneKey.substr(zoneKey.rfind('.') + 1);
    const std::vector<std::string> names = layerNamesOf(p.extension.value("name." + std::string(zone)));
    return layer >= 1 && static_cast<std::size_t>(layer) <= names.size() ? names[layer - 1] : std::string();
}

std::string layerLabel(const ProjectData& p, std::string_view zoneKey, int layer)
{
    const std::string name = layerName(p, zoneKey, layer);
    return std::to_string(layer) + (name.empty() ? "" : " " + name);
}
