#pragma once

#include "wirelist/ColumnRoles.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::wirelist {

/// One row of the sheet as a template reads it, for the piece at one end of the wire: on the
/// target end's piece "here" is the target and "there" the source.
struct TemplateRow {
    std::span<const std::string> cells;
    const ColumnRoles& roles;
    bool targetEnd = false;
};

/// The device and terminal of one end of a wire in a row.
struct EndCells {
    std::string device;
    std::string terminal;

    /// "device:terminal", or the one of the two that is filled.
    std::string address() const;
};

/// The end of a row, from its device and terminal columns or from the column that holds both
/// ("-X1:3" splits at the last colon; without one the whole cell is the device).
EndCells endCells(std::span<const std::string> cells, const ColumnRoles& roles, bool targetEnd);

/// The text of one line of a piece, with fields: {wire}, {here.device}, {here.terminal}, {here},
/// {there.device}, {there.terminal}, {there}, and {Header text} (or {#N}) for the cell of any column;
/// "{{" and "}}" stand for the braces themselves.
class LineTemplate final {
public:
    struct Parsed;

    /// Reads a template against the header of the sheet and the roles of its columns. A field
    /// that names no column, or a role no column has, is an error with its message.
    static Parsed parse(std::string_view text, std::span<const std::string> header, const ColumnRoles& roles);

    /// The line for one row.
    std::string expand(const TemplateRow& row) const;

    /// The columns the line reads, beyond those of the roles.
    const std::vector<int>& columns() const { return m_columns; }
    const std::string& text() const { return m_text; }

private:
    enum class Field { Text, Wire, HereDevice, HereTerminal, Here, ThereDevice, ThereTerminal, There, Column };
    struct Part {
        Field field = Field::Text;
        std::string text;
        int column = -1;
    };

    std::string m_text;
    std::vector<Part> m_parts;
    std::vector<int> m_columns;
};

struct LineTemplate::Parsed {
    bool ok = false;
    LineTemplate line;
    int messageId = 0;
    std::string message;
};

/// The column a header text or "#N" (N from 1) names; -1 when none does. The text is compared as
/// it is first, then folded (case, full width, blanks).
int findColumn(std::span<const std::string> header, std::string_view name);

} // namespace qx::wirelist
