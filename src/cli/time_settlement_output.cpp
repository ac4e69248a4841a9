#include "cli/time_settlement_output.h"

#include "cli/details_json.h"
#include "model/file_numbers.h"

namespace {

nlohmann::json numbers(const std::vector<TimeSettlement>& curve, double TimeSettlement::*member)
{
    nlohmann::json list = nlohmann::json::array();
    for (const TimeSettlement& point : curve)
        list.push_back(jsonNumber(point.*member));
    return list;
}

}  // namespace

nlohmann::ordered_json consolidationJson(const TimeSettlementResult& r)
{
    return {{"times", numbers(r.curve, &TimeSettlement::day)},
            {"settlement", numbers(r.curve, &TimeSettlement::settlement)},
            {"degree", numbers(r.curve, &TimeSettlement::degree)},
            {"final", jsonNumber(r.final)},
            {"pavementDay", jsonNumber(r.pavementDay)},
            {"postConstruction", jsonNumber(r.postConstruction)},
            {"residual", jsonNumber(r.residual)}};
}

nlohmann::ordered_json underlyingChecksJson(const std::vector<UnderlyingLayerCheck>& checks)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const UnderlyingLayerCheck& c : checks)
        list.push_back({{"depth", jsonNumber(c.depth)},
                        {"pz", jsonNumber(c.pz)},
                        {"pcz", jsonNumber(c.pcz)},
                        {"faz", jsonNumber(c.faz)},
                        {"ok", c.ok},
                        {"theta", jsonNumber(c.theta)},
                        {"spreadPz", jsonNumber(c.pz)},
                        {"elasticPz", jsonNumber(c.elasticPz)}});
    return list;
}

std::string timeSettlementCsv(const TimeSettlementResult& r)
{
    std::string csv = "day,fillHeight,settlement\n";
    for (const TimeSettlement& point : r.curve)
        csv += formatFileNumber(point.day) + "," + formatFileNumber(point.fillHeight) + ","
               + formatFileNumber(point.settlement) + "\n";
    return csv;
}
