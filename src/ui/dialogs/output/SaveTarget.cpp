#include "ui/dialogs/output/SaveTarget.h"

#include "ui/dialogs/output/DriveDlg.h"
#include "ui/dialogs/output/FileSaveDlg.h"
#include "ui/dialogs/output/LocationDlg.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/StringTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qx::ui {

namespace {

constexpr int DefaultExtensionText = 40002;
constexpr int FilterText = 40004;

QString text(int id) {
    const std::string_view t = model::messageText(id);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

} // namespace

std::optional<SaveTarget> chooseSaveTarget(QWidget* parent, const EditorContext& context,
                                           const QString& proposedName, const QString& initialFolder) {
    const QString defaultExtension = text(DefaultExtensionText);
    const QString filter = text(FilterText);

    CLocationDlg location(context.catalogue.model(), parent);
    if (location.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (location.choice() == CLocationDlg::HardDisk) {
        CFileSaveDlg dialog(defaultExtension, proposedName, filter,
                            initialFolder.isEmpty() ? directoryPath(context.store) : initialFolder, parent);
        if (dialog.exec() != QDialog::Accepted || dialog.chosenPath().isEmpty()) {
            return std::nullopt;
        }
        return SaveTarget{dialog.chosenPath(), false, {}};
    }
    if (location.choice() == CLocationDlg::Removable) {
        const QString defaultCfDrive =
            QFile::decodeName(QByteArray::fromStdString(context.settings.defaultCfDrive));
        CDriveDlg dialog(context, defaultExtension, filter, proposedName, defaultCfDrive, parent);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return SaveTarget{dialog.chosenPath(), true, dialog.currentFolder()};
    }
    return std::nullopt;
}

} // namespace qx::ui
