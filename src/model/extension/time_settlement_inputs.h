// The inputs of the settlement against time, of its post-construction
// allowance and of the bearing check under the pile tips, as the extension
// block holds them (see the input catalogue, input_catalogue.h):
//   ms                        settlement coefficient (default 1)
//   cv.head, cv.shaft, cv.base  cv of the soil per layer (1e-3 cm2/s)
//   bottomDrained             0 or 1: the stop depth drains (default 0)
//   fill                      day:height pairs from day 0 (default 0:h)
//   pavementDay               day the pavement is complete (default: the
//                             last fill day)
//   designPeriod              years after it (default 15)
//   fak.base                  fak (kPa) per base layer, for the bearing check
//   etaD                      depth factor of fak (default 1)
//   roadClass, location       the allowance table's row and column
//   allowablePostConstruction [s] after construction (mm), over the table's
#pragma once

#include "model/extension/extension_values.h"
#include "model/project_data.h"

#include <optional>
#include <string>
#include <vector>

// A point of the fill history: the fill's height from that day on, linear
// up to the next point.
struct FillPoint {
    double day = 0;
    double height = 0;  // m
};

struct TimeSettlementInputs {
    double ms = 1.0;
    std::vector<double> cvHead, cvShaft, cvBase;  // 1e-3 cm2/s
    bool bottomDrained = false;
    std::vector<FillPoint> fill;
    double pavementDay = 0;
    double designPeriod = 15;  // years
    std::vector<double> fakBase;  // kPa
    double etaD = 1.0;
    std::string roadClass;
    std::string location;
    std::optional<double> allowablePostConstruction;  // mm, typed or from the table

    // Without cv values nothing of the settlement against time is computed.
    bool hasConsolidation() const { return !cvHead.empty() || !cvShaft.empty() || !cvBase.empty(); }
    bool hasBearingCheck() const { return !fakBase.empty(); }
};

// The inputs of the record's extension block, checked against its layers;
// the refusal (in Chinese, naming the key), or an empty text.
std::string readTimeSettlementInputs(const ExtensionSource& source, TimeSettlementInputs& inputs);

// The allowable post-construction settlement (mm) of the road class and
// location codes; empty for codes the table does not hold.
std::optional<double> allowanceOf(const std::string& roadClass, const std::string& location);

// The allowance table's road classes and locations: the code the extension
// block holds and the Chinese name the reports show.
struct AllowanceCode {
    const char* code;
    const char* name;
};
inline constexpr AllowanceCode kRoadClassCodes[] = {{"highway", "高速公路、一级公路"}, {"second", "二级公路"}};
inline constexpr AllowanceCode kLocationCodes[] = {
    {"abutment", "桥台与路堤相邻处"}, {"culvert", "涵洞、通道处"}, {"general", "一般路段"}};
// The Chinese name of a road class or location code; any other text as it is.
std::string allowanceCodeName(const std::string& code);
// The code of a road class or location named in Chinese; any other text as it is.
std::string allowanceCodeOf(const std::string& name);
