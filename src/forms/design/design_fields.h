// The fields the design window can vary, with the Chinese caption and unit
// each has on the input forms, and the engineer's usual aim for each: the
// widest spacing, but the smallest pile, strength or modulus that passes.
#pragma once

#include "engine/sweep.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace design {

// Sweepable fields in the forms' order: H and L only with a soil profile,
// whose split at each point gives the layer tables.
std::vector<const SweepField*> offeredFields(bool withProfile);
// "正方形桩间距（m）", "扩大头直径D（m）", ...
QString fieldCaption(const SweepField& field);
// The settlement stop criteria in the order of the record's stopCriterion.
const QStringList& criterionCaptions();
// True when a larger value is the more economical design (fewer piles).
bool widerIsCheaper(const SweepField& field);

}  // namespace design
