#pragma once

#include "wirelist/Table.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::wirelist {

/// Whether a row is a comment of the exporting program: its first filled cell starts with "//"
/// or "#".
bool isCommentRow(std::span<const std::string> row);

/// Whether a cell reads as a number or a date rather than a word ("0012", "2,5", "2024/05/01").
bool isNumberLike(std::string_view cell);

/// The header of a sheet: one row, or two when the upper one groups the lower one's columns under
/// merged cells ("接続元" over "機器" and "端子"); then each column's header is the two texts joined
/// by a blank, or the one text when both rows hold the same (a cell merged downwards).
struct Header {
    int row = -1;  ///< index of its first row; -1 for none
    int rows = 0;  ///< 1 or 2
    std::vector<std::string> cells;
};

/// The header of a sheet, or none. Lead-in rows (a title, the project, a date) and comments are
/// passed over: among the first rows, the header is the first whose filled cells are two or more,
/// mostly words, and which names at least two roles; failing that, the first of words that are all
/// different and as wide as the table is.
Header findHeader(const Sheet& sheet);

/// The header starting at row `index`: that row, or it and the next when they read as one.
Header headerAt(const Sheet& sheet, int index);

/// The cells of a header row as they identify a kind of file: blanks at the ends cut, empty cells
/// at the end dropped.
std::vector<std::string> headerSignature(std::span<const std::string> row);

/// A cell without the blanks (ASCII and full-width) at its ends.
std::string_view trimCell(std::string_view cell);

} // namespace qx::wirelist
