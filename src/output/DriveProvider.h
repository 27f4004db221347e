#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// One removable volume the printer could read: a memory card or a USB memory, as mounted.
struct RemovableVolume {
    std::string root;  ///< the mount point, always ending in "/"
    std::string label; ///< the file system's label, else the mount point's last name

    friend bool operator==(const RemovableVolume&, const RemovableVolume&) = default;
};

/// Where the removable-memory save finds its volumes. Paths are the file system's bytes (UTF-8 on
/// every system we run on) with "/" between folders.
class DriveProvider {
public:
    virtual ~DriveProvider() = default;

    /// The removable volumes in the order the system lists them.
    virtual std::vector<RemovableVolume> volumes() = 0;

    /// Whether the volume mounted at `root` can be used now; false once the card has been pulled
    /// or unmounted.
    virtual bool isReady(std::string_view root) = 0;
};

/// The system's removable volumes: the mounted file systems (from the mount table) whose block
/// device, or the disk a partition belongs to, is flagged removable, is an SD card (a built-in
/// card slot) or sits on a USB bus (a USB hard disk as well as a stick: the two cannot be told
/// apart reliably, and a stick that calls itself fixed must stay usable). Mounts
/// of a sub-folder only (bind mounts) and read-only mounts are left out, since a document cannot be
/// written there as the printer expects it.
class MountedDriveProvider final : public DriveProvider {
public:
    /// Where the system's tables are read; tests point these into a temporary folder.
    struct Sources {
        std::string mountInfo = "/proc/self/mountinfo";
        std::string sysRoot = "/sys";
        std::string devRoot = "/dev";
    };

    MountedDriveProvider() = default;
    explicit MountedDriveProvider(Sources sources) : m_sources(std::move(sources)) {}

    std::vector<RemovableVolume> volumes() override;
    bool isReady(std::string_view root) override;

private:
    Sources m_sources;
};

/// Folders that stand in for removable volumes: tests, demonstrations and systems without a
/// mount table. A folder can be marked not ready to act as a pulled card.
class FolderDriveProvider final : public DriveProvider {
public:
    FolderDriveProvider() = default;
    /// Each root gets its trailing "/" if it lacks one.
    explicit FolderDriveProvider(std::vector<RemovableVolume> volumes);

    void addVolume(RemovableVolume volume);
    void setReady(std::string_view root, bool ready);

    std::vector<RemovableVolume> volumes() override;
    /// Listed, not marked unready, and an existing folder.
    bool isReady(std::string_view root) override;

private:
    struct Entry {
        RemovableVolume volume;
        bool ready = true;
    };
    std::vector<Entry> m_entries;
};

/// One line of the mount table, its escapes undone.
struct MountEntry {
    std::string device;     ///< "major:minor" of the mounted device
    std::string root;       ///< the folder of the file system that is mounted ("/" for all of it)
    std::string mountPoint; ///< where it is mounted, no trailing "/" except for "/" itself
    std::string options;    ///< the per-mount options ("rw,nosuid,...")
    std::string fsType;
    std::string source; ///< the mount source ("/dev/sdb1")

    friend bool operator==(const MountEntry&, const MountEntry&) = default;
};

/// The lines of /proc/self/mountinfo in order; malformed lines are skipped.
std::vector<MountEntry> parseMountInfo(std::string_view text);

/// Undoes the octal escapes ("\040" for a blank) of the mount table.
std::string unescapeMountField(std::string_view field);

/// Undoes the "\xHH" escapes of the device links' names (/dev/disk/by-label).
std::string unescapeDeviceLinkName(std::string_view name);

} // namespace qx::output
