#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

namespace qx::app {

class CKorvintaDoc;
class RecoveryCopies;

/// Keeps one document's recovery copy up to date while it has unsaved changes: a copy at most
/// once an interval after a change, and at once after every 50 changes. A save or a close that
/// leaves nothing unsaved removes it. Owned by the document (a child object), so it goes with it.
class RecoveryWriter final : public QObject {
    Q_OBJECT

public:
    static constexpr int DefaultIntervalMs = 60'000;
    static constexpr int ChangesPerCopy = 50;

    RecoveryWriter(CKorvintaDoc& document, RecoveryCopies& copies, int intervalMs = DefaultIntervalMs);
    /// A document that goes away cleanly (saved, discarded or never changed) leaves no copy.
    ~RecoveryWriter() override;

    /// A recovered document is still the original's: its copies keep the original's name and
    /// path until it is saved under a name of its own.
    void setRecoveredFrom(const QString& originalPath, const QString& originalTitle);

    /// Writes the copy now (a document that does not encode for the model keeps its last copy).
    bool writeNow();

    int serial() const { return m_serial; }
    QString copyPath() const;
    int copiesWritten() const { return m_written; }

signals:
    /// After each attempt to write the copy of a document that fits the model: whether the copy
    /// is now on disk. A copy that cannot be written leaves the operator without the safety net.
    void copyAttempted(bool written);

private:
    void documentChanged();
    void modifiedChanged(bool modified);

    CKorvintaDoc& m_document;
    RecoveryCopies& m_copies;
    int m_serial;
    QString m_originalPath;
    QString m_originalTitle;
    QTimer m_timer;
    int m_changesSinceCopy = 0;
    int m_written = 0;
};

/// The interval between copies: 60 s, or QX_RECOVERY_INTERVAL_MS milliseconds (1 to 3,600,000)
/// when that is set, which the tests use to see a copy within a second.
int recoveryIntervalMs();

} // namespace qx::app
