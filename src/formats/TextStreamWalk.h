#pragma once

#include "PrinterImage.h"
#include "model/EditData.h"
#include "model/ModelType.h"

#include <vector>

namespace qx::formats {

/// How a walk of an image's text stream ended.
enum class StreamWalkStatus {
    Complete,           ///< the end word was read
    Full,               ///< one block more than the room had started; the walk stopped in front of it
    CodesBeforeBlock,   ///< a code came before the first line marker
    TooManyLines,       ///< a block had characters after its fourth line
    TooManyPitchGroups, ///< more pitch-group markers than the pitch table holds
    NoEndWord,          ///< 5,002 words without an end word
};

struct StreamWalk {
    StreamWalkStatus status = StreamWalkStatus::Complete;
    std::uint16_t firstWord = 0; ///< the first stream word (the document's printMode)
    int blocks = 0;              ///< blocks placed (when Complete: the blocks found in the stream)
    bool hasPitchGroups = false; ///< the stream holds at least one 0x2F21
    int replacedCount = 0;       ///< codes the sanitiser replaced
    std::vector<int> pitchEntry; ///< per placed block: the pitch-table entry in force, −1 for none
};

/// Walks the text stream word by word as the printer reads it and places the blocks found into
/// `data` from block `firstBlock` on: each line's codes (sanitised for `model`) and, for each of the
/// first twelve sequence-number markers of a block, the next sequence entry of the image (later
/// markers, and markers beyond the image's 46 entries, get no definition and read no entry). At most `room`
/// blocks are placed (never beyond the record's 999 slots); the walk stops with Full when one more starts.
/// Nothing but the lines and sequence definitions of the placed blocks is changed.
StreamWalk walkTextStream(const PrinterImage& image, model::ModelType model, model::EditData& data,
                          int firstBlock, int room);

/// The same walk without a record: the status, the first word, the blocks found and their pitch
/// entries (replacedCount stays 0). Cheap; lets a reader refuse a malformed stream before it
/// touches a record.
StreamWalk scanTextStream(const PrinterImage& image, int room);

/// Applies block record `record` of the image to `block`: lineCount, reverse, underline, the
/// reserved word and the sizes and widths of the lines in use. lineCount is the record's, raised to
/// the last line of `block` that holds characters. False, with the block unchanged, when the record
/// claims more than four lines.
bool readBlockRecord(const PrinterImage& image, int record, model::EditBlock& block);

} // namespace qx::formats
