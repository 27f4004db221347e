#pragma once

#include "ImageLayout.h"
#include "PrinterImage.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qx::formats {

/// Reading: the newest-layout image of stored bytes in layout `layout`, starting from `base` (the
/// default image of the selected model). Fields the older layout lacks keep their value in `base`;
/// from PARA_V1200, zeroSlash becomes 1 exactly when printFont is 2 (明快). None when the byte
/// count is not the layout's size.
std::optional<PrinterImage> upgradeImage(std::span<const std::uint8_t> stored, ImageLayoutId layout,
                                         const PrinterImage& base);

/// Writing: the bytes of the layout that `version` is written in (layoutForWriting). Every byte of
/// the result is written; fields the layout lacks are dropped, counts and reserved words keep their
/// low byte in the 12-byte block records, the text stream keeps its leading words.
std::vector<std::uint8_t> downgradeImage(const PrinterImage& image, ImageVersion version);

/// The same for an explicit layout (the newest with PARA_V1400 gives the image unchanged).
std::vector<std::uint8_t> convertToLayout(const PrinterImage& image, ImageLayoutId layout);

} // namespace qx::formats
