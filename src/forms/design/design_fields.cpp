#include "forms/design/design_fields.h"

#include <QHash>

namespace design {
namespace {

const QHash<QString, QString>& captions()
{
    static const QHash<QString, QString> table{
        {"headDiameter", QStringLiteral("扩大头直径D（m）")},
        {"shaftDiameter", QStringLiteral("下部桩径d（m）")},
        {"headLength", QStringLiteral("扩大头高度H（m）")},
        {"pileLength", QStringLiteral("桩长L（m）")},
        {"cubeStrength", QStringLiteral("无侧限抗压强度平均值fcu,k（kPa）")},
        {"headStrengthFactor", QStringLiteral("扩大头部分桩身强度折减系数η1")},
        {"shaftStrengthFactor", QStringLiteral("扩大头以下部分桩身强度折减系数η2")},
        {"stepBearing", QStringLiteral("变截面处地基土承载力特征值qpa（kPa）")},
        {"tipBearing", QStringLiteral("桩端地基土承载力特征值qpb（kPa）")},
        {"stepBearingFactor", QStringLiteral("变截面处天然地基土承载力折减系数α1")},
        {"tipBearingFactor", QStringLiteral("桩端天然地基土承载力折减系数α2")},
        {"spacingTriangle", QStringLiteral("等边三角形桩间距（m）")},
        {"spacingSquare", QStringLiteral("正方形桩间距（m）")},
        {"spacingLongitudinal", QStringLiteral("矩形桩间距（纵）（m）")},
        {"spacingTransverse", QStringLiteral("矩形桩间距（横）（m）")},
        {"soilCapacity", QStringLiteral("处理后桩间土承载力特征值fsk（kPa）")},
        {"soilReduction", QStringLiteral("桩间土承载力折减系数β")},
        {"manualPileCapacity", QStringLiteral("手动输入单桩承载力特征值Ra（kN）")},
        {"embankmentHeight", QStringLiteral("路基填土高度h（m）")},
        {"fillUnitWeight", QStringLiteral("填土容重γ（kN/m3）")},
        {"slopeN", QStringLiteral("边坡坡度1:n")},
        {"slopeM", QStringLiteral("边坡坡度1:m")},
        {"embankmentTopWidth", QStringLiteral("填土顶宽B（m）")},
        {"headPileModulus", QStringLiteral("扩大头桩体压缩模量Ep1（MPa）")},
        {"shaftPileModulus", QStringLiteral("下部桩体压缩模量Ep2（MPa）")},
    };
    return table;
}

}  // namespace

std::vector<const SweepField*> offeredFields(bool withProfile)
{
    std::vector<const SweepField*> fields;
    for (const SweepField& field : sweepFields()) {
        if (withProfile || !field.cutsLayerTables)
            fields.push_back(&field);
    }
    return fields;
}

QString fieldCaption(const SweepField& field)
{
    return captions().value(QString::fromLatin1(field.name), QString::fromLatin1(field.name));
}

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
