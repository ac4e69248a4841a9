// The extension block in the text of a project file. After the results
// block, and only when the extension holds a value, the writer appends an
// empty line, the line "[Orvane扩展]", the line "version=1" and one line
// "key=value" per key. Readers of the original format stop at its last value
// row and never see the block. Numbers in values are written as
// formatFileNumber writes them (model/file_numbers.h).
#pragma once

#include "model/extension/project_extension.h"
#include "model/project_data.h"

#include <cstddef>
#include <string>
#include <string_view>

// The block as UTF-8 text with LF line ends; empty for an empty extension.
std::string extensionBlockText(const ProjectExtension& extension);

// Reads the block of a file's bytes, looking for its first line from offset
// `from` on (the end of the last value row); an empty extension when there is
// none. Blank lines and lines starting with "#" are skipped. The block is
// GBK, or UTF-8 when its first line is, as in a file converted to UTF-8 as a
// whole. All or nothing: on failure the reason names the line's number in
// the file and extension is unchanged.
FileStatus readExtensionBlock(std::string_view bytes, std::size_t from, ProjectExtension& extension);
