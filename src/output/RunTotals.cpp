#include "RunTotals.h"

#include "AutoCharSize.h"
#include "BlockMeasure.h"
#include "OutputValidation.h"
#include "PrintFieldCheck.h"
#include "PrintLengthLayout.h"

#include "model/Catalogue.h"
#include "model/Sequences.h"

#include <algorithm>

namespace qx::output {

namespace {

/// The widths of the print-length pieces change only where a sequence token's text changes
/// length, and then only by what the blocks with sequence numbers gain or lose: the document is
/// laid out once, and only those blocks are measured again.
std::int64_t printLengthDots(const model::Catalogue& catalogue, const model::EditData& data,
                             const RunRecord& record) {
    const PrintLengthLayout first = layoutPrintLength(catalogue, data, 0);
    std::vector<int> sequenced;
    for (int b = 0; b < static_cast<int>(first.blocks.size()); ++b) {
        if (data.block(b).hasSequences())
            sequenced.push_back(b);
    }
    const auto tokensAt = [&](int k) {
        std::vector<TokenLengths> tokens;
        tokens.reserve(sequenced.size());
        for (const int b : sequenced)
            tokens.push_back(sequenceTokenLengths(data.block(b), catalogue.model(), k, TokenValueRule::Standard));
        return tokens;
    };
    const auto sameLengths = [](const std::vector<TokenLengths>& a, const std::vector<TokenLengths>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TokenLengths& x, const TokenLengths& y) {
            return x.count == y.count && x.lengths == y.lengths;
        });
    };
    std::vector<TokenLengths> previous = tokensAt(0);
    int width = first.mediumWidth;
    std::int64_t dots = width;
    for (int k = 1; k < record.pieces; ++k) {
        std::vector<TokenLengths> tokens = tokensAt(k);
        if (!sameLengths(tokens, previous)) {
            // A block with sequence numbers always prints its value, so it keeps its place in the
            // text; only its length differs from the first piece's.
            int grown = 0;
            for (const int b : sequenced) {
                if (!blockHasText(first.blocks[static_cast<std::size_t>(b)]))
                    continue;
                model::EditBlock block = data.block(b);
                ResolveAutoCharSize(catalogue, data.target, block, k);
                grown += MeasureBlock(catalogue, data.target, block, k).length -
                         first.extents[static_cast<std::size_t>(b)].length;
            }
            width = printLengthMediumWidth(data.target, first.framedWidth + grown);
        }
        previous = std::move(tokens);
        dots += width;
    }
    return dots * record.count;
}

} // namespace

std::vector<RunRecord> runRecords(const model::EditData& data) {
    const int blocks = usedBlockCount(data);
    std::vector<RunRecord> records;
    if (data.target.isPrintLengthMode()) {
        RunRecord record;
        record.count = std::max<int>(data.target.printCount, 1);
        for (int b = 0; b < blocks; ++b) {
            if (data.block(b).hasSequences()) {
                record.pieces = model::blockPieceCount(data.block(b));
                break;
            }
        }
        records.push_back(record);
        return records;
    }
    records.reserve(static_cast<std::size_t>(blocks));
    for (int b = 0; b < blocks; ++b) {
        const model::EditBlock& block = data.block(b);
        records.push_back({b, std::max<int>(block.count, 1), model::blockPieceCount(block)});
    }
    return records;
}

RunTotals runTotals(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                    const model::EditData& data, const RunSelection& selection) {
    const int blocks = usedBlockCount(data);
    RunTotals totals;
    if (data.target.isPrintLengthMode()) {
        const RunRecord record = runRecords(data).front();
        totals.blocks = blocks;
        totals.pieces = std::int64_t{record.count} * record.pieces;
        totals.tenths = data.target.printLength != 0
                            ? totals.pieces * data.target.printLength * 10
                            : model::dotsToTenthsRounded(printLengthDots(catalogue, data, record));
        return totals;
    }
    const int first = std::clamp(selection.first, 0, blocks);
    const int end = selection.end < 0 ? blocks : std::clamp(selection.end, first, blocks);
    const PrintRunTotal run = printRunTotal(catalogue, settings, data, first, end, selection.printType);
    const int copies = std::max(selection.copies, 1);
    totals.blocks = end - first;
    totals.pieces = run.pieces * copies;
    totals.tenths = run.tenths * copies;
    return totals;
}

} // namespace qx::output
