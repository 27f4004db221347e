#pragma once

#include "model/Tenths.h"

#include <optional>
#include <string>
#include <string_view>

namespace qx::output {

/// Messages of a numeric field out of its range.
inline constexpr int MsgIntegerRange = 42040; ///< "%d～%dの範囲で設定してください。"
inline constexpr int MsgDecimalRange = 42041; ///< "%.1f～%.1fの範囲で設定してください。"

/// "^-?[0-9]+(\.[0-9]*)?$": the text every numeric field must hold when it is taken back.
bool matchesDecimalPattern(std::string_view text);
/// "^-?[0-9]*$": what an integer-only edit lets the operator type (empty and "-" while typing).
bool matchesIntegerPattern(std::string_view text);

/// Text matching the decimal pattern read as an integer (the fraction is dropped), or nullopt.
/// Values beyond ±1,000,000,000 read as nullopt.
std::optional<int> parseIntegerText(std::string_view text);
/// Text matching the integer pattern with at least one digit, or nullopt.
std::optional<int> parseStrictIntegerText(std::string_view text);
/// Text matching the decimal pattern read in tenths, truncated toward zero ("12.34" gives 123),
/// exactly (no floating point), or nullopt.
std::optional<int> parseTenthsText(std::string_view text);
/// A value in tenths as "%.1f" of value / 10, independent of the locale.
using model::formatTenths;
/// What a numeric field shows for a value: "%d", or "%.1f" of value / 10 with one decimal.
std::string formatFieldValue(int value, int decimals);

/// The text of 42040 or 42041 for a range (the latter with the limits in tenths).
std::string integerRangeMessage(int lower, int upper);
std::string decimalRangeMessage(int lowerTenths, int upperTenths);

/// The outcome of taking a numeric field back: its value, or the message to show with the range.
struct FieldCheck {
    bool ok = false;
    int value = 0;         ///< the integer, or the fixed-point value in tenths (truncated)
    int messageId = 0;     ///< 42040 or 42041 when refused
    std::string lowerText; ///< the bounds as the message shows them ("-2.0", "12")
    std::string upperText;
    std::string message; ///< the whole message text
};

/// An integer field: the decimal pattern, read as an integer, lower ≤ value ≤ upper; else 42040.
FieldCheck checkIntegerField(std::string_view text, int lower, int upper);

/// How a fixed-point field compares the typed value with its range.
enum class TenthsComparison {
    Exact,     ///< the typed value itself ("2.05" lies above 2.0)
    Truncated, ///< its tenths after truncation ("2.05" counts as 2.0)
};

/// A fixed-point field with one decimal, its range in tenths: the decimal pattern, the value in
/// range; else 42041 with the bounds in millimetres. The value kept is the truncated tenths.
FieldCheck checkTenthsField(std::string_view text, int lowerTenths, int upperTenths,
                            TenthsComparison comparison = TenthsComparison::Exact);

} // namespace qx::output
