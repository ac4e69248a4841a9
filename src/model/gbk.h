// Conversion of UTF-8 text to the GBK encoding (code page 936) of the
// project files, by the C library's iconv.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Nothing when the text holds a character GBK cannot represent.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
