#pragma once

#include <cstdint>

namespace qx::model {

/// One sequence-number (連番) definition: the number system, the fill width and the run of
/// values that the block's matching 0x2F26 marker prints. Eight bytes, the same layout as in the
/// printer image (where the two 16-bit words are big-endian).
struct tagSEQ_V900 {
    std::uint8_t mode = 1;   ///< 0 octal, 1 decimal, 2 hexadecimal, 3 upper-case letters, 4 lower-case letters
    std::uint8_t digits = 0; ///< minimum digits 0..4, filled with "0" on the left; 0 = no fill
    std::uint16_t start = 0; ///< first value (letters as JIS codes 0x2341.. or 0x2361..)
    std::uint16_t end = 0;   ///< last value; below start the run counts down
    std::uint8_t output = 0; ///< 0 every value, 1 odd values only, 2 even values only
    std::uint8_t reserved = 0;

    friend bool operator==(const tagSEQ_V900&, const tagSEQ_V900&) = default;
};

using SequenceDefinition = tagSEQ_V900;

namespace SequenceMode {
inline constexpr std::uint8_t Octal = 0;
inline constexpr std::uint8_t Decimal = 1;
inline constexpr std::uint8_t Hexadecimal = 2;
inline constexpr std::uint8_t UpperCase = 3;
inline constexpr std::uint8_t LowerCase = 4;
} // namespace SequenceMode

namespace SequenceOutput {
inline constexpr std::uint8_t Every = 0;
inline constexpr std::uint8_t OddOnly = 1;
inline constexpr std::uint8_t EvenOnly = 2;
} // namespace SequenceOutput

} // namespace qx::model
