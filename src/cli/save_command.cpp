#include "cli/save_command.h"

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

}  // namespace

int runSaveAs(const CommandLine& command, const std::tm& now)
{
    const std::string& file = command.files.front();
    ProfileRead read;
    if (!command.profile.empty()) {
        read = loadProfileCsv(command.profile);
        if (!read.error.empty())
            return refused(command.profile, read.error);
    }
    ProjectData p{};
    if (const FileStatus loaded = p.loadProject(file); !loaded.ok)
        return refused(file, loaded.reason);
    if (!command.profile.empty())
        if (const std::string refusal = applyProfile(read.profile, p); !refusal.empty())
            return refused(command.profile, refusal);
    if (const std::string fault = applySettings(command.settings, p.extension); !fault.empty())
        return wrongUsage(fault);
    p.deriveEquivalentDiameter();
    if (const FileStatus saved = p.saveProject(command.saveAs, now); !saved.ok)
        return refused(command.saveAs, saved.reason);
    return kExitDone;
}
