#pragma once

#include "formats/AtomicFile.h"
#include "model/EditData.h"
#include "model/ModelType.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::app {

/// What the editor needs to know about the document a recovery copy was made from. It is written
/// beside the copy (the sidecar) and read back as untrusted text.
struct RecoveryInfo {
    model::ModelType model = model::models::Default;
    QString originalPath; ///< the document's own file; empty for a document that was never saved
    QString title;        ///< the document's title when the copy was written

    friend bool operator==(const RecoveryInfo&, const RecoveryInfo&) = default;
};

/// No sidecar the editor writes comes near this; a bigger file is not one.
inline constexpr std::size_t MaxRecoveryInfoBytes = 8192;

/// The sidecar's text: a first line naming the format, then "model=", "path=" and "title=" lines
/// (UTF-8, line feeds).
std::string formatRecoveryInfo(const RecoveryInfo& info);

/// Reads a sidecar. Anything that is not exactly what formatRecoveryInfo writes (unknown or
/// repeated keys, a model the editor does not know, control characters, no title, too long) gives
/// nothing.
std::optional<RecoveryInfo> parseRecoveryInfo(std::span<const std::uint8_t> bytes);

/// The name a recovered document is known by: the original's file name, or its title when it had
/// no file.
QString recoveredDocumentName(const RecoveryInfo& info);

/// The name parts of a copy: the process that wrote it, that run's random token (a later process
/// with the same id is another run) and the document's serial number in that run.
struct RecoveryCopyName {
    std::int64_t pid = 0;
    std::uint32_t token = 0;
    int serial = 0;

    friend bool operator==(const RecoveryCopyName&, const RecoveryCopyName&) = default;
};

/// "<pid>-<token as 8 hex digits>-<serial>" followed by ".QXF" (the copy) or ".info" (its sidecar).
QString recoveryCopyFileName(const RecoveryCopyName& name);
QString recoveryInfoFileName(const RecoveryCopyName& name);
/// The run's lock file: "<pid>-<token>.lock".
QString recoveryLockFileName(std::int64_t pid, std::uint32_t token);

/// What a file in the recovery folder is; anything else there is not the editor's.
struct RecoveryFileName {
    enum class Kind { Copy, Info, Lock };
    Kind kind = Kind::Copy;
    RecoveryCopyName name; ///< serial 0 for a lock
};
std::optional<RecoveryFileName> parseRecoveryFileName(QStringView fileName);

/// A copy left behind by a run of the editor that is no longer running.
struct LeftRecoveryCopy {
    RecoveryCopyName name;
    QString copyPath;
    std::optional<RecoveryInfo> info; ///< nothing when the sidecar is missing or unreadable
};

/// The copies of left-behind runs, sorted by run and serial.
struct LeftRecoveryCopies {
    std::vector<LeftRecoveryCopy> offered;     ///< copies of the model asked for
    std::vector<LeftRecoveryCopy> unreadable;  ///< copies without a readable sidecar
    int otherModels = 0;                       ///< copies kept for the run of another model
};

/// The recovery folder of one running editor: it writes and removes this run's copies, and finds
/// and claims the copies of runs that ended without closing their documents.
///
/// Every run holds an advisory lock on its own lock file for as long as the process lives; the
/// system drops it when the process dies, however it dies. A run whose lock can be taken is gone,
/// and taking it is the claim: two editors started together never offer the same copies. Names
/// carry the process id and a random token, so a later process that is given the same id never
/// writes over a dead run's copies.
class RecoveryCopies final {
public:
    /// Makes the folder (owner only) and this run's lock. When that fails the object is inactive:
    /// nothing is written and nothing is found.
    explicit RecoveryCopies(const QString& folder);
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    bool isActive() const { return m_lockFd >= 0; }
    QString folder() const { return m_folder; }

    /// A serial for a new document of this run (1, 2, …).
    int newSerial() { return ++m_lastSerial; }

    /// Writes the document's copy: first its sidecar, then the image, each through the atomic save,
    /// so a copy never exists without a sidecar and neither is ever half written.
    formats::FileWriteResult write(int serial, const RecoveryInfo& info, std::span<const std::uint8_t> image);
    /// Removes the copy, then its sidecar.
    void remove(int serial);

    /// Finds the copies of runs that have ended and claims those runs; `model`'s copies are
    /// offered, those of other models kept. The claims last until releaseClaims().
    LeftRecoveryCopies findLeftCopies(model::ModelType model);

    /// Reads a copy through the document decoder; nothing when the file is missing, too large or
    /// refused.
    std::optional<model::EditData> load(const LeftRecoveryCopy& copy, const model::Catalogue& catalogue,
                                        const model::OperatorSettings& settings) const;

    /// Removes a left-behind copy and its sidecar.
    void discard(const LeftRecoveryCopy& copy);

    /// Lets the claimed runs go; a run with nothing left in the folder loses its lock file too.
    void releaseClaims();

    /// This run's name parts (tests).
    RecoveryCopyName nameOf(int serial) const { return {m_pid, m_token, serial}; }

private:
    QString pathOf(const QString& fileName) const;

    struct Claim {
        std::int64_t pid;
        std::uint32_t token;
        int fd; ///< -1 when the run left no lock file
    };
    bool claim(std::int64_t pid, std::uint32_t token);
    /// Creates this run's lock file and takes its lock (again, when the file has gone).
    bool makeLockFile();
    /// Removes the lock files of runs that died leaving nothing to recover.
    void removeDeadLocks();
    /// The hidden temporary files a run's cut-short saves left, once the run is known dead.
    void removeStrayTemporaries(std::int64_t pid, std::uint32_t token);

    QString m_folder;
    std::int64_t m_pid = 0;
    std::uint32_t m_token = 0;
    int m_lockFd = -1;
    int m_lastSerial = 0;
    std::vector<Claim> m_claims;
};

} // namespace qx::app
