#include "model/extension/extension_values.h"

#include "model/extension/layer_names.h"
#include "model/file_reasons.h"

std::string_view trimmedValue(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> splitValue(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t end = text.find(separator, at);
        parts.push_back(trimmedValue(text.substr(at, end == std::string_view::npos ? end : end - at)));
        if (end == std::string_view::npos)
            return parts;
        at = end + 1;
    }
}

std::string readSettlementCorrection(const ExtensionSource& source, std::optional<double>& psiS)
{
    psiS.reset();
    return readOptionalNumber(source, "psiS", "沉降计算经验系数ψs应为大于0的数！", [](double v) { return v > 0; },
                              psiS);
}

std::string missingLayerValue(const ProjectData& p, const char* key, int layer, const char* what)
{
    const std::string name = layerName(p, key, layer);
    return std::string(key) + "：第" + std::to_string(layer) + "层" + (name.empty() ? "" : quotedToken(name)) + "未给出"
           + what + "，无法计算！";
}
