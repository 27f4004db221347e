#include "SheetBuilder.h"

#include <algorithm>

namespace qx::wirelist {

SheetBuilder::SheetBuilder(std::string name, ReadContext& context, bool columnLetters)
    : m_context(context), m_letters(columnLetters) {
    m_sheet.name = std::move(name);
}

bool SheetBuilder::checkPlace(std::size_t row, std::size_t column) {
    const TableLimits& limits = m_context.limits();
    if (row >= limits.maxRows) {
        return m_context.failAt(messages::TooManyRows, place(row));
    }
    if (column >= limits.maxColumns) {
        return m_context.failAt(messages::TooManyColumns, place(row, column));
    }
    return true;
}

bool SheetBuilder::setCell(std::size_t row, std::size_t column, std::string text) {
    if (text.empty()) {
        return true;
    }
    if (!checkPlace(row, column)) {
        return false;
    }
    if (text.size() > m_context.limits().maxCellBytes) {
        return m_context.failAt(messages::CellTooLong, place(row, column));
    }
    auto& rows = m_sheet.rows;
    const std::size_t grownBy = column >= (row < rows.size() ? rows[row].size() : 0)
                                    ? column + 1 - (row < rows.size() ? rows[row].size() : 0)
                                    : 0;
    const std::size_t replaced = grownBy == 0 ? rows[row][column].size() : 0;
    if (!m_context.spendCells(grownBy, text.size() - std::min(text.size(), replaced), place(row, column))) {
        return false;
    }
    if (row >= rows.size()) {
        rows.resize(row + 1);
    }
    auto& cells = rows[row];
    if (column >= cells.size()) {
        cells.resize(column + 1);
    }
    cells[column] = std::move(text);
    return true;
}

bool SheetBuilder::fillCells(std::size_t row, std::size_t column, std::size_t rowCount,
                             std::size_t columnCount, const std::string& text) {
    if (text.empty() || rowCount == 0 || columnCount == 0) {
        return true;
    }
    // Both corners first, so that a huge repeat is refused before anything is stored.
    const TableLimits& limits = m_context.limits();
    // Saturated at the limit, which checkPlace then refuses: no sum can wrap around.
    auto last = [](std::size_t first, std::size_t count, std::size_t bound) {
        return first >= bound || count - 1 >= bound - first ? bound : first + count - 1;
    };
    const std::size_t lastRow = last(row, rowCount, limits.maxRows);
    const std::size_t lastColumn = last(column, columnCount, limits.maxColumns);
    if (!checkPlace(lastRow, column) || !checkPlace(row, lastColumn)) {
        return false;
    }
    for (std::size_t r = row; r <= lastRow; ++r) {
        for (std::size_t c = column; c <= lastColumn; ++c) {
            if (!setCell(r, c, text)) {
                return false;
            }
        }
    }
    return true;
}

void SheetBuilder::addMergedArea(std::size_t firstRow, std::size_t firstColumn, std::size_t lastRow,
                                 std::size_t lastColumn) {
    if (lastRow >= firstRow && lastColumn >= firstColumn &&
        (lastRow > firstRow || lastColumn > firstColumn)) {
        m_merged.push_back({firstRow, firstColumn, lastRow, lastColumn});
    }
}

bool SheetBuilder::finish(Sheet& out) {
    auto& rows = m_sheet.rows;
    // A merged area is filled only as far as the sheet has cells: a title merged across the whole
    // width must not add columns (or rows) that hold nothing else.
    std::size_t width = 0;
    for (const auto& cells : rows) {
        width = std::max(width, cells.size());
    }
    const std::size_t height = rows.size();
    // Overlapping areas fill the same cells again without growing the sheet: the cells visited
    // count against the cell limit too, so no stack of areas can keep the reader busy.
    std::size_t visited = 0;
    for (const Area& area : m_merged) {
        if (area.firstRow >= height || area.firstColumn >= rows[area.firstRow].size()) {
            continue;
        }
        const std::string value = rows[area.firstRow][area.firstColumn];
        if (value.empty()) {
            continue;
        }
        const std::size_t lastRow = std::min(area.lastRow, height - 1);
        const std::size_t lastColumn = std::min(area.lastColumn, width - 1);
        for (std::size_t r = area.firstRow; r <= lastRow; ++r) {
            for (std::size_t c = area.firstColumn; c <= lastColumn; ++c) {
                if (++visited > m_context.limits().maxCells) {
                    return m_context.failAt(messages::TooManyCells, place(r, c));
                }
                if ((r != area.firstRow || c != area.firstColumn) && !setCell(r, c, value)) {
                    return false;
                }
            }
        }
    }
    for (auto& cells : rows) {
        while (!cells.empty() && cells.back().empty()) {
            cells.pop_back();
        }
    }
    while (!rows.empty() && rows.back().empty()) {
        rows.pop_back();
    }
    out = std::move(m_sheet);
    return true;
}

} // namespace qx::wirelist
