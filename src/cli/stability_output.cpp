#include "cli/stability_output.h"

#include "cli/details_json.h"

namespace {

const char* sideName(Side side) { return side == Side::Left ? "left" : "right"; }

nlohmann::ordered_json point(double x, double y) { return {jsonNumber(x), jsonNumber(y)}; }

nlohmann::ordered_json sideJson(const SideStability& s)
{
    const CircleFactor& f = s.least;
    return {{"side", sideName(s.side)},
            {"factor", jsonNumber(f.factor)},
            {"circle",
             {{"centre", point(s.circle.xc, s.circle.yc)},
              {"radius", jsonNumber(s.circle.radius)},
              {"entry", point(f.entryX, f.entryY)},
              {"exit", point(f.exitX, f.exitY)}}}};
}

nlohmann::ordered_json slicesJson(const std::vector<StabilitySlice>& slices)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const StabilitySlice& s : slices)
        list.push_back({{"x", jsonNumber(s.x)},
                        {"width", jsonNumber(s.width)},
                        {"baseAngle", jsonNumber(s.baseAngle)},
                        {"weight", jsonNumber(s.weight)},
                        {"c", jsonNumber(s.c)},
                        {"phi", jsonNumber(s.phi)},
                        {"reinforced", s.reinforced}});
    return list;
}

}  // namespace

nlohmann::ordered_json stabilityJson(const StabilityOutcome& outcome, bool withDetails)
{
    if (!outcome.result)
        return {{"factor", nullptr}, {"reason", outcome.reason}};
    const StabilityResult& r = *outcome.result;
    nlohmann::ordered_json j = {{"factor", jsonNumber(r.factor)},
                                {"side", sideName(r.side)},
                                {"sides", {sideJson(r.left), sideJson(r.right)}}};
    if (withDetails) {
        j["slices"] = slicesJson(r.critical().least.slices);
        j["circlesTried"] = r.circlesTried;
    }
    return j;
}
