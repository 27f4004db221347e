#pragma once

#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

namespace qx::model {
struct EditData;
}

namespace qx::render {

class CPrintImageContext;

/// The layout of one block in the whole-image strip (in print-length mode the whole document):
/// how often each of its distinct pieces is printed and how large each is.
struct CBlockInfo {
    int block = 0;  ///< the block drawn (0 in print-length mode)
    int count = 1;  ///< continuous count: identical pieces in a row
    int pieces = 1; ///< distinct pieces, one per sequence value
    std::vector<QSize> sizes;  ///< medium of each piece, in dots
    std::vector<int> advances; ///< slot width of each piece, in dots
};

namespace SeqOrder {
inline constexpr int CountFirst = 0;    ///< 連続優先: 11 22 33
inline constexpr int SequenceFirst = 1; ///< 連番優先: 123 123
} // namespace SeqOrder

/// One slot of the strip.
struct StripSlot {
    int record = 0;
    int block = 0;
    int piece = 0;
    long long left = 0; ///< dots from the strip's start (the first slot's left edge)
    int advance = 0;
    QSize size;
    bool first = false; ///< the strip's very first piece
};

/// The whole run as one strip: every block repeated by its count and expanded per sequence value.
class CPreviewLayout final {
public:
    /// Lays the document out; sizes come from the renderer's GetPieceSize.
    static CPreviewLayout build(const model::EditData& data, const CPrintImageContext& context);

    const std::vector<CBlockInfo>& records() const { return m_records; }
    /// The length that drives zoom fitting and scrolling, in dots.
    long long totalLength() const { return m_totalLength; }
    int totalHeight() const { return m_largestHeight + 2; }
    int largestHeight() const { return m_largestHeight; }
    /// The sum of all slot widths.
    long long stripLength() const { return m_stripLength; }
    long long slotCount() const;

    /// The piece indices of a record in strip order.
    static std::vector<int> pieceOrder(const CBlockInfo& record, int seqOrder);

    /// Calls `visit` for every slot that overlaps [from, to) dots of the strip, in strip order.
    void forEachSlot(int seqOrder, long long from, long long to, const std::function<void(const StripSlot&)>& visit) const;

private:
    std::vector<CBlockInfo> m_records;
    long long m_totalLength = 0;
    long long m_stripLength = 0;
    int m_largestHeight = 0;
};

} // namespace qx::render
