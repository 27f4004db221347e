#include "ui/grid/CellWriter.h"

#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/TextConversion.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qx::ui {
namespace {

using Kind = CellWriteOutcome::Kind;
using model::tagSEQ_V900;

constexpr model::CharCode FullA = 0x2341;
constexpr model::CharCode Marker = model::codes::SequenceMarker;

class CellWriterTest : public ::testing::Test {
protected:
    /// Three blocks of a tube document; block 2 has a count of 7, a pitch of 25.0 mm, reverse and
    /// underline on.
    model::EditData threeBlocks() const {
        model::EditData data = model::createEditData(catalogue, 1);
        data.blockCount = 3;
        data.block(0).lines[0].chars = {FullA};
        data.block(2).count = 7;
        data.block(2).pitch = 250;
        data.block(2).reverse = 1;
        data.block(2).underline = 1;
        return data;
    }

    CellWriteOutcome write(model::EditData& data, int row, ColumnType column, std::string_view text,
                           std::vector<tagSEQ_V900> sequences = {}) {
        return writer.write(data, row, column, text, sequences, [this] { ++changes; });
    }

    model::Catalogue catalogue{model::models::QX950W3};
    CellWriter writer{catalogue};
    int changes = 0;
};

TEST(CellWriterNumbers, DecimalTenthsAreExactAndTruncated) {
    struct Row {
        const char* text;
        long long tenths;
        bool beyond;
    };
    const Row rows[] = {
        {"12.5", 125, false}, {"12.34", 123, true}, {"12.30", 123, false}, {"0.7", 7, false},
        {" 60", 600, false},  {"１２．５", 125, false}, {"12.5mm", 125, false}, {"abc", 0, false},
        {"-1.5", -15, false}, {"999999999999999999", 10'000'000'000'000, false},
    };
    for (const Row& row : rows) {
        const DecimalTenths value = parseCellDecimal(row.text);
        EXPECT_EQ(value.tenths, row.tenths) << row.text;
        EXPECT_EQ(value.beyondTenths, row.beyond) << row.text;
    }
}

TEST(CellWriterNumbers, RangeChecksUseTheExactValue) {
    EXPECT_TRUE(parseCellDecimal("60.0").within(100, 600));
    EXPECT_FALSE(parseCellDecimal("60.01").within(100, 600));
    EXPECT_TRUE(parseCellDecimal("10.0").within(100, 600));
    EXPECT_FALSE(parseCellDecimal("9.99").within(100, 600));
    EXPECT_FALSE(parseCellDecimal("-0.01").within(0, 10));
}

TEST(CellWriterNumbers, IntegersReadTheLeadingNumber) {
    EXPECT_EQ(parseCellInteger("12"), 12);
    EXPECT_EQ(parseCellInteger(" 5x"), 5);
    EXPECT_EQ(parseCellInteger("３"), 3);
    EXPECT_EQ(parseCellInteger("-4"), -4);
    EXPECT_EQ(parseCellInteger(""), 0);
    EXPECT_EQ(cellPitchText(125), "12.5");
    EXPECT_EQ(cellPitchText(200), "20.0");
}

TEST_F(CellWriterTest, CellTextsFollowTheColumnType) {
    const model::EditData data = threeBlocks();
    EXPECT_EQ(writer.cellText(data, 2, ColumnType::Count), "7");
    EXPECT_EQ(writer.cellText(data, 2, ColumnType::Pitch), "25.0");
    EXPECT_EQ(writer.cellText(data, 2, ColumnType::Underline), "する");
    EXPECT_EQ(writer.cellText(data, 2, ColumnType::Reverse), "する");
    EXPECT_EQ(writer.cellText(data, 1, ColumnType::Reverse), "しない");
    EXPECT_EQ(writer.cellText(data, 0, ColumnType::Line1), "Ａ");
    EXPECT_EQ(writer.cellText(data, 3, ColumnType::Count), "");
}

TEST_F(CellWriterTest, RowsPastTheBlockAfterTheLastAreRefused) {
    model::EditData data = threeBlocks();
    const CellWriteOutcome outcome = write(data, 5, ColumnType::Line1, "x");
    EXPECT_EQ(outcome.kind, Kind::Refused);
    EXPECT_EQ(outcome.messageId, 42030);
    EXPECT_EQ(outcome.message, "このブロックには入力できません。");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(data.blockCount, 3);
    EXPECT_EQ(write(data, 999, ColumnType::Count, "2").messageId, 42030);
}

TEST_F(CellWriterTest, WritingTheRowAfterTheLastAppendsABlockLikeThePreviousOne) {
    model::EditData data = threeBlocks();
    data.block(3).lines[1].chars = {FullA, FullA}; // left over from a longer document
    const CellWriteOutcome outcome = write(data, 3, ColumnType::Line1, "x");
    ASSERT_TRUE(outcome.written());
    EXPECT_TRUE(outcome.appended);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(data.blockCount, 4);
    const model::EditBlock& block = data.block(3);
    EXPECT_EQ(block.count, 7);
    EXPECT_EQ(block.pitch, 250);
    EXPECT_EQ(block.reverse, 1);
    EXPECT_EQ(block.underline, 1);
    EXPECT_EQ(block.lines[0].chars, model::CodeList{0x2378}); // full-width x
    EXPECT_TRUE(block.lines[1].chars.empty());
    EXPECT_EQ(block.lineCount, 1);
}

TEST_F(CellWriterTest, ClosingAnEditorOnAnEmptyRowWritesNothing) {
    model::EditData data = threeBlocks();
    for (const auto& [row, column, text] : {std::tuple{3, ColumnType::Count, ""}, std::tuple{3, ColumnType::Reverse, "しない"},
                                            std::tuple{50, ColumnType::Underline, "しない"},
                                            std::tuple{50, ColumnType::Line2, ""}}) {
        EXPECT_EQ(write(data, row, column, text).kind, Kind::Unchanged) << row;
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(data.blockCount, 3);
}

TEST_F(CellWriterTest, CountsOutsideTheirRangeAreRefusedWithTheBounds) {
    model::EditData data = threeBlocks();
    const CellWriteOutcome outcome = write(data, 1, ColumnType::Count, "301");
    EXPECT_EQ(outcome.kind, Kind::Refused);
    EXPECT_EQ(outcome.messageId, 42040);
    EXPECT_EQ(outcome.message, "1～300の範囲で設定してください。");
    EXPECT_EQ(data.block(1).count, 2);
    EXPECT_EQ(write(data, 1, ColumnType::Count, "0").messageId, 42040);
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(write(data, 1, ColumnType::Count, "300").written());
    EXPECT_EQ(data.block(1).count, 300);
}

TEST_F(CellWriterTest, TheOlderModelsCountToAHundred) {
    const model::Catalogue older(model::models::QX780);
    const CellWriter olderWriter(older);
    model::EditData data = model::createEditData(older, 1);
    const CellWriteOutcome outcome = olderWriter.write(data, 0, ColumnType::Count, "101", {}, {});
    EXPECT_EQ(outcome.message, "1～100の範囲で設定してください。");
}

TEST_F(CellWriterTest, PitchLengthsAreReadToTenthsAndChecked) {
    model::EditData data = threeBlocks();
    ASSERT_TRUE(write(data, 0, ColumnType::Pitch, "12.34").written());
    EXPECT_EQ(data.block(0).pitch, 123);
    EXPECT_EQ(writer.cellText(data, 0, ColumnType::Pitch), "12.3");

    const CellWriteOutcome outcome = write(data, 0, ColumnType::Pitch, "60.5");
    EXPECT_EQ(outcome.kind, Kind::Refused);
    EXPECT_EQ(outcome.messageId, 42041);
    EXPECT_EQ(outcome.message, "10.0～60.0の範囲で設定してください。");
    EXPECT_EQ(data.block(0).pitch, 123);
}

TEST_F(CellWriterTest, TheSameValueRecordsNoUndoStep) {
    model::EditData data = threeBlocks();
    EXPECT_EQ(write(data, 2, ColumnType::Count, "7").kind, Kind::Unchanged);
    EXPECT_EQ(write(data, 2, ColumnType::Count, "07").kind, Kind::Unchanged);
    EXPECT_EQ(write(data, 2, ColumnType::Pitch, "25").kind, Kind::Unchanged);
    EXPECT_EQ(write(data, 0, ColumnType::Line1, "A").kind, Kind::Unchanged); // same code as "Ａ"
    EXPECT_EQ(write(data, 2, ColumnType::Reverse, "する").kind, Kind::Unchanged);
    EXPECT_EQ(changes, 0);
}

TEST_F(CellWriterTest, FlagsAreOffOnlyForTheirOffText) {
    model::EditData data = threeBlocks();
    EXPECT_TRUE(write(data, 2, ColumnType::Reverse, "しない").written());
    EXPECT_EQ(data.block(2).reverse, 0);
    EXPECT_TRUE(write(data, 2, ColumnType::Reverse, "x").written());
    EXPECT_EQ(data.block(2).reverse, 1);
    EXPECT_TRUE(write(data, 2, ColumnType::Underline, "しない").written());
    EXPECT_EQ(data.block(2).underline, 0);
    EXPECT_EQ(changes, 3);
}

TEST_F(CellWriterTest, ALineTakesTokensAndCountsUnprintableCharacters) {
    model::EditData data = threeBlocks();
    const CellWriteOutcome outcome = write(data, 1, ColumnType::Line3, "a\"\"\"0x2821\"\xF0\x9F\x98\x80");
    ASSERT_TRUE(outcome.written());
    EXPECT_EQ(outcome.replaced, 1);
    EXPECT_EQ(data.line(1, 2).chars, (model::CodeList{0x2361, model::fullWidthCode('"'), 0x2821, model::codes::FullWidthBlank}));
    EXPECT_EQ(data.block(1).lineCount, 3);
}

TEST_F(CellWriterTest, EmptyingEveryLineLeavesNoLineInUse) {
    model::EditData data = threeBlocks();
    ASSERT_TRUE(write(data, 0, ColumnType::Line1, "").written());
    EXPECT_EQ(data.block(0).lineCount, 0);
}

TEST_F(CellWriterTest, LineDefinitionsAreReplacedBetweenTheOtherLines) {
    model::EditData data = threeBlocks();
    model::EditBlock& block = data.block(1);
    block.lines[0].chars = {Marker};
    block.lines[1].chars = {Marker};
    block.lines[2].chars = {Marker};
    block.lineCount = 3;
    const tagSEQ_V900 first{1, 0, 1, 5, 0, 0};
    const tagSEQ_V900 second{1, 0, 10, 50, 0, 0};
    const tagSEQ_V900 third{1, 0, 100, 500, 0, 0};
    const tagSEQ_V900 added{2, 0, 0x10, 0x20, 0, 0};
    block.replaceSequences(std::vector{first, second, third}.data(), 3);

    // Line 2 gets a second marker with its own definition.
    ASSERT_TRUE(write(data, 1, ColumnType::Line2, "\"0x2F26\"\"0x2F26\"", {second, added}).written());
    EXPECT_EQ(model::lineSequences(data.block(1), 0), std::vector{first});
    EXPECT_EQ(model::lineSequences(data.block(1), 1), (std::vector{second, added}));
    EXPECT_EQ(model::lineSequences(data.block(1), 2), std::vector{third});

    // Deleting the marker of line 1 takes its definition only.
    ASSERT_TRUE(write(data, 1, ColumnType::Line1, "ｚ", {}).written());
    EXPECT_EQ(data.block(1).sequenceCount, 3);
    EXPECT_EQ(model::lineSequences(data.block(1), 1), (std::vector{second, added}));
    EXPECT_EQ(changes, 2);
}

TEST_F(CellWriterTest, OnlyChangedDefinitionsCountAsAChange) {
    model::EditData data = threeBlocks();
    data.block(0).lines[0].chars = {Marker};
    const tagSEQ_V900 held{1, 0, 1, 5, 0, 0};
    data.block(0).replaceSequences(&held, 1);
    EXPECT_EQ(write(data, 0, ColumnType::Line1, "\"0x2F26\"", {held}).kind, Kind::Unchanged);
    tagSEQ_V900 changed = held;
    changed.end = 9;
    EXPECT_TRUE(write(data, 0, ColumnType::Line1, "\"0x2F26\"", {changed}).written());
    EXPECT_EQ(data.block(0).sequence(0).end, 9);
}

TEST_F(CellWriterTest, DefinitionsAreFittedToTheMarkersOfTheNewText) {
    model::EditData data = threeBlocks();
    const tagSEQ_V900 one{1, 0, 1, 5, 0, 0};
    ASSERT_TRUE(write(data, 1, ColumnType::Line1, "\"0x2F26\"", {one, one}).written());
    EXPECT_EQ(data.block(1).sequenceCount, 1);
    ASSERT_TRUE(write(data, 1, ColumnType::Line2, "\"0x2F26\"", {}).written());
    EXPECT_EQ(data.block(1).sequenceCount, 2);
}

} // namespace
} // namespace qx::ui
