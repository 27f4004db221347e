#pragma once

#include "ui/DocumentFolder.h"
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

/// Asks where a document goes: first the computer or removable memory (CLocationDlg), then the
/// save-as dialog (CFileSaveDlg, opening in `initialFolder`, else in directoryPath) or the removable-drive dialog (CDriveDlg, starting at the operator's
/// `DefaultCfDrive`). `proposedName` is the document's name without folder. Nothing when the
/// operator cancels any of them. The caller stores `removableFolder` as `DefaultCfDrive` and the
/// folder of a hard-disk path as "DirectoryPath".
std::optional<SaveTarget> chooseSaveTarget(QWidget* parent, const EditorContext& context,
                                           const QString& proposedName, const QString& initialFolder);

} // namespace qx::ui
