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

// The lines of the file from an offset on; LF or CR LF line ends.
class LineCursor {
public:
    LineCursor(std::string_view bytes, std::size_t from)
        : rest_(bytes.substr(from)),
          number_(1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + from, '\n')))
    {
    }

    bool next(Line& line)
    {
        if (rest_.empty())
            return false;
        const std::size_t end = rest_.find('\n');
        std::string_view text = rest_.substr(0, end);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        line = {text, number_++};
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
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

std::optional<Encoding> markerEncoding(std::string_view text)
{
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
    while (!encoding && lines.next(line))
        encoding = markerEncoding(line.text);
    if (!encoding) {
        extension = {};
        return {};
    }
    const Line marker = line;
    if (!lines.nextContent(line))
        return lineFault(marker, "的扩展块缺少“version=1”。");
    if (line.text != kVersionLine)
        return versionFault(line);
    ExtensionBlockReader reader(*encoding);
    while (lines.nextContent(line))
        if (FileStatus status = reader.readEntry(line); !status.ok)
            return status;
    extension = reader.take();
    return {};
}
