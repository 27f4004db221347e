#include "EditingCommands.h"

#include "ui/CommandIds.h"
#include "ui/grid/TubePrintTableColumns.h"

#include "formats/FileInsert.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"

#include <algorithm>

namespace qx::ui {

namespace {

constexpr model::CharCode FullStop = 0x2125;

int settingDefault(const model::Catalogue& catalogue, model::SettingRow row) {
    return catalogue.settingRange(row).defaultValue;
}

std::int8_t newBlockLineCount(const model::Catalogue& catalogue) {
    return static_cast<std::int8_t>(settingDefault(catalogue, model::SettingRow::LineCountMinusOne) + 1);
}

/// Rows of the selection that are blocks of the document, counted from the top row.
int selectedExistingBlocks(const model::EditData& data, const CellRange& selection) {
    return std::min(selection.bottom, data.blockCount - 1) - selection.top + 1;
}

CommandOutcome changedWith(int hint) {
    CommandOutcome outcome;
    outcome.changed = true;
    outcome.hint = hint;
    return outcome;
}

} // namespace

bool isPitchEditable(const model::TargetSettings& target) {
    return target.isPitchLengthMode() && target.pitchAuto != 1 && !model::isLabelTarget(target);
}

void normaliseLines(model::EditBlock& block) {
    int last = 0;
    for (int l = 0; l < model::MaxLines; ++l) {
        if (!block.lines[static_cast<std::size_t>(l)].chars.empty()) {
            last = l + 1;
        }
    }
    block.lineCount = static_cast<std::int8_t>(last);
    if (last == 0) {
        block.clearSequences();
    }
}

void EditingCommands::resetToDefaultBlock(const model::EditData& data, model::EditBlock& block) const {
    for (model::EditLine& line : block.lines) {
        line.chars.clear();
        line.charSize = m_settings.textSize;
        line.charWidth = m_settings.textWidth;
    }
    block.lineCount = newBlockLineCount(m_catalogue);
    block.clearSequences();
    block.count = static_cast<std::int16_t>(model::defaultCount(data.target, m_settings));
    if (!model::isLabelTarget(data.target)) {
        block.pitch = static_cast<std::int16_t>(model::defaultPitch(data.target, m_settings));
    }
    block.reverse = static_cast<std::uint8_t>(settingDefault(m_catalogue, model::SettingRow::Reverse));
}

CommandOutcome EditingCommands::insertBlocks(model::EditData& data, const GridState& grid,
                                             UndoHistory& history) const {
    const CellRange& sel = grid.selection;
    const int count = data.blockCount;
    if (sel.top < 0 || sel.top >= count) {
        return {};
    }
    const int n = std::min(selectedExistingBlocks(data, sel), m_catalogue.limits().blockLimit - count);
    if (n <= 0) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    auto first = data.blocks.begin() + sel.top;
    // The blocks from the top row on move down by n; the n slots past the end come up in front.
    std::rotate(first, data.blocks.begin() + count, data.blocks.begin() + count + n);
    for (int i = 0; i < n; ++i) {
        // A new block keeps the attributes of the block that stood in its slot, without its text.
        model::EditBlock& fresh = data.block(sel.top + i);
        const model::EditBlock& moved = data.block(sel.top + n + i);
        for (std::size_t l = 0; l < fresh.lines.size(); ++l) {
            fresh.lines[l].chars.clear();
            fresh.lines[l].charSize = moved.lines[l].charSize;
            fresh.lines[l].charWidth = moved.lines[l].charWidth;
        }
        fresh.lineCount = newBlockLineCount(m_catalogue);
        fresh.clearSequences();
        fresh.count = moved.count;
        fresh.pitch = moved.pitch;
        fresh.underline = moved.underline;
        fresh.reverse = moved.reverse;
    }
    data.blockCount = static_cast<std::int16_t>(count + n);
    return changedWith(UpdateHint::BlocksFromFocusRow);
}

CommandOutcome EditingCommands::deleteBlocks(model::EditData& data, const GridState& grid,
                                             UndoHistory& history) const {
    const CellRange& sel = grid.selection;
    const int count = data.blockCount;
    const int n = selectedExistingBlocks(data, sel);
    if (n <= 0 || sel.top < 0) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    std::rotate(data.blocks.begin() + sel.top, data.blocks.begin() + sel.top + n, data.blocks.begin() + count);
    for (int row = count - n; row < count; ++row) {
        resetToDefaultBlock(data, data.block(row));
    }
    // One block always remains: deleting every block leaves one default block.
    data.blockCount = static_cast<std::int16_t>(std::max(1, count - n));
    return changedWith(UpdateHint::BlocksFromFocusRow);
}

CommandOutcome EditingCommands::clear(model::EditData& data, const GridState& grid, UndoHistory& history) const {
    const CellRange& sel = grid.selection;
    const int top = std::max(sel.top, 0);
    const int bottom = std::min(sel.bottom, m_catalogue.limits().blockLimit - 1);
    if (top > bottom || top >= data.blockCount) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    const bool pitchMode = data.target.isPitchLengthMode();
    const bool pitchEditable = isPitchEditable(data.target);
    for (int row = top; row <= bottom; ++row) {
        model::EditBlock& block = data.block(row);
        for (int c = sel.left; c <= sel.right; ++c) {
            switch (static_cast<ColumnType>(c)) {
            case ColumnType::Count:
                if (pitchMode) {
                    block.count = static_cast<std::int16_t>(model::defaultCount(data.target, m_settings));
                }
                break;
            case ColumnType::Pitch:
                if (pitchEditable) {
                    block.pitch = static_cast<std::int16_t>(model::defaultPitch(data.target, m_settings));
                }
                break;
            case ColumnType::Underline:
                block.underline =
                    static_cast<std::int16_t>(settingDefault(m_catalogue, model::SettingRow::Underline));
                break;
            case ColumnType::Reverse:
                block.reverse = static_cast<std::uint8_t>(settingDefault(m_catalogue, model::SettingRow::Reverse));
                break;
            default:
                if (c >= 0 && c < m_catalogue.limits().lineLimit && c < model::MaxLines) {
                    model::replaceLineSequences(block, c, {});
                    model::EditLine& line = block.lines[static_cast<std::size_t>(c)];
                    line.chars.clear();
                    line.charSize = m_settings.textSize;
                    line.charWidth = m_settings.textWidth;
                }
                break;
            }
        }
        // A cleared block keeps one line to type into.
        int last = 0;
        for (int l = 0; l < model::MaxLines; ++l) {
            if (!block.lines[static_cast<std::size_t>(l)].chars.empty()) {
                last = l;
            }
        }
        block.lineCount = static_cast<std::int8_t>(last + 1);
    }
    return changedWith(UpdateHint::Attributes);
}

CommandOutcome EditingCommands::period(model::EditData& data, const GridState& grid, UndoHistory& history,
                                       bool add) const {
    if (data.blockCount <= 0) {
        return {};
    }
    // The step is recorded even when no line changes, as operators know it.
    history.RecordUndo(data, grid, true);
    for (int b = 0; b < data.blockCount; ++b) {
        for (model::EditLine& line : data.block(b).lines) {
            if (line.chars.empty()) {
                continue;
            }
            const bool endsWithStop = line.chars.back() == FullStop;
            if (add && !endsWithStop) {
                line.chars.push_back(FullStop);
            } else if (!add && endsWithStop) {
                line.chars.pop_back();
            }
        }
    }
    return changedWith(UpdateHint::Everything);
}

CommandOutcome EditingCommands::toggleFrame(model::EditData& data, const GridState& grid,
                                            UndoHistory& history) const {
    history.RecordUndo(data, grid, true);
    std::int16_t& frame = data.target.frame;
    if (m_catalogue.model() <= 1) {
        frame = frame == 0 ? 1 : 0;
    } else {
        frame = frame != 0 ? 0 : data.target.frameGap;
    }
    return changedWith(UpdateHint::Everything);
}

CommandOutcome EditingCommands::sortByPitch(model::EditData& data, const GridState& grid,
                                            UndoHistory& history) const {
    if (!data.target.isPitchLengthMode() || data.blockCount <= 1) {
        return {};
    }
    std::vector<std::int16_t> order; // distinct pitches in the order of first appearance
    for (int b = 0; b < data.blockCount; ++b) {
        if (std::find(order.begin(), order.end(), data.block(b).pitch) == order.end()) {
            order.push_back(data.block(b).pitch);
        }
    }
    if (order.size() <= 1) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    auto rank = [&order](const model::EditBlock& block) {
        return std::find(order.begin(), order.end(), block.pitch) - order.begin();
    };
    std::stable_sort(data.blocks.begin(), data.blocks.begin() + data.blockCount,
                     [&rank](const model::EditBlock& a, const model::EditBlock& b) { return rank(a) < rank(b); });
    return changedWith(UpdateHint::Everything);
}

CommandOutcome EditingCommands::bulkChange(model::EditData& data, const GridState& grid, UndoHistory& history,
                                           BulkAttribute attribute, int value) const {
    if (attribute == BulkAttribute::Underline && m_catalogue.model() < 5) {
        return {};
    }
    history.RecordUndo(data, grid, true);
    for (model::EditBlock& block : data.blocks) {
        switch (attribute) {
        case BulkAttribute::CharSize:
            for (model::EditLine& line : block.lines) {
                line.charSize = static_cast<std::uint8_t>(value);
            }
            break;
        case BulkAttribute::CharWidth:
            for (model::EditLine& line : block.lines) {
                line.charWidth = static_cast<std::uint8_t>(value);
            }
            break;
        case BulkAttribute::Count:
            block.count = static_cast<std::int16_t>(value);
            break;
        case BulkAttribute::Pitch:
            block.pitch = static_cast<std::int16_t>(value);
            break;
        case BulkAttribute::Underline:
            block.underline = static_cast<std::int16_t>(value);
            break;
        case BulkAttribute::Reverse:
            block.reverse = static_cast<std::uint8_t>(value);
            break;
        }
    }
    return changedWith(UpdateHint::Attributes);
}

CommandOutcome EditingCommands::insertFile(model::EditData& data, GridState& grid, UndoHistory& history,
                                           formats::FileInsertResult merged) const {
    const int top = grid.selection.top;
    if (top < 0) {
        return {};
    }
    if (!merged.ok) {
        CommandOutcome outcome;
        outcome.messageIds = merged.messageIds;
        return outcome;
    }
    history.RecordUndo(data, grid, true);
    const int inserted = merged.data.blockCount - data.blockCount;
    data = std::move(merged.data);
    // The inserted rows across the columns 0 to 6 of the grid.
    const TubePrintTableColumns columns(m_catalogue.model());
    const int right = static_cast<int>(columns.type(6).value_or(ColumnType::Reverse));
    grid.focus = {0, top};
    grid.selection = {0, top, right, top + std::max(inserted, 1) - 1};
    CommandOutcome outcome = changedWith(UpdateHint::Everything);
    outcome.messageIds = merged.messageIds;
    return outcome;
}

CommandOutcome EditingCommands::undo(model::EditData& data, GridState& grid, UndoHistory& history) {
    return history.undo(data, grid) ? changedWith(UpdateHint::Everything) : CommandOutcome{};
}

CommandOutcome EditingCommands::redo(model::EditData& data, GridState& grid, UndoHistory& history) {
    return history.redo(data, grid) ? changedWith(UpdateHint::Everything) : CommandOutcome{};
}

std::optional<formats::ClipboardFormat> EditingCommands::copyFormat(const GridState& grid) const {
    const CellRange& sel = grid.selection;
    const model::ModelLimits& limits = m_catalogue.limits();
    if (sel.left >= 0 && sel.left < limits.lineLimit) {
        if (sel.right - sel.left + 1 >= limits.lineLimit) {
            return formats::ClipboardFormat::All;
        }
        const bool allRows = sel.top <= 0 && sel.bottom >= limits.blockLimit - 1;
        return allRows ? formats::ClipboardFormat::Column : formats::ClipboardFormat::Row;
    }
    switch (static_cast<ColumnType>(sel.left)) {
    case ColumnType::Count:
        return formats::ClipboardFormat::Number;
    case ColumnType::Pitch:
        return formats::ClipboardFormat::Pitch;
    default:
        return std::nullopt;
    }
}

std::vector<std::uint8_t> EditingCommands::copyPayload(const model::EditData& data, const GridState& grid) const {
    const CellRange& sel = grid.selection;
    return formats::writeClipboardPayload(data, sel.left, sel.top, sel.right, sel.bottom);
}

} // namespace qx::ui
