#pragma once

#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

namespace qx::render {

namespace Anchor {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Top = 4;
inline constexpr int Bottom = 8;
} // namespace Anchor

/// Keeps controls anchored to the edges of their parent while it is resized. Controls are named by
/// an id of the caller's choosing; the caller moves them.
class CArrangeItem final {
public:
    struct Move {
        int control = 0;
        QRect rect;
    };

    /// Records a control, its anchors and its rectangle in the parent's client coordinates; the
    /// first call also records the parent's client size. Anchors 0 records nothing.
    void Add(int control, int anchors, const QRect& rect, QSize parentClient);

    /// The new rectangles after the parent's client area became `client`; none while no size is
    /// recorded or while the parent is minimised. `current` gives a control's present rectangle.
    std::vector<Move> resized(QSize client, bool minimised, const std::function<QRect(int)>& current) const;

    int size() const { return static_cast<int>(m_items.size()); }

private:
    struct Item {
        int control = 0;
        int anchors = 0;
        QRect rect;
    };
    std::vector<Item> m_items;
    QSize m_client;
    bool m_hasClient = false;
};

} // namespace qx::render
