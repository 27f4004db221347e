#include "BlockMeasure.h"

#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/Sequences.h"
#include "model/TargetKind.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace qx::output {

using model::Catalogue;
using model::EditBlock;
using model::EditLine;
using model::TargetSettings;

namespace {

int clampToInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX));
}

int tokenTextLength(const model::tagSEQ_V900& definition, int value, model::ModelType model) {
    return static_cast<int>(model::formatSequenceValue(definition, value, model).size());
}

/// What one used line contributes, fixed for the block whatever the piece.
struct LineLayout {
    int nonTokens = 0;  ///< characters that are not sequence tokens
    int firstToken = 0; ///< block-wide index of the line's first token
    int tokens = 0;
    int along = 0;  ///< cell value that runs along the line
    int across = 0; ///< cell value across the line
    int charGap = 0;
    int lineGap = 0;
};

struct BlockLayout {
    std::array<LineLayout, model::MaxLines> lines{};
    int lineCount = 0;
    int tokenTotal = 0;
    bool swap = false; ///< the lines run along the piece
};

BlockLayout makeLayout(const Catalogue& catalogue, const TargetSettings& target, const EditBlock& block) {
    BlockLayout layout;
    layout.lineCount = usedLineCount(block);
    layout.swap = linesRunAlongPiece(target);
    int token = 0;
    for (int l = 0; l < layout.lineCount; ++l) {
        const EditLine& line = block.lines[static_cast<std::size_t>(l)];
        LineLayout& out = layout.lines[static_cast<std::size_t>(l)];
        out.firstToken = token;
        for (const model::CharCode c : line.chars) {
            if (c == model::codes::SequenceMarker)
                ++out.tokens;
            else
                ++out.nonTokens;
        }
        token += out.tokens;
        const model::GlyphCell cell = catalogue.glyphCell(target, line);
        const model::Spacing gaps = catalogue.spacing(target, line);
        // In vertical writing along the piece the cell's second value runs along the line.
        out.along = layout.swap ? cell.height : cell.width;
        out.across = layout.swap ? cell.width : cell.height;
        out.charGap = gaps.charGap;
        out.lineGap = gaps.lineGap;
    }
    layout.tokenTotal = token;
    return layout;
}

BlockExtent extentOf(const BlockLayout& layout, const TokenLengths& tokens) {
    std::int64_t length = 0;
    std::int64_t height = 0;
    for (int l = 0; l < layout.lineCount; ++l) {
        const LineLayout& line = layout.lines[static_cast<std::size_t>(l)];
        std::int64_t positions = line.nonTokens;
        const int boundEnd = std::min(line.firstToken + line.tokens, tokens.count);
        for (int t = line.firstToken; t < boundEnd; ++t)
            positions += tokens.lengths[static_cast<std::size_t>(t)];
        if (positions > 0)
            length = std::max(length, positions * line.along + (positions - 1) * line.charGap);
        height += line.across;
        if (l + 1 < layout.lineCount)
            height += line.lineGap;
    }
    BlockExtent extent{clampToInt(length), clampToInt(height)};
    if (layout.swap)
        std::swap(extent.length, extent.height);
    return extent;
}

/// Token lengths of the first `bound` definitions at piece k (k within the block's pieces).
TokenLengths lengthsAt(const EditBlock& block, model::ModelType model, int bound, int k) {
    TokenLengths tokens;
    tokens.count = bound;
    for (int t = 0; t < bound; ++t) {
        const model::tagSEQ_V900& def = block.sequence(t);
        tokens.lengths[static_cast<std::size_t>(t)] =
            tokenTextLength(def, model::sequenceValueAt(def, k), model);
    }
    return tokens;
}

} // namespace

int usedLineCount(const EditBlock& block) {
    return std::clamp<int>(block.lineCount, 0, model::MaxLines);
}

bool blockHasText(const EditBlock& block) {
    const int lines = usedLineCount(block);
    for (int l = 0; l < lines; ++l) {
        if (!block.lines[static_cast<std::size_t>(l)].chars.empty())
            return true;
    }
    return false;
}

bool linesRunAlongPiece(const TargetSettings& target) {
    return target.direction == 1 && target.isPitchLengthMode() && !model::isTube(target.targetKind);
}

TokenLengths sequenceTokenLengths(const EditBlock& block, model::ModelType model, int piece,
                                  TokenValueRule rule) {
    TokenLengths tokens;
    tokens.count = model::blockSequenceCount(block);
    for (int t = 0; t < tokens.count; ++t) {
        const model::tagSEQ_V900& def = block.sequence(t);
        int value = 0;
        switch (rule) {
        case TokenValueRule::Standard:
            value = piece >= 0 ? model::sequenceValueAt(def, piece) : model::widestSequenceValue(block, t);
            break;
        case TokenValueRule::SecondGeneration:
            if (piece >= 0) {
                value = model::sequenceValueAt(def, piece);
            } else {
                const model::SeqRun run = model::sequenceRun(def);
                value = std::max(run.first, run.last);
            }
            break;
        case TokenValueRule::FirstGeneration:
            // The first generation counts up from the stored start whatever the run's direction.
            value = piece >= 0 ? def.start + piece : std::max<int>(def.start, def.end);
            break;
        }
        tokens.lengths[static_cast<std::size_t>(t)] = tokenTextLength(def, value, model);
    }
    return tokens;
}

int linePositions(const EditLine& line, const TokenLengths& tokens, int& nextToken) {
    int positions = 0;
    for (const model::CharCode c : line.chars) {
        if (c != model::codes::SequenceMarker) {
            ++positions;
            continue;
        }
        if (nextToken >= 0 && nextToken < tokens.count)
            positions += tokens.lengths[static_cast<std::size_t>(nextToken)];
        ++nextToken;
    }
    return positions;
}

BlockExtent MeasureBlock(const Catalogue& catalogue, const TargetSettings& target, const EditBlock& block,
                         int piece) {
    const BlockLayout layout = makeLayout(catalogue, target, block);
    return extentOf(layout, sequenceTokenLengths(block, catalogue.model(), piece, TokenValueRule::Standard));
}

BlockExtent MeasureBlock(const Catalogue& catalogue, const model::EditData& data, int block, int piece) {
    if (block < 0 || block >= model::MaxBlocks)
        return {};
    return MeasureBlock(catalogue, data.target, data.block(block), piece);
}

BlockExtent textMargins(const TargetSettings& target, const EditBlock& block) {
    BlockExtent margins;
    if (target.frame != 0) {
        const int m = target.frame * 4 + 4;
        margins = {m, m};
    } else if (block.reverse != 0) {
        margins = {4, 4};
    } else if (block.underline != 0) {
        if (model::isTube(target.targetKind) || target.direction != 1)
            margins.height = 4;
        else
            margins.length = 4;
    }
    return margins;
}

BlockExtent autoPitchMargins(const Catalogue& catalogue, const TargetSettings& target,
                             const EditBlock& block) {
    BlockExtent margins = textMargins(target, block);
    margins.length += 2 * catalogue.endMarginDots(target);
    return margins;
}

BlockExtent MeasureBlockWithMargins(const Catalogue& catalogue, const TargetSettings& target,
                                    const EditBlock& block, int piece) {
    if (target.pitchAuto != 1)
        return {};
    const BlockExtent text = MeasureBlock(catalogue, target, block, piece);
    const BlockExtent margins = autoPitchMargins(catalogue, target, block);
    return {text.length + margins.length, text.height + margins.height};
}

BlockExtent MeasureBlockWithMargins(const Catalogue& catalogue, const model::EditData& data, int block,
                                    int piece) {
    if (block < 0 || block >= model::MaxBlocks)
        return {};
    return MeasureBlockWithMargins(catalogue, data.target, data.block(block), piece);
}

std::vector<PieceRun> measurePieceRuns(const Catalogue& catalogue, const TargetSettings& target,
                                       const EditBlock& block) {
    const BlockLayout layout = makeLayout(catalogue, target, block);
    const model::ModelType model = catalogue.model();
    const int pieces = model::blockPieceCount(block);
    // Definitions beyond the block's tokens change no text.
    const int bound = std::min(model::blockSequenceCount(block), layout.tokenTotal);
    if (bound == 0 || pieces <= 1)
        return {PieceRun{0, std::max(pieces, 1), extentOf(layout, lengthsAt(block, model, bound, 0))}};

    // A run moves monotonically through its values and a longer text needs a larger value, so each
    // token's length changes at a few pieces only; find them by bisection.
    std::vector<int> starts{0};
    for (int t = 0; t < bound; ++t) {
        const model::tagSEQ_V900& def = block.sequence(t);
        const auto lengthAt = [&](int k) {
            return tokenTextLength(def, model::sequenceValueAt(def, k), model);
        };
        int k = 0;
        while (k < pieces) {
            const int current = lengthAt(k);
            int lo = k + 1;
            int hi = pieces;
            while (lo < hi) {
                const int mid = lo + (hi - lo) / 2;
                if (lengthAt(mid) != current)
                    hi = mid;
                else
                    lo = mid + 1;
            }
            if (lo < pieces)
                starts.push_back(lo);
            k = lo;
        }
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    std::vector<PieceRun> runs;
    runs.reserve(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const int first = starts[i];
        const int end = i + 1 < starts.size() ? starts[i + 1] : pieces;
        const BlockExtent extent = extentOf(layout, lengthsAt(block, model, bound, first));
        if (!runs.empty() && runs.back().extent == extent)
            runs.back().pieceCount += end - first;
        else
            runs.push_back({first, end - first, extent});
    }
    return runs;
}

BlockExtent largestExtent(const std::vector<PieceRun>& runs) {
    BlockExtent largest;
    bool first = true;
    for (const PieceRun& run : runs) {
        largest.length = first ? run.extent.length : std::max(largest.length, run.extent.length);
        largest.height = first ? run.extent.height : std::max(largest.height, run.extent.height);
        first = false;
    }
    return largest;
}

} // namespace qx::output
