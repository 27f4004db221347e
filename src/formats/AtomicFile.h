#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qx::formats {

/// Outcome of a file save: on failure the system's error number and its text.
struct FileWriteResult {
    bool ok = false;
    int errorNumber = 0;
    std::string reason; ///< the system's wording of errorNumber; empty on success
};

/// Writes `bytes` as the whole contents of `path` without ever destroying the previous file: the
/// bytes go to a temporary file in the same folder, are flushed to the disk and only then renamed
/// over the target. On any failure the old file is left as it was and no temporary file remains.
/// A symbolic link is followed, so the file it names is replaced and the link kept. A new file
/// gets the permissions the process would give any new file; a replaced one keeps its own.
FileWriteResult saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

/// The same for text bytes.
FileWriteResult saveFileAtomically(const std::string& path, std::string_view bytes);

} // namespace qx::formats
