#include "cli/profile_command.h"

#include "cli/exit_codes.h"
#include "model/project_data.h"
#include "model/soil_profile.h"

#include <iostream>

namespace {

int refused(const std::string& file, const std::string& reason)
{
    std::cerr << file << ": " << reason << "\n";
    return kExitUnreadable;
}

int saveSplitAs(const std::string& profileFile, const std::string& target, const std::string& file,
                const std::tm& now)
{
    const ProfileRead read = loadProfileCsv(profileFile);
    if (!read.error.empty())
        return refused(profileFile, read.error);
    ProjectData p{};
    if (const FileStatus loaded = p.loadProject(file); !loaded.ok)
        return refused(file, loaded.reason);
    if (const std::string refusal = applyProfile(read.profile, p); !refusal.empty())
        return refused(profileFile, refusal);
    p.deriveEquivalentDiameter();
    if (const FileStatus saved = p.saveProject(target, now); !saved.ok)
        return refused(target, saved.reason);
    return kExitDone;
}

}  // namespace

int runProfileCommand(const std::vector<std::string>& args, const std::tm& now)
{
    if (args.size() == 5 && args[0] == "--profile" && args[2] == "--save-as")
        return saveSplitAs(args[1], args[3], args[4], now);
    return kExitWrongUsage;
}
