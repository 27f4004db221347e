#include "ImageCodec.h"

#include "ImageConvert.h"
#include "TextStreamWalk.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TargetKind.h"

#include <algorithm>
#include <optional>

namespace qx::formats {

namespace {

namespace ns = newest::settings;
namespace nr = newest::record;
namespace codes = model::codes;

constexpr std::uint16_t u16(int value) {
    return static_cast<std::uint16_t>(value);
}

void setSetting(PrinterImage& image, std::size_t offsetInPart, int value) {
    image.setWord(PrinterImage::settingsOffset(offsetInPart), u16(value));
}

std::int16_t setting(const PrinterImage& image, std::size_t offsetInPart) {
    return image.signedWord(PrinterImage::settingsOffset(offsetInPart));
}

void writeSequenceEntry(PrinterImage& image, std::size_t entry, const model::tagSEQ_V900& definition) {
    namespace sq = newest::sequence;
    const std::size_t at = PrinterImage::sequenceOffset(entry);
    image.setByte(at + sq::Mode, definition.mode);
    image.setByte(at + sq::Digits, definition.digits);
    image.setWord(at + sq::Start, definition.start);
    image.setWord(at + sq::End, definition.end);
    image.setByte(at + sq::Output, definition.output);
    image.setByte(at + sq::Output + 1, 0);
}

/// Targets a model cannot print are read as the nearest one it can.
void correctTargetForModel(model::TargetSettings& target, model::ModelType model) {
    using namespace model::TargetKind;
    const int kind = target.targetKind;
    if (model == 2 || model == 5) {
        if (kind == Plate03 || kind == Plate05 || kind == KavLabel || kind == GeneralLabel) {
            target.targetKind = Tape;
            target.targetSize = 12;
        }
    } else if (model == 3 || model == 6 || model == 9) {
        if (kind == Plate03) {
            target.targetKind = Plate05;
        }
    }
}

/// The cut that print-length mode always uses for the target.
std::int16_t printLengthPitchCut(const model::TargetSettings& target) {
    using namespace model::TargetKind;
    constexpr std::int16_t HalfCut = 1;
    constexpr std::int16_t DottedLine = 3;
    const int kind = target.targetKind;
    if (kind == Plate03 || kind == Plate05) {
        return DottedLine;
    }
    const bool wideTube = kind == GeneralTube || kind == HeatShrinkTube || kind == NonPvcTube ||
                          kind == FlatTube || kind == OvalTube;
    return wideTube && target.targetSize >= 66 ? DottedLine : HalfCut;
}

DecodeResult decodeFailure() {
    DecodeResult result;
    result.ok = false;
    result.messageId = CodecMessage::CannotOpen;
    return result;
}

} // namespace

int textWordLimit(const model::Catalogue& catalogue) {
    // The end word needs the stream's last place, so T never exceeds its length minus one.
    return std::clamp(catalogue.limits().charLimit, 0, static_cast<int>(newest::TextStreamWords) - 1);
}

int pitchSettingLimit(const model::Catalogue& catalogue) {
    return std::clamp(catalogue.limits().pitchSettingLimit, 0, static_cast<int>(ns::PitchTableEntries));
}

int documentSequenceLimit(const model::Catalogue& catalogue, bool pitchLengthMode) {
    const model::ModelLimits& limits = catalogue.limits();
    const int limit = pitchLengthMode ? limits.seqPerFilePitch : limits.seqPerFilePrint;
    return std::clamp(limit, 0, static_cast<int>(ns::SequenceEntries));
}

int documentSequenceLimit(const model::Catalogue& catalogue, const model::TargetSettings& target) {
    return documentSequenceLimit(catalogue, target.printMode == codes::PitchGroupMarker);
}

EncodeResult encodeImage(const model::EditData& data, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings, PrinterImage& image) {
    EncodeResult result;
    const auto fail = [&result](int messageId, int line) {
        result.ok = false;
        result.messageId = messageId;
        result.failedLine = line;
        return result;
    };

    image = defaultImage(catalogue);
    const model::TargetSettings& target = data.target;
    const bool tube = model::isTubeTarget(target);
    const bool pitchMode = target.printMode == codes::PitchGroupMarker;
    const int T = textWordLimit(catalogue);
    const int P = pitchSettingLimit(catalogue);
    const int Q = documentSequenceLimit(catalogue, pitchMode);

    setSetting(image, ns::TargetKind, target.targetKind);
    setSetting(image, ns::TargetSize, target.targetSize);

    const int n = std::clamp<int>(data.blockCount, 1, model::MaxBlocks);
    image.setWord(newest::BlocksMinusOne, u16(n - 1));

    for (int b = 0; b < n; ++b) {
        const model::EditBlock& block = data.block(b);
        const auto r = static_cast<std::size_t>(b);
        const int lines = std::clamp<int>(block.lineCount, 1, model::MaxLines);
        // In print-length mode the document's printCount governs; the blocks carry the default.
        const int count = pitchMode ? block.count : (tube ? settings.numberTube : settings.numberTape);
        image.setByte(PrinterImage::recordOffset(r, nr::LineCountMinusOne),
                      static_cast<std::uint8_t>(lines - 1));
        image.setWord(PrinterImage::recordOffset(r, nr::Count), u16(count));
        image.setByte(PrinterImage::recordOffset(r, nr::Reverse), block.reverse);
        image.setWord(PrinterImage::recordOffset(r, nr::Underline), u16(block.underline));
        image.setWord(PrinterImage::recordOffset(r, nr::Reserved), u16(block.reserved));
        for (int l = 0; l < lines; ++l) {
            const auto at = static_cast<std::size_t>(l);
            image.setByte(PrinterImage::recordOffset(r, nr::CharSizes + at), block.lines[at].charSize);
            image.setByte(PrinterImage::recordOffset(r, nr::CharWidths + at), block.lines[at].charWidth);
        }
    }

    setSetting(image, ns::PitchAuto, target.pitchAuto);
    setSetting(image, ns::PrintLength, target.printLength);
    setSetting(image, ns::PrintCount, target.printCount);
    setSetting(image, ns::Placement, target.placement);
    setSetting(image, ns::LeftMargin, target.leftMargin);
    setSetting(image, ns::RightMargin, target.rightMargin);
    setSetting(image, ns::SizeMode, target.sizeMode);
    setSetting(image, ns::Direction, target.direction);
    setSetting(image, ns::CharSpacing, target.charSpacing);
    setSetting(image, ns::LineSpacing, target.lineSpacing);
    setSetting(image, ns::PitchCut, target.pitchCut);
    setSetting(image, ns::Frame, target.frame);
    setSetting(image, ns::PrintFont, target.printFont);
    image.setByte(PrinterImage::settingsOffset(ns::AutoTextSize), target.autoTextSize);
    setSetting(image, ns::ZeroSlash, target.zeroSlash);
    for (std::size_t i = 0; i < ns::ExtraSettingsWords; ++i) {
        setSetting(image, ns::ExtraSettings + 2 * i, data.extraSettings[i]);
    }

    int w = 0;            // next stream word
    int j = -1;           // last pitch-table entry written
    std::optional<int> d; // pitch of the current group
    int e = 0;            // sequence entries written
    const bool autoPitch = target.pitchAuto == 1;
    for (int b = 0; b < n; ++b) {
        const model::EditBlock& block = data.block(b);
        if (pitchMode) {
            if (autoPitch) {
                // One group for the whole run: the printer sizes every piece itself.
                if (b == 0) {
                    if (T - 1 < 1) {
                        return fail(CodecMessage::TooManyCharacters, 0);
                    }
                    image.setStreamWord(0, codes::PitchGroupMarker);
                    w = 1;
                    d = tube ? settings.pitchLenTube : settings.pitchLenTape;
                    if (P < 1) {
                        return fail(CodecMessage::TooManyPitchSettings, 0);
                    }
                    image.setWord(PrinterImage::pitchOffset(0), u16(*d));
                    j = 0;
                }
            } else if (!d || *d != block.pitch) {
                if (w + 1 > T - 1) {
                    return fail(CodecMessage::TooManyCharacters, 0);
                }
                ++j;
                image.setStreamWord(static_cast<std::size_t>(w++), codes::PitchGroupMarker);
                d = block.pitch;
                if (j >= P) {
                    return fail(CodecMessage::TooManyPitchSettings, 0);
                }
                image.setWord(PrinterImage::pitchOffset(static_cast<std::size_t>(j)), u16(*d));
            }
        }
        if (block.hasSequences()) {
            const int k = std::min(block.sequenceCount, model::MaxSequencesPerBlock);
            if (e + k > Q) {
                return fail(CodecMessage::TooManySequences, 0);
            }
            for (int s = 0; s < k; ++s) {
                writeSequenceEntry(image, static_cast<std::size_t>(e + s), block.sequence(s));
            }
            e += k;
        }
        const int lines = std::clamp<int>(block.lineCount, 1, model::MaxLines);
        for (int m = 0; m < lines; ++m) {
            const model::EditLine& line = block.lines[static_cast<std::size_t>(m)];
            if (w + 1 > T) {
                return fail(CodecMessage::TooManyCharacters, m);
            }
            image.setStreamWord(static_cast<std::size_t>(w++), u16(codes::Line1Marker + m));
            if (w + line.charCount() > T) {
                return fail(CodecMessage::TooManyCharacters, m);
            }
            for (const model::CharCode c : line.chars) {
                image.setStreamWord(static_cast<std::size_t>(w++), c);
            }
        }
        result.failedBlock = b + 1;
    }
    if (w > T) {
        return fail(CodecMessage::TooManyCharacters, 0);
    }
    image.setStreamWord(static_cast<std::size_t>(w), 0);

    image.setWord(newest::PitchEntryCount, u16(j + 1));
    setSetting(image, ns::LabelWidth, target.labelWidth);
    setSetting(image, ns::LabelLength, target.labelLength);
    setSetting(image, ns::LabelGap, target.labelGap);
    for (std::size_t i = 0; i < newest::SendSettingsWords; ++i) {
        image.setWord(newest::SendSettings + 2 * i, u16(data.sendSettings[i]));
    }
    return result;
}

model::TargetSettings decodeTargetSettings(const PrinterImage& image, model::ModelType model, int frameGap) {
    model::TargetSettings target;
    target.targetKind = setting(image, ns::TargetKind);
    target.targetSize = setting(image, ns::TargetSize);
    correctTargetForModel(target, model);
    target.printMode = image.streamWord(0);
    const bool pitchMode = target.printMode == codes::PitchGroupMarker;
    target.pitchAuto = setting(image, ns::PitchAuto);
    target.labelWidth = setting(image, ns::LabelWidth);
    target.labelLength = setting(image, ns::LabelLength);
    target.labelGap = setting(image, ns::LabelGap);
    target.printLength = setting(image, ns::PrintLength);
    target.printCount = setting(image, ns::PrintCount);
    target.placement = setting(image, ns::Placement);
    target.leftMargin = setting(image, ns::LeftMargin);
    target.rightMargin = setting(image, ns::RightMargin);
    target.sizeMode = setting(image, ns::SizeMode);
    target.direction = setting(image, ns::Direction);
    target.charSpacing = setting(image, ns::CharSpacing);
    target.lineSpacing = setting(image, ns::LineSpacing);
    target.pitchCut = setting(image, ns::PitchCut);
    target.frame = setting(image, ns::Frame);
    target.printFont = setting(image, ns::PrintFont);
    target.autoTextSize = image.byte(PrinterImage::settingsOffset(ns::AutoTextSize));
    target.zeroSlash = setting(image, ns::ZeroSlash);

    // Print-length mode has no automatic sizing, and the QX-790 never sizes tape text itself.
    if (!pitchMode || (model == model::models::QX790 && target.targetKind == model::TargetKind::Tape)) {
        target.sizeMode = 0;
    }
    if (!pitchMode) {
        target.pitchCut = printLengthPitchCut(target);
    }
    target.frameGap = static_cast<std::int16_t>(target.frame > 0 ? target.frame : frameGap);
    return target;
}

DecodeResult decodeImage(const PrinterImage& image, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings, model::EditData& data) {
    const model::ModelType modelType = catalogue.model();
    const int blockLimit = std::min(catalogue.limits().blockLimit, model::MaxBlocks);

    // Refuse a malformed image before the record is touched.
    const StreamWalk scan = scanTextStream(image, blockLimit);
    if (scan.status != StreamWalkStatus::Complete) {
        return decodeFailure();
    }
    // The first word is the document's mode; anything else is no image this system can hold.
    if (scan.firstWord != codes::PitchGroupMarker && scan.firstWord != codes::Line1Marker) {
        return decodeFailure();
    }
    const int storedBlocks = image.word(newest::BlocksMinusOne) + 1;
    if (scan.blocks < 1 || storedBlocks != scan.blocks) {
        return decodeFailure();
    }
    for (int b = 0; b < scan.blocks; ++b) {
        model::EditBlock probe;
        if (!readBlockRecord(image, b, probe)) {
            return decodeFailure();
        }
    }

    model::reinitialiseEditData(data, catalogue, settings.frameGap);
    const StreamWalk walk = walkTextStream(image, modelType, data, 0, blockLimit);
    data.target = decodeTargetSettings(image, modelType, settings.frameGap);
    const bool pitchMode = data.target.printMode == codes::PitchGroupMarker;
    const bool tube = model::isTubeTarget(data.target);

    data.blockCount = static_cast<std::int16_t>(walk.blocks);
    for (int b = 0; b < walk.blocks; ++b) {
        model::EditBlock& block = data.block(b);
        const auto r = static_cast<std::size_t>(b);
        readBlockRecord(image, b, block); // every record was checked above
        block.count = image.signedWord(PrinterImage::recordOffset(r, nr::Count));
        const int entry = walk.pitchEntry[r];
        if (!pitchMode) {
            block.pitch = tube ? settings.pitchLenTube : settings.pitchLenTape;
        } else if (entry >= 0) {
            block.pitch = image.signedWord(PrinterImage::pitchOffset(static_cast<std::size_t>(entry)));
        }
    }
    for (std::size_t i = 0; i < ns::ExtraSettingsWords; ++i) {
        data.extraSettings[i] = setting(image, ns::ExtraSettings + 2 * i);
    }
    for (std::size_t i = 0; i < newest::SendSettingsWords; ++i) {
        data.sendSettings[i] = image.signedWord(newest::SendSettings + 2 * i);
    }

    DecodeResult result;
    result.replacedCount = walk.replacedCount;
    if (walk.replacedCount > 0) {
        result.messageIds.push_back(CodecMessage::CharactersReplaced);
    }
    return result;
}

ReadImageResult readStoredImage(std::span<const std::uint8_t> stored, const model::Catalogue& catalogue) {
    ReadImageResult result;
    if (stored.empty()) {
        result.empty = true;
        result.image = defaultImage(catalogue);
        return result;
    }
    const auto refuse = [&result]() {
        result.ok = false;
        result.messageId = CodecMessage::CannotOpen;
        return std::move(result);
    };
    if (stored.size() < newest::VersionText + newest::VersionTextSize) {
        return refuse();
    }
    const auto text = stored.subspan(newest::VersionText, newest::VersionTextSize);
    // Only the selected model's own version and older ones open: a newer layout may hold what
    // this model cannot print.
    ImageVersion matched = 0;
    for (ImageVersion v = imageVersionFor(catalogue.model()); v >= 1 && matched == 0; --v) {
        const VersionText candidate = versionText(v);
        if (std::equal(candidate.begin(), candidate.end(), text.begin())) {
            matched = v;
        }
    }
    const std::optional<ImageLayoutId> layout = layoutForReading(matched);
    if (!layout || stored.size() != imageLayout(*layout).size) {
        return refuse();
    }
    std::optional<PrinterImage> image = upgradeImage(stored, *layout, defaultImage(catalogue));
    if (!image) {
        return refuse();
    }
    result.version = matched;
    result.image = std::move(*image);
    return result;
}

DecodeResult loadDocument(std::span<const std::uint8_t> stored, const model::Catalogue& catalogue,
                          const model::OperatorSettings& settings, model::EditData& data) {
    const ReadImageResult read = readStoredImage(stored, catalogue);
    if (!read.ok) {
        return decodeFailure();
    }
    return decodeImage(read.image, catalogue, settings, data);
}

} // namespace qx::formats
