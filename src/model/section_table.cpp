#include "model/section_table.h"

#include "model/csv_table.h"
#include "model/extension/stability_inputs.h"
#include "model/extension/time_settlement_inputs.h"
#include "model/file_reasons.h"
#include "model/platform.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

using csv_table::Row;

// A road's section table holds some hundreds of rows; a file far larger is
// no section table.
constexpr std::size_t kMaxTableBytes = 8 << 20;

// The fill's c and φ, read as a pair: a section may give one of them alone.
constexpr std::array<const char*, 2> kFillStrength{"c.fill", "phi.fill"};

enum class ColumnKind { station, profile, note, field, setting };

struct Column {
    ColumnKind kind;
    const InputEntry* field = nullptr;  // for a field column
    const char* key = nullptr;          // for a setting column
};

std::string withoutBlanks(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != '\t')
            kept += c;
    return kept;
}

// The whole cell, blanks left out, is the Chinese name, with or without its
// symbol, with or without its unit in brackets.
bool namesInChinese(const std::string& cell, std::string_view chinese, std::string_view symbol, std::string_view unit)
{
    const std::string text = withoutBlanks(cell);
    for (const std::string& name : {std::string(chinese), std::string(chinese) + std::string(symbol)}) {
        if (text == name)
            return true;
        if (!unit.empty()
            && (text == name + "（" + std::string(unit) + "）" || text == name + "(" + std::string(unit) + ")"))
            return true;
    }
    return false;
}

bool namesInEnglish(const std::string& cell, std::string_view english)
{
    return csv_table::lowerAscii(csv_table::withoutUnit(cell)) == csv_table::lowerAscii(std::string(english));
}

std::optional<Column> columnNamed(const std::string& cell)
{
    const std::array<std::pair<ColumnKind, std::pair<std::string_view, std::string_view>>, 3> own{{
        {ColumnKind::station, {"桩号", "station"}},
        {ColumnKind::profile, {"土层剖面", "profile"}},
        {ColumnKind::note, {"备注", "note"}},
    }};
    for (const auto& [kind, names] : own)
        if (namesInChinese(cell, names.first, "", "") || namesInEnglish(cell, names.second))
            return Column{kind};
    for (const InputEntry& input : inputCatalogue()) {
        if (!input.sectionColumn
            || !(namesInChinese(cell, input.label, input.symbol, input.unit) || namesInEnglish(cell, input.name)))
            continue;
        if (input.member)
            return Column{ColumnKind::field, &input};
        return Column{ColumnKind::setting, nullptr, input.name};
    }
    return std::nullopt;
}

std::string rowText(std::size_t row) { return "第" + std::to_string(row) + "行"; }
std::string columnText(std::size_t column) { return "第" + std::to_string(column + 1) + "列"; }

struct Layout {
    std::vector<std::optional<Column>> columns;  // one per header cell; none for a blank title
    std::vector<std::string> errors;
};

Layout layoutOf(const Row& header, std::size_t row)
{
    Layout layout;
    std::map<std::string, std::size_t> seen;  // a column's key -> its index
    for (std::size_t c = 0; c < header.size(); ++c) {
        const std::string title = csv_table::trimmed(header[c]);
        std::optional<Column> column = title.empty() ? std::nullopt : columnNamed(title);
        if (!title.empty() && !column)
            layout.errors.push_back(rowText(row) + "（表头）" + columnText(c) + "的" + quotedToken(title)
                                    + "不是可识别的列（桩号、土层剖面、备注或可变化的参数）。");
        if (column && column->kind != ColumnKind::note) {
            const std::string id = column->field ? column->field->name
                                   : column->key ? column->key
                                                 : "#" + std::to_string(static_cast<int>(column->kind));
            if (const auto [it, fresh] = seen.emplace(id, c); !fresh)
                layout.errors.push_back(rowText(row) + "（表头）" + columnText(it->second) + "与" + columnText(c)
                                        + "是同一列" + quotedToken(title) + "。");
        }
        layout.columns.push_back(column);
    }
    const bool hasStation = std::any_of(layout.columns.begin(), layout.columns.end(), [](const auto& column) {
        return column && column->kind == ColumnKind::station;
    });
    if (!hasStation)
        layout.errors.push_back("表头中缺少“桩号”列（也可写作“station”）。");
    return layout;
}

// Each borehole table read once, however many rows name it.
class ProfileCache {
public:
    explicit ProfileCache(const ProfileLoader& load) : load_(load) {}

    // The splitter, or the reason the table cannot be used.
    const std::pair<std::optional<ProfileSplitter>, std::string>& get(const std::string& file)
    {
        auto found = cache_.find(file);
        if (found == cache_.end())
            found = cache_.emplace(file, readOne(file)).first;
        return found->second;
    }

private:
    std::pair<std::optional<ProfileSplitter>, std::string> readOne(const std::string& file) const
    {
        const ProfileRead read = load_(file);
        if (!read.error.empty())
            return {std::nullopt, read.error};
        ProfileSplitter splitter(read.profile);
        if (!splitter.refusal().empty())
            return {std::nullopt, splitter.refusal()};
        return {std::move(splitter), {}};
    }

    const ProfileLoader& load_;
    std::map<std::string, std::pair<std::optional<ProfileSplitter>, std::string>> cache_;
};

struct RowReader {
    const Row& cells;
    const Layout& layout;
    std::size_t row;
    ProfileCache& profiles;
    std::vector<std::string>& errors;

    void refuse(const std::string& reason) { errors.push_back(rowText(row) + reason); }

    void readField(const InputEntry& field, std::size_t c, const std::string& text, Section& section)
    {
        const std::optional<double> value = csv_table::parseNumber(text);
        const std::string where = columnText(c) + "（" + sectionColumnTitle(field) + "）";
        if (!value)
            refuse(where + "的" + quotedToken(text) + "不是数字。");
        else if (*value < 0)
            refuse(where + "的值不应小于0。");
        else
            section.values.push_back({&field, *value});
    }

    void readStation(const std::string& text, Section& section)
    {
        const std::optional<double> chainage = parseStation(text);
        if (text.empty())
            refuse("没有桩号。");
        else if (!chainage)
            refuse("的桩号" + quotedToken(text) + "不是桩号（应写作如K12+340）。");
        section.station = text;
        section.chainage = chainage.value_or(0);
    }

    void readProfile(const std::string& text, Section& section)
    {
        if (text.empty())
            return;
        section.profileFile = text;
        const auto& [splitter, reason] = profiles.get(text);
        if (splitter)
            section.profile = *splitter;
        else
            refuse("的土层剖面" + quotedToken(text) + "无法使用：" + reason);
    }

    // The row's extension values as the record's readers read them, with the
    // row's fill height; a fill history given without one is read up to the
    // height it ends at, checked against the base project's when computed.
    void checkSettings(const Section& section)
    {
        ProjectData probe{};
        for (const SectionValue& v : section.values)
            probe.*(v.field->member) = v.value;
        const bool givesHeight = std::any_of(section.values.begin(), section.values.end(), [](const SectionValue& v) {
            return v.field->member == &ProjectData::embankmentHeight;
        });
        if (!givesHeight) {
            ProjectData read = probe;
            setSectionTexts(section, read.extension);
            TimeSettlementInputs inputs;
            readTimeSettlementInputs(read, inputs);
            probe.embankmentHeight = inputs.fill.empty() ? 0 : inputs.fill.back().height;
        }
        // A half of the fill's strength keeps the base project's other
        // half, checked when the section is computed; read here with a
        // stand-in every reader accepts.
        for (const char* key : kFillStrength)
            probe.extension.set(key, "0");
        if (const std::string fault = sectionSettingsFault(section, probe); !fault.empty())
            errors.push_back(fault);
    }

    // H and L cut the base project's layer tables: a section may change them
    // only with a profile of its own, split at its H and L.
    void checkLengths(const Section& section)
    {
        if (section.profile)
            return;
        for (const SectionValue& v : section.values)
            if (v.field->cutsLayerTables)
                refuse("改变了" + sectionColumnTitle(*v.field) + "，须同时给出该断面的土层剖面（土层按H和L划分）。");
    }

    Section read()
    {
        Section section;
        section.row = row;
        const std::size_t before = errors.size();
        for (std::size_t c = 0; c < std::max(cells.size(), layout.columns.size()); ++c) {
            const std::string text = c < cells.size() ? csv_table::trimmed(cells[c]) : std::string();
            const std::optional<Column>& column = c < layout.columns.size() ? layout.columns[c] : std::nullopt;
            if (!column) {
                if (!text.empty())
                    refuse(columnText(c) + "的" + quotedToken(text) + "在表头中没有列名。");
                continue;
            }
            switch (column->kind) {
            case ColumnKind::station: readStation(text, section); break;
            case ColumnKind::profile: readProfile(text, section); break;
            case ColumnKind::field:
                if (!text.empty())
                    readField(*column->field, c, text, section);
                break;
            case ColumnKind::setting:
                if (!text.empty())
                    section.settings.push_back(readSectionSetting(column->key, text, c));
                break;
            case ColumnKind::note: break;
            }
        }
        if (errors.size() == before)
            checkLengths(section);
        if (errors.size() == before)
            checkSettings(section);
        return section;
    }
};

void refuseRepeatedStations(const std::vector<Section>& sections, std::vector<std::string>& errors)
{
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const Section& a = sections[i - 1];
        const Section& b = sections[i];
        if (a.chainage == b.chainage)
            errors.push_back(rowText(std::max(a.row, b.row)) + "的桩号" + quotedToken(b.station) + "与"
                             + rowText(std::min(a.row, b.row)) + "的" + quotedToken(a.station) + "是同一位置。");
    }
}

SectionTableRead readRows(const std::vector<Row>& rows, const ProfileLoader& loadProfile)
{
    SectionTableRead read;
    const auto header = std::find_if_not(rows.begin(), rows.end(), csv_table::isBlank);
    if (header == rows.end()) {
        read.errors.push_back("表格是空的。");
        return read;
    }
    const Layout layout = layoutOf(*header, static_cast<std::size_t>(header - rows.begin()) + 1);
    read.errors = layout.errors;
    if (!read.ok())
        return read;
    ProfileCache profiles(loadProfile);
    for (auto row = header + 1; row != rows.end(); ++row) {
        if (csv_table::isBlank(*row))
            continue;
        const std::size_t number = static_cast<std::size_t>(row - rows.begin()) + 1;
        read.sections.push_back(RowReader{*row, layout, number, profiles, read.errors}.read());
    }
    std::stable_sort(read.sections.begin(), read.sections.end(),
                     [](const Section& a, const Section& b) { return a.chainage < b.chainage; });
    if (read.ok())
        refuseRepeatedStations(read.sections, read.errors);
    if (read.ok() && read.sections.empty())
        read.errors.push_back("表格中只有表头，没有断面。");
    if (!read.ok())
        read.sections.clear();
    return read;
}

// Beyond any road, and where a chainage in metres would lose its decimals.
constexpr double kLastKilometre = 99999;

std::optional<double> wholeNumber(std::string_view text, bool fraction)
{
    if (text.empty() || !(text.front() >= '0' && text.front() <= '9'))
        return std::nullopt;
    if (!fraction && text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    if (fraction && text.find_first_not_of("0123456789.") != std::string_view::npos)
        return std::nullopt;
    return csv_table::parseNumber(text);
}

}  // namespace

std::optional<double> parseStation(std::string_view text)
{
    const std::size_t digits = text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    if (digits == std::string_view::npos)
        return std::nullopt;
    text.remove_prefix(digits);
    std::size_t plus = text.find('+');
    std::size_t plusSize = 1;
    if (plus == std::string_view::npos) {
        plus = text.find("＋");
        plusSize = std::string_view("＋").size();
    }
    if (plus == std::string_view::npos)
        return std::nullopt;
    const std::optional<double> kilometres = wholeNumber(text.substr(0, plus), false);
    const std::optional<double> metres = wholeNumber(text.substr(plus + plusSize), true);
    if (!kilometres || !metres || *metres >= 1000 || *kilometres > kLastKilometre)
        return std::nullopt;
    return *kilometres * 1000 + *metres;
}

std::string sectionColumnTitle(const InputEntry& field) { return inputTitle(field); }

std::string sectionSettingTitle(const char* key) { return inputTitle(*findInput(key)); }

std::string sectionSettingText(const SectionSetting& setting) { return allowanceCodeName(setting.value); }

std::string sectionExtensionValue(const ProjectData& base, const Section& section, std::string_view key)
{
    for (const SectionSetting& setting : section.settings)
        if (setting.key == key)
            return setting.value;
    return base.extension.value(key);
}

SectionSetting readSectionSetting(const char* key, const std::string& cell, std::size_t column)
{
    SectionSetting setting{key, allowanceCodeOf(cell), column, std::nullopt};
    // A single number is read as the block's readers read it.
    double value = 0;
    if (catalogued(key).kind == InputKind::Number && parseFileNumber(trimmedValue(cell), value))
        setting.number = value;
    return setting;
}

std::vector<TypedValue> sectionNumbers(const Section& section)
{
    std::vector<TypedValue> numbers;
    for (const SectionSetting& setting : section.settings)
        if (setting.number)
            numbers.push_back({setting.key, *setting.number});
    return numbers;
}

void setSectionTexts(const Section& section, ProjectExtension& block)
{
    for (const SectionSetting& setting : section.settings)
        if (!setting.number)
            block.set(setting.key, setting.value);
}

void setSectionValues(const Section& section, ProjectExtension& block)
{
    for (const SectionSetting& setting : section.settings)
        block.set(setting.key, setting.value);
}

std::string sectionSettingsFault(const Section& section, ProjectData record)
{
    // An empty block reads without a refusal.
    if (section.settings.empty())
        return {};
    const ProjectExtension whole = std::move(record.extension);
    record.extension = {};
    setSectionTexts(section, record.extension);
    const std::vector<TypedValue> numbers = sectionNumbers(section);
    const ExtensionSource source(record, numbers);
    const bool halfOfTheFill = std::any_of(kFillStrength.begin(), kFillStrength.end(),
                                           [&source](const char* key) { return source.gives(key); });
    for (const char* key : kFillStrength)
        if (halfOfTheFill && !source.gives(key))
            record.extension.set(key, whole.value(key));
    TimeSettlementInputs timeInputs;
    StabilityInputs stabilityInputs;
    std::string fault = readTimeSettlementInputs(source, timeInputs);
    if (fault.empty())
        fault = readStabilityInputs(source, stabilityInputs);
    if (fault.empty())
        return {};
    for (const SectionSetting& setting : section.settings) {
        const std::string prefix = std::string(setting.key) + "：";
        if (fault.starts_with(prefix))
            return rowText(section.row) + columnText(setting.column) + "（" + sectionSettingTitle(setting.key)
                   + "）：" + fault.substr(prefix.size());
    }
    return rowText(section.row) + "：" + fault;
}

SectionTableRead readSectionTable(std::string_view bytes, const ProfileLoader& loadProfile)
{
    const csv_table::Decoded decoded = csv_table::decode(bytes);
    if (!decoded.error.empty())
        return {{}, {decoded.error}};
    return readRows(decoded.rows, loadProfile);
}

SectionTableRead loadSectionTable(const std::string& path, std::string* tableBytes)
{
    std::string bytes;
    const platform::FileOutcome read = platform::readRegularFile(path, kMaxTableBytes, bytes);
    if (!read.ok())
        return {{}, {"无法打开断面表“" + path + "”：" + readReason(read, "断面表", kMaxTableBytes)}};
    SectionTableRead table =
        readSectionTable(bytes, [&path](const std::string& file) { return loadProfileCsv(pathBesideTable(path, file)); });
    if (tableBytes)
        *tableBytes = std::move(bytes);
    return table;
}

std::string pathBesideTable(const std::string& table, const std::string& file)
{
    const bool absolute = file.starts_with('/') || file.starts_with('\\') || (file.size() > 1 && file[1] == ':');
    const std::size_t slash = table.find_last_of("/\\");
    if (absolute || slash == std::string::npos)
        return file;
    return table.substr(0, slash + 1) + file;
}
