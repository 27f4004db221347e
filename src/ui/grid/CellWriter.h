#pragma once

// The rules of reading and writing one cell of the block grid against the document: what a cell
// shows, how typed text becomes a count, a pitch length, a flag or a line's characters, the
// limits and messages, the sequence definitions that travel with a text line, and the new block
// that writing just below the last one appends.

#include "ui/grid/TubePrintTableColumns.h"
#include "model/EditData.h"
#include "model/SequenceDefinition.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qx::model {
class Catalogue;
}

namespace qx::ui {

/// Message ids of the cell rules.
namespace CellMessage {
inline constexpr int NotWritable = 42030;   ///< "このブロックには入力できません。"
inline constexpr int IntegerRange = 42040;  ///< "%d～%dの範囲で設定してください。"
inline constexpr int DecimalRange = 42041;  ///< "%.1f～%.1fの範囲で設定してください。"
} // namespace CellMessage

/// A typed decimal number read to tenths, truncated toward zero, the way the pitch cell reads it.
struct DecimalTenths {
    long long tenths = 0;   ///< saturated far outside any range
    bool beyondTenths = false; ///< a non-zero digit follows the tenths: the value lies past `tenths`
    bool negative = false;

    /// Whether the exact value lies within [lower, upper] (both in tenths).
    [[nodiscard]] bool within(int lower, int upper) const;
};

/// Reads the leading decimal number of the text (blanks before it, a sign, digits, a point and
/// more digits; full-width forms are accepted), like the C library's reading of a number: text
/// without a number reads as 0. Exact: 12.3 is 123 tenths, never 122.
DecimalTenths parseCellDecimal(std::string_view utf8);

/// Reads the leading decimal integer of the text in the same way, saturated far outside any range.
long long parseCellInteger(std::string_view utf8);

/// "%d.%d" of a pitch length in tenths of a millimetre (125 → "12.5").
std::string cellPitchText(int tenths);

/// What writing a cell did.
struct CellWriteOutcome {
    enum class Kind {
        Unchanged, ///< nothing to store: same value, or a default written to an empty row
        Written,   ///< the document changed
        Refused,   ///< refused with `messageId`; the document is unchanged
    };
    Kind kind = Kind::Unchanged;
    int messageId = 0;
    std::string message; ///< the message text with its bounds filled in (UTF-8)
    bool appended = false; ///< the row was the one after the last block: a block was appended
    /// Characters of a changed text line that the printers cannot print; each was stored as a
    /// full-width blank and is reported to the operator once.
    int replaced = 0;

    [[nodiscard]] bool written() const { return kind == Kind::Written; }
};

/// The cell rules of one model. Rows are block indices.
class CellWriter final {
public:
    explicit CellWriter(const model::Catalogue& catalogue) : m_catalogue(catalogue) {}

    /// Whether a row holds a block of the document (below the block count and the model's limit).
    [[nodiscard]] bool isBlockRow(const model::EditData& data, int row) const;

    /// The cell's text (UTF-8): empty beyond the blocks; the count in decimal; the pitch as "12.5";
    /// "する"/"しない" for the flags; a text line in token form.
    [[nodiscard]] std::string cellText(const model::EditData& data, int row, ColumnType column) const;

    /// Writes typed text into a cell. A text line takes `sequences` as its definitions, one per
    /// marker in the new text. `beforeChange` runs once, before the first change to the document,
    /// and only when something changes (the undo step is recorded there). The caller notifies the
    /// views afterwards when the outcome is Written.
    CellWriteOutcome write(model::EditData& data, int row, ColumnType column, std::string_view utf8,
                           std::span<const model::tagSEQ_V900> sequences,
                           const std::function<void()>& beforeChange) const;

    /// Turns slot `row` (the one after the last block) into a new block that takes over the
    /// continuous count, pitch length, reverse and underline flags of the block before it, and
    /// raises the block count.
    void appendBlock(model::EditData& data, int row) const;

private:
    const model::Catalogue& m_catalogue;
};

} // namespace qx::ui
