#pragma once

#include <QRect>
#include <Qt>

#include <cstdint>

class QPainter;

namespace qx::ui {

class CTableCtrl;

/// One of the grid's four areas (corner, column header, row header, cells). It keeps only its
/// rectangle and drag state; everything else it asks of the owning grid. Mouse coordinates are
/// relative to the component's own top-left corner.
class CTableComponent {
public:
    CTableComponent() = default;
    virtual ~CTableComponent() = default;
    CTableComponent(const CTableComponent&) = delete;
    CTableComponent& operator=(const CTableComponent&) = delete;

    /// Paints the component. The painter's origin is the component's top-left, clipped to it.
    virtual void Paint(QPainter& painter) const = 0;
    virtual void OnLButtonDown(Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void OnMouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void OnLButtonUp(Qt::KeyboardModifiers modifiers, int x, int y);
    virtual void OnTimer(int timerId);

    void attach(CTableCtrl* owner, std::uint32_t flags) {
        m_owner = owner;
        m_flags = flags;
    }
    /// The rectangle in the grid's client coordinates.
    [[nodiscard]] QRect rect() const { return m_rect; }
    void setRect(const QRect& rect) { m_rect = rect; }
    [[nodiscard]] std::uint32_t flags() const { return m_flags; }

protected:
    [[nodiscard]] CTableCtrl& owner() const { return *m_owner; }

private:
    QRect m_rect;
    CTableCtrl* m_owner = nullptr;
    std::uint32_t m_flags = 0;
};

} // namespace qx::ui
