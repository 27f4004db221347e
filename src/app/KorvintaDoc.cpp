#include "KorvintaDoc.h"

#include "DocumentSaving.h"
#include "FileAccess.h"
#include "formats/AtomicFile.h"
#include "formats/DocumentFile.h"
#include "formats/ImageCodec.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/Prompter.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace qx::app {

namespace {

/// The wait cursor for as long as a file is being made.
class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { release(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void release() {
        if (m_active) {
            QApplication::restoreOverrideCursor();
            m_active = false;
        }
    }

private:
    bool m_active = true;
};

} // namespace

CKorvintaDoc::CKorvintaDoc(const ui::EditorContext& context, QObject* parent)
    : ui::EditDocument(context, model::createEditData(context.catalogue, context.settings.frameGap), parent) {}

CKorvintaDoc::~CKorvintaDoc() = default;

void CKorvintaDoc::setPathName(const QString& path) {
    if (formats::extensionKind(path.toStdString()) != formats::ExtensionKind::DocumentFile) {
        return;
    }
    m_pathName = QFileInfo(path).absoluteFilePath();
    setTitle(QFileInfo(path).fileName());
}

QString CKorvintaDoc::displayName() const {
    return m_pathName.isEmpty() ? title() : QDir::toNativeSeparators(m_pathName);
}

bool CKorvintaDoc::open(const QString& path) {
    const ui::EditorContext& ctx = context();
    const FileBytes file = readFileBytes(path.toStdString());
    if (!file.ok && !file.tooLarge) {
        reportFileError(ctx.prompter, FileOperation::Open, file.errorNumber, path);
        return false;
    }
    model::EditData loaded = model::createEditData(ctx.catalogue, ctx.settings.frameGap);
    // A file larger than any printer image cannot be one.
    const formats::DecodeResult result =
        file.tooLarge ? formats::DecodeResult{false, formats::CodecMessage::CannotOpen, 0, {}}
                      : formats::loadDocumentFile(file.bytes, ctx.catalogue, ctx.settings, loaded);
    if (!result.ok) {
        ctx.prompter.show(result.messageId != 0 ? result.messageId : formats::CodecMessage::CannotOpen);
        return false;
    }
    data() = std::move(loaded);
    recomputeAllChecks();
    setModified(false);
    setPathName(path);
    for (const int id : result.messageIds) {
        ctx.prompter.show(id);
    }
    return true;
}

bool CKorvintaDoc::write(const QString& path, const std::vector<std::uint8_t>& bytes) {
    const formats::FileWriteResult written = formats::saveFileAtomically(path.toStdString(), bytes);
    if (!written.ok) {
        reportFileError(context().prompter, FileOperation::Write, written.errorNumber, path);
        return false;
    }
    return true;
}

bool CKorvintaDoc::save(const QString& path) {
    const ui::EditorContext& ctx = context();
    WaitCursor wait;
    const SaveBytes bytes = saveBytesFor(path, data(), ctx.catalogue, ctx.settings);
    wait.release();
    if (bytes.status == SaveBytes::Status::NotSavable) {
        return false;
    }
    if (bytes.status == SaveBytes::Status::EncodeFailed) {
        ctx.prompter.show(bytes.messageId);
        emit encodingFailedAt(bytes.failedBlock, bytes.failedLine);
        return false;
    }
    if (!write(path, bytes.bytes)) {
        return false;
    }
    if (bytes.kind == formats::ExtensionKind::DocumentFile) {
        setModified(false);
    }
    return true;
}

bool CKorvintaDoc::saveWithPrompt(const std::optional<QString>& path, bool replace,
                                  const SaveLocationChooser& choose) {
    QString target;
    if (path) {
        target = *path;
    } else {
        const SaveProposal proposal = proposeSaveName(m_pathName, title(), replace);
        const std::optional<QString> chosen = choose ? choose(proposal.name, proposal.folder) : std::nullopt;
        if (!chosen || chosen->isEmpty()) {
            return false;
        }
        target = *chosen;
    }
    // The trial encoding and the file's bytes are one step: nothing is written unless the whole
    // document fits the model. Nothing is deleted on failure either: the file is written under a
    // temporary name and only renamed over the chosen one once it is complete.
    if (!save(target)) {
        return false;
    }
    if (replace) {
        setPathName(target);
    }
    return true;
}

} // namespace qx::app
