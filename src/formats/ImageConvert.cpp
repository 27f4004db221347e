#include "ImageConvert.h"

#include <algorithm>

namespace qx::formats {

namespace {

bool isReservedField(ImageField field) {
    return field == ImageField::LabelReserved || field == ImageField::AutoTextSizeReserved ||
           field == ImageField::ImageReserved;
}

long readNumber(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width, FieldKind kind) {
    if (width == 1) {
        return kind == FieldKind::Signed ? static_cast<long>(static_cast<std::int8_t>(bytes[at])) : bytes[at];
    }
    const auto value = static_cast<std::uint16_t>((bytes[at] << 8) | bytes[at + 1]);
    return kind == FieldKind::Signed ? static_cast<long>(static_cast<std::int16_t>(value)) : value;
}

void writeNumber(std::span<std::uint8_t> bytes, std::size_t at, std::size_t width, long value) {
    const auto bits = static_cast<std::uint16_t>(value);
    if (width == 1) {
        bytes[at] = static_cast<std::uint8_t>(bits & 0xFF); // a one-byte field keeps the low byte
    } else {
        bytes[at] = static_cast<std::uint8_t>(bits >> 8);
        bytes[at + 1] = static_cast<std::uint8_t>(bits & 0xFF);
    }
}

/// Moves every field that both layouts hold from `from` into `to`, element by element; fields the
/// destination lacks are dropped, fields the source lacks keep what `to` holds.
void moveFields(std::span<const std::uint8_t> from, const ImageLayout& fromLayout, std::span<std::uint8_t> to,
                const ImageLayout& toLayout, bool withReserved) {
    for (const FieldPlacement& dst : toLayout.fields) {
        const FieldPlacement* src = fromLayout.find(dst.field);
        if (src == nullptr || (!withReserved && isReservedField(dst.field))) {
            continue;
        }
        const std::size_t n = std::min(src->count, dst.count);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t s = src->offset + i * src->stride;
            const std::size_t d = dst.offset + i * dst.stride;
            if (dst.kind == FieldKind::Bytes || src->width == dst.width) {
                std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(s), std::min(src->width, dst.width),
                            to.begin() + static_cast<std::ptrdiff_t>(d));
            } else {
                writeNumber(to, d, dst.width, readNumber(from, s, src->width, src->kind));
            }
        }
    }
}

} // namespace

std::optional<PrinterImage> upgradeImage(std::span<const std::uint8_t> stored, ImageLayoutId layout,
                                         const PrinterImage& base) {
    const ImageLayout& from = imageLayout(layout);
    if (stored.size() != from.size) {
        return std::nullopt;
    }
    PrinterImage image = base;
    if (layout == ImageLayoutId::NewestV1400) {
        std::copy(stored.begin(), stored.end(), image.bytes().begin());
        return image;
    }
    // The reserved bytes of the older layouts are not taken over; PARA_V1200 is copied whole.
    const bool sameSize = from.size == PrinterImage::Size;
    moveFields(stored, from, image.bytes(), imageLayout(ImageLayoutId::NewestV1400), sameSize);
    if (layout == ImageLayoutId::NewestV1200) {
        // Before zeroSlash had its own word, the 明快 font (2) always printed a slashed zero.
        constexpr int Meikai = 2;
        const auto at = PrinterImage::settingsOffset(newest::settings::PrintFont);
        image.setWord(PrinterImage::settingsOffset(newest::settings::ZeroSlash),
                      image.signedWord(at) == Meikai ? 1 : 0);
    }
    return image;
}

std::vector<std::uint8_t> convertToLayout(const PrinterImage& image, ImageLayoutId layout) {
    const ImageLayout& to = imageLayout(layout);
    std::vector<std::uint8_t> bytes(to.size, 0);
    moveFields(image.bytes(), imageLayout(ImageLayoutId::NewestV1400), bytes, to, true);
    return bytes;
}

std::vector<std::uint8_t> downgradeImage(const PrinterImage& image, ImageVersion version) {
    return convertToLayout(image, layoutForWriting(version));
}

} // namespace qx::formats
