#pragma once

#include "ui/table/TableComponent.h"

#include <cstdint>

namespace qx::ui {

/// The corner, the column header or the row header: paints the raised or pressed title boxes,
/// selects whole columns (rows) by pressing and dragging, resizes by dragging a border with a
/// tracking line.
class CTableHeaderComponent final : public CTableComponent {
public:
    /// The kind, held in the flags word.
    static constexpr std::uint32_t kColumnHeader = 0;
    static constexpr std::uint32_t kRowHeader = 1;
    static constexpr std::uint32_t kCorner = 8;

    enum class DragState { None = 0, Resizing = 1, Selecting = 2 };

    void Paint(QPainter& painter) const override;
    void OnLButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnLButtonUp(Qt::KeyboardModifiers modifiers, int x, int y) override;
    void OnTimer(int timerId) override;

    [[nodiscard]] bool isCorner() const { return flags() == kCorner; }
    [[nodiscard]] bool isRowHeader() const { return flags() == kRowHeader; }
    [[nodiscard]] bool isColumnHeader() const { return flags() == kColumnHeader; }
    [[nodiscard]] DragState dragState() const { return m_dragState; }
    /// The tracking line of a border drag in client coordinates (empty when none).
    [[nodiscard]] QRect trackingLine() const { return m_trackingLine; }

private:
    void paintCorner(QPainter& painter) const;
    void paintBoxes(QPainter& painter) const;
    void trackTo(int clientPos);
    void extendSelection(int x, int y);
    void stopTimer();

    DragState m_dragState = DragState::None;
    int m_resizeIndex = -1;
    int m_startEdge = 0; ///< client coordinate of the resized item's near edge
    int m_trackPos = 0;  ///< client coordinate of the tracking line
    QRect m_trackingLine;
    bool m_timerRunning = false;
};

} // namespace qx::ui
