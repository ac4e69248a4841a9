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
// "无法保存到“path”：reason" for a target that could not be replaced.
std::string saveFailure(const std::string& path, const platform::FileOutcome& outcome);

// A token of a refused file in quotes, as far as it is printable UTF-8 or GBK
// text and at most 20 characters ("…" marks a cut); a description instead
// when not even its first character is printable.
std::string quotedToken(std::string_view token);
