#include "RecoveryCopies.h"

#include "FileAccess.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qx::app {

namespace {

constexpr std::string_view InfoHeader = "QX recovery 1";
constexpr qsizetype MaxPathChars = 4096;
constexpr qsizetype MaxTitleChars = 255;
/// Larger than any printer image: a bigger copy is not one the editor wrote.
constexpr std::size_t MaxCopyBytes = 64 * 1024;

const QString CopySuffix = QStringLiteral(".QXF");
const QString InfoSuffix = QStringLiteral(".info");
const QString LockSuffix = QStringLiteral(".lock");

bool isControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

bool hasControl(const QString& text) { return std::any_of(text.begin(), text.end(), isControl); }

QString tokenText(std::uint32_t token) { return QStringLiteral("%1").arg(token, 8, 16, QLatin1Char('0')); }

QString runPrefix(std::int64_t pid, std::uint32_t token) {
    return QString::number(pid) + QLatin1Char('-') + tokenText(token);
}

/// A decimal number of at most `maxDigits` digits, no sign, no leading zero.
template <typename T> std::optional<T> parseDecimal(QStringView text, int maxDigits) {
    if (text.isEmpty() || text.size() > maxDigits || (text.size() > 1 && text.front() == QLatin1Char('0'))) {
        return std::nullopt;
    }
    T value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return std::nullopt;
        }
        value = static_cast<T>(value * 10 + (c.unicode() - '0'));
    }
    return value;
}

std::optional<std::uint32_t> parseToken(QStringView text) {
    if (text.size() != 8) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit = 0;
        if (u >= '0' && u <= '9') {
            digit = u - '0';
        } else if (u >= 'a' && u <= 'f') {
            digit = u - 'a' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

} // namespace

// ---- Sidecar ---------------------------------------------------------------------------------------

std::string formatRecoveryInfo(const RecoveryInfo& info) {
    // A line break inside a value would end its line early: a path with one is not a path the
    // document can be saved back to anyway, and a title keeps its other characters.
    const QString path = hasControl(info.originalPath) ? QString() : info.originalPath;
    QString title = info.title.left(MaxTitleChars);
    std::replace_if(title.begin(), title.end(), isControl, QLatin1Char('?'));
    if (title.isEmpty()) {
        title = QStringLiteral("?");
    }
    std::string text(InfoHeader);
    text += "\nmodel=" + std::to_string(info.model);
    text += "\npath=" + path.left(MaxPathChars).toStdString();
    text += "\ntitle=" + title.toStdString();
    text += '\n';
    return text;
}

std::optional<RecoveryInfo> parseRecoveryInfo(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > MaxRecoveryInfoBytes || bytes.back() != '\n') {
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError()) {
        return std::nullopt;
    }
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));
    if (lines.size() != 4 || lines[0] != QLatin1String(InfoHeader.data(), InfoHeader.size())) {
        return std::nullopt;
    }
    RecoveryInfo info;
    std::set<QString> seen;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            return std::nullopt;
        }
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (!seen.insert(key).second || hasControl(value)) {
            return std::nullopt;
        }
        if (key == QLatin1String("model")) {
            const std::optional<int> model = parseDecimal<int>(value, 2);
            if (!model || !model::isKnownModel(*model)) {
                return std::nullopt;
            }
            info.model = *model;
        } else if (key == QLatin1String("path")) {
            if (value.size() > MaxPathChars) {
                return std::nullopt;
            }
            info.originalPath = value;
        } else if (key == QLatin1String("title")) {
            if (value.isEmpty() || value.size() > MaxTitleChars) {
                return std::nullopt;
            }
            info.title = value;
        } else {
            return std::nullopt;
        }
    }
    if (seen.size() != 3) {
        return std::nullopt;
    }
    return info;
}

QString recoveredDocumentName(const RecoveryInfo& info) {
    const QString fileName = QFileInfo(info.originalPath).fileName();
    return fileName.isEmpty() ? info.title : fileName;
}

// ---- File names ------------------------------------------------------------------------------------

QString recoveryCopyFileName(const RecoveryCopyName& name) {
    return runPrefix(name.pid, name.token) + QLatin1Char('-') + QString::number(name.serial) + CopySuffix;
}

QString recoveryInfoFileName(const RecoveryCopyName& name) {
    return runPrefix(name.pid, name.token) + QLatin1Char('-') + QString::number(name.serial) + InfoSuffix;
}

QString recoveryLockFileName(std::int64_t pid, std::uint32_t token) { return runPrefix(pid, token) + LockSuffix; }

std::optional<RecoveryFileName> parseRecoveryFileName(QStringView fileName) {
    RecoveryFileName result;
    QStringView stem;
    if (fileName.endsWith(CopySuffix)) {
        result.kind = RecoveryFileName::Kind::Copy;
        stem = fileName.chopped(CopySuffix.size());
    } else if (fileName.endsWith(InfoSuffix)) {
        result.kind = RecoveryFileName::Kind::Info;
        stem = fileName.chopped(InfoSuffix.size());
    } else if (fileName.endsWith(LockSuffix)) {
        result.kind = RecoveryFileName::Kind::Lock;
        stem = fileName.chopped(LockSuffix.size());
    } else {
        return std::nullopt;
    }
    const QList<QStringView> parts = stem.split(QLatin1Char('-'));
    const bool isLock = result.kind == RecoveryFileName::Kind::Lock;
    if (parts.size() != (isLock ? 2 : 3)) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> pid = parseDecimal<std::int64_t>(parts[0], 10);
    const std::optional<std::uint32_t> token = parseToken(parts[1]);
    if (!pid || *pid == 0 || !token) {
        return std::nullopt;
    }
    result.name.pid = *pid;
    result.name.token = *token;
    if (!isLock) {
        const std::optional<int> serial = parseDecimal<int>(parts[2], 9);
        if (!serial || *serial == 0) {
            return std::nullopt;
        }
        result.name.serial = *serial;
    }
    return result;
}

// ---- The folder ------------------------------------------------------------------------------------

RecoveryCopies::RecoveryCopies(const QString& folder)
    : m_folder(QDir::cleanPath(folder)), m_pid(::getpid()), m_token(QRandomGenerator::system()->generate()) {
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder)) {
        return;
    }
    // Copies hold the operator's unsaved work: nobody else has to read them.
    QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    makeLockFile();
}

bool RecoveryCopies::makeLockFile() {
    // The lock is taken under a hidden name and only then given its real name, so no other run
    // ever finds this run's lock file without its lock. A start that finds a hidden lock file
    // unlocked removes it (its run died before naming it); should that catch this run between
    // creating and locking it, the rename fails and the run tries again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const QString lockName = recoveryLockFileName(m_pid, m_token);
        const QByteArray pending = QFile::encodeName(pathOf(QLatin1Char('.') + lockName));
        const QByteArray named = QFile::encodeName(pathOf(lockName));
        const int fd = ::open(pending.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::rename(pending.constData(), named.constData()) == 0) {
            if (m_lockFd >= 0) {
                ::close(m_lockFd);
            }
            m_lockFd = fd;
            return true;
        }
        ::unlink(pending.constData());
        ::close(fd);
    }
    return false;
}

RecoveryCopies::~RecoveryCopies() {
    releaseClaims();
    if (m_lockFd < 0) {
        return;
    }
    // A run that still has copies keeps its lock file: the next start finds them through it.
    const QString prefix = runPrefix(m_pid, m_token) + QLatin1Char('-');
    const QStringList left = QDir(m_folder).entryList({prefix + QLatin1Char('*')}, QDir::Files);
    if (left.isEmpty()) {
        QFile::remove(pathOf(recoveryLockFileName(m_pid, m_token)));
    }
    ::close(m_lockFd);
}

QString RecoveryCopies::pathOf(const QString& fileName) const { return m_folder + QLatin1Char('/') + fileName; }

formats::FileWriteResult RecoveryCopies::write(int serial, const RecoveryInfo& info,
                                               std::span<const std::uint8_t> image) {
    if (!isActive()) {
        return formats::FileWriteResult{false, ENOENT, "no recovery folder", false};
    }
    // Without its lock file this run would look ended to every other start, which would then
    // take its copies: a folder cleared by hand is made again, lock first.
    if (!QFileInfo::exists(pathOf(recoveryLockFileName(m_pid, m_token)))) {
        QDir().mkpath(m_folder);
        makeLockFile();
    }
    const RecoveryCopyName name = nameOf(serial);
    const formats::FileWriteResult sidecar = formats::saveFileAtomically(
        QFile::encodeName(pathOf(recoveryInfoFileName(name))).toStdString(), formatRecoveryInfo(info));
    if (!sidecar.ok) {
        return sidecar;
    }
    return formats::saveFileAtomically(QFile::encodeName(pathOf(recoveryCopyFileName(name))).toStdString(), image);
}

void RecoveryCopies::remove(int serial) {
    if (!isActive()) {
        return;
    }
    const RecoveryCopyName name = nameOf(serial);
    QFile::remove(pathOf(recoveryCopyFileName(name)));
    QFile::remove(pathOf(recoveryInfoFileName(name)));
}

bool RecoveryCopies::claim(std::int64_t pid, std::uint32_t token) {
    for (const Claim& held : m_claims) {
        if (held.pid == pid && held.token == token) {
            return true;
        }
    }
    const QByteArray lockPath = QFile::encodeName(pathOf(recoveryLockFileName(pid, token)));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        // No lock file: the run is gone (its lock file goes only once it has no copies, or with
        // the folder's owner removing it by hand).
        if (errno != ENOENT) {
            return false;
        }
        m_claims.push_back(Claim{pid, token, -1});
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd); // that run is still running, or another start has just claimed it
        return false;
    }
    m_claims.push_back(Claim{pid, token, fd});
    return true;
}

void RecoveryCopies::removeDeadLocks() {
    // A lock file whose lock nobody holds belongs to a run that died; it goes when that run left
    // nothing to recover: a hidden one (the run died before naming it), or a named one of a run
    // killed before its first copy. Runs with copies keep theirs until their copies are taken.
    QDir folder(m_folder);
    const QStringList locks =
        folder.entryList({QStringLiteral("*") + LockSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& fileName : locks) {
        const bool hidden = fileName.startsWith(QLatin1Char('.'));
        const std::optional<RecoveryFileName> parsed =
            parseRecoveryFileName(QStringView(fileName).mid(hidden ? 1 : 0));
        if (!parsed || parsed->kind != RecoveryFileName::Kind::Lock) {
            continue;
        }
        if (parsed->name.pid == m_pid && parsed->name.token == m_token) {
            continue;
        }
        if (!hidden &&
            !folder
                 .entryList({runPrefix(parsed->name.pid, parsed->name.token) + QStringLiteral("-*")},
                            QDir::Files)
                 .isEmpty()) {
            continue;
        }
        const QByteArray path = QFile::encodeName(pathOf(fileName));
        const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Killed while naming the temporary file of its first save, the run has no copy that
            // a claim would clear its temporaries with: they go with its lock.
            removeStrayTemporaries(parsed->name.pid, parsed->name.token);
            ::unlink(path.constData());
        }
        ::close(fd);
    }
}

void RecoveryCopies::removeStrayTemporaries(std::int64_t pid, std::uint32_t token) {
    // Named temporary files of a save cut short (left only in the moment between naming one and
    // renaming it over its target).
    QDir folder(m_folder);
    const QString pattern = QLatin1Char('.') + runPrefix(pid, token) + QStringLiteral("-*");
    for (const QString& stray : folder.entryList({pattern}, QDir::Files | QDir::Hidden)) {
        folder.remove(stray);
    }
}

LeftRecoveryCopies RecoveryCopies::findLeftCopies(model::ModelType model) {
    LeftRecoveryCopies found;
    if (!isActive()) {
        return found;
    }
    using Key = std::tuple<std::int64_t, std::uint32_t, int>;
    std::map<Key, bool> copies; // (run, serial) → has its image
    removeDeadLocks();
    const QStringList names = QDir(m_folder).entryList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QString& fileName : names) {
        const std::optional<RecoveryFileName> parsed = parseRecoveryFileName(fileName);
        if (!parsed || parsed->kind == RecoveryFileName::Kind::Lock) {
            continue;
        }
        if (parsed->name.pid == m_pid && parsed->name.token == m_token) {
            continue;
        }
        bool& hasImage = copies[Key{parsed->name.pid, parsed->name.token, parsed->name.serial}];
        hasImage = hasImage || parsed->kind == RecoveryFileName::Kind::Copy;
    }
    for (const auto& [key, hasImage] : copies) {
        const auto& [pid, token, serial] = key;
        if (!claim(pid, token)) {
            continue;
        }
        LeftRecoveryCopy copy;
        copy.name = RecoveryCopyName{pid, token, serial};
        copy.copyPath = pathOf(recoveryCopyFileName(copy.name));
        if (!hasImage) {
            // Killed between the sidecar and the first image: there is nothing to recover.
            QFile::remove(pathOf(recoveryInfoFileName(copy.name)));
            continue;
        }
        const FileBytes sidecar =
            readFileBytes(QFile::encodeName(pathOf(recoveryInfoFileName(copy.name))).toStdString(),
                          MaxRecoveryInfoBytes);
        if (sidecar.ok) {
            copy.info = parseRecoveryInfo(sidecar.bytes);
        }
        if (!copy.info) {
            found.unreadable.push_back(std::move(copy));
        } else if (copy.info->model != model) {
            ++found.otherModels;
        } else {
            found.offered.push_back(std::move(copy));
        }
    }
    return found;
}

std::optional<model::EditData> RecoveryCopies::load(const LeftRecoveryCopy& copy, const model::Catalogue& catalogue,
                                                    const model::OperatorSettings& settings) const {
    const FileBytes file = readFileBytes(QFile::encodeName(copy.copyPath).toStdString(), MaxCopyBytes);
    // An empty file would open as a blank document; no copy the editor writes is empty.
    if (!file.ok || file.bytes.empty()) {
        return std::nullopt;
    }
    model::EditData data = model::createEditData(catalogue, settings.frameGap);
    if (!formats::loadDocumentFile(file.bytes, catalogue, settings, data).ok) {
        return std::nullopt;
    }
    return data;
}

void RecoveryCopies::discard(const LeftRecoveryCopy& copy) {
    QFile::remove(copy.copyPath);
    QFile::remove(pathOf(recoveryInfoFileName(copy.name)));
}

void RecoveryCopies::releaseClaims() {
    for (const Claim& held : m_claims) {
        const QString prefix = runPrefix(held.pid, held.token);
        QDir folder(m_folder);
        const QStringList left = folder.entryList({prefix + QStringLiteral("-*")}, QDir::Files);
        if (left.isEmpty()) {
            removeStrayTemporaries(held.pid, held.token);
            folder.remove(recoveryLockFileName(held.pid, held.token));
        }
        if (held.fd >= 0) {
            ::close(held.fd);
        }
    }
    m_claims.clear();
}

} // namespace qx::app
