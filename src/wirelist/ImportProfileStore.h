#pragma once

#include "wirelist/ImportProfile.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qx::wirelist {

/// The profiles in one folder of the user's settings, one "*.ini" file each. The folder is the
/// caller's (the editor passes its settings folder); nothing here looks for it.
class ImportProfileStore final {
public:
    explicit ImportProfileStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    struct Entry {
        std::filesystem::path path;
        ImportProfile profile;
    };

    /// The profiles that read, by file name; the messages of the files that do not are added to
    /// `problems` when it is given. At most 500 files are looked at.
    std::vector<Entry> list(std::vector<std::string>* problems = nullptr) const;

    /// The first profile made for a file with this header, if any.
    std::optional<Entry> findFor(std::span<const std::string> header) const;

    struct SaveResult {
        bool ok = false;
        std::filesystem::path path;
        int messageId = 0;
        std::string message;
    };
    /// Saves the profile under a file name made from its name (replacing one of the same name),
    /// making the folder when it is missing.
    SaveResult save(const ImportProfile& profile) const;

    const std::filesystem::path& folder() const { return m_folder; }

private:
    std::filesystem::path m_folder;
};

/// Reads one profile file, bounded before it is read.
ProfileReadResult readImportProfileFile(const std::filesystem::path& path);

/// A file name for a profile name: the characters a file name cannot hold as "_", at most 60
/// bytes, never empty, with ".ini".
std::string profileFileName(std::string_view name);

} // namespace qx::wirelist
