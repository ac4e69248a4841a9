// Files for the core tests: scratch folders, raw bytes, GBK decoding.
#pragma once

#include "worked_examples.h"

#include <filesystem>
#include <string>

// A fresh, empty folder for files of one test, inside a folder of the test
// process alone.
std::string scratchFolder(const std::string& name);

// Paths are UTF-8, as the core takes them on every system.
std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);
std::filesystem::path pathOf(const std::string& utf8);

// Places a load or a save may be pointed at, prepared in a folder: each
// returns the path to load or save.
std::string missingFile(const std::string& folder);
std::string missingFolder(const std::string& folder);
std::string folderItself(const std::string& folder);
std::string twoMebibytes(const std::string& folder);

// Runs a command line (UTF-8) through the system's shell: its exit status and
// standard output, with the line ends of text read on the system.
struct CommandRun {
    int exitCode;
    std::string out;
};
CommandRun runCommand(const std::string& command);
// True when this build writes reports and pdftotext can read them.
bool reportsReadable();
// The report's text as pdftotext reads it, without line breaks and blanks,
// so that a sentence wrapped over lines is found whole.
std::string reportText(const std::string& pdf);

// A fill history of `points` steps from day 0 to day `points`, ending at
// the worked example's h of 3 m: the extension value "fill".
std::string fillOf(int points);
// The GBK bytes of a project file as UTF-8 text.
std::string gbkToUtf8(const std::string& gbk);

// The processor time this process has used (s): a bound on a calculation's
// work that other work on the machine does not stretch, as it does the clock
// on the wall.
double processorSeconds();
