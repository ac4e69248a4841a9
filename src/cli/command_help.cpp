// The usage texts and the manual page, both written from the command table.
#include "cli/command_table.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kWidth = 80;
constexpr std::size_t kHelpColumn = 26;
constexpr std::size_t kSynopsisIndent = 18;

// Columns a UTF-8 text takes: one per character.
std::size_t columns(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// The paragraph's words in lines of at most kWidth columns, the first
// starting at column `column`, the next ones indented to `indent`.
std::string wrapped(std::string_view paragraph, std::size_t column, std::size_t indent)
{
    std::string text;
    bool lineStart = true;
    while (!paragraph.empty()) {
        const std::size_t end = paragraph.find(' ');
        const std::string_view word = paragraph.substr(0, end);
        paragraph.remove_prefix(end == std::string_view::npos ? paragraph.size() : end + 1);
        if (word.empty())
            continue;
        if (!lineStart && column + 1 + columns(word) > kWidth) {
            text += "\n" + std::string(indent, ' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            text += ' ';
            ++column;
        }
        text += word;
        column += columns(word);
        lineStart = false;
    }
    return text + "\n";
}

std::string label(const OptionEntry& entry)
{
    std::string text = entry.shortName.empty() ? entry.name : entry.shortName + ", " + entry.name;
    return entry.value.empty() ? text : text + " " + entry.value;
}

std::string entryLines(const OptionEntry& entry)
{
    std::string text = "  " + label(entry);
    const std::size_t width = columns(text);
    text += width + 2 <= kHelpColumn ? std::string(kHelpColumn - width, ' ') : "  ";
    return text + wrapped(entry.help, std::max(width + 2, kHelpColumn), kHelpColumn);
}

std::string synopsisLines(const CommandEntry& command, bool& first)
{
    std::string text;
    for (const std::string& line : command.synopsis) {
        text += first ? "Usage: orvane-cli " : "       orvane-cli ";
        first = false;
        for (const char c : line)
            text += c == '\n' ? "\n" + std::string(kSynopsisIndent, ' ') : std::string(1, c);
        text += "\n";
    }
    return text;
}

// Text as roff shows it literally: backslashes and hyphens escaped, a line
// that would start with a control character protected.
std::string roff(std::string_view text)
{
    std::string out = text.empty() || (text.front() != '.' && text.front() != '\'') ? "" : "\\&";
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else if (c == '\n')
            out += ' ';
        else
            out += c;
    }
    return out;
}

std::string manualTag(const OptionEntry& entry, bool operand)
{
    if (operand)
        return ".I " + roff(entry.name) + "\n";
    if (!entry.shortName.empty())
        return ".BR \"" + roff(entry.shortName) + "\" \", \" \"" + roff(entry.name) + "\"\n";
    if (entry.value.empty())
        return ".B \"" + roff(entry.name) + "\"\n";
    return ".BI \"" + roff(entry.name) + "\" \" " + roff(entry.value) + "\"\n";
}

}  // namespace

std::string usageText(const CommandEntry& command)
{
    bool first = true;
    std::string text = synopsisLines(command, first);
    if (command.trigger.empty())
        for (const CommandEntry& other : commandTable())
            if (!other.trigger.empty())
                text += synopsisLines(other, first);
    text += "\n" + wrapped(command.description, 0, 0);
    for (const OptionEntry& operand : command.operands)
        text += entryLines(operand);
    for (const OptionEntry& option : command.options)
        text += entryLines(option);
    return text;
}

std::string manualSynopsis()
{
    std::string text = ".nh\n";  // an option's name is never hyphenated
    for (const CommandEntry& command : commandTable())
        for (const std::string& line : command.synopsis)
            text += ".B orvane\\-cli\n" + roff(line) + "\n.br\n";
    return text + ".hy\n";
}

std::string manualOptions()
{
    std::string text;
    for (const CommandEntry& command : commandTable()) {
        text += ".SS \"" + roff(command.title) + "\"\n" + roff(command.description) + "\n";
        for (const OptionEntry& operand : command.operands)
            text += ".TP\n" + manualTag(operand, true) + roff(operand.help) + "\n";
        for (const OptionEntry& option : command.options)
            text += ".TP\n" + manualTag(option, false) + roff(option.help) + "\n";
    }
    return text;
}
