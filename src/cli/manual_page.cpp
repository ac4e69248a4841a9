// Writes the manual page of orvane-cli at build time: the frame with the
// version and, in place of its marker lines, the synopsis and the options of
// the command table.
//   orvane-cli-manual FRAME OUT VERSION
#include "cli/command_table.h"
#include "model/platform.h"

#include <iostream>
#include <string>

namespace {

void replace(std::string& text, const std::string& marker, const std::string& by)
{
    for (std::size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + by.size()))
        text.replace(at, marker.size(), by);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: orvane-cli-manual FRAME OUT VERSION\n";
        return 2;
    }
    std::string page;
    if (!platform::readRegularFile(argv[1], 1 << 20, page).ok()) {
        std::cerr << argv[1] << ": cannot be read\n";
        return 1;
    }
    replace(page, "@PROJECT_VERSION@", argv[3]);
    replace(page, ".\\\" SYNOPSIS OF THE COMMAND TABLE\n", manualSynopsis());
    replace(page, ".\\\" OPTIONS OF THE COMMAND TABLE\n", manualOptions());
    if (!platform::replaceFile(argv[2], page).ok()) {
        std::cerr << argv[2] << ": cannot be written\n";
        return 1;
    }
    return 0;
}
