// Every call of the program into the operating system: reading and replacing
// a project file, the local clock, the console of the command-line
// calculator and the system menu of the desktop program's main window. One source file per system (POSIX, Windows) implements it, and
// with it the GBK conversions of model/gbk.h; nothing else in src/ includes a
// system header.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Why a file could not be read or replaced, in the terms a user meets.
enum class FileFault {
    none,
    notFound,            // the file (when reading) or its folder (when saving) does not exist
    noPermission,        // the user may not read the file or write in its folder
    readOnlyFileSystem,  // the disk or share is mounted read-only
    diskFull,            // no space left, or the user's quota or file size limit reached
    isFolder,
    notRegularFile,      // a pipe, device or socket
    readOnlyFile,        // the target exists but the user may not write it
    tooLarge,            // larger than the caller's bound
    outputClosed,        // standard output is a pipe whose reader has gone
    other,               // see systemText
};

struct FileOutcome {
    FileFault fault = FileFault::none;
    std::string systemText;  // the system's description of the error, for `other`
    std::uint64_t size = 0;  // bytes of a file refused as tooLarge

    bool ok() const { return fault == FileFault::none; }
};

// Reads the whole of a regular file of at most maxBytes into bytes. Pipes,
// devices and folders are refused without blocking and without reading.
FileOutcome readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Replaces the file at path by one holding bytes, atomically: after a crash
// or power loss the path names either the old file or the complete new one.
// A symbolic link at path is followed and the file it points to replaced;
// the replaced file's permissions (and owner and group where the process may
// set them) are kept. A target that is read-only for the user or not a
// regular file is refused. The new file is written unnamed where the file
// system allows, else under a short temporary name in the same folder.
FileOutcome replaceFile(const std::string& path, std::string_view bytes);

// Writes all of bytes to standard output: as characters where it is a
// console, else as they are. A failure (a full disk, a closed pipe) is
// returned, never a signal that ends the program.
FileOutcome writeStandardOutput(std::string_view bytes);

// True when both paths name one existing file, also through symbolic or
// hard links; false when either does not exist or cannot be examined.
bool isSameFile(const std::string& first, const std::string& second);

// The current local date and time.
std::tm localNow();

// The processor time this process has used so far (s), on every thread: a
// measure of work that a busy machine does not stretch as it stretches the
// wall clock.
double processorSeconds();

// Sets up standard output and error of a command-line program for UTF-8
// text and returns its arguments, the program's name first, as UTF-8.
std::vector<std::string> startConsoleProgram(int argc, char** argv);

// Appends a separator and an item with `command` (a multiple of 16 below
// 0xF000) and `text` (UTF-8, "&" before the access key) to the system menu
// of a top-level window (a Windows HWND). False where the window has no
// system menu, as on every system but Windows.
bool appendSystemMenuItem(std::uintptr_t window, unsigned command, const std::string& text);

// The command of a system-menu choice (WM_SYSCOMMAND, its lowest four bits
// cleared) in a native window message; 0 for any other message.
unsigned chosenSystemMenuCommand(const void* message);

}  // namespace platform
