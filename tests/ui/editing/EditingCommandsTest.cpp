#include "ui/editing/EditingCommands.h"

#include "formats/FileInsert.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::ui {
namespace {

using model::CodeList;

/// A document whose block i holds the text "i" (as a single code) in line 1 and pitch 100 + i.
class EditingCommandsTest : public testing::Test {
protected:
    void useModel(model::ModelType type) {
        catalogue = model::Catalogue(type);
        settings = model::OperatorSettings::defaultsFor(catalogue);
        settings.textSize = 1;
        settings.numberTube = 5;
        settings.pitchLenTube = 150;
        data = model::createEditData(catalogue, 2);
    }
    void fill(int blocks) {
        data.blockCount = static_cast<std::int16_t>(blocks);
        for (int b = 0; b < blocks; ++b) {
            data.block(b).lines[0].chars = {static_cast<model::CharCode>(0x2330 + b % 10)};
            data.block(b).pitch = static_cast<std::int16_t>(100 + b);
            data.block(b).lineCount = 1;
        }
    }
    void select(int left, int top, int right, int bottom) {
        grid.selection = {left, top, right, bottom};
        grid.focus = {left, top};
    }
    EditingCommands commands() const { return EditingCommands(catalogue, settings); }

    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 2);
    GridState grid;
    UndoHistory history;
};

TEST_F(EditingCommandsTest, SeventeenEditsKeepTheLastSixteenSteps) {
    useModel(model::models::QX950W3);
    fill(1);
    for (int i = 0; i < 17; ++i) {
        data.block(0).count = static_cast<std::int16_t>(i + 1);
        select(0, i, 0, i);
        history.RecordUndo(data, grid, true);
        data.block(0).count = static_cast<std::int16_t>(i + 2);
    }
    EXPECT_EQ(history.undoSize(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(EditingCommands::undo(data, grid, history).changed);
    }
    EXPECT_FALSE(EditingCommands::undo(data, grid, history).changed);
    // The first edit (count 1 → 2) cannot be undone: the state after it is as far back as it goes.
    EXPECT_EQ(data.block(0).count, 2);
    EXPECT_EQ(grid.selection, (CellRange{0, 1, 0, 1}));
    EXPECT_EQ(history.redoSize(), 16);

    EXPECT_TRUE(EditingCommands::redo(data, grid, history).changed);
    EXPECT_EQ(data.block(0).count, 3);
    EXPECT_EQ(history.undoSize(), 1);
    // An edit empties the redo list.
    history.RecordUndo(data, grid, true);
    EXPECT_FALSE(history.canRedo());
}

TEST_F(EditingCommandsTest, BlockInsertCountsOnlySelectedExistingBlocksWithinTheLimit) {
    struct Case {
        model::ModelType model;
        int blocks, top, bottom, expectedCount;
    };
    const Case cases[] = {
        {model::models::QX950W3, 4, 3, 5, 5},     // rows 3-5 of 4 blocks: only row 3 exists
        {model::models::QX780, 298, 10, 14, 300}, // 5 rows, room for 2 of 300
        {model::models::QX780, 300, 10, 14, 300}, // full: nothing
        {model::models::QX950W3, 4, 4, 6, 4},     // top below the blocks: nothing
    };
    for (const Case& c : cases) {
        useModel(c.model);
        fill(c.blocks);
        history.clear();
        data.block(c.top < c.blocks ? c.top : 0).count = 9;
        select(0, c.top, 7, c.bottom);
        const model::EditData before = data;
        const CommandOutcome outcome = commands().insertBlocks(data, grid, history);
        EXPECT_EQ(data.blockCount, c.expectedCount) << c.blocks << " " << c.top;
        EXPECT_EQ(outcome.changed, c.expectedCount != c.blocks);
        EXPECT_EQ(history.undoSize(), outcome.changed ? 1 : 0);
        if (!outcome.changed) {
            continue;
        }
        EXPECT_EQ(outcome.hint, 8);
        const int n = c.expectedCount - c.blocks;
        // The new block takes the attributes of the one in its slot but no text.
        EXPECT_TRUE(data.block(c.top).lines[0].chars.empty());
        EXPECT_EQ(data.block(c.top).count, 9);
        EXPECT_EQ(data.block(c.top).pitch, 100 + c.top);
        // The old blocks moved down whole.
        EXPECT_EQ(data.block(c.top + n), before.block(c.top));
        EXPECT_EQ(data.block(c.expectedCount - 1), before.block(c.blocks - 1));
    }
}

TEST_F(EditingCommandsTest, BlockDeleteMovesTheRestUpAndKeepsOneBlock) {
    useModel(model::models::QX950W3);
    fill(5);
    const model::EditData before = data;
    select(0, 1, 7, 2);
    commands().deleteBlocks(data, grid, history);
    EXPECT_EQ(data.blockCount, 3);
    EXPECT_EQ(data.block(1), before.block(3));
    EXPECT_EQ(data.block(2), before.block(4));
    // Freed slots are default blocks with the operator's values.
    EXPECT_TRUE(data.block(3).lines[0].chars.empty());
    EXPECT_EQ(data.block(3).count, 5);
    EXPECT_EQ(data.block(3).pitch, 150);
    EXPECT_EQ(data.block(3).lines[2].charSize, 1);

    select(0, 0, 7, 998);
    commands().deleteBlocks(data, grid, history);
    EXPECT_EQ(data.blockCount, 1);
    EXPECT_TRUE(data.block(0).lines[0].chars.empty());
    EXPECT_EQ(data.block(0).lineCount, 1);
    EXPECT_EQ(data.block(0).pitch, 150);
    EXPECT_EQ(history.undoSize(), 2);
}

TEST_F(EditingCommandsTest, ClearResetsEachColumnToItsDefault) {
    useModel(model::models::QX950W3);
    fill(3);
    for (int b = 0; b < 3; ++b) {
        data.block(b).lines[1].chars = {0x2F26};
        data.block(b).lines[1].charSize = 5;
        data.block(b).sequenceCount = 1;
        data.block(b).lineCount = 2;
        data.block(b).count = 7;
        data.block(b).underline = 1;
        data.block(b).reverse = 1;
    }
    select(1, 0, 1, 1); // line 2 of blocks 0 and 1
    EXPECT_EQ(commands().clear(data, grid, history).hint, 4);
    EXPECT_TRUE(data.block(0).lines[1].chars.empty());
    EXPECT_EQ(data.block(0).lines[1].charSize, 1);
    EXPECT_EQ(data.block(0).sequenceCount, 0);
    EXPECT_EQ(data.block(0).lineCount, 1);
    EXPECT_EQ(data.block(2).sequenceCount, 1); // not selected
    select(4, 0, 4, 2);
    commands().clear(data, grid, history);
    EXPECT_EQ(data.block(2).count, 5);
    select(6, 0, 6, 0);
    commands().clear(data, grid, history);
    EXPECT_EQ(data.block(0).underline, 0);
    EXPECT_EQ(data.block(0).reverse, 1);
    // Print-length mode keeps the counts.
    data.target.printMode = model::codes::Line1Marker;
    data.block(1).count = 7;
    select(4, 1, 4, 1);
    commands().clear(data, grid, history);
    EXPECT_EQ(data.block(1).count, 7);
}

TEST_F(EditingCommandsTest, PeriodAddsAndRemovesOnlyOneFullStop) {
    useModel(model::models::QX950W3);
    fill(2);
    data.block(1).lines[0].chars = {0x2341, 0x2125};
    commands().period(data, grid, history, true);
    EXPECT_EQ(data.block(0).lines[0].chars, (CodeList{0x2330, 0x2125}));
    EXPECT_EQ(data.block(1).lines[0].chars, (CodeList{0x2341, 0x2125}));
    EXPECT_TRUE(data.block(0).lines[1].chars.empty());
    commands().period(data, grid, history, false);
    commands().period(data, grid, history, false);
    EXPECT_EQ(data.block(1).lines[0].chars, (CodeList{0x2341}));
    EXPECT_EQ(history.undoSize(), 3); // a step each time, changed or not
}

TEST_F(EditingCommandsTest, FrameTogglesWithTheRememberedSpacing) {
    useModel(model::models::QX950W3);
    data.target.frameGap = 3;
    commands().toggleFrame(data, grid, history);
    EXPECT_EQ(data.target.frame, 3);
    commands().toggleFrame(data, grid, history);
    EXPECT_EQ(data.target.frame, 0);
    useModel(model::models::QX780);
    data.target.frameGap = 3;
    commands().toggleFrame(data, grid, history);
    EXPECT_EQ(data.target.frame, 1);
}

TEST_F(EditingCommandsTest, PitchSortGroupsByFirstAppearance) {
    useModel(model::models::QX950W3);
    fill(4);
    const std::int16_t pitches[] = {30, 20, 30, 10};
    for (int b = 0; b < 4; ++b) {
        data.block(b).pitch = pitches[b];
    }
    commands().sortByPitch(data, grid, history);
    std::vector<int> order;
    for (int b = 0; b < 4; ++b) {
        order.push_back(data.block(b).pitch * 10 + (data.block(b).lines[0].chars[0] - 0x2330));
    }
    // Pitches 30, 30, 20, 10 with the two 30-blocks (0 and 2) in their old order.
    EXPECT_EQ(order, (std::vector<int>{300, 302, 201, 103}));
    // One distinct pitch records nothing.
    for (int b = 0; b < 4; ++b) {
        data.block(b).pitch = 30;
    }
    history.clear();
    EXPECT_FALSE(commands().sortByPitch(data, grid, history).changed);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(EditingCommandsTest, BulkChangeWritesEverySlot) {
    useModel(model::models::QX950W3);
    commands().bulkChange(data, grid, history, BulkAttribute::CharSize, 4);
    commands().bulkChange(data, grid, history, BulkAttribute::Pitch, 333);
    EXPECT_EQ(data.block(998).lines[3].charSize, 4);
    EXPECT_EQ(data.block(998).pitch, 333);
    useModel(model::models::QX780);
    EXPECT_FALSE(commands().bulkChange(data, grid, history, BulkAttribute::Underline, 1).changed);
}

TEST_F(EditingCommandsTest, CopyChoosesTheFormatBySelection) {
    useModel(model::models::QX950W3);
    struct Case {
        CellRange selection;
        std::optional<formats::ClipboardFormat> format;
    };
    const Case cases[] = {
        {{1, 0, 2, 5}, formats::ClipboardFormat::Row},
        {{1, 0, 1, 998}, formats::ClipboardFormat::Column},
        {{0, 3, 7, 4}, formats::ClipboardFormat::All},
        {{4, 0, 4, 9}, formats::ClipboardFormat::Number},
        {{5, 0, 5, 0}, formats::ClipboardFormat::Pitch},
        {{6, 0, 6, 0}, std::nullopt},
        {{7, 0, 7, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        grid.selection = c.selection;
        EXPECT_EQ(commands().copyFormat(grid), c.format) << c.selection.left << "," << c.selection.right;
    }
}

TEST_F(EditingCommandsTest, FileInsertSelectsTheInsertedRows) {
    useModel(model::models::QX950W3);
    fill(3);
    formats::FileInsertResult merged;
    merged.ok = true;
    merged.data = data;
    merged.data.blockCount = 5;
    select(2, 1, 2, 1);
    const CommandOutcome outcome = commands().insertFile(data, grid, history, std::move(merged));
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(data.blockCount, 5);
    EXPECT_EQ(grid.focus, (CellPos{0, 1}));
    EXPECT_EQ(grid.selection, (CellRange{0, 1, 6, 2}));
    EXPECT_TRUE(history.canUndo());
}

} // namespace
} // namespace qx::ui
