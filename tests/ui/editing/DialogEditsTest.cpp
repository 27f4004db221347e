#include "ui/editing/DialogEdits.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

using model::CodeList;

class DialogEditsTest : public testing::Test {
protected:
    void useModel(model::ModelType type) {
        catalogue = model::Catalogue(type);
        settings = model::OperatorSettings::defaultsFor(catalogue);
        data = model::createEditData(catalogue, 2);
    }
    DialogEdits edits() const { return DialogEdits(catalogue, settings); }
    void focus(int column, int row) {
        grid.focus = {column, row};
        grid.selection = {column, row, column, row};
    }

    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 2);
    GridState grid;
    UndoHistory history;
};

TEST_F(DialogEditsTest, BlockSequenceOnTheNewRowAppendsAndPutsTheMarker) {
    useModel(model::models::QX900W);
    data.block(0).count = 4;
    focus(2, 1); // line 3 of the row after the last block
    const model::tagSEQ_V900 definition{1, 0, 1, 20, 0, 0};
    const CommandOutcome outcome = edits().setBlockSequence(data, grid, history, definition);
    EXPECT_EQ(outcome.hint, 2);
    EXPECT_EQ(data.blockCount, 2);
    EXPECT_EQ(data.block(1).count, 4);
    EXPECT_EQ(data.block(1).lines[2].chars, (CodeList{0x2F26}));
    EXPECT_EQ(data.block(1).lineCount, 3);
    EXPECT_EQ(data.block(1).sequenceCount, 1);
    // A second answer only replaces the definition: the marker stays where it is.
    data.block(1).lines[2].chars = {0x2341, 0x2F26};
    edits().setBlockSequence(data, grid, history, {1, 0, 5, 9, 0, 0});
    EXPECT_EQ(data.block(1).lines[2].chars, (CodeList{0x2341, 0x2F26}));
    EXPECT_EQ(data.block(1).sequences[0].start, 5);
    EXPECT_EQ(history.undoSize(), 2);
}

TEST_F(DialogEditsTest, LineContentUnchangedRecordsNothing) {
    useModel(model::models::QX950W3);
    data.block(0).lines[0].chars = {0x2F26, 0x2F26};
    data.block(0).lines[1].chars = {0x2F26};
    data.block(0).sequenceCount = 3;
    data.block(0).sequences[0] = {1, 0, 1, 2, 0, 0};
    data.block(0).sequences[1] = {1, 0, 3, 4, 0, 0};
    data.block(0).sequences[2] = {1, 0, 5, 6, 0, 0};
    data.block(0).lineCount = 2;
    focus(1, 0);
    LineContent line = edits().focusLine(data, grid);
    EXPECT_EQ(line.sequences, (std::vector<model::tagSEQ_V900>{{1, 0, 5, 6, 0, 0}}));
    EXPECT_FALSE(edits().setLineContent(data, grid, history, line, true).changed);
    // The symbol dialog looks at the characters only.
    line.sequences[0].end = 9;
    EXPECT_FALSE(edits().setLineContent(data, grid, history, line, false).changed);
    EXPECT_TRUE(edits().setLineContent(data, grid, history, line, true).changed);
    EXPECT_EQ(data.block(0).sequences[2].end, 9);
    EXPECT_EQ(data.block(0).sequences[0].end, 2);
    // Emptying the line drops its definition and the block's second line.
    edits().setLineContent(data, grid, history, {}, true);
    EXPECT_EQ(data.block(0).sequenceCount, 2);
    EXPECT_EQ(data.block(0).lineCount, 1);
    EXPECT_EQ(history.undoSize(), 2);
}

TEST_F(DialogEditsTest, SymbolReplacesTheLineAndASequenceStandingThere) {
    useModel(model::models::QX780);
    data.block(0).lines[0].chars = {0x2F26};
    data.block(0).sequenceCount = 1;
    focus(1, 0);
    edits().setLineSymbol(data, grid, history, 0x2A21);
    EXPECT_EQ(data.block(0).sequenceCount, 1); // the marker is on line 1
    EXPECT_EQ(data.block(0).lines[1].chars, (CodeList{0x2A21}));
    EXPECT_EQ(data.block(0).lineCount, 2);
    focus(0, 0);
    edits().setLineSymbol(data, grid, history, 0x2A21);
    EXPECT_EQ(data.block(0).sequenceCount, 0);
    focus(4, 0);
    EXPECT_FALSE(edits().setLineSymbol(data, grid, history, 0x2A21).changed);
}

TEST_F(DialogEditsTest, WholeImageRefusesEmptyAndFaultyDocuments) {
    useModel(model::models::QX950W3);
    data.block(0).lines[0].chars.clear();
    EXPECT_EQ(edits().wholeImageRefusal(data).messageId, 43067);
    data.block(0).lines[0].chars = {0x2341};
    EXPECT_EQ(edits().wholeImageRefusal(data).messageId, 0);
    data.block(0).lines[0].chars = model::CodeList(400, 0x2341); // far longer than its 20 mm piece
    data.target.sizeMode = 0;
    EXPECT_EQ(edits().wholeImageRefusal(data).messageId, 43066);
}

} // namespace
} // namespace qx::ui
