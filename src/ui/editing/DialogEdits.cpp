#include "DialogEdits.h"

#include "ui/grid/CellWriter.h"
#include "ui/CommandIds.h"

#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/OutputValidation.h"

#include <algorithm>

namespace qx::ui {

namespace {

CommandOutcome focusRowChanged() {
    CommandOutcome outcome;
    outcome.changed = true;
    outcome.hint = UpdateHint::FocusRow;
    return outcome;
}

void raiseLineCount(model::EditBlock& block, int line) {
    block.lineCount = static_cast<std::int8_t>(std::max<int>(block.lineCount, line + 1));
}

} // namespace

bool DialogEdits::focusIsTextLine(const model::EditData& data, const GridState& grid) const {
    const CellPos f = grid.focus;
    return f.row >= 0 && f.row <= data.blockCount && f.row < m_catalogue.limits().blockLimit && f.column >= 0 &&
           f.column < std::min(m_catalogue.limits().lineLimit, model::MaxLines);
}

LineContent DialogEdits::focusLine(const model::EditData& data, const GridState& grid) const {
    if (!focusIsTextLine(data, grid) || grid.focus.row >= data.blockCount) {
        return {};
    }
    const model::EditBlock& block = data.block(grid.focus.row);
    return {block.lines[static_cast<std::size_t>(grid.focus.column)].chars,
            model::lineSequences(block, grid.focus.column)};
}

void DialogEdits::appendIfNew(model::EditData& data, int row) const {
    if (row == data.blockCount) {
        CellWriter(m_catalogue).appendBlock(data, row);
    }
}

CommandOutcome DialogEdits::setBlockSequence(model::EditData& data, const GridState& grid, UndoHistory& history,
                                             const model::tagSEQ_V900& definition) const {
    if (!focusIsTextLine(data, grid)) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    const int row = grid.focus.row;
    const int line = grid.focus.column;
    appendIfNew(data, row);
    model::EditBlock& block = data.block(row);
    if (!block.hasSequences()) {
        block.lines[static_cast<std::size_t>(line)].chars = {model::codes::SequenceMarker};
        raiseLineCount(block, line);
    }
    block.replaceSequences(&definition, 1);
    return focusRowChanged();
}

CommandOutcome DialogEdits::setLineContent(model::EditData& data, const GridState& grid, UndoHistory& history,
                                           const LineContent& edited, bool compareSequences) const {
    if (!focusIsTextLine(data, grid)) {
        return {};
    }
    const LineContent current = focusLine(data, grid);
    const bool charsChanged = edited.chars != current.chars;
    const bool sequencesChanged = edited.sequences != current.sequences;
    if (!charsChanged && (!compareSequences || !sequencesChanged)) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    const int row = grid.focus.row;
    const int line = grid.focus.column;
    appendIfNew(data, row);
    model::EditBlock& block = data.block(row);
    if (sequencesChanged) {
        model::replaceLineSequences(block, line, edited.sequences);
    }
    block.lines[static_cast<std::size_t>(line)].chars = edited.chars;
    normaliseLines(block);
    return focusRowChanged();
}

CommandOutcome DialogEdits::setLineSymbol(model::EditData& data, const GridState& grid, UndoHistory& history,
                                          model::CharCode symbol) const {
    if (!focusIsTextLine(data, grid)) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    const int row = grid.focus.row;
    const int line = grid.focus.column;
    appendIfNew(data, row);
    model::EditBlock& block = data.block(row);
    model::EditLine& target = block.lines[static_cast<std::size_t>(line)];
    if (block.hasSequences() && model::countSequenceMarkers(target) > 0) {
        block.clearSequences();
    }
    target.chars = {symbol};
    raiseLineCount(block, line);
    return focusRowChanged();
}

output::ValidationResult DialogEdits::wholeImageRefusal(const model::EditData& data) const {
    output::ValidationResult result = output::checkForPrint(data, m_catalogue, m_settings).validation;
    if (result.ok() && data.target.isPitchLengthMode()) {
        const output::RunLengthResult run =
            output::checkRunLength(m_catalogue, m_settings, data, 0, output::usedBlockCount(data));
        result.error = run.error;
        result.block = run.block;
    }
    result.messageId = result.ok() ? 0 : output::wholeImageMessageId(result.error);
    return result;
}

} // namespace qx::ui
