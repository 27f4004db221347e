#include "AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace qx::formats {

namespace {

FileWriteResult failure(int error) {
    return FileWriteResult{false, error, std::system_category().message(error)};
}

/// The file a save really replaces: a symbolic link is resolved so that the link survives.
std::string resolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) {
        return path; // a dangling link is replaced like a file
    }
    return std::string(resolved);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

/// A fresh hidden name next to the target for the temporary file.
std::string temporaryName(const std::string& target, std::random_device& entropy) {
    const std::string folder = folderOf(target);
    const std::string prefix = (folder == "/" ? std::string() : folder) + "/." + nameOf(target) + ".";
    return prefix + std::to_string(::getpid()) + "-" + std::to_string(entropy() % 1000000u) + ".tmp";
}

constexpr int NameAttempts = 64;

/// Creates a new, unique temporary file next to the target. O_EXCL with the usual creation mode
/// lets the umask decide the permissions of a new document, as for any other file the user makes.
int createTemporary(const std::string& target, std::string& temporaryPath) {
    std::random_device entropy;
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        temporaryPath = temporaryName(target, entropy);
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

/// Gives the unnamed file `fd` a fresh name next to the target; -1 with errno on failure.
int linkTemporary(int fd, const std::string& target, std::string& temporaryPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    std::random_device entropy;
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        temporaryPath = temporaryName(target, entropy);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporaryPath.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return 0;
        }
        if (errno == ENOENT) {
            // No /proc: the descriptor itself can be linked where the process may do so.
            if (::linkat(fd, "", AT_FDCWD, temporaryPath.c_str(), AT_EMPTY_PATH) == 0) {
                return 0;
            }
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

/// Renames the complete temporary file over the target and makes the new name durable.
FileWriteResult moveIntoPlace(const std::string& temporaryPath, const std::string& target) {
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    // The data is already safe, so a failure to flush the folder is not one of the save.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return FileWriteResult{true, 0, {}, false};
}

/// Fills the open temporary file: the permissions of the file it replaces, the bytes, the flush.
bool fill(int fd, std::span<const std::uint8_t> bytes, const struct stat* replaced) {
    if (replaced != nullptr && ::fchmod(fd, replaced->st_mode & 07777) != 0) {
        return false;
    }
    return writeAll(fd, bytes) && ::fsync(fd) == 0;
}

/// The save through an unnamed file. Nothing has a name until the bytes are on the disk; then a
/// fresh name is linked and renamed over the target at once, so a crash leaves a stray file only
/// in the moment between those two calls. `unsupported` tells the caller to use a named file.
FileWriteResult saveThroughUnnamedFile(const std::string& target, std::span<const std::uint8_t> bytes,
                                       const struct stat* replaced, bool& unsupported) {
    unsupported = false;
    const int fd = ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        // EOPNOTSUPP: the file system has no unnamed files; EISDIR, EINVAL: the kernel has none.
        unsupported = error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
        return failure(error);
    }
    if (!fill(fd, bytes, replaced)) {
        const int error = errno;
        ::close(fd);
        return failure(error);
    }
    std::string temporaryPath;
    if (linkTemporary(fd, target, temporaryPath) != 0) {
        // A system that refuses the link (no /proc, no right to link a descriptor) gets the named
        // file; a real failure such as a full disk shows there again.
        const int error = errno;
        ::close(fd);
        unsupported = true;
        return failure(error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    FileWriteResult result = moveIntoPlace(temporaryPath, target);
    result.unnamedTemporary = result.ok;
    return result;
}

FileWriteResult saveThroughNamedFile(const std::string& target, std::span<const std::uint8_t> bytes,
                                     const struct stat* replaced) {
    std::string temporaryPath;
    const int fd = createTemporary(target, temporaryPath);
    if (fd < 0) {
        return failure(errno);
    }
    if (!fill(fd, bytes, replaced)) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    return moveIntoPlace(temporaryPath, target);
}

} // namespace

FileWriteResult saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                                   TemporaryFile temporary) {
    if (path.empty()) {
        return failure(ENOENT);
    }
    const std::string target = resolveTarget(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        return failure(EISDIR);
    }
    const struct stat* replaced = replacing ? &existing : nullptr;
    if (temporary == TemporaryFile::UnnamedWherePossible) {
        bool unsupported = false;
        FileWriteResult result = saveThroughUnnamedFile(target, bytes, replaced, unsupported);
        if (!unsupported) {
            return result;
        }
    }
    return saveThroughNamedFile(target, bytes, replaced);
}

FileWriteResult saveFileAtomically(const std::string& path, std::string_view bytes, TemporaryFile temporary) {
    return saveFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        temporary);
}

} // namespace qx::formats
