// Chinese sentences that tell the user why a project file was not loaded or
// saved; the system's own text only for faults without a sentence of ours.
#pragma once

#include "model/platform.h"

#include <string>
#include <string_view>
#include <vector>

// Largest project file read (bytes); a real one is about 2 KB.
inline constexpr std::size_t kMaxProjectFileBytes = 1 << 20;
// Characters of a path, and of a whole message, that a message shows.
inline constexpr std::size_t kShownPathCharacters = 260;
inline constexpr std::size_t kShownMessageCharacters = 2000;

// "无法读取文件“path”：reason" for a file that could not be read.
std::string readFailure(const std::string& path, const platform::FileOutcome& outcome);
// The reason alone of a file that could not be read, for a file of `kind`
// (such as "土层剖面文件") bounded at maxBytes.
std::string readReason(const platform::FileOutcome& outcome, const char* kind, std::size_t maxBytes);
// "无法写出结果：reason" for standard output that could not be written.
std::string outputFailure(const platform::FileOutcome& outcome);
// "无法保存到“path”：reason" for a target that could not be replaced.
std::string saveFailure(const std::string& path, const platform::FileOutcome& outcome, const char* kind = "项目文件");

// A token of a refused file in quotes, as far as it is printable UTF-8 or GBK
// text and at most 20 characters ("…" marks a cut); a description instead
// when not even its first character is printable.
std::string quotedToken(std::string_view token);

// A value of the user's (a path, a key, a cell) as a message shows it: UTF-8
// or GBK text with control characters, bidirectional marks and bytes that
// are no text escaped (\x1B, \u202E), cut after maxCharacters with its
// length ("…（共N个字符）"), so that no message rewrites the terminal or
// outgrows the screen.
std::string shownText(std::string_view text, std::size_t maxCharacters = kShownPathCharacters);
// A whole message escaped the same way and cut after kShownMessageCharacters.
std::string shownMessage(std::string_view message);
// Reasons for one message box: the first kShownReasons, each shown as a
// message and cut after kShownReasonCharacters, one a line, then how many
// there are in all when some are left out.
inline constexpr std::size_t kShownReasons = 10;
inline constexpr std::size_t kShownReasonCharacters = 120;
std::string shownReasons(const std::vector<std::string>& reasons);

// True when the text is well-formed UTF-8: no overlong forms, surrogates or
// code points beyond U+10FFFF.
bool isValidUtf8(std::string_view text);
