#include "cli/command_args.h"

#include "cli/exit_codes.h"

#include <algorithm>
#include <iostream>

bool hasArgument(const std::vector<std::string>& args, std::string_view argument)
{
    return std::find(args.begin(), args.end(), argument) != args.end();
}

bool printHelpIfAsked(const std::vector<std::string>& args, std::string_view usage)
{
    if (!hasArgument(args, "--help") && !hasArgument(args, "-h"))
        return false;
    std::cout << usage;
    return true;
}

int refusedFile(const std::string& file, const std::string& reason)
{
    std::cerr << file << ": " << reason << "\n";
    return kExitUnreadable;
}

int usageError(const std::string& reason, std::string_view usage)
{
    std::cerr << "orvane-cli: " << reason << "\n" << usage;
    return kExitWrongUsage;
}
