#pragma once

// The editing commands of a document window as plain rules over the document, the grid's focus
// and selection (in column types) and the window's undo lists. The frame gathers the state,
// calls one of these and then sends the change notification with the hint it returns; nothing
// here knows a widget.

#include "UndoHistory.h"

#include "formats/ClipboardPayload.h"

#include <optional>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {
struct FileInsertResult;
} // namespace qx::formats

namespace qx::ui {

/// What a command did: whether the document changed (and with which update hint the views are
/// told), and the messages to show, in order.
struct CommandOutcome {
    bool changed = false;
    int hint = 0;
    std::vector<int> messageIds;

    [[nodiscard]] bool refused() const { return !changed && !messageIds.empty(); }
};

/// The bulk-change attributes, numbered as the bulk-change dialog's modes.
enum class BulkAttribute : int { CharSize = 0, CharWidth = 1, Count = 2, Pitch = 3, Underline = 4, Reverse = 5 };

class EditingCommands final {
public:
    EditingCommands(const model::Catalogue& catalogue, const model::OperatorSettings& settings)
        : m_catalogue(catalogue), m_settings(settings) {}

    /// Inserts as many empty blocks before the top row as the selection holds existing blocks,
    /// within the model's block limit. Each new block keeps the attributes of the slot's block.
    CommandOutcome insertBlocks(model::EditData& data, const GridState& grid, UndoHistory& history) const;
    /// Deletes the selected existing blocks; the slots freed at the end become default blocks and
    /// one block always remains.
    CommandOutcome deleteBlocks(model::EditData& data, const GridState& grid, UndoHistory& history) const;
    /// Resets every selected cell to its column's default.
    CommandOutcome clear(model::EditData& data, const GridState& grid, UndoHistory& history) const;
    /// Adds (or removes) the full-width full stop at the end of every line that has characters.
    CommandOutcome period(model::EditData& data, const GridState& grid, UndoHistory& history, bool add) const;
    /// Switches the frame off, or on with the document's remembered frame spacing.
    CommandOutcome toggleFrame(model::EditData& data, const GridState& grid, UndoHistory& history) const;
    /// Groups the blocks by pitch length in the order the pitches first appear, keeping each
    /// group's order.
    CommandOutcome sortByPitch(model::EditData& data, const GridState& grid, UndoHistory& history) const;
    /// Writes the bulk-change dialog's value into all 999 slots, so blocks added later carry it.
    CommandOutcome bulkChange(model::EditData& data, const GridState& grid, UndoHistory& history,
                              BulkAttribute attribute, int value) const;
    /// Takes the merged record of a file insert before the top row; the inserted rows become the
    /// selection.
    CommandOutcome insertFile(model::EditData& data, GridState& grid, UndoHistory& history,
                              formats::FileInsertResult merged) const;

    /// Restores the newest undo (or redo) record; hint 0.
    static CommandOutcome undo(model::EditData& data, GridState& grid, UndoHistory& history);
    static CommandOutcome redo(model::EditData& data, GridState& grid, UndoHistory& history);

    /// The format a copy of the selection puts on the clipboard (beside "KorvintaFormat"), or
    /// nothing when the selection starts in the underline or reverse column.
    [[nodiscard]] std::optional<formats::ClipboardFormat> copyFormat(const GridState& grid) const;
    /// The payload of the selection's rows.
    [[nodiscard]] std::vector<std::uint8_t> copyPayload(const model::EditData& data, const GridState& grid) const;

private:
    void resetToDefaultBlock(const model::EditData& data, model::EditBlock& block) const;

    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
};

/// Whether the pitch length of the document's blocks can be edited: pitch-length mode, no
/// automatic pitch, no label target.
bool isPitchEditable(const model::TargetSettings& target);

/// lineCount of a block after an edit: the number of the last line with characters; a block left
/// without text loses its sequence definitions.
void normaliseLines(model::EditBlock& block);

} // namespace qx::ui
