// Chinese sentences that tell the user why a project file was not loaded or
// saved; the system's own text only for faults without a sentence of ours.
#pragma once

#include "model/platform.h"

#include <string>
#include <string_view>

// Largest project file read (bytes); a real one is about 2 KB.
inline constexpr std::size_t kMaxProjectFileBytes = 1 << 20;

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

// True when the text is well-formed UTF-8: no overlong forms, surrogates or
// code points beyond U+10FFFF.
bool isValidUtf8(std::string_view text);
