#include "NumberField.h"

#include "model/StringTable.h"

namespace qx::output {

namespace {

constexpr long long NumberLimit = 1'000'000'000;

/// A number as the two patterns read it: sign, integer digits, optional fraction digits.
struct ScannedNumber {
    long long integer = 0;
    int firstFractionDigit = 0;
    bool beyondTenths = false; ///< a non-zero digit after the tenths
    bool negative = false;
};

std::optional<ScannedNumber> scanNumber(std::string_view text, bool allowFraction) {
    std::size_t i = 0;
    ScannedNumber n;
    if (i < text.size() && text[i] == '-') {
        n.negative = true;
        ++i;
    }
    const std::size_t digitsStart = i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n.integer = n.integer * 10 + (text[i] - '0');
        if (n.integer > NumberLimit)
            return std::nullopt;
    }
    if (i == digitsStart)
        return std::nullopt;
    if (allowFraction && i < text.size() && text[i] == '.') {
        ++i;
        const std::size_t fractionStart = i;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (i > fractionStart && text[i] != '0')
                n.beyondTenths = true;
        }
        if (i > fractionStart)
            n.firstFractionDigit = text[fractionStart] - '0';
    }
    if (i != text.size())
        return std::nullopt;
    return n;
}

FieldCheck refused(int messageId, std::string lowerText, std::string upperText, std::string message) {
    FieldCheck check;
    check.messageId = messageId;
    check.lowerText = std::move(lowerText);
    check.upperText = std::move(upperText);
    check.message = std::move(message);
    return check;
}

} // namespace

bool matchesDecimalPattern(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
    }
    return i == text.size();
}

bool matchesIntegerPattern(std::string_view text) {
    std::size_t i = text.starts_with('-') ? 1 : 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    return i == text.size();
}

std::optional<int> parseIntegerText(std::string_view text) {
    const auto n = scanNumber(text, true);
    if (!n)
        return std::nullopt;
    return static_cast<int>(n->negative ? -n->integer : n->integer);
}

std::optional<int> parseStrictIntegerText(std::string_view text) {
    const auto n = scanNumber(text, false);
    if (!n)
        return std::nullopt;
    return static_cast<int>(n->negative ? -n->integer : n->integer);
}

std::optional<int> parseTenthsText(std::string_view text) {
    const auto n = scanNumber(text, true);
    if (!n)
        return std::nullopt;
    const long long tenths = n->integer * 10 + n->firstFractionDigit;
    return static_cast<int>(n->negative ? -tenths : tenths);
}

std::string formatFieldValue(int value, int decimals) {
    return decimals == 1 ? formatTenths(value) : std::to_string(value);
}

std::string integerRangeMessage(int lower, int upper) {
    return model::formatMessage(MsgIntegerRange, {lower, upper});
}

std::string decimalRangeMessage(int lowerTenths, int upperTenths) {
    return model::formatMessage(MsgDecimalRange, {lowerTenths / 10.0, upperTenths / 10.0});
}

FieldCheck checkIntegerField(std::string_view text, int lower, int upper) {
    const std::optional<int> value = parseIntegerText(text);
    if (value && *value >= lower && *value <= upper) {
        FieldCheck check;
        check.ok = true;
        check.value = *value;
        return check;
    }
    return refused(MsgIntegerRange, std::to_string(lower), std::to_string(upper),
                   integerRangeMessage(lower, upper));
}

FieldCheck checkTenthsField(std::string_view text, int lowerTenths, int upperTenths,
                            TenthsComparison comparison) {
    const std::optional<ScannedNumber> n = scanNumber(text, true);
    if (n) {
        const long long magnitude = n->integer * 10 + n->firstFractionDigit;
        const long long tenths = n->negative ? -magnitude : magnitude;
        // The typed value lies strictly between `tenths` and the next tenth away from zero when
        // digits follow the tenths.
        const bool beyond = comparison == TenthsComparison::Exact && n->beyondTenths;
        const bool aboveLower = beyond && n->negative ? tenths > lowerTenths : tenths >= lowerTenths;
        const bool belowUpper = beyond && !n->negative ? tenths < upperTenths : tenths <= upperTenths;
        if (aboveLower && belowUpper) {
            FieldCheck check;
            check.ok = true;
            check.value = static_cast<int>(tenths);
            return check;
        }
    }
    return refused(MsgDecimalRange, formatTenths(lowerTenths), formatTenths(upperTenths),
                   decimalRangeMessage(lowerTenths, upperTenths));
}

} // namespace qx::output
