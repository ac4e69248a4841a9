// Text and error conversions shared by the files of the Windows system layer.
#pragma once

#include "model/platform.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// UTF-16 of text in a code page; nothing when it holds a byte sequence that
// is not valid there (with flags 0, such bytes become replacement characters).
std::optional<std::wstring> toWide(UINT codePage, std::string_view text, DWORD flags = MB_ERR_INVALID_CHARS);
// Text in a code page of UTF-16; nothing when a character has no exact
// counterpart there (no look-alike is put in its place).
std::optional<std::string> fromWide(UINT codePage, std::wstring_view text);
// The outcome of the system call that failed last on this thread.
FileOutcome lastError();

}  // namespace platform
