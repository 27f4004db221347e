#pragma once

#include "ui/EditorContext.h"
#include "model/ModelType.h"
#include "output/DriveRules.h"

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace qx::ui {

/// "CFﾄﾞﾗｲﾌﾞへの保存" / "USBメモリへの保存": saving a document onto the removable memory the
/// printer reads. The tree shows the removable volumes and their folders, the list the current
/// folder's files of the chosen type; the printer's rules (a folder directly below the root, names
/// of at most eight letters, digits or hyphens) are checked before the dialog closes with a path.
/// Nothing is written to the document's file here; folders are created, renamed and deleted at
/// once. The window and pane rectangles are remembered under "Settings".
class CDriveDlg final : public QDialog {
    Q_OBJECT

public:
    /// `defaultExtension` ".QXF" (a missing "." is added); `filter` "text|*.EXT|...||";
    /// `documentPath` the document's name (its folder is dropped); `defaultCfDrive` the folder the
    /// last such save used, which counts only when it lies on a removable volume.
    CDriveDlg(const EditorContext& context, const QString& defaultExtension, const QString& filter,
              const QString& documentPath, const QString& defaultCfDrive, QWidget* parent = nullptr);

    /// The full path to save to, after OK.
    QString chosenPath() const { return m_chosenPath; }
    /// The folder whose files are listed, ending in "/"; empty when none is chosen. After OK it is
    /// the application's next `DefaultCfDrive`.
    QString currentFolder() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void restoreLayout();
    void storeLayout();
    void sizeColumns();

    void rebuildTree();
    void showFolder(const std::string& folder);
    void loadSubfolders(QTreeWidgetItem* item);
    void resetItem(QTreeWidgetItem* item);
    QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const std::string& name);
    QTreeWidgetItem* findItem(const std::string& folder) const;
    void removeItem(QTreeWidgetItem* item);
    void selectItem(QTreeWidgetItem* item); ///< null: nothing selected
    QTreeWidgetItem* selectedFolderItem() const;
    void listFolder();
    void updateButtons();
    std::string rootOf(const std::string& folder) const;
    std::string selectedExtension() const;

    void onFolderSelected();
    void onItemExpanded(QTreeWidgetItem* item);
    void onTypeChanged(int index);
    void onFileSelected();
    void onAddFolder();
    void onDeleteFolder();
    void onRenameFolder();
    void onRefresh();
    void onSave();

    output::Prompter& m_prompter;
    QSettings& m_store;
    output::DriveProvider* m_drives;
    model::ModelType m_model;

    std::string m_defaultExtension;
    std::vector<output::FileType> m_types;
    std::vector<std::string> m_typeExtensions;
    std::vector<output::RemovableVolume> m_volumes;
    std::string m_currentFolder;
    QString m_chosenPath;
    bool m_revertingSelection = false;
    bool m_shownOnce = false;

    QTreeWidget* m_tree = nullptr;
    QLabel* m_noDriveNotice = nullptr; ///< says why the tree is empty while no memory is inserted
    QSplitter* m_splitter = nullptr;
    QTreeWidget* m_list = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_renameButton = nullptr;
    QPushButton* m_refreshButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
};

} // namespace qx::ui
