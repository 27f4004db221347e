#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qx::wirelist {

/// The canonical name of an encoding the reader knows ("UTF-8", "UTF-16LE", "UTF-16BE", "CP932",
/// "CP1252"), from that name or a common alias in any case ("Shift_JIS", "windows-1252", "utf8");
/// "" when unknown.
std::string canonicalEncoding(std::string_view name);

/// How text bytes are encoded: a byte order mark first, then strict UTF-8, then UTF-16 without a
/// mark when every other byte is zero, otherwise code page 932 or 1252, whichever reads the
/// high bytes more like text. `markLength` is the length of the mark found (0 without).
std::string detectEncoding(std::string_view bytes, std::size_t& markLength);

/// The bytes (without their mark) as UTF-8; a byte or sequence with no character becomes U+FFFD.
std::string decodeToUtf8(std::string_view bytes, std::string_view encoding);

/// Length of the byte order mark of `encoding` at the start of the bytes, 0 when there is none.
std::size_t markLengthOf(std::string_view bytes, std::string_view encoding);

} // namespace qx::wirelist
