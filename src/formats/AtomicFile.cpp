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

/// Creates a new, unique temporary file next to the target. O_EXCL with the usual creation mode
/// lets the umask decide the permissions of a new document, as for any other file the user makes.
int createTemporary(const std::string& target, std::string& temporaryPath) {
    const std::string folder = folderOf(target);
    const std::string prefix = (folder == "/" ? std::string() : folder) + "/." + nameOf(target) + ".";
    std::random_device entropy;
    for (int attempt = 0; attempt < 64; ++attempt) {
        temporaryPath =
            prefix + std::to_string(::getpid()) + "-" + std::to_string(entropy() % 1000000u) + ".tmp";
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
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

} // namespace

FileWriteResult saveFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    if (path.empty()) {
        return failure(ENOENT);
    }
    const std::string target = resolveTarget(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        return failure(EISDIR);
    }

    std::string temporaryPath;
    const int fd = createTemporary(target, temporaryPath);
    if (fd < 0) {
        return failure(errno);
    }
    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporaryPath.c_str());
        return failure(error);
    };
    if (replacing && ::fchmod(fd, existing.st_mode & 07777) != 0) {
        return abandon(errno);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.c_str());
        return failure(error);
    }
    // Make the new name itself durable; the data is already safe, so a failure here is not one.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return FileWriteResult{true, 0, {}};
}

FileWriteResult saveFileAtomically(const std::string& path, std::string_view bytes) {
    return saveFileAtomically(path, std::span<const std::uint8_t>(
                                        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

} // namespace qx::formats
