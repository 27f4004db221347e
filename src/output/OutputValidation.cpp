#include "OutputValidation.h"

#include "AutoCharSize.h"
#include "BlockMeasure.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/TargetKind.h"

#include <algorithm>
#include <vector>

namespace qx::output {

using model::Catalogue;
using model::EditBlock;
using model::EditData;
using model::OperatorSettings;
using model::TargetSettings;

namespace {

struct ErrorTexts {
    OutputError error;
    int messageId; ///< print command
    int labelId;   ///< print image view
};

// clang-format off
constexpr ErrorTexts ErrorTable[] = {
    {OutputError::None,                  0,     40094}, // "  "
    {OutputError::PrintHeightOver,       42054, 40095}, // "印刷高さオーバーの為印刷できません。"
    {OutputError::PitchLengthOver,       42055, 40096}, // "ピッチ長オーバーの為印刷できません。"
    {OutputError::PrintLengthOver,       42056, 40097}, // "印字長オーバーの為印刷できません。"
    {OutputError::TotalLengthOver,       42057, 40098}, // "印刷全長オーバーの為印刷できません。"
    {OutputError::CharCountOver,         42058, 40099}, // "文字数オーバーの為印刷できません。"
    {OutputError::PitchSettingCountOver, 42059, 0},     // "ピッチ長設定数オーバーの為印刷できません。"
    {OutputError::EmptyDocument,         42060, 0},     // "作成文書が空の為印刷できません。"
};
// clang-format on

constexpr int WholeImageEmptyMessage = 43067; // "作成文書が空の為全体イメージを表示できません。"
constexpr int WholeImageErrorMessage = 43066; // "入力内容にエラーがある為全体イメージが表示できません。"

const ErrorTexts* textsOf(OutputError error) {
    for (const ErrorTexts& row : ErrorTable) {
        if (row.error == error)
            return &row;
    }
    return nullptr;
}

/// The default pitch length of the target's class: the shortest piece an AUTO pitch prints.
int minimumPieceTenths(const OperatorSettings& settings, const TargetSettings& target) {
    return model::isTube(target.targetKind) ? settings.pitchLenTube : settings.pitchLenTape;
}

/// Adds `count` equal pieces to a running sum and tells whether `passes` held for the sum after
/// any of them (`passes` growing with the sum). Exact for pieces of either sign: the sum peaks
/// after the first or after the last one.
template <typename Passes>
bool addPiecesPassing(std::int64_t& sum, std::int64_t piece, int count, Passes&& passes) {
    sum += piece;
    if (passes(sum))
        return true;
    sum += piece * (count - 1);
    return passes(sum);
}

OutputError checkSpecifiedPitch(const Catalogue& catalogue, const TargetSettings& target,
                                const EditBlock& block) {
    const std::int64_t limit = std::int64_t{catalogue.longestTotalPrintLength(target.targetKind)} * 10;
    const int pieces = model::blockPieceCount(block);
    if (std::int64_t{block.pitch} * block.count * pieces > limit)
        return OutputError::TotalLengthOver;

    const BlockExtent margins = textMargins(target, block);
    const int printable = catalogue.printableLength(target, block.pitch);
    const int printHeight = catalogue.printHeight(target);
    const auto compare = [&](const BlockExtent& text) {
        if (printable < text.length + margins.length)
            return OutputError::PitchLengthOver;
        if (printHeight < text.height + margins.height)
            return OutputError::PrintHeightOver;
        return OutputError::None;
    };

    if (const OutputError first = compare(MeasureBlock(catalogue, target, block, 0));
        first != OutputError::None)
        return first;
    if (pieces > 1) {
        const BlockExtent widest = model::blockSequenceCount(block) == 1
                                       ? MeasureBlock(catalogue, target, block, pieces - 1)
                                       : largestExtent(measurePieceRuns(catalogue, target, block));
        return compare(widest);
    }
    return OutputError::None;
}

OutputError checkAutoPitch(const Catalogue& catalogue, const OperatorSettings& settings,
                           const TargetSettings& target, const EditBlock& block) {
    // Lengths in 0.0001 mm: dots × 845, millimetres × 10,000.
    const std::int64_t limit = std::int64_t{catalogue.longestTotalPrintLength(target.targetKind)} * 10000;
    const std::int64_t minimum = std::int64_t{minimumPieceTenths(settings, target)} * 1000;
    const int printHeight = catalogue.printHeight(target);
    const BlockExtent margins = autoPitchMargins(catalogue, target, block);

    std::int64_t sum = 0;
    for (const PieceRun& run : measurePieceRuns(catalogue, target, block)) {
        if (printHeight < run.extent.height + margins.height)
            return OutputError::PrintHeightOver;
        const std::int64_t piece = std::max(std::int64_t{run.extent.length + margins.length} * 845, minimum);
        if (piece > limit)
            return OutputError::PitchLengthOver;
        if (addPiecesPassing(sum, piece, run.pieceCount, [&](std::int64_t s) { return s > limit; }))
            return OutputError::TotalLengthOver;
    }
    if (block.count * sum > limit)
        return OutputError::TotalLengthOver;
    return OutputError::None;
}

/// The print-length check over the blocks that `resolvedBlock(b)` hands out already resolved.
template <typename ResolvedBlock>
OutputError checkPrintLength(const Catalogue& catalogue, const EditData& data,
                             ResolvedBlock&& resolvedBlock) {
    const TargetSettings& target = data.target;
    if (!target.isPrintLengthMode())
        return OutputError::None;
    const int blocks = usedBlockCount(data);
    if (blocks == 0)
        return OutputError::None;

    bool reversedBlock = false;
    bool underlined = false;
    bool firstReversed = false;
    bool lastReversed = false;
    std::int64_t allLengths = 0;
    std::int64_t plainLengths = 0;   // blocks without sequence numbers
    std::int64_t sequencePieces = 0; // every piece of the blocks with sequence numbers
    int largestHeight = 0;
    int pieceCount = 1;

    for (int b = 0; b < blocks; ++b) {
        const EditBlock& block = resolvedBlock(b);
        const bool text = blockHasText(block);
        const bool sequences = block.hasSequences();
        int blockLength = 0;
        int blockHeight = 0;
        bool firstRun = true;
        for (const PieceRun& run : measurePieceRuns(catalogue, target, block)) {
            int length = run.extent.length;
            if (block.reverse != 0 && text) {
                length += 4;
                reversedBlock = true;
            } else if (block.underline != 0 && text && target.frame == 0) {
                underlined = true;
            }
            blockLength = firstRun ? length : std::max(blockLength, length);
            blockHeight = firstRun ? run.extent.height : std::max(blockHeight, run.extent.height);
            firstRun = false;
            if (sequences)
                sequencePieces += std::int64_t{length} * run.pieceCount;
        }
        allLengths += blockLength;
        if (!sequences)
            plainLengths += blockLength;
        else
            pieceCount = model::blockPieceCount(block);
        largestHeight = b == 0 ? blockHeight : std::max(largestHeight, blockHeight);
        if (b == 0)
            firstReversed = block.reverse != 0;
        lastReversed = block.reverse != 0;
    }

    int heightMargin = reversedBlock || underlined ? 4 : 0;
    std::int64_t gaps = std::int64_t{blocks - 1} * Catalogue::charGapDots(target.charSpacing);
    if (const int f = target.frame; f != 0) {
        gaps += f * 4;
        heightMargin += f * 4 + (reversedBlock ? 0 : 4);
        if (!firstReversed)
            gaps += 2;
        if (!lastReversed)
            gaps += 2;
    }
    if (catalogue.printHeight(target) < std::int64_t{largestHeight} + heightMargin)
        return OutputError::PrintHeightOver;

    const std::int64_t printLength = target.printLength == 0 ? 300 : target.printLength;
    const std::int64_t margins = std::int64_t{target.leftMargin} + target.rightMargin;
    const std::int64_t available = (printLength - margins) * 10000 / 845;
    if (available < gaps + allLengths)
        return OutputError::PrintLengthOver;

    const std::int64_t longest = catalogue.longestTotalPrintLength(target.targetKind);
    const std::int64_t runLength = ((gaps + plainLengths) * pieceCount + sequencePieces) * target.printCount;
    if (target.printLength == 0) {
        if ((longest - margins * target.printCount * pieceCount) * 10000 / 845 < runLength)
            return OutputError::TotalLengthOver;
    } else if (longest < std::int64_t{target.printCount} * target.printLength * pieceCount) {
        return OutputError::TotalLengthOver;
    }
    return OutputError::None;
}

ValidationResult resultOf(OutputError error, int block) {
    return {error, outputErrorMessageId(error), block};
}

/// Fitting the automatic size needs nothing but the block and the document settings, so the block
/// alone is copied, into `scratch`, whose line arrays a caller may reuse from block to block.
OutputError checkBlockOn(EditBlock& scratch, const Catalogue& catalogue, const OperatorSettings& settings,
                         const EditData& data, int block) {
    if (block < 0 || block >= usedBlockCount(data))
        return OutputError::None;
    scratch = data.block(block);
    ResolveAutoCharSize(catalogue, data.target, scratch, NoPiece);
    return checkResolvedBlock(catalogue, settings, data.target, scratch);
}

} // namespace

int outputErrorMessageId(OutputError error) {
    const ErrorTexts* row = textsOf(error);
    return row != nullptr ? row->messageId : 0;
}

int outputErrorLabelId(OutputError error) {
    const ErrorTexts* row = textsOf(error);
    return row != nullptr ? row->labelId : 0;
}

int wholeImageMessageId(OutputError error) {
    if (error == OutputError::None)
        return 0;
    return error == OutputError::EmptyDocument ? WholeImageEmptyMessage : WholeImageErrorMessage;
}

int usedBlockCount(const EditData& data) {
    return std::clamp<int>(data.blockCount, 0, model::MaxBlocks);
}

OutputError checkResolvedBlock(const Catalogue& catalogue, const OperatorSettings& settings,
                               const TargetSettings& target, const EditBlock& resolved) {
    return target.pitchAuto == 1 ? checkAutoPitch(catalogue, settings, target, resolved)
                                 : checkSpecifiedPitch(catalogue, target, resolved);
}

OutputError checkBlock(const Catalogue& catalogue, const OperatorSettings& settings, const EditData& data,
                       int block) {
    EditBlock scratch;
    return checkBlockOn(scratch, catalogue, settings, data, block);
}

void ComputeBlockResults(EditData& data, const Catalogue& catalogue, const OperatorSettings& settings,
                         int first, int end) {
    std::vector<std::int32_t>& results = data.blockCheckResults.values;
    const int blocks = usedBlockCount(data);
    results.resize(static_cast<std::size_t>(blocks), 0);
    const int from = std::max(first, 0);
    const int to = std::min(end, blocks);
    EditBlock scratch;
    for (int b = from; b < to; ++b)
        results[static_cast<std::size_t>(b)] =
            static_cast<std::int32_t>(checkBlockOn(scratch, catalogue, settings, data, b));
}

OutputError checkDocument(const Catalogue& catalogue, const EditData& data) {
    EditBlock resolved;
    return checkPrintLength(catalogue, data, [&](int b) -> const EditBlock& {
        resolved = data.block(b);
        ResolveAutoCharSize(catalogue, data.target, resolved, NoPiece);
        return resolved;
    });
}

OutputError checkResolvedDocument(const Catalogue& catalogue, const EditData& resolved) {
    return checkPrintLength(catalogue, resolved,
                            [&](int b) -> const EditBlock& { return resolved.block(b); });
}

void ComputeDocumentResult(EditData& data, const Catalogue& catalogue) {
    data.printLengthCheck = static_cast<std::int32_t>(checkDocument(catalogue, data));
}

std::optional<int> characterBudgetOverflowBlock(const Catalogue& catalogue, const EditData& data) {
    const int limit = catalogue.limits().charLimit;
    const bool pitchLength = data.target.isPitchLengthMode();
    // With AUTO pitch the whole document is one pitch group: the block pitches are never sent.
    const bool pitchGroups = pitchLength && data.target.pitchAuto != 1;
    std::int64_t total = pitchLength ? 1 : 0;
    const int blocks = usedBlockCount(data);
    for (int b = 0; b < blocks; ++b) {
        const EditBlock& block = data.block(b);
        if (pitchGroups && b > 0 && block.pitch != data.block(b - 1).pitch) {
            if (++total > limit)
                return b;
        }
        const int lines = usedLineCount(block);
        for (int l = 0; l < lines; ++l) {
            total += block.lines[static_cast<std::size_t>(l)].charCount() + 1;
            if (total > limit)
                return b;
        }
    }
    return std::nullopt;
}

OutputError characterBudget(const Catalogue& catalogue, const EditData& data, int block) {
    const std::optional<int> overflow = characterBudgetOverflowBlock(catalogue, data);
    return overflow && *overflow <= block ? OutputError::CharCountOver : OutputError::None;
}

std::optional<int> pitchTableOverflowBlock(const Catalogue& catalogue, const EditData& data) {
    if (!data.target.isPitchLengthMode() || data.target.pitchAuto == 1)
        return std::nullopt;
    const int limit = catalogue.limits().pitchSettingLimit;
    const int blocks = usedBlockCount(data);
    // Changes are counted, not distinct values: 20, 30, 20 needs three table entries.
    std::optional<int> lastPitch;
    int settings = 0;
    for (int b = 0; b < blocks; ++b) {
        const int pitch = data.block(b).pitch;
        if (lastPitch != pitch || settings > limit) {
            lastPitch = pitch;
            if (++settings > limit)
                return b;
        }
    }
    return std::nullopt;
}

ValidationResult ValidateForOutput(const EditData& data, const Catalogue& catalogue) {
    const int blocks = usedBlockCount(data);
    bool anyText = false;
    for (int b = 0; b < blocks && !anyText; ++b)
        anyText = blockHasText(data.block(b));
    if (!anyText)
        return resultOf(OutputError::EmptyDocument, 0);

    const std::optional<int> budgetOverflow = characterBudgetOverflowBlock(catalogue, data);
    const std::vector<std::int32_t>& cached = data.blockCheckResults.values;
    const bool pitchLength = data.target.isPitchLengthMode();
    const int perBlock = model::sequenceLimits(catalogue, !pitchLength).perBlock;
    OutputError error = OutputError::None;
    int at = blocks;
    for (int i = 0; i < blocks; ++i) {
        if (budgetOverflow && i >= *budgetOverflow) {
            error = OutputError::CharCountOver;
            at = i;
            break;
        }
        // The editor never makes such a block, but a file from elsewhere can hold one; the printer
        // would number the pieces with only part of it.
        if (model::blockSequenceCount(data.block(i)) > perBlock) {
            error = OutputError::SequencesPerBlockOver;
            at = i;
            break;
        }
        std::int32_t code = data.printLengthCheck;
        if (pitchLength) {
            code = static_cast<std::size_t>(i) < cached.size() ? cached[static_cast<std::size_t>(i)] : 0;
            // Among several blocks the print dialog checks the total of the chosen range instead.
            if (code == static_cast<std::int32_t>(OutputError::TotalLengthOver) && blocks >= 2)
                continue;
        }
        if (code != 0) {
            error = static_cast<OutputError>(code);
            at = i;
            break;
        }
    }

    if (const std::optional<int> listed = pitchTableOverflowBlock(catalogue, data); listed && *listed < at)
        return resultOf(OutputError::PitchSettingCountOver, *listed);
    ValidationResult result = resultOf(error, at);
    if (error == OutputError::SequencesPerBlockOver) {
        result.messageId =
            pitchLength ? model::blockLimitMessage(catalogue.model()) : model::sequenceMessages::OnePerBlock;
    }
    return result;
}

PrintCheck checkForPrint(const EditData& data, const Catalogue& catalogue, const OperatorSettings& settings) {
    PrintCheck check{data, {}};
    EditData& resolved = check.resolved;
    const int blocks = usedBlockCount(resolved);
    ComputeBlockResults(resolved, catalogue, settings, 0, blocks);
    ComputeDocumentResult(resolved, catalogue);
    for (int b = 0; b < blocks; ++b)
        ResolveAutoCharSize(catalogue, resolved.target, resolved.block(b), NoPiece);
    check.validation = ValidateForOutput(resolved, catalogue);
    return check;
}

RunLengthResult checkRunLength(const Catalogue& catalogue, const OperatorSettings& settings,
                               const EditData& data, int first, int end) {
    const TargetSettings& target = data.target;
    const std::int64_t limit = std::int64_t{catalogue.longestTotalPrintLength(target.targetKind)} * 10;
    const int from = std::max(first, 0);
    const int to = std::min(end, usedBlockCount(data));
    std::int64_t total = 0;

    if (target.pitchAuto != 1) {
        for (int b = from; b < to; ++b) {
            const EditBlock& block = data.block(b);
            const std::int64_t pieces = std::int64_t{block.pitch} * model::blockPieceCount(block);
            if (pieces > limit || pieces * block.count > limit)
                return {OutputError::PitchLengthOver, b};
            total += pieces * block.count;
            if (total > limit)
                return {OutputError::TotalLengthOver, b};
        }
        return {};
    }

    // Lengths in dots; each sum is compared in tenths of a millimetre.
    const std::int64_t minimum = model::tenthsToDotsRounded(minimumPieceTenths(settings, target));
    EditBlock resolved;
    for (int b = from; b < to; ++b) {
        resolved = data.block(b);
        ResolveAutoCharSize(catalogue, target, resolved, NoPiece);
        const BlockExtent margins = autoPitchMargins(catalogue, target, resolved);
        std::int64_t blockSum = 0;
        for (const PieceRun& run : measurePieceRuns(catalogue, target, resolved)) {
            const std::int64_t piece = std::max(std::int64_t{run.extent.length} + margins.length, minimum);
            if (model::dotsToTenthsRounded(piece) > limit)
                return {OutputError::PitchLengthOver, b};
            // Rounding keeps the order of sums, so the dot sum may be compared piece by piece.
            if (addPiecesPassing(blockSum, piece, run.pieceCount,
                                 [&](std::int64_t s) { return model::dotsToTenthsRounded(s) > limit; }))
                return {OutputError::TotalLengthOver, b};
        }
        const std::int64_t counted = blockSum * resolved.count;
        if (model::dotsToTenthsRounded(counted) > limit)
            return {OutputError::TotalLengthOver, b};
        total += counted;
        if (model::dotsToTenthsRounded(total) > limit)
            return {OutputError::TotalLengthOver, b};
    }
    return {};
}

ValidationResult ValidateWholeImage(const EditData& data, const Catalogue& catalogue,
                                    const OperatorSettings& settings) {
    ValidationResult result = ValidateForOutput(data, catalogue);
    if (result.ok()) {
        if (!data.target.isPitchLengthMode())
            return result;
        const RunLengthResult run = checkRunLength(catalogue, settings, data, 0, usedBlockCount(data));
        result.error = run.error;
        result.block = run.block;
    }
    result.messageId = wholeImageMessageId(result.error);
    return result;
}

} // namespace qx::output
