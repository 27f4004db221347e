#include "FileAccess.h"

#include "model/StringTable.h"
#include "output/Prompter.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::app {

namespace {

namespace FileMessage {
constexpr int BadName = 61696;
constexpr int OpenFailed = 61697;
constexpr int SaveFailed = 61698;
constexpr int NotFound = 61729;
constexpr int DiskFull = 61730;
constexpr int InUseReading = 61731;
constexpr int InUseWriting = 61732;
constexpr int ReadError = 61733;
constexpr int WriteError = 61734;
} // namespace FileMessage

/// Closes the descriptor however the read ends.
class Descriptor final {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

FileBytes failure(int errorNumber) {
    FileBytes result;
    result.errorNumber = errorNumber;
    return result;
}

} // namespace

FileBytes readFileBytes(const std::string& path, std::size_t limit) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        return failure(errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return failure(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return failure(EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        // A pipe or device could block or never end.
        return failure(EINVAL);
    }
    FileBytes result;
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > limit) {
        result.tooLarge = true;
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (true) {
        if (done == result.bytes.size()) {
            // The file may have grown since it was measured; read on up to the limit.
            if (result.bytes.size() >= limit) {
                std::uint8_t probe = 0;
                const ssize_t extra = ::read(fd.get(), &probe, 1);
                if (extra > 0) {
                    result.bytes.clear();
                    result.tooLarge = true;
                    return result;
                }
                break;
            }
            result.bytes.resize(std::min(limit, result.bytes.size() + 4096));
        }
        const ssize_t n = ::read(fd.get(), result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failure(errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    result.bytes.resize(done);
    result.ok = true;
    return result;
}

int fileErrorMessageId(FileOperation operation, int errorNumber) {
    const bool writing = operation == FileOperation::Write;
    switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
        return FileMessage::NotFound;
    case ENOSPC:
    case EDQUOT:
        return FileMessage::DiskFull;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EROFS:
    case ETXTBSY:
        return writing ? FileMessage::InUseWriting : FileMessage::InUseReading;
    case EIO:
        return writing ? FileMessage::WriteError : FileMessage::ReadError;
    case ENAMETOOLONG:
    case EINVAL:
        return writing ? FileMessage::BadName : FileMessage::OpenFailed;
    default:
        return writing ? FileMessage::SaveFailed : FileMessage::OpenFailed;
    }
}

std::string fileErrorText(FileOperation operation, int errorNumber, const QString& path) {
    const std::string name = QDir::toNativeSeparators(path).toStdString();
    return model::formatMessage(fileErrorMessageId(operation, errorNumber), {name});
}

void reportFileError(output::Prompter& prompter, FileOperation operation, int errorNumber, const QString& path) {
    prompter.showText(fileErrorMessageId(operation, errorNumber), fileErrorText(operation, errorNumber, path),
                      output::Icon::Warning);
}

} // namespace qx::app
