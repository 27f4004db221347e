#pragma once

#include "ImageCodec.h"
#include "model/EditData.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {

struct SaveDocumentResult {
    bool ok = true;
    int messageId = 0;   ///< the encoder's 42002, 42003 or 42004 on failure
    int failedBlock = 0; ///< see EncodeResult
    int failedLine = 0;
    std::vector<std::uint8_t> bytes; ///< the whole file: 13,790, 13,852 or 28,476 bytes
};

/// The bytes of a .QXF document file: the encoded image, its first word set to targetKind, in the
/// layout that its version text selects (the selected model's generation).
SaveDocumentResult saveDocumentFile(const model::EditData& data, const model::Catalogue& catalogue,
                                    const model::OperatorSettings& settings);

/// Loads a .QXF file's bytes into `data` (an empty file gives a new document). Failure: 42001.
DecodeResult loadDocumentFile(std::span<const std::uint8_t> file, const model::Catalogue& catalogue,
                              const model::OperatorSettings& settings, model::EditData& data);

struct MergeDocumentResult {
    bool ok = false;
    int messageId = 0;           ///< on failure: 42001 (unreadable file) or 42007 (too many sequences)
    std::vector<int> messageIds; ///< on success, informational in display order: 42005, 42006, 42045
    model::EditData data;        ///< the merged record (meaningful only when ok)
};

/// File insert of a .QXF file: a new record with the current record's blocks before `position`,
/// the file's blocks (as many as there is room for within the model's block limit), then the
/// current record's remaining blocks. Position −1 makes the file's blocks a document of their own.
/// The current document's target and settings are kept; the file's settings part is not used. The
/// current record is never changed.
MergeDocumentResult mergeDocumentFile(const model::EditData& current, std::span<const std::uint8_t> file,
                                      int position, const model::Catalogue& catalogue,
                                      const model::OperatorSettings& settings);

} // namespace qx::formats
