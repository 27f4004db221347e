#pragma once

#include <cstdint>
#include <vector>

namespace qx::model {

/// One printed character: its JIS X 0208 code (row + 0x20 in the high byte, cell + 0x20 in the low
/// byte), the form in which it also travels to the printer.
using CharCode = std::uint16_t;
using CodeList = std::vector<CharCode>;

namespace codes {
inline constexpr CharCode FullWidthBlank = 0x2121;
inline constexpr CharCode FirstSpecial = 0x2821; ///< printer symbols and control codes start here
inline constexpr CharCode LastSpecial = 0x2F7E;
inline constexpr CharCode PitchGroupMarker = 0x2F21; ///< also the printMode of pitch-length mode
inline constexpr CharCode Line1Marker = 0x2F22;      ///< also the printMode of print-length mode
inline constexpr CharCode Line2Marker = 0x2F23;
inline constexpr CharCode Line3Marker = 0x2F24;
inline constexpr CharCode Line4Marker = 0x2F25;
inline constexpr CharCode SequenceMarker = 0x2F26;
inline constexpr CharCode FullWidthUpperA = 0x2341;
inline constexpr CharCode FullWidthLowerA = 0x2361;
} // namespace codes

constexpr bool isSpecialCode(CharCode c) { return c >= codes::FirstSpecial && c <= codes::LastSpecial; }

/// The five codes that the encoded text stream reads as markers; they must never sit among a
/// line's characters.
constexpr bool isStreamMarker(CharCode c) { return c >= codes::PitchGroupMarker && c <= codes::Line4Marker; }

} // namespace qx::model
