#include "CsvMerge.h"

#include "BlockSource.h"
#include "CsvFile.h"
#include "model/Catalogue.h"
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

/// The rows of a CSV file as blocks: fields 1-4 the lines, 5 the count and 6 the pitch.
class CsvBlockSource final : public BlockSource {
public:
    explicit CsvBlockSource(std::span<const std::uint8_t> csv)
        : m_encoding(detectCsvEncoding(csv)),
          m_reader(m_encoding == CsvEncoding::Utf8 && startsWithUtf8Mark(csv) ? csv.subspan(3) : csv) {}

    bool atEnd() override {
        if (!m_row) {
            m_row = m_reader.nextRow();
        }
        return !m_row;
    }

    int fillNext(model::EditData& data, int b, const InsertRules& rules) override {
        if (atEnd()) {
            return 0;
        }
        const CsvRow row = std::move(*m_row);
        m_row.reset();
        int replaced = 0;
        const int fields = static_cast<int>(row.size());
        for (int l = 0; l < std::min(fields, model::MaxLines); ++l) {
            const std::string text = toSjis(row[static_cast<std::size_t>(l)], replaced);
            replaced += model::setLineFromText(data, b, l, text, false);
        }
        // Only line texts count replaced characters: a number field is read, not printed.
        int ignoredReplacements = 0;
        model::EditBlock& block = data.block(b);
        if (rules.pitchLengthMode && fields > CountField) {
            const std::string text = model::narrowText(toSjis(row[CountField], ignoredReplacements));
            const std::optional<long long> count = wholeInteger(text);
            const bool within = count && *count >= rules.countRange.lower && *count <= rules.countRange.upper;
            block.count = static_cast<std::int16_t>(within ? *count : rules.defaultCount);
        }
        if (rules.pitchLengthMode && !rules.label && fields > PitchField) {
            const std::string text = model::narrowText(toSjis(row[PitchField], ignoredReplacements));
            const std::optional<int> pitch = tenthsWithin(text, rules.pitchRange);
            block.pitch = static_cast<std::int16_t>(pitch.value_or(rules.defaultPitch));
        }
        return replaced;
    }

private:
    std::string toSjis(const std::string& field, int& replaced) const {
        return m_encoding == CsvEncoding::Utf8 ? utf8FieldToSjis(field, replaced) : field;
    }

    CsvEncoding m_encoding;
    CsvReader m_reader;
    std::optional<CsvRow> m_row; ///< read ahead by atEnd
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
    CsvBlockSource source(csv);
    mergeBlocks(current, position, catalogue, settings, source, result);
}

} // namespace qx::formats
