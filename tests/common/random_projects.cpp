#include "random_projects.h"

#include "worked_examples.h"

#include <vector>

namespace {

struct DemandsChoice {
    DesignDemands demands;
    const char* options;
};

}  // namespace

RandomAssessedProject randomAssessedProject(std::mt19937& random)
{
    const auto pick = [&random](std::vector<std::string> options) {
        return options[std::uniform_int_distribution<std::size_t>(0, options.size() - 1)(random)];
    };
    RandomAssessedProject a{settlementExample(), {}, {}};
    ProjectData& p = a.project;
    p.embankmentHeight = std::uniform_int_distribution<int>(20, 60)(random) / 10.0;
    p.spacingSquare = std::uniform_int_distribution<int>(15, 30)(random) / 10.0;
    // cv of every layer, none (a post-construction check is then not made),
    // or a list refused for its length
    const std::string cv = pick({"2,3", "2,3", "", "1"});
    p.extension.set("cv.head", cv.empty() ? "" : "2");
    p.extension.set("cv.shaft", cv);
    p.extension.set("cv.base", cv.empty() ? "" : "1.5,4,6");
    p.extension.set("fak.base", pick({"", "40,30,150", "230,230,500", "120,100,140"}));
    p.extension.set("allowablePostConstruction", pick({"", "20", "300"}));
    // Strengths of every layer or none, against a required factor that
    // holds, fails, is not given, or is refused.
    if (!pick({"strengths", ""}).empty()) {
        for (const auto& [key, value] : {std::pair{"c.fill", "15"}, {"phi.fill", "28"}, {"c.head", "15"},
                                         {"phi.head", "10"}, {"c.shaft", "6,20"}, {"phi.shaft", "3,12"},
                                         {"c.base", "30,35,40"}, {"phi.base", "18,20,22"}, {"pileShear", "120"}})
            p.extension.set(key, value);
    }
    p.extension.set("stabilityRequired", pick({"", "1.1", "1.35", "2.5", "0"}));
    const std::vector<DemandsChoice> demands{
        {DesignDemands{20}, "--surcharge 20"},
        {DesignDemands{60, 100}, "--surcharge 60 --allowable-settlement 100"},
        {DesignDemands{0, 300, 50}, "--surcharge 0 --allowable-settlement 300 --allowable-post-construction 50"}};
    const DemandsChoice& chosen = demands[std::uniform_int_distribution<std::size_t>(0, demands.size() - 1)(random)];
    a.demands = chosen.demands;
    a.options = chosen.options;
    return a;
}
