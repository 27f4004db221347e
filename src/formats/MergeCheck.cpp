#include "MergeCheck.h"

#include "ImageCodec.h"
#include "model/Catalogue.h"

#include <algorithm>

namespace qx::formats {

MergeLimits MergeLimits::forDocument(const model::TargetSettings& target, const model::Catalogue& catalogue) {
    // The encoder's own limits, so that a merge never promises what a save would refuse.
    return MergeLimits{formats::textWordLimit(catalogue), formats::documentSequenceLimit(catalogue, target)};
}

bool exceedsTextWordLimit(const model::EditData& data, int textWordLimit) {
    const long long t = textWordLimit;
    const bool pitchMode = data.target.printMode == model::codes::PitchGroupMarker;
    const int blocks = std::clamp<int>(data.blockCount, 1, model::MaxBlocks);
    long long words = 0;
    bool havePitch = false;
    int lastPitch = 0;
    for (int b = 0; b < blocks; ++b) {
        const model::EditBlock& block = data.block(b);
        if (pitchMode && (!havePitch || block.pitch != lastPitch)) {
            havePitch = true;
            lastPitch = block.pitch;
            if (++words > t - 1) {
                return true;
            }
        }
        // The encoder writes a block without text as one empty line.
        const int lines = std::clamp<int>(block.lineCount, 1, model::MaxLines);
        for (int l = 0; l < lines; ++l) {
            if (++words > t) {
                return true;
            }
            words += block.lines[static_cast<std::size_t>(l)].charCount();
            if (words > t) {
                return true;
            }
        }
    }
    return words + 1 > t + 1;
}

MergeReport checkMergedDocument(const model::EditData& merged, const MergeLimits& limits, bool blocksDropped,
                                int replacedChars) {
    MergeReport report;
    const int blocks = std::clamp<int>(merged.blockCount, 1, model::MaxBlocks);
    long long sequences = 0;
    for (int b = 0; b < blocks; ++b) {
        sequences += std::max(0, merged.block(b).sequenceCount);
        if (sequences > limits.sequenceLimit) {
            report.ok = false;
            report.messageIds = {MergeMessage::TooManySequences};
            return report;
        }
    }
    report.tooManyTextWords = exceedsTextWordLimit(merged, limits.textWordLimit);
    if (blocksDropped) {
        report.messageIds.push_back(MergeMessage::BlocksDropped);
    }
    if (report.tooManyTextWords) {
        report.messageIds.push_back(MergeMessage::TooManyTextWords);
    }
    if (replacedChars > 0) {
        report.messageIds.push_back(MergeMessage::CharactersReplaced);
    }
    return report;
}

MergeReport checkMergedDocument(const model::EditData& merged, const model::Catalogue& catalogue,
                                bool blocksDropped, int replacedChars) {
    return checkMergedDocument(merged, MergeLimits::forDocument(merged.target, catalogue), blocksDropped,
                               replacedChars);
}

} // namespace qx::formats
