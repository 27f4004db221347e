#pragma once

// The frame every file insert shares: the current document's blocks before the insert position,
// the new blocks as long as the model's block limit leaves room, the rest of the current blocks,
// and the check of the merged record. What the new blocks hold comes from a BlockSource.

#include "MergeCheck.h"

#include "model/Catalogue.h"
#include "model/ModelType.h"

namespace qx::model {
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {

/// What a new block may set besides its text, fixed by the document it goes into.
struct InsertRules {
    model::ModelType model = model::models::Default;
    bool pitchLengthMode = false;
    bool label = false;
    model::ValueRange countRange;
    model::ValueRange pitchRange;
    int defaultCount = 0;
    int defaultPitch = 0;
    int lineLimit = model::MaxLines;

    static InsertRules forDocument(const model::TargetSettings& target, const model::Catalogue& catalogue,
                                   const model::OperatorSettings& settings);
};

/// The blocks a file insert brings, one after the other.
class BlockSource {
public:
    virtual ~BlockSource() = default;
    /// Whether no block follows.
    virtual bool atEnd() = 0;
    /// Writes the next block into slot `block` of `data`, which holds the operator's defaults there,
    /// and returns how many characters it replaced by blanks.
    virtual int fillNext(model::EditData& data, int block, const InsertRules& rules) = 0;
};

/// Inserts the blocks of `source` in front of block `position` of `current`, or, with `position`
/// −1, makes them a document of their own with the target and document settings of `current`. A
/// position past the last block appends; any negative position counts as −1. Blocks beyond the
/// room the model's block limit leaves are not taken (`blocksDropped`, 42005); the merged record
/// is then checked by checkMergedDocument. `result`'s record storage is reused.
void mergeBlocks(const model::EditData& current, int position, const model::Catalogue& catalogue,
                 const model::OperatorSettings& settings, BlockSource& source, MergeResult& result);

} // namespace qx::formats
