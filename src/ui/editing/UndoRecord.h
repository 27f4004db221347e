#pragma once

// What an editing command works on besides the document: the grid's focus cell and selection,
// both in column types (0-3 text lines, 4 count, 5 pitch, 6 underline, 7 reverse) and rows.

#include "ui/table/TableGeometry.h"
#include "model/EditData.h"

namespace qx::ui {

struct GridState {
    CellPos focus;
    CellRange selection;

    friend bool operator==(const GridState&, const GridState&) = default;
};

/// One step of the undo or redo list: where the operator was and the whole document as it was.
struct UndoRecord {
    GridState grid;
    model::EditData data;
};

} // namespace qx::ui
