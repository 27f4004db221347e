#pragma once

#include "model/EditData.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::formats {

/// Outcome of a file insert, whichever kind of file it was.
struct FileInsertResult {
    bool ok = false;
    std::vector<int> messageIds; ///< on failure the one message; on success the informational ones
    model::EditData data;        ///< the merged record, meaningful only when ok
};

/// File insert of the file at `path` (a .QXF or a .CSV file, told by its extension) before block
/// `position` of `current`, which is never changed. A file of any other kind is refused with 42001,
/// as the editor cannot tell what it holds.
FileInsertResult insertFile(const model::EditData& current, std::string_view path,
                            std::span<const std::uint8_t> bytes, int position, const model::Catalogue& catalogue,
                            const model::OperatorSettings& settings);

} // namespace qx::formats
