// Conversions between UTF-8 text and the GBK encoding (code page 936) of the
// project files and of tables saved by a spreadsheet on a Chinese system,
// by the system's own converter (implemented with the system layer,
// model/platform_*.cpp).
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Nothing when the text holds a character GBK cannot represent.
std::optional<std::string> utf8ToGbk(std::string_view utf8);
// Nothing when the bytes are not valid GBK.
std::optional<std::string> gbkToUtf8(std::string_view gbk);
