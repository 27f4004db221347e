#pragma once

#include "EditData.h"
#include "ModelType.h"
#include "SequenceDefinition.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::model {

class Catalogue;

/// Message ids of the sequence-number rules; the texts live in the string table.
namespace sequenceMessages {
inline constexpr int DecimalRange = 42040;          ///< "%d～%dの範囲で設定してください。"
inline constexpr int OctalRange = 42042;            ///< "%o～%oの範囲で設定してください。"
inline constexpr int HexRange = 42043;              ///< "%X～%Xの範囲で設定してください。"
inline constexpr int UpperCaseRange = 42044;        ///< "A～Zの範囲で設定してください。"
inline constexpr int LowerCaseRange = 43034;        ///< "a～zの範囲で設定してください。"
inline constexpr int NoOddValue = 43035;            ///< "範囲内に奇数がありません。"
inline constexpr int NoEvenValue = 43036;           ///< "範囲内に偶数がありません。"
inline constexpr int OnePerBlock = 42031;           ///< one per block (models below 5, print-length mode)
inline constexpr int ThreePerBlock = 43064;         ///< three per block (models from 5 on)
inline constexpr int FifteenPerFile = 42032;        ///< fifteen per document in pitch-length mode
inline constexpr int FortyFivePerFile = 43065;      ///< forty-five per document in pitch-length mode
inline constexpr int OnePerFilePrint = 42033;       ///< one per document in print-length mode
inline constexpr int ReducedForPrintLength = 42034; ///< the surplus was removed for print-length mode
} // namespace sequenceMessages

// ---- Runs and values ----------------------------------------------------------------------

/// The effective run of a definition: the first and last value printed and the step between
/// successive pieces (0 when start equals end).
struct SeqRun {
    int first = 0;
    int last = 0;
    int step = 0;
    friend bool operator==(const SeqRun&, const SeqRun&) = default;
};

SeqRun sequenceRun(const tagSEQ_V900& definition);
/// Number of values the definition runs through, at least 1.
int sequenceValueCount(const tagSEQ_V900& definition);
/// The stored value printed by piece k; k is held within 0 .. count − 1.
int sequenceValueAt(const tagSEQ_V900& definition, int k);

/// Definitions of the block that count: sequenceCount held within 0..12.
int blockSequenceCount(const EditBlock& block);
/// Pieces the block prints: 1 without definitions, else the shortest run among them.
int blockPieceCount(const EditBlock& block);
/// For piece k, the value of every definition of the block in definition order.
std::vector<int> blockValuesAt(const EditBlock& block, int k);
/// The value whose text is widest for definition i over all pieces of the block: the larger of
/// the first value and the last piece's value. 0 when i names no definition.
int widestSequenceValue(const EditBlock& block, int i);

// ---- Text -----------------------------------------------------------------------------------

/// The number as single-byte ASCII text in the definition's number system, filled with "0" to
/// `digits`; callers widen it for display and print.
std::string formatSequenceValue(const tagSEQ_V900& definition, int value, ModelType model);

/// Outcome of reading a typed start or end value. On failure messageId names the message of the
/// mode and lower/upper are the range bounds to format it with.
struct SequenceParseResult {
    bool ok = false;
    int value = 0;
    int messageId = 0;
    int lower = 0;
    int upper = 0;
};

/// Reads a typed value (Shift_JIS; full-width digits and letters are accepted) in `mode`,
/// validated against the mode's range of the catalogue's model.
SequenceParseResult parseSequenceValue(const Catalogue& catalogue, std::uint8_t mode, std::string_view sjis);

/// The fill width implied by the start and end texts as typed: a text that begins with "0" and is
/// at least as long as the other sets it (the end text wins when both do); otherwise 0.
int inferSequenceDigits(std::string_view startSjis, std::string_view endSjis);

/// 0 when the run holds a value of the chosen parity, else 43035 (odd) or 43036 (even).
int checkSequenceParity(std::uint8_t output, int start, int end);

// ---- Binding definitions to lines ---------------------------------------------------------

/// Markers (0x2F26) in all four lines of the block.
int blockSequenceMarkerCount(const EditBlock& block);

/// The part of the block's definition list bound to the tokens of one line (0-based).
struct LineSequenceSpan {
    int first = 0;
    int count = 0;
    friend bool operator==(const LineSequenceSpan&, const LineSequenceSpan&) = default;
};

LineSequenceSpan lineSequenceSpan(const EditBlock& block, int line);
std::vector<tagSEQ_V900> lineSequences(const EditBlock& block, int line);
/// Replaces the definitions bound to the line's current tokens by `definitions`, keeping those of
/// the other lines around them. A list that would pass twelve loses its tail.
void replaceLineSequences(EditBlock& block, int line, std::span<const tagSEQ_V900> definitions);

// ---- Limits ---------------------------------------------------------------------------------

struct SequenceLimits {
    int perBlock = 0;
    int perDocument = 0;
};

/// The limits of the document's mode.
SequenceLimits sequenceLimits(const Catalogue& catalogue, bool printLengthMode);

/// 42031 on models below 5, 43064 from 5 on.
int blockLimitMessage(ModelType model);
/// Pitch-length mode: 42032 below 5, 43065 from 5 on; print-length mode: 42033.
int documentLimitMessage(ModelType model, bool printLengthMode);

struct SequenceLimitCheck {
    bool blockExceeded = false;
    bool documentExceeded = false;
    int messageId = 0; ///< 0 when within both limits; the document's message when both are broken
    bool ok() const { return messageId == 0; }
};

/// Whether the block (and the document) stay within the limits of the document's mode once
/// `added` more definitions go into block `block`. With `added` 0 it checks the record as it is,
/// as a paste does after the fact.
SequenceLimitCheck checkSequenceAddition(const EditData& data, const Catalogue& catalogue, int block,
                                         int added = 1);

/// How many definitions one line may hold given the rest of its block and of the document.
struct SequenceAllowance {
    int block = 0;
    int document = 0;
};

SequenceAllowance lineSequenceAllowance(const EditData& data, const Catalogue& catalogue, int block,
                                        int line);

/// The check of the line sequence dialog of models from 5 on: `needed` definitions against the two
/// allowances, the block tested first; the messages follow the document mode, not the model.
/// 0 when both pass.
int checkSequenceDialogAllowance(bool pitchLengthMode, const SequenceAllowance& allowance, int needed);

// ---- Document limit ---------------------------------------------------------------------------

/// Blocks in use whose running definition count passes `limit`, and by how much the whole document
/// passes it (0 when no block is listed).
struct SequenceOverflow {
    std::vector<int> blocks;
    int excess = 0;
};

SequenceOverflow blocksOverDocumentLimit(const EditData& data, int limit);
/// The same against the document limit of the record's own mode.
SequenceOverflow blocksOverDocumentLimit(const EditData& data, const Catalogue& catalogue);

/// Removes the definitions that print-length mode cannot hold, so that only the document's first
/// survives, and turns their tokens into full-width blanks. Returns whether anything was removed
/// (the caller shows 42034).
bool reduceToPrintLengthMode(EditData& data, const Catalogue& catalogue);

} // namespace qx::model
