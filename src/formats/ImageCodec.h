#pragma once

#include "PrinterImage.h"
#include "model/EditData.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {

/// Message ids of the image codec.
namespace CodecMessage {
inline constexpr int CannotOpen = 42001;           ///< newer or higher-model file, or a malformed one
inline constexpr int TooManyCharacters = 42002;    ///< the text stream would exceed T words
inline constexpr int TooManySequences = 42003;     ///< more sequence definitions than Q
inline constexpr int TooManyPitchSettings = 42004; ///< more pitch runs than P
inline constexpr int CharactersReplaced = 42045;   ///< informational: unsupported characters became blanks
} // namespace CodecMessage

/// T: the words a document's text stream may use besides its end word (`charLimit`, 5,000), never
/// more than the image's 5,002-word stream holds. The encoder's budget: at most T − 1 words after
/// a pitch-group marker, T after a line marker or a line's codes, T + 1 with the end word.
int textWordLimit(const model::Catalogue& catalogue);

/// P: the pitch-table entries a pitch-length document may use (`pitchSettingLimit`).
int pitchSettingLimit(const model::Catalogue& catalogue);

/// Q: the sequence definitions one document may carry, `seqPerFilePitch` in pitch-length mode and
/// `seqPerFilePrint` in print-length mode, never more than the image's 46 sequence entries.
int documentSequenceLimit(const model::Catalogue& catalogue, bool pitchLengthMode);
int documentSequenceLimit(const model::Catalogue& catalogue, const model::TargetSettings& target);

struct EncodeResult {
    bool ok = true;
    int messageId = 0;   ///< 42002, 42003 or 42004 on failure
    int failedBlock = 0; ///< the blocks completely encoded: on failure the index of the failing block
    int failedLine = 0;  ///< on a 42002 inside a block, the index of the line being written; else 0
};

/// Encodes the document into `image` (newest layout, the model's version text). On failure the
/// image is partly written and must be discarded. The image's first word is left at the default:
/// the callers that store or send the image copy targetKind into it.
EncodeResult encodeImage(const model::EditData& data, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings, PrinterImage& image);

struct DecodeResult {
    bool ok = true;
    int messageId = 0;           ///< 42001 on failure
    int replacedCount = 0;       ///< codes the sanitiser turned into blanks
    std::vector<int> messageIds; ///< informational, in display order: 42045 when replacedCount > 0
};

/// The document settings of a newest-layout image as the decoder reads them for `model`: printMode
/// from the first stream word, the target corrected for what the model prints, sizeMode 0 outside
/// pitch-length mode (and for QX-790 tape), the fixed pitchCut of print-length mode, frameGap = frame
/// when a frame is set, otherwise the operator's `frameGap`.
model::TargetSettings decodeTargetSettings(const PrinterImage& image, model::ModelType model, int frameGap);

/// Decodes a newest-layout image into `data`, which is re-initialised first. Fails with 42001,
/// leaving `data` unchanged, for a malformed stream (codes before the first line marker, no end
/// word, characters after a block's fourth line, more pitch groups than the table holds, a first
/// word that is no mode marker), more blocks than the model allows, a block count that disagrees
/// with the stream, or a block record that claims more than four lines.
DecodeResult decodeImage(const PrinterImage& image, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings, model::EditData& data);

struct ReadImageResult {
    bool ok = true;
    int messageId = 0;        ///< 42001 on failure
    bool empty = false;       ///< the source was empty: a new document (the image is the default)
    ImageVersion version = 0; ///< the matched version (0 for an empty source)
    PrinterImage image;       ///< newest layout
};

/// Reads stored bytes: accepted only when the version text is one of the selected model's version
/// or an older one and the byte count is that version's layout size; older layouts are upgraded.
ReadImageResult readStoredImage(std::span<const std::uint8_t> stored, const model::Catalogue& catalogue);

/// Reads stored bytes and decodes them (an empty source gives a new one-block document). Every
/// failure reports 42001 and leaves `data` unchanged.
DecodeResult loadDocument(std::span<const std::uint8_t> stored, const model::Catalogue& catalogue,
                          const model::OperatorSettings& settings, model::EditData& data);

} // namespace qx::formats
