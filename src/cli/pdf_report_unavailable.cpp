#include "cli/pdf_report.h"

#include <iostream>

namespace {

int unavailable()
{
    std::cerr << "orvane-cli: --report is not available in this build (it needs the desktop program's Qt libraries)\n";
    return 2;
}

}  // namespace

// Built without Qt: the report needs the desktop program's libraries.
int writePdfReport(const std::string&, const PdfReportInput&)
{
    return unavailable();
}

int writeRoadPdfReport(const std::string&, const RoadReportInput&)
{
    return unavailable();
}
