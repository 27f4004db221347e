#pragma once

#include <cstdint>

namespace qx::model {
struct PrintParameters;
}

namespace qx::output {

/// The thirteen values a print or send job header carries, in their stored form. The stored
/// offsets (+20 on the cut position, +10 on the vertical position, +300 on the total-length
/// correction) travel unchanged into the job: the printer receives the stored form. A value-
/// initialised record is the zeroed record of a transfer to the printer's input document.
struct PrintOptions {
    std::int16_t printSelect = 0;  ///< 1 print now; 0 transfer only
    std::int16_t memorySelect = 0; ///< document memory number; 0 = the printer's input document
    std::int16_t heatVol = 0;      ///< print density (印字濃度), 1 to 8
    std::int16_t cutPosAdjust = 0; ///< cut position (カット位置), shown tenths + 20
    std::int16_t frontFeed = 0;    ///< 1 = blank feed at the head (先頭空送り)
    std::int16_t lowTempMode = 0;  ///< 1 = low-speed mode (低速モード)
    std::int16_t seqOrder = 0;     ///< 0 continuous count first (11 22 33), 1 sequence first (123 123)
    std::int16_t prnOffsetY = 0;   ///< vertical print position (上下印字位置), shown + 10
    std::int16_t startBlock = 0;   ///< first block to print, from 1
    std::int16_t endBlock = 0;     ///< last block to print, from 1
    std::int16_t copies = 0;       ///< number of copies (部数)
    std::int16_t revision = 0;     ///< total-length correction (全長補正), shown tenths + 300
    std::int16_t printType = 0;    ///< 0 normal, 1 rotated 180°, 2 cross ferrule, 3 cross ferrule rotated

    friend bool operator==(const PrintOptions&, const PrintOptions&) = default;
};

/// The offsets between the operator's shown values and the stored ones.
inline constexpr int CutPositionOffset = 20;
inline constexpr int PrintOffsetYOffset = 10;
inline constexpr int RevisionOffset = 300;

/// Shown value → stored value. The caller checks the shown value against its setting range
/// first; a value whose stored form would not fit 16 bits saturates instead of wrapping.
std::int16_t storedCutPosition(int shownTenths);
std::int16_t storedPrintOffsetY(int shown);
std::int16_t storedRevision(int shownTenths);

/// Stored value → shown value.
constexpr int shownCutPosition(std::int16_t stored) {
    return stored - CutPositionOffset;
}
constexpr int shownPrintOffsetY(std::int16_t stored) {
    return stored - PrintOffsetYOffset;
}
constexpr int shownRevision(std::int16_t stored) {
    return stored - RevisionOffset;
}

/// The options with the six persistent machine parameters taken from the operator's settings
/// (both hold the stored form).
PrintOptions withPrintParameters(PrintOptions options, const model::PrintParameters& parameters);

/// The six persistent machine parameters of the options, to be kept with the operator's settings.
model::PrintParameters printParametersOf(const PrintOptions& options);

} // namespace qx::output
