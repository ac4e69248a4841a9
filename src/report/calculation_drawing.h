// The calculation drawing (计算简图) of the report: the embankment's cross
// section (crest B, height h, slopes 1:k1 and 1:k2) over a row of T-shaped
// piles (D, d, H, L) and, beside it, the soil column with the three zones,
// the layer boundaries and the calculation depth, dimensioned. Depths are
// to scale; widths are not.
#pragma once

#include "engine/breakdown.h"

#include <QRectF>
#include <QSizeF>

class QPainter;

inline constexpr QSizeF kDrawingLogicalSize(760, 470);

// Draws into rect, in vector graphics, scaled from the logical size.
void drawCalculationDrawing(QPainter& painter, const QRectF& rect, const ProjectData& project,
                            const SettlementDetails& settlement);
