#include "model/file_reasons.h"

#include "model/gbk.h"

#include <cstdint>

namespace {

using platform::FileFault;

std::string sizeInBytes(std::uint64_t size) { return std::to_string(size) + " 字节"; }

// Sentences shared by reading and saving; nothing for the faults that read
// differently in the two. `kind` names the file a folder or a device is not.
std::string commonReason(const platform::FileOutcome& outcome, const char* kind, std::size_t maxBytes)
{
    switch (outcome.fault) {
    case FileFault::readOnlyFileSystem: return "所在的磁盘或共享文件夹是只读的。";
    case FileFault::diskFull: return "磁盘空间不足（或已超出磁盘配额、文件大小限制）。";
    case FileFault::isFolder: return std::string("这是一个文件夹，不是") + kind + "。";
    case FileFault::notRegularFile: return "这不是普通文件（而是管道、设备等）。";
    case FileFault::readOnlyFile: return "文件是只读的。";
    case FileFault::outputClosed: return "接收输出的管道已关闭。";
    case FileFault::tooLarge:
        return "文件过大（" + sizeInBytes(outcome.size) + "），" + kind + "不超过 " + sizeInBytes(maxBytes) + "。";
    default: return outcome.systemText.empty() ? "未知错误。" : outcome.systemText + "。";
    }
}

std::string failureText(const char* opening, const std::string& path, const char* missing, const char* denied,
                        const platform::FileOutcome& outcome, const char* kind = "项目文件")
{
    const std::string reason = outcome.fault == FileFault::notFound       ? missing
                               : outcome.fault == FileFault::noPermission ? denied
                                                                         : commonReason(outcome, kind, kMaxProjectFileBytes);
    return opening + ("“" + shownText(path) + "”：") + reason;
}

}  // namespace

std::string readFailure(const std::string& path, const platform::FileOutcome& outcome)
{
    return failureText("无法读取文件", path, "文件不存在。", "没有读取此文件的权限。", outcome);
}

std::string readReason(const platform::FileOutcome& outcome, const char* kind, std::size_t maxBytes)
{
    switch (outcome.fault) {
    case FileFault::notFound: return "文件不存在。";
    case FileFault::noPermission: return "没有读取此文件的权限。";
    default: return commonReason(outcome, kind, maxBytes);
    }
}

std::string outputFailure(const platform::FileOutcome& outcome)
{
    return "无法写出结果：" + commonReason(outcome, "项目文件", kMaxProjectFileBytes);
}

std::string saveFailure(const std::string& path, const platform::FileOutcome& outcome, const char* kind)
{
    return failureText("无法保存到", path, "目标文件夹不存在。", "没有在目标文件夹中写入的权限。", outcome, kind);
}

namespace {

// Length of the UTF-8 sequence at the start of text and its code point;
// 0 when it is malformed.
size_t utf8Character(std::string_view text, char32_t& codePoint)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                    : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0 || length > text.size())
        return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (next & 0x3F);
    }
    const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
    const bool invalid = codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000);
    return overlong || invalid ? 0 : length;
}

}  // namespace

bool isValidUtf8(std::string_view text)
{
    char32_t c;
    for (size_t i = 0, length; i < text.size(); i += length) {
        length = utf8Character(text.substr(i), c);
        if (length == 0)
            return false;
    }
    return true;
}

namespace {

bool isPrintable(char32_t c) { return c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && c != 0xFFFD; }

// The token as UTF-8 text: as it is when it is UTF-8, else decoded from GBK.
std::string asUtf8(std::string_view token)
{
    return isValidUtf8(token) ? std::string(token) : gbkToUtf8(token).value_or(std::string(token));
}

}  // namespace

std::string quotedToken(std::string_view token)
{
    constexpr int kShownCharacters = 20;
    const std::string text = asUtf8(token);
    size_t shown = 0;
    int characters = 0;
    char32_t c;
    for (size_t length; shown < text.size() && characters < kShownCharacters; shown += length, ++characters) {
        length = utf8Character(std::string_view(text).substr(shown), c);
        if (length == 0 || !isPrintable(c))
            break;
    }
    if (shown == 0)
        return "（无法识别的字符）";
    return "“" + text.substr(0, shown) + (shown < text.size() ? "…" : "") + "”";
}

namespace {

// Marks that reorder the text shown after them (U+061C, U+200E, U+200F,
// U+202A to U+202E, U+2066 to U+2069).
bool isBidirectionalMark(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string hex(unsigned value, int digits)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
    return text;
}

}  // namespace

std::string shownText(std::string_view text, std::size_t maxCharacters)
{
    const std::string utf8 = isValidUtf8(text) ? std::string(text) : gbkToUtf8(text).value_or(std::string(text));
    const std::string_view rest(utf8);
    std::string shown;
    std::size_t characters = 0;
    std::size_t total = 0;
    char32_t c = 0;
    for (size_t i = 0, length; i < rest.size(); i += length, ++total) {
        length = utf8Character(rest.substr(i), c);
        if (characters == maxCharacters) {
            if (length == 0)
                length = 1;
            continue;
        }
        ++characters;
        if (length == 0) {
            shown += "\\x" + hex(static_cast<unsigned char>(rest[i]), 2);
            length = 1;
        } else if (c < 0x80 && !isPrintable(c)) {
            shown += "\\x" + hex(c, 2);
        } else if (!isPrintable(c) || isBidirectionalMark(c)) {
            shown += "\\u" + hex(c, 4);
        } else {
            shown.append(rest.substr(i, length));
        }
    }
    if (total > characters)
        shown += "…（共" + std::to_string(total) + "个字符）";
    return shown;
}

std::string shownMessage(std::string_view message) { return shownText(message, kShownMessageCharacters); }

std::string shownReasons(const std::vector<std::string>& reasons)
{
    std::string text;
    for (std::size_t i = 0; i < reasons.size() && i < kShownReasons; ++i)
        text += (i == 0 ? "" : "\n") + shownText(reasons[i], kShownReasonCharacters);
    if (reasons.size() > kShownReasons)
        text += "\n……共" + std::to_string(reasons.size()) + "处有误，以上是前" + std::to_string(kShownReasons) + "处。";
    return text;
}
