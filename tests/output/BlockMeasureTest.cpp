#include "OutputTestDocuments.h"

#include "output/BlockMeasure.h"

#include "model/Sequences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::output {
namespace {

using namespace testdocs;
using model::Catalogue;
using model::EditData;

EditData documentWith(const Catalogue& catalogue, const std::vector<std::pair<std::string, int>>& lines,
                      int width = 0) {
    EditData data = newDocument(catalogue, 0);
    for (std::size_t i = 0; i < lines.size(); ++i)
        setLine(data, 0, static_cast<int>(i), lines[i].first, lines[i].second, width);
    return data;
}

// Cells 1.3 mm 16×16, 2.0 mm 18×23, 2.4 mm 22×28, 3.0 mm 26×35; gaps standard 5, wide 10.
TEST(BlockMeasure, ExtentsFollowCellsGapsAndDirection) {
    const Catalogue catalogue(model::models::QX950W3);
    struct Row {
        const char* name;
        std::vector<std::pair<std::string, int>> lines;
        int width, charSpacing, direction, kind;
        BlockExtent expected;
    };
    const int tube = model::TargetKind::KavTube;
    const int tape = model::TargetKind::Tape;
    const Row rows[] = {
        {"longest line, line gap", {{"ABC", 3}, {"AB", 1}}, 0, 0, 0, tube, {3 * 26 + 2 * 5, 35 + 5 + 23}},
        {"half width", {{"ABCD", 3}}, 1, 0, 0, tube, {4 * 13 + 3 * 5, 35}},
        {"double width, wide spacing", {{"AB", 2}}, 2, 3, 0, tube, {2 * 44 + 10, 28}},
        {"empty lines: height only", {{"AB", 0}, {"", 0}, {"C", 0}}, 0, 0, 0, tube, {37, 3 * 16 + 2 * 5}},
        {"vertical tape: lines along the piece", {{"AB", 3}, {"ABC", 3}}, 0, 0, 1, tape, {35 + 5 + 35, 88}},
        {"vertical tape, half width", {{"AB", 3}}, 1, 0, 1, tape, {35, 2 * 13 + 5}},
        {"vertical tube: the cell turns", {{"AB", 3}}, 0, 0, 1, tube, {2 * 35 + 5, 26}},
        {"vertical tube, half width", {{"AB", 3}}, 1, 0, 1, tube, {2 * 18 + 5, 26}},
    };
    for (const Row& row : rows) {
        EditData data = documentWith(catalogue, row.lines, row.width);
        data.target.charSpacing = static_cast<std::int16_t>(row.charSpacing);
        data.target.direction = static_cast<std::int16_t>(row.direction);
        data.target.targetKind = static_cast<std::int16_t>(row.kind);
        data.target.targetSize = row.kind == tape ? 12 : 32;
        EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0), row.expected) << row.name;
    }
    EditData none = documentWith(catalogue, {{"ABC", 3}});
    none.block(0).lineCount = 0;
    EXPECT_EQ(MeasureBlock(catalogue, none, 0, 0), (BlockExtent{0, 0}));
    EXPECT_EQ(MeasureBlock(catalogue, none, model::MaxBlocks, 0), (BlockExtent{0, 0}));
}

TEST(BlockMeasure, SequenceTokensTakeTheWidthOfTheirText) {
    const Catalogue catalogue(model::models::QX950W3);
    EditData data = documentWith(catalogue, {{"A-$", 0}});
    addSequence(data, 0, decimalRun(98, 102));
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0).length, 4 * 16 + 3 * 5) << "98";
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, NoPiece).length, 5 * 16 + 4 * 5) << "widest: 102";
    data.block(0).sequences[0] = decimalRun(102, 98);
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 4).length, 4 * 16 + 3 * 5) << "98 at the last piece";
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, NoPiece).length, 5 * 16 + 4 * 5) << "widest: the first, 102";

    EditData unbound = documentWith(catalogue, {{"A$$", 0}});
    addSequence(unbound, 0, decimalRun(1, 5));
    EXPECT_EQ(MeasureBlock(catalogue, unbound, 0, 0).length, 2 * 16 + 5) << "a token without definition";

    // The first generation reads the stored values: 98..100 odd is 100 to it, 9..0 at piece 1 is 10.
    EditData first = documentWith(catalogue, {{"$", 0}});
    addSequence(first, 0, decimalRun(98, 100, 1));
    const auto length = [&](int piece, TokenValueRule rule) {
        return sequenceTokenLengths(first.block(0), 9, piece, rule).lengths[0];
    };
    EXPECT_EQ(length(NoPiece, TokenValueRule::SecondGeneration), 2);
    EXPECT_EQ(length(NoPiece, TokenValueRule::FirstGeneration), 3);
    first.block(0).sequences[0] = decimalRun(9, 0);
    EXPECT_EQ(length(1, TokenValueRule::Standard), 1);
    EXPECT_EQ(length(1, TokenValueRule::FirstGeneration), 2);
}

TEST(BlockMeasure, AutoPitchMarginsAddFrameReverseUnderlineAndEnds) {
    const Catalogue catalogue(model::models::QX950W3);
    // "A" at 3.0 mm is 26 × 35; a tube's ends are 2.0 mm = 24 dots each.
    const std::tuple<int, int, int, BlockExtent> rows[] = {
        {0, 0, 0, {26 + 48, 35}},
        {2, 1, 0, {26 + 12 + 48, 35 + 12}}, // the frame wins over the reverse
        {0, 1, 1, {26 + 4 + 48, 35 + 4}},   // the reverse wins over the underline
        {0, 0, 1, {26 + 48, 35 + 4}},
    };
    for (const auto& [frame, reverse, underline, expected] : rows) {
        EditData data = documentWith(catalogue, {{"A", 3}});
        data.target.pitchAuto = 1;
        data.target.frame = static_cast<std::int16_t>(frame);
        data.block(0).reverse = static_cast<std::uint8_t>(reverse);
        data.block(0).underline = static_cast<std::int16_t>(underline);
        EXPECT_EQ(MeasureBlockWithMargins(catalogue, data, 0, 0), expected) << frame << reverse << underline;
    }
    EditData specified = documentWith(catalogue, {{"A", 3}});
    EXPECT_EQ(MeasureBlockWithMargins(catalogue, specified, 0, 0), (BlockExtent{0, 0})) << "pitch given";
}

TEST(BlockMeasure, PieceRunsAgreeWithMeasuringEveryPiece) {
    const Catalogue catalogue(model::models::QX950W3);
    const std::pair<std::string, std::vector<model::tagSEQ_V900>> rows[] = {
        {"A$", {decimalRun(1, 1000)}},
        {"$-$", {decimalRun(1, 100), decimalRun(100, 1)}},
        {"X$Y$", {decimalRun(1, 999, 1, 2), decimalRun(5000, 9999)}},
        {"$$", {{2, 0, 0x0FF0, 0x1010, 0, 0}, {0, 0, 0, 600, 0, 0}}},
        {"$1$", {{3, 0, 0x2341, 0x235A, 0, 0}, decimalRun(90, 200)}},
        {"AB", {decimalRun(1, 20), decimalRun(1, 3), decimalRun(5, 30)}}, // the second line's token only
    };
    for (const auto& [text, definitions] : rows) {
        EditData data = documentWith(catalogue, {{text, 0}, {"Q$", 1}});
        for (const auto& d : definitions)
            addSequence(data, 0, d);
        const model::EditBlock& block = data.block(0);
        const std::vector<PieceRun> runs = measurePieceRuns(catalogue, data.target, block);
        int piece = 0;
        BlockExtent largest{0, 0};
        for (const PieceRun& run : runs) {
            ASSERT_EQ(run.firstPiece, piece) << text;
            for (int k = 0; k < run.pieceCount; ++k, ++piece) {
                const BlockExtent each = MeasureBlock(catalogue, data.target, block, piece);
                ASSERT_EQ(run.extent, each) << text << ", piece " << piece;
                largest = {std::max(largest.length, each.length), std::max(largest.height, each.height)};
            }
        }
        EXPECT_EQ(piece, model::blockPieceCount(block)) << text;
        EXPECT_EQ(largestExtent(runs), largest) << text;
    }
}

} // namespace
} // namespace qx::output
