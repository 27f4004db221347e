#include "EditData.h"

#include "Catalogue.h"
#include "OperatorSettings.h"
#include "TargetKind.h"

#include <algorithm>

namespace qx::model {

namespace {

std::int16_t defaultOf(const Catalogue& catalogue, SettingRow row) {
    return static_cast<std::int16_t>(catalogue.settingRange(row).defaultValue);
}

EditBlock defaultBlock(const Catalogue& catalogue) {
    EditBlock block;
    for (EditLine& line : block.lines) {
        line.chars.clear();
        line.charSize = static_cast<std::uint8_t>(defaultOf(catalogue, SettingRow::TextSize));
        line.charWidth = static_cast<std::uint8_t>(defaultOf(catalogue, SettingRow::TextWidth));
        line.autoCharSpacing = 1;
        line.autoLineSpacing = 1;
    }
    block.lineCount = static_cast<std::int8_t>(defaultOf(catalogue, SettingRow::LineCountMinusOne) + 1);
    block.count = defaultOf(catalogue, SettingRow::CountTube);
    block.pitch = defaultOf(catalogue, SettingRow::PitchTube);
    block.sequenceCount = 0;
    block.sequences = {};
    block.reverse = static_cast<std::uint8_t>(defaultOf(catalogue, SettingRow::Reverse));
    block.underline = defaultOf(catalogue, SettingRow::Underline);
    block.reserved = 0;
    return block;
}

TargetSettings defaultTarget(const Catalogue& catalogue, int frameGap) {
    TargetSettings t;
    t.targetKind = defaultOf(catalogue, SettingRow::TargetKind);
    t.targetSize = defaultOf(catalogue, SettingRow::TargetSize);
    t.printMode = codes::PitchGroupMarker;
    t.pitchAuto = defaultOf(catalogue, SettingRow::PitchAuto);
    t.labelWidth = defaultOf(catalogue, SettingRow::LabelWidth);
    t.labelLength = defaultOf(catalogue, SettingRow::LabelLength);
    t.labelGap = defaultOf(catalogue, SettingRow::LabelGap);
    t.printLength = defaultOf(catalogue, SettingRow::PrintLength);
    t.printCount = defaultOf(catalogue, SettingRow::PrintCount);
    t.placement = defaultOf(catalogue, SettingRow::Placement);
    t.leftMargin = defaultOf(catalogue, SettingRow::LeftMargin);
    t.rightMargin = defaultOf(catalogue, SettingRow::RightMargin);
    t.sizeMode = defaultOf(catalogue, SettingRow::SizeMode);
    t.direction = defaultOf(catalogue, SettingRow::Direction);
    t.charSpacing = defaultOf(catalogue, SettingRow::CharSpacing);
    t.lineSpacing = defaultOf(catalogue, SettingRow::LineSpacing);
    t.pitchCut = defaultOf(catalogue, SettingRow::PitchCut);
    t.frame = defaultOf(catalogue, SettingRow::Frame);
    t.frameGap = static_cast<std::int16_t>(frameGap);
    t.printFont = defaultOf(catalogue, SettingRow::PrintFont);
    t.autoTextSize = static_cast<std::uint8_t>(defaultOf(catalogue, SettingRow::TextSize));
    t.zeroSlash = defaultOf(catalogue, SettingRow::ZeroSlash);
    return t;
}

} // namespace

void EditBlock::appendSequence(const tagSEQ_V900& definition) {
    if (sequenceCount < 0 || sequenceCount >= MaxSequencesPerBlock) {
        return;
    }
    sequences[static_cast<std::size_t>(sequenceCount)] = definition;
    ++sequenceCount;
}

void EditBlock::replaceSequences(const tagSEQ_V900* definitions, int n) {
    if (definitions == nullptr || n <= 0) {
        sequenceCount = 0;
        return;
    }
    const int kept = std::min(n, MaxSequencesPerBlock);
    std::copy(definitions, definitions + kept, sequences.begin());
    sequenceCount = kept;
}

void EditBlock::removeSequences(int i, int n) {
    // A damaged record may claim more than the twelve slots; never look past them.
    const int held = std::clamp(sequenceCount, 0, MaxSequencesPerBlock);
    if (i < 0 || i >= held || n <= 0) {
        return;
    }
    n = std::min(n, held - i);
    std::copy(sequences.begin() + i + n, sequences.begin() + held, sequences.begin() + i);
    sequenceCount = held - n;
}

EditData createEditData(const Catalogue& catalogue, int frameGap) {
    EditData data;
    reinitialiseEditData(data, catalogue, frameGap);
    return data;
}

void reinitialiseEditData(EditData& data, const Catalogue& catalogue, int frameGap) {
    data.target = defaultTarget(catalogue, frameGap);
    data.blockCount = static_cast<std::int16_t>(defaultOf(catalogue, SettingRow::BlockCountMinusOne) + 1);
    const EditBlock fresh = defaultBlock(catalogue);
    for (EditBlock& block : data.blocks) {
        block = fresh;
    }
    for (std::size_t i = 0; i < data.extraSettings.size(); ++i) {
        data.extraSettings[i] = defaultOf(catalogue, static_cast<SettingRow>(static_cast<int>(SettingRow::Extra1) + static_cast<int>(i)));
    }
    data.sendSettings = {};
    data.printLengthCheck = 0;
}

bool isTubeTarget(const TargetSettings& target) { return isTube(target.targetKind); }
bool isLabelTarget(const TargetSettings& target) { return isLabel(target.targetKind); }

int defaultCount(const TargetSettings& target, const OperatorSettings& settings) {
    return isTubeTarget(target) ? settings.numberTube : settings.numberTape;
}

int defaultPitch(const TargetSettings& target, const OperatorSettings& settings) {
    return isTubeTarget(target) ? settings.pitchLenTube : settings.pitchLenTape;
}

void applyOperatorDefaults(EditData& data, const OperatorSettings& settings) {
    int pitch = defaultPitch(data.target, settings);
    if (data.target.targetKind == TargetKind::KavLabel) {
        // A KAV label's size is width mm × 100 + length mm; a piece is the label and a 2 mm gap.
        pitch = (data.target.targetSize % 100) * 10 + 20;
    } else if (data.target.targetKind == TargetKind::GeneralLabel) {
        pitch = data.target.labelLength + data.target.labelGap;
    }
    const auto count = static_cast<std::int16_t>(defaultCount(data.target, settings));
    for (EditBlock& block : data.blocks) {
        for (EditLine& line : block.lines) {
            line.charSize = settings.textSize;
            line.charWidth = settings.textWidth;
        }
        block.count = count;
        block.pitch = static_cast<std::int16_t>(pitch);
    }
}

void appendBlocks(const EditData& source, EditData& destination, int& position, int start, int end,
                  const OperatorSettings& settings) {
    if (position == 0) {
        destination.target = source.target;
        destination.extraSettings = source.extraSettings;
        destination.sendSettings = source.sendSettings;
        applyOperatorDefaults(destination, settings);
    }
    start = std::max(start, 0);
    end = std::min(end, MaxBlocks);
    for (int s = start; s < end && position < MaxBlocks; ++s, ++position) {
        const EditBlock& from = source.block(s);
        EditBlock& to = destination.block(position);
        for (int l = 0; l < MaxLines; ++l) {
            const EditLine& fromLine = from.lines[static_cast<std::size_t>(l)];
            EditLine& toLine = to.lines[static_cast<std::size_t>(l)];
            // The working spacing codes stay the destination's own.
            toLine.chars = fromLine.chars;
            toLine.charSize = fromLine.charSize;
            toLine.charWidth = fromLine.charWidth;
        }
        to.lineCount = from.lineCount;
        to.count = from.count;
        to.pitch = from.pitch;
        to.sequenceCount = from.sequenceCount;
        to.sequences = from.sequences;
        to.reverse = from.reverse;
        to.underline = from.underline;
        to.reserved = from.reserved;
    }
}

int countSequenceMarkers(const EditLine& line, int stopAt) {
    int n = 0;
    for (CharCode c : line.chars) {
        if (c == codes::SequenceMarker && ++n == stopAt) {
            break;
        }
    }
    return n;
}

int documentSequenceCount(const EditData& data) {
    int total = 0;
    const int used = std::clamp<int>(data.blockCount, 0, MaxBlocks);
    for (int b = 0; b < used; ++b) {
        total += std::clamp(data.block(b).sequenceCount, 0, MaxSequencesPerBlock);
    }
    return total;
}

bool canAddSequence(const EditData& data, const Catalogue& catalogue) {
    const ModelLimits& limits = catalogue.limits();
    const int limit = data.target.isPrintLengthMode() ? limits.seqPerFilePrint : limits.seqPerFilePitch;
    return documentSequenceCount(data) < limit;
}

} // namespace qx::model
