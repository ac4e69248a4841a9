#include "model/platform.h"

// The window managers of other systems keep their window menus to themselves.
namespace platform {

bool appendSystemMenuItem(std::uintptr_t, unsigned, const std::string&)
{
    return false;
}

unsigned chosenSystemMenuCommand(const void*)
{
    return 0;
}

}  // namespace platform
