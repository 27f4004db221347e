#pragma once

#include "model/EditData.h"
#include "model/ModelType.h"

namespace qx::model {
class Catalogue;
}

namespace qx::output {

/// The printer generations differ in how they choose the automatic character size.
enum class AutoSizeGeneration {
    None,   ///< a model index outside 0..10: nothing is resolved
    First,  ///< models 0 and 1
    Second, ///< models 2 to 4
    Third,  ///< models 5 to 10
};

AutoSizeGeneration autoSizeGeneration(model::ModelType model);

/// Whether the printer chooses every line's character size and width itself (an automatic size
/// mode in pitch-length mode with a specified pitch): the sizes and widths set in the lines are
/// then not printed.
bool printerChoosesCharSize(const model::TargetSettings& target);

/// Resolves, in `block` (the caller's own copy), the character size the printer chooses for it:
/// lines set to 2.4 mm that hold characters that size cannot print drop to 2.0 mm, and with an
/// automatic size mode (pitch-length mode, specified pitch) every used line gets the largest
/// candidate that fits the pitch and the print height. `piece` is a piece index or NoPiece.
void ResolveAutoCharSize(const model::Catalogue& catalogue, const model::TargetSettings& target,
                         model::EditBlock& block, int piece);

/// Copies `document` into `destination` (the destination keeps its own cached check results)
/// and resolves block `block` there. The document is never changed. Does nothing at all, not even
/// the copy, for a model outside 0..10.
void ResolveAutoCharSize(const model::Catalogue& catalogue, const model::EditData& document,
                         model::EditData& destination, int block, int piece);

} // namespace qx::output
