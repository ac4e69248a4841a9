#include "engine/sweep.h"

#include "engine/layered_settlement.h"
#include "engine/stability.h"
#include "engine/time_settlement.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kRangeTolerance = 1e-9;  // of a step, for reaching TO

// An extension value is typed, read in the place of the block's text (a
// list as every layer's value, however many layers the point's record has).
void addTyped(std::vector<TypedValue>& typed, const SweepField& field, double value)
{
    if (field.zone != InputZone::Every) {
        typed.push_back({field.name, value});
        return;
    }
    for (const InputZone zone : {InputZone::Head, InputZone::Shaft, InputZone::Base})
        typed.push_back({std::string(field.name) + "." + zoneKeySuffix(zone), value});
}

// The raw count of steps from FROM to TO, before any rounding.
double stepsToEnd(const SweepRange& r) { return (r.to - r.from) / r.step; }

std::size_t lastIndex(const SweepRange& r)
{
    return static_cast<std::size_t>(std::floor(stepsToEnd(r) + kRangeTolerance));
}

DesignResults notComputed()
{
    const double nan = layered_settlement::kNotANumber;
    return {nan, nan, nan, nan, nan, nan, nan};
}

// Every sweepable field but a signed one is a length, strength, load,
// factor, slope or modulus: none has a meaning below 0, though the forms
// take what is typed.
std::string negativeValueFault(const std::vector<SweepAxis>& axes, const std::vector<double>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] < 0 && !axes[i].field->signedValue)
            return "扫描的参数值不应小于0！";
    return {};
}

// Counts the slices of a settlement calculation.
struct SliceCounter : layered_settlement::NoObserver {
    long slices = 0;
    void slice(layered_settlement::Zone, int, double, double, double, double, double, double) { ++slices; }
};

long settlementSlices(const ProjectData& p)
{
    const auto stress = [&p](double z) { return p.embankmentStressFactor(z); };
    SliceCounter counter;
    layered_settlement::byDeformationRatio(p, stress, counter);
    layered_settlement::byStressRatio(p, 0.2, stress, counter);
    layered_settlement::byStressRatio(p, 0.1, stress, counter);
    return counter.slices;
}

}  // namespace

std::span<const SweepField> sweepFields() { return recordInputs(); }

SweepFieldLookup findSweepField(std::string_view name, bool layerTablesFollowLengths)
{
    const SweepField* field = findInput(name);
    if (!field || !field->sweepable)
        return {nullptr, "unknown field " + std::string(name)};
    if (field->cutsLayerTables && !layerTablesFollowLengths)
        return {nullptr, std::string(name)
                             + " cannot be swept: the zones' layer tables are cut at H and L, "
                               "so changing it would leave the layers that no longer fit"};
    return {field, {}};
}

RangeFault rangeFault(const SweepRange& r)
{
    if (!std::isfinite(r.from) || !std::isfinite(r.to) || !std::isfinite(r.step))
        return RangeFault::NotFinite;
    if (!(r.step > 0))
        return RangeFault::StepNotPositive;
    if (r.from > r.to)
        return RangeFault::Backwards;
    if (!(stepsToEnd(r) < 2.0 * kMaxSweepPoints) || pointCount(r) > kMaxSweepPoints)
        return RangeFault::TooManyPoints;
    return RangeFault::None;
}

std::string rangeFaultText(RangeFault fault)
{
    switch (fault) {
    case RangeFault::None: return {};
    case RangeFault::NotFinite: return "FROM, TO and STEP must be finite numbers";
    case RangeFault::StepNotPositive: return "STEP must be greater than 0";
    case RangeFault::Backwards: return "FROM must not be greater than TO";
    case RangeFault::TooManyPoints: return "more than 1000000 points";
    }
    return {};
}

std::size_t pointCount(const SweepRange& r) { return lastIndex(r) + 1; }

double pointValue(const SweepRange& r, std::size_t index)
{
    if (index == lastIndex(r) && std::fabs(r.from + static_cast<double>(index) * r.step - r.to)
                                     <= r.step * kRangeTolerance)
        return r.to;
    return r.from + static_cast<double>(index) * r.step;
}

RangeFault gridFault(std::span<const SweepAxis> axes)
{
    double total = 1;
    for (const SweepAxis& axis : axes)
        total *= static_cast<double>(pointCount(axis.range));
    return total > static_cast<double>(kMaxSweepPoints) ? RangeFault::TooManyPoints : RangeFault::None;
}

Sweep::Sweep(const ProjectData& base, std::vector<SweepAxis> axes, DesignDemands demands,
             PreparePoint prepare, std::vector<TypedValue> given)
    : base_(base), axes_(std::move(axes)), demands_(demands), prepare_(std::move(prepare)), given_(std::move(given)),
      size_(1)
{
    for (const SweepAxis& axis : axes_)
        size_ *= pointCount(axis.range);
}

double consolidationSlices(const ProjectData& p, const ExtensionInputs& inputs, const DesignDemands& demands)
{
    const TimeSettlementInputs& in = inputs.timeSettlement;
    if (!inputs.timeSettlementRefusal.empty() || !in.hasConsolidation()
        || !(demands.allowablePostConstruction || in.allowablePostConstruction))
        return 0;
    const SettlementDetails details = settlementDetails(p, p.stopCriterion);
    if (!(details.total > 0))
        return 0;
    const ConsolidationWork work = timeSettlementWork(p, details, in, {});
    // A curve over the bounds is not computed: the point costs its count.
    if (!consolidationWorkFault(work).empty())
        return 0;
    return work.cellSteps() * kCellStepInSlices;
}

double stabilitySlices(const ProjectData& p, const ExtensionInputs& inputs, const DesignDemands& demands)
{
    StabilitySection section;
    if (!inputs.stabilityRefusal.empty() || !inputs.stability.asked()
        || !stabilitySection(p, inputs.stability, demands.surcharge, section).empty())
        return 0;
    return static_cast<double>(searchCircles(section)) * kCircleInSlices;
}

SweepWork sweepWork(const Sweep& sweep)
{
    SweepWork work;
    work.points = sweep.size();
    const std::vector<SweepAxis>& axes = sweep.axes();
    for (unsigned corner = 0; corner < (1u << axes.size()); ++corner) {
        std::size_t index = 0;
        for (std::size_t a = 0; a < axes.size(); ++a) {
            const std::size_t count = pointCount(axes[a].range);
            index = index * count + ((corner >> a) & 1u ? count - 1 : 0);
        }
        const ProjectData record = sweep.record(index);
        const ExtensionInputs inputs = sweep.extensionInputs(record, index);
        const double slices = static_cast<double>(settlementSlices(record))
                              + consolidationSlices(record, inputs, sweep.demands())
                              + stabilitySlices(record, inputs, sweep.demands());
        work.slicesPerPoint = std::max(work.slicesPerPoint, static_cast<long>(std::ceil(slices)));
    }
    return work;
}

ProjectData Sweep::record(std::size_t index, std::string* prepareFault) const
{
    ProjectData p = base_;
    for (std::size_t a = 0; a < axes_.size(); ++a)
        if (const SweepField& field = *axes_[a].field; field.member)
            p.*(field.member) = axisValue(a, index);
    std::string fault = prepare_ ? prepare_(p) : std::string();
    if (prepareFault)
        *prepareFault = std::move(fault);
    p.deriveEquivalentDiameter();
    return p;
}

double Sweep::axisValue(std::size_t axis, std::size_t index) const
{
    std::size_t stride = size_;
    for (std::size_t a = 0; a <= axis; ++a)
        stride /= pointCount(axes_[a].range);
    const std::size_t count = pointCount(axes_[axis].range);
    return pointValue(axes_[axis].range, index / stride % count);
}

ExtensionInputs Sweep::extensionInputs(const ProjectData& record, std::size_t index) const
{
    std::vector<TypedValue> typed;
    for (std::size_t a = 0; a < axes_.size(); ++a)
        if (!axes_[a].field->member)
            addTyped(typed, *axes_[a].field, axisValue(a, index));
    typed.insert(typed.end(), given_.begin(), given_.end());
    return readExtensionInputs(ExtensionSource(record, typed));
}

SweepPoint Sweep::point(std::size_t index) const
{
    SweepPoint point;
    ProjectData p = record(index, &point.fault);
    for (std::size_t a = 0; a < axes_.size(); ++a)
        point.values.push_back(axes_[a].field->member ? p.*(axes_[a].field->member) : axisValue(a, index));
    if (point.fault.empty())
        point.fault = negativeValueFault(axes_, point.values);
    if (point.fault.empty())
        point.fault = inputFault(p);
    if (!point.fault.empty()) {
        point.results = notComputed();
        return point;
    }
    point.results = computeDesign(p);
    point.fault = resultFault(p, point.results);
    point.checks = checkDesign(p, point.results, demands_, extensionInputs(p, index));
    return point;
}

std::optional<PointMeasure> findPointMeasure(std::string_view name, std::span<const SweepAxis> axes)
{
    for (std::size_t i = 0; i < axes.size(); ++i) {
        if (axes[i].field->name == name)
            return [i](const SweepPoint& p) { return p.values[i]; };
    }
    const std::array<std::pair<std::string_view, double DesignResults::*>, 7> results{{
        {"equivalentDiameter", &DesignResults::equivalentDiameter},
        {"pileCapacity", &DesignResults::pileCapacity},
        {"compositeCapacity", &DesignResults::compositeCapacity},
        {"manualCompositeCapacity", &DesignResults::manualCompositeCapacity},
        {"deformationRatio", &DesignResults::settlementDeformationRatio},
        {"stressRatio02", &DesignResults::settlementStressRatio02},
        {"stressRatio01", &DesignResults::settlementStressRatio01},
    }};
    for (const auto& [resultName, member] : results) {
        if (resultName == name)
            return [field = member](const SweepPoint& p) { return p.results.*field; };
    }
    if (name == "stabilityFactor")
        return [](const SweepPoint& p) { return p.checks.stabilityFactor(); };
    return std::nullopt;
}

void BestPoint::offer(const SweepPoint& point, std::size_t index)
{
    if (!point.passes())
        return;
    const double value = measure_(point);
    if (std::isnan(value))
        return;
    if (!best_ || (largest_ ? value > bestValue_ : value < bestValue_)) {
        best_ = point;
        index_ = index;
        bestValue_ = value;
    }
}
