// The calculator's results on standard output. A write that fails (a full
// disk, a pipe whose reader has gone) fails the command: the reason goes to
// standard error once, and every later write is refused, so that a command
// stops its work at the next line instead of computing what nobody reads.
#pragma once

#include <string>
#include <string_view>

class ResultOutput {
public:
    // Text of a line, written out in blocks so that a line of any length
    // never has to be held whole; false once the output has failed.
    bool write(std::string_view text);
    // Ends the line and writes out what is pending; false once failed.
    bool endLine();
    bool failed() const { return failed_; }
    // Writes out what is pending; false once failed.
    bool flush();

private:

    std::string pending_;
    bool failed_ = false;
};
