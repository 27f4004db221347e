#include "BlockSource.h"

#include "model/OperatorSettings.h"
#include "model/TargetKind.h"

#include <algorithm>

namespace qx::formats {

InsertRules InsertRules::forDocument(const model::TargetSettings& target, const model::Catalogue& catalogue,
                                     const model::OperatorSettings& settings) {
    InsertRules rules;
    rules.model = catalogue.model();
    rules.pitchLengthMode = target.printMode == model::codes::PitchGroupMarker;
    rules.label = model::isLabel(target.targetKind);
    rules.countRange = catalogue.countRange(target.targetKind);
    rules.pitchRange = catalogue.pitchRange(target.targetKind);
    rules.defaultCount = model::defaultCount(target, settings);
    rules.defaultPitch = model::defaultPitch(target, settings);
    rules.lineLimit = std::clamp(catalogue.limits().lineLimit, 1, model::MaxLines);
    return rules;
}

void mergeBlocks(const model::EditData& current, int position, const model::Catalogue& catalogue,
                 const model::OperatorSettings& settings, BlockSource& source, MergeResult& result) {
    if (result.data.blocks.begin() == result.data.blocks.end()) {
        result.data = model::EditData{}; // a record moved away from has no block slots left
    }
    // Every field but the record's storage starts afresh.
    result.ok = false;
    result.report = MergeReport{};
    result.insertedBlocks = 0;
    result.blocksDropped = false;
    result.replacedChars = 0;
    model::EditData& merged = result.data;
    model::reinitialiseEditData(merged, catalogue, settings.frameGap);
    merged.blockCheckResults = model::BlockCheckResults{};

    const int currentBlocks = std::clamp<int>(current.blockCount, 1, model::MaxBlocks);
    const int blockLimit = std::clamp(catalogue.limits().blockLimit, 1, model::MaxBlocks);
    const int p = std::clamp(position, -1, currentBlocks);
    const bool newDocument = p < 0;
    const int insertAt = newDocument ? 0 : p;
    const int room = newDocument ? blockLimit : std::max(0, blockLimit - currentBlocks);

    // Position 0 of appendBlocks copies the document settings first, so this also serves the
    // new-document case, whose range of current blocks is empty.
    int filled = 0;
    model::appendBlocks(current, merged, filled, 0, insertAt, settings);

    const InsertRules rules = InsertRules::forDocument(current.target, catalogue, settings);
    int taken = 0;
    while (!source.atEnd()) {
        if (taken >= room) {
            result.blocksDropped = true;
            break;
        }
        result.replacedChars += source.fillNext(merged, filled, rules);
        ++filled;
        ++taken;
    }
    result.insertedBlocks = taken;

    if (!newDocument) {
        model::appendBlocks(current, merged, filled, insertAt, currentBlocks, settings);
    }
    // A new document from an empty file still has its one (empty) block.
    merged.blockCount = static_cast<std::int16_t>(std::max(1, filled));

    result.report = checkMergedDocument(merged, catalogue, result.blocksDropped, result.replacedChars);
    result.ok = result.report.ok;
}

} // namespace qx::formats
