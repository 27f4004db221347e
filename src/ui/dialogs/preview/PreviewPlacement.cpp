#include "ui/dialogs/preview/PreviewPlacement.h"

namespace qx::ui {

QRect previewPlacement(const QRect& rect, const QList<QRect>& screens, const QList<QRect>& workAreas, int overhang) {
    if (screens.isEmpty() || screens.size() != workAreas.size()) {
        return rect;
    }
    qsizetype best = -1;
    long long bestOverlap = 0;
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QRect overlap = rect.intersected(screens[i]);
        const long long area = overlap.isEmpty() ? 0 : static_cast<long long>(overlap.width()) * overlap.height();
        if (area > bestOverlap) {
            bestOverlap = area;
            best = i;
        }
    }
    if (best < 0) {
        long long nearest = 0;
        for (qsizetype i = 0; i < screens.size(); ++i) {
            const QPoint d = screens[i].center() - rect.center();
            const long long distance = static_cast<long long>(d.x()) * d.x() + static_cast<long long>(d.y()) * d.y();
            if (best < 0 || distance < nearest) {
                nearest = distance;
                best = i;
            }
        }
    }
    const QRect work = workAreas[best];
    QRect placed(rect.topLeft(), rect.size().boundedTo(QSize(work.width() + 2 * overhang, work.height())));
    if (placed.right() > work.right() + overhang) {
        placed.moveRight(work.right() + overhang);
    }
    if (placed.left() < work.left() - overhang) {
        placed.moveLeft(work.left() - overhang);
    }
    if (placed.bottom() > work.bottom()) {
        placed.moveBottom(work.bottom());
    }
    if (placed.top() < work.top()) {
        placed.moveTop(work.top());
    }
    return placed;
}

} // namespace qx::ui
