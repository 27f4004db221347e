#pragma once

#include <QString>

#include <functional>

class QSettings;

namespace qx::ui {

/// The folder the open, save-as and file-insert dialogs start in: `stored` (the "DirectoryPath")
/// when it names an existing folder, else the documents folder when it exists, else the home
/// folder - never a folder that is not there, and never the program's working folder.
QString initialFolderFrom(const QString& stored, const QString& documentsFolder, const QString& homeFolder,
                          const std::function<bool(const QString&)>& isFolder);
/// initialFolderFrom with the stored "DirectoryPath" and the desktop's folders.
QString directoryPath(QSettings& store);

} // namespace qx::ui
