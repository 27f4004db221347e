#include "ui/DocumentFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qx::ui {

QString initialFolderFrom(const QString& stored, const QString& documentsFolder, const QString& homeFolder,
                          const std::function<bool(const QString&)>& isFolder) {
    for (const QString& folder : {stored, documentsFolder}) {
        if (!folder.isEmpty() && isFolder(folder)) {
            return folder;
        }
    }
    return homeFolder;
}

QString directoryPath(QSettings& store) {
    return initialFolderFrom(store.value(QStringLiteral("Directory/DirectoryPath")).toString(),
                             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath(),
                             [](const QString& path) { return QFileInfo(path).isDir(); });
}

} // namespace qx::ui
