#pragma once

#include "wirelist/ReadContext.h"
#include "wirelist/Table.h"

namespace qx::wirelist {

class ZipArchive;

/// Whether a zip container holds an OpenDocument spreadsheet; reads its small mime type part.
bool isOds(const ZipArchive& archive, ReadContext& context);

/// Reads every table of an OpenDocument spreadsheet: each cell's shown text (its paragraphs
/// joined by line feeds, with their spaces, tabs and line breaks), repeated rows and columns,
/// spanned cells filled like merged ones. Empty repeats at the end of a sheet cost nothing.
bool readOds(const ZipArchive& archive, ReadContext& context, Table& table);

} // namespace qx::wirelist
