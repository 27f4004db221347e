#include "AutoCharSize.h"

#include "BlockMeasure.h"

#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/TargetKind.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>

namespace qx::output {

using model::AutoSizeCandidate;
using model::Catalogue;
using model::EditBlock;
using model::EditLine;
using model::TargetSettings;

namespace {

constexpr std::uint8_t Standard = 0;
constexpr std::uint8_t Half = 1;
constexpr std::uint8_t Double = 2;
constexpr std::uint8_t Size20 = 1;
constexpr std::uint8_t Size24 = 2;

/// The first generation's own list, smallest first like the catalogue's lists: sizes 1 to 4 at
/// standard width, below them size 1 at half width, always with narrow spacing.
// clang-format off
constexpr AutoSizeCandidate FirstGenerationCandidates[] = {
    {1, Half,     1, 1},
    {1, Standard, 1, 1},
    {2, Standard, 1, 1},
    {3, Standard, 1, 1},
    {4, Standard, 1, 1},
};
// clang-format on

/// The two older generations leave 2 dots between characters and between lines.
constexpr int OlderGenerationGap = 2;

bool qualifiesAt24(const Catalogue& catalogue, model::CharCode c) {
    return catalogue.isPrintableAt24(c);
}

/// Whether every character of the line that is not a sequence token prints at 2.4 mm.
bool lineQualifiesAt24(const Catalogue& catalogue, const EditLine& line) {
    return std::all_of(line.chars.begin(), line.chars.end(), [&](model::CharCode c) {
        return c == model::codes::SequenceMarker || qualifiesAt24(catalogue, c);
    });
}

std::span<const AutoSizeCandidate> candidatesFor(const Catalogue& catalogue, AutoSizeGeneration generation,
                                                 int sizeMode) {
    switch (generation) {
    case AutoSizeGeneration::First:
        return FirstGenerationCandidates;
    case AutoSizeGeneration::Second:
        return catalogue.autoSizeCandidates(1);
    case AutoSizeGeneration::Third:
        return catalogue.autoSizeCandidates(sizeMode == 2 || sizeMode == 3 ? sizeMode : 1);
    case AutoSizeGeneration::None:
        break;
    }
    return {};
}

TokenValueRule tokenRuleFor(AutoSizeGeneration generation) {
    switch (generation) {
    case AutoSizeGeneration::First:
        return TokenValueRule::FirstGeneration;
    case AutoSizeGeneration::Second:
        return TokenValueRule::SecondGeneration;
    default:
        return TokenValueRule::Standard;
    }
}

/// Printable length and height left for the text once the block's margins are taken off, in the
/// orientation of the candidates' cells.
struct Available {
    int length = 0;
    int height = 0;
};

Available availableFor(const Catalogue& catalogue, const TargetSettings& target, const EditBlock& block,
                       AutoSizeGeneration generation) {
    Available a{catalogue.printableLength(target, block.pitch), catalogue.printHeight(target)};
    const bool swap = target.direction == 1 && !model::isTube(target.targetKind);
    const int frame = target.frame;
    if (generation == AutoSizeGeneration::Third) {
        if (frame != 0) {
            a.length -= frame * 4 + 4;
            a.height -= frame * 4 + 4;
        } else if (block.reverse != 0) {
            a.length -= 4;
            a.height -= 4;
        } else if (block.underline != 0) {
            if (model::isTube(target.targetKind) || target.direction != 1)
                a.height -= 4;
            else
                a.length -= 4;
        }
        if (swap)
            std::swap(a.length, a.height);
        return a;
    }
    if (swap)
        std::swap(a.length, a.height);
    // The first generation knows a single frame width.
    const int frameMargin = generation == AutoSizeGeneration::First ? 8 : frame * 4 + 4;
    if (frame != 0) {
        a.length -= frameMargin;
        a.height -= frameMargin;
    } else if (block.reverse != 0) {
        a.length -= 4;
        a.height -= 4;
    }
    return a;
}

std::uint8_t effectiveSize(const AutoSizeCandidate& candidate, const TargetSettings& target) {
    return candidate.sizeIndex == model::KeepAutoTextSize ? target.autoTextSize : candidate.sizeIndex;
}

bool fits(const AutoSizeCandidate& candidate, const TargetSettings& target, AutoSizeGeneration generation,
          const Available& available, std::int64_t positions, std::int64_t lines, bool allQualify) {
    const model::GlyphCell cell = Catalogue::sizeCell(effectiveSize(candidate, target));
    std::int64_t w = cell.width;
    std::int64_t h = cell.height;
    if (target.direction == 1 && model::isTube(target.targetKind))
        std::swap(w, h);
    if (generation != AutoSizeGeneration::First) {
        if (candidate.widthMode == Half)
            w = (w + 1) / 2;
        else if (candidate.widthMode == Double)
            w = 2 * w;
    }
    std::int64_t charGap = OlderGenerationGap;
    std::int64_t lineGap = OlderGenerationGap;
    if (generation == AutoSizeGeneration::Third) {
        charGap = Catalogue::charGapDots(candidate.charSpacing);
        lineGap = Catalogue::lineGapDots(candidate.lineSpacing);
    }
    return available.length >= w * positions + (positions - 1) * charGap &&
           available.height >= h * lines + (lines - 1) * lineGap &&
           (candidate.sizeIndex != Size24 || allQualify);
}

} // namespace

AutoSizeGeneration autoSizeGeneration(model::ModelType model) {
    if (model == 0 || model == 1)
        return AutoSizeGeneration::First;
    if (model >= 2 && model <= 4)
        return AutoSizeGeneration::Second;
    if (model >= 5 && model <= 10)
        return AutoSizeGeneration::Third;
    return AutoSizeGeneration::None;
}

bool printerChoosesCharSize(const model::TargetSettings& target) {
    return target.isPitchLengthMode() && target.sizeMode != 0 && target.pitchAuto != 1;
}

void ResolveAutoCharSize(const Catalogue& catalogue, const TargetSettings& target, EditBlock& block,
                         int piece) {
    const AutoSizeGeneration generation = autoSizeGeneration(catalogue.model());
    if (generation == AutoSizeGeneration::None)
        return;
    const int lines = usedLineCount(block);

    // 2.4 mm prints letters and digits (and on later models a few signs) only; the printer
    // lowers any other line to 2.0 mm whatever the modes are.
    for (int l = 0; l < lines; ++l) {
        EditLine& line = block.lines[static_cast<std::size_t>(l)];
        if (line.charSize == Size24 && !line.chars.empty() && !lineQualifiesAt24(catalogue, line))
            line.charSize = Size20;
    }

    if (!target.isPitchLengthMode() || target.pitchAuto != 0 || target.sizeMode == 0)
        return;

    const TokenLengths tokens =
        sequenceTokenLengths(block, catalogue.model(), piece, tokenRuleFor(generation));
    int positions = 0;
    bool allQualify = true;
    int nextToken = 0;
    for (int l = 0; l < lines; ++l) {
        const EditLine& line = block.lines[static_cast<std::size_t>(l)];
        positions = std::max(positions, linePositions(line, tokens, nextToken));
        allQualify = allQualify && lineQualifiesAt24(catalogue, line);
    }

    const std::span<const AutoSizeCandidate> candidates =
        candidatesFor(catalogue, generation, target.sizeMode);
    if (candidates.empty())
        return;
    const Available available = availableFor(catalogue, target, block, generation);

    // Largest first; the smallest is taken untested when nothing else fits.
    AutoSizeCandidate chosen = candidates.front();
    for (std::size_t i = candidates.size() - 1; i > 0; --i) {
        if (fits(candidates[i], target, generation, available, positions, lines, allQualify)) {
            chosen = candidates[i];
            break;
        }
    }

    const bool ownSpacing = generation == AutoSizeGeneration::Third;
    for (int l = 0; l < lines; ++l) {
        EditLine& line = block.lines[static_cast<std::size_t>(l)];
        line.charSize = effectiveSize(chosen, target);
        line.charWidth = chosen.widthMode;
        line.autoCharSpacing = ownSpacing ? chosen.charSpacing : std::uint8_t{1};
        line.autoLineSpacing = ownSpacing ? chosen.lineSpacing : std::uint8_t{1};
    }
}

void ResolveAutoCharSize(const Catalogue& catalogue, const model::EditData& document,
                         model::EditData& destination, int block, int piece) {
    if (autoSizeGeneration(catalogue.model()) == AutoSizeGeneration::None)
        return;
    if (&document != &destination) {
        const std::int32_t keptCheck = destination.printLengthCheck;
        std::vector<std::int32_t> keptResults = std::move(destination.blockCheckResults.values);
        destination = document;
        destination.printLengthCheck = keptCheck;
        destination.blockCheckResults.values = std::move(keptResults);
    }
    if (block >= 0 && block < model::MaxBlocks)
        ResolveAutoCharSize(catalogue, destination.target, destination.block(block), piece);
}

} // namespace qx::output
