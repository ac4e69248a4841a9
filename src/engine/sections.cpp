#include "engine/sections.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// Calls work(i) for every i below count on as many threads as the machine
// has cores (one when it cannot tell); each index is taken by one thread.
// The first exception a call throws (memory running out) ends the work and
// is thrown again to the caller, as it would be without threads.
template <typename Work>
void forEachInParallel(std::size_t count, const Work& work)
{
    const std::size_t threads = std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto drain = [&] {
        try {
            for (std::size_t i = next++; i < count; i = next++)
                work(i);
        } catch (...) {
            const std::lock_guard lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            next = count;
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(drain);
    drain();
    for (std::thread& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

// Bearing capacity over demand: below 1 fails, the least governs.
double bearingRatio(const SweepPoint& p) { return p.checks.bearingCapacity / p.checks.bearingDemand; }

// The extent of a section along the road: halfway to each neighbour, its
// own station at either end of the table.
double extentStart(const std::vector<Section>& s, std::size_t i)
{
    return i == 0 ? s[i].chainage : (s[i - 1].chainage + s[i].chainage) / 2;
}

double extentEnd(const std::vector<Section>& s, std::size_t i)
{
    return i + 1 == s.size() ? s[i].chainage : (s[i].chainage + s[i + 1].chainage) / 2;
}

std::optional<double> bestValue(const std::optional<SweepPoint>& best)
{
    return best ? std::optional<double>(best->values.front()) : std::nullopt;
}

// Runs of adjacent sections with the same best value, or with none.
std::vector<Stretch> equalRuns(const std::vector<std::optional<SweepPoint>>& best)
{
    std::vector<Stretch> stretches;
    for (std::size_t i = 0; i < best.size(); ++i) {
        if (!stretches.empty() && stretches.back().value == bestValue(best[i]))
            stretches.back().last = i;
        else
            stretches.push_back({i, i, bestValue(best[i]), i});
    }
    return stretches;
}

// Whether value a asks more of the ground's design than b: a design chosen
// as the largest passing value is more demanding when it is smaller.
bool moreDemanding(double a, double b, bool largest) { return largest ? a < b : a > b; }

void mergeInto(Stretch& kept, const Stretch& other, bool largest)
{
    if (moreDemanding(*other.value, *kept.value, largest)) {
        kept.value = other.value;
        kept.decidedBy = other.decidedBy;
    }
    kept.first = std::min(kept.first, other.first);
    kept.last = std::max(kept.last, other.last);
}

double stretchLength(const std::vector<Section>& sections, const Stretch& s)
{
    return extentEnd(sections, s.last) - extentStart(sections, s.first);
}

// What merging changes of the designs: the length whose value changes
// times the change. The more demanding value is taken by the other's length.
double mergeCost(const std::vector<Section>& sections, const Stretch& shortOne, const Stretch& neighbour, bool largest)
{
    if (!neighbour.value)
        return INFINITY;
    const double change = std::fabs(*neighbour.value - *shortOne.value);
    const bool shortDecides = moreDemanding(*shortOne.value, *neighbour.value, largest);
    return change * stretchLength(sections, shortDecides ? neighbour : shortOne);
}

// Merges the shortest mergeable stretch below the length into the
// neighbour where the merge changes the least; false when there is none.
bool mergeShortest(std::vector<Stretch>& st, const std::vector<Section>& sections, double shortestLength,
                   bool largest)
{
    std::optional<std::size_t> shortest;
    double shortestFound = shortestLength;
    for (std::size_t i = 0; i < st.size(); ++i) {
        const bool hasNeighbour = (i > 0 && st[i - 1].value) || (i + 1 < st.size() && st[i + 1].value);
        if (st[i].value && hasNeighbour && stretchLength(sections, st[i]) < shortestFound) {
            shortest = i;
            shortestFound = stretchLength(sections, st[i]);
        }
    }
    if (!shortest)
        return false;
    const std::size_t i = *shortest;
    const double before = i > 0 ? mergeCost(sections, st[i], st[i - 1], largest) : INFINITY;
    const double after = i + 1 < st.size() ? mergeCost(sections, st[i], st[i + 1], largest) : INFINITY;
    const std::size_t neighbour = before <= after ? i - 1 : i + 1;
    mergeInto(st[neighbour], st[i], largest);
    st.erase(st.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
}

// Neighbours that came to share one value after a merge become one.
void joinEqualNeighbours(std::vector<Stretch>& st)
{
    for (std::size_t i = 1; i < st.size();) {
        if (st[i].value && st[i - 1].value == st[i].value) {
            st[i - 1].last = st[i].last;
            st.erase(st.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}

// The extension's lists of one value per layer of a zone.
bool isPerLayerKey(const InputEntry& input)
{
    return input.place == InputPlace::Extension && input.kind == InputKind::LayerList;
}

bool holdsLayerValues(const ProjectData& p)
{
    const std::span<const InputEntry> inputs = inputCatalogue();
    return std::any_of(inputs.begin(), inputs.end(), [&p](const InputEntry& input) {
        return isPerLayerKey(input) && !p.extension.value(input.name).empty();
    });
}

// The section's layers split from its own profile at the record's H and L.
// A profile that supplies values per layer replaces every list of the base
// project, which describes the base project's strata; one that supplies
// none leaves them, and a check reading a list that does not match the
// section's layers is then not made, with that reason.
std::string splitProfile(const ProfileSplitter& splitter, ProjectData& record)
{
    if (!holdsLayerValues(record))
        return splitter.apply(record);
    ProjectData withoutLists = record;
    for (const InputEntry& input : inputCatalogue())
        if (isPerLayerKey(input))
            withoutLists.extension.set(input.name, "");
    if (!splitter.apply(withoutLists).empty() || !holdsLayerValues(withoutLists))
        return splitter.apply(record);
    record = std::move(withoutLists);
    return {};
}

}  // namespace

Sweep sectionSweep(const ProjectData& base, const Section& section, const DesignDemands& demands,
                   std::vector<SweepAxis> axes)
{
    ProjectData p = base;
    for (const SectionValue& v : section.values)
        p.*(v.field->member) = v.value;
    setSectionTexts(section, p.extension);
    // A section's own value the record's readers refuse (a fill history not
    // ending at its h) refuses the section, naming its row and column.
    Sweep::PreparePoint prepare = [section](ProjectData& record) {
        if (section.profile)
            if (std::string fault = splitProfile(*section.profile, record); !fault.empty())
                return fault;
        return sectionSettingsFault(section, record);
    };
    return Sweep(p, std::move(axes), demands, std::move(prepare), sectionNumbers(section));
}

ProjectData sectionProject(const ProjectData& base, const Section& section)
{
    ProjectData p = sectionSweep(base, section, {}).record(0);
    setSectionValues(section, p.extension);
    return p;
}

std::string roadReportFault(std::size_t sections)
{
    if (sections <= kMaxReportSections)
        return {};
    return "路段计算书共有" + std::to_string(sections) + "个断面，超过上限" + std::to_string(kMaxReportSections)
           + "个（每个断面一页，排版时间和内存随断面数迅速增长）；请把断面表分成几段分别出计算书。";
}

std::optional<double> postConstructionAllowance(const std::vector<SweepPoint>& points)
{
    for (const SweepPoint& p : points)
        if (p.valid() && p.checks.allowablePostConstruction)
            return p.checks.allowablePostConstruction;
    return std::nullopt;
}

std::vector<double> sectionFillHeights(const ProjectData& base, const std::vector<Section>& sections)
{
    std::vector<double> heights;
    for (const Section& s : sections)
        heights.push_back(sectionSweep(base, s, {}).record(0).embankmentHeight);
    return heights;
}

double sectionsSlices(const ProjectData& base, const std::vector<Section>& sections, const DesignDemands& demands,
                      const std::vector<SweepAxis>& axes)
{
    double total = 0;
    for (const Section& section : sections) {
        total += sweepWork(sectionSweep(base, section, demands, axes)).total();
        if (total > kMaxSweepSlices)
            break;
    }
    return total;
}

std::vector<SweepPoint> computeSections(const ProjectData& base, const std::vector<Section>& sections,
                                        const DesignDemands& demands, SectionsProgress* progress)
{
    std::vector<SweepPoint> points(sections.size());
    forEachInParallel(sections.size(), [&](std::size_t i) {
        if (progress && progress->cancelled)
            return;
        points[i] = sectionSweep(base, sections[i], demands).point(0);
        if (progress)
            ++progress->done;
    });
    return points;
}

GoverningSections governingSections(const std::vector<SweepPoint>& points)
{
    GoverningSections governing;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i].valid())
            continue;
        if (!governing.bearing || bearingRatio(points[i]) < bearingRatio(points[*governing.bearing]))
            governing.bearing = i;
        if (!governing.settlement || points[i].checks.settlement > points[*governing.settlement].checks.settlement)
            governing.settlement = i;
        const double factor = points[i].checks.stabilityFactor();
        if (!std::isnan(factor)
            && (!governing.stability || factor < points[*governing.stability].checks.stabilityFactor()))
            governing.stability = i;
    }
    return governing;
}

std::vector<std::optional<SweepPoint>> bestPerSection(const ProjectData& base, const std::vector<Section>& sections,
                                                      const DesignDemands& demands, const SweepAxis& axis,
                                                      const PointMeasure& measure, bool largest)
{
    std::vector<std::optional<SweepPoint>> best(sections.size());
    forEachInParallel(sections.size(), [&](std::size_t i) {
        const Sweep sweep = sectionSweep(base, sections[i], demands, {axis});
        BestPoint chooser(measure, largest);
        for (std::size_t k = 0; k < sweep.size(); ++k)
            chooser.offer(sweep.point(k), k);
        best[i] = chooser.best();
    });
    return best;
}

std::vector<Stretch> designStretches(const std::vector<Section>& sections,
                                     const std::vector<std::optional<SweepPoint>>& best, bool largest,
                                     double shortestLength)
{
    std::vector<Stretch> stretches = equalRuns(best);
    while (mergeShortest(stretches, sections, shortestLength, largest))
        joinEqualNeighbours(stretches);
    return stretches;
}
