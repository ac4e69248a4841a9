#include "cli/time_settlement_command.h"

#include "cli/command_args.h"
#include "cli/exit_codes.h"
#include "cli/time_settlement_output.h"
#include "model/file_reasons.h"
#include "model/input_faults.h"
#include "model/platform.h"

int runTimeSettlement(const CommandLine& command)
{
    const std::string& file = command.files.front();
    if (platform::isSameFile(command.timeSettlement, file))
        return refusedFile(command.timeSettlement, "沉降过程不能写到工程文件本身，否则工程文件将被覆盖；请另选文件名。");
    ProjectData p{};
    if (const FileStatus loaded = p.loadProject(file); !loaded.ok)
        return refusedFile(file, loaded.reason);
    if (const std::string fault = applySettings(command.settings, p.extension); !fault.empty())
        return wrongUsage(fault);
    // The extension values are read once and refused for every output.
    const ExtensionInputs inputs = readExtensionInputs(p);
    if (!inputs.refusal().empty())
        return refusedFile(file, inputs.refusal());
    p.deriveEquivalentDiameter();
    const TimeSettlementOutputs outputs = timeSettlementOutputs(p, inputs);
    if (!outputs.refusal.empty())
        return refusedFile(file, outputs.refusal);
    if (!outputs.inputs.hasConsolidation())
        return refusedFile(file, "未给出固结系数cv（cv.head、cv.shaft、cv.base），无法计算沉降过程。");
    if (!outputs.consolidation)
        return refusedFile(file, input_faults::kParametersWrong);
    const platform::FileOutcome written =
        platform::replaceFile(command.timeSettlement, timeSettlementCsv(*outputs.consolidation));
    if (!written.ok())
        return refusedFile(command.timeSettlement, saveFailure(command.timeSettlement, written, "CSV文件"));
    return kExitDone;
}
