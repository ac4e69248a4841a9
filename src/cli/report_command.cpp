#include "cli/report_command.h"

#include "cli/command_args.h"
#include "cli/pdf_report.h"
#include "model/extension/extension_inputs.h"
#include "model/platform.h"

#include <ctime>

int runReport(const CommandLine& command)
{
    const std::string& file = command.files.front();
    if (platform::isSameFile(command.report, file))
        return refusedFile(command.report, "计算书不能写到工程文件本身，否则工程文件将被覆盖；请另选计算书的文件名。");
    PdfReportInput input;
    input.file = file;
    if (const FileStatus loaded = input.project.loadProject(file, &input.fileBytes); !loaded.ok)
        return refusedFile(file, loaded.reason);
    if (const std::string fault = applySettings(command.settings, input.project.extension); !fault.empty())
        return wrongUsage(fault);
    // A refused value of the extension block refuses the report as it refuses
    // every other output: no report leaves out a check that was asked for.
    if (const ExtensionInputs inputs = readExtensionInputs(input.project); !inputs.refusal().empty())
        return refusedFile(file, inputs.refusal());
    if (!command.settings.empty()) {
        // The report names the project as computed: the file with the values
        // of the command line, in its saved form at a fixed save time, so
        // that the same inputs always give the same checksum.
        std::tm fixed{};
        fixed.tm_year = 100;
        fixed.tm_mday = 1;
        ProjectData asComputed = input.project;
        input.fileBytes = asComputed.projectFileBytes(fixed);
        for (const Setting& setting : command.settings)
            input.settings.push_back(setting.key + "=" + setting.value);
    }
    input.project.deriveEquivalentDiameter();
    input.demands = demandsOf(command);
    input.sliceAppendix = command.reportSlices;
    return writePdfReport(command.report, input);
}
