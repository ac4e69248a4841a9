#include "model/extension/extension_block.h"

#include "model/file_reasons.h"
#include "model/gbk.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace {

constexpr std::string_view kMarker = "[Orvane扩展]";
constexpr std::string_view kMarkerGbk = "[Orvane\xC0\xA9\xD5\xB9]";
constexpr std::string_view kVersionLine = "version=1";
constexpr std::string_view kVersionKey = "version=";

enum class Encoding { gbk, utf8 };

struct Line {
    std::string_view text;  // without its line end
    int number = 0;         // counted from 1 at the start of the file
};

// Whether a line ends at text[i]: LF, CR LF (counted at its LF) or CR alone.
bool endsLine(std::string_view text, std::size_t i)
{
    return text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
}

// The lines of the file from an offset on; LF, CR LF or CR alone end a line,
// as anywhere else in the file.
class LineCursor {
public:
    LineCursor(std::string_view bytes, std::size_t from) : rest_(bytes.substr(from)), number_(1)
    {
        for (std::size_t i = 0; i < from; ++i)
            number_ += endsLine(bytes, i) ? 1 : 0;
    }

    bool next(Line& line)
    {
        if (rest_.empty())
            return false;
        std::size_t end = 0;
        while (end < rest_.size() && rest_[end] != '\n' && rest_[end] != '\r')
            ++end;
        line = {rest_.substr(0, end), number_++};
        const bool crLf = rest_.substr(end).starts_with("\r\n");
        rest_.remove_prefix(std::min(rest_.size(), end + (crLf ? 2 : 1)));
        return true;
    }

    // The next line that is neither blank nor a comment.
    bool nextContent(Line& line)
    {
        while (next(line))
            if (!isBlank(line.text) && line.text.front() != '#')
                return true;
        return false;
    }

private:
    static bool isBlank(std::string_view text)
    {
        return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
    }

    std::string_view rest_;
    int number_;
};

// The line without the blanks after it: the block's own lines (the marker
// and the version) are recognised with trailing blanks, as an editor leaves
// them.
std::string_view withoutTrailingBlanks(std::string_view text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::optional<Encoding> markerEncoding(std::string_view line)
{
    const std::string_view text = withoutTrailingBlanks(line);
    if (text == kMarkerGbk)
        return Encoding::gbk;
    if (text == kMarker)
        return Encoding::utf8;
    return std::nullopt;
}

FileStatus lineFault(const Line& line, const std::string& what)
{
    return {false, "文件第" + std::to_string(line.number) + "行" + what};
}

// A line that names the block but is not its marker (a character before it,
// another case, a word after it): a block the writer meant, refused rather
// than dropped with its values at the next save.
bool looksLikeMarker(std::string_view line)
{
    std::string lower(line);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    for (std::string_view name : {"[orvane", "orvane扩展", "orvane\xC0\xA9\xD5\xB9"})
        if (lower.find(name) != std::string::npos)
            return true;
    return false;
}

FileStatus markerFault(const Line& line)
{
    return lineFault(line, quotedToken(line.text) + "不是扩展块的开始：扩展块以单独一行的“"
                               + std::string(kMarker) + "”开始。");
}

FileStatus versionFault(const Line& line)
{
    if (line.text.substr(0, kVersionKey.size()) == kVersionKey)
        return lineFault(line, "：扩展块的版本" + quotedToken(line.text.substr(kVersionKey.size()))
                                   + "无法读取，本程序读取版本1。");
    return lineFault(line, "应为“version=1”，扩展块以它开始。");
}

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; });
}

// The value as UTF-8 that is written back in GBK as it stands; nothing for
// bytes that are no text of the block's encoding.
std::optional<std::string> decoded(std::string_view value, Encoding encoding)
{
    std::optional<std::string> text = encoding == Encoding::gbk ? gbkToUtf8(value) : std::string(value);
    if (!text || !utf8ToGbk(*text))
        return std::nullopt;
    return text;
}

}  // namespace

// The key=value lines of one block, each checked as it comes.
class ExtensionBlockReader {
public:
    explicit ExtensionBlockReader(Encoding encoding) : encoding_(encoding) {}

    FileStatus readEntry(const Line& line)
    {
        const std::size_t equals = line.text.find('=');
        const std::string key(line.text.substr(0, equals));
        if (equals == std::string_view::npos || !isExtensionKey(key))
            return lineFault(line, quotedToken(line.text) + "不是扩展块的“键=值”（键由英文字母、数字和点组成）。");
        if (!keys_.insert(key).second)
            return lineFault(line, "的键“" + key + "”在扩展块中重复。");
        const std::string_view value = line.text.substr(equals + 1);
        if (hasControlCharacter(value))
            return lineFault(line, "“" + key + "”的值含有制表符或控制字符。");
        std::optional<std::string> text = decoded(value, encoding_);
        if (!text)
            return lineFault(line, "“" + key + "”的值不是有效的" + (encoding_ == Encoding::gbk ? "GBK" : "UTF-8")
                                       + "文本。");
        if (!text->empty())
            read_.entries_.emplace_back(key, std::move(*text));
        return {};
    }

    ProjectExtension take() { return std::move(read_); }

private:
    Encoding encoding_;
    std::unordered_set<std::string> keys_;
    ProjectExtension read_;
};

std::string extensionBlockText(const ProjectExtension& extension)
{
    if (extension.empty())
        return {};
    std::string text = "\n" + std::string(kMarker) + "\n" + std::string(kVersionLine) + "\n";
    for (const auto& [key, value] : extension.entries())
        text.append(key).append("=").append(value).append("\n");
    return text;
}

FileStatus readExtensionBlock(std::string_view bytes, std::size_t from, ProjectExtension& extension)
{
    LineCursor lines(bytes, from);
    Line line;
    std::optional<Encoding> encoding;
    while (!encoding && lines.next(line)) {
        encoding = markerEncoding(line.text);
        if (!encoding && looksLikeMarker(line.text))
            return markerFault(line);
    }
    if (!encoding) {
        extension = {};
        return {};
    }
    const Line marker = line;
    if (!lines.nextContent(line))
        return lineFault(marker, "的扩展块缺少“version=1”。");
    if (withoutTrailingBlanks(line.text) != kVersionLine)
        return versionFault(line);
    ExtensionBlockReader reader(*encoding);
    while (lines.nextContent(line))
        if (FileStatus status = reader.readEntry(line); !status.ok)
            return status;
    extension = reader.take();
    return {};
}
