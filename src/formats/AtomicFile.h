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
    std::string reason;            ///< the system's wording of errorNumber; empty on success
    bool unnamedTemporary = false; ///< the bytes were written into a file without a name
};

/// How the bytes wait for the rename. An unnamed temporary file has no name until it is complete
/// and flushed, so a save killed part way leaves nothing behind; file systems without unnamed
/// files (vfat, the printer's USB memory) get a hidden named one instead.
enum class TemporaryFile {
    UnnamedWherePossible,
    Named, ///< always the named one (tests of that path)
};

/// Writes `bytes` as the whole contents of `path` without ever destroying the previous file: the
/// bytes go to a temporary file in the same folder, are flushed to the disk and only then renamed
/// over the target. On any failure the old file is left as it was and no temporary file remains.
/// A symbolic link is followed, so the file it names is replaced and the link kept. A new file
/// gets the permissions the process would give any new file; a replaced one keeps its own.
FileWriteResult saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                   TemporaryFile temporary = TemporaryFile::UnnamedWherePossible);

/// The same for text bytes.
FileWriteResult saveFileAtomically(const std::string& path, std::string_view bytes,
                                   TemporaryFile temporary = TemporaryFile::UnnamedWherePossible);

} // namespace qx::formats
