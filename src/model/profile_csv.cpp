// Borehole tables as CSV, as a spreadsheet saves them or a copy of its cells
// pastes them.
#include "model/csv_table.h"
#include "model/file_reasons.h"
#include "model/platform.h"
#include "model/soil_profile.h"

#include <algorithm>
#include <array>

namespace {

using namespace csv_table;

// A borehole table holds a few dozen strata; a file far larger is no table.
constexpr std::size_t kMaxProfileBytes = 1 << 20;

enum Column {
    kName, kThickness, kFriction, kModulus, kUnitWeight,
    kCv, kFak, kCohesion, kFrictionAngle, kColumnCount
};
// The columns from kCv on may be left out of a table.
constexpr size_t kRequiredColumns = kCv;
constexpr size_t kAbsent = static_cast<size_t>(-1);

struct ColumnName {
    std::string_view chinese;  // found anywhere in the header cell
    std::string_view english;  // the whole header cell, in any case
    std::string_view shown;    // with its unit, for the export and messages
    std::string_view symbol;   // also the whole header cell, when not empty
};

constexpr std::array<ColumnName, kColumnCount> kColumns{{
    {"土层名称", "name", "土层名称", ""},
    {"层厚", "thickness", "层厚(m)", ""},
    {"侧摩阻力", "qs", "侧摩阻力(kPa)", ""},
    {"压缩模量", "Es", "压缩模量(MPa)", ""},
    {"重度", "gamma", "重度(kN/m3)", ""},
    {"固结系数", "cv", "固结系数(10^-3cm2/s)", ""},
    {"地基承载力特征值", "fak", "地基承载力特征值(kPa)", ""},
    {"黏聚力", "c", "黏聚力(kPa)", ""},
    {"内摩擦角", "phi", "内摩擦角(°)", "φ"},
}};

// The property of a stratum that an optional column holds.
constexpr std::optional<double> Stratum::*kProperty[kColumnCount] = {
    nullptr, nullptr, nullptr, nullptr, nullptr,
    &Stratum::cv, &Stratum::fak, &Stratum::cohesion, &Stratum::frictionAngle,
};

bool namesColumn(const std::string& header, const ColumnName& column)
{
    const std::string name = withoutUnit(header);
    return name.find(column.chinese) != std::string::npos || lowerAscii(name) == lowerAscii(std::string(column.english))
           || (!column.symbol.empty() && name == column.symbol);
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
        layout.index[c] = found == header.end() ? kAbsent : static_cast<size_t>(found - header.begin());
        if (found == header.end() && c < kRequiredColumns) {
            layout.error = "表头中缺少“" + std::string(kColumns[c].chinese) + "”列（也可写作“"
                           + std::string(kColumns[c].english) + "”，可带单位，如“"
                           + std::string(kColumns[c].shown) + "”）。";
            return layout;
        }
    }
    return layout;
}


struct RowReader {
    const Row& row;
    const Layout& layout;
    size_t rowNumber;
    std::string error;

    std::string cell(Column c) const
    {
        const size_t i = layout.index[c];
        return i != kAbsent && i < row.size() ? trimmed(row[i]) : std::string();
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
                    + (text.empty() ? "为空" : "的" + quotedToken(text) + "不是数字") + "。";
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
        for (size_t c = kRequiredColumns; c < kColumnCount; ++c)
            s.*kProperty[c] = number(static_cast<Column>(c), true);
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

}  // namespace

ProfileRead readProfileCsv(std::string_view bytes)
{
    const Decoded decoded = decode(bytes);
    if (!decoded.error.empty())
        return {{}, decoded.error};
    return readRows(decoded.rows);
}

ProfileRead loadProfileCsv(const std::string& path)
{
    std::string bytes;
    const platform::FileOutcome read = platform::readRegularFile(path, kMaxProfileBytes, bytes);
    if (!read.ok())
        return {{}, "无法打开土层剖面文件“" + shownText(path) + "”：" + readReason(read, "土层剖面文件", kMaxProfileBytes)};
    return readProfileCsv(bytes);
}

std::string profileCsv(const SoilProfile& profile)
{
    std::vector<size_t> optional;
    for (size_t c = kRequiredColumns; c < kColumnCount; ++c)
        if (std::any_of(profile.begin(), profile.end(), [c](const Stratum& s) { return (s.*kProperty[c]).has_value(); }))
            optional.push_back(c);
    const auto shown = [](const std::optional<double>& v) { return v ? shortestText(*v) : std::string(); };
    std::string text(kByteOrderMark);
    for (size_t c = 0; c < kRequiredColumns; ++c)
        text += std::string(kColumns[c].shown) + (c + 1 < kRequiredColumns ? "," : "");
    for (size_t c : optional)
        text += "," + std::string(kColumns[c].shown);
    text += "\r\n";
    for (const Stratum& s : profile) {
        text += csvField(s.name) + "," + shortestText(s.thickness) + "," + shown(s.friction) + ","
                + shortestText(s.soilModulus) + "," + shortestText(s.unitWeight);
        for (size_t c : optional)
            text += "," + shown(s.*kProperty[c]);
        text += "\r\n";
    }
    return text;
}
