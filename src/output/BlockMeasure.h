#pragma once

#include "model/EditData.h"
#include "model/ModelType.h"

#include <array>
#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::output {

/// Extent of a block's text in printer dots: `length` along the print direction of the piece,
/// `height` across it.
struct BlockExtent {
    int length = 0;
    int height = 0;
    friend bool operator==(const BlockExtent&, const BlockExtent&) = default;
};

/// Piece index meaning "no particular piece": a token then shows its widest value.
inline constexpr int NoPiece = -1;

/// Which value a sequence token shows while its text is measured.
enum class TokenValueRule {
    /// Piece i: the value at piece i. No piece: the larger of the first value and the value at the
    /// block's last piece.
    Standard,
    /// Piece i: the value at piece i. No piece: the larger of the run's first and last value.
    SecondGeneration,
    /// Piece i: the stored start + i. No piece: the larger of the stored start and end.
    FirstGeneration,
};

/// Text lengths of the block's sequence tokens, one per bound definition in definition order.
/// Token j of the block (reading order over its used lines) is bound when j < count; an unbound
/// token prints nothing and takes no position.
struct TokenLengths {
    std::array<int, model::MaxSequencesPerBlock> lengths{};
    int count = 0;
};

TokenLengths sequenceTokenLengths(const model::EditBlock& block, model::ModelType model, int piece,
                                  TokenValueRule rule);

/// Character positions of one line: its characters that are not sequence tokens plus the text
/// lengths of its tokens. `nextToken` is the block-wide index of the line's first token and is
/// advanced past the line's tokens.
int linePositions(const model::EditLine& line, const TokenLengths& tokens, int& nextToken);

/// Lines of the block that are printed: lineCount held within 0..4.
int usedLineCount(const model::EditBlock& block);

/// Whether any used line of the block holds a character.
bool blockHasText(const model::EditBlock& block);

/// Vertical writing in pitch-length mode on a non-tube kind: the lines run along the piece.
bool linesRunAlongPiece(const model::TargetSettings& target);

/// The block's text extent at a piece (piece ≥ 0; NoPiece measures the widest token texts).
/// A line without any position has no length, only its height.
BlockExtent MeasureBlock(const model::Catalogue& catalogue, const model::TargetSettings& target,
                         const model::EditBlock& block, int piece);
/// The same for block `block` of the document; (0, 0) for an index outside the 999 slots.
BlockExtent MeasureBlock(const model::Catalogue& catalogue, const model::EditData& data, int block,
                         int piece);

/// What the frame, or else the reverse, or else the underline adds around the block's text.
BlockExtent textMargins(const model::TargetSettings& target, const model::EditBlock& block);

/// textMargins plus the two unprintable ends of the piece: what surrounds the text of a block
/// printed with AUTO pitch.
BlockExtent autoPitchMargins(const model::Catalogue& catalogue, const model::TargetSettings& target,
                             const model::EditBlock& block);

/// The extent of a block printed with AUTO pitch, margins included; (0, 0) unless pitchAuto is 1.
BlockExtent MeasureBlockWithMargins(const model::Catalogue& catalogue, const model::TargetSettings& target,
                                    const model::EditBlock& block, int piece);
BlockExtent MeasureBlockWithMargins(const model::Catalogue& catalogue, const model::EditData& data, int block,
                                    int piece);

/// Consecutive pieces of a block whose text has one extent.
struct PieceRun {
    int firstPiece = 0;
    int pieceCount = 0;
    BlockExtent extent;
    friend bool operator==(const PieceRun&, const PieceRun&) = default;
};

/// The extents of every piece of the block, as runs in piece order that cover all its pieces.
/// A token's text only grows or shrinks at a change of digit count, so a block of ten thousand
/// pieces comes down to a handful of runs without measuring each piece.
std::vector<PieceRun> measurePieceRuns(const model::Catalogue& catalogue, const model::TargetSettings& target,
                                       const model::EditBlock& block);

/// The largest length and the largest height over all pieces (the two may come from different
/// pieces).
BlockExtent largestExtent(const std::vector<PieceRun>& runs);

} // namespace qx::output
