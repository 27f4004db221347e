#pragma once

#include "BlockMeasure.h"

#include "model/EditData.h"

#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::output {

/// The piece of a print-length document for one sequence value: every block in use side by side,
/// each resolved for its automatic character size, on a medium of the print length (AUTO: the
/// margins and the text, at least 10 mm). Lengths in dots.
struct PrintLengthLayout {
    std::vector<model::EditBlock> blocks; ///< resolved for the piece
    std::vector<BlockExtent> extents;
    int textWidth = 0;
    int textHeight = 0;
    int framedWidth = 0;
    int framedHeight = 0;
    int mediumWidth = 0;
    int mediumHeight = 0;
    int gap = 0; ///< the document's character gap between blocks
};

PrintLengthLayout layoutPrintLength(const model::Catalogue& catalogue, const model::EditData& data, int piece);

/// The medium length of a print-length piece whose framed text is `framedWidth` dots long: the
/// print length, or with AUTO the margins and the text, at least 10 mm.
int printLengthMediumWidth(const model::TargetSettings& target, int framedWidth);

} // namespace qx::output
