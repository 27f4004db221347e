#pragma once

#include <string_view>

namespace qx::formats {

/// What a path's extension says about its contents.
enum class ExtensionKind : int {
    Other = 0,        ///< anything else: saving fails, opening for import shows 42001
    DocumentFile = 1, ///< ".QXF" (string 40002): one printer image
    Csv = 2,          ///< ".CSV" (string 40003): one row per printed block
};

/// The kind of a path by the text from the last dot of its file name on, compared without regard
/// to case. A dot inside a folder name does not count.
ExtensionKind extensionKind(std::string_view path);

} // namespace qx::formats
