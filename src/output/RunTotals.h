#pragma once

#include "model/EditData.h"

#include <cstdint>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {

/// One stretch of the run: in pitch-length mode a block, in print-length mode the whole document,
/// printed `count` times over for each of its `pieces` sequence values. The whole-image strip is
/// laid out from these, so anything that counts the run counts what the strip shows.
struct RunRecord {
    int block = 0; ///< 0 in print-length mode
    int count = 1;
    int pieces = 1;
    friend bool operator==(const RunRecord&, const RunRecord&) = default;
};

/// The records of the document's blocks in use, in block order; a single one in print-length mode,
/// whose pieces are those of the first block with sequence numbers.
std::vector<RunRecord> runRecords(const model::EditData& data);

/// The part of the run one print job produces. The block range and the copies apply in
/// pitch-length mode only: a print-length document always prints whole, once.
struct RunSelection {
    int first = 0; ///< first block, from 0
    int end = -1;  ///< one past the last block; below 0 the document's end
    int copies = 1;
    int printType = 0; ///< the print pattern, which prints some pieces twice
};

struct RunTotals {
    int blocks = 0;
    std::int64_t pieces = 0; ///< every piece cut, continuous counts and sequence values included
    std::int64_t tenths = 0; ///< medium used, in tenths of a millimetre
    friend bool operator==(const RunTotals&, const RunTotals&) = default;
};

/// What a print of the selection takes: blocks, pieces and length of medium. Cheap enough to run
/// on every edit of a full document: pieces whose text has one length are measured once.
RunTotals runTotals(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                    const model::EditData& data, const RunSelection& selection = {});

} // namespace qx::output
