#pragma once

// Rows of a wire list mapped to pieces by a profile, and the pieces placed as blocks of a document
// the way a file insert places its blocks.

#include "wirelist/ColumnRoles.h"
#include "wirelist/ImportProfile.h"
#include "wirelist/Table.h"

#include "formats/MergeCheck.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::wirelist {

/// One printed piece: the lines of its block and how many of it.
struct Piece {
    std::vector<std::string> lines; ///< UTF-8, as the templates and the cells' line breaks give them
    std::optional<int> count;       ///< none: the operator's default count
    int row = 0;                    ///< the sheet row it comes from, from 1
    bool targetEnd = false;         ///< the piece of the wire's target end

    friend bool operator==(const Piece&, const Piece&) = default;
};

/// A row that gave no piece, or was read with a change: its row number (from 1) and the message.
struct RowNote {
    int row = 0;
    int messageId = 0;
    std::string text;
};

/// The rows of a sheet mapped by a profile.
struct SheetMapping {
    bool ok = false;
    int messageId = 0;   ///< why the rows cannot be mapped, when not ok
    std::string message;
    int headerRow = -1;  ///< index of the header's first row in the sheet; -1 for none
    int headerRows = 0;  ///< 1, or 2 for a header of two rows under merged cells
    std::vector<std::string> header;
    ColumnRoles roles;
    Ends ends = Ends::Both;
    std::vector<std::string> lines; ///< the templates in effect
    std::vector<Piece> pieces;
    std::vector<RowNote> skipped; ///< rows that gave no piece, with the reason
    std::vector<RowNote> notices; ///< rows read with a change
};

/// The index of the sheet a profile names ("" the first, a name, or a number from 1).
std::optional<std::size_t> findSheet(const Table& table, std::string_view sheet);

/// The templates used when a profile has none: the wire number over the end's own address.
std::vector<std::string> defaultLines(const ColumnRoles& roles);

/// Maps the rows below the header to pieces: comments, lead-in and footer rows are passed over,
/// rows with nothing to print are skipped with their reason, and with `merge` identical pieces one
/// after the other become one with their count.
SheetMapping mapSheet(const Sheet& sheet, const ImportProfile& profile);

/// The mapping as text, as a dry run shows it: one piece a line with its lines joined by tabs (a
/// tab inside a line shown as a blank), then each skipped row as "# " and its message.
std::string listPieces(const SheetMapping& mapping);

/// The pieces placed as blocks before block `position` of `current` (−1: a document of their own),
/// through the same conversion and checks as typed and pasted text.
struct PieceInsert {
    formats::MergeResult merge; ///< the new record and its messages (42005, 42006, 42045 …)
    std::vector<RowNote> notices; ///< lines cut, characters replaced, pieces over the block limit
    int blocksUsed = 0;           ///< blocks of the new record
    int blockLimit = 0;           ///< the model's
};

PieceInsert insertPieces(const model::EditData& current, int position, std::span<const Piece> pieces,
                         const model::Catalogue& catalogue, const model::OperatorSettings& settings);

/// The same into `result`, reusing its record storage (the live preview maps again on every change).
void insertPieces(const model::EditData& current, int position, std::span<const Piece> pieces,
                  const model::Catalogue& catalogue, const model::OperatorSettings& settings, PieceInsert& result);

} // namespace qx::wirelist
