#include "ui/dialogs/output/DriveDlg.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/DriveProvider.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qx::ui {
namespace {

using output::Answer;
using output::Buttons;

const QString Filter =
    QStringLiteral("コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||");

/// Runs `act` on the modal dialog once one is open (polling, so it also works for a dialog that
/// opens later from inside an event handler). `act` returns false to be called again.
void onModal(std::function<bool(QWidget*)> act) {
    auto* timer = new QTimer(qApp);
    auto attempts = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if ((modal != nullptr && act(modal)) || ++*attempts > 2000) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

/// Answers the folder-name dialog: each name in turn is typed (an empty one keeps the proposed
/// text) and confirmed with Return; a dialog still open after the last name is cancelled.
void answerFolderDialog(const QStringList& names, QString* proposed = nullptr, QString* caption = nullptr) {
    onModal([names, proposed, caption](QWidget* modal) {
        auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("folderNameEdit"));
        if (edit == nullptr) {
            return false;
        }
        if (proposed != nullptr) {
            *proposed = edit->text();
        }
        if (caption != nullptr) {
            *caption = modal->windowTitle();
        }
        for (const QString& name : names) {
            if (!modal->isVisible()) {
                break;
            }
            if (!name.isEmpty()) {
                edit->selectAll();
                QTest::keyClicks(edit, name);
            }
            QTest::keyClick(edit, Qt::Key_Return);
        }
        if (modal->isVisible()) {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
        return true;
    });
}

std::string toStd(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

class DriveDlgTest : public ::testing::Test {
protected:
    DriveDlgTest() : store(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat) {
        root = dir.filePath(QStringLiteral("card")) + QLatin1Char('/');
        for (const char* folder : {"DATA/SUB", "DATA_01", "DATAFILES", "OTHER"}) {
            QDir().mkpath(root + QLatin1String(folder));
        }
        writeFile(QStringLiteral("DATA/abc.QXF"), 13929);
        writeFile(QStringLiteral("DATA/list.CSV"), 5);
        drives.addVolume({toStd(root), "CARD"});
    }

    void writeFile(const QString& relative, int size) {
        QFile file(root + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'x'));
    }

    CDriveDlg& open(const QString& defaultCfDrive = {}, model::ModelType model = model::models::QX950W3,
                    const QString& documentName = QStringLiteral("QXPC1")) {
        catalogue = std::make_unique<model::Catalogue>(model);
        context = std::make_unique<EditorContext>(
            EditorContext{*catalogue, settings, printOptions, prompter, store, &drives});
        dialog = std::make_unique<CDriveDlg>(*context, QStringLiteral("QXF"), Filter, documentName,
                                             defaultCfDrive);
        dialog->show();
        QCoreApplication::processEvents();
        return *dialog;
    }

    QTreeWidget* tree() const { return dialog->findChild<QTreeWidget*>(QStringLiteral("folderTree")); }
    QTreeWidget* list() const { return dialog->findChild<QTreeWidget*>(QStringLiteral("fileList")); }
    QLineEdit* nameEdit() const { return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }
    QPushButton* button(const char* name) const {
        return dialog->findChild<QPushButton*>(QLatin1String(name));
    }

    QTreeWidgetItem* item(const QString& folder) const {
        for (QTreeWidgetItemIterator it(tree()); *it != nullptr; ++it) {
            if ((*it)->data(0, Qt::UserRole).toString() == folder) {
                return *it;
            }
        }
        return nullptr;
    }

    void click(QTreeWidget* view, QTreeWidgetItem* target) {
        ASSERT_NE(target, nullptr);
        view->scrollToItem(target);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualItemRect(target).center());
        QCoreApplication::processEvents();
    }

    /// Picks the card in the tree, opens it with the keyboard and picks `folder` in it.
    void pickFolder(const QString& folder) {
        click(tree(), item(root));
        QTest::keyClick(tree(), Qt::Key_Right);
        click(tree(), item(root + folder + QLatin1Char('/')));
    }

    /// Types a name; text beyond ASCII arrives as an input method's commit, as Japanese input does.
    void typeName(const QString& name) {
        nameEdit()->clear();
        bool ascii = true;
        for (QChar c : name) {
            ascii = ascii && c.unicode() < 0x80;
        }
        if (ascii) {
            QTest::keyClicks(nameEdit(), name);
            return;
        }
        QInputMethodEvent commit;
        commit.setCommitString(name);
        QCoreApplication::sendEvent(nameEdit(), &commit);
    }

    void save() {
        QTest::mouseClick(button("saveButton"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    QTemporaryDir dir;
    QString root;
    output::FolderDriveProvider drives;
    std::unique_ptr<model::Catalogue> catalogue;
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    QSettings store;
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<CDriveDlg> dialog;
};

TEST_F(DriveDlgTest, SavesIntoAFirstLevelFolder) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("USBメモリへの保存"));
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("QXPC1"));
    pickFolder(QStringLiteral("DATA"));
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/"));
    typeName(QStringLiteral("job-1"));
    save();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->chosenPath(), root + QStringLiteral("DATA/job-1.QXF"));
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/"));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("DATA/job-1.QXF"))); // the caller writes it
}

TEST_F(DriveDlgTest, EightCharacterNamesAreTheLongestAccepted) {
    QDir().mkpath(root + QStringLiteral("PANEL-08"));
    open();
    pickFolder(QStringLiteral("PANEL-08"));
    typeName(QStringLiteral("TUBE-008"));
    save();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->chosenPath(), root + QStringLiteral("PANEL-08/TUBE-008.QXF"));

    // One more character in the folder's name and the printer could not read it.
    prompter = output::testing::ScriptedPrompter();
    open();
    pickFolder(QStringLiteral("DATAFILES"));
    typeName(QStringLiteral("abc"));
    save();
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42017});
}

TEST_F(DriveDlgTest, RefusesTheRootAndDeeperFolders) {
    struct Row {
        model::ModelType model;
        const char* folder; ///< remembered DefaultCfDrive below the card
        int messageId;
    };
    const Row rows[] = {
        {model::models::QX780, "", 42015},
        {model::models::QX900W2, "DATA/SUB/", 42049},
    };
    for (const Row& row : rows) {
        prompter = output::testing::ScriptedPrompter();
        open(root + QLatin1String(row.folder), row.model);
        EXPECT_EQ(dialog->currentFolder(), root + QLatin1String(row.folder));
        save();
        EXPECT_EQ(prompter.shownIds(), std::vector<int>{row.messageId}) << row.folder;
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_TRUE(dialog->chosenPath().isEmpty());
    }
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("USBメモリへの保存"));
    open({}, model::models::QX780);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("CFﾄﾞﾗｲﾌﾞへの保存"));
}

TEST_F(DriveDlgTest, RefusesNamesThePrinterCannotRead) {
    struct Row {
        const char* folder;
        const char* name;
        int messageId;
    };
    const Row rows[] = {
        {"DATA_01", "abc", 42017},
        {"DATA", "ABCDEFGHI", 42018},
        {"DATA", "データ", 42018},
    };
    for (const Row& row : rows) {
        prompter = output::testing::ScriptedPrompter();
        open();
        pickFolder(QLatin1String(row.folder));
        typeName(QString::fromUtf8(row.name));
        save();
        EXPECT_EQ(prompter.shownIds(), std::vector<int>{row.messageId}) << row.folder << " " << row.name;
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(DriveDlgTest, MissingFolderOrNameMovesTheFocus) {
    open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    nameEdit()->setFocus();
    save();
    EXPECT_TRUE(tree()->hasFocus());
    pickFolder(QStringLiteral("DATA"));
    nameEdit()->clear();
    save();
    EXPECT_TRUE(nameEdit()->hasFocus());
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(DriveDlgTest, ListsTheFolderAndAsksBeforeOverwriting) {
    prompter = output::testing::ScriptedPrompter({Answer::No, Answer::Yes});
    open(root + QStringLiteral("DATA/"));
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    QTreeWidgetItem* row = list()->topLevelItem(0);
    EXPECT_EQ(row->text(0), QStringLiteral("abc.QXF"));
    EXPECT_EQ(row->text(1), QStringLiteral("13,929"));
    EXPECT_EQ(row->textAlignment(1) & Qt::AlignRight, Qt::AlignRight);
    EXPECT_EQ(row->text(2).size(), 16); // yyyy/mm/dd hh:mm
    click(list(), row);
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("abc.QXF"));

    save();
    EXPECT_TRUE(dialog->isVisible());
    save();
    ASSERT_EQ(prompter.shownIds(), (std::vector<int>{42019, 42019}));
    EXPECT_EQ(prompter.shown()[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.shown()[0].icon, output::Icon::Warning);
    EXPECT_EQ(prompter.shown()[0].text, toStd(root) + "DATA/abc.QXF は既に存在します。\n上書きしますか?");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->chosenPath(), root + QStringLiteral("DATA/abc.QXF"));
}

TEST_F(DriveDlgTest, TypeChangeRenamesAndRelists) {
    open(root + QStringLiteral("DATA/"), model::models::QX950W3, QStringLiteral("/home/op/doc.QXF"));
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("doc.QXF"));
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("typeCombo"));
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), 0);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("doc.CSV"));
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(0), QStringLiteral("list.CSV"));
    typeName(QStringLiteral("plain"));
    QTest::keyClick(combo, Qt::Key_Up);
    EXPECT_EQ(nameEdit()->text(), QStringLiteral("plain.QXF"));
}

TEST_F(DriveDlgTest, ListColumns) {
    open();
    const QTreeWidgetItem* header = list()->headerItem();
    EXPECT_EQ(header->text(0), QStringLiteral("名前"));
    EXPECT_EQ(header->text(1), QStringLiteral("サイズ"));
    EXPECT_EQ(header->text(2), QStringLiteral("更新日時"));
    const int width = list()->width() - 2 * list()->frameWidth();
    EXPECT_EQ(list()->columnWidth(0), width / 3);
    EXPECT_EQ(list()->columnWidth(1), (width / 3) * 3 / 4);
    EXPECT_GE(list()->columnWidth(2), width - width / 3 - (width / 3) * 3 / 4);
}

TEST_F(DriveDlgTest, RememberedFolderOffTheCardIsIgnored) {
    for (const QString& remembered :
         {dir.filePath(QStringLiteral("elsewhere/")), QStringLiteral("E:\\DATA\\")}) {
        open(remembered);
        EXPECT_TRUE(tree()->selectedItems().isEmpty());
        EXPECT_TRUE(dialog->currentFolder().isEmpty());
        EXPECT_EQ(tree()->topLevelItemCount(), 1);
        EXPECT_FALSE(button("addFolderButton")->isEnabled());
    }
    // A remembered folder that is gone opens its nearest remaining parent.
    open(root + QStringLiteral("DATA/GONE/"));
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/"));
}

TEST_F(DriveDlgTest, APulledCardIsNotEntered) {
    open(root + QStringLiteral("DATA/"));
    drives.setReady(toStd(root), false);
    prompter = output::testing::ScriptedPrompter({Answer::Retry, Answer::Cancel});
    click(tree(), item(root + QStringLiteral("OTHER/")));
    QCoreApplication::processEvents();
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42014, 42014}));
    EXPECT_EQ(prompter.shown()[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/"));
    EXPECT_EQ(tree()->selectedItems(), QList<QTreeWidgetItem*>{item(root + QStringLiteral("DATA/"))});

    // Put back while the box is up: Retry goes on into the folder.
    prompter = output::testing::ScriptedPrompter({Answer::Retry});
    drives.setReady(toStd(root), true);
    click(tree(), item(root + QStringLiteral("OTHER/")));
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("OTHER/"));
}

TEST_F(DriveDlgTest, ExpandingFollowsTheCard) {
    open();
    QTreeWidgetItem* card = item(root);
    drives.setReady(toStd(root), false);
    card->setExpanded(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(card->isExpanded());
    EXPECT_EQ(card->childCount(), 0);
    EXPECT_TRUE(prompter.shown().empty());

    drives.setReady(toStd(root), true);
    card->setExpanded(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(card->childCount(), 4);
    QDir(root + QStringLiteral("OTHER")).removeRecursively();
    item(root + QStringLiteral("OTHER/"))->setExpanded(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(item(root + QStringLiteral("OTHER/")), nullptr);
    EXPECT_EQ(card->childCount(), 3);
}

TEST_F(DriveDlgTest, AddsAFolderWithAValidName) {
    open(root + QStringLiteral("DATA/"));
    QString proposed;
    QString caption;
    answerFolderDialog({QString(), QStringLiteral("NEW_1"), QStringLiteral("NEW-1")}, &proposed, &caption);
    QTest::mouseClick(button("addFolderButton"), Qt::LeftButton);
    EXPECT_EQ(caption, QStringLiteral("新規フォルダ"));
    EXPECT_EQ(proposed, QStringLiteral("新しいフォルダ"));
    // The proposed name and the underscore are refused; the dialog stays until a valid name.
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42017, 42017}));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("DATA/NEW-1")).isDir());
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/NEW-1/"));
    EXPECT_NE(item(root + QStringLiteral("DATA/NEW-1/")), nullptr);

    answerFolderDialog({QStringLiteral("NEW-1")});
    click(tree(), item(root + QStringLiteral("DATA/")));
    QTest::mouseClick(button("addFolderButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shownIds().back(), 42027);
    EXPECT_EQ(prompter.shown().back().icon, output::Icon::Error);
}

TEST_F(DriveDlgTest, DeletesAFolderWithItsFilesAfterAsking) {
    prompter = output::testing::ScriptedPrompter({Answer::No, Answer::Yes});
    open(root + QStringLiteral("DATA/"));
    QTest::mouseClick(button("deleteFolderButton"), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(root + QStringLiteral("DATA")));
    QTest::mouseClick(button("deleteFolderButton"), Qt::LeftButton);
    ASSERT_EQ(prompter.shownIds(), (std::vector<int>{42025, 42025}));
    EXPECT_EQ(prompter.shown()[0].text,
              "フォルダ '" + toStd(root) + "DATA' とフォルダ内の全てのファイルを削除しますか?");
    EXPECT_FALSE(QFileInfo::exists(root + QStringLiteral("DATA")));
    EXPECT_EQ(item(root + QStringLiteral("DATA/")), nullptr);
    EXPECT_EQ(dialog->currentFolder(), root);
    // The card itself is no folder to delete.
    EXPECT_FALSE(button("deleteFolderButton")->isEnabled());
    EXPECT_FALSE(button("renameFolderButton")->isEnabled());
}

TEST_F(DriveDlgTest, DeletingAVanishedFolderRemovesItsItem) {
    open(root + QStringLiteral("OTHER/"));
    QDir(root + QStringLiteral("OTHER")).removeRecursively();
    QTest::mouseClick(button("deleteFolderButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42028}));
    EXPECT_EQ(item(root + QStringLiteral("OTHER/")), nullptr);
}

TEST_F(DriveDlgTest, RenamesAFolder) {
    open(root + QStringLiteral("DATA/"));
    QString proposed;
    QString caption;
    answerFolderDialog({QStringLiteral("OTHER")}, &proposed, &caption);
    QTest::mouseClick(button("renameFolderButton"), Qt::LeftButton);
    EXPECT_EQ(caption, QStringLiteral("フォルダ名の変更"));
    EXPECT_EQ(proposed, QStringLiteral("DATA"));
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42027}));

    answerFolderDialog({QStringLiteral("DOCS")});
    QTest::mouseClick(button("renameFolderButton"), Qt::LeftButton);
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("DOCS/abc.QXF")).isFile());
    QTreeWidgetItem* renamed = item(root + QStringLiteral("DOCS/"));
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->text(0), QStringLiteral("DOCS"));
    EXPECT_EQ(tree()->currentItem(), renamed);
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DOCS/"));
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(0), QStringLiteral("abc.QXF"));
    // Its sub-folders are read again under the new path.
    QTest::keyClick(tree(), Qt::Key_Right);
    EXPECT_NE(item(root + QStringLiteral("DOCS/SUB/")), nullptr);

    answerFolderDialog({QStringLiteral("docs")}); // the same name in other letter case: nothing
    QTest::mouseClick(button("renameFolderButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42027}));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("DOCS")).isDir());
}

TEST_F(DriveDlgTest, RefreshFindsANewCardAndKeepsTheFolder) {
    open(root + QStringLiteral("DATA/"));
    const QString second = dir.filePath(QStringLiteral("stick")) + QLatin1Char('/');
    QDir().mkpath(second);
    drives.addVolume({toStd(second), "STICK"});
    QTest::mouseClick(button("refreshButton"), Qt::LeftButton);
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(1)->text(0), QStringLiteral("STICK"));
    EXPECT_EQ(dialog->currentFolder(), root + QStringLiteral("DATA/"));
}

TEST_F(DriveDlgTest, RemembersItsRectangles) {
    store.setValue(QStringLiteral("Settings/CFDlg_Main"), QStringLiteral("50,40,750,540"));
    store.setValue(QStringLiteral("Settings/CFDlg_Folder"), QStringLiteral("11,11,211,300"));
    store.setValue(QStringLiteral("Settings/CFDlg_File"), QStringLiteral("217,11,689,300"));
    open();
    EXPECT_EQ(dialog->geometry(), QRect(50, 40, 700, 500));
    EXPECT_NEAR(tree()->width(), 200, 12);
    dialog->reject();

    const auto stored = [this](const char* key) {
        return output::parseDialogRect(store.value(QLatin1String(key)).toString().toStdString());
    };
    EXPECT_EQ(stored("Settings/CFDlg_Main"), (output::DialogRect{50, 40, 750, 540}));
    const auto folder = stored("Settings/CFDlg_Folder");
    const auto split = stored("Settings/CFDlg_Split");
    const auto file = stored("Settings/CFDlg_File");
    ASSERT_TRUE(folder && split && file);
    EXPECT_EQ(folder->right, split->left);
    EXPECT_EQ(split->right, file->left);
    EXPECT_EQ(folder->right - folder->left, tree()->width());

    // Malformed or too small rectangles: the template's layout, never smaller than it.
    store.setValue(QStringLiteral("Settings/CFDlg_Main"), QStringLiteral("oops"));
    open();
    const QSize initial = dialog->size();
    store.setValue(QStringLiteral("Settings/CFDlg_Main"), QStringLiteral("10,10,60,60"));
    open();
    EXPECT_EQ(dialog->size(), initial);
    EXPECT_EQ(dialog->minimumSize(), initial);
}

TEST_F(DriveDlgTest, NoDrivesMeansAnEmptyTree) {
    catalogue = std::make_unique<model::Catalogue>(model::models::QX950W3);
    context =
        std::make_unique<EditorContext>(EditorContext{*catalogue, settings, printOptions, prompter, store});
    dialog = std::make_unique<CDriveDlg>(*context, QStringLiteral(".QXF"), Filter, QStringLiteral("QXPC1"),
                                         root + QStringLiteral("DATA/"));
    dialog->show();
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    save();
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(dialog->isVisible());
}

// With no memory inserted the dialog says so and how to go on; once a stick is in and 更新 is
// pressed the notice goes.
TEST_F(DriveDlgTest, AnEmptyTreeSaysWhyAndRefreshEndsIt) {
    for (const model::ModelType model : {model::models::QX950W3, model::models::QX780}) {
        SCOPED_TRACE(model);
        output::FolderDriveProvider none;
        catalogue = std::make_unique<model::Catalogue>(model);
        context = std::make_unique<EditorContext>(
            EditorContext{*catalogue, settings, printOptions, prompter, store, &none});
        dialog = std::make_unique<CDriveDlg>(*context, QStringLiteral(".QXF"), Filter, QStringLiteral("QXPC1"),
                                             QString());
        dialog->show();
        QCoreApplication::processEvents();
        auto* notice = dialog->findChild<QLabel*>(QStringLiteral("noDriveNotice"));
        ASSERT_NE(notice, nullptr);
        EXPECT_TRUE(notice->isVisible());
        EXPECT_EQ(notice->text(), model == model::models::QX780
                                      ? QStringLiteral("CFカードが見つかりません。差し込んでから［更新］を押してください。")
                                      : QStringLiteral("USBメモリが見つかりません。差し込んでから［更新］を押してください。"));
        none.addVolume({toStd(root), "CARD"});
        QTest::mouseClick(button("refreshButton"), Qt::LeftButton);
        EXPECT_EQ(tree()->topLevelItemCount(), 1);
        EXPECT_FALSE(notice->isVisible());
        dialog.reset();
    }
}

} // namespace
} // namespace qx::ui
