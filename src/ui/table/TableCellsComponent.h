#pragma once

#include "ui/table/TableComponent.h"

#include <QPoint>

namespace qx::ui {

/// The cells area: paints the cells, grid lines and selection outline; selects by pressing and
/// dragging, scrolling toward the pointer every 100 ms while it is outside.
class CTableCellsComponent final : public CTableComponent {
public:
    void Paint(QPainter& painter) const override;
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnLButtonUp(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnTimer(int timerId) override;

private:
    void extendSelectionTo(QPoint clientPoint);
    void stopTimer();

    bool m_timerRunning = false;
};

} // namespace qx::ui
