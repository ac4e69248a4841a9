// The project file: GBK text with CR LF line ends, one labelled line per
// value and per layer list, then a results block for people and the save
// time, and the extension block when the project has one. The reader counts
// whitespace-separated tokens and never decodes a label, so edited
// single-token labels, LF line ends and UTF-8 labels load.
// Only the header's first token is checked: a file that does not begin with
// the rule of "=" is some other file, not a damaged project file.
#include "model/extension/extension_block.h"
#include "model/file_numbers.h"
#include "model/file_reasons.h"
#include "model/gbk.h"
#include "model/input_faults.h"
#include "model/platform.h"
#include "model/project_file.h"

#include <string_view>

namespace {

// One labelled row of the file: a value, an integer, or the layers in force
// of a table (as many as the zone's count, each followed by one space).
struct Row {
    const char* label;
    double ProjectData::*real = nullptr;
    int ProjectData::*whole = nullptr;
    LayerTable ProjectData::*list = nullptr;
    int ProjectData::*count = nullptr;
};

constexpr Row kRows[] = {
    {"扩大头直径(m)\t\t", &ProjectData::headDiameter},
    {"下部桩径(m)\t\t\t", &ProjectData::shaftDiameter},
    {"扩大头高度(m)\t\t", &ProjectData::headLength},
    {"桩长(m)\t\t\t\t", &ProjectData::pileLength},
    {"\n标记桩间类型（0－等边三角形1－正方形2－矩形）\t", nullptr, &ProjectData::layoutType},
    {"等边三角形布置时桩间距(m)\t\t", &ProjectData::spacingTriangle},
    {"正方形布置时桩间距(m)\t\t\t", &ProjectData::spacingSquare},
    {"矩形布置时桩间距（纵）(m)\t\t", &ProjectData::spacingLongitudinal},
    {"矩形布置时桩间距（横）(m)\t\t", &ProjectData::spacingTransverse},
    {"\n处理后桩间土承载力特征值（kPa）\t\t\t", &ProjectData::soilCapacity},
    {"桩间土承载力折减系数（0.75～1.0）\t\t", &ProjectData::soilReduction},
    {"无侧限抗压强度平均值（kPa）\t\t\t", &ProjectData::cubeStrength},
    {"扩大头部分桩身强度折减系数（0.6～0.8）\t\t", &ProjectData::headStrengthFactor},
    {"扩大头以下部分桩身强度折减系数（0.5～0.65）\t", &ProjectData::shaftStrengthFactor},
    {"变截面处地基土承载力特征值（kPa）\t\t\t", &ProjectData::stepBearing},
    {"桩端地基土承载力特征值（kPa）\t\t\t\t", &ProjectData::tipBearing},
    {"变截面处天然地基土承载力折减系数（0.8～0.9） ", &ProjectData::stepBearingFactor},
    {"桩端天然地基土承载力折减系数（0.4～0.6）\t", &ProjectData::tipBearingFactor},
    {"\n\n填土顶宽（m）\t\t\t", &ProjectData::embankmentTopWidth},
    {"路基填土高度（m）\t\t", &ProjectData::embankmentHeight},
    {"边坡坡度1:m\t\t", &ProjectData::slopeM},
    {"边坡坡度1:n\t\t", &ProjectData::slopeN},
    {"填土容重\t\t", &ProjectData::fillUnitWeight},
    {"扩大头桩体压缩模量（MPa）\t", &ProjectData::headPileModulus},
    {"下部桩体压缩模量（MPa）\t\t", &ProjectData::shaftPileModulus},
    {"\n\n标记是否手动输入单桩承载力（0－否1－是）\t", nullptr, &ProjectData::manualCapacityFlag},
    {"手动输入单桩承载力\t\t", &ProjectData::manualPileCapacity},
    {"\n扩大头桩周土体分层数\t\t", nullptr, &ProjectData::headLayerCount},
    {"下部桩体桩周土体分层数\t\t", nullptr, &ProjectData::shaftLayerCount},
    {"桩端下部土体分层数\t\t\t", nullptr, &ProjectData::baseLayerCount},
    {"\n扩大头每层土高度\t\t", nullptr, nullptr, &ProjectData::headThickness, &ProjectData::headLayerCount},
    {"\n下部桩体每层土高度\t\t", nullptr, nullptr, &ProjectData::shaftThickness, &ProjectData::shaftLayerCount},
    {"\n桩端下部每层土高度\t\t", nullptr, nullptr, &ProjectData::baseThickness, &ProjectData::baseLayerCount},
    {"\n\n扩大头每层土摩阻力特征值（kPa）\t\t", nullptr, nullptr, &ProjectData::headFriction, &ProjectData::headLayerCount},
    {"\n下部桩体每层土摩阻力特征值（kPa）\t", nullptr, nullptr, &ProjectData::shaftFriction, &ProjectData::shaftLayerCount},
    {"\n\n扩大头每层土压缩模量（MPa）\t\t", nullptr, nullptr, &ProjectData::headSoilModulus, &ProjectData::headLayerCount},
    {"\n下部桩体每层土压缩模量（MPa）\t", nullptr, nullptr, &ProjectData::shaftSoilModulus, &ProjectData::shaftLayerCount},
    {"\n桩端下部每层土压缩模量（MPa）\t", nullptr, nullptr, &ProjectData::baseSoilModulus, &ProjectData::baseLayerCount},
    {"\n\n沉降计算终止条件选择（0,1,2）\t", nullptr, &ProjectData::stopCriterion},
    {"\n扩大头各土层容重\t\t", nullptr, nullptr, &ProjectData::headUnitWeight, &ProjectData::headLayerCount},
    {"\n下部桩体各土层容重\t\t", nullptr, nullptr, &ProjectData::shaftUnitWeight, &ProjectData::shaftLayerCount},
    {"\n桩端下部各土层容重\t\t", nullptr, nullptr, &ProjectData::baseUnitWeight, &ProjectData::baseLayerCount},
};

constexpr std::string_view kRule = "===================================================================";
constexpr int kHeaderTokens = 4;
constexpr const char* kNotAProjectFile = "不是Orvane项目文件。";

FileStatus failure(std::string reason) { return {false, std::move(reason)}; }

void writeRow(std::string& text, const ProjectData& p, const Row& row)
{
    text += row.label;
    if (row.real) {
        text.append(formatFileNumber(p.*row.real)).append("\n");
    } else if (row.whole) {
        text.append(std::to_string(p.*row.whole)).append("\n");
    } else {
        const LayerTable& table = p.*row.list;
        for (int i = 1; i <= usedLayers(p.*row.count); ++i)
            text.append(formatFileNumber(table[i])).append(" ");
    }
}

std::string resultOrIncomplete(double value, bool shown, const char* unit)
{
    return shown ? formatFileNumber(value) + unit : input_faults::kIncomplete;
}

void writeSettlement(std::string& text, const ProjectData& p, double settlement)
{
    text += "沉降值：\t\t\t\t";
    switch (p.stopCriterion) {
    case kStopDeformationRatio:
    case kStopStressRatio02:
    case kStopStressRatio01:
        text += resultOrIncomplete(settlement, input_faults::isReportedSettlement(p, settlement), " mm") + "\n";
        break;
    default:
        break;  // an unknown criterion leaves the line with its label only
    }
}

void writeResults(std::string& text, const ProjectData& p, const SavedResults& r, const std::tm& saveTime)
{
    text += "\n\n\n" + std::string(kRule) + "\n计算结果：\n\n";
    using input_faults::isReportedResult;
    text += "单桩承载力特征值：\t\t" + resultOrIncomplete(r.pileCapacity, isReportedResult(r.pileCapacity), " kN") + "\n";
    text += "复合地基承载力特征值：\t"
            + resultOrIncomplete(r.compositeCapacity, isReportedResult(r.compositeCapacity), " kPa") + "\n";
    writeSettlement(text, p, r.settlement);
    char time[32];
    std::strftime(time, sizeof time, "%Y-%m-%d %H:%M", &saveTime);
    text += "\n保存时间：" + std::string(time) + "\n" + std::string(kRule) + "\n\n";
}

std::string withWindowsLineEnds(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t lineEnd; (lineEnd = text.find('\n')) != std::string_view::npos;
         text.remove_prefix(lineEnd + 1))
        out.append(text.substr(0, lineEnd)).append("\r\n");
    return out.append(text);
}

// ---- reading ----

// Most bytes of a file are above the space, so one comparison settles them.
bool isSpace(char c)
{
    return static_cast<unsigned char>(c) <= ' '
           && (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f');
}

// A label for messages: the row's words without the surrounding layout.
std::string labelName(const Row& row)
{
    std::string_view label = row.label;
    while (!label.empty() && isSpace(label.front()))
        label.remove_prefix(1);
    while (!label.empty() && isSpace(label.back()))
        label.remove_suffix(1);
    return std::string(label);
}

// Hands out the whitespace-separated tokens of the text one at a time, so a
// file refused at one of its first rows is not read further.
class TokenReader {
public:
    explicit TokenReader(std::string_view text) : rest_(text) {}

    bool skip()
    {
        std::string_view unused;
        return take(unused);
    }
    bool take(std::string_view& token)
    {
        size_t start = 0;
        while (start < rest_.size() && isSpace(rest_[start]))
            ++start;
        size_t end = start;
        while (end < rest_.size() && !isSpace(rest_[end]))
            ++end;
        token = rest_.substr(start, end - start);
        rest_.remove_prefix(end);
        return !token.empty();
    }
    // Bytes not handed out yet.
    std::size_t remaining() const { return rest_.size(); }

private:
    std::string_view rest_;
};

FileStatus endedEarly(const Row& row)
{
    return failure("文件不完整，在“" + labelName(row) + "”处提前结束。");
}

FileStatus notANumber(const Row& row, std::string_view token)
{
    return failure("“" + labelName(row) + "”的值" + quotedToken(token) + "不是有效的数字。");
}

FileStatus readRow(TokenReader& reader, const Row& row, ProjectData& p)
{
    std::string_view token;
    if (!reader.skip())
        return endedEarly(row);
    if (row.real) {
        if (!reader.take(token))
            return endedEarly(row);
        return parseFileNumber(token, p.*row.real) ? FileStatus{} : notANumber(row, token);
    }
    if (row.whole) {
        if (!reader.take(token))
            return endedEarly(row);
        if (!parseFileInteger(token, p.*row.whole))
            return failure("“" + labelName(row) + "”的值" + quotedToken(token) + "不是整数。");
        return {};
    }
    LayerTable& table = p.*row.list;
    for (int i = 1; i <= usedLayers(p.*row.count); ++i) {
        if (!reader.take(token))
            return endedEarly(row);
        if (!parseFileNumber(token, table[i]))
            return notANumber(row, token);
    }
    return {};
}

bool isLayerCount(const Row& row)
{
    return row.whole == &ProjectData::headLayerCount || row.whole == &ProjectData::shaftLayerCount
           || row.whole == &ProjectData::baseLayerCount;
}

}  // namespace

std::string projectFileText(const ProjectData& p, const SavedResults& results, const std::tm& saveTime)
{
    std::string text = std::string(kRule) + "\nOrvane数据\n\nVelmora\n" + std::string(kRule) + "\n\n";
    for (const Row& row : kRows)
        writeRow(text, p, row);
    writeResults(text, p, results, saveTime);
    text += extensionBlockText(p.extension);
    // Labels, numbers and extension values: every character has a GBK code.
    return utf8ToGbk(withWindowsLineEnds(text)).value();
}

FileStatus writeProjectFile(const std::string& path, std::string_view bytes)
{
    const platform::FileOutcome outcome = platform::replaceFile(path, bytes);
    return outcome.ok() ? FileStatus{} : failure(saveFailure(path, outcome));
}

FileStatus ProjectData::loadProject(const std::string& path, std::string* fileBytes)
{
    std::string bytes;
    const platform::FileOutcome outcome = platform::readRegularFile(path, kMaxProjectFileBytes, bytes);
    if (!outcome.ok())
        return failure(readFailure(path, outcome));
    const FileStatus loaded = loadProjectBytes(bytes);
    if (fileBytes)
        *fileBytes = std::move(bytes);
    return loaded;
}

FileStatus ProjectData::loadProjectBytes(std::string_view bytes)
{
    TokenReader reader(bytes);
    std::string_view rule;
    if (!reader.take(rule))
        return endedEarly(kRows[0]);
    if (rule.find_first_not_of('=') != std::string_view::npos)
        return failure(kNotAProjectFile);
    for (int i = 1; i < kHeaderTokens; ++i)
        if (!reader.skip())
            return endedEarly(kRows[0]);

    ProjectData loaded = *this;
    for (const Row& row : kRows) {
        if (FileStatus status = readRow(reader, row, loaded); !status.ok)
            return status;
        if (isLayerCount(row) && usedLayers(loaded.*row.whole) != loaded.*row.whole)
            return failure("“" + labelName(row) + "”为" + std::to_string(loaded.*row.whole)
                           + "，应在0～" + std::to_string(kMaxLayers) + "之间。");
    }
    if (FileStatus status = readExtensionBlock(bytes, bytes.size() - reader.remaining(), loaded.extension);
        !status.ok)
        return status;
    *this = loaded;
    return {};
}
