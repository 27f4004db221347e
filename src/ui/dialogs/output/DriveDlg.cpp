#include "ui/dialogs/output/DriveDlg.h"

#include "model/Catalogue.h"
#include "model/StringTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileIconProvider>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <optional>

namespace qx::ui {

namespace {

constexpr int UsbSaveCaption = 40108;
constexpr int NameColumnText = 40091;
constexpr int SizeColumnText = 40092;
constexpr int TimeColumnText = 40093;
constexpr int BadFolderName = 42017;
constexpr int NewFolderCaption = 42020;
constexpr int NewFolderName = 42021;
constexpr int RenameFolderCaption = 42023;

constexpr int PathRole = Qt::UserRole;       ///< the item's folder, ending in "/"
constexpr int LoadedRole = Qt::UserRole + 1; ///< its sub-folders have been read

// The remembered rectangles in the "Settings" section.
constexpr const char* MainRectKey = "Settings/CFDlg_Main";
constexpr const char* FolderRectKey = "Settings/CFDlg_Folder";
constexpr const char* SplitRectKey = "Settings/CFDlg_Split";
constexpr const char* FileRectKey = "Settings/CFDlg_File";

// The template's size: the dialog never opens or shrinks below it.
constexpr QSize InitialSize(640, 420);

QString text(int id) {
    const std::string_view t = model::messageText(id);
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

QString fromUtf8(const std::string& t) {
    return QString::fromUtf8(t.data(), static_cast<qsizetype>(t.size()));
}

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string pathOf(const QTreeWidgetItem* item) {
    return item != nullptr ? toPath(item->data(0, PathRole).toString()) : std::string();
}

QTreeWidgetItem* topLevelOf(QTreeWidgetItem* item) {
    while (item != nullptr && item->parent() != nullptr) {
        item = item->parent();
    }
    return item;
}

bool isInside(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (; item != nullptr; item = item->parent()) {
        if (item == ancestor) {
            return true;
        }
    }
    return false;
}

bool isDirectory(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

QRect toQRect(const output::DialogRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
output::DialogRect toDialogRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

std::optional<output::DialogRect> readRect(QSettings& store, const char* key) {
    const QVariant value = store.value(QLatin1String(key));
    // An INI store hands back an unquoted "1,2,3,4" as a list of four strings.
    const QString stored = value.typeId() == QMetaType::QStringList
                               ? value.toStringList().join(QLatin1Char(','))
                               : value.toString();
    return output::parseDialogRect(stored.toStdString());
}

bool isOnSomeScreen(const QRect& rect) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->availableGeometry().intersects(rect); });
}

/// "ﾌｫﾙﾀﾞ名の指定": one folder name, accepted only when the printer can read it.
class CFolderDlg final : public QDialog {
public:
    CFolderDlg(const QString& caption, const QString& name, output::Prompter& prompter, QWidget* parent)
        : QDialog(parent), m_prompter(prompter), m_edit(new QLineEdit(name, this)) {
        setWindowTitle(caption);
        m_edit->setObjectName(QStringLiteral("folderNameEdit"));
        m_edit->setMaxLength(255);
        auto* label = new QLabel(QStringLiteral("ﾌｫﾙﾀﾞ名"), this);
        label->setBuddy(m_edit);
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setObjectName(QStringLiteral("okButton"));
        ok->setDefault(true);
        QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancelButton"));
        connect(buttons, &QDialogButtonBox::accepted, this, &CFolderDlg::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(m_edit, 1);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(row);
        layout->addWidget(buttons);
        setMinimumWidth(300);
        m_edit->selectAll();
        m_edit->setFocus();
    }

    QString name() const { return m_edit->text(); }

    void accept() override {
        if (!output::passesNameRule(m_edit->text().toStdString())) {
            m_prompter.show(BadFolderName);
            m_edit->setFocus();
            m_edit->selectAll();
            return;
        }
        QDialog::accept();
    }

private:
    output::Prompter& m_prompter;
    QLineEdit* m_edit;
};

} // namespace

CDriveDlg::CDriveDlg(const EditorContext& context, const QString& defaultExtension, const QString& filter,
                     const QString& documentPath, const QString& defaultCfDrive, QWidget* parent)
    : QDialog(parent), m_prompter(context.prompter), m_store(context.store), m_drives(context.drives),
      m_model(context.catalogue.model()),
      m_defaultExtension(output::withLeadingDot(defaultExtension.toStdString())),
      m_types(output::parseFileTypes(filter.toStdString())) {
    if (m_types.empty() && !m_defaultExtension.empty()) {
        m_types.push_back({m_defaultExtension, "*" + m_defaultExtension, m_defaultExtension});
    }
    m_typeExtensions = output::typeExtensions(m_types);
    setWindowTitle(m_model == model::models::QX780 ? QStringLiteral("CFﾄﾞﾗｲﾌﾞへの保存")
                                                   : text(UsbSaveCaption));
    buildControls();

    QString name = documentPath;
    name.remove(0, name.lastIndexOf(QLatin1Char('/')) + 1);
    name.remove(0, name.lastIndexOf(QLatin1Char('\\')) + 1);
    m_nameEdit->setText(name);
    for (const output::FileType& type : m_types) {
        m_typeCombo->addItem(fromUtf8(type.text));
    }
    m_typeCombo->setCurrentIndex(0);
    connect(m_typeCombo, &QComboBox::currentIndexChanged, this, &CDriveDlg::onTypeChanged);

    restoreLayout();
    rebuildTree();
    const std::string initial = output::initialDriveFolder(toPath(defaultCfDrive), m_volumes);
    if (!initial.empty()) {
        showFolder(initial);
    }
    m_tree->setFocus();
    updateButtons();
}

QString CDriveDlg::currentFolder() const {
    return fromPath(m_currentFolder);
}

void CDriveDlg::buildControls() {
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("folderTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);

    // Nothing in the tree and no word why would leave the operator pressing 保存 in vain.
    m_noDriveNotice = new QLabel(m_model == model::models::QX780
                                     ? QStringLiteral("CFカードが見つかりません。差し込んでから［更新］を押してください。")
                                     : QStringLiteral("USBメモリが見つかりません。差し込んでから［更新］を押してください。"),
                                 this);
    m_noDriveNotice->setObjectName(QStringLiteral("noDriveNotice"));
    m_noDriveNotice->setWordWrap(true);
    m_noDriveNotice->hide();

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("fileList"));
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHeaderLabels({text(NameColumnText), text(SizeColumnText), text(TimeColumnText)});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_list);

    const auto makeButton = [this](const QString& caption, const char* objectName) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(objectName));
        button->setAutoDefault(false);
        return button;
    };
    m_addButton = makeButton(QStringLiteral("ﾌｫﾙﾀﾞ追加"), "addFolderButton");
    m_deleteButton = makeButton(QStringLiteral("ﾌｫﾙﾀﾞ削除"), "deleteFolderButton");
    m_renameButton = makeButton(QStringLiteral("ﾌｫﾙﾀﾞ名変更"), "renameFolderButton");
    m_refreshButton = makeButton(QStringLiteral("更新"), "refreshButton");
    m_saveButton = makeButton(QStringLiteral("保存"), "saveButton");
    m_saveButton->setDefault(true);
    m_cancelButton = makeButton(QStringLiteral("ｷｬﾝｾﾙ"), "cancelButton");

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("fileNameEdit"));
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("typeCombo"));
    auto* nameLabel = new QLabel(QStringLiteral("ﾌｧｲﾙ名"), this);
    nameLabel->setBuddy(m_nameEdit);
    auto* typeLabel = new QLabel(QStringLiteral("ﾀｲﾌﾟ"), this);
    typeLabel->setBuddy(m_typeCombo);

    auto* folderButtons = new QHBoxLayout;
    folderButtons->addWidget(m_addButton);
    folderButtons->addWidget(m_deleteButton);
    folderButtons->addWidget(m_renameButton);
    folderButtons->addWidget(m_refreshButton);
    folderButtons->addStretch();

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_nameEdit, 0, 1);
    fields->addWidget(m_saveButton, 0, 2);
    fields->addWidget(typeLabel, 1, 0);
    fields->addWidget(m_typeCombo, 1, 1);
    fields->addWidget(m_cancelButton, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_noDriveNotice);
    layout->addWidget(m_splitter, 1);
    layout->addLayout(folderButtons);
    layout->addLayout(fields);

    setTabOrder(m_tree, m_list);
    setTabOrder(m_list, m_addButton);
    setTabOrder(m_addButton, m_deleteButton);
    setTabOrder(m_deleteButton, m_renameButton);
    setTabOrder(m_renameButton, m_refreshButton);
    setTabOrder(m_refreshButton, m_nameEdit);
    setTabOrder(m_nameEdit, m_typeCombo);
    setTabOrder(m_typeCombo, m_saveButton);
    setTabOrder(m_saveButton, m_cancelButton);

    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CDriveDlg::onFolderSelected);
    connect(m_tree, &QTreeWidget::itemExpanded, this, &CDriveDlg::onItemExpanded);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CDriveDlg::onFileSelected);
    connect(m_addButton, &QPushButton::clicked, this, &CDriveDlg::onAddFolder);
    connect(m_deleteButton, &QPushButton::clicked, this, &CDriveDlg::onDeleteFolder);
    connect(m_renameButton, &QPushButton::clicked, this, &CDriveDlg::onRenameFolder);
    connect(m_refreshButton, &QPushButton::clicked, this, &CDriveDlg::onRefresh);
    connect(m_saveButton, &QPushButton::clicked, this, &CDriveDlg::onSave);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CDriveDlg::restoreLayout() {
    const QSize initial = sizeHint().expandedTo(InitialSize);
    resize(initial);
    setMinimumSize(initial);
    m_splitter->setSizes({initial.width() / 3, initial.width() - initial.width() / 3});

    if (const auto main = readRect(m_store, MainRectKey)) {
        QRect rect = toQRect(*main);
        rect.setSize(rect.size().expandedTo(initial));
        if (isOnSomeScreen(rect)) {
            setGeometry(rect);
        } else {
            resize(rect.size()); // the screen it was on is gone: keep the size, let it centre
        }
    }
    // The panes live in a splitter: their widths give the position of the bar.
    const auto folder = readRect(m_store, FolderRectKey);
    const auto file = readRect(m_store, FileRectKey);
    if (folder && file && folder->right > folder->left && file->right > file->left) {
        m_splitter->setSizes({folder->right - folder->left, file->right - file->left});
    }
}

void CDriveDlg::storeLayout() {
    const auto write = [this](const char* key, const QRect& rect) {
        m_store.setValue(QLatin1String(key), fromUtf8(output::formatDialogRect(toDialogRect(rect))));
    };
    const auto inDialog = [this](const QWidget* widget) {
        return QRect(widget->mapTo(this, QPoint(0, 0)), widget->size());
    };
    write(MainRectKey, geometry());
    write(FolderRectKey, inDialog(m_tree));
    write(SplitRectKey, inDialog(m_splitter->handle(1)));
    write(FileRectKey, inDialog(m_list));
}

void CDriveDlg::sizeColumns() {
    const int width = m_list->width() - 2 * m_list->frameWidth();
    const int nameWidth = width / 3;
    const int sizeWidth = (width / 3) * 3 / 4;
    m_list->setColumnWidth(0, nameWidth);
    m_list->setColumnWidth(1, sizeWidth);
    m_list->setColumnWidth(2, width - nameWidth - sizeWidth);
}

void CDriveDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        sizeColumns();
    }
}

void CDriveDlg::done(int result) {
    storeLayout();
    QDialog::done(result);
}

void CDriveDlg::rebuildTree() {
    m_revertingSelection = true;
    m_tree->clear();
    m_revertingSelection = false;
    m_currentFolder.clear();
    m_volumes = m_drives != nullptr ? m_drives->volumes() : std::vector<output::RemovableVolume>{};
    const QFileIconProvider icons;
    for (const output::RemovableVolume& volume : m_volumes) {
        auto* item = new QTreeWidgetItem(m_tree, {fromPath(volume.label)});
        item->setData(0, PathRole, fromPath(volume.root));
        item->setData(0, LoadedRole, false);
        item->setToolTip(0, fromPath(volume.root));
        item->setIcon(0, icons.icon(QAbstractFileIconProvider::Drive));
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    m_noDriveNotice->setVisible(m_volumes.empty());
    listFolder();
    updateButtons();
}

void CDriveDlg::showFolder(const std::string& folder) {
    const std::string root = rootOf(folder);
    QTreeWidgetItem* item = findItem(root);
    if (item == nullptr) {
        return;
    }
    // Down the path as far as it still exists; the deepest folder found becomes current.
    std::string rest = folder.substr(root.size());
    while (!rest.empty()) {
        const std::string name = rest.substr(0, rest.find('/'));
        rest.erase(0, name.size() + 1);
        if (!item->data(0, LoadedRole).toBool()) {
            if (m_drives == nullptr || !m_drives->isReady(root)) {
                break;
            }
            loadSubfolders(item);
        }
        QTreeWidgetItem* child = nullptr;
        const std::string childPath = pathOf(item) + name + "/";
        for (int i = 0; i < item->childCount() && child == nullptr; ++i) {
            if (pathOf(item->child(i)) == childPath) {
                child = item->child(i);
            }
        }
        if (child == nullptr) {
            break;
        }
        item->setExpanded(true);
        item = child;
    }
    selectItem(item);
}

void CDriveDlg::loadSubfolders(QTreeWidgetItem* item) {
    resetItem(item);
    for (const std::string& name : output::listSubfolders(pathOf(item))) {
        addFolderItem(item, name);
    }
    item->setData(0, LoadedRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CDriveDlg::resetItem(QTreeWidgetItem* item) {
    QTreeWidgetItem* current = selectedFolderItem();
    if (current != nullptr && current != item && isInside(current, item)) {
        // The current folder goes with the children: its nearest remaining ancestor takes over.
        m_revertingSelection = true;
        selectItem(item);
        m_revertingSelection = false;
        m_currentFolder = pathOf(item);
        listFolder();
    }
    qDeleteAll(item->takeChildren());
    item->setData(0, LoadedRole, false);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    updateButtons();
}

QTreeWidgetItem* CDriveDlg::addFolderItem(QTreeWidgetItem* parent, const std::string& name) {
    const QFileIconProvider icons;
    auto* item = new QTreeWidgetItem(parent, {fromPath(name)});
    item->setData(0, PathRole, fromPath(pathOf(parent) + name + "/"));
    item->setData(0, LoadedRole, false);
    item->setIcon(0, icons.icon(QAbstractFileIconProvider::Folder));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return item;
}

QTreeWidgetItem* CDriveDlg::findItem(const std::string& folder) const {
    if (folder.empty()) {
        return nullptr;
    }
    for (QTreeWidgetItemIterator it(m_tree); *it != nullptr; ++it) {
        if (pathOf(*it) == folder) {
            return *it;
        }
    }
    return nullptr;
}

void CDriveDlg::removeItem(QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item->parent();
    QTreeWidgetItem* current = selectedFolderItem();
    if (current != nullptr && isInside(current, item)) {
        m_revertingSelection = true;
        selectItem(parent);
        m_revertingSelection = false;
        m_currentFolder = pathOf(parent);
        listFolder();
    }
    delete item;
    updateButtons();
}

void CDriveDlg::selectItem(QTreeWidgetItem* item) {
    if (item == nullptr) {
        m_tree->clearSelection();
        m_tree->setCurrentItem(nullptr);
        return;
    }
    m_tree->setCurrentItem(item); // selects it too
    m_tree->scrollToItem(item);
}

QTreeWidgetItem* CDriveDlg::selectedFolderItem() const {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void CDriveDlg::listFolder() {
    m_list->clear();
    if (m_currentFolder.empty()) {
        return;
    }
    for (const output::ListedFile& file : output::listFiles(m_currentFolder, selectedExtension())) {
        auto* item =
            new QTreeWidgetItem(m_list, {fromPath(file.name), fromUtf8(output::formatFileSize(file.size)),
                                         fromUtf8(output::formatModifiedTime(file.modified))});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
}

void CDriveDlg::updateButtons() {
    const QTreeWidgetItem* item = selectedFolderItem();
    const bool folderChosen = item != nullptr && !m_currentFolder.empty();
    m_addButton->setEnabled(folderChosen);
    // A volume's root is no folder of its own: it can be neither renamed nor deleted.
    m_deleteButton->setEnabled(folderChosen && item->parent() != nullptr);
    m_renameButton->setEnabled(folderChosen && item->parent() != nullptr);
}

std::string CDriveDlg::rootOf(const std::string& folder) const {
    return output::volumeRootOf(folder, m_volumes).value_or(std::string());
}

std::string CDriveDlg::selectedExtension() const {
    const int index = m_typeCombo->currentIndex();
    return index >= 0 && index < static_cast<int>(m_typeExtensions.size())
               ? m_typeExtensions[static_cast<std::size_t>(index)]
               : m_defaultExtension;
}

void CDriveDlg::onFolderSelected() {
    if (m_revertingSelection) {
        return;
    }
    QTreeWidgetItem* current = selectedFolderItem();
    if (current == nullptr) {
        m_currentFolder.clear();
        listFolder();
        updateButtons();
        return;
    }
    const std::string folder = pathOf(current);
    if (!output::waitForDrive(m_drives, rootOf(folder), m_prompter)) {
        // Back to the folder that was current, once the view has finished its own selection change.
        const std::string previousFolder = m_currentFolder;
        QTimer::singleShot(0, this, [this, previousFolder] {
            m_revertingSelection = true;
            selectItem(findItem(previousFolder));
            m_revertingSelection = false;
            updateButtons();
        });
        return;
    }
    m_currentFolder = folder;
    listFolder();
    updateButtons();
}

void CDriveDlg::onItemExpanded(QTreeWidgetItem* item) {
    if (item->data(0, LoadedRole).toBool()) {
        return;
    }
    const std::string folder = pathOf(item);
    QTreeWidgetItem* top = topLevelOf(item);
    const bool ready = m_drives != nullptr && m_drives->isReady(pathOf(top));
    if (ready && (item == top || isDirectory(folder))) {
        loadSubfolders(item);
        return;
    }
    // The tree is changed after the view has finished expanding the item.
    const std::string topFolder = pathOf(top);
    QTimer::singleShot(0, this, [this, ready, folder, topFolder] {
        if (!ready) {
            if (QTreeWidgetItem* drive = findItem(topFolder)) {
                drive->setExpanded(false);
                resetItem(drive);
            }
        } else if (QTreeWidgetItem* gone = findItem(folder)) {
            removeItem(gone);
        }
    });
}

void CDriveDlg::onTypeChanged(int /*index*/) {
    const std::string name = m_nameEdit->text().toStdString();
    const std::string renamed = output::applyTypeExtension(name, selectedExtension(), m_typeExtensions);
    if (renamed != name) {
        m_nameEdit->setText(fromUtf8(renamed));
    }
    listFolder();
}

void CDriveDlg::onFileSelected() {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        m_nameEdit->setText(selected.front()->text(0));
    }
}

void CDriveDlg::onAddFolder() {
    QTreeWidgetItem* item = selectedFolderItem();
    if (item == nullptr || m_currentFolder.empty()) {
        return;
    }
    CFolderDlg dialog(text(NewFolderCaption), text(NewFolderName), m_prompter, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!output::waitForDrive(m_drives, rootOf(m_currentFolder), m_prompter)) {
        return;
    }
    const output::FolderOutcome outcome =
        output::createFolder(m_currentFolder, dialog.name().toStdString(), m_prompter);
    if (outcome.result != output::FolderResult::Done) {
        return;
    }
    loadSubfolders(item);
    item->setExpanded(true);
    selectItem(findItem(outcome.folder));
}

void CDriveDlg::onDeleteFolder() {
    QTreeWidgetItem* item = selectedFolderItem();
    if (item == nullptr || item->parent() == nullptr || m_currentFolder.empty()) {
        return;
    }
    const output::FolderOutcome outcome =
        output::deleteFolder(m_currentFolder, rootOf(m_currentFolder), m_prompter);
    switch (outcome.result) {
    case output::FolderResult::Done:
    case output::FolderResult::Vanished:
        removeItem(item);
        break;
    case output::FolderResult::Refused:
        listFolder(); // part of it may be gone
        break;
    case output::FolderResult::Unchanged:
        break;
    }
}

void CDriveDlg::onRenameFolder() {
    QTreeWidgetItem* item = selectedFolderItem();
    if (item == nullptr || item->parent() == nullptr || m_currentFolder.empty()) {
        return;
    }
    CFolderDlg dialog(text(RenameFolderCaption), item->text(0), m_prompter, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::string name = dialog.name().toStdString();
    const output::FolderOutcome outcome =
        output::renameFolder(m_currentFolder, rootOf(m_currentFolder), name, m_prompter);
    switch (outcome.result) {
    case output::FolderResult::Done:
        item->setText(0, fromPath(name));
        item->setData(0, PathRole, fromPath(outcome.folder));
        item->setExpanded(false);
        resetItem(item); // the sub-folders' paths changed with it
        m_currentFolder = outcome.folder;
        selectItem(item);
        listFolder();
        break;
    case output::FolderResult::Vanished:
        removeItem(item);
        break;
    case output::FolderResult::Refused:
    case output::FolderResult::Unchanged:
        break;
    }
}

void CDriveDlg::onRefresh() {
    const std::string folder = m_currentFolder;
    rebuildTree();
    if (!folder.empty() && !rootOf(folder).empty()) {
        showFolder(folder);
    }
    updateButtons();
}

void CDriveDlg::onSave() {
    const output::SaveRequest request{m_currentFolder, rootOf(m_currentFolder),
                                      m_nameEdit->text().toStdString(), selectedExtension(), m_model};
    const output::SaveOutcome outcome = output::decideSave(request, m_prompter);
    switch (outcome.step) {
    case output::SaveStep::FocusFolders:
        m_tree->setFocus();
        break;
    case output::SaveStep::FocusFileName:
        m_nameEdit->setFocus();
        break;
    case output::SaveStep::Stay:
        break;
    case output::SaveStep::Accept:
        m_chosenPath = fromPath(outcome.path);
        accept();
        break;
    }
}

} // namespace qx::ui
