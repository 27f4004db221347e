#include "PreviewLayout.h"

#include "PrintImageContext.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/TargetKind.h"
#include "output/BlockMeasure.h"
#include "output/RunTotals.h"

#include <algorithm>

namespace qx::render {

namespace {

int advanceOf(const QSize& size, int kind) {
    return size.width() + 2 + (model::isLabel(kind) ? 4 : 0);
}

long long recordLength(const CBlockInfo& r) {
    long long sum = 0;
    for (const int a : r.advances)
        sum += a;
    return sum * r.count;
}

} // namespace

CPreviewLayout CPreviewLayout::build(const model::EditData& data, const CPrintImageContext& context) {
    CPreviewLayout layout;
    const int kind = data.target.targetKind;
    const auto addPiece = [&](CBlockInfo& info, const QSize& size) {
        info.sizes.push_back(size);
        info.advances.push_back(advanceOf(size, kind));
    };
    // The counts and pieces are the run's own, as every total of the run counts them.
    const std::vector<output::RunRecord> records = output::runRecords(data);
    layout.m_records.reserve(records.size());
    for (const output::RunRecord& record : records) {
        CBlockInfo info;
        info.block = record.block;
        info.count = record.count;
        info.pieces = record.pieces;
        info.sizes.reserve(static_cast<std::size_t>(info.pieces));
        info.advances.reserve(static_cast<std::size_t>(info.pieces));
        if (data.target.isPrintLengthMode()) {
            for (int k = 0; k < info.pieces; ++k)
                addPiece(info, context.GetPieceSize(0, k));
        } else {
            const model::EditBlock& block = data.block(record.block);
            // A piece differs from the one before only when a token's text changes length, so the
            // renderer is asked again only then.
            output::TokenLengths previous;
            QSize size;
            for (int k = 0; k < info.pieces; ++k) {
                const output::TokenLengths tokens = output::sequenceTokenLengths(
                    block, context.catalogue().model(), k, output::TokenValueRule::Standard);
                if (k == 0 || tokens.lengths != previous.lengths || tokens.count != previous.count)
                    size = context.GetPieceSize(record.block, k);
                previous = tokens;
                addPiece(info, size);
            }
        }
        layout.m_records.push_back(std::move(info));
    }
    for (const CBlockInfo& r : layout.m_records) {
        long long widths = 0;
        for (int k = 0; k < r.pieces; ++k) {
            widths += static_cast<long long>(r.count) * r.sizes[static_cast<std::size_t>(k)].width();
            layout.m_largestHeight = std::max(layout.m_largestHeight, r.sizes[static_cast<std::size_t>(k)].height());
        }
        layout.m_totalLength += widths + 6LL * r.count * r.pieces - 4;
        layout.m_stripLength += recordLength(r);
    }
    layout.m_totalLength += layout.m_largestHeight;
    return layout;
}

long long CPreviewLayout::slotCount() const {
    long long n = 0;
    for (const CBlockInfo& r : m_records)
        n += static_cast<long long>(r.count) * r.pieces;
    return n;
}

std::vector<int> CPreviewLayout::pieceOrder(const CBlockInfo& record, int seqOrder) {
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(record.count) * static_cast<std::size_t>(record.pieces));
    if (seqOrder == SeqOrder::SequenceFirst) {
        for (int c = 0; c < record.count; ++c)
            for (int k = 0; k < record.pieces; ++k)
                order.push_back(k);
    } else {
        for (int k = 0; k < record.pieces; ++k)
            for (int c = 0; c < record.count; ++c)
                order.push_back(k);
    }
    return order;
}

void CPreviewLayout::forEachSlot(int seqOrder, long long from, long long to,
                                 const std::function<void(const StripSlot&)>& visit) const {
    long long x = 0;
    bool first = true;
    for (std::size_t r = 0; r < m_records.size(); ++r) {
        const CBlockInfo& record = m_records[r];
        const long long length = recordLength(record);
        if (x + length <= from || x >= to) {
            // Slots out of sight only move the position on.
            x += length;
            first = false;
            continue;
        }
        StripSlot slot;
        slot.record = static_cast<int>(r);
        slot.block = record.block;
        const auto visitPiece = [&](int k) {
            const int advance = record.advances[static_cast<std::size_t>(k)];
            if (x + advance > from && x < to) {
                slot.piece = k;
                slot.left = x;
                slot.advance = advance;
                slot.size = record.sizes[static_cast<std::size_t>(k)];
                slot.first = first;
                visit(slot);
            }
            first = false;
            x += advance;
        };
        if (seqOrder == SeqOrder::SequenceFirst) {
            long long round = 0;
            for (const int a : record.advances)
                round += a;
            for (int c = 0; c < record.count && x < to; ++c) {
                if (x + round <= from) {
                    x += round;
                    first = false;
                    continue;
                }
                for (int k = 0; k < record.pieces; ++k)
                    visitPiece(k);
            }
        } else {
            for (int k = 0; k < record.pieces && x < to; ++k) {
                const long long run = static_cast<long long>(record.advances[static_cast<std::size_t>(k)]) * record.count;
                if (x + run <= from) {
                    x += run;
                    first = false;
                    continue;
                }
                for (int c = 0; c < record.count; ++c)
                    visitPiece(k);
            }
        }
        if (x >= to)
            break;
    }
}

} // namespace qx::render
