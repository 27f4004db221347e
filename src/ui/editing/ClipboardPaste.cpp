#include "ClipboardPaste.h"

#include "ui/grid/CellWriter.h"
#include "ui/CommandIds.h"
#include "ui/grid/TubePrintTableColumns.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/TextConversion.h"

#include <algorithm>

namespace qx::ui {

namespace {

using formats::ClipboardFormat;
namespace msg = formats::clipboardMessages;

constexpr int PitchColumn = static_cast<int>(ColumnType::Pitch);
constexpr int CountColumn = static_cast<int>(ColumnType::Count);

CommandOutcome refusedWith(int messageId) {
    CommandOutcome outcome;
    outcome.messageIds.push_back(messageId);
    return outcome;
}

bool isSingleCell(const CellRange& r) { return r.left == r.right && r.top == r.bottom; }

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

/// Whether the whole text is one number: a sign, digits and (with `decimal`) a point and digits.
bool isWholeNumber(std::string_view s, bool decimal) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        ++i;
    }
    bool digits = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits = true;
        } else if (decimal && s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

} // namespace

RowMapping mapAttributeRows(int sourceTop, int sourceBottom, int top, int bottom, int blockLimit) {
    RowMapping mapping;
    const int sourceRows = sourceBottom - sourceTop + 1;
    const int targetRows = bottom - top + 1;
    int rows = 0;
    bool oneSource = false;
    if (sourceRows == targetRows) {
        rows = targetRows;
    } else if (sourceRows == 1) {
        rows = targetRows;
        oneSource = true;
    } else if (sourceRows < targetRows || targetRows == 1) {
        // A shorter source fills its own height; a taller one poured onto a single row as well.
        rows = sourceRows;
    } else {
        rows = targetRows;
    }
    rows = std::min(rows, blockLimit - top);
    for (int k = 0; k < rows; ++k) {
        mapping.rows.push_back({top + k, oneSource ? sourceTop : sourceTop + k});
    }
    mapping.bottom = rows > 0 ? top + rows - 1 : bottom;
    return mapping;
}

std::optional<ClipboardFormat> ClipboardPaste::requiredFormat(const GridState& grid) const {
    const CellRange& sel = grid.selection;
    const model::ModelLimits& limits = m_catalogue.limits();
    if (sel.left >= 0 && sel.left < limits.lineLimit) {
        if (sel.right - sel.left + 1 >= limits.lineLimit) {
            return ClipboardFormat::All;
        }
        const bool allRows = sel.top <= 0 && sel.bottom >= limits.blockLimit - 1;
        return allRows ? ClipboardFormat::Column : ClipboardFormat::Row;
    }
    if (sel.left == CountColumn) {
        return ClipboardFormat::Number;
    }
    if (sel.left == PitchColumn) {
        return ClipboardFormat::Pitch;
    }
    return std::nullopt;
}

void ClipboardPaste::adaptToModel(formats::ClipboardPayload& payload) const {
    if (m_catalogue.model() > 1) {
        return;
    }
    const int shift = m_catalogue.settingRange(model::SettingRow::UpperCaseRange).lower -
                      m_catalogue.settingRange(model::SettingRow::LowerCaseRange).lower;
    for (model::EditBlock& block : payload.blocks) {
        for (int i = 0; i < block.sequenceCount; ++i) {
            model::tagSEQ_V900& s = block.sequences[static_cast<std::size_t>(i)];
            s.output = 0;
            s.reserved = 0;
            if (s.mode == model::SequenceMode::LowerCase) {
                s.mode = model::SequenceMode::UpperCase;
                s.start = static_cast<std::uint16_t>(s.start + shift);
                s.end = static_cast<std::uint16_t>(s.end + shift);
            }
        }
    }
}

bool ClipboardPaste::targetValid(const model::EditData& data, const GridState& grid) const {
    // Pasting may start on the row just after the last block.
    return grid.selection.left < 6 && grid.selection.top >= 0 && grid.selection.top <= data.blockCount &&
           grid.selection.top < m_catalogue.limits().blockLimit;
}

void ClipboardPaste::prepareRow(model::EditData& data, int row) const {
    const CellWriter writer(m_catalogue);
    while (data.blockCount <= row) {
        writer.appendBlock(data, data.blockCount);
    }
}

int ClipboardPaste::copyCodes(const model::CodeList& from, model::CodeList& to) const {
    to = from;
    return model::sanitiseCodes(to, m_catalogue.model());
}

std::int16_t ClipboardPaste::countInRange(const model::EditData& data, int value) const {
    const model::ValueRange range = m_catalogue.countRange(data.target.targetKind);
    if (value < range.lower || value > range.upper) {
        return static_cast<std::int16_t>(model::defaultCount(data.target, m_settings));
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t ClipboardPaste::pitchInRange(const model::EditData& data, int value) const {
    const model::ValueRange range = m_catalogue.pitchRange(data.target.targetKind);
    if (value < range.lower || value > range.upper) {
        return static_cast<std::int16_t>(model::defaultPitch(data.target, m_settings));
    }
    return static_cast<std::int16_t>(value);
}

int ClipboardPaste::documentLimitBroken(const model::EditData& data) const {
    const bool printLength = data.target.isPrintLengthMode();
    const model::SequenceLimits limits = model::sequenceLimits(m_catalogue, printLength);
    if (model::documentSequenceCount(data) > limits.perDocument) {
        return model::documentLimitMessage(m_catalogue.model(), printLength);
    }
    return 0;
}

CommandOutcome ClipboardPaste::finish(model::EditData& data, GridState& grid, UndoHistory& history,
                                      int limitMessage, int replaced) const {
    CommandOutcome outcome;
    outcome.changed = true;
    outcome.hint = UpdateHint::Everything;
    if (limitMessage != 0) {
        // The document returns to what it was before the paste, and the step is gone.
        history.revertLastStep(data, grid);
        outcome.messageIds.push_back(limitMessage);
    } else if (replaced > 0) {
        outcome.messageIds.push_back(msg::Replaced);
    }
    return outcome;
}

CommandOutcome ClipboardPaste::paste(model::EditData& data, GridState& grid, UndoHistory& history,
                                     const ClipboardContents& clipboard) const {
    if (clipboard.hasText()) {
        return pasteText(data, grid, history, clipboard.text());
    }
    if (!targetValid(data, grid)) {
        return refusedWith(msg::BeyondBlocks);
    }
    const std::optional<ClipboardFormat> format = requiredFormat(grid);
    const std::optional<std::vector<std::uint8_t>> bytes =
        format ? clipboard.bytes(*format) : std::optional<std::vector<std::uint8_t>>{};
    if (!bytes) {
        return refusedWith(msg::WrongFormat);
    }
    formats::PayloadReadResult read = formats::readClipboardPayload(*bytes);
    if (!read.ok || read.payload.rows() == 0) {
        return refusedWith(msg::WrongFormat);
    }
    adaptToModel(read.payload);
    return pastePayload(data, grid, history, *format, read.payload);
}

CommandOutcome ClipboardPaste::pasteFormat(model::EditData& data, GridState& grid, UndoHistory& history,
                                           const ClipboardContents& clipboard) const {
    const CellRange& sel = grid.selection;
    if (sel.right - sel.left + 1 < m_catalogue.limits().lineLimit) {
        return refusedWith(msg::NoBlockSelected);
    }
    if (!targetValid(data, grid)) {
        return refusedWith(msg::BeyondBlocks);
    }
    const std::optional<std::vector<std::uint8_t>> bytes = clipboard.bytes(ClipboardFormat::Format);
    if (!bytes) {
        return refusedWith(msg::WrongFormat);
    }
    const formats::PayloadReadResult read = formats::readClipboardPayload(*bytes);
    if (!read.ok || read.payload.rows() == 0) {
        return refusedWith(msg::WrongFormat);
    }
    return pasteAttributes(data, grid, history, ClipboardFormat::Format, read.payload);
}

CommandOutcome ClipboardPaste::pastePayload(model::EditData& data, GridState& grid, UndoHistory& history,
                                            ClipboardFormat format, const formats::ClipboardPayload& payload) const {
    switch (format) {
    case ClipboardFormat::Row:
    case ClipboardFormat::Column:
        return pasteLines(data, grid, history, format == ClipboardFormat::Column, payload);
    case ClipboardFormat::All:
        return pasteBlocks(data, grid, history, payload);
    case ClipboardFormat::Number:
    case ClipboardFormat::Pitch:
    case ClipboardFormat::Format:
        return pasteAttributes(data, grid, history, format, payload);
    }
    return refusedWith(msg::WrongFormat);
}

CommandOutcome ClipboardPaste::pasteAttributes(model::EditData& data, GridState& grid, UndoHistory& history,
                                               ClipboardFormat format,
                                               const formats::ClipboardPayload& payload) const {
    history.RecordUndo(data, grid, true);
    CellRange& sel = grid.selection;
    const RowMapping mapping =
        mapAttributeRows(payload.top, payload.bottom, sel.top, sel.bottom, m_catalogue.limits().blockLimit);
    const bool label = model::isLabelTarget(data.target);
    for (const RowAssignment& row : mapping.rows) {
        const model::EditBlock& from = payload.blockAt(row.source);
        model::EditBlock& to = data.block(row.target);
        switch (format) {
        case ClipboardFormat::Number:
            to.count = countInRange(data, from.count);
            break;
        case ClipboardFormat::Pitch:
            to.pitch = pitchInRange(data, from.pitch);
            break;
        default:
            for (std::size_t l = 0; l < to.lines.size(); ++l) {
                to.lines[l].charSize = from.lines[l].charSize;
                to.lines[l].charWidth = from.lines[l].charWidth;
            }
            to.count = countInRange(data, from.count);
            if (!label) {
                to.pitch = pitchInRange(data, from.pitch);
            }
            to.reverse = from.reverse;
            to.underline = from.underline;
            to.reserved = from.reserved;
            break;
        }
    }
    if (!mapping.rows.empty()) {
        data.blockCount = static_cast<std::int16_t>(std::max<int>(data.blockCount, mapping.rows.back().target + 1));
    }
    sel.bottom = mapping.bottom;
    return finish(data, grid, history, 0, 0);
}

CommandOutcome ClipboardPaste::pasteBlocks(model::EditData& data, GridState& grid, UndoHistory& history,
                                           const formats::ClipboardPayload& payload) const {
    history.RecordUndo(data, grid, true);
    const CellRange& sel = grid.selection;
    const int blockLimit = m_catalogue.limits().blockLimit;
    const bool oneSource = payload.rows() == 1;
    // Blocks poured onto one selected row all arrive, downward from it, as the attribute pastes do;
    // several selected rows take no more blocks than they span.
    const bool oneTarget = sel.top == sel.bottom;
    const int rows = oneSource   ? sel.bottom - sel.top + 1
                     : oneTarget ? payload.rows()
                                 : std::min(sel.bottom - sel.top, payload.rows() - 1) + 1;
    const bool pitchMode = data.target.isPitchLengthMode();
    const bool pitchEditable = isPitchEditable(data.target);
    int replaced = 0;
    for (int k = 0; k < rows && sel.top + k < blockLimit; ++k) {
        const int row = sel.top + k;
        const model::EditBlock& from = payload.blocks[static_cast<std::size_t>(oneSource ? 0 : k)];
        prepareRow(data, row);
        model::EditBlock& to = data.block(row);
        for (std::size_t l = 0; l < to.lines.size(); ++l) {
            if (static_cast<int>(l) < from.lineCount) {
                replaced += copyCodes(from.lines[l].chars, to.lines[l].chars);
            } else {
                to.lines[l].chars.clear();
            }
            to.lines[l].charSize = from.lines[l].charSize;
            to.lines[l].charWidth = from.lines[l].charWidth;
        }
        to.lineCount = from.lineCount;
        if (pitchMode) {
            to.count = countInRange(data, from.count);
            if (pitchEditable) {
                to.pitch = pitchInRange(data, from.pitch);
            }
        }
        to.replaceSequences(from.sequences.data(), from.sequenceCount);
        to.reverse = from.reverse;
    }
    return finish(data, grid, history, documentLimitBroken(data), replaced);
}

CommandOutcome ClipboardPaste::pasteLines(model::EditData& data, GridState& grid, UndoHistory& history,
                                          bool allRows, const formats::ClipboardPayload& payload) const {
    const model::ModelLimits& limits = m_catalogue.limits();
    const int lastLine = std::min(limits.lineLimit, model::MaxLines) - 1;
    const int sL = payload.left;
    const int sR = payload.right;
    // Lines of another program's payload that name no text line cannot be pasted.
    if (sL < 0 || sR < sL || sR > lastLine) {
        return refusedWith(msg::WrongFormat);
    }
    history.RecordUndo(data, grid, true);
    const CellRange sel = grid.selection;
    const int L = sel.left;
    const int R = std::min(sel.right, lastLine);

    struct Plan {
        int firstRow = 0;
        int lastRow = 0;
        int firstLine = 0;
        int lastLine = 0;
        bool oneSourceLine = false; ///< every target line takes the source's only line
        bool oneSourceRow = false;  ///< every target row takes the source's only row
        bool ownRows = false;       ///< row h takes source row h
    } plan;
    const int sourceRows = payload.rows();
    if (allRows) {
        plan.firstRow = payload.top;
        plan.lastRow = payload.bottom;
        plan.ownRows = true;
        plan.firstLine = L;
        if (sL == sR) {
            plan.lastLine = R;
            plan.oneSourceLine = true;
        } else {
            plan.lastLine = L + std::min(R - L, sR - sL);
        }
    } else if (sourceRows == 1 && sL == sR) {
        plan.firstRow = sel.top;
        plan.lastRow = sel.bottom;
        plan.firstLine = L;
        plan.lastLine = R;
        plan.oneSourceLine = plan.oneSourceRow = true;
    } else if (isSingleCell(sel)) {
        plan.firstRow = sel.top;
        plan.lastRow = sel.top + sourceRows - 1;
        plan.firstLine = L;
        plan.lastLine = L + (sR - sL);
    } else {
        plan.firstRow = sel.top;
        plan.lastRow = sel.top + std::min(sel.bottom - sel.top, sourceRows - 1);
        plan.firstLine = L;
        plan.lastLine = L + std::min(R - L, sR - sL);
    }
    plan.lastLine = std::min(plan.lastLine, lastLine);
    plan.lastRow = std::min(plan.lastRow, limits.blockLimit - 1);

    int replaced = 0;
    int limitMessage = 0;
    const model::SequenceLimits seqLimits = model::sequenceLimits(m_catalogue, data.target.isPrintLengthMode());
    for (int row = plan.firstRow; row <= plan.lastRow && limitMessage == 0; ++row) {
        const int k = row - plan.firstRow;
        const model::EditBlock& from =
            plan.ownRows ? payload.blockAt(row) : payload.blocks[static_cast<std::size_t>(plan.oneSourceRow ? 0 : k)];
        prepareRow(data, row);
        model::EditBlock& to = data.block(row);
        for (int line = plan.firstLine; line <= plan.lastLine; ++line) {
            const int sourceLine = plan.oneSourceLine ? sL : sL + (line - plan.firstLine);
            const model::EditLine& source = from.lines[static_cast<std::size_t>(sourceLine)];
            // The line's definitions go first, while its markers still say which they are.
            const std::vector<model::tagSEQ_V900> definitions = model::lineSequences(from, sourceLine);
            model::replaceLineSequences(to, line, definitions);
            model::EditLine& target = to.lines[static_cast<std::size_t>(line)];
            replaced += copyCodes(source.chars, target.chars);
            target.charSize = source.charSize;
            target.charWidth = source.charWidth;
        }
        normaliseLines(to);
        if (model::blockSequenceCount(to) > seqLimits.perBlock) {
            limitMessage = documentLimitBroken(data);
            if (limitMessage == 0) {
                limitMessage = model::blockLimitMessage(m_catalogue.model());
            }
        }
    }
    if (limitMessage == 0) {
        limitMessage = documentLimitBroken(data);
    }
    return finish(data, grid, history, limitMessage, replaced);
}

CommandOutcome ClipboardPaste::pasteText(model::EditData& data, GridState& grid, UndoHistory& history,
                                         std::string_view text) const {
    if (!targetValid(data, grid)) {
        return refusedWith(msg::BeyondBlocks);
    }
    const model::ModelLimits& limits = m_catalogue.limits();
    const formats::PastedText cells = formats::splitPastedText(text, static_cast<std::size_t>(limits.blockLimit));
    if (cells.records.empty()) {
        return {};
    }
    const int gridColumns = TubePrintTableColumns(m_catalogue.model()).count();
    const int columns = std::min(static_cast<int>(cells.widestRecord), gridColumns);
    const int rows = static_cast<int>(cells.records.size());
    history.RecordUndo(data, grid, true);

    CellRange& sel = grid.selection;
    const bool oneField = rows == 1 && cells.records.front().size() == 1;
    CellRange area = sel;
    if (!oneField) {
        if (isSingleCell(sel)) {
            area.right = sel.left + columns - 1;
            area.bottom = sel.top + rows - 1;
        } else {
            area.right = sel.left + std::min(sel.right - sel.left, columns - 1);
            area.bottom = sel.top + std::min(sel.bottom - sel.top, rows - 1);
        }
    }
    area.right = std::min(area.right, PitchColumn);
    area.bottom = std::min(area.bottom, limits.blockLimit - 1);

    const bool pitchMode = data.target.isPitchLengthMode();
    const bool pitchEditable = isPitchEditable(data.target);
    const int lineColumns = std::min(limits.lineLimit, model::MaxLines);
    int replaced = 0;
    std::vector<int> touched;
    for (int row = area.top; row <= area.bottom; ++row) {
        const auto& record = cells.records[static_cast<std::size_t>(oneField ? 0 : row - area.top)];
        bool written = false;
        for (int column = area.left; column <= area.right; ++column) {
            const std::size_t field = oneField ? 0 : static_cast<std::size_t>(column - area.left);
            if (field >= record.size()) {
                break;
            }
            const std::string_view value = record[field];
            const bool writes = column < lineColumns || (column == CountColumn && pitchMode) ||
                                (column == PitchColumn && pitchEditable);
            if (!writes) {
                continue;
            }
            prepareRow(data, row);
            written = true;
            model::EditBlock& block = data.block(row);
            if (column < lineColumns) {
                model::replaceLineSequences(block, column, {});
                model::TextToCodesResult codes = model::utf8ToCodes(value, false);
                replaced += codes.replaced + model::sanitiseCodes(codes.codes, m_catalogue.model());
                block.lines[static_cast<std::size_t>(column)].chars = std::move(codes.codes);
                block.lineCount = static_cast<std::int8_t>(std::max<int>(block.lineCount, column + 1));
            } else if (column == CountColumn) {
                const std::string_view number = trimBlanks(value);
                const long long n = isWholeNumber(number, false) ? parseCellInteger(number) : -1;
                block.count = countInRange(data, static_cast<int>(std::clamp<long long>(n, -1, 0x7FFF)));
            } else {
                const std::string_view number = trimBlanks(value);
                const DecimalTenths tenths = isWholeNumber(number, true) ? parseCellDecimal(number) : DecimalTenths{-1};
                block.pitch = pitchInRange(data, static_cast<int>(std::clamp<long long>(tenths.tenths, -1, 0x7FFF)));
            }
        }
        if (written) {
            touched.push_back(row);
        }
    }
    for (const int row : touched) {
        normaliseLines(data.block(row));
    }
    if (!oneField) {
        sel = area;
    }
    return finish(data, grid, history, 0, replaced);
}

} // namespace qx::ui
