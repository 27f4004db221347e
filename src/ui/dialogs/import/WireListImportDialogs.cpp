#include "ui/dialogs/import/WireListImportDialogs.h"

#include "ui/dialogs/import/WireListImportDlg.h"

#include "ui/EditorContext.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace qx::ui {

namespace {

QString pickWireList(QWidget* owner) {
    return QFileDialog::getOpenFileName(
        owner, QStringLiteral("配線リストを開く"), QString(),
        QStringLiteral("配線リスト (*.xlsx *.xlsm *.ods *.csv *.tsv *.txt);;すべてのファイル (*)"));
}

} // namespace

std::filesystem::path wireListProfileFolder(const EditorContext& context) {
    if (!context.wireListProfileFolder.empty()) {
        return context.wireListProfileFolder;
    }
    // Beside the settings store, which lives in the user's settings folder.
    const QString folder = QFileInfo(context.store.fileName()).absolutePath();
    return std::filesystem::path(QFile::encodeName(folder).toStdString()) / "配線リスト";
}

std::optional<formats::FileInsertResult> runWireListImportDialog(QWidget* owner, const EditorContext& context,
                                                                 const model::EditData& current, int position,
                                                                 const QString& path,
                                                                 const std::function<QString(QWidget*)>& chooseFile) {
    const QString file = !path.isEmpty() ? path : chooseFile ? chooseFile(owner) : pickWireList(owner);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    CWireListImportDlg dialog({context, current, position, wireListProfileFolder(context), file, chooseFile}, owner);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.insertResult();
}

} // namespace qx::ui
