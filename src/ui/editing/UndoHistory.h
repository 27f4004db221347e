#pragma once

#include "UndoRecord.h"

#include <deque>

namespace qx::ui {

/// The undo and redo lists of one document window, each at most 16 records, newest last. Every
/// record is a deep copy of the document, so applying one replaces the document whole.
class UndoHistory final {
public:
    static constexpr int Depth = 16;

    /// Appends a record of the current state to the undo list, dropping the oldest beyond 16;
    /// clearRedo empties the redo list (every edit does; redo itself does not).
    void RecordUndo(const model::EditData& data, const GridState& grid, bool clearRedo);

    [[nodiscard]] bool canUndo() const { return !m_undo.empty(); }
    [[nodiscard]] bool canRedo() const { return !m_redo.empty(); }
    [[nodiscard]] int undoSize() const { return static_cast<int>(m_undo.size()); }
    [[nodiscard]] int redoSize() const { return static_cast<int>(m_redo.size()); }

    /// Puts the current state on the redo list and restores the newest undo record; false (and
    /// nothing changed) when the undo list is empty.
    bool undo(model::EditData& data, GridState& grid);
    /// Records an undo step (keeping the redo list) and restores the newest redo record.
    bool redo(model::EditData& data, GridState& grid);
    /// Restores the newest undo record without keeping it anywhere: a change that broke a limit
    /// takes back the step it had just recorded.
    bool revertLastStep(model::EditData& data, GridState& grid);

    void clear();

private:
    std::deque<UndoRecord> m_undo;
    std::deque<UndoRecord> m_redo;
};

} // namespace qx::ui
