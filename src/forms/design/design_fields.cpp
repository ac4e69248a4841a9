#include "forms/design/design_fields.h"

namespace design {

std::vector<const SweepField*> offeredFields(bool withProfile)
{
    std::vector<const SweepField*> fields;
    for (const SweepField& field : sweepFields()) {
        if (withProfile || !field.cutsLayerTables)
            fields.push_back(&field);
    }
    return fields;
}

QString fieldCaption(const SweepField& field) { return QString::fromStdString(inputTitle(field)); }

const QStringList& criterionCaptions()
{
    static const QStringList captions{
        QStringLiteral("ΔSn < 0.025ΣSi （变形比法）"),
        QStringLiteral("σz < 0.2σc （应力比法）"),
        QStringLiteral("σz < 0.1σc （应力比法，下有高压缩性土层）"),
    };
    return captions;
}

bool widerIsCheaper(const SweepField& field)
{
    return QByteArray(field.name).startsWith("spacing");
}

}  // namespace design
