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
// Runs the command-line calculator with the arguments (UTF-8, as a shell
// reads them): its exit status, standard output and standard error.
struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};
CliRun runCli(const std::string& arguments);
// The path of a file of examples/.
std::string example(const std::string& name);

// The GBK bytes of a project file as UTF-8 text.
std::string gbkToUtf8(const std::string& gbk);
