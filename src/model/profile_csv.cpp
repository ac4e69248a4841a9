// Borehole tables as CSV, as a spreadsheet saves them or a copy of its cells
// pastes them.
#include "model/gbk.h"
#include "model/platform.h"
#include "model/soil_profile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A borehole table holds a few dozen strata; a file far larger is no table.
constexpr std::size_t kMaxProfileBytes = 1 << 20;

enum Column { kName, kThickness, kFriction, kModulus, kUnitWeight, kColumnCount };

struct ColumnName {
    std::string_view chinese;  // found anywhere in the header cell
    std::string_view english;  // the whole header cell, in any case
    std::string_view shown;    // with its unit, for the export and messages
};

constexpr std::array<ColumnName, kColumnCount> kColumns{{
    {"土层名称", "name", "土层名称"},
    {"层厚", "thickness", "层厚(m)"},
    {"侧摩阻力", "qs", "侧摩阻力(kPa)"},
    {"压缩模量", "Es", "压缩模量(MPa)"},
    {"重度", "gamma", "重度(kN/m3)"},
}};

bool isValidUtf8(std::string_view text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                              : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 0x2)
                return false;
        i += length;
    }
    return true;
}

std::optional<std::string> utf8Text(std::string_view bytes)
{
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return gbkToUtf8(bytes);
}

using Row = std::vector<std::string>;

// Fields split at the delimiter and line ends; a field in double quotes may
// hold both, and "" inside it is one quote.
std::vector<Row> rowsOf(std::string_view text, char delimiter)
{
    std::vector<Row> rows(1, Row(1));
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == delimiter) {
            rows.back().emplace_back();
        } else if (c == '\n') {
            rows.emplace_back(1);
        } else if (c != '\r') {
            field += c;
        }
    }
    return rows;
}

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

bool namesColumn(const std::string& header, const ColumnName& column)
{
    const std::string name = withoutUnit(header);
    return name.find(column.chinese) != std::string::npos || lowerAscii(name) == lowerAscii(std::string(column.english));
}

struct Layout {
    std::array<size_t, kColumnCount> index{};
    std::string error;
};

Layout layoutOf(const Row& header)
{
    Layout layout;
    for (size_t c = 0; c < kColumnCount; ++c) {
        const auto found = std::find_if(header.begin(), header.end(), [&](const std::string& cell) {
            return namesColumn(cell, kColumns[c]);
        });
        if (found == header.end()) {
            layout.error = "表头中缺少“" + std::string(kColumns[c].chinese) + "”列（也可写作“"
                           + std::string(kColumns[c].english) + "”，可带单位，如“"
                           + std::string(kColumns[c].shown) + "”）。";
            return layout;
        }
        layout.index[c] = static_cast<size_t>(found - header.begin());
    }
    return layout;
}

std::optional<double> parseNumber(const std::string& cell)
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

struct RowReader {
    const Row& row;
    const Layout& layout;
    size_t rowNumber;
    std::string error;

    std::string cell(Column c) const
    {
        const size_t i = layout.index[c];
        return i < row.size() ? trimmed(row[i]) : std::string();
    }

    std::optional<double> number(Column c, bool optional)
    {
        const std::string text = cell(c);
        if (optional && text.empty())
            return std::nullopt;
        const std::optional<double> value = parseNumber(text);
        if (!value && error.empty())
            error = "第" + std::to_string(rowNumber) + "行第" + std::to_string(layout.index[c] + 1)
                    + "列（" + std::string(kColumns[c].chinese) + "）"
                    + (text.empty() ? "为空" : "的“" + text + "”不是数字") + "。";
        return value;
    }

    Stratum stratum()
    {
        Stratum s;
        s.name = cell(kName);
        s.thickness = number(kThickness, false).value_or(0.0);
        s.friction = number(kFriction, true);
        s.soilModulus = number(kModulus, false).value_or(0.0);
        s.unitWeight = number(kUnitWeight, false).value_or(0.0);
        return s;
    }
};

ProfileRead readRows(const std::vector<Row>& rows)
{
    ProfileRead read;
    auto row = std::find_if_not(rows.begin(), rows.end(), isBlank);
    if (row == rows.end()) {
        read.error = "表格是空的。";
        return read;
    }
    const Layout layout = layoutOf(*row);
    if (!layout.error.empty()) {
        read.error = layout.error;
        return read;
    }
    for (++row; row != rows.end(); ++row) {
        if (isBlank(*row))
            continue;
        RowReader reader{*row, layout, static_cast<size_t>(row - rows.begin()) + 1, {}};
        read.profile.push_back(reader.stratum());
        if (!reader.error.empty()) {
            read.error = reader.error;
            read.profile.clear();
            return read;
        }
    }
    if (read.profile.empty())
        read.error = "表格中只有表头，没有土层。";
    return read;
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

}  // namespace

ProfileRead readProfileCsv(std::string_view bytes)
{
    const std::optional<std::string> text = utf8Text(bytes);
    if (!text)
        return {{}, "无法识别表格的编码（应为UTF-8或GBK）。"};
    const std::string_view firstLine = std::string_view(*text).substr(0, text->find('\n'));
    const char delimiter = firstLine.find('\t') != std::string_view::npos ? '\t' : ',';
    return readRows(rowsOf(*text, delimiter));
}

ProfileRead loadProfileCsv(const std::string& path)
{
    std::string bytes;
    const platform::FileOutcome read = platform::readRegularFile(path, kMaxProfileBytes, bytes);
    if (read.fault == platform::FileFault::other)
        return {{}, "无法读取土层剖面文件“" + path + "”。"};
    if (!read.ok())
        return {{}, "无法打开土层剖面文件“" + path + "”。"};
    return readProfileCsv(bytes);
}

std::string profileCsv(const SoilProfile& profile)
{
    std::string text(kByteOrderMark);
    for (size_t c = 0; c < kColumnCount; ++c)
        text += std::string(kColumns[c].shown) + (c + 1 < kColumnCount ? "," : "\r\n");
    for (const Stratum& s : profile) {
        text += csvField(s.name) + "," + shortestText(s.thickness) + ","
                + (s.friction ? shortestText(*s.friction) : "") + "," + shortestText(s.soilModulus)
                + "," + shortestText(s.unitWeight) + "\r\n";
    }
    return text;
}
