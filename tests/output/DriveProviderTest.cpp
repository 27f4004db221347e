#include "output/DriveProvider.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace qx::output {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::random_device random;
        m_path = fs::temp_directory_path() / ("qx-drives-" + std::to_string(random()));
        fs::create_directories(m_path);
    }
    ~TempDir() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

void writeFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A miniature /sys and /dev: one block device folder per disk and partition, the dev-number links
// and the class/block entries the kernel provides.
class FakeSystem {
public:
    explicit FakeSystem(const fs::path& base) : m_sys(base / "sys"), m_dev(base / "dev"), m_base(base) {
        fs::create_directories(m_sys / "dev" / "block");
        fs::create_directories(m_dev / "disk" / "by-label");
    }

    /// A disk under `busPath` (relative to /sys/devices) with its removable flag.
    void addDisk(const std::string& busPath, const std::string& name, const std::string& number,
                 bool removable) {
        const fs::path disk = m_sys / "devices" / busPath / "block" / name;
        writeFile(disk / "removable", removable ? "1\n" : "0\n");
        link(disk, name, number);
        m_disks[name] = disk;
    }

    /// A card in a built-in slot: the MMC driver leaves the removable flag at 0 and names the
    /// card's type ("SD" for SD, SDHC and SDXC cards, "MMC" for soldered eMMC storage).
    void addMmcDisk(const std::string& host, const std::string& name, const std::string& number,
                    const std::string& cardType) {
        addDisk("pci0000:00/0000:00:1e.6/mmc_host/" + host + "/" + host + ":0001", name, number, false);
        writeFile(m_disks.at(name) / "device" / "type", cardType + "\n");
    }

    void addPartition(const std::string& diskName, const std::string& name, const std::string& number) {
        const fs::path partition = m_disks.at(diskName) / name;
        writeFile(partition / "partition", "1\n");
        link(partition, name, number);
    }

    void addLabel(const std::string& escapedLabel, const std::string& deviceName) {
        fs::create_symlink("../../" + deviceName, m_dev / "disk" / "by-label" / escapedLabel);
    }

    void setMounts(const std::string& text) { writeFile(m_base / "mountinfo", text); }

    MountedDriveProvider provider() const {
        return MountedDriveProvider({(m_base / "mountinfo").string(), m_sys.string(), m_dev.string()});
    }

private:
    void link(const fs::path& device, const std::string& name, const std::string& number) {
        writeFile(device / "dev", number + "\n");
        fs::create_symlink(device, m_sys / "dev" / "block" / number);
        fs::create_directories(m_sys / "class" / "block");
        fs::create_symlink(device, m_sys / "class" / "block" / name);
    }

    fs::path m_sys;
    fs::path m_dev;
    fs::path m_base;
    std::map<std::string, fs::path> m_disks;
};

std::string mountLine(const std::string& number, const std::string& root, const std::string& mountPoint,
                      const std::string& options, const std::string& type, const std::string& source) {
    return "100 1 " + number + " " + root + " " + mountPoint + " " + options + " shared:1 - " + type + " " +
           source + " rw\n";
}

TEST(MountInfo, ParsesFieldsAndUndoesEscapes) {
    const std::vector<MountEntry> entries = parseMountInfo(
        "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw,errors=remount-ro\n"
        "97 22 8:17 / /media/op/MY\\040CARD rw,nosuid master:3 propagate_from:2 - vfat /dev/sdb1 rw\n"
        "garbage line\n"
        "98 22 0:50 / relative rw - tmpfs tmpfs rw\n"
        "99 22 0:51 /sub /mnt/bind rw - ext4 /dev/sda2 rw");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (MountEntry{"8:2", "/", "/", "rw,relatime", "ext4", "/dev/sda2"}));
    EXPECT_EQ(entries[1], (MountEntry{"8:17", "/", "/media/op/MY CARD", "rw,nosuid", "vfat", "/dev/sdb1"}));
    EXPECT_EQ(entries[2].root, "/sub");
}

TEST(MountInfo, EscapesOfBothTables) {
    EXPECT_EQ(unescapeMountField("a\\040b\\011c\\134d"), "a b\tc\\d");
    EXPECT_EQ(unescapeMountField("trail\\04"), "trail\\04"); // cut short: kept as it is
    EXPECT_EQ(unescapeMountField("\\999"), "\\999");
    EXPECT_EQ(unescapeDeviceLinkName("MY\\x20CARD\\x2f2"), "MY CARD/2");
    EXPECT_EQ(unescapeDeviceLinkName("bad\\xZZ\\x4"), "bad\\xZZ\\x4");
}

TEST(MountedDriveProvider, ListsRemovableAndUsbVolumesInTableOrder) {
    TempDir dir;
    FakeSystem system(dir.path());
    system.addDisk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0", "sda", "8:0", false);
    system.addPartition("sda", "sda2", "8:2");
    // A USB stick that calls itself fixed: the bus decides.
    system.addDisk("pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.0/host6/target6:0:0/6:0:0:0", "sdb", "8:16",
                   false);
    system.addPartition("sdb", "sdb1", "8:17");
    // A card reader on an internal bus with the removable flag, file system on the whole disk.
    system.addDisk("pci0000:00/0000:00:1c.0/host7/target7:0:0/7:0:0:0", "sdc", "8:32", true);
    // A USB hard disk: listed like a stick, since the system cannot tell the two apart.
    system.addDisk("pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host8/target8:0:0/8:0:0:0", "sdd", "8:48",
                   false);
    system.addPartition("sdd", "sdd1", "8:49");
    // An SD card in the laptop's slot and the soldered eMMC the system boots from.
    system.addMmcDisk("mmc0", "mmcblk0", "179:0", "SD");
    system.addPartition("mmcblk0", "mmcblk0p1", "179:1");
    system.addMmcDisk("mmc1", "mmcblk1", "179:8", "MMC");
    system.addPartition("mmcblk1", "mmcblk1p1", "179:9");
    system.addLabel("QX\\x20CARD", "sdb1");
    system.setMounts(mountLine("8:2", "/", "/", "rw,relatime", "ext4", "/dev/sda2") +
                     mountLine("179:9", "/", "/home", "rw,relatime", "ext4", "/dev/mmcblk1p1") +
                     mountLine("179:1", "/", "/media/op/SDCARD", "rw,nosuid", "exfat", "/dev/mmcblk0p1") +
                     mountLine("8:49", "/", "/media/op/BACKUP", "rw,nosuid", "ext4", "/dev/sdd1") +
                     mountLine("8:32", "/", "/media/op/reader", "rw,nosuid", "vfat", "/dev/sdc") +
                     mountLine("8:17", "/", "/media/op/QX\\040CARD", "rw,nosuid", "vfat", "/dev/sdb1") +
                     mountLine("8:17", "/DATA", "/mnt/bound", "rw", "vfat", "/dev/sdb1") +
                     mountLine("8:32", "/", "/mnt/readonly", "ro,nosuid", "vfat", "/dev/sdc") +
                     mountLine("0:45", "/", "/run/user/1000", "rw", "tmpfs", "tmpfs"));

    MountedDriveProvider provider = system.provider();
    EXPECT_EQ(provider.volumes(), (std::vector<RemovableVolume>{{"/media/op/SDCARD/", "SDCARD"},
                                                                {"/media/op/BACKUP/", "BACKUP"},
                                                                {"/media/op/reader/", "reader"},
                                                                {"/media/op/QX CARD/", "QX CARD"}}));
}

TEST(MountedDriveProvider, ALaterMountHidesTheVolumeBelowIt) {
    TempDir dir;
    FakeSystem system(dir.path());
    system.addDisk("platform/usb3/3-1/host1/block", "sdb", "8:16", true);
    system.addDisk("pci0000:00/ata2/host2", "sda", "8:0", false);
    system.setMounts(mountLine("8:16", "/", "/media/stick", "rw", "vfat", "/dev/sdb") +
                     mountLine("8:0", "/", "/media/stick", "rw", "ext4", "/dev/sda"));
    MountedDriveProvider provider = system.provider();
    EXPECT_TRUE(provider.volumes().empty());
}

TEST(MountedDriveProvider, FindsTheDeviceThroughTheMountSource) {
    // Some file systems report an anonymous device number; the source names the real device.
    TempDir dir;
    FakeSystem system(dir.path());
    system.addDisk("pci0000:00/usb2/2-1/host3", "sdd", "8:48", false);
    system.addPartition("sdd", "sdd1", "8:49");
    system.setMounts(mountLine("0:61", "/", "/media/op/multi", "rw", "btrfs", "/dev/sdd1"));
    MountedDriveProvider provider = system.provider();
    EXPECT_EQ(provider.volumes(), (std::vector<RemovableVolume>{{"/media/op/multi/", "multi"}}));
}

TEST(MountedDriveProvider, ReadinessNeedsTheVolumeMountedAndReadable) {
    TempDir dir;
    FakeSystem system(dir.path());
    system.addDisk("pci0000:00/usb1/1-1/host6", "sdb", "8:16", false);
    const fs::path mountPoint = dir.path() / "stick";
    fs::create_directories(mountPoint);
    system.setMounts(mountLine("8:16", "/", mountPoint.string(), "rw", "vfat", "/dev/sdb"));
    MountedDriveProvider provider = system.provider();
    const std::string root = mountPoint.string() + "/";
    EXPECT_TRUE(provider.isReady(root));
    EXPECT_FALSE(provider.isReady(dir.path().string() + "/"));

    system.setMounts(""); // the card was unmounted
    EXPECT_FALSE(provider.isReady(root));
}

TEST(MountedDriveProvider, MissingTablesGiveNoVolumes) {
    MountedDriveProvider provider({"/nonexistent/mountinfo", "/nonexistent/sys", "/nonexistent/dev"});
    EXPECT_TRUE(provider.volumes().empty());
    EXPECT_FALSE(provider.isReady("/"));
}

TEST(FolderDriveProvider, ActsAsVolumesThatCanBePulled) {
    TempDir dir;
    const std::string root = dir.path().string();
    FolderDriveProvider provider({{root, "CARD"}});
    provider.addVolume({"/nonexistent/folder/", "GONE"});
    EXPECT_EQ(provider.volumes(),
              (std::vector<RemovableVolume>{{root + "/", "CARD"}, {"/nonexistent/folder/", "GONE"}}));
    EXPECT_TRUE(provider.isReady(root + "/"));
    EXPECT_FALSE(provider.isReady("/nonexistent/folder/"));
    provider.setReady(root, false);
    EXPECT_FALSE(provider.isReady(root + "/"));
    provider.setReady(root + "/", true);
    EXPECT_TRUE(provider.isReady(root + "/"));
}

} // namespace
} // namespace qx::output
