#include "ImageLayout.h"

#include <array>

namespace qx::formats {

namespace {

using F = ImageField;
using K = FieldKind;

constexpr FieldPlacement one(ImageField field, std::size_t offset, std::size_t width, FieldKind kind) {
    return {field, offset, width, 1, width, kind};
}

constexpr FieldPlacement many(ImageField field, std::size_t offset, std::size_t width, std::size_t count,
                              FieldKind kind) {
    return {field, offset, width, count, width, kind};
}

/// A field of every block record: records from `base`, `stride` bytes each.
constexpr FieldPlacement perRecord(ImageField field, std::size_t base, std::size_t count, std::size_t stride,
                                   std::size_t offsetInRecord, std::size_t width, FieldKind kind) {
    return {field, base + offsetInRecord, width, count, stride, kind};
}

template <std::size_t N, std::size_t M>
constexpr std::array<FieldPlacement, N + M> concat(const std::array<FieldPlacement, N>& a,
                                                   const std::array<FieldPlacement, M>& b) {
    std::array<FieldPlacement, N + M> result{};
    for (std::size_t i = 0; i < N; ++i) {
        result[i] = a[i];
    }
    for (std::size_t i = 0; i < M; ++i) {
        result[N + i] = b[i];
    }
    return result;
}

// Newest layout (28,476 bytes), from the offsets the codec uses.
namespace n = newest;
namespace nr = newest::record;
namespace ns = newest::settings;
constexpr std::size_t nB = n::BlockRecords;
constexpr std::size_t nN = n::BlockRecordCount;
constexpr std::size_t nR = n::BlockRecordSize;
constexpr std::size_t nS = n::Settings;

// clang-format off
constexpr std::array newestCommon{
    one(F::FirstWord,            n::FirstWord,      2,                          K::Unsigned),
    one(F::VersionText,          n::VersionText,    n::VersionTextSize,         K::Bytes),
    one(F::TextStream,           n::TextStream,     2 * n::TextStreamWords,     K::Bytes),
    perRecord(F::CharSizes,         nB, nN, nR, nr::CharSizes,         4, K::Bytes),
    perRecord(F::CharWidths,        nB, nN, nR, nr::CharWidths,        4, K::Bytes),
    perRecord(F::Count,             nB, nN, nR, nr::Count,             2, K::Signed),
    perRecord(F::LineCountMinusOne, nB, nN, nR, nr::LineCountMinusOne, 1, K::Unsigned),
    perRecord(F::Reverse,           nB, nN, nR, nr::Reverse,           1, K::Unsigned),
    perRecord(F::Underline,         nB, nN, nR, nr::Underline,         2, K::Signed),
    perRecord(F::BlockReserved,     nB, nN, nR, nr::Reserved,          2, K::Unsigned),
    one(F::LeadingSettings,      nS + ns::TargetKind,   ns::LeadingSize,        K::Bytes),
    many(F::PitchTable,          nS + ns::PitchTable,   2, ns::PitchTableEntries, K::Unsigned),
    one(F::PrintLength,          nS + ns::PrintLength,  2,                      K::Signed),
    many(F::SequenceEntries,     nS + ns::Sequences,    ns::SequenceEntrySize, ns::SequenceEntries, K::Bytes),
    one(F::PrintCount,           nS + ns::PrintCount,   2,                      K::Signed),
    one(F::PitchAuto,            nS + ns::PitchAuto,    2,                      K::Signed),
    one(F::LabelFields,          nS + ns::LabelWidth,   6,                      K::Bytes),
    one(F::LabelReserved,        nS + ns::LabelReserved, 2,                     K::Bytes),
    one(F::PrintFont,            nS + ns::PrintFont,    2,                      K::Signed),
    one(F::AutoTextSize,         nS + ns::AutoTextSize, 1,                      K::Unsigned),
    one(F::AutoTextSizeReserved, nS + ns::AutoTextSizeReserved, 1,              K::Bytes),
    one(F::BlocksMinusOne,       n::BlocksMinusOne,     2,                      K::Unsigned),
    one(F::PitchEntryCount,      n::PitchEntryCount,    2,                      K::Unsigned),
    one(F::SendSettings,         n::SendSettings,       2 * n::SendSettingsWords, K::Bytes),
    one(F::ImageReserved,        n::ImageReserved,      2,                      K::Bytes),
    one(F::Trailer,              n::Trailer,            2,                      K::Unsigned),
};

// PARA_V1400: zeroSlash is the last word of the settings part.
constexpr auto newestV1400 = concat(newestCommon, std::array{
    one(F::ZeroSlash,            nS + ns::ZeroSlash,    2,                      K::Signed),
});

// PARA_V1200: the same without zeroSlash; its place is reserved and written 0.
constexpr auto newestV1200 = newestCommon;

// 13,852 bytes: 301 block records of 12 bytes, a 190-byte settings part, sendSettings.
constexpr std::size_t aB = 10022;
constexpr std::size_t aS = 13634;
constexpr std::array layout13852{
    one(F::FirstWord,            0,          2,     K::Unsigned),
    one(F::VersionText,          2,          16,    K::Bytes),
    one(F::TextStream,           18,         10004, K::Bytes),
    perRecord(F::CharSizes,         aB, 301, 12, 0,  4, K::Bytes),
    perRecord(F::CharWidths,        aB, 301, 12, 4,  4, K::Bytes),
    perRecord(F::Count,             aB, 301, 12, 8,  1, K::Signed),
    perRecord(F::LineCountMinusOne, aB, 301, 12, 9,  1, K::Unsigned),
    perRecord(F::Reverse,           aB, 301, 12, 10, 1, K::Unsigned),
    perRecord(F::BlockReserved,     aB, 301, 12, 11, 1, K::Unsigned),
    one(F::LeadingSettings,      aS + 0,     36,    K::Bytes),
    many(F::PitchTable,          aS + 36,    2, 6,  K::Unsigned),
    one(F::PrintLength,          aS + 48,    2,     K::Signed),
    many(F::SequenceEntries,     aS + 50,    8, 16, K::Bytes),
    one(F::PrintCount,           aS + 178,   2,     K::Signed),
    one(F::PitchAuto,            aS + 180,   2,     K::Signed),
    one(F::LabelFields,          aS + 182,   6,     K::Bytes),
    one(F::LabelReserved,        aS + 188,   2,     K::Bytes),
    one(F::BlocksMinusOne,       13824,      2,     K::Unsigned),
    one(F::PitchEntryCount,      13826,      2,     K::Unsigned),
    one(F::SendSettings,         13828,      22,    K::Bytes),
    one(F::Trailer,              13850,      2,     K::Unsigned),
};

// 13,790 bytes: as 13,852 with the 150-byte settings part (6-byte sequence entries, no label
// fields) and no sendSettings.
constexpr std::size_t bB = 10022;
constexpr std::size_t bS = 13634;
constexpr std::array layout13790{
    one(F::FirstWord,            0,          2,     K::Unsigned),
    one(F::VersionText,          2,          16,    K::Bytes),
    one(F::TextStream,           18,         10004, K::Bytes),
    perRecord(F::CharSizes,         bB, 301, 12, 0,  4, K::Bytes),
    perRecord(F::CharWidths,        bB, 301, 12, 4,  4, K::Bytes),
    perRecord(F::Count,             bB, 301, 12, 8,  1, K::Signed),
    perRecord(F::LineCountMinusOne, bB, 301, 12, 9,  1, K::Unsigned),
    perRecord(F::Reverse,           bB, 301, 12, 10, 1, K::Unsigned),
    perRecord(F::BlockReserved,     bB, 301, 12, 11, 1, K::Unsigned),
    one(F::LeadingSettings,      bS + 0,     36,    K::Bytes),
    many(F::PitchTable,          bS + 36,    2, 6,  K::Unsigned),
    one(F::PrintLength,          bS + 48,    2,     K::Signed),
    many(F::SequenceEntries,     bS + 50,    6, 16, K::Bytes),
    one(F::PrintCount,           bS + 146,   2,     K::Signed),
    one(F::PitchAuto,            bS + 148,   2,     K::Signed),
    one(F::BlocksMinusOne,       13784,      2,     K::Unsigned),
    one(F::PitchEntryCount,      13786,      2,     K::Unsigned),
    one(F::Trailer,              13788,      2,     K::Unsigned),
};

// 7,790 bytes: as 13,790 with a text stream of 2,002 words.
constexpr std::size_t cB = 4022;
constexpr std::size_t cS = 7634;
constexpr std::array layout7790{
    one(F::FirstWord,            0,          2,     K::Unsigned),
    one(F::VersionText,          2,          16,    K::Bytes),
    one(F::TextStream,           18,         4004,  K::Bytes),
    perRecord(F::CharSizes,         cB, 301, 12, 0,  4, K::Bytes),
    perRecord(F::CharWidths,        cB, 301, 12, 4,  4, K::Bytes),
    perRecord(F::Count,             cB, 301, 12, 8,  1, K::Signed),
    perRecord(F::LineCountMinusOne, cB, 301, 12, 9,  1, K::Unsigned),
    perRecord(F::Reverse,           cB, 301, 12, 10, 1, K::Unsigned),
    perRecord(F::BlockReserved,     cB, 301, 12, 11, 1, K::Unsigned),
    one(F::LeadingSettings,      cS + 0,     36,    K::Bytes),
    many(F::PitchTable,          cS + 36,    2, 6,  K::Unsigned),
    one(F::PrintLength,          cS + 48,    2,     K::Signed),
    many(F::SequenceEntries,     cS + 50,    6, 16, K::Bytes),
    one(F::PrintCount,           cS + 146,   2,     K::Signed),
    one(F::PitchAuto,            cS + 148,   2,     K::Signed),
    one(F::BlocksMinusOne,       7784,       2,     K::Unsigned),
    one(F::PitchEntryCount,      7786,       2,     K::Unsigned),
    one(F::Trailer,              7788,       2,     K::Unsigned),
};

// 2,596 bytes: a 707-word text stream, 101 block records of 10 bytes, a 148-byte settings part.
constexpr std::size_t dB = 1432;
constexpr std::size_t dS = 2442;
constexpr std::array layout2596{
    one(F::FirstWord,            0,          2,     K::Unsigned),
    one(F::VersionText,          2,          16,    K::Bytes),
    one(F::TextStream,           18,         1414,  K::Bytes),
    perRecord(F::CharSizes,         dB, 101, 10, 0,  4, K::Bytes),
    perRecord(F::CharWidths,        dB, 101, 10, 4,  4, K::Bytes),
    perRecord(F::Count,             dB, 101, 10, 8,  1, K::Signed),
    perRecord(F::LineCountMinusOne, dB, 101, 10, 9,  1, K::Unsigned),
    one(F::LeadingSettings,      dS + 0,     36,    K::Bytes),
    many(F::PitchTable,          dS + 36,    2, 6,  K::Unsigned),
    one(F::PrintLength,          dS + 48,    2,     K::Signed),
    many(F::SequenceEntries,     dS + 50,    6, 16, K::Bytes),
    one(F::PrintCount,           dS + 146,   2,     K::Signed),
    one(F::BlocksMinusOne,       2590,       2,     K::Unsigned),
    one(F::PitchEntryCount,      2592,       2,     K::Unsigned),
    one(F::Trailer,              2594,       2,     K::Unsigned),
};

constexpr std::array layouts{
    ImageLayout{ImageLayoutId::Layout2596,  2596,  layout2596},
    ImageLayout{ImageLayoutId::Layout7790,  7790,  layout7790},
    ImageLayout{ImageLayoutId::Layout13790, 13790, layout13790},
    ImageLayout{ImageLayoutId::Layout13852, 13852, layout13852},
    ImageLayout{ImageLayoutId::NewestV1200, 28476, newestV1200},
    ImageLayout{ImageLayoutId::NewestV1400, 28476, newestV1400},
};
// clang-format on

// Every field of every layout lies inside the layout.
constexpr bool fitsInside(const ImageLayout& layout) {
    for (const FieldPlacement& f : layout.fields) {
        if (f.count == 0 || f.offset + (f.count - 1) * f.stride + f.width > layout.size) {
            return false;
        }
    }
    return true;
}
static_assert(fitsInside(layouts[0]) && fitsInside(layouts[1]) && fitsInside(layouts[2]) &&
              fitsInside(layouts[3]) && fitsInside(layouts[4]) && fitsInside(layouts[5]));

} // namespace

const FieldPlacement* ImageLayout::find(ImageField field) const {
    for (const FieldPlacement& f : fields) {
        if (f.field == field) {
            return &f;
        }
    }
    return nullptr;
}

const ImageLayout& imageLayout(ImageLayoutId id) {
    for (const ImageLayout& layout : layouts) {
        if (layout.id == id) {
            return layout;
        }
    }
    return layouts.back();
}

std::optional<ImageLayoutId> layoutForReading(ImageVersion version) {
    switch (version) {
    case 1:
        return ImageLayoutId::Layout2596;
    case 2:
    case 4:
        return ImageLayoutId::Layout7790;
    case 3:
    case 5:
    case 6:
    case 7:
        return ImageLayoutId::Layout13790;
    case 8:
    case 9:
    case 10:
    case 13:
        return ImageLayoutId::Layout13852;
    case 11:
    case 12:
        return ImageLayoutId::NewestV1200;
    case 14:
        return ImageLayoutId::NewestV1400;
    default:
        return std::nullopt;
    }
}

ImageLayoutId layoutForWriting(ImageVersion version) {
    if (version <= 2) {
        return ImageLayoutId::Layout7790;
    }
    if (version <= 7) {
        return ImageLayoutId::Layout13790;
    }
    if (version <= 10) {
        return ImageLayoutId::Layout13852;
    }
    if (version <= 13) {
        return ImageLayoutId::NewestV1200;
    }
    return ImageLayoutId::NewestV1400;
}

} // namespace qx::formats
