#pragma once

#include "model/EditData.h"

#include <cstdint>
#include <optional>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {

/// The finding of the output check; the cached per-block and document results hold these codes.
enum class OutputError : std::int32_t {
    None = 0,
    PrintHeightOver = 1,       ///< the text is taller than the printable height
    PitchLengthOver = 2,       ///< the text is longer than the pitch allows
    PrintLengthOver = 3,       ///< the document does not fit its print length
    TotalLengthOver = 4,       ///< the run exceeds the longest total print length
    CharCountOver = 5,         ///< the printer's character buffer overflows
    PitchSettingCountOver = 6, ///< too many pitch changes for the printer's pitch table
    EmptyDocument = 7,
    /// A block holds more sequence numbers than the model's block can (a file written elsewhere);
    /// its message is the editor's own block limit message.
    SequencesPerBlockOver = 8,
};

/// Message of the print command for a code (42054 … 42060); 0 for no error.
int outputErrorMessageId(OutputError error);
/// Label under the print image (40094 … 40099); 0 for the codes that have none (6 and 7).
int outputErrorLabelId(OutputError error);
/// Message of the whole-image command: 43067 for an empty document, 43066 for every other error.
int wholeImageMessageId(OutputError error);

/// Outcome of a validation: the code, the message to show and the block at fault (zero-based).
struct ValidationResult {
    OutputError error = OutputError::None;
    int messageId = 0;
    int block = 0;

    bool ok() const { return error == OutputError::None; }
    /// Grid column the print command puts the cursor in: the pitch column for a pitch-table
    /// overflow, the first column otherwise.
    int focusColumn() const { return error == OutputError::PitchSettingCountOver ? 5 : 0; }

    friend bool operator==(const ValidationResult&, const ValidationResult&) = default;
};

/// Blocks that belong to the document: blockCount held within 0..999.
int usedBlockCount(const model::EditData& data);

/// Check of one block whose automatic size has already been resolved (0 to 4): the AUTO-pitch check
/// when pitchAuto is 1, the specified-pitch check otherwise.
OutputError checkResolvedBlock(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                               const model::TargetSettings& target, const model::EditBlock& resolved);

/// Check of block `block` of the document, resolved on a private copy of that block. 0 for an index
/// that is not below the block count.
OutputError checkBlock(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                       const model::EditData& data, int block);

/// Resizes the cached block results to the block count (entries kept) and recomputes the entries
/// from `first` up to, not including, `end`. The document's text and sizes are not touched.
void ComputeBlockResults(model::EditData& data, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings, int first, int end);

/// The print-length check of the whole document (0, 1, 3 or 4); 0 in pitch-length mode.
OutputError checkDocument(const model::Catalogue& catalogue, const model::EditData& data);
/// The same on a document whose blocks have all had their automatic size resolved already.
OutputError checkResolvedDocument(const model::Catalogue& catalogue, const model::EditData& resolved);

/// Refills the cached document result (printLengthCheck).
void ComputeDocumentResult(model::EditData& data, const model::Catalogue& catalogue);

/// The first block at which the printer's character buffer overflows: each used line costs its
/// characters and a line marker, and in pitch-length mode with specified pitches each pitch
/// group one code more. None when the whole document fits.
std::optional<int> characterBudgetOverflowBlock(const model::Catalogue& catalogue,
                                                const model::EditData& data);
/// The character budget counted up to and including block `block`: CharCountOver or None.
OutputError characterBudget(const model::Catalogue& catalogue, const model::EditData& data, int block);

/// The block at which the printer's pitch table overflows (pitch-length mode, specified pitch);
/// none when it holds every pitch change.
std::optional<int> pitchTableOverflowBlock(const model::Catalogue& catalogue, const model::EditData& data);

/// Whether the document can be printed, from its cached block results (pitch-length mode) or
/// document result (print-length mode), which must be current: a copy of a document carries
/// none, so recompute them on a copy before validating it.
ValidationResult ValidateForOutput(const model::EditData& data, const model::Catalogue& catalogue);

/// The document as the print command checks it: a copy with every block's automatic size
/// resolved, as the printer will print it, and the validation of the document's current state.
struct PrintCheck {
    model::EditData resolved;
    ValidationResult validation;
};
/// The block and document results are computed afresh, so a copy (which carries none) or a
/// document just read from a file is checked as the editor would check it.
PrintCheck checkForPrint(const model::EditData& data, const model::Catalogue& catalogue,
                         const model::OperatorSettings& settings);

/// Total run length of the blocks [first, end) in pitch-length mode, on private resolved copies:
/// 2 when one block's pieces are too long, 4 when the run is. The block is the one at fault.
struct RunLengthResult {
    OutputError error = OutputError::None;
    int block = 0;
    friend bool operator==(const RunLengthResult&, const RunLengthResult&) = default;
};
RunLengthResult checkRunLength(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                               const model::EditData& data, int first, int end);

/// Validation before the whole image is shown: ValidateForOutput, then in pitch-length mode the run
/// length of the whole document. The message id is that of the whole-image command.
ValidationResult ValidateWholeImage(const model::EditData& data, const model::Catalogue& catalogue,
                                    const model::OperatorSettings& settings);

} // namespace qx::output
