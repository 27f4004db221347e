#pragma once

// Plain text that another program (a spreadsheet, a text editor) put on the clipboard, cut into
// the records and fields of a text paste.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qx::formats {

struct PastedText {
    std::vector<std::vector<std::string>> records; ///< at most `maxRecords`, each one or more fields
    std::size_t widestRecord = 0;                  ///< the largest field count among `records`
};

/// Splits text into records at line feeds (carriage returns are dropped) and into fields at tabs.
/// A field that begins with a double quote keeps line feeds while its count of double quotes is
/// odd, the way spreadsheets write a cell of several lines; such a field that holds a line feed
/// loses its enclosing quotes and has its doubled quotes made single. An empty last record is
/// dropped when there are two or more. Records after the first `maxRecords` are not kept, and
/// reading stops there, so a huge text costs no more than the part that can be pasted.
PastedText splitPastedText(std::string_view text, std::size_t maxRecords);

} // namespace qx::formats
