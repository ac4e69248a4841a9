// Tables as a spreadsheet saves them or a copy of its cells pastes them:
// UTF-8 (with or without a byte order mark) or GBK, comma- or tab-separated,
// a field in double quotes when it starts with one (then holding the
// separator, line ends and doubled quotes). Shared by every table the program
// reads.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv_table {

using Row = std::vector<std::string>;

struct Decoded {
    std::vector<Row> rows;  // every line, blank ones too, so that row i is line i + 1
    std::string error;      // the encoding fault; empty when decoded
};
// The rows of the text, decoded from UTF-8 or GBK and split at the header
// line's separator; a table that mixes both encodings is refused with the
// first line that is not UTF-8.
Decoded decode(std::string_view bytes);

std::string trimmed(std::string_view text);
bool isBlank(const Row& row);
// A header cell without a unit in brackets after it: "层厚(m)" -> "层厚".
std::string withoutUnit(const std::string& header);
std::string lowerAscii(std::string text);
// A cell as a finite decimal number, whatever the process locale (a leading
// plus allowed).
std::optional<double> parseNumber(std::string_view cell);
// A field quoted where it holds a comma, a quote or a line end.
std::string csvField(const std::string& text);
// The number in shortest round-trip form.
std::string shortestText(double value);

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace csv_table
