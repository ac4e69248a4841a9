#include "model/csv_table.h"

#include "model/file_reasons.h"
#include "model/gbk.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace csv_table {
namespace {

// Fields split at the delimiter and line ends (LF, CR LF or CR alone), as
// spreadsheets write them: a field that starts with a double quote is
// quoted to its closing quote and may hold both, "" inside it being one
// quote; a quote anywhere else is a character of its field (a note 6"管).
std::vector<Row> rowsOf(std::string_view text, char delimiter)
{
    std::vector<Row> rows(1, Row(1));
    bool quoted = false;
    bool fieldStart = true;  // nothing of the field read yet
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        const bool atStart = std::exchange(fieldStart, false);
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"' && atStart) {
            quoted = true;
        } else if (c == delimiter) {
            rows.back().emplace_back();
            fieldStart = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.emplace_back(1);
            fieldStart = true;
        } else {
            field += c;
        }
    }
    return rows;
}

// The first line that holds more than blanks: the header.
std::string_view headerLine(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\v\f";
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = text.substr(0, end);
        if (line.find_first_not_of(kBlank) != std::string_view::npos)
            return line;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return {};
}

// The header line names the columns, so its separator is the table's: a tab
// in a data cell of a comma table is part of that cell.
char delimiterOf(std::string_view text)
{
    return headerLine(text).find('\t') != std::string_view::npos ? '\t' : ',';
}

// A table whose header (or byte order mark) is UTF-8 but a later line is
// not: rows pasted from a GBK table into a UTF-8 one. Decoded as GBK, its
// header would be garbled; the reason names the first line that is not UTF-8.
std::string mixedEncodingFault(std::string_view bytes, bool markedUtf8)
{
    const std::string_view header = headerLine(bytes);
    const bool utf8Header = isValidUtf8(header)
                            && std::any_of(header.begin(), header.end(), [](char c) { return c & 0x80; });
    if (!markedUtf8 && !utf8Header)
        return {};
    size_t lineNumber = 1;
    for (std::string_view rest = bytes; !rest.empty(); ++lineNumber) {
        const size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        if (!isValidUtf8(rest.substr(0, end)))
            break;
        const bool crLf = rest.substr(end).starts_with("\r\n");
        rest.remove_prefix(std::min(end + (crLf ? 2 : 1), rest.size()));
    }
    return std::string(markedUtf8 ? "表格标明为UTF-8编码" : "表头是UTF-8编码") + "，但第" + std::to_string(lineNumber)
           + "行不是：表格中混有UTF-8和GBK两种编码，请以同一种编码保存。";
}

}  // namespace

std::string trimmed(std::string_view text)
{
    constexpr std::string_view kBlank = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(kBlank);
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(kBlank) - first + 1));
}

bool isBlank(const Row& row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& f) { return trimmed(f).empty(); });
}

// A header cell without a unit in brackets after it: "层厚(m)" -> "层厚".
std::string withoutUnit(const std::string& header)
{
    size_t cut = header.size();
    for (std::string_view bracket : {"(", "（", "[", "【"})
        cut = std::min(cut, header.find(bracket));
    return trimmed(std::string_view(header).substr(0, cut));
}

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::optional<double> parseNumber(std::string_view cell)
{
    std::string_view text = cell;
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string shortestText(double value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

Decoded decode(std::string_view bytes)
{
    const bool markedUtf8 = bytes.starts_with(kByteOrderMark);
    if (markedUtf8)
        bytes.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(bytes))
        return {rowsOf(bytes, delimiterOf(bytes)), {}};
    if (const std::string mixed = mixedEncodingFault(bytes, markedUtf8); !mixed.empty())
        return {{}, mixed};
    const std::optional<std::string> text = gbkToUtf8(bytes);
    if (!text)
        return {{}, "无法识别表格的编码（应为UTF-8或GBK）。"};
    return {rowsOf(*text, delimiterOf(*text)), {}};
}

}  // namespace csv_table
