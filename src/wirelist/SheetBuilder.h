#pragma once

#include "wirelist/ReadContext.h"
#include "wirelist/Table.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qx::wirelist {

/// Collects the cells of one sheet in any order, within the limits, and gives the sheet as the
/// program shows it: merged areas filled with their value, rows cut after their last non-empty
/// cell, empty rows at the end dropped.
class SheetBuilder final {
public:
    SheetBuilder(std::string name, ReadContext& context, bool columnLetters = true);

    const std::string& name() const { return m_sheet.name; }

    /// Stores a cell; an empty text stores nothing. False, with the refusal in the context, past a limit.
    bool setCell(std::size_t row, std::size_t column, std::string text);
    /// The same text in `rowCount` rows from `row` and `columnCount` columns from `column`, as
    /// repeated rows and columns give it.
    bool fillCells(std::size_t row, std::size_t column, std::size_t rowCount, std::size_t columnCount,
                   const std::string& text);
    /// Whether a row or column index is past the limits (for the refusal's place).
    bool checkPlace(std::size_t row, std::size_t column);
    /// A merged area, inclusive; filled when the sheet is finished.
    void addMergedArea(std::size_t firstRow, std::size_t firstColumn, std::size_t lastRow,
                       std::size_t lastColumn);

    /// The finished sheet; false when a limit was passed while filling merged areas.
    bool finish(Sheet& out);

    CellPlace place(std::size_t row, std::size_t column = CellPlace::None) const {
        return {m_sheet.name, row, column, m_letters};
    }

private:
    struct Area {
        std::size_t firstRow, firstColumn, lastRow, lastColumn;
    };

    ReadContext& m_context;
    Sheet m_sheet;
    std::vector<Area> m_merged;
    bool m_letters;
};

} // namespace qx::wirelist
