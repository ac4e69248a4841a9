// A sweep as a table of text: the swept fields' values first, then
// equivalentDiameter, pileCapacity, compositeCapacity,
// manualCompositeCapacity, deformationRatio, stressRatio02, stressRatio01,
// bearingOk, settlementOk. Numbers are shortest round-trip decimals, empty
// when not a number; a check is true or false, empty when not made.
#pragma once

#include "engine/sweep.h"

#include <span>
#include <string>

std::string shortestDecimal(double value);
std::string sweepCsvHeader(std::span<const SweepAxis> axes, char separator);
std::string sweepCsvRow(const SweepPoint& point, char separator);
// The columns a sweep with the demands after construction adds at the end:
// postConstruction (mm), postConstructionOk, underlyingOk, each after a
// separator.
std::string afterConstructionCsvHeader(char separator);
std::string afterConstructionCsvRow(const SweepPoint& point, char separator);
// The columns every sweep and section table ends with: failedChecks and
// uncheckedChecks, the keys of the checks that fail and of those that could
// not be made (checkKey), separated by blanks; each after a separator, empty
// for a refused point.
std::string verdictCsvHeader(char separator);
std::string verdictCsvRow(const SweepPoint& point, char separator);
// The column a sweep or section table adds when its project asks for the
// stability: stabilityFactor, the least factor of safety, after a
// separator; empty where it was not computed.
std::string stabilityCsvHeader(char separator);
std::string stabilityCsvRow(const SweepPoint& point, char separator);
