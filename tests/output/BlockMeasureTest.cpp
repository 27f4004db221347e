#include "OutputTestDocuments.h"

#include "output/BlockMeasure.h"

#include "model/Catalogue.h"
#include "model/Sequences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::output {
namespace {

using namespace testdocs;
using model::Catalogue;
using model::EditData;

struct LineSpec {
    std::string text;
    int size;
    int width = 0;
};

struct ExtentRow {
    const char* name;
    std::vector<LineSpec> lines;
    int charSpacing;
    int lineSpacing;
    BlockExtent expected;
};

EditData documentWith(const Catalogue& catalogue, const std::vector<LineSpec>& lines) {
    EditData data = newDocument(catalogue, 0);
    for (std::size_t i = 0; i < lines.size(); ++i)
        setLine(data, 0, static_cast<int>(i), lines[i].text, lines[i].size, lines[i].width);
    return data;
}

// Cells 1.3 mm 16×16, 2.0 mm 18×23, 2.4 mm 22×28, 3.0 mm 26×35; gaps standard 5, narrow 2, wide 10.
TEST(BlockMeasure, HorizontalExtentsFollowCellsAndGaps) {
    const Catalogue catalogue(model::models::QX950W3);
    const ExtentRow rows[] = {
        {"three characters", {{"ABC", 3}}, 0, 0, {3 * 26 + 2 * 5, 35}},
        {"longest line and line gap", {{"ABC", 3}, {"AB", 1}}, 0, 0, {88, 35 + 5 + 23}},
        {"half width", {{"ABCD", 3, 1}}, 0, 0, {4 * 13 + 3 * 5, 35}},
        {"double width", {{"AB", 2, 2}}, 0, 0, {2 * 44 + 5, 28}},
        {"wide character spacing", {{"ABC", 3}}, 3, 0, {3 * 26 + 2 * 10, 35}},
        {"wide line spacing is code 2", {{"A", 0}, {"A", 0}}, 0, 2, {16, 16 + 10 + 16}},
        {"empty middle line keeps its height", {{"AB", 0}, {"", 0}, {"C", 0}}, 0, 0, {37, 16 + 5 + 16 + 5 + 16}},
        {"empty line has no length", {{"", 3}}, 0, 0, {0, 35}},
    };
    for (const ExtentRow& row : rows) {
        EditData data = documentWith(catalogue, row.lines);
        data.target.charSpacing = static_cast<std::int16_t>(row.charSpacing);
        data.target.lineSpacing = static_cast<std::int16_t>(row.lineSpacing);
        EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0), row.expected) << row.name;
    }
}

TEST(BlockMeasure, BlockWithoutUsedLinesMeasuresNothing) {
    const Catalogue catalogue(model::models::QX950W3);
    EditData data = documentWith(catalogue, {{"ABC", 3}});
    data.block(0).lineCount = 0;
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0), (BlockExtent{0, 0}));
    EXPECT_EQ(MeasureBlock(catalogue, data, -1, 0), (BlockExtent{0, 0}));
    EXPECT_EQ(MeasureBlock(catalogue, data, model::MaxBlocks, 0), (BlockExtent{0, 0}));
}

TEST(BlockMeasure, VerticalWritingOnFlatMediaRunsLinesAlongThePiece) {
    const Catalogue catalogue(model::models::QX950W3);
    const ExtentRow tapeRows[] = {
        // Cell 3.0 mm turned: 35 across the line, 26 along it; the block is then turned as well.
        {"one line", {{"AB", 3}}, 0, 0, {35, 2 * 26 + 5}},
        {"two lines side by side", {{"AB", 3}, {"ABC", 3}}, 0, 0, {35 + 5 + 35, 3 * 26 + 2 * 5}},
        {"half width acts along the line", {{"AB", 3, 1}}, 0, 0, {35, 2 * 13 + 5}},
    };
    for (const ExtentRow& row : tapeRows) {
        EditData data = documentWith(catalogue, row.lines);
        data.target.targetKind = model::TargetKind::Tape;
        data.target.targetSize = 12;
        data.target.direction = 1;
        EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0), row.expected) << row.name;
    }

    // On a tube the cell is turned but the block is not.
    EditData tube = documentWith(catalogue, {{"AB", 3}});
    tube.target.direction = 1;
    EXPECT_EQ(MeasureBlock(catalogue, tube, 0, 0), (BlockExtent{2 * 35 + 5, 26}));
    tube.block(0).lines[0].charWidth = 1;
    EXPECT_EQ(MeasureBlock(catalogue, tube, 0, 0), (BlockExtent{2 * 18 + 5, 26}));

    // In print-length mode a tape behaves like the tube.
    EditData printLength = documentWith(catalogue, {{"AB", 3}});
    printLength.target.targetKind = model::TargetKind::Tape;
    printLength.target.targetSize = 12;
    printLength.target.direction = 1;
    printLength.target.printMode = PrintLengthMode;
    EXPECT_EQ(MeasureBlock(catalogue, printLength, 0, 0), (BlockExtent{2 * 35 + 5, 26}));
}

TEST(BlockMeasure, AutomaticSizeModesUseTheLinesOwnSpacing) {
    for (const auto& [model, expected] : {std::pair{model::models::QX950W3, BlockExtent{4 * 16, 16 + 16}},
                                          std::pair{model::models::QX950W, BlockExtent{4 * 16 + 3 * 2, 16 + 2 + 16}}}) {
        const Catalogue catalogue(model);
        EditData data = documentWith(catalogue, {{"AAAA", 0}, {"AAAA", 0}});
        data.target.sizeMode = 1;
        for (model::EditLine& line : data.block(0).lines) {
            line.autoCharSpacing = 2; // close: 0 dots
            line.autoLineSpacing = 3; // close: 0 dots
        }
        EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0), expected) << "model " << model;
    }
}

TEST(BlockMeasure, SequenceTokensTakeTheWidthOfTheirText) {
    const Catalogue catalogue(model::models::QX950W3);
    EditData data = documentWith(catalogue, {{"A-$", 0}});
    addSequence(data, 0, decimalRun(98, 102));
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 0).length, 4 * 16 + 3 * 5) << "98";
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 4).length, 5 * 16 + 4 * 5) << "102";
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, NoPiece).length, 5 * 16 + 4 * 5) << "widest: 102";

    data.block(0).sequences[0] = decimalRun(102, 98);
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, 4).length, 4 * 16 + 3 * 5) << "98 at the last piece";
    EXPECT_EQ(MeasureBlock(catalogue, data, 0, NoPiece).length, 5 * 16 + 4 * 5) << "widest: the first, 102";

    // A token without a definition prints nothing.
    EditData unbound = documentWith(catalogue, {{"A$$", 0}});
    addSequence(unbound, 0, decimalRun(1, 5));
    EXPECT_EQ(MeasureBlock(catalogue, unbound, 0, 0).length, 2 * 16 + 5);
}

TEST(BlockMeasure, TokenValueRulesPerGeneration) {
    struct Row {
        const char* name;
        std::vector<model::tagSEQ_V900> definitions;
        int piece;
        int standard, second, first; // length of the first token's text
    };
    const Row rows[] = {
        {"odd values of 98..100: only 99; the first generation reads 100", {decimalRun(98, 100, 1)}, NoPiece, 2, 2, 3},
        {"a shorter run cuts the pieces", {decimalRun(1, 1000), decimalRun(1, 5)}, NoPiece, 1, 4, 4},
        {"counting down, piece 1", {decimalRun(9, 0)}, 1, 1, 1, 2},
        {"piece 0 is the first value", {decimalRun(7, 12)}, 0, 1, 1, 1},
    };
    const Catalogue catalogue(model::models::QX950W3);
    for (const Row& row : rows) {
        EditData data = documentWith(catalogue, {{"$$", 0}});
        for (const auto& d : row.definitions)
            addSequence(data, 0, d);
        const model::EditBlock& block = data.block(0);
        EXPECT_EQ(sequenceTokenLengths(block, 9, row.piece, TokenValueRule::Standard).lengths[0], row.standard)
            << row.name;
        EXPECT_EQ(sequenceTokenLengths(block, 9, row.piece, TokenValueRule::SecondGeneration).lengths[0], row.second)
            << row.name;
        EXPECT_EQ(sequenceTokenLengths(block, 9, row.piece, TokenValueRule::FirstGeneration).lengths[0], row.first)
            << row.name;
    }
}

TEST(BlockMeasure, AutoPitchMarginsAddFrameReverseUnderlineAndEnds) {
    const Catalogue catalogue(model::models::QX950W3);
    struct Row {
        const char* name;
        int frame;
        int reverse;
        int underline;
        BlockExtent expected;
    };
    // "A" at 3.0 mm is 26 × 35; a tube's ends are 2.0 mm = 24 dots each.
    const Row rows[] = {
        {"plain", 0, 0, 0, {26 + 48, 35}},
        {"frame 2", 2, 0, 0, {26 + 12 + 48, 35 + 12}},
        {"frame wins over reverse", 1, 1, 0, {26 + 8 + 48, 35 + 8}},
        {"reverse", 0, 1, 0, {26 + 4 + 48, 35 + 4}},
        {"underline on a tube", 0, 0, 1, {26 + 48, 35 + 4}},
    };
    for (const Row& row : rows) {
        EditData data = documentWith(catalogue, {{"A", 3}});
        data.target.pitchAuto = 1;
        data.target.frame = static_cast<std::int16_t>(row.frame);
        data.block(0).reverse = static_cast<std::uint8_t>(row.reverse);
        data.block(0).underline = static_cast<std::int16_t>(row.underline);
        EXPECT_EQ(MeasureBlockWithMargins(catalogue, data, 0, 0), row.expected) << row.name;
    }

    // Vertical tape: the text is turned (35 × 26), the underline lies along the piece and the tape's
    // ends are 1.0 mm = 12 dots.
    EditData tape = documentWith(catalogue, {{"A", 3}});
    tape.target.pitchAuto = 1;
    tape.target.targetKind = model::TargetKind::Tape;
    tape.target.targetSize = 12;
    tape.target.direction = 1;
    tape.block(0).underline = 1;
    EXPECT_EQ(MeasureBlockWithMargins(catalogue, tape, 0, 0), (BlockExtent{35 + 4 + 24, 26}));

    tape.target.pitchAuto = 0;
    EXPECT_EQ(MeasureBlockWithMargins(catalogue, tape, 0, 0), (BlockExtent{0, 0}));
}

TEST(BlockMeasure, PieceRunsAgreeWithMeasuringEveryPiece) {
    const Catalogue catalogue(model::models::QX950W3);
    struct Row {
        const char* name;
        std::string text;
        std::vector<model::tagSEQ_V900> definitions;
    };
    const Row rows[] = {
        {"up 1..1000", "A$", {decimalRun(1, 1000)}},
        {"up and down in one line", "$-$", {decimalRun(1, 100), decimalRun(100, 1)}},
        {"odd values with fill", "X$Y$", {decimalRun(1, 999, 1, 2), decimalRun(5000, 9999)}},
        {"hex and octal", "$$", {{2, 0, 0x0FF0, 0x1010, 0, 0}, {0, 0, 0, 600, 0, 0}}},
        {"letters never change width", "$1$", {{3, 0, 0x2341, 0x235A, 0, 0}, decimalRun(90, 200)}},
        {"token in the second line", "AB$", {decimalRun(8, 12), decimalRun(1, 3)}},
        {"definition without a token", "AB", {decimalRun(1, 20), decimalRun(1, 3), decimalRun(5, 30)}},
    };
    for (const Row& row : rows) {
        EditData data = documentWith(catalogue, {{row.text, 0}, {"Q$", 1}});
        for (const auto& d : row.definitions)
            addSequence(data, 0, d);
        const model::EditBlock& block = data.block(0);
        const std::vector<PieceRun> runs = measurePieceRuns(catalogue, data.target, block);
        const int pieces = model::blockPieceCount(block);

        std::vector<BlockExtent> expanded;
        int next = 0;
        for (const PieceRun& run : runs) {
            ASSERT_EQ(run.firstPiece, next) << row.name;
            for (int k = 0; k < run.pieceCount; ++k)
                expanded.push_back(run.extent);
            next += run.pieceCount;
        }
        ASSERT_EQ(next, pieces) << row.name;
        BlockExtent largest{0, 0};
        for (int k = 0; k < pieces; ++k) {
            const BlockExtent each = MeasureBlock(catalogue, data.target, block, k);
            ASSERT_EQ(expanded[static_cast<std::size_t>(k)], each) << row.name << ", piece " << k;
            largest = {std::max(largest.length, each.length), std::max(largest.height, each.height)};
        }
        EXPECT_EQ(largestExtent(runs), largest) << row.name;
        EXPECT_LT(runs.size(), 12u) << row.name;
    }
}

} // namespace
} // namespace qx::output
