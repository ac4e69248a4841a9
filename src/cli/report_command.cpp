#include "cli/report_command.h"

#include "cli/command_args.h"
#include "cli/pdf_report.h"
#include "model/platform.h"

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
    input.project.deriveEquivalentDiameter();
    if (command.surcharge || command.allowableSettlement || command.allowablePostConstruction)
        input.demands = DesignDemands{command.surcharge.value_or(0), command.allowableSettlement,
                                      command.allowablePostConstruction};
    input.sliceAppendix = command.reportSlices;
    return writePdfReport(command.report, input);
}
