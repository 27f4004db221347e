#include "PreviewPainter.h"

#include "PreviewLayout.h"
#include "PreviewZoom.h"
#include "PrintImageContext.h"

#include <QPainter>

#include <algorithm>

namespace qx::render {

namespace {

int largestAdvance(const CPreviewLayout& layout) {
    int largest = 0;
    for (const CBlockInfo& r : layout.records())
        for (const int a : r.advances)
            largest = std::max(largest, a);
    return largest;
}

/// Draws one pass of a slot's piece with the painter's origin at the slot's centre, one unit per dot.
void drawSlot(QPainter& painter, const StripSlot& slot, const CPrintImageContext& context, MediumPass pass) {
    CPrintImageContext piece = context;
    piece.setFitToRect(false);
    piece.setShapedOutline(true);
    piece.setMediumPass(pass);
    piece.setOutlineStyle(slot.first ? OutlineStyle::Piece : OutlineStyle::Joined);
    piece.DrawBlockImage(painter, slot.block, slot.piece,
                         QRect(-slot.advance / 2, -slot.size.height() / 2, slot.advance, slot.size.height()));
}

} // namespace

QRectF stripBounds(const CPreviewLayout& layout) {
    return {0, 0, static_cast<double>(layout.stripLength() + layout.largestHeight()),
            static_cast<double>(layout.totalHeight())};
}

int paintPreviewArea(QPainter& painter, const CPreviewLayout& layout, const CPreviewZoom& zoom,
                     const CPrintImageContext& context, int seqOrder) {
    const QRect area(QPoint(0, 0), zoom.area());
    painter.fillRect(area, Qt::white);
    if (zoom.zoom() <= 1.0) {
        painter.setPen(Qt::black);
        painter.drawLine(10, area.height() / 2, area.width() - 10, area.height() / 2);
        return 0;
    }
    painter.save();
    painter.setClipRect(area);
    const double pad = layout.largestHeight() / 2.0;
    const long long reach = 2LL * largestAdvance(layout);
    const long long from = static_cast<long long>(zoom.dotAt(QPointF(0, 0)).x() - pad) - reach;
    const long long to = static_cast<long long>(zoom.dotAt(QPointF(area.width(), 0)).x() - pad) + reach;
    const double centreY = layout.totalHeight() / 2.0;
    int drawn = 0;
    for (const MediumPass pass : {MediumPass::FillOnly, MediumPass::OverFill}) {
        drawn = 0;
        layout.forEachSlot(seqOrder, from, to, [&](const StripSlot& slot) {
            const QPointF centre =
                zoom.pointAt(QPointF(pad + static_cast<double>(slot.left) + slot.advance / 2.0, centreY));
            painter.save();
            painter.translate(centre);
            painter.scale(zoom.scaleX(), zoom.scaleY());
            drawSlot(painter, slot, context, pass);
            painter.restore();
            ++drawn;
        });
    }
    painter.restore();
    return drawn;
}

void paintStrip(QPainter& painter, const CPreviewLayout& layout, const CPrintImageContext& context, int seqOrder,
                double scale, const QRectF& visible) {
    const double pad = layout.largestHeight() / 2.0;
    const QRectF bounds = stripBounds(layout);
    const QRectF part = visible.isEmpty() ? bounds : visible.intersected(bounds);
    const long long reach = 2LL * largestAdvance(layout);
    const double centreY = layout.totalHeight() / 2.0;
    for (const MediumPass pass : {MediumPass::FillOnly, MediumPass::OverFill}) {
        layout.forEachSlot(seqOrder, static_cast<long long>(part.left() - pad) - reach,
                           static_cast<long long>(part.right() - pad) + reach, [&](const StripSlot& slot) {
                               painter.save();
                               painter.scale(scale, scale);
                               painter.translate(pad + static_cast<double>(slot.left) + slot.advance / 2.0,
                                                 centreY);
                               drawSlot(painter, slot, context, pass);
                               painter.restore();
                           });
    }
}

} // namespace qx::render
