#include "Sequences.h"

#include "Catalogue.h"
#include "TextConversion.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

namespace qx::model {

// Definitions come from files as well as from the dialogs, so every field may hold any value:
// - a mode above 4 counts and reads as decimal;
// - an output other than 1 or 2 prints every value;
// - digits fill at most MaxFillWidth places: no 16-bit value needs more (octal 177777), so wider
//   fills would only add zeros a damaged record asked for;
// - a letter value that does not land on a printable ASCII character formats as "?";
// - sequenceCount outside 0..12 counts as held within that range.

namespace {

constexpr int MaxFillWidth = 6;
constexpr int UpperCaseBase = 9025; // JIS X 0208 code of the full-width "Ａ"
constexpr int LowerCaseBase = 9057; // JIS X 0208 code of the full-width "ａ"

constexpr bool isOdd(int v) {
    return v % 2 != 0;
}

bool isLetterMode(std::uint8_t mode) {
    return mode == SequenceMode::UpperCase || mode == SequenceMode::LowerCase;
}

/// The number system a stored mode counts in; unknown modes count in decimal.
std::uint8_t effectiveMode(std::uint8_t mode) {
    return mode <= SequenceMode::LowerCase ? mode : SequenceMode::Decimal;
}

SettingRow rangeRow(std::uint8_t mode) {
    switch (effectiveMode(mode)) {
    case SequenceMode::Octal:
        return SettingRow::OctalRange;
    case SequenceMode::Hexadecimal:
        return SettingRow::HexRange;
    case SequenceMode::UpperCase:
        return SettingRow::UpperCaseRange;
    case SequenceMode::LowerCase:
        return SettingRow::LowerCaseRange;
    default:
        return SettingRow::DecimalRange;
    }
}

int rangeMessage(std::uint8_t mode) {
    switch (effectiveMode(mode)) {
    case SequenceMode::Octal:
        return sequenceMessages::OctalRange;
    case SequenceMode::Hexadecimal:
        return sequenceMessages::HexRange;
    case SequenceMode::UpperCase:
        return sequenceMessages::UpperCaseRange;
    case SequenceMode::LowerCase:
        return sequenceMessages::LowerCaseRange;
    default:
        return sequenceMessages::DecimalRange;
    }
}

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    }
    return v < base ? v : -1;
}

int baseOf(std::uint8_t mode) {
    switch (effectiveMode(mode)) {
    case SequenceMode::Octal:
        return 8;
    case SequenceMode::Hexadecimal:
        return 16;
    default:
        return 10;
    }
}

char letterOf(int value, int base, char first) {
    const int c = value - base + first;
    return c >= 0x21 && c <= 0x7E ? static_cast<char>(c) : '?';
}

std::string fill(std::string text, int width) {
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    }
    return text;
}

template <typename Visit> void forEachMarker(const EditBlock& block, Visit visit) {
    for (const EditLine& line : block.lines) {
        for (CharCode c : line.chars) {
            if (c == codes::SequenceMarker) {
                visit();
            }
        }
    }
}

/// Turns up to n markers into full-width blanks, from the block's end backwards.
void blankMarkersFromEnd(EditBlock& block, int n) {
    for (auto line = block.lines.rbegin(); line != block.lines.rend() && n > 0; ++line) {
        for (auto c = line->chars.rbegin(); c != line->chars.rend() && n > 0; ++c) {
            if (*c == codes::SequenceMarker) {
                *c = codes::FullWidthBlank;
                --n;
            }
        }
    }
}

void blankFirstMarker(EditBlock& block) {
    for (EditLine& line : block.lines) {
        const auto c = std::find(line.chars.begin(), line.chars.end(), codes::SequenceMarker);
        if (c != line.chars.end()) {
            *c = codes::FullWidthBlank;
            return;
        }
    }
}

} // namespace

// ---- Runs and values ----------------------------------------------------------------------

SeqRun sequenceRun(const tagSEQ_V900& definition) {
    const int a = definition.start;
    const int b = definition.end;
    const int e = b < a ? -1 : (a < b ? 1 : 0);
    const bool oddOnly = definition.output == SequenceOutput::OddOnly;
    const bool evenOnly = definition.output == SequenceOutput::EvenOnly;
    // An end of the wrong parity moves one step inwards; a run of two neighbours collapses onto
    // the one value of the right parity, never past it.
    const auto wrongParity = [&](int v) { return (oddOnly && !isOdd(v)) || (evenOnly && isOdd(v)); };
    SeqRun run;
    run.first = wrongParity(a) ? a + e : a;
    run.last = wrongParity(b) ? b - e : b;
    run.step = (oddOnly || evenOnly) ? 2 * e : e;
    return run;
}

int sequenceValueCount(const tagSEQ_V900& definition) {
    const SeqRun run = sequenceRun(definition);
    if (run.step == 0) {
        return 1;
    }
    return std::abs(run.last - run.first) / std::abs(run.step) + 1;
}

int sequenceValueAt(const tagSEQ_V900& definition, int k) {
    const SeqRun run = sequenceRun(definition);
    // Past the run the last value repeats, so a stray index still gives a value of the range.
    k = std::clamp(k, 0, sequenceValueCount(definition) - 1);
    return run.first + run.step * k;
}

int blockSequenceCount(const EditBlock& block) {
    return std::clamp(block.sequenceCount, 0, MaxSequencesPerBlock);
}

int blockPieceCount(const EditBlock& block) {
    const int n = blockSequenceCount(block);
    if (n == 0) {
        return 1;
    }
    int pieces = sequenceValueCount(block.sequence(0));
    for (int i = 1; i < n; ++i) {
        pieces = std::min(pieces, sequenceValueCount(block.sequence(i)));
    }
    return pieces;
}

std::vector<int> blockValuesAt(const EditBlock& block, int k) {
    const int n = blockSequenceCount(block);
    std::vector<int> values;
    values.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        values.push_back(sequenceValueAt(block.sequence(i), k));
    }
    return values;
}

int widestSequenceValue(const EditBlock& block, int i) {
    if (i < 0 || i >= blockSequenceCount(block)) {
        return 0;
    }
    const tagSEQ_V900& definition = block.sequence(i);
    return std::max(sequenceValueAt(definition, 0), sequenceValueAt(definition, blockPieceCount(block) - 1));
}

// ---- Text -----------------------------------------------------------------------------------

std::string formatSequenceValue(const tagSEQ_V900& definition, int value, ModelType model) {
    value = std::clamp(value, 0, 0xFFFF);
    const int width = std::min<int>(definition.digits, MaxFillWidth);
    const std::uint8_t mode = effectiveMode(definition.mode);
    if (isLetterMode(mode)) {
        const std::string letter(1, mode == SequenceMode::UpperCase ? letterOf(value, UpperCaseBase, 'A')
                                                                    : letterOf(value, LowerCaseBase, 'a'));
        // The first-generation models build one pattern for every mode, so a letter takes the
        // zero fill like a number; the later models always print a letter as one character.
        return isFirstGeneration(model) ? fill(letter, width) : letter;
    }
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, baseOf(mode));
    std::string text(buffer, ec == std::errc{} ? end : buffer);
    if (mode == SequenceMode::Hexadecimal) {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; });
    }
    return fill(std::move(text), width);
}

SequenceParseResult parseSequenceValue(const Catalogue& catalogue, std::uint8_t mode, std::string_view sjis) {
    // Full-width digits and letters count as their single-byte forms.
    const std::string text = narrowText(sjis);
    const bool firstGeneration = isFirstGeneration(catalogue.model());
    const SettingRange& range = catalogue.settingRange(rangeRow(mode));
    SequenceParseResult result;
    result.lower = range.lower;
    result.upper = range.upper;
    result.messageId = rangeMessage(mode);

    int value = 0;
    if (isLetterMode(effectiveMode(mode))) {
        if (text.size() != 1) {
            return result;
        }
        char c = text[0];
        if (mode == SequenceMode::UpperCase) {
            if (firstGeneration && c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
            value = c - 'A' + UpperCaseBase;
        } else {
            value = c - 'a' + LowerCaseBase;
        }
    } else {
        // The longest text is the widest fill the dialog offers.
        const int longest = catalogue.settingRange(SettingRow::SequenceDigits).upper;
        if ((text.empty() && !firstGeneration) || static_cast<int>(text.size()) > longest) {
            return result;
        }
        const int base = baseOf(mode);
        for (char c : text) {
            const int digit = digitValue(c, base);
            if (digit < 0) {
                return result;
            }
            value = value * base + digit;
            if (value > 0xFFFF) {
                return result;
            }
        }
    }
    if (value < range.lower || value > range.upper) {
        return result;
    }
    result.ok = true;
    result.value = value;
    result.messageId = 0;
    return result;
}

int inferSequenceDigits(std::string_view startSjis, std::string_view endSjis) {
    const std::string start = narrowText(startSjis);
    const std::string end = narrowText(endSjis);
    std::size_t digits = 0;
    if (!start.empty() && start[0] == '0' && start.size() >= end.size()) {
        digits = start.size();
    }
    if (!end.empty() && end[0] == '0' && end.size() >= start.size()) {
        digits = end.size();
    }
    return static_cast<int>(std::min<std::size_t>(digits, 0xFF)); // what the field can hold
}

int checkSequenceParity(std::uint8_t output, int start, int end) {
    if (start != end) {
        return 0;
    }
    if (output == SequenceOutput::OddOnly && !isOdd(start)) {
        return sequenceMessages::NoOddValue;
    }
    if (output == SequenceOutput::EvenOnly && isOdd(start)) {
        return sequenceMessages::NoEvenValue;
    }
    return 0;
}

// ---- Binding definitions to lines ---------------------------------------------------------

int blockSequenceMarkerCount(const EditBlock& block) {
    int n = 0;
    forEachMarker(block, [&n] { ++n; });
    return n;
}

LineSequenceSpan lineSequenceSpan(const EditBlock& block, int line) {
    if (line < 0 || line >= MaxLines) {
        return {};
    }
    int before = 0;
    for (int l = 0; l < line; ++l) {
        before += countSequenceMarkers(block.lines[static_cast<std::size_t>(l)]);
    }
    const int inLine = countSequenceMarkers(block.lines[static_cast<std::size_t>(line)]);
    const int n = blockSequenceCount(block);
    LineSequenceSpan span;
    span.first = std::min(before, n);
    span.count = std::min(inLine, n - span.first);
    return span;
}

std::vector<tagSEQ_V900> lineSequences(const EditBlock& block, int line) {
    const LineSequenceSpan span = lineSequenceSpan(block, line);
    const auto from = block.sequences.begin() + span.first;
    return {from, from + span.count};
}

void replaceLineSequences(EditBlock& block, int line, std::span<const tagSEQ_V900> definitions) {
    if (line < 0 || line >= MaxLines) {
        return;
    }
    const LineSequenceSpan span = lineSequenceSpan(block, line);
    const int n = blockSequenceCount(block);
    std::vector<tagSEQ_V900> list(block.sequences.begin(), block.sequences.begin() + span.first);
    list.insert(list.end(), definitions.begin(), definitions.end());
    list.insert(list.end(), block.sequences.begin() + span.first + span.count, block.sequences.begin() + n);
    block.replaceSequences(list.data(), static_cast<int>(list.size()));
}

// ---- Limits ---------------------------------------------------------------------------------

SequenceLimits sequenceLimits(const Catalogue& catalogue, bool printLengthMode) {
    const ModelLimits& limits = catalogue.limits();
    if (printLengthMode) {
        return {limits.seqPerBlockPrint, limits.seqPerFilePrint};
    }
    return {limits.seqPerBlockPitch, limits.seqPerFilePitch};
}

int blockLimitMessage(ModelType model) {
    return isLaterGeneration(model) ? sequenceMessages::ThreePerBlock : sequenceMessages::OnePerBlock;
}

int documentLimitMessage(ModelType model, bool printLengthMode) {
    if (printLengthMode) {
        return sequenceMessages::OnePerFilePrint;
    }
    return isLaterGeneration(model) ? sequenceMessages::FortyFivePerFile : sequenceMessages::FifteenPerFile;
}

SequenceLimitCheck checkSequenceAddition(const EditData& data, const Catalogue& catalogue, int block,
                                         int added) {
    const bool printLength = data.target.isPrintLengthMode();
    const SequenceLimits limits = sequenceLimits(catalogue, printLength);
    // A slot beyond the blocks in use becomes a new block, whatever it still holds.
    const bool inUse = block >= 0 && block < std::clamp<int>(data.blockCount, 0, MaxBlocks);
    const int inBlock = inUse ? blockSequenceCount(data.block(block)) : 0;
    SequenceLimitCheck check;
    check.blockExceeded = inBlock + added > limits.perBlock;
    check.documentExceeded = documentSequenceCount(data) + added > limits.perDocument;
    if (check.documentExceeded) {
        check.messageId = documentLimitMessage(catalogue.model(), printLength);
    } else if (check.blockExceeded) {
        check.messageId = blockLimitMessage(catalogue.model());
    }
    return check;
}

SequenceAllowance lineSequenceAllowance(const EditData& data, const Catalogue& catalogue, int block,
                                        int line) {
    const SequenceLimits limits = sequenceLimits(catalogue, data.target.isPrintLengthMode());
    const bool inUse = block >= 0 && block < std::clamp<int>(data.blockCount, 0, MaxBlocks);
    const int own = inUse ? lineSequenceSpan(data.block(block), line).count : 0;
    const int inBlock = inUse ? blockSequenceCount(data.block(block)) : 0;
    return {own + limits.perBlock - inBlock, own + limits.perDocument - documentSequenceCount(data)};
}

int checkSequenceDialogAllowance(bool pitchLengthMode, const SequenceAllowance& allowance, int needed) {
    if (allowance.block < needed) {
        return pitchLengthMode ? sequenceMessages::ThreePerBlock : sequenceMessages::OnePerBlock;
    }
    if (allowance.document < needed) {
        return pitchLengthMode ? sequenceMessages::FortyFivePerFile : sequenceMessages::OnePerFilePrint;
    }
    return 0;
}

// ---- Document limit ---------------------------------------------------------------------------

SequenceOverflow blocksOverDocumentLimit(const EditData& data, int limit) {
    SequenceOverflow overflow;
    const int used = std::clamp<int>(data.blockCount, 0, MaxBlocks);
    int sum = 0;
    for (int b = 0; b < used; ++b) {
        const int n = blockSequenceCount(data.block(b));
        sum += n;
        if (n > 0 && sum > limit) {
            overflow.blocks.push_back(b);
        }
    }
    overflow.excess = overflow.blocks.empty() ? 0 : sum - limit;
    return overflow;
}

SequenceOverflow blocksOverDocumentLimit(const EditData& data, const Catalogue& catalogue) {
    return blocksOverDocumentLimit(data,
                                   sequenceLimits(catalogue, data.target.isPrintLengthMode()).perDocument);
}

bool reduceToPrintLengthMode(EditData& data, const Catalogue& catalogue) {
    const SequenceOverflow overflow =
        blocksOverDocumentLimit(data, sequenceLimits(catalogue, true).perDocument);
    if (overflow.blocks.empty()) {
        return false;
    }
    if (isFirstGeneration(catalogue.model())) {
        // One definition per block: it is bound to the block's first marker.
        for (int b : overflow.blocks) {
            data.block(b).clearSequences();
            blankFirstMarker(data.block(b));
        }
        return true;
    }
    int remaining = overflow.excess;
    for (auto it = overflow.blocks.rbegin(); it != overflow.blocks.rend() && remaining > 0; ++it) {
        EditBlock& block = data.block(*it);
        const int n = blockSequenceCount(block);
        const int removed = std::min(n, remaining);
        // Definitions go from the end like their markers, so every kept marker keeps its own.
        block.sequenceCount = n - removed;
        blankMarkersFromEnd(block, removed);
        remaining -= removed;
    }
    return true;
}

} // namespace qx::model
