// What the calculator's commands share: an option looked for, the help and
// a wrong usage, each with the command's own usage text, and a refused file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

bool hasArgument(const std::vector<std::string>& args, std::string_view argument);

// True when the option at args[i] has no value after it: it is the last
// argument, or the next is itself an option ("--..."). Every command refuses
// that as wrong usage.
bool valueMissing(const std::vector<std::string>& args, std::size_t i);

// The text on standard output: the exit code of done, or of a file that
// cannot be written when standard output refuses it (the reason on
// standard error).
int printText(std::string_view text);

// "where: reason" on standard error, both shown as messages show a user's
// values (escaped, a long one cut with its length).
void printFault(std::string_view where, std::string_view reason);

// printFault of the file and its reason; the exit code of a file that
// cannot be read or written.
int refusedFile(const std::string& file, const std::string& reason);

// The reason, then the usage, on standard error; the exit code of wrong usage.
int usageError(const std::string& reason, std::string_view usage);
