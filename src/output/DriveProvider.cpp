#include "DriveProvider.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

namespace qx::output {

namespace fs = std::filesystem;

namespace {

// The mount table of a busy system is a few hundred kilobytes; anything beyond this is not one.
constexpr std::streamsize MaxTableBytes = 8 * 1024 * 1024;
// sysfs attribute files hold one short line.
constexpr std::streamsize MaxAttributeBytes = 4096;

std::string readSmallFile(const fs::path& path, std::streamsize limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::string text(static_cast<std::size_t>(limit), '\0');
    in.read(text.data(), limit);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

std::string trimmed(std::string text) {
    const auto notBlank = [](char c) { return c != ' ' && c != '\n' && c != '\r' && c != '\t'; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
    text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
    return text;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && line[pos] == ' ') {
            ++pos;
        }
        const std::size_t end = std::min(line.find(' ', pos), line.size());
        if (end > pos) {
            fields.push_back(line.substr(pos, end - pos));
        }
        pos = end;
    }
    return fields;
}

bool hasOption(std::string_view options, std::string_view option) {
    std::size_t pos = 0;
    while (pos <= options.size()) {
        const std::size_t end = std::min(options.find(',', pos), options.size());
        if (options.substr(pos, end - pos) == option) {
            return true;
        }
        pos = end + 1;
    }
    return false;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool isValidDeviceNumber(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon + 1 == text.size()) {
        return false;
    }
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ':' || (c >= '0' && c <= '9'); });
}

class SystemTables {
public:
    explicit SystemTables(const MountedDriveProvider::Sources& sources) : m_sources(sources) {}

    /// "major:minor" of a block device by its kernel name ("sdb1"), or "".
    std::string deviceNumberOf(const std::string& kernelName) const {
        if (kernelName.empty() || kernelName == "." || kernelName == "..") {
            return {};
        }
        std::string number = trimmed(readSmallFile(
            fs::path(m_sources.sysRoot) / "class" / "block" / kernelName / "dev", MaxAttributeBytes));
        return isValidDeviceNumber(number) ? number : std::string();
    }

    /// The device of a mount: the node the source names when it is one (a file system spanning
    /// devices reports an anonymous number in the table), else the table's number.
    std::string deviceOf(const MountEntry& entry) const {
        constexpr std::string_view devPrefix = "/dev/";
        if (entry.source.starts_with(devPrefix)) {
            const fs::path node = fs::path(m_sources.devRoot) / entry.source.substr(devPrefix.size());
            std::error_code error;
            const fs::path resolved = fs::canonical(node, error);
            const std::string name = (error ? node : resolved).filename().string();
            if (std::string number = deviceNumberOf(name); !number.empty()) {
                return number;
            }
        }
        return entry.device;
    }

    bool isRemovableOrUsb(const std::string& deviceNumber) const {
        if (!isValidDeviceNumber(deviceNumber)) {
            return false;
        }
        std::error_code error;
        const fs::path sysRoot = fs::canonical(m_sources.sysRoot, error);
        if (error) {
            return false;
        }
        const fs::path device = fs::canonical(sysRoot / "dev" / "block" / deviceNumber, error);
        if (error) {
            return false;
        }
        // A partition's removable flag lives on its disk, the folder above it.
        const bool isPartition = fs::exists(device / "partition", error);
        const fs::path disk = isPartition ? device.parent_path() : device;
        if (trimmed(readSmallFile(disk / "removable", MaxAttributeBytes)) == "1") {
            return true;
        }
        // The MMC driver never flags its disks removable, so a card in a built-in SD slot is known
        // by its card type. Soldered eMMC storage reports "MMC" and is the system's own disk.
        if (trimmed(readSmallFile(disk / "device" / "type", MaxAttributeBytes)) == "SD") {
            return true;
        }
        const std::string busPath = "/" + device.lexically_relative(sysRoot).generic_string();
        return busPath.find("/usb") != std::string::npos;
    }

    /// File system labels by device number, from the label links udev keeps.
    std::map<std::string, std::string> labels() const {
        std::map<std::string, std::string> result;
        std::error_code error;
        fs::directory_iterator it(fs::path(m_sources.devRoot) / "disk" / "by-label", error);
        for (; !error && it != fs::directory_iterator(); it.increment(error)) {
            std::error_code linkError;
            const fs::path target = fs::read_symlink(it->path(), linkError);
            if (linkError) {
                continue;
            }
            const std::string number = deviceNumberOf(target.filename().string());
            if (!number.empty()) {
                result.emplace(number, unescapeDeviceLinkName(it->path().filename().string()));
            }
        }
        return result;
    }

private:
    const MountedDriveProvider::Sources& m_sources;
};

std::string withTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

std::string lastName(const std::string& mountPoint) {
    const std::size_t slash = mountPoint.find_last_of('/');
    const std::string name = slash == std::string::npos ? mountPoint : mountPoint.substr(slash + 1);
    return name.empty() ? mountPoint : name;
}

bool canReadVolume(const std::string& root) {
    struct statvfs info {};
    std::error_code error;
    return ::statvfs(root.c_str(), &info) == 0 && fs::is_directory(root, error);
}

} // namespace

std::string unescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const auto octal = [](char c) { return c >= '0' && c <= '7'; };
            if (octal(field[i + 1]) && octal(field[i + 2]) && octal(field[i + 3])) {
                const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
                if (value <= 0xFF) {
                    out += static_cast<char>(value);
                    i += 3;
                    continue;
                }
            }
        }
        out += field[i];
    }
    return out;
}

std::string unescapeDeviceLinkName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && (name[i + 1] == 'x' || name[i + 1] == 'X')) {
            const int high = hexValue(name[i + 2]);
            const int low = hexValue(name[i + 3]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 3;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

std::vector<MountEntry> parseMountInfo(std::string_view text) {
    std::vector<MountEntry> entries;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = std::min(text.find('\n', pos), text.size());
        const std::vector<std::string_view> fields = splitFields(text.substr(pos, end - pos));
        pos = end + 1;
        // id, parent, major:minor, root, mount point, options, optional fields..., "-", type, source
        const auto separator = std::find(fields.begin(), fields.end(), std::string_view("-"));
        if (fields.size() < 6 || separator - fields.begin() < 6 || fields.end() - separator < 3) {
            continue;
        }
        MountEntry entry;
        entry.device = std::string(fields[2]);
        entry.root = unescapeMountField(fields[3]);
        entry.mountPoint = unescapeMountField(fields[4]);
        entry.options = std::string(fields[5]);
        entry.fsType = unescapeMountField(*(separator + 1));
        entry.source = unescapeMountField(*(separator + 2));
        if (entry.mountPoint.empty() || entry.mountPoint.front() != '/') {
            continue;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<RemovableVolume> MountedDriveProvider::volumes() {
    const SystemTables tables(m_sources);
    const std::vector<MountEntry> mounts = parseMountInfo(readSmallFile(m_sources.mountInfo, MaxTableBytes));
    const std::map<std::string, std::string> labels = tables.labels();

    std::vector<RemovableVolume> result;
    for (const MountEntry& mount : mounts) {
        const std::string root =
            mount.mountPoint == "/" ? mount.mountPoint : withTrailingSlash(mount.mountPoint);
        // A later mount on the same point hides the earlier one.
        std::erase_if(result, [&](const RemovableVolume& v) { return v.root == root; });
        if (mount.root != "/" || hasOption(mount.options, "ro")) {
            continue;
        }
        const std::string device = tables.deviceOf(mount);
        if (!tables.isRemovableOrUsb(device)) {
            continue;
        }
        const auto label = labels.find(device);
        result.push_back({root, label != labels.end() && !label->second.empty()
                                    ? label->second
                                    : lastName(mount.mountPoint)});
    }
    return result;
}

bool MountedDriveProvider::isReady(std::string_view root) {
    const std::vector<RemovableVolume> current = volumes();
    const bool listed =
        std::any_of(current.begin(), current.end(), [&](const RemovableVolume& v) { return v.root == root; });
    return listed && canReadVolume(std::string(root));
}

FolderDriveProvider::FolderDriveProvider(std::vector<RemovableVolume> volumes) {
    for (RemovableVolume& volume : volumes) {
        addVolume(std::move(volume));
    }
}

void FolderDriveProvider::addVolume(RemovableVolume volume) {
    volume.root = withTrailingSlash(std::move(volume.root));
    m_entries.push_back({std::move(volume), true});
}

void FolderDriveProvider::setReady(std::string_view root, bool ready) {
    for (Entry& entry : m_entries) {
        if (entry.volume.root == root || entry.volume.root == withTrailingSlash(std::string(root))) {
            entry.ready = ready;
        }
    }
}

std::vector<RemovableVolume> FolderDriveProvider::volumes() {
    std::vector<RemovableVolume> result;
    for (const Entry& entry : m_entries) {
        result.push_back(entry.volume);
    }
    return result;
}

bool FolderDriveProvider::isReady(std::string_view root) {
    for (const Entry& entry : m_entries) {
        if (entry.volume.root == root) {
            std::error_code error;
            return entry.ready && fs::is_directory(entry.volume.root, error);
        }
    }
    return false;
}

} // namespace qx::output
