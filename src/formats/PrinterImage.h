#pragma once

#include "ImageLayout.h"
#include "model/ModelType.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::formats {

/// The 16 bytes of a version text ("QX700  14.00 JPN"), without terminator.
using VersionText = std::array<std::uint8_t, newest::VersionTextSize>;

/// ImageVersion of the images a model reads and writes: 0 → 3, 1 → 6, 2 → 8, 3 and 4 → 9, 5 → 11,
/// 6 and 7 → 12, every other value → 14.
ImageVersion imageVersionFor(model::ModelType model);

/// The version text "QX700  %2d.00 JPN" of a version (two places, right-aligned). A version
/// outside 0..99 is written with its last two digits.
VersionText versionText(ImageVersion version);

/// The number that starts six characters into a version text, leading blanks skipped; 0 when no
/// digit follows. (How a saved image's own header picks its layout.)
ImageVersion versionFromText(std::span<const std::uint8_t> text);

/// A printer image in the newest layout: always exactly 28,476 bytes, numbers big-endian.
/// Every accessor is bounds-checked: reads outside the image give 0, writes outside change nothing.
class PrinterImage final {
public:
    static constexpr std::size_t Size = newest::ImageSize;

    /// All bytes zero.
    PrinterImage();

    std::span<const std::uint8_t> bytes() const { return m_bytes; }
    std::span<std::uint8_t> bytes() { return m_bytes; }

    std::uint8_t byte(std::size_t offset) const;
    void setByte(std::size_t offset, std::uint8_t value);
    /// The big-endian 16-bit word at `offset`.
    std::uint16_t word(std::size_t offset) const;
    void setWord(std::size_t offset, std::uint16_t value);
    std::int16_t signedWord(std::size_t offset) const { return static_cast<std::int16_t>(word(offset)); }

    VersionText versionText() const;
    void setVersionText(const VersionText& text);

    /// Word i (from 0) of the text stream; 0 beyond its 5,002 words.
    std::uint16_t streamWord(std::size_t i) const;
    void setStreamWord(std::size_t i, std::uint16_t value);

    /// Image offset of byte `offsetInRecord` of block record `record` (0..999).
    static constexpr std::size_t recordOffset(std::size_t record, std::size_t offsetInRecord) {
        return newest::BlockRecords + record * newest::BlockRecordSize + offsetInRecord;
    }
    /// Image offset of a settings-part field.
    static constexpr std::size_t settingsOffset(std::size_t offsetInPart) {
        return newest::Settings + offsetInPart;
    }
    /// Image offset of sequence entry `entry` (0..45).
    static constexpr std::size_t sequenceOffset(std::size_t entry) {
        return settingsOffset(newest::settings::Sequences) + entry * newest::settings::SequenceEntrySize;
    }
    /// Image offset of pitch-table entry `entry` (0..999).
    static constexpr std::size_t pitchOffset(std::size_t entry) {
        return settingsOffset(newest::settings::PitchTable) + 2 * entry;
    }

    friend bool operator==(const PrinterImage&, const PrinterImage&) = default;

private:
    std::vector<std::uint8_t> m_bytes;
};

/// The image of a new document for the catalogue's model: every field at its SettingRange default,
/// the model's version text, the text stream 0x2F21, 0x2F22, 0, …, every pitch-table entry the
/// default tube pitch, every sequence entry at the defaults of the sequence rows, trailer 0xFFFF.
PrinterImage defaultImage(const model::Catalogue& catalogue);

} // namespace qx::formats
