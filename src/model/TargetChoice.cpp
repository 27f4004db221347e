#include "TargetChoice.h"

#include "Catalogue.h"
#include "OperatorSettings.h"
#include "Sequences.h"
#include "TargetKind.h"

#include <algorithm>
#include <optional>

namespace qx::model {

namespace {

std::int16_t narrow(int value) {
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

/// The pitch every block of a label document takes: the label and the gap that follows it.
std::optional<int> labelPitch(const TargetSettings& target) {
    if (target.targetKind == TargetKind::KavLabel) {
        return (target.targetSize % 100) * 10 + 20;
    }
    if (target.targetKind == TargetKind::GeneralLabel) {
        return target.labelLength + target.labelGap;
    }
    return std::nullopt;
}

} // namespace

bool applyChosenTarget(EditData& data, const TargetSettings& chosen, const Catalogue& catalogue,
                       const OperatorSettings& settings, bool newDocument) {
    TargetSettings t = chosen;
    if (isLabel(t.targetKind)) {
        // Labels come off the roll one by one: each is its own piece of a fixed length, uncut.
        t.printMode = codes::PitchGroupMarker;
        t.pitchAuto = 0;
        t.pitchCut = 0;
    }
    if (t.isPrintLengthMode() || (catalogue.model() == models::QX790 && isTape(t.targetKind))) {
        t.sizeMode = 0;
    }
    if (t.targetKind == TargetKind::GeneralLabel) {
        t.targetSize = 0;
    } else if (t.targetKind == TargetKind::KavLabel) {
        t.labelWidth = narrow((t.targetSize / 100) * 10);
        t.labelLength = narrow((t.targetSize % 100) * 10);
        t.labelGap = 20;
    }
    if (isFirstGeneration(catalogue.model())) {
        t.frameGap = data.target.frameGap;
    } else {
        t.frameGap = t.frame >= 1 ? t.frame : narrow(settings.frameGap);
    }
    data.target = t;

    if (newDocument) {
        applyOperatorDefaults(data, settings);
    } else if (t.isPitchLengthMode()) {
        const ValueRange range = catalogue.pitchRange(t.targetKind);
        const std::optional<int> pitch = labelPitch(t);
        for (EditBlock& block : data.blocks) {
            if (range.lower <= range.upper) {
                block.pitch = narrow(std::clamp<int>(block.pitch, range.lower, range.upper));
            }
            if (pitch) {
                block.pitch = narrow(*pitch);
            }
        }
    }

    if (t.isPrintLengthMode()) {
        const int limit = sequenceLimits(catalogue, true).perDocument;
        if (!blocksOverDocumentLimit(data, limit).blocks.empty()) {
            return reduceToPrintLengthMode(data, catalogue);
        }
    }
    return false;
}

} // namespace qx::model
