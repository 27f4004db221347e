#include "ui/CommandIds.h"
#include "ui/frames/MenuEnabling.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace qx::ui {
namespace {

/// A pitch-length tube document of 4 blocks on a QX-950W3, focus on line 1 of block 0.
EnablingContext documentContext() {
    EnablingContext c;
    c.modelType = 9;
    c.hasDocument = true;
    c.blockCount = 4;
    c.blockLimit = 999;
    c.lineLimit = 4;
    c.documentSequenceLimit = 45;
    return c;
}

struct Row {
    const char* name;
    int command;
    std::function<void(EnablingContext&)> change;
    bool enabled;
};

class EnablingRule : public ::testing::TestWithParam<Row> {};

TEST_P(EnablingRule, FollowsTheCommandsRule) {
    EnablingContext c = documentContext();
    GetParam().change(c);
    EXPECT_EQ(commandState(GetParam().command, c).enabled, GetParam().enabled);
}

const auto none = [](EnablingContext&) {};

INSTANTIATE_TEST_SUITE_P(
    Commands, EnablingRule,
    ::testing::Values(
        Row{"NewWithoutDocument", Command::FileNew, [](EnablingContext& c) { c.hasDocument = false; }, true},
        Row{"SaveWithoutDocument", Command::FileSave, [](EnablingContext& c) { c.hasDocument = false; }, false},
        Row{"SaveWithDocument", Command::FileSave, none, true},
        Row{"PrintOnQx780", Command::FilePrint, [](EnablingContext& c) { c.modelType = 0; }, false},
        Row{"PrintOnQx790", Command::FilePrint, [](EnablingContext& c) { c.modelType = 1; }, true},
        Row{"SendOnQx780", Command::Send, [](EnablingContext& c) { c.modelType = 0; }, true},
        Row{"UndoEmptyList", Command::Undo, none, false},
        Row{"UndoWithSteps", Command::Undo, [](EnablingContext& c) { c.undoListEmpty = false; }, true},
        Row{"RedoWithSteps", Command::Redo, [](EnablingContext& c) { c.redoListEmpty = false; }, true},
        Row{"ClearBeyondBlocks", Command::Clear, [](EnablingContext& c) { c.selection = {0, 4, 0, 4}; }, false},
        Row{"ClearReverseColumn", Command::Clear, [](EnablingContext& c) { c.selection = {7, 0, 7, 0}; }, false},
        Row{"ClearUnderlineColumn", Command::Clear, [](EnablingContext& c) { c.selection = {6, 0, 6, 0}; }, true},
        Row{"CutUnderlineColumn", Command::Cut, [](EnablingContext& c) { c.selection = {6, 0, 6, 0}; }, false},
        Row{"ClearCountInPrintLength", Command::Clear,
            [](EnablingContext& c) {
                c.pitchLengthMode = false;
                c.selection = {4, 0, 4, 0};
            },
            false},
        Row{"ClearPitchOfLabel", Command::Clear,
            [](EnablingContext& c) {
                c.labelTarget = true;
                c.selection = {5, 0, 5, 0};
            },
            false},
        Row{"ClearPitchAuto", Command::Clear,
            [](EnablingContext& c) {
                c.pitchAuto = true;
                c.selection = {5, 0, 5, 0};
            },
            false},
        Row{"CopyUnderline", Command::Copy, [](EnablingContext& c) { c.selection = {6, 0, 6, 0}; }, false},
        Row{"CopyText", Command::Copy, none, true},
        Row{"PasteTextIntoLine", Command::Paste, [](EnablingContext& c) { c.clipboard.text = true; }, true},
        Row{"PasteNothing", Command::Paste, none, false},
        Row{"PasteRowsIntoAllRows", Command::Paste,
            [](EnablingContext& c) {
                c.clipboard.row = true;
                c.allRowsSelected = true;
            },
            false},
        Row{"PasteColumnIntoAllRows", Command::Paste,
            [](EnablingContext& c) {
                c.clipboard.column = true;
                c.allRowsSelected = true;
            },
            true},
        Row{"PasteBlocksIntoWholeRows", Command::Paste,
            [](EnablingContext& c) {
                c.clipboard.all = true;
                c.selectedColumns = 8;
            },
            true},
        Row{"PasteIntoReverse", Command::Paste,
            [](EnablingContext& c) {
                c.clipboard.text = true;
                c.selection = {7, 0, 7, 0};
            },
            false},
        Row{"FormatPaste", Command::FormatPaste, [](EnablingContext& c) { c.clipboard.format = true; }, true},
        Row{"SymbolOnAppendRow", Command::Symbol,
            [](EnablingContext& c) {
                c.focusRow = 4;
                c.selection = {0, 4, 0, 4};
            },
            true},
        Row{"SymbolTwoRowsSelected", Command::Symbol, [](EnablingContext& c) { c.selection = {0, 0, 0, 1}; },
            false},
        Row{"SymbolInCountColumn", Command::Symbol,
            [](EnablingContext& c) {
                c.focusColumn = 4;
                c.selection = {4, 0, 4, 0};
            },
            false},
        Row{"SequenceEarlyModelFullDocument", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.documentSequences = 15;
                c.documentSequenceLimit = 15;
            },
            false},
        Row{"SequenceEarlyModelOwnMarkerLine", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.focusBlockHasSequences = true;
                c.focusLineHasSequenceMarker = true;
            },
            true},
        Row{"SequenceEarlyModelOtherLine", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.focusBlockHasSequences = true;
            },
            false},
        Row{"PitchSortOneBlock", Command::PitchSort, [](EnablingContext& c) { c.blockCount = 1; }, false},
        Row{"BulkCountPrintLength", Command::BulkCount, [](EnablingContext& c) { c.pitchLengthMode = false; },
            false},
        Row{"BulkUnderlineModel4", Command::BulkUnderline, [](EnablingContext& c) { c.modelType = 4; }, false},
        Row{"BulkUnderlineModel5", Command::BulkUnderline, [](EnablingContext& c) { c.modelType = 5; }, true},
        Row{"BlockInsertAtLimit", Command::BlockInsert,
            [](EnablingContext& c) {
                c.blockLimit = 300;
                c.blockCount = 300;
            },
            false},
        Row{"BlockInsertBelowBlocks", Command::BlockInsert, [](EnablingContext& c) { c.selection = {0, 4, 0, 4}; },
            false},
        Row{"BlockDeleteBottomInBlocks", Command::BlockDelete, [](EnablingContext& c) { c.selection = {0, 9, 0, 2}; },
            true},
        Row{"FileInsertAfterLastBlock", Command::FileInsert, [](EnablingContext& c) { c.selection = {0, 4, 0, 4}; },
            true},
        // Both sides of the block limit, for file insert as for block insert.
        Row{"FileInsertAtLimit", Command::FileInsert,
            [](EnablingContext& c) {
                c.blockLimit = 300;
                c.blockCount = 300;
            },
            false},
        Row{"FileInsertOneBelowLimit", Command::FileInsert,
            [](EnablingContext& c) {
                c.blockLimit = 300;
                c.blockCount = 299;
            },
            true},
        Row{"BlockInsertOneBelowLimit", Command::BlockInsert,
            [](EnablingContext& c) {
                c.blockLimit = 300;
                c.blockCount = 299;
            },
            true},
        Row{"PeriodWithoutBlocks", Command::PeriodAdd, [](EnablingContext& c) { c.blockCount = 0; }, false},
        // The lock of an edit in place.
        Row{"SaveWhileEditing", Command::FileSave, [](EnablingContext& c) { c.editing = true; }, false},
        Row{"UndoWhileEditing", Command::Undo,
            [](EnablingContext& c) {
                c.editing = true;
                c.editorCanUndo = true;
            },
            false},
        Row{"CopyWhileEditing", Command::Copy,
            [](EnablingContext& c) {
                c.editing = true;
                c.editorHasSelection = true;
            },
            true},
        Row{"ClearWhileEditingReadOnly", Command::Clear,
            [](EnablingContext& c) {
                c.editing = true;
                c.editorHasSelection = true;
            },
            false},
        Row{"SequenceWhileEditing", Command::Sequence, [](EnablingContext& c) { c.editing = true; }, true},
        Row{"SequenceEarlyModelEditorHoldsOne", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.editing = true;
            },
            false},
        Row{"SequenceEarlyModelEditorHasRoom", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.editing = true;
                c.editorCanInsertSequence = true;
            },
            true},
        Row{"SequenceEarlyModelEditingMarkerLine", Command::Sequence,
            [](EnablingContext& c) {
                c.modelType = 3;
                c.editing = true;
                c.editorCanInsertSequence = true;
                c.focusBlockHasSequences = true;
                c.focusLineHasSequenceMarker = true;
            },
            false},
        Row{"WindowListWhileEditing", 0xFF03, [](EnablingContext& c) { c.editing = true; }, false},
        Row{"RecentFileWhileEditing", Command::RecentFileFirst, [](EnablingContext& c) { c.editing = true; },
            false},
        Row{"HelpWhileEditing", Command::Help, [](EnablingContext& c) { c.editing = true; }, true},
        Row{"UnknownCommand", 12345, none, false}),
    [](const ::testing::TestParamInfo<Row>& row) { return std::string(row.param.name); });

TEST(EnablingRule, FrameItemIsCheckedWhileTheDocumentHasAFrame) {
    EnablingContext c = documentContext();
    EXPECT_FALSE(commandState(Command::Frame, c).checked);
    c.frame = 2;
    EXPECT_EQ(commandState(Command::Frame, c), (CommandState{true, true}));
}

TEST(EnablingRule, LockedCommandsAreTheEditorDisturbingOnes) {
    for (const int command : {32771, 32772, 32773, 32774, 32776, 32778, 32779, 32780, 32782, 32783, 32784, 32785,
                              32786, 32787, 32788, 32789, 32796, 32797, 57600, 57601, 57603, 57604, 57607, 57643,
                              57644, 57648, 57651}) {
        EXPECT_TRUE(isLockedWhileEditing(command)) << command;
    }
    for (const int command : {57632, 57634, 57635, 57637, 32777, 32781, 32775, 57602, 57665, 57664}) {
        EXPECT_FALSE(isLockedWhileEditing(command)) << command;
    }
}

} // namespace
} // namespace qx::ui
