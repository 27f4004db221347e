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

/// The index of the header row of a sheet, or -1 when there is none. Lead-in rows (a title, the
/// project, a date) and comments are passed over: among the first rows, the header is the first
/// whose filled cells are two or more, mostly words and all different, preferring one that names
/// at least two roles, else one as wide as the table is.
int findHeaderRow(const Sheet& sheet);

/// The cells of a header row as they identify a kind of file: blanks at the ends cut, empty cells
/// at the end dropped.
std::vector<std::string> headerSignature(std::span<const std::string> row);

/// A cell without the blanks (ASCII and full-width) at its ends.
std::string_view trimCell(std::string_view cell);

} // namespace qx::wirelist
