#pragma once

#include <QList>
#include <QRect>

namespace qx::ui {

/// Where the preview opens: the main window's rectangle `rect` (frame included), moved into the
/// work area of the screen it overlaps most (with no overlap, the nearest by centre), allowing
/// `overhang` pixels past the left and right edges. A rectangle larger than the work area is
/// shrunk to it first. `screens` and `workAreas` pair up by index.
QRect previewPlacement(const QRect& rect, const QList<QRect>& screens, const QList<QRect>& workAreas, int overhang);

} // namespace qx::ui
