#pragma once

// Code page 932 <-> Unicode tables. The definitions are written at build time by
// Cp932TableGenerator from the C library's iconv ("CP932"); nothing here is typed by hand.

#include <cstdint>
#include <span>

namespace qx::model::cp932 {

inline constexpr std::uint16_t Unmapped = 0xFFFF;

// The double-byte table covers the lead bytes 0x81-0x9F and 0xE0-0xFC and, for each, the trail
// bytes 0x40-0xFC (0x7F included and never mapped), row after row.
inline constexpr unsigned TrailFirst = 0x40;
inline constexpr unsigned TrailLast = 0xFC;
inline constexpr unsigned TrailCount = TrailLast - TrailFirst + 1;
inline constexpr unsigned LeadCount = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
inline constexpr unsigned DoubleByteCells = LeadCount * TrailCount;

constexpr bool isLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool isTrailByte(unsigned b) {
    return b >= TrailFirst && b <= TrailLast && b != 0x7F;
}

/// Index of a lead and trail byte pair in doubleByteTable(); both must pass the tests above.
constexpr unsigned cellIndex(unsigned lead, unsigned trail) {
    const unsigned row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
    return row * TrailCount + (trail - TrailFirst);
}

/// One entry of the Unicode-to-code-page-932 direction; a `sjis` value below 0x100 is one byte.
struct UnicodeMapping {
    std::uint16_t unicode;
    std::uint16_t sjis;
};

/// Unicode of each single byte, Unmapped for lead bytes and bytes without a character.
std::span<const std::uint16_t, 256> singleByteTable();
/// Unicode of each double-byte cell, Unmapped where code page 932 has no character.
std::span<const std::uint16_t, DoubleByteCells> doubleByteTable();
/// Every Unicode character of the basic plane that code page 932 can write, sorted by `unicode`.
/// Holds the one-way forms as well (for example U+301C WAVE DASH writes as 0x8160).
std::span<const UnicodeMapping> unicodeTable();

} // namespace qx::model::cp932
