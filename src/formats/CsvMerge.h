#pragma once

#include "MergeCheck.h"

#include <cstdint>
#include <span>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {

/// Inserts the rows of a CSV file as blocks in front of block `position` of `current`, or, with
/// `position` −1, makes them a document of their own (opening a CSV file). `current` is not
/// changed; the result holds the new record and the messages to show in order.
///
/// Each row fills one block: fields 1-4 set lines 1-4 (without tokens); in pitch-length mode
/// field 5 sets the continuous count and, unless the target is a label, field 6 the pitch length
/// in millimetres; a value that is no number or lies outside the target's range gives the
/// operator's default. Rows beyond the room left by the model's block limit are dropped (42005).
/// The merged record is then checked by checkMergedDocument (42007 fails; 42005, 42006, 42045).
///
/// With position −1 the new record takes the target and document settings of `current` (the new
/// document it is opened into) and the operator's defaults, so that the counts and pitches read
/// are those of the target they were checked against. A position past the last block appends at
/// the end; any negative position counts as −1.
///
/// The bytes are UTF-8 when detectCsvEncoding says so (a leading byte-order mark is skipped, and a
/// character without a code page 932 form counts as a replaced character), Shift_JIS otherwise.
MergeResult mergeCsv(const model::EditData& current, std::span<const std::uint8_t> csv, int position,
                     const model::Catalogue& catalogue, const model::OperatorSettings& settings);

/// The same into `result`, whose record storage is reused: for callers that merge many files in
/// a row. Whatever `result` held before is replaced.
void mergeCsv(const model::EditData& current, std::span<const std::uint8_t> csv, int position,
              const model::Catalogue& catalogue, const model::OperatorSettings& settings, MergeResult& result);

} // namespace qx::formats
