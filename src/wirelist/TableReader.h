#pragma once

#include "wirelist/Table.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace qx::wirelist {

/// How to read a text file; empty or 0 means "find it out from the bytes".
struct TextReadOptions {
    std::string encoding; ///< as in Table::encoding
    char separator = 0;
};

/// Bounds against hostile files: a file past one of them is refused, never half read.
struct TableLimits {
    std::size_t maxUnpackedBytes = 64u << 20; ///< all parts of an XLSX/ODS container, or a text file
    std::size_t maxRows = 100000;
    std::size_t maxColumns = 1024;
    std::size_t maxCellBytes = 32767;
    std::size_t maxXmlDepth = 256;
    /// Cells the table holds (a row counts up to its last non-empty cell): repeated and merged cells
    /// can make far more of them than the file's size suggests.
    std::size_t maxCells = 2000000;
    std::size_t maxSheets = 1024;
};

/// The outcome of reading: the table, or the message that says why the file was refused.
struct TableReadResult {
    bool ok = false;
    Table table;
    int messageId = 0;   ///< the string table's message for the refusal
    std::string message; ///< its text with the details filled in
};

/// Reads a CSV, TSV or TXT file, an XLSX or an ODS workbook, chosen by the bytes (a zip container
/// is a workbook, a legacy binary workbook is refused), never by the name alone. The one sheet of
/// a text file is named after the file (readTableBytes leaves it unnamed).
TableReadResult readTableFile(const std::filesystem::path& path, const TextReadOptions& options = {},
                              const TableLimits& limits = {});
/// The same from bytes already in memory.
TableReadResult readTableBytes(std::string_view bytes, const TextReadOptions& options = {},
                               const TableLimits& limits = {});

} // namespace qx::wirelist
