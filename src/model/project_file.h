// The project file's bytes from a record and the results it reports; the
// results are computed by the calculations, which the file format does not
// know (ProjectData::projectFileBytes and saveProject bring both together).
#pragma once

#include "model/project_data.h"

#include <ctime>
#include <string>
#include <string_view>

// The values of the results block, as computed when the project is saved.
struct SavedResults {
    double pileCapacity;       // kN
    double compositeCapacity;  // kPa
    double settlement;         // mm, under the record's stopCriterion
};

// The GBK bytes of the project file of the whole record with these results
// and the given local save time.
std::string projectFileText(const ProjectData& p, const SavedResults& results, const std::tm& saveTime);

// Writes the bytes to path atomically (see ProjectData::saveProject).
FileStatus writeProjectFile(const std::string& path, std::string_view bytes);
