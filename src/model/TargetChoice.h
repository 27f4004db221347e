#pragma once

#include "EditData.h"

namespace qx::model {

class Catalogue;
struct OperatorSettings;

/// Brings a document in line with the target settings an operator (or a script) chose for it, as
/// confirming the target dialog does:
/// - what the target itself imposes: a label prints only in pitch-length mode with a specified
///   pitch and no cut mark; print-length mode, and tape on QX-790, have no automatic size;
/// - what the target derives: a general label stores size 0, a KAV label takes its width and
///   length from its size value (width mm × 100 + length mm) with a 2 mm gap;
/// - the frame gap restored when the frame is switched on (models from QX-900W on);
/// - a new document's blocks take the operator's defaults, an existing document's pitches are
///   brought into the target's range (a label's pitch is the label and its gap);
/// - print-length mode keeps only the document's first sequence number.
/// Returns whether sequence numbers were removed (the editor then says 42034).
bool applyChosenTarget(EditData& data, const TargetSettings& chosen, const Catalogue& catalogue,
                       const OperatorSettings& settings, bool newDocument);

} // namespace qx::model
