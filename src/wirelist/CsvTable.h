#pragma once

#include "wirelist/ReadContext.h"
#include "wirelist/Table.h"

#include <string_view>

namespace qx::wirelist {

/// The separator of delimited text: among tab, semicolon, comma and bar, the one found the same
/// number of times (outside quotes) in the most of the first rows; a comma when none is found.
char sniffSeparator(std::string_view utf8);

/// Reads delimited text (UTF-8, mark removed) into one sheet: quoted fields may hold separators,
/// line breaks and doubled quotes; `="0012"` keeps its text as spreadsheets do. A first line
/// `sep=X` names the separator (unless `separator` is given) and is not part of the table.
/// Returns false with the refusal in the context.
bool readDelimitedText(std::string_view utf8, char separator, ReadContext& context, Sheet& sheet, char& used);

} // namespace qx::wirelist
