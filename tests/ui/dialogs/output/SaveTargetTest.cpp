#include "ui/dialogs/output/SaveTarget.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/DriveProvider.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/dialogs/output/FileSaveDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qx::ui {
namespace {

TEST(SaveTargetFolder, StartsInAFolderThatExists) {
    const auto exists = [](const QString& p) { return p == QStringLiteral("/data") || p == QStringLiteral("/docs"); };
    const QString home = QStringLiteral("/home/op");
    EXPECT_EQ(initialFolderFrom(QStringLiteral("/data"), QStringLiteral("/docs"), home, exists), QStringLiteral("/data"));
    EXPECT_EQ(initialFolderFrom(QStringLiteral("/gone"), QStringLiteral("/docs"), home, exists), QStringLiteral("/docs"));
    EXPECT_EQ(initialFolderFrom(QString(), QStringLiteral("/docs"), home, exists), QStringLiteral("/docs"));
    // No stored folder and no documents folder: the home folder, not the program's working folder.
    EXPECT_EQ(initialFolderFrom(QString(), QStringLiteral("/home/op/Documents"), home, exists), home);

    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Directory/DirectoryPath"), dir.path());
    EXPECT_EQ(QDir(directoryPath(store)), QDir(dir.path()));
}

const QString Filter =
    QStringLiteral("コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||");

/// Runs the steps in turn, each on the modal dialog open at that moment; a step returns false
/// while its dialog has not appeared yet.
void driveModals(std::vector<std::function<bool(QWidget*)>> steps) {
    auto* timer = new QTimer(qApp);
    auto remaining = std::make_shared<std::vector<std::function<bool(QWidget*)>>>(std::move(steps));
    auto attempts = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, remaining, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !remaining->empty() && remaining->front()(modal)) {
            remaining->erase(remaining->begin());
        }
        if (remaining->empty() || ++*attempts > 4000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

std::function<bool(QWidget*)> pressButton(const char* name) {
    return [name](QWidget* modal) {
        auto* button = modal->findChild<QPushButton*>(QLatin1String(name));
        if (button == nullptr || !button->isVisible()) {
            return false;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    };
}

std::string toStd(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

class SaveTargetTest : public ::testing::Test {
protected:
    SaveTargetTest() : store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) {
        root = dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        QDir().mkpath(root + QStringLiteral("DATA"));
        QDir().mkpath(dir.filePath(QStringLiteral("docs")));
        drives.addVolume({toStd(root), "CARD"});
    }

    std::optional<SaveTarget> choose(const QString& initialFolder = {}) {
        return chooseSaveTarget(nullptr, context, QStringLiteral("QXPC1"), initialFolder);
    }

    QTemporaryDir dir;
    QString root;
    output::FolderDriveProvider drives;
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    QSettings store;
    EditorContext context{catalogue, settings, printOptions, prompter, store, &drives};
};

TEST_F(SaveTargetTest, CancellingTheLocationCancelsTheSave) {
    driveModals({pressButton("cancelButton")});
    EXPECT_EQ(choose(), std::nullopt);
}

TEST_F(SaveTargetTest, HardDiskGoesThroughTheSaveAsDialog) {
    const QString docs = dir.filePath(QStringLiteral("docs"));
    QString openedIn;
    QString proposed;
    driveModals({pressButton("hardDiskButton"), [&](QWidget* modal) {
                     auto* dialog = qobject_cast<CFileSaveDlg*>(modal);
                     if (dialog == nullptr) {
                         return false;
                     }
                     openedIn = dialog->directory().absolutePath();
                     proposed = dialog->fileNameText();
                     auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                     edit->setText(QStringLiteral("report"));
                     QTest::keyClick(edit, Qt::Key_Return);
                     return true;
                 }});
    const std::optional<SaveTarget> target = choose(docs);
    ASSERT_TRUE(target);
    EXPECT_EQ(openedIn, docs);
    EXPECT_EQ(proposed, QStringLiteral("QXPC1"));
    EXPECT_EQ(target->path, docs + QStringLiteral("/report.QXF"));
    EXPECT_FALSE(target->removable);
    EXPECT_TRUE(target->removableFolder.isEmpty());
}

TEST_F(SaveTargetTest, HardDiskOpensInTheStoredFolderWhenTheDocumentHasNone) {
    const QString docs = dir.filePath(QStringLiteral("docs"));
    store.setValue(QStringLiteral("Directory/DirectoryPath"), docs);
    QString openedIn;
    driveModals({pressButton("hardDiskButton"), [&](QWidget* modal) {
                     auto* dialog = qobject_cast<CFileSaveDlg*>(modal);
                     if (dialog == nullptr) {
                         return false;
                     }
                     openedIn = dialog->directory().absolutePath();
                     dialog->reject();
                     return true;
                 }});
    EXPECT_EQ(choose(), std::nullopt);
    EXPECT_EQ(openedIn, docs);
}

TEST_F(SaveTargetTest, RemovableMemoryGoesThroughTheDriveDialog) {
    settings.defaultCfDrive = toStd(root + QStringLiteral("DATA/"));
    driveModals({pressButton("removableButton"), [](QWidget* modal) {
                     auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                     if (modal->findChild<QWidget*>(QStringLiteral("folderTree")) == nullptr ||
                         edit == nullptr) {
                         return false;
                     }
                     EXPECT_EQ(modal->windowTitle(), QStringLiteral("USBメモリへの保存"));
                     EXPECT_EQ(edit->text(), QStringLiteral("QXPC1"));
                     return pressButton("saveButton")(modal);
                 }});
    const std::optional<SaveTarget> target = choose(dir.filePath(QStringLiteral("docs")));
    ASSERT_TRUE(target);
    EXPECT_EQ(target->path, root + QStringLiteral("DATA/QXPC1.QXF"));
    EXPECT_TRUE(target->removable);
    EXPECT_EQ(target->removableFolder, root + QStringLiteral("DATA/"));
    EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(SaveTargetTest, WithoutADriveProviderTheTreeIsEmpty) {
    EditorContext noDrives{catalogue, settings, printOptions, prompter, store};
    int drivesListed = -1;
    driveModals({pressButton("removableButton"), [&](QWidget* modal) {
                     auto* tree = modal->findChild<QTreeWidget*>(QStringLiteral("folderTree"));
                     if (tree == nullptr) {
                         return false;
                     }
                     drivesListed = tree->topLevelItemCount();
                     pressButton("saveButton")(modal); // no folder: the tree takes the focus
                     return pressButton("cancelButton")(modal);
                 }});
    EXPECT_EQ(chooseSaveTarget(nullptr, noDrives, QStringLiteral("QXPC1"), {}), std::nullopt);
    EXPECT_EQ(drivesListed, 0);
    EXPECT_TRUE(prompter.shown().empty());
}

TEST(FileSaveDlg, PickingATypeGivesTheNameItsExtension) {
    QTemporaryDir dir;
    CFileSaveDlg dialog(QStringLiteral(".QXF"), QStringLiteral("abc"), Filter, dir.path());
    dialog.show();
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_TRUE(edit != nullptr && types != nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral("コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)"));
    EXPECT_EQ(dialog.fileNameText(), QStringLiteral("abc"));

    struct Row {
        const char* typed;
        Qt::Key key; ///< Down picks the CSV type, Up the document type
        const char* expected;
    };
    const Row rows[] = {
        {"abc", Qt::Key_Down, "abc.CSV"},     {"abc.csv", Qt::Key_Up, "abc.QXF"},
        {"abc.qxf", Qt::Key_Down, "abc.CSV"}, {"abc.txt", Qt::Key_Up, "abc.txt.QXF"},
        {"abc.csv", Qt::Key_Down, "abc.csv"}, // already right but for letter case: kept as typed
    };
    for (const Row& row : rows) {
        edit->setText(QLatin1String(row.typed));
        QTest::keyClick(types, row.key);
        EXPECT_EQ(edit->text(), QLatin1String(row.expected)) << row.typed;
    }
    // The default suffix follows the type: a bare name saves with the chosen type's extension.
    edit->setText(QStringLiteral("plain"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.chosenPath(), dir.path() + QStringLiteral("/plain.CSV"));
}

} // namespace
} // namespace qx::ui
