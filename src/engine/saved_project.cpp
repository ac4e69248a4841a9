// The record's save operations: the results block of a saved project is
// computed here, then handed to the project file's writer, which knows the
// format but no calculation.
#include "model/project_file.h"

std::string ProjectData::projectFileBytes(const std::tm& saveTime)
{
    const double composite = computeCapacity();  // stores pileCapacity
    return projectFileText(*this, {pileCapacity, composite, settlementByCriterion()}, saveTime);
}

FileStatus ProjectData::saveProject(const std::string& path, const std::tm& saveTime)
{
    return writeProjectFile(path, projectFileBytes(saveTime));
}
