#include "TextStreamWalk.h"

#include "model/TextConversion.h"

#include <algorithm>

namespace qx::formats {

namespace {

using model::CharCode;

constexpr std::uint8_t LargestCharSize = 5;  // 6.0 mm
constexpr std::uint8_t LargestCharWidth = 2; // double width
namespace codes = model::codes;

model::tagSEQ_V900 readSequenceEntry(const PrinterImage& image, std::size_t entry) {
    namespace sq = newest::sequence;
    const std::size_t at = PrinterImage::sequenceOffset(entry);
    model::tagSEQ_V900 definition;
    definition.mode = image.byte(at + sq::Mode);
    definition.digits = image.byte(at + sq::Digits);
    definition.start = image.word(at + sq::Start);
    definition.end = image.word(at + sq::End);
    definition.output = image.byte(at + sq::Output);
    definition.reserved = 0;
    return definition;
}

/// The walk itself; without a record it only checks the stream's structure.
StreamWalk walkStream(const PrinterImage& image, model::ModelType model, model::EditData* data,
                      int firstBlock, int room) {
    StreamWalk walk;
    walk.firstWord = image.streamWord(0);
    firstBlock = std::clamp(firstBlock, 0, model::MaxBlocks);
    const int limit = std::clamp(room, 0, model::MaxBlocks - firstBlock);

    int b = -1;            // current block, relative to firstBlock
    int l = 0;             // line that the next run of codes belongs to
    std::size_t r = 0;     // codes in the current run
    int p = -1;            // pitch-table entry in force
    std::size_t entry = 0; // next sequence entry of the image
    int markers = 0;       // sequence-number markers in the current block
    const auto fail = [&](StreamWalkStatus status) {
        walk.status = status;
        walk.blocks = std::max(b, 0);
        return walk;
    };

    for (std::size_t i = 0; i < newest::TextStreamWords; ++i) {
        if (b >= limit) {
            walk.status = StreamWalkStatus::Full;
            walk.blocks = limit;
            return walk;
        }
        const CharCode word = image.streamWord(i);
        const bool marker = word == 0 || model::isStreamMarker(word);
        if (!marker) {
            // A code: it belongs to the current run. Before the first line marker there is no line
            // to hold it, and such a stream is refused rather than guessed at.
            if (b < 0) {
                return fail(StreamWalkStatus::CodesBeforeBlock);
            }
            // The image holds at most twelve definitions per block, so a thirteenth marker has no
            // entry of its own: reading one would take the next block's definition.
            if (word == codes::SequenceMarker && markers++ < model::MaxSequencesPerBlock &&
                entry < newest::settings::SequenceEntries) {
                const model::tagSEQ_V900 definition = readSequenceEntry(image, entry++);
                if (data != nullptr) {
                    data->block(firstBlock + b).appendSequence(definition);
                }
            }
            ++r;
            continue;
        }
        if (word == codes::PitchGroupMarker) {
            walk.hasPitchGroups = true;
            if (++p >= static_cast<int>(newest::settings::PitchTableEntries)) {
                return fail(StreamWalkStatus::TooManyPitchGroups);
            }
        }
        if (r > 0) {
            if (l >= model::MaxLines) {
                return fail(StreamWalkStatus::TooManyLines);
            }
            if (data != nullptr) {
                model::CodeList run(r);
                for (std::size_t k = 0; k < r; ++k) {
                    run[k] = image.streamWord(i - r + k);
                }
                walk.replacedCount += model::sanitiseCodes(run, model);
                data->line(firstBlock + b, l).chars = std::move(run);
            }
            r = 0;
        }
        ++l;
        if (word == codes::Line1Marker) {
            ++b;
            l = 0;
            markers = 0;
            if (b < limit) {
                if (data != nullptr) {
                    model::EditBlock& block = data->block(firstBlock + b);
                    for (model::EditLine& line : block.lines) {
                        line.chars.clear();
                    }
                    block.clearSequences();
                }
                walk.pitchEntry.push_back(p);
            }
        } else if (word == 0) {
            walk.status = StreamWalkStatus::Complete;
            walk.blocks = b + 1;
            return walk;
        }
    }
    return fail(StreamWalkStatus::NoEndWord);
}

} // namespace

StreamWalk walkTextStream(const PrinterImage& image, model::ModelType model, model::EditData& data,
                          int firstBlock, int room) {
    return walkStream(image, model, &data, firstBlock, room);
}

StreamWalk scanTextStream(const PrinterImage& image, int room) {
    return walkStream(image, 0, nullptr, 0, room);
}

bool readBlockRecord(const PrinterImage& image, int record, model::EditBlock& block) {
    namespace nr = newest::record;
    if (record < 0 || record >= static_cast<int>(newest::BlockRecordCount)) {
        return false;
    }
    const auto r = static_cast<std::size_t>(record);
    int lineCount = image.byte(PrinterImage::recordOffset(r, nr::LineCountMinusOne)) + 1;
    if (lineCount > model::MaxLines) {
        return false;
    }
    // Text the stream placed beyond the record's line count stays visible rather than hidden.
    for (int l = lineCount; l < model::MaxLines; ++l) {
        if (!block.lines[static_cast<std::size_t>(l)].chars.empty()) {
            lineCount = l + 1;
        }
    }
    block.lineCount = static_cast<std::int8_t>(lineCount);
    block.reverse = image.byte(PrinterImage::recordOffset(r, nr::Reverse));
    block.underline = image.signedWord(PrinterImage::recordOffset(r, nr::Underline));
    block.reserved = image.signedWord(PrinterImage::recordOffset(r, nr::Reserved));
    for (int l = 0; l < lineCount; ++l) {
        const auto at = static_cast<std::size_t>(l);
        model::EditLine& line = block.lines[at];
        // No editor writes a size or width beyond the lists; one from elsewhere is held to the
        // largest, so that what opens can be measured, printed, copied and pasted like the rest.
        const std::uint8_t size = image.byte(PrinterImage::recordOffset(r, nr::CharSizes + at));
        const std::uint8_t width = image.byte(PrinterImage::recordOffset(r, nr::CharWidths + at));
        line.charSize = std::min(size, LargestCharSize);
        line.charWidth = std::min(width, LargestCharWidth);
    }
    return true;
}

} // namespace qx::formats
