#pragma once

// The paste rules: which private format a selection takes, where the source rows and lines go,
// the model's character filter, the sequence-number limits that take a whole paste back, and the
// text paste of cells from spreadsheets. The clipboard itself is reached through ClipboardContents.

#include "EditingCommands.h"

#include "formats/ClipboardPayload.h"
#include "formats/PastedText.h"

#include <optional>
#include <string>
#include <vector>

namespace qx::ui {

/// What the clipboard holds, as the paste rules ask for it.
class ClipboardContents {
public:
    virtual ~ClipboardContents() = default;
    [[nodiscard]] virtual bool hasText() const = 0;
    /// The plain text (UTF-8).
    [[nodiscard]] virtual std::string text() const = 0;
    /// The bytes of a private format, or nothing when it is not on the clipboard.
    [[nodiscard]] virtual std::optional<std::vector<std::uint8_t>> bytes(formats::ClipboardFormat format) const = 0;
};

/// One target row of an attribute paste and the source row it receives.
struct RowAssignment {
    int target = 0;
    int source = 0;
    friend bool operator==(const RowAssignment&, const RowAssignment&) = default;
};

/// The rows the count, pitch and format pastes write, and the selection's new bottom row.
struct RowMapping {
    std::vector<RowAssignment> rows;
    int bottom = 0;
};
RowMapping mapAttributeRows(int sourceTop, int sourceBottom, int top, int bottom, int blockLimit);

class ClipboardPaste final {
public:
    ClipboardPaste(const model::Catalogue& catalogue, const model::OperatorSettings& settings)
        : m_catalogue(catalogue), m_settings(settings) {}

    /// Paste: the clipboard's text if it has any, else the private format the selection takes.
    CommandOutcome paste(model::EditData& data, GridState& grid, UndoHistory& history,
                         const ClipboardContents& clipboard) const;
    /// Format paste onto whole blocks: sizes, widths, counts, pitches and flags, never text.
    CommandOutcome pasteFormat(model::EditData& data, GridState& grid, UndoHistory& history,
                               const ClipboardContents& clipboard) const;
    /// Text paste of tab-separated cells.
    CommandOutcome pasteText(model::EditData& data, GridState& grid, UndoHistory& history,
                             std::string_view text) const;

    /// The private format a paste onto the selection needs; nothing for the flag columns.
    [[nodiscard]] std::optional<formats::ClipboardFormat> requiredFormat(const GridState& grid) const;
    /// Sequence definitions pasted into the first-generation models lose their last word, and
    /// lower-case letter runs become upper-case ones, which those printers know.
    void adaptToModel(formats::ClipboardPayload& payload) const;

private:
    [[nodiscard]] bool targetValid(const model::EditData& data, const GridState& grid) const;
    CommandOutcome pastePayload(model::EditData& data, GridState& grid, UndoHistory& history,
                                formats::ClipboardFormat format, const formats::ClipboardPayload& payload) const;
    CommandOutcome pasteLines(model::EditData& data, GridState& grid, UndoHistory& history, bool allRows,
                              const formats::ClipboardPayload& payload) const;
    CommandOutcome pasteBlocks(model::EditData& data, GridState& grid, UndoHistory& history,
                               const formats::ClipboardPayload& payload) const;
    CommandOutcome pasteAttributes(model::EditData& data, GridState& grid, UndoHistory& history,
                                   formats::ClipboardFormat format, const formats::ClipboardPayload& payload) const;
    /// Ends a paste: a broken sequence limit takes the whole paste back; otherwise the replaced
    /// characters are reported.
    CommandOutcome finish(model::EditData& data, GridState& grid, UndoHistory& history, int limitMessage,
                          int replaced) const;

    void prepareRow(model::EditData& data, int row) const;
    int copyCodes(const model::CodeList& from, model::CodeList& to) const;
    [[nodiscard]] std::int16_t countInRange(const model::EditData& data, int value) const;
    [[nodiscard]] std::int16_t pitchInRange(const model::EditData& data, int value) const;
    [[nodiscard]] int documentLimitBroken(const model::EditData& data) const;

    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
};

} // namespace qx::ui
