#include "ArrangeItem.h"

namespace qx::render {

void CArrangeItem::Add(int control, int anchors, const QRect& rect, QSize parentClient) {
    if (anchors == 0)
        return;
    if (!m_hasClient) {
        m_client = parentClient;
        m_hasClient = true;
    }
    m_items.push_back({control, anchors, rect});
}

std::vector<CArrangeItem::Move> CArrangeItem::resized(QSize client, bool minimised,
                                                      const std::function<QRect(int)>& current) const {
    std::vector<Move> moves;
    if (!m_hasClient || minimised)
        return moves;
    const int dw = client.width() - m_client.width();
    const int dh = client.height() - m_client.height();
    // One axis: both edges anchored stretches, one edge keeps the present extent, none keeps all.
    const auto place = [](bool low, bool high, int recordedLow, int recordedHigh, int presentLow, int presentExtent,
                          int delta, int& outLow, int& outHigh) {
        if (low && high) {
            outLow = recordedLow;
            outHigh = recordedHigh + delta;
        } else if (high) {
            outHigh = recordedHigh + delta;
            outLow = outHigh - presentExtent;
        } else if (low) {
            outLow = recordedLow;
            outHigh = recordedLow + presentExtent;
        } else {
            outLow = presentLow;
            outHigh = presentLow + presentExtent;
        }
    };
    for (const Item& item : m_items) {
        const QRect now = current ? current(item.control) : item.rect;
        int left = 0, right = 0, top = 0, bottom = 0;
        // QRect's right() is inclusive; work with exclusive edges.
        place(item.anchors & Anchor::Left, item.anchors & Anchor::Right, item.rect.left(),
              item.rect.left() + item.rect.width(), now.left(), now.width(), dw, left, right);
        place(item.anchors & Anchor::Top, item.anchors & Anchor::Bottom, item.rect.top(),
              item.rect.top() + item.rect.height(), now.top(), now.height(), dh, top, bottom);
        moves.push_back({item.control, QRect(left, top, right - left, bottom - top)});
    }
    return moves;
}

} // namespace qx::render
