// Design exploration: one or two input fields of the record varied over a
// range, every point computed as the forms compute it and checked against
// the design demands.
//
// A range FROM:TO:STEP holds FROM + i STEP for i = 0..n, its count computed
// once (never by accumulating steps), TO included when the last step
// reaches it within STEP/1e9 (and then taken as TO exactly).
#pragma once

#include "engine/design_check.h"
#include "model/extension/extension_values.h"
#include "model/extension/input_catalogue.h"
#include "model/project_data.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// An input a sweep can vary: a field of the record, named as the record
// names its member (spacingSquare, headDiameter, ...), or a value of the
// extension block (pavementDay; the stability's pileShear, treatedMargin,
// c.fill and phi.fill; a layer strength such as c.shaft sets every layer of
// its zone to the value, and cv every layer's cv.head, cv.shaft and cv.base),
// as the input catalogue describes it.
using SweepField = InputEntry;

// Every sweepable field of the record, in the order of the forms; the
// extension values are found by name only.
std::span<const SweepField> sweepFields();

struct SweepFieldLookup {
    const SweepField* field = nullptr;
    std::string refusal;  // why the name cannot be swept, when field is null
};
// The field of that name. H and L are refused unless the sweep rewrites the
// layer tables at each point (layerTablesFollowLengths).
SweepFieldLookup findSweepField(std::string_view name, bool layerTablesFollowLengths = false);

struct SweepRange {
    double from = 0;
    double to = 0;
    double step = 0;
};
inline constexpr std::size_t kMaxSweepPoints = 1'000'000;
enum class RangeFault { None, NotFinite, StepNotPositive, Backwards, TooManyPoints };
// Why the range cannot be swept.
RangeFault rangeFault(const SweepRange& range);
// The fault in English words, for the command line; empty for None.
std::string rangeFaultText(RangeFault fault);
// Number of points; the range must have no fault.
std::size_t pointCount(const SweepRange& range);
double pointValue(const SweepRange& range, std::size_t index);

struct SweepAxis {
    const SweepField* field;
    SweepRange range;
};

struct SweepPoint {
    std::vector<double> values;  // one per axis
    std::string fault;           // the forms' reason for refusing the point, or the sweep's own
                                 // for a swept value below 0; empty when valid
    DesignResults results;       // NaN throughout when refused before computing
    DesignChecks checks;
    bool valid() const { return fault.empty(); }
    bool passes() const { return valid() && checks.passes(); }
};

class Sweep {
public:
    // Called on each point's record after its values are set, before de is
    // derived and the point checked: may rewrite the layer tables to follow
    // a changed H or L. Returns a refusal, or an empty text.
    using PreparePoint = std::function<std::string(ProjectData&)>;

    // One axis, or two for a grid (the first varies slowest). The axes'
    // ranges must have no fault. Every point reads the given values (a road
    // section's own) in the place of the block's, and a swept one in the
    // place of those.
    Sweep(const ProjectData& base, std::vector<SweepAxis> axes, DesignDemands demands,
          PreparePoint prepare = {}, std::vector<TypedValue> given = {});

    const std::vector<SweepAxis>& axes() const { return axes_; }
    const DesignDemands& demands() const { return demands_; }
    std::size_t size() const { return size_; }
    // Point `index` in grid order; independent of every other point, so
    // points may be computed in any order and on any thread.
    SweepPoint point(std::size_t index) const;
    // The record of point `index` as the forms would hold it: the record's
    // fields set, layer tables prepared, de derived. The swept extension
    // values are not written in its block: extensionInputs reads them.
    ProjectData record(std::size_t index, std::string* prepareFault = nullptr) const;
    // The extension inputs of point `index` from its record: the block's
    // values, the given and the swept ones typed in the place of the block's.
    ExtensionInputs extensionInputs(const ProjectData& record, std::size_t index) const;

private:
    // The value of an axis at point `index`.
    double axisValue(std::size_t axis, std::size_t index) const;

    ProjectData base_;
    std::vector<SweepAxis> axes_;
    DesignDemands demands_;
    PreparePoint prepare_;
    std::vector<TypedValue> given_;
    std::size_t size_;
};

// TooManyPoints over all axes together, or None.
RangeFault gridFault(std::span<const SweepAxis> axes);

// The work a sweep asks for, counted in settlement slices: a point costs the
// slices of its three settlement calculations (about 50 ns each), and an
// absurdly thick layer costs up to a million of them a calculation, so a
// sweep of many such points would run for days. A point checked after
// construction also costs its consolidation, cells times steps (a long fill
// history has many), and a point with strengths its stability's slip
// circles, each counted as the slices of the same time.
inline constexpr double kMaxSweepSlices = 1e9;
struct SweepWork {
    std::size_t points = 0;
    long slicesPerPoint = 0;  // of the costliest corner of the grid
    double total() const { return static_cast<double>(points) * static_cast<double>(slicesPerPoint); }
    bool tooMuch() const { return total() > kMaxSweepSlices; }
};
// Measured on the corner points (the first and last value of each axis),
// where the lengths and depths that decide the slices are largest.
SweepWork sweepWork(const Sweep& sweep);
// The consolidation of a point as the design check computes it, in slices;
// 0 when the point computes none.
double consolidationSlices(const ProjectData& p, const ExtensionInputs& inputs, const DesignDemands& demands);
// The stability of a point (de derived) as the design check computes it,
// its circles counted as the slices of the same time; 0 when the point
// computes none.
double stabilitySlices(const ProjectData& p, const ExtensionInputs& inputs, const DesignDemands& demands);

// An output of a point that --best can maximise or minimise: a swept field's
// value or one of the computed results (equivalentDiameter, pileCapacity,
// compositeCapacity, manualCompositeCapacity, deformationRatio,
// stressRatio02, stressRatio01, stabilityFactor).
using PointMeasure = std::function<double(const SweepPoint&)>;
std::optional<PointMeasure> findPointMeasure(std::string_view name,
                                             std::span<const SweepAxis> axes);

// Keeps the passing point with the largest (or smallest) measure seen. On a
// tie the point offered first stays: offered in sweep order, that is the
// first point of the range, or of a grid with its first field varying
// slowest, that reaches the extreme. A measure that is not a number never wins.
class BestPoint {
public:
    BestPoint(PointMeasure measure, bool largest) : measure_(std::move(measure)), largest_(largest) {}
    // `index` is the caller's own number for the point, given back by index().
    void offer(const SweepPoint& point, std::size_t index);
    const std::optional<SweepPoint>& best() const { return best_; }
    std::optional<std::size_t> index() const { return index_; }

private:
    PointMeasure measure_;
    bool largest_;
    std::optional<SweepPoint> best_;
    std::optional<std::size_t> index_;
    double bestValue_ = 0;
};
