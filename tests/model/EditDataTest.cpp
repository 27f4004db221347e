#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace qx::model {
namespace {

tagSEQ_V900 decimalRun(std::uint16_t start, std::uint16_t end) { return tagSEQ_V900{1, 0, start, end, 0, 0}; }

class EditDataTest : public ::testing::Test {
protected:
    Catalogue catalogue{models::QX950W3};
    OperatorSettings settings = OperatorSettings::defaultsFor(catalogue);
};

TEST_F(EditDataTest, NewRecordHasTheModelDefaults) {
    const EditData data = createEditData(catalogue, 3);
    EXPECT_EQ(data.blockCount, 1);
    EXPECT_EQ(data.target.printMode, 0x2F21);
    EXPECT_EQ(data.target.targetKind, 1);
    EXPECT_EQ(data.target.targetSize, 32);
    EXPECT_EQ(data.target.labelWidth, 60);
    EXPECT_EQ(data.target.labelLength, 200);
    EXPECT_EQ(data.target.labelGap, 20);
    EXPECT_EQ(data.target.sizeMode, 1);
    EXPECT_EQ(data.target.pitchCut, 1);
    EXPECT_EQ(data.target.placement, 1);
    EXPECT_EQ(data.target.leftMargin, 2);
    EXPECT_EQ(data.target.frameGap, 3) << "the frame gap is the operator's, not the table's";
    EXPECT_EQ(data.target.autoTextSize, 3);
    EXPECT_EQ(data.extraSettings, (std::array<std::int16_t, 7>{1, 4, 0, 30, 1, 0, 1}));
    for (int b : {0, 500, MaxBlocks - 1}) {
        const EditBlock& block = data.block(b);
        EXPECT_EQ(block.lineCount, 1);
        EXPECT_EQ(block.count, 2);
        EXPECT_EQ(block.pitch, 200);
        EXPECT_EQ(block.sequenceCount, 0);
        for (const EditLine& line : block.lines) {
            EXPECT_TRUE(line.chars.empty());
            EXPECT_EQ(line.charSize, 3);
            EXPECT_EQ(line.charWidth, 0);
            EXPECT_EQ(line.autoCharSpacing, 1);
            EXPECT_EQ(line.autoLineSpacing, 1);
        }
    }
}

TEST_F(EditDataTest, CopyIsDeepAndDropsCheckResults) {
    EditData original = createEditData(catalogue, 1);
    original.line(998, 3).chars = {0x2341, 0x2342};
    original.blockCheckResults.values = {1, 2, 3};
    original.printLengthCheck = 5;

    EditData copy = original;
    EXPECT_TRUE(copy.blockCheckResults.values.empty());
    EXPECT_EQ(copy.printLengthCheck, 5);
    EXPECT_EQ(copy.line(998, 3).chars, (CodeList{0x2341, 0x2342}));

    copy.line(998, 3).chars[0] = 0x2121;
    EXPECT_EQ(original.line(998, 3).chars[0], 0x2341) << "the copy shares no line array";

    EditData assigned = createEditData(catalogue, 1);
    assigned.blockCheckResults.values = {9};
    assigned = original;
    EXPECT_TRUE(assigned.blockCheckResults.values.empty());
    EXPECT_EQ(assigned.line(998, 3).chars.size(), 2u);
}

TEST_F(EditDataTest, MoveTakesTheBlocksWithoutCopying) {
    EditData original = createEditData(catalogue, 1);
    original.line(0, 0).chars = {0x2341};
    const CharCode* storage = original.line(0, 0).chars.data();
    EditData moved = std::move(original);
    EXPECT_EQ(moved.line(0, 0).chars.data(), storage);
    static_assert(std::is_nothrow_move_constructible_v<EditData>);
}

TEST_F(EditDataTest, OperatorDefaultsFollowTheTargetFamily) {
    settings.textSize = 5;
    settings.textWidth = 2;
    settings.numberTube = 7;
    settings.numberTape = 4;
    settings.pitchLenTube = 250;
    settings.pitchLenTape = 150;

    struct Row {
        int kind;
        int size;
        int expectedCount;
        int expectedPitch;
    };
    const Row rows[] = {
        {TargetKind::KavTube, 32, 7, 250},
        {TargetKind::KavgTube, 29, 7, 250},
        {TargetKind::Tape, 9, 4, 150},
        {TargetKind::Plate05, 80, 4, 150},
        {TargetKind::KavLabel, 125, 4, 270},     // (125 mod 100) × 10 + 20
        {TargetKind::GeneralLabel, 0, 4, 220},  // label length 200 + gap 20
    };
    for (const Row& row : rows) {
        EditData data = createEditData(catalogue, 1);
        data.target.targetKind = static_cast<std::int16_t>(row.kind);
        data.target.targetSize = static_cast<std::int16_t>(row.size);
        applyOperatorDefaults(data, settings);
        for (int b : {0, MaxBlocks - 1}) {
            EXPECT_EQ(data.block(b).count, row.expectedCount) << "kind " << row.kind;
            EXPECT_EQ(data.block(b).pitch, row.expectedPitch) << "kind " << row.kind;
            EXPECT_EQ(data.line(b, 3).charSize, 5);
            EXPECT_EQ(data.line(b, 3).charWidth, 2);
        }
    }
}

TEST_F(EditDataTest, SequenceListKeepsAtMostTwelve) {
    EditBlock block;
    std::vector<tagSEQ_V900> fifteen;
    for (std::uint16_t i = 0; i < 15; ++i) {
        fifteen.push_back(decimalRun(i, 100));
    }
    block.replaceSequences(fifteen.data(), 15);
    EXPECT_EQ(block.sequenceCount, 12);
    EXPECT_EQ(block.sequence(11).start, 11);

    block.appendSequence(decimalRun(99, 100));
    EXPECT_EQ(block.sequenceCount, 12);
    EXPECT_EQ(block.sequence(11).start, 11);

    block.replaceSequences(fifteen.data(), 0);
    EXPECT_FALSE(block.hasSequences());
    block.replaceSequences(fifteen.data(), -3);
    EXPECT_FALSE(block.hasSequences());
}

TEST_F(EditDataTest, RemovingSequencesMovesLaterOnesUp) {
    EditBlock block;
    for (std::uint16_t i = 0; i < 5; ++i) {
        block.appendSequence(decimalRun(i, 9));
    }
    block.removeSequences(1, 2);
    ASSERT_EQ(block.sequenceCount, 3);
    EXPECT_EQ(block.sequence(0).start, 0);
    EXPECT_EQ(block.sequence(1).start, 3);
    EXPECT_EQ(block.sequence(2).start, 4);

    block.removeSequences(2, 50); // cut to what exists
    EXPECT_EQ(block.sequenceCount, 2);
    for (auto [i, n] : {std::pair{-1, 1}, {2, 1}, {0, 0}, {0, -4}}) {
        block.removeSequences(i, n);
        EXPECT_EQ(block.sequenceCount, 2) << i << "," << n;
    }
}

TEST_F(EditDataTest, AppendingARangeCopiesHeaderFirstThenBlocks) {
    EditData source = createEditData(catalogue, 1);
    source.target.targetKind = TargetKind::Tape;
    source.target.targetSize = 12;
    source.target.printMode = 0x2F22;
    source.target.frameGap = 3;
    source.extraSettings[3] = 55;
    source.sendSettings[10] = 8;
    source.blockCount = 6;
    for (int b = 0; b < 6; ++b) {
        source.line(b, 0).chars = {static_cast<CharCode>(0x2341 + b)};
        source.line(b, 0).autoCharSpacing = 3;
        source.block(b).count = static_cast<std::int16_t>(10 + b);
        source.block(b).pitch = static_cast<std::int16_t>(300 + b);
        source.block(b).reserved = 77;
    }
    source.block(3).appendSequence(decimalRun(1, 5));

    EditData destination = createEditData(catalogue, 1);
    int position = 0;
    appendBlocks(source, destination, position, 2, 5, settings);

    EXPECT_EQ(position, 3);
    EXPECT_EQ(destination.target, source.target);
    EXPECT_EQ(destination.extraSettings[3], 55);
    EXPECT_EQ(destination.sendSettings[10], 8);
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(destination.line(b, 0).chars, source.line(b + 2, 0).chars);
        EXPECT_EQ(destination.block(b).count, 12 + b);
        EXPECT_EQ(destination.block(b).pitch, 302 + b);
        EXPECT_EQ(destination.block(b).reserved, 77);
        EXPECT_EQ(destination.line(b, 0).autoCharSpacing, 1) << "working spacing stays the destination's";
    }
    EXPECT_EQ(destination.block(1).sequenceCount, 1);
    // Blocks from 3 on carry the operator defaults for a tape.
    EXPECT_TRUE(destination.line(3, 0).chars.empty());
    EXPECT_EQ(destination.block(3).count, settings.numberTape);
    EXPECT_EQ(destination.block(3).pitch, settings.pitchLenTape);

    // A later, empty range changes nothing.
    const EditData before = destination;
    appendBlocks(source, destination, position, 4, 4, settings);
    EXPECT_EQ(position, 3);
    EXPECT_EQ(destination.blocks, before.blocks);
}

TEST_F(EditDataTest, AppendingNeverWritesPastTheLastSlot) {
    EditData source = createEditData(catalogue, 1);
    EditData destination = createEditData(catalogue, 1);
    int position = MaxBlocks - 2;
    appendBlocks(source, destination, position, 0, 50, settings);
    EXPECT_EQ(position, MaxBlocks);
    appendBlocks(source, destination, position, -5, 2000, settings);
    EXPECT_EQ(position, MaxBlocks);
}

TEST_F(EditDataTest, MarkersAndDocumentTotals) {
    EditLine line;
    line.chars = {0x2F26, 0x2341, 0x2F26, 0x2F26};
    EXPECT_EQ(countSequenceMarkers(line), 3);
    EXPECT_EQ(countSequenceMarkers(line, 2), 2);

    EditData data = createEditData(catalogue, 1);
    data.blockCount = 3;
    data.block(0).appendSequence(decimalRun(1, 2));
    data.block(2).appendSequence(decimalRun(1, 2));
    data.block(2).appendSequence(decimalRun(1, 2));
    data.block(5).appendSequence(decimalRun(1, 2)); // beyond blockCount: not part of the document
    EXPECT_EQ(documentSequenceCount(data), 3);
    EXPECT_TRUE(canAddSequence(data, catalogue));

    data.target.printMode = 0x2F22; // print-length mode allows one per document
    EXPECT_FALSE(canAddSequence(data, catalogue));

    // The last one allowed can still be added: the first in print-length mode, the 15th on QX-780.
    EditData empty = createEditData(catalogue, 1);
    empty.target.printMode = 0x2F22;
    EXPECT_TRUE(canAddSequence(empty, catalogue));
    const Catalogue qx780(models::QX780);
    EditData fourteen = createEditData(qx780, 1);
    fourteen.blockCount = 15;
    for (int b = 0; b < 14; ++b)
        fourteen.block(b).appendSequence(decimalRun(1, 2));
    EXPECT_TRUE(canAddSequence(fourteen, qx780));
    fourteen.block(14).appendSequence(decimalRun(1, 2));
    EXPECT_FALSE(canAddSequence(fourteen, qx780));
}

TEST_F(EditDataTest, TubeAndLabelFamilies) {
    TargetSettings target;
    for (int kind : {1, 2, 3, 4, 9, 11, 12}) {
        target.targetKind = static_cast<std::int16_t>(kind);
        EXPECT_TRUE(isTubeTarget(target)) << kind;
        EXPECT_EQ(defaultPitch(target, settings), settings.pitchLenTube);
        EXPECT_EQ(defaultCount(target, settings), settings.numberTube);
    }
    for (int kind : {0, 5, 6, 7, 8, 10}) {
        target.targetKind = static_cast<std::int16_t>(kind);
        EXPECT_FALSE(isTubeTarget(target)) << kind;
        EXPECT_EQ(isLabelTarget(target), kind == 7 || kind == 8) << kind;
        EXPECT_EQ(defaultPitch(target, settings), settings.pitchLenTape);
        EXPECT_EQ(defaultCount(target, settings), settings.numberTape);
    }
}

} // namespace
} // namespace qx::model
