#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace qx::formats {

/// The two-digit version in an image header that selects its byte layout (1 to 14).
using ImageVersion = int;

/// The byte layouts of a printer image. The newest layout comes with two settings parts that differ
/// only in their last word (zeroSlash in PARA_V1400, reserved in PARA_V1200).
enum class ImageLayoutId {
    Layout2596,
    Layout7790,
    Layout13790,
    Layout13852,
    NewestV1200, ///< 28,476 bytes, PARA_V1200 settings part (versions 11 to 13)
    NewestV1400, ///< 28,476 bytes, PARA_V1400 settings part (version 14)
};

/// What a layout holds. Each layout places a subset of these; converting between two layouts moves
/// every field that both have.
enum class ImageField {
    FirstWord,   ///< copy of targetKind
    VersionText, ///< 16 bytes, no terminator
    TextStream,  ///< big-endian words ended by 0
    // Block records, one element per record.
    CharSizes,  ///< 4 bytes, lines 1 to 4
    CharWidths, ///< 4 bytes, lines 1 to 4
    Count,      ///< signed: a 16-bit word in the newest layout, one byte in the older ones
    LineCountMinusOne,
    Reverse,
    Underline,
    BlockReserved, ///< unsigned: the reserved word, only its low byte in the 12-byte records
    // Settings part.
    LeadingSettings, ///< the 18 words targetKind … placement and the seven extraSettings
    PitchTable,      ///< pitch lengths, tenths of a millimetre
    PrintLength,
    SequenceEntries, ///< 8 bytes each, or 6 (without output and the zero byte)
    PrintCount,
    PitchAuto,
    LabelFields, ///< labelWidth, labelLength, labelGap
    LabelReserved,
    PrintFont,
    AutoTextSize,
    AutoTextSizeReserved,
    ZeroSlash,
    // Image trailer part.
    BlocksMinusOne,
    PitchEntryCount,
    SendSettings, ///< 11 words
    ImageReserved,
    Trailer, ///< always 0xFFFF
};

enum class FieldKind {
    Bytes,    ///< copied byte by byte; a shorter destination keeps the leading bytes
    Signed,   ///< a number; a wider destination extends the sign
    Unsigned, ///< a number; a wider destination gets high bytes 0
};

/// Where one field lies: `count` elements of `width` bytes, `stride` bytes apart, from `offset`.
struct FieldPlacement {
    ImageField field;
    std::size_t offset;
    std::size_t width;
    std::size_t count;
    std::size_t stride;
    FieldKind kind;
};

struct ImageLayout {
    ImageLayoutId id;
    std::size_t size;
    std::span<const FieldPlacement> fields;

    /// The placement of a field, or nullptr when this layout does not hold it.
    const FieldPlacement* find(ImageField field) const;
};

const ImageLayout& imageLayout(ImageLayoutId id);

/// Layout of a stored image of the given version; none for versions that no layout reads.
std::optional<ImageLayoutId> layoutForReading(ImageVersion version);

/// Layout written for the given version: up to 2 the 7,790-byte layout, 3 to 7 13,790, 8 to 10
/// 13,852, 11 to 13 the newest with PARA_V1200, from 14 on the newest with PARA_V1400.
ImageLayoutId layoutForWriting(ImageVersion version);

/// Offsets and sizes of the newest layout (28,476 bytes), the one the encoder and decoder work on.
namespace newest {
inline constexpr std::size_t ImageSize = 28476;
inline constexpr std::size_t FirstWord = 0;
inline constexpr std::size_t VersionText = 2;
inline constexpr std::size_t VersionTextSize = 16;
inline constexpr std::size_t TextStream = 18;
inline constexpr std::size_t TextStreamWords = 5002;
inline constexpr std::size_t BlockRecords = 10022;
inline constexpr std::size_t BlockRecordCount = 1000;
inline constexpr std::size_t BlockRecordSize = 16;
inline constexpr std::size_t Settings = 26022;
inline constexpr std::size_t SettingsSize = 2424;
inline constexpr std::size_t BlocksMinusOne = 28446;
inline constexpr std::size_t PitchEntryCount = 28448;
inline constexpr std::size_t SendSettings = 28450;
inline constexpr std::size_t SendSettingsWords = 11;
inline constexpr std::size_t ImageReserved = 28472;
inline constexpr std::size_t Trailer = 28474;

// Within a block record.
namespace record {
inline constexpr std::size_t CharSizes = 0;
inline constexpr std::size_t CharWidths = 4;
inline constexpr std::size_t Count = 8;
inline constexpr std::size_t LineCountMinusOne = 10;
inline constexpr std::size_t Reverse = 11;
inline constexpr std::size_t Underline = 12;
inline constexpr std::size_t Reserved = 14;
} // namespace record

// Within the settings part (PARA_V1400 / PARA_V1200); add Settings for the image offset.
namespace settings {
inline constexpr std::size_t TargetKind = 0;
inline constexpr std::size_t TargetSize = 2;
inline constexpr std::size_t SizeMode = 4;
inline constexpr std::size_t Direction = 6;
inline constexpr std::size_t Frame = 8;
inline constexpr std::size_t CharSpacing = 10;
inline constexpr std::size_t LineSpacing = 12;
inline constexpr std::size_t PitchCut = 14;
inline constexpr std::size_t LeftMargin = 16;
inline constexpr std::size_t RightMargin = 18;
inline constexpr std::size_t Placement = 20;
inline constexpr std::size_t ExtraSettings = 22;
inline constexpr std::size_t ExtraSettingsWords = 7;
inline constexpr std::size_t LeadingSize = 36; ///< the 18 words up to here
inline constexpr std::size_t PitchTable = 36;
inline constexpr std::size_t PitchTableEntries = 1000;
inline constexpr std::size_t PrintLength = 2036;
inline constexpr std::size_t Sequences = 2038;
inline constexpr std::size_t SequenceEntries = 46;
inline constexpr std::size_t SequenceEntrySize = 8;
inline constexpr std::size_t PrintCount = 2406;
inline constexpr std::size_t PitchAuto = 2408;
inline constexpr std::size_t LabelWidth = 2410;
inline constexpr std::size_t LabelLength = 2412;
inline constexpr std::size_t LabelGap = 2414;
inline constexpr std::size_t LabelReserved = 2416;
inline constexpr std::size_t PrintFont = 2418;
inline constexpr std::size_t AutoTextSize = 2420;
inline constexpr std::size_t AutoTextSizeReserved = 2421;
inline constexpr std::size_t ZeroSlash = 2422; ///< reserved (0) in PARA_V1200
} // namespace settings

// Within a sequence entry.
namespace sequence {
inline constexpr std::size_t Mode = 0;
inline constexpr std::size_t Digits = 1;
inline constexpr std::size_t Start = 2;
inline constexpr std::size_t End = 4;
inline constexpr std::size_t Output = 6;
} // namespace sequence
} // namespace newest

} // namespace qx::formats
