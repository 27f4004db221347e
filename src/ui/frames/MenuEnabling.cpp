#include "ui/frames/MenuEnabling.h"

#include "ui/CommandIds.h"

namespace qx::ui {

namespace {

bool isTextColumn(int column, const EnablingContext& c) {
    return column >= ColumnKind::FirstTextLine && column <= ColumnKind::LastTextLine && column < c.lineLimit;
}

bool focusIsSingleCell(const EnablingContext& c) {
    return c.selection.left == c.focusColumn && c.selection.right == c.focusColumn &&
           c.selection.top == c.focusRow && c.selection.bottom == c.focusRow;
}

/// The focus row may be the row just after the last block (typing there appends one).
bool focusRowCanTakeText(const EnablingContext& c) {
    return c.focusRow >= 0 && c.focusRow <= c.blockCount && c.focusRow < c.blockLimit;
}

bool focusRowWithinLimit(const EnablingContext& c) { return c.focusRow >= 0 && c.focusRow < c.blockLimit; }

/// Clear outside an editor: cells of existing blocks, but never the attributes that the document's
/// mode or target fixes.
bool canClearCells(const EnablingContext& c) {
    const int left = c.selection.left;
    if (left >= ColumnKind::Reverse || c.selection.top >= c.blockCount) {
        return false;
    }
    if (!c.pitchLengthMode && (left == ColumnKind::Count || left == ColumnKind::Pitch)) {
        return false;
    }
    if (c.pitchLengthMode && left == ColumnKind::Pitch && !pitchEditable(c)) {
        return false;
    }
    return true;
}

bool editorClearable(const EnablingContext& c) { return c.editorEditable && c.editorHasSelection; }

bool canPaste(const EnablingContext& c) {
    if (c.editing) {
        return c.editorEditable && c.clipboard.text;
    }
    const int left = c.selection.left;
    const ClipboardOffer& offer = c.clipboard;
    const bool cellsOffer = offer.text || offer.row || offer.number || offer.pitch;
    bool available = false;
    if (isTextColumn(left, c)) {
        if (c.selectedColumns < c.lineLimit) {
            available = c.allRowsSelected ? offer.column : cellsOffer;
        } else {
            available = offer.all;
        }
    } else if (left == ColumnKind::Count || left == ColumnKind::Pitch) {
        available = cellsOffer;
    }
    if (!c.pitchLengthMode && (left == ColumnKind::Count || left == ColumnKind::Pitch)) {
        return false;
    }
    if (c.pitchLengthMode && left == ColumnKind::Pitch && !pitchEditable(c)) {
        return false;
    }
    return available;
}

bool canSetSequence(const EnablingContext& c) {
    if (!focusRowCanTakeText(c) || !isTextColumn(c.focusColumn, c) || !focusIsSingleCell(c)) {
        return false;
    }
    if (c.modelType < 5) {
        // The early models hold one number per block, edited from the line that carries its marker.
        // An open editor may already hold a number the document has not seen yet: it decides.
        if (c.editing) {
            return !c.focusBlockHasSequences && c.editorCanInsertSequence;
        }
        if (c.focusBlockHasSequences) {
            return !c.editing && c.focusLineHasSequenceMarker;
        }
        return c.documentSequences < c.documentSequenceLimit;
    }
    return true;
}

bool documentRule(int command, const EnablingContext& c, bool& checked) {
    const CellRange& s = c.selection;
    switch (command) {
    case Command::FileClose:
    case Command::FileSave:
    case Command::FileSaveAs:
    case Command::TargetSettings:
    case Command::WindowNew:
    case Command::WindowTile:
    case Command::NextPane:
    case Command::PreviousPane:
    case Command::BeginEdit:
    case Command::WholeImage:
    case Command::Send:
        return true;
    case Command::FilePrint:
        return c.modelType != model::models::QX780;
    case Command::Undo:
        return c.editing ? c.editorCanUndo : !c.undoListEmpty;
    case Command::Redo:
        return !c.editing && !c.redoListEmpty;
    case Command::Clear:
        return c.editing ? editorClearable(c) : canClearCells(c);
    case Command::Cut:
        return c.editing ? editorClearable(c) : canClearCells(c) && s.left < ColumnKind::Underline;
    case Command::Copy:
        if (c.editing) {
            return c.editorHasSelection;
        }
        return s.left < ColumnKind::Underline && s.top < c.blockCount && c.clipboardFormatsRegistered;
    case Command::Paste:
        return canPaste(c);
    case Command::FormatPaste:
        return !c.editing && c.clipboard.format;
    case Command::Sequence:
        return canSetSequence(c);
    case Command::Frame:
        checked = c.frame > 0;
        return true;
    case Command::PeriodAdd:
    case Command::PeriodRemove:
        return c.blockCount > 0;
    case Command::Symbol:
        return focusRowCanTakeText(c) && isTextColumn(c.focusColumn, c) && focusIsSingleCell(c);
    case Command::PitchSort:
        return c.pitchLengthMode && c.blockCount > 1;
    case Command::BulkCharSize:
    case Command::BulkCharWidth:
    case Command::BulkReverse:
        return focusRowWithinLimit(c);
    case Command::BulkCount:
        return focusRowWithinLimit(c) && c.pitchLengthMode;
    case Command::BulkPitch:
        return focusRowWithinLimit(c) && pitchEditable(c);
    case Command::BulkUnderline:
        return focusRowWithinLimit(c) && c.modelType > 4;
    case Command::BlockInsert:
        return s.top >= 0 && s.top < c.blockCount && c.blockCount < c.blockLimit;
    case Command::BlockDelete:
        return c.blockCount > 0 && (s.top < c.blockCount || s.bottom < c.blockCount);
    case Command::FileInsert:
    case Command::WireListImport:
        return s.top >= 0 && s.top <= c.blockCount && c.blockCount < c.blockLimit;
    default:
        return false;
    }
}

} // namespace

bool pitchEditable(const EnablingContext& context) {
    return context.pitchLengthMode && !context.pitchAuto && !context.labelTarget;
}

bool isRecentFileEntry(int command) { return command >= Command::RecentFileFirst && command < Command::RecentFileFirst + 16; }

bool isWindowListEntry(int command) { return command >= 0xFF00 && command <= 0xFF09; }

bool isLockedWhileEditing(int command) {
    switch (command) {
    case Command::FileInsert:
    case Command::WireListImport:
    case Command::TargetSettings:
    case Command::Send:
    case Command::EnvironmentSettings:
    case Command::FormatPaste:
    case Command::Frame:
    case Command::PeriodAdd:
    case Command::PeriodRemove:
    case Command::PitchSort:
    case Command::BulkCharSize:
    case Command::BulkCharWidth:
    case Command::BulkCount:
    case Command::BulkPitch:
    case Command::BulkReverse:
    case Command::BlockInsert:
    case Command::BlockDelete:
    case Command::BulkUnderline:
    case Command::WholeImage:
    case Command::FileNew:
    case Command::FileOpen:
    case Command::FileSave:
    case Command::FileSaveAs:
    case Command::FilePrint:
    case Command::Undo:
    case Command::Redo:
    case Command::WindowNew:
    case Command::WindowTile:
        return true;
    default:
        return isRecentFileEntry(command) || isWindowListEntry(command);
    }
}

CommandState commandState(int command, const EnablingContext& context) {
    CommandState state;
    switch (command) {
    case Command::FileNew:
    case Command::FileOpen:
    case Command::EnvironmentSettings:
    case Command::AppExit:
    case Command::AppAbout:
    case Command::HelpIndex:
    case Command::Help:
    case Command::HelpFinder:
    case Command::ContextHelp:
        state.enabled = true;
        break;
    default:
        if (isRecentFileEntry(command) || isWindowListEntry(command)) {
            state.enabled = true;
        } else if (context.hasDocument) {
            state.enabled = documentRule(command, context, state.checked);
        }
        break;
    }
    // An edit in place must finish before anything that replaces or leaves the document runs.
    if (context.hasDocument && context.editing && isLockedWhileEditing(command)) {
        state.enabled = false;
    }
    return state;
}

} // namespace qx::ui
