#include "cli/command_args.h"

#include "cli/exit_codes.h"
#include "cli/result_output.h"
#include "model/file_reasons.h"

#include <algorithm>
#include <iostream>

bool hasArgument(const std::vector<std::string>& args, std::string_view argument)
{
    return std::find(args.begin(), args.end(), argument) != args.end();
}

bool valueMissing(const std::vector<std::string>& args, std::size_t i)
{
    return i + 1 == args.size() || args[i + 1].rfind("--", 0) == 0;
}

int printText(std::string_view text)
{
    ResultOutput out;
    return out.write(text) && out.flush() ? kExitDone : kExitUnreadable;
}

void printFault(std::string_view where, std::string_view reason)
{
    std::cerr << shownText(where) << ": " << shownMessage(reason) << "\n";
}

int refusedFile(const std::string& file, const std::string& reason)
{
    printFault(file, reason);
    return kExitUnreadable;
}

int usageError(const std::string& reason, std::string_view usage)
{
    std::cerr << "orvane-cli: " << shownMessage(reason) << "\n" << usage;
    return kExitWrongUsage;
}
