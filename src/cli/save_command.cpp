#include "cli/save_command.h"

#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/extension_settings.h"
#include "model/project_data.h"
#include "model/soil_profile.h"

int runSaveAs(const CommandLine& command, const std::tm& now)
{
    const std::string& file = command.files.front();
    ProfileRead read;
    if (!command.profile.empty()) {
        read = loadProfileCsv(command.profile);
        if (!read.error.empty())
            return refusedFile(command.profile, read.error);
    }
    ProjectData p{};
    if (const FileStatus loaded = p.loadProject(file); !loaded.ok)
        return refusedFile(file, loaded.reason);
    if (!command.profile.empty())
        if (const std::string refusal = applyProfile(read.profile, p); !refusal.empty())
            return refusedFile(command.profile, refusal);
    if (const std::string fault = applySettings(command.settings, p.extension); !fault.empty())
        return wrongUsage(fault);
    if (const std::string fault = settingValueFault(command.settings, p); !fault.empty())
        return wrongUsage(fault);
    p.deriveEquivalentDiameter();
    if (const FileStatus saved = p.saveProject(command.saveAs, now); !saved.ok)
        return refusedFile(command.saveAs, saved.reason);
    return kExitDone;
}
