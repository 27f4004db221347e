#pragma once

#include "ui/EditorContext.h"

#include <QString>

#include <functional>
#include <optional>

class QSettings;
class QWidget;

namespace qx::ui {

/// Where the operator chose to save a document.
struct SaveTarget {
    QString path;            ///< the full path to write
    bool removable = false;  ///< chosen on removable memory
    QString removableFolder; ///< the removable-memory folder, the next `DefaultCfDrive`
};

/// The folder the open and save-as dialogs start in: `stored` (the "DirectoryPath") when it names an
/// existing folder, else the documents folder when it exists, else the home folder - never a folder
/// that is not there, and never the program's working folder.
QString initialFolderFrom(const QString& stored, const QString& documentsFolder, const QString& homeFolder,
                          const std::function<bool(const QString&)>& isFolder);
/// initialFolderFrom with the stored "DirectoryPath" and the desktop's folders.
QString directoryPath(QSettings& store);

/// Asks where a document goes: first the computer or removable memory (CLocationDlg), then the
/// save-as dialog (CFileSaveDlg, opening in `initialFolder`, else in directoryPath) or the removable-drive dialog (CDriveDlg, starting at the operator's
/// `DefaultCfDrive`). `proposedName` is the document's name without folder. Nothing when the
/// operator cancels any of them. The caller stores `removableFolder` as `DefaultCfDrive` and the
/// folder of a hard-disk path as "DirectoryPath".
std::optional<SaveTarget> chooseSaveTarget(QWidget* parent, const EditorContext& context,
                                           const QString& proposedName, const QString& initialFolder);

} // namespace qx::ui
