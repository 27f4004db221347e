#pragma once

#include "model/EditData.h"

#include <string>

namespace qx::cli {

/// The document as JSON: the record's fields under their own names (numbers as the field's own
/// signed or unsigned value) and one object for each block in use, with its sequence definitions
/// and all four lines (codes as numbers, text as UTF-8 with special codes as "0x%04X" tokens).
std::string documentJson(const model::EditData& data);

} // namespace qx::cli
