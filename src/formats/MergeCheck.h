#pragma once

#include "model/EditData.h"

#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::formats {

/// Message ids of a file insert (CSV or document file), in the order they are shown.
namespace MergeMessage {
inline constexpr int BlocksDropped = 42005;      ///< some of the file's blocks did not fit
inline constexpr int TooManyTextWords = 42006;   ///< the merged text exceeds the stream budget
inline constexpr int TooManySequences = 42007;   ///< fatal: the insert is cancelled
inline constexpr int CharactersReplaced = 42045; ///< unsupported characters became blanks
} // namespace MergeMessage

/// Outcome of the check after a file insert. When ok is false the merged record must be
/// discarded and messageIds holds only 42007. When ok is true messageIds holds, in display order
/// and each only when it applies, 42005, 42006 and 42045 (informational).
struct MergeReport {
    bool ok = true;
    std::vector<int> messageIds;
    bool tooManyTextWords = false; ///< same as 42006 being listed; kept for callers that select
};

/// Capacity of a merged document: T (text-stream words, `charLimit`) and the per-document
/// sequence limit of the document's mode.
struct MergeLimits {
    int textWordLimit = 5000;
    int sequenceLimit = 45;

    /// The encoder's T and Q for the document's mode (`charLimit`; `seqPerFilePitch` in
    /// pitch-length mode, `seqPerFilePrint` in print-length mode).
    static MergeLimits forDocument(const model::TargetSettings& target, const model::Catalogue& catalogue);
};

/// Whether the text stream of the document's blocks in use would exceed T words, counted as the
/// encoder writes them: in pitch-length mode one pitch word for the first block and one more at
/// every change of pitch (whatever `pitchAuto` says), one marker per line, one word per character.
/// The budget is T − 1 after a pitch word, T after a line marker or a line's characters and
/// T + 1 with the end word.
bool exceedsTextWordLimit(const model::EditData& data, int textWordLimit);

/// The check that ends every file insert, over all blocks in use of the merged record.
/// blocksDropped: the file held more blocks than there was room for; replacedChars: characters
/// replaced by blanks while reading the file.
///
/// Pitch settings are deliberately not counted here (no 42008): a document with more pitch
/// changes than the model holds is a state the grid also allows and marks, and output refuses it
/// (42059, 42004) until the operator fixes it; refusing it here would make such a CSV file
/// impossible to open at all on the models that allow only five pitch settings.
MergeReport checkMergedDocument(const model::EditData& merged, const MergeLimits& limits, bool blocksDropped,
                                int replacedChars);

/// The same with the limits of the selected model.
MergeReport checkMergedDocument(const model::EditData& merged, const model::Catalogue& catalogue,
                                bool blocksDropped, int replacedChars);

/// Outcome of a file insert (merge CSV, merge document file). The current record is never
/// changed; on success `data` is the new record that replaces it. On failure `data` is to be
/// discarded and report.messageIds holds the message to show (42007, or 42001 for an unreadable
/// document file).
struct MergeResult {
    bool ok = false;
    model::EditData data;
    MergeReport report;
    int insertedBlocks = 0; ///< file blocks placed in the new record
    bool blocksDropped = false;
    int replacedChars = 0;
};

} // namespace qx::formats
