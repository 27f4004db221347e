#pragma once

#include "ui/table/TableGeometry.h"
#include "model/ModelType.h"

namespace qx::ui {

/// Grid column types: the four text lines, then the block attributes.
namespace ColumnKind {
inline constexpr int FirstTextLine = 0;
inline constexpr int LastTextLine = 3;
inline constexpr int Count = 4;
inline constexpr int Pitch = 5;
inline constexpr int Underline = 6;
inline constexpr int Reverse = 7;
} // namespace ColumnKind

/// What the clipboard offers to a paste, as far as the enabling rules care.
struct ClipboardOffer {
    bool text = false;
    bool row = false;    ///< "KorvintaRow"
    bool number = false; ///< "KorvintaNumber"
    bool pitch = false;  ///< "KorvintaPitch"
    bool format = false; ///< "KorvintaFormat"
    bool all = false;    ///< "KorvintaAll"
    bool column = false; ///< "KorvintaColumn"
};

/// Everything the enabling rules of the editor's commands look at, gathered by the main frame from
/// the active document window before a menu opens or a shortcut runs.
struct EnablingContext {
    model::ModelType modelType = model::models::Default;
    bool hasDocument = false;

    // The grid's editing state: a cell editor window or the content bar has the keyboard focus.
    bool editing = false;
    bool editorCanUndo = false;
    bool editorHasSelection = false;
    bool editorEditable = false;
    bool editorCanInsertSequence = false; ///< the text editor's own answer, with its unsaved tokens counted

    // The document.
    int blockCount = 0;
    int blockLimit = 0;
    int lineLimit = 0;
    bool pitchLengthMode = true;
    bool pitchAuto = false;
    bool labelTarget = false; ///< target kinds 7 and 8
    int frame = 0;
    int documentSequences = 0;
    int documentSequenceLimit = 0; ///< of the document's mode
    bool focusBlockHasSequences = false;
    bool focusLineHasSequenceMarker = false;

    // The grid.
    int focusColumn = 0; ///< a ColumnKind value
    int focusRow = 0;
    CellRange selection; ///< in column types and rows
    bool allRowsSelected = false;
    int selectedColumns = 1; ///< columns the selection spans

    // The document window.
    bool undoListEmpty = true;
    bool redoListEmpty = true;
    bool clipboardFormatsRegistered = true;
    ClipboardOffer clipboard;
};

/// Whether the pitch length can be edited: pitch-length mode, no automatic pitch, no label target.
bool pitchEditable(const EnablingContext& context);

/// The state a menu item, tool bar button or shortcut of a command takes.
struct CommandState {
    bool enabled = false;
    bool checked = false;

    friend bool operator==(const CommandState&, const CommandState&) = default;
};

/// The enabling rule of one command, then the main frame's override that locks the commands that
/// would disturb an edit in progress. Unknown commands are disabled.
CommandState commandState(int command, const EnablingContext& context);

/// The commands the main frame disables while a grid cell is being edited.
bool isLockedWhileEditing(int command);

/// The recent-file and window-list entries follow the same lock.
bool isRecentFileEntry(int command);
bool isWindowListEntry(int command);

} // namespace qx::ui
