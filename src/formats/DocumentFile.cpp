#include "DocumentFile.h"

#include "ImageConvert.h"
#include "MergeCheck.h"
#include "TextStreamWalk.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <algorithm>

namespace qx::formats {

SaveDocumentResult saveDocumentFile(const model::EditData& data, const model::Catalogue& catalogue,
                                    const model::OperatorSettings& settings) {
    SaveDocumentResult result;
    PrinterImage image;
    const EncodeResult encoded = encodeImage(data, catalogue, settings, image);
    if (!encoded.ok) {
        result.ok = false;
        result.messageId = encoded.messageId;
        result.failedBlock = encoded.failedBlock;
        result.failedLine = encoded.failedLine;
        return result;
    }
    image.setWord(newest::FirstWord, image.word(PrinterImage::settingsOffset(newest::settings::TargetKind)));
    const VersionText text = image.versionText();
    result.bytes = downgradeImage(image, versionFromText(text));
    return result;
}

DecodeResult loadDocumentFile(std::span<const std::uint8_t> file, const model::Catalogue& catalogue,
                              const model::OperatorSettings& settings, model::EditData& data) {
    return loadDocument(file, catalogue, settings, data);
}

namespace {

/// The check that ends a file insert; shared with the CSV insert.
MergeReport checkInsertedDocument(const model::EditData& merged, const model::Catalogue& catalogue,
                                  bool blocksDropped, int replacedChars) {
    return checkMergedDocument(merged, catalogue, blocksDropped, replacedChars);
}

bool within(int value, const model::ValueRange& range) {
    return value >= range.lower && value <= range.upper;
}

} // namespace

MergeDocumentResult mergeDocumentFile(const model::EditData& current, std::span<const std::uint8_t> file,
                                      int position, const model::Catalogue& catalogue,
                                      const model::OperatorSettings& settings) {
    MergeDocumentResult result;
    const auto fail = [&result](int messageId) {
        result.ok = false;
        result.messageId = messageId;
        result.messageIds.clear();
        return std::move(result);
    };

    const ReadImageResult read = readStoredImage(file, catalogue);
    if (!read.ok) {
        return fail(CodecMessage::CannotOpen);
    }
    const PrinterImage& image = read.image;

    const int blockLimit = std::min(catalogue.limits().blockLimit, model::MaxBlocks);
    const int currentBlocks = std::clamp<int>(current.blockCount, 1, model::MaxBlocks);
    const int p = std::clamp(position, -1, currentBlocks);

    model::EditData& merged = result.data;
    merged = model::createEditData(catalogue, settings.frameGap);
    int next = 0;
    int room = blockLimit;
    if (p >= 0) {
        model::appendBlocks(current, merged, next, 0, p, settings);
        room = blockLimit - currentBlocks;
    } else {
        model::applyOperatorDefaults(merged, settings);
    }

    const StreamWalk walk = walkTextStream(image, catalogue.model(), merged, next, room);
    if (walk.status != StreamWalkStatus::Complete && walk.status != StreamWalkStatus::Full) {
        return fail(CodecMessage::CannotOpen);
    }
    const bool dropped = walk.status == StreamWalkStatus::Full;

    // The inserted blocks follow the current document's target, not the file's settings part.
    const model::TargetSettings& target = merged.target;
    const bool takePitchAndCount = target.isPitchLengthMode() && walk.hasPitchGroups;
    const model::ValueRange pitchRange = catalogue.pitchRange(target.targetKind);
    const model::ValueRange countRange = catalogue.countRange(target.targetKind);
    for (int b = 0; b < walk.blocks; ++b) {
        model::EditBlock& block = merged.block(next + b);
        const auto r = static_cast<std::size_t>(b);
        if (!readBlockRecord(image, b, block)) {
            return fail(CodecMessage::CannotOpen);
        }
        if (!takePitchAndCount) {
            continue;
        }
        const int entry = walk.pitchEntry[r];
        if (!model::isLabelTarget(target) && entry >= 0) {
            const int pitch = image.signedWord(PrinterImage::pitchOffset(static_cast<std::size_t>(entry)));
            block.pitch = static_cast<std::int16_t>(
                within(pitch, pitchRange) ? pitch : model::defaultPitch(target, settings));
        }
        const int count = image.signedWord(PrinterImage::recordOffset(r, newest::record::Count));
        block.count = static_cast<std::int16_t>(
            within(count, countRange) ? count : model::defaultCount(target, settings));
    }
    next += walk.blocks;

    if (p >= 0) {
        model::appendBlocks(current, merged, next, p, currentBlocks, settings);
    }
    // A file without blocks opened as a document of its own still gives one (empty) block.
    merged.blockCount = static_cast<std::int16_t>(std::max(next, 1));

    const MergeReport report = checkInsertedDocument(merged, catalogue, dropped, walk.replacedCount);
    if (!report.ok) {
        return fail(report.messageIds.empty() ? MergeMessage::TooManySequences : report.messageIds.front());
    }
    result.ok = true;
    result.messageIds = report.messageIds;
    return result;
}

} // namespace qx::formats
