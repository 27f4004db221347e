#include "UndoHistory.h"

namespace qx::ui {

namespace {

void push(std::deque<UndoRecord>& list, model::EditData data, const GridState& grid) {
    list.push_back(UndoRecord{grid, std::move(data)});
    while (list.size() > static_cast<std::size_t>(UndoHistory::Depth)) {
        list.pop_front();
    }
}

void restoreNewest(std::deque<UndoRecord>& list, model::EditData& data, GridState& grid) {
    UndoRecord& record = list.back();
    grid = record.grid;
    data = std::move(record.data);
    list.pop_back();
}

} // namespace

void UndoHistory::RecordUndo(const model::EditData& data, const GridState& grid, bool clearRedo) {
    push(m_undo, data, grid);
    if (clearRedo) {
        m_redo.clear();
    }
}

bool UndoHistory::undo(model::EditData& data, GridState& grid) {
    if (m_undo.empty()) {
        return false;
    }
    // The current record is replaced anyway: it moves onto the redo list instead of being copied.
    push(m_redo, std::move(data), grid);
    restoreNewest(m_undo, data, grid);
    return true;
}

bool UndoHistory::redo(model::EditData& data, GridState& grid) {
    if (m_redo.empty()) {
        return false;
    }
    push(m_undo, std::move(data), grid);
    restoreNewest(m_redo, data, grid);
    return true;
}

bool UndoHistory::revertLastStep(model::EditData& data, GridState& grid) {
    if (m_undo.empty()) {
        return false;
    }
    restoreNewest(m_undo, data, grid);
    return true;
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

} // namespace qx::ui
