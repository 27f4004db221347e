#include "CsvMerge.h"

#include "CsvFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TargetKind.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

namespace qx::formats {

namespace {

constexpr int CountField = 4;
constexpr int PitchField = 5;
constexpr long long Saturated = 1'000'000'000'000LL; // far beyond every range, never overflows

constexpr std::string_view FullWidthBlankSjis = "\x81\x40";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Length of the UTF-8 sequence that starts at text[i] when it is well formed, else 1.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || text.size() - i < length) {
        return 1;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((static_cast<unsigned char>(text[i + k]) & 0xC0u) != 0x80u) {
            return 1;
        }
    }
    return length;
}

/// A UTF-8 field as Shift_JIS; a character with no code page 932 form (or a malformed sequence)
/// becomes a full-width blank and is counted, as the printer would not print it either.
std::string utf8FieldToSjis(std::string_view utf8, int& replaced) {
    if (std::optional<std::string> whole = model::utf8ToSjis(utf8)) {
        return *whole;
    }
    std::string sjis;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = utf8SequenceLength(utf8, i);
        if (std::optional<std::string> one = model::utf8ToSjis(utf8.substr(i, length))) {
            sjis += *one;
        } else {
            sjis += FullWidthBlankSjis;
            ++replaced;
        }
        i += length;
    }
    return sjis;
}

/// The whole text as a decimal integer ("-?[0-9]+"), saturated far outside every range.
std::optional<long long> wholeInteger(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    long long value = 0;
    for (const char c : digits) {
        value = std::min(Saturated, value * 10 + (c - '0'));
    }
    return negative ? -value : value;
}

/// The whole text as a decimal number ("-?[0-9]+(\.[0-9]*)?") times ten, cut to an integer, when
/// the exact product lies within the range; the range test sees the fraction that the cut drops.
std::optional<int> tenthsWithin(std::string_view text, model::ValueRange range) {
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view number = negative ? text.substr(1) : text;
    const std::size_t dot = number.find('.');
    const std::string_view whole = number.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : number.substr(dot + 1);
    if (whole.empty() || !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit)) {
        return std::nullopt;
    }
    long long tenths = 0;
    for (const char c : whole) {
        tenths = std::min(Saturated, tenths * 10 + (c - '0'));
    }
    tenths = std::min(Saturated, tenths * 10 + (fraction.empty() ? 0 : fraction.front() - '0'));
    const bool moreFraction = fraction.size() > 1 && std::any_of(fraction.begin() + 1, fraction.end(),
                                                                 [](char c) { return c != '0'; });
    const long long lower = range.lower;
    const long long upper = range.upper;
    bool within = false;
    if (!negative) {
        within = tenths >= lower && (tenths < upper || (tenths == upper && !moreFraction));
    } else {
        // The value is −(tenths + a fraction below one tenth).
        within = (tenths < -lower || (tenths == -lower && !moreFraction)) && tenths >= -upper;
    }
    if (!within) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -tenths : tenths);
}

/// What a row may set besides its text, fixed by the current document.
struct RowRules {
    bool pitchLengthMode = false;
    bool label = false;
    model::ValueRange countRange;
    model::ValueRange pitchRange;
    int defaultCount = 0;
    int defaultPitch = 0;
};

} // namespace

MergeResult mergeCsv(const model::EditData& current, std::span<const std::uint8_t> csv, int position,
                     const model::Catalogue& catalogue, const model::OperatorSettings& settings) {
    MergeResult result;
    mergeCsv(current, csv, position, catalogue, settings, result);
    return result;
}

void mergeCsv(const model::EditData& current, std::span<const std::uint8_t> csv, int position,
              const model::Catalogue& catalogue, const model::OperatorSettings& settings, MergeResult& result) {
    if (result.data.blocks.begin() == result.data.blocks.end()) {
        result.data = model::EditData{}; // a record moved away from has no block slots left
    }
    // Every field but the record's storage starts afresh.
    result.ok = false;
    result.report = MergeReport{};
    result.insertedBlocks = 0;
    result.blocksDropped = false;
    result.replacedChars = 0;
    model::EditData& merged = result.data;
    model::reinitialiseEditData(merged, catalogue, settings.frameGap);
    merged.blockCheckResults = model::BlockCheckResults{};

    const int currentBlocks = std::clamp<int>(current.blockCount, 1, model::MaxBlocks);
    const int blockLimit = std::clamp(catalogue.limits().blockLimit, 1, model::MaxBlocks);
    const int p = std::clamp(position, -1, currentBlocks);
    const bool newDocument = p < 0;
    const int insertAt = newDocument ? 0 : p;
    const int room = newDocument ? blockLimit : std::max(0, blockLimit - currentBlocks);

    // Position 0 of appendBlocks copies the document settings first, so this also serves the
    // new-document case, whose range of current blocks is empty.
    int filled = 0;
    model::appendBlocks(current, merged, filled, 0, insertAt, settings);

    const model::TargetSettings& target = current.target;
    RowRules rules;
    rules.pitchLengthMode = target.printMode == model::codes::PitchGroupMarker;
    rules.label = model::isLabel(target.targetKind);
    rules.countRange = catalogue.countRange(target.targetKind);
    rules.pitchRange = catalogue.pitchRange(target.targetKind);
    rules.defaultCount = model::defaultCount(target, settings);
    rules.defaultPitch = model::defaultPitch(target, settings);

    const CsvEncoding encoding = detectCsvEncoding(csv);
    CsvReader reader(encoding == CsvEncoding::Utf8 && startsWithUtf8Mark(csv) ? csv.subspan(3) : csv);
    // Only line texts count replaced characters: a number field is read, not printed.
    int ignoredReplacements = 0;
    const auto toSjis = [&](const std::string& field, int& replaced) {
        return encoding == CsvEncoding::Utf8 ? utf8FieldToSjis(field, replaced) : field;
    };

    int taken = 0;
    while (std::optional<CsvRow> row = reader.nextRow()) {
        if (taken >= room) {
            result.blocksDropped = true;
            break;
        }
        const int b = filled;
        const int fields = static_cast<int>(row->size());
        for (int l = 0; l < std::min(fields, model::MaxLines); ++l) {
            const std::string text = toSjis((*row)[static_cast<std::size_t>(l)], result.replacedChars);
            result.replacedChars += model::setLineFromText(merged, b, l, text, false);
        }
        model::EditBlock& block = merged.block(b);
        if (rules.pitchLengthMode && fields > CountField) {
            const std::string text = model::narrowText(toSjis((*row)[CountField], ignoredReplacements));
            const std::optional<long long> count = wholeInteger(text);
            const bool within = count && *count >= rules.countRange.lower && *count <= rules.countRange.upper;
            block.count = static_cast<std::int16_t>(within ? *count : rules.defaultCount);
        }
        if (rules.pitchLengthMode && !rules.label && fields > PitchField) {
            const std::string text = model::narrowText(toSjis((*row)[PitchField], ignoredReplacements));
            const std::optional<int> pitch = tenthsWithin(text, rules.pitchRange);
            block.pitch = static_cast<std::int16_t>(pitch.value_or(rules.defaultPitch));
        }
        ++filled;
        ++taken;
    }
    result.insertedBlocks = taken;

    if (!newDocument) {
        model::appendBlocks(current, merged, filled, insertAt, currentBlocks, settings);
    }
    // A new document from an empty file still has its one (empty) block.
    merged.blockCount = static_cast<std::int16_t>(std::max(1, filled));

    result.report = checkMergedDocument(merged, catalogue, result.blocksDropped, result.replacedChars);
    result.ok = result.report.ok;
}

} // namespace qx::formats
