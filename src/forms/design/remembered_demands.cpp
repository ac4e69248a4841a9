#include "forms/design/remembered_demands.h"

#include "ui/number_text.h"

#include <QSettings>

namespace design {
namespace {

const QString kSurchargeKey = QStringLiteral("design/surcharge");
const QString kAllowableSettlementKey = QStringLiteral("design/allowableSettlement");

}  // namespace

std::optional<DesignDemands> rememberedDemands()
{
    const QSettings settings;
    const std::optional<double> surcharge = ui::parseDouble(settings.value(kSurchargeKey).toString());
    if (!surcharge)
        return std::nullopt;
    return DesignDemands{*surcharge, ui::parseDouble(settings.value(kAllowableSettlementKey).toString())};
}

void rememberDemands(const DesignDemands& demands)
{
    QSettings settings;
    settings.setValue(kSurchargeKey, ui::formatDouble(demands.surcharge));
    settings.setValue(kAllowableSettlementKey,
                      demands.allowableSettlement ? ui::formatDouble(*demands.allowableSettlement) : QString());
}

}  // namespace design
