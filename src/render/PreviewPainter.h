#pragma once

#include <QRectF>

class QPainter;

namespace qx::render {

class CPreviewLayout;
class CPreviewZoom;
class CPrintImageContext;

/// Paints the image area of the whole-image preview: white, then the pieces whose slots lie within
/// two advances of the visible part of the strip, each centred in its slot. At a zoom of 1 % or less
/// only a line through the middle is drawn. Returns the number of pieces drawn.
int paintPreviewArea(QPainter& painter, const CPreviewLayout& layout, const CPreviewZoom& zoom,
                     const CPrintImageContext& context, int seqOrder);

/// Paints the whole strip at `scale` units per dot, its left end at x = 0 and its top at y = 0.
/// The strip is (stripLength + largestHeight) × totalHeight dots; only the dots within `visible`
/// (strip dots; an empty rectangle means all) are painted.
void paintStrip(QPainter& painter, const CPreviewLayout& layout, const CPrintImageContext& context, int seqOrder,
                double scale, const QRectF& visible = {});

/// The strip's extent in dots as paintStrip draws it.
QRectF stripBounds(const CPreviewLayout& layout);

} // namespace qx::render
