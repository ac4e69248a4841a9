#include "model/extension/project_extension.h"

#include "model/extension/input_catalogue.h"
#include "model/gbk.h"

#include <algorithm>

namespace {

bool isKeyCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }

// Bytes of the UTF-8 character at the start of text as far as its lead and
// continuation bytes go; 1 for a byte that starts none.
std::size_t characterLength(std::string_view text)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xC2 && lead <= 0xDF                                 ? 2
                                                                                              : 1;
    if (length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// The text with each character GBK cannot represent (or each byte that is
// not UTF-8) replaced by "?".
std::string gbkWritable(std::string_view text)
{
    if (utf8ToGbk(text))
        return std::string(text);
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view character = text.substr(at, characterLength(text.substr(at)));
        out += utf8ToGbk(character) ? character : "?";
        at += character.size();
    }
    return out;
}

std::string oneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), isControl, ' ');
    return text;
}

}  // namespace

std::string ProjectExtension::value(std::string_view key) const
{
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                     [key](const auto& e) { return e.first == key; });
    return entry == entries_.end() ? std::string() : entry->second;
}

void ProjectExtension::set(const std::string& key, const std::string& value)
{
    if (!isExtensionKey(key))
        return;
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [&key](const auto& e) { return e.first == key; });
    if (value.empty()) {
        if (entry != entries_.end())
            entries_.erase(entry);
        return;
    }
    std::string stored = gbkWritable(oneLine(value));
    if (entry != entries_.end())
        entry->second = std::move(stored);
    else
        entries_.emplace_back(key, std::move(stored));
}

bool ProjectExtension::empty() const { return entries_.empty(); }

const std::vector<std::pair<std::string, std::string>>& ProjectExtension::entries() const
{
    return entries_;
}

bool isExtensionKey(std::string_view key)
{
    return !key.empty() && key != "version" && std::all_of(key.begin(), key.end(), isKeyCharacter);
}

bool isKnownExtensionKey(std::string_view key)
{
    const InputEntry* input = findInput(key);
    return input && input->place == InputPlace::Extension;
}
