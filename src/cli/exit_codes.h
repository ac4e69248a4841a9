// The calculator's exit codes, the same for every command.
#pragma once

inline constexpr int kExitDone = 0;         // every file read and every result written
inline constexpr int kExitUnreadable = 1;   // a file could not be read, split or written
inline constexpr int kExitWrongUsage = 2;   // the command line itself is wrong
