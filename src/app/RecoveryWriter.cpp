#include "RecoveryWriter.h"

#include "KorvintaDoc.h"
#include "RecoveryCopies.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"

#include <QDir>

namespace qx::app {

RecoveryWriter::RecoveryWriter(CKorvintaDoc& document, RecoveryCopies& copies, int intervalMs)
    : QObject(&document), m_document(document), m_copies(copies), m_serial(copies.newSerial()) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_document.isModified() && m_changesSinceCopy > 0) {
            writeNow();
        }
    });
    connect(&document, &ui::EditDocument::changed, this, &RecoveryWriter::documentChanged);
    connect(&document, &ui::EditDocument::modifiedChanged, this, &RecoveryWriter::modifiedChanged);
}

RecoveryWriter::~RecoveryWriter() { m_copies.remove(m_serial); }

QString RecoveryWriter::copyPath() const {
    return m_copies.folder() + QLatin1Char('/') + recoveryCopyFileName(m_copies.nameOf(m_serial));
}

void RecoveryWriter::documentChanged() {
    if (!m_document.isModified()) {
        return;
    }
    if (++m_changesSinceCopy >= ChangesPerCopy) {
        writeNow();
        return;
    }
    // The interval runs from the first change after a copy: an operator who stops typing gets a
    // copy of the last change, and one who keeps typing gets one per interval, never more.
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void RecoveryWriter::modifiedChanged(bool modified) {
    if (modified) {
        return;
    }
    m_timer.stop();
    m_changesSinceCopy = 0;
    m_copies.remove(m_serial);
}

void RecoveryWriter::setRecoveredFrom(const QString& originalPath, const QString& originalTitle) {
    m_originalPath = originalPath;
    m_originalTitle = originalTitle;
}

bool RecoveryWriter::writeNow() {
    m_timer.stop();
    m_changesSinceCopy = 0;
    const ui::EditorContext& context = m_document.context();
    const formats::SaveDocumentResult encoded =
        formats::saveDocumentFile(m_document.data(), context.catalogue, context.settings);
    if (!encoded.ok) {
        // The save will tell the operator what does not fit; until then the last copy stands.
        return false;
    }
    RecoveryInfo info{context.catalogue.model(), m_document.pathName(), m_document.title()};
    if (info.originalPath.isEmpty() && !m_originalTitle.isEmpty()) {
        info.originalPath = m_originalPath;
        info.title = m_originalTitle;
    }
    const bool written = m_copies.write(m_serial, info, encoded.bytes).ok;
    if (written) {
        ++m_written;
    }
    emit copyAttempted(written);
    return written;
}

int recoveryIntervalMs() {
    // Only for tests: a whole-program test cannot wait a minute for the first copy.
    bool ok = false;
    const int value = qEnvironmentVariableIntValue("QX_RECOVERY_INTERVAL_MS", &ok);
    return ok && value >= 1 && value <= 3'600'000 ? value : RecoveryWriter::DefaultIntervalMs;
}

} // namespace qx::app
