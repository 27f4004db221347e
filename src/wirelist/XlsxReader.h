#pragma once

#include "wirelist/ReadContext.h"
#include "wirelist/Table.h"

namespace qx::wirelist {

class ZipArchive;

/// Whether a zip container holds an XLSX workbook (a package whose main part is a workbook).
bool isXlsx(const ZipArchive& archive);

/// Reads every worksheet of an XLSX workbook, in the workbook's order, each cell as the sheet
/// shows it: shared strings (phonetic guides left out), inline strings, booleans, numbers in
/// their number format, merged areas filled. Streams each part through the XML parser.
bool readXlsx(const ZipArchive& archive, ReadContext& context, Table& table);

} // namespace qx::wirelist
