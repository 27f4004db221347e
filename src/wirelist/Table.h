#pragma once

#include <string>
#include <vector>

namespace qx::wirelist {

/// One sheet of a table read from another program: rows of cells, each cell the text the
/// spreadsheet shows (UTF-8), rows as long as their last non-empty cell.
struct Sheet {
    std::string name;
    std::vector<std::vector<std::string>> rows;
};

/// A whole file: its sheets in the order the program shows them (one for text files), and how a
/// text file was read, so the operator can see it and choose otherwise.
struct Table {
    std::vector<Sheet> sheets;
    std::string encoding; ///< "UTF-8", "UTF-16LE", "UTF-16BE", "CP932" or "CP1252"; empty for XLSX/ODS
    char separator = 0;   ///< ',', ';', '\t' or '|' for text files; 0 for XLSX/ODS
};

} // namespace qx::wirelist
