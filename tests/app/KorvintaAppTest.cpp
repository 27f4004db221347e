#include "app/KorvintaApp.h"
#include "app/KorvintaDoc.h"
#include "app/SplashWnd.h"
#include "formats/DocumentFile.h"
#include "model/StringTable.h"
#include "output/PrintSettingsStore.h"
#include "support/ScriptedPrompter.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "ui/frames/ChildFrame.h"
#include "ui/CommandIds.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MainFrame.h"
#include "ui/table/TableCtrl.h"
#include "ui/grid/TubePrintTable.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QWhatsThis>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>

namespace qx::app {
namespace {

using output::Answer;
using output::testing::ScriptedPrompter;
namespace Command = ui::Command;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

/// An application on a store in a temporary folder, every dialog answered by the test.
class KorvintaAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(m_dir.isValid());
    }

    QString storePath() const { return m_dir.filePath(QStringLiteral("store.ini")); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    /// Makes the application and answers its dialogs from the members below.
    CKorvintaApp& makeApp() {
        m_store = std::make_unique<QSettings>(storePath(), QSettings::IniFormat);
        m_app = std::make_unique<CKorvintaApp>(*m_store, &m_prompter);
        CKorvintaApp::Dialogs& d = m_app->dialogs();
        d.selectModel = [this](QWidget*, model::ModelType current) {
            m_offeredModel = current;
            return m_model;
        };
        d.targetSettings = [this](QWidget*, const ui::EditorContext&, model::EditData&, bool newDocument) {
            m_targetNewDocument.push_back(newDocument);
            const bool confirm = m_targetAnswers.empty() || m_targetAnswers.front();
            if (!m_targetAnswers.empty()) {
                m_targetAnswers.pop_front();
            }
            return confirm;
        };
        d.saveTarget = [this](QWidget*, const ui::EditorContext&, const QString& name, const QString& folder)
            -> std::optional<ui::SaveTarget> {
            m_proposed.push_back(name);
            m_proposedFolder = folder;
            if (m_savePath.isEmpty()) {
                return std::nullopt;
            }
            return ui::SaveTarget{m_savePath, false, {}};
        };
        d.openFile = [this](QWidget*, const QString&) { return m_openPath; };
        d.about = [this](QWidget*) { ++m_aboutShown; };
        d.openManual = [this](const QUrl& url) {
            m_manuals.push_back(url);
            return m_manualOpening;
        };
        return *m_app;
    }

    /// Starts without the splash and waits for the deferred start-up.
    CKorvintaApp& startApp(StartupOptions options = {}) {
        options.splash = false;
        CKorvintaApp& app = makeApp();
        EXPECT_TRUE(app.initialise(options));
        for (int i = 0; i < 50 && !app.isStarted(); ++i) {
            QTest::qWait(5);
        }
        EXPECT_TRUE(app.isStarted());
        return app;
    }

    void TearDown() override {
        m_app.reset();
        settle();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CKorvintaApp> m_app;
    model::ModelType m_model = 9;
    std::optional<model::ModelType> m_offeredModel;
    std::deque<bool> m_targetAnswers;
    std::vector<bool> m_targetNewDocument;
    std::vector<QString> m_proposed;
    QString m_proposedFolder;
    QString m_savePath;
    QString m_openPath;
    int m_aboutShown = 0;
    std::vector<QUrl> m_manuals;
    CKorvintaApp::ManualOpening m_manualOpening = CKorvintaApp::ManualOpening::Opened;
};

TEST_F(KorvintaAppTest, KeyPressEndsSplashAndRunsTheStartUpOnce) {
    CKorvintaApp& app = makeApp();
    ASSERT_TRUE(app.initialise(StartupOptions{}));
    ASSERT_NE(app.splash(), nullptr);
    EXPECT_TRUE(app.splash()->isVisible());
    EXPECT_FALSE(app.isStarted());

    // F1 would open the manual; while the splash shows, the press only ends the splash.
    QTest::keyClick(app.mainFrame(), Qt::Key_F1);
    settle();
    EXPECT_TRUE(m_manuals.empty());
    EXPECT_EQ(app.splash(), nullptr);
    ASSERT_TRUE(app.isStarted());
    EXPECT_EQ(m_offeredModel, 9); // empty store: the QX-950W3
    EXPECT_EQ(app.modelType(), 9);
    // No file named: a new document, with its target dialog first.
    ASSERT_EQ(m_targetNewDocument, std::vector<bool>{true});
    ASSERT_EQ(app.documents().size(), 1u);
    EXPECT_EQ(app.documents().front()->title(), QStringLiteral("QXPC1"));
    EXPECT_TRUE(app.documents().front()->isModified());

    app.mainFrame()->runCommand(Command::DeferredStartup);
    EXPECT_EQ(app.documents().size(), 1u);
}

TEST_F(KorvintaAppTest, StoredValuesAreReadForTheChosenModelAndWrittenAtExit) {
    {
        QSettings seed(storePath(), QSettings::IniFormat);
        seed.setValue(QStringLiteral("Config/ModelType"), 5);
        seed.setValue(QStringLiteral("Config/NumberTube"), 500);
        seed.setValue(QStringLiteral("Config/PrintFont"), 2);
    }
    m_model = 0;
    m_targetAnswers = {false};
    CKorvintaApp& app = startApp();
    EXPECT_EQ(m_offeredModel, 5);
    EXPECT_EQ(app.settings().numberTube, 100); // the QX-780's bound, not the W2's
    EXPECT_EQ(app.settings().zeroSlash, 1);
    EXPECT_TRUE(app.documents().empty());

    app.mainFrame()->close();
    settle();
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Config/ModelType")).toInt(), 0);
    EXPECT_EQ(written.value(QStringLiteral("Config/NumberTube")).toInt(), 100);
    EXPECT_EQ(written.value(QStringLiteral("Config/ZeroSlash")).toInt(), 1);
    EXPECT_EQ(written.value(QStringLiteral("Print/HeatVolume")).toInt(), 4);
    EXPECT_TRUE(written.contains(QStringLiteral("Settings/WndMainPosition")));
    EXPECT_TRUE(written.contains(QStringLiteral("Config/DefaultCfDrive")));
}

// Defaults confirmed in 環境設定 reach the store at once, not only at exit: a crash keeps them.
TEST_F(KorvintaAppTest, ConfirmedEnvironmentSettingsAreWrittenAtOnce) {
    CKorvintaApp& app = startApp();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* count = dialog->findChild<ui::CTargetDlgSpinEdit*>(QStringLiteral("numberTube"));
        ASSERT_NE(count, nullptr);
        count->setText(QStringLiteral("3"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    ASSERT_TRUE(app.mainFrame()->runCommand(Command::EnvironmentSettings));
    EXPECT_EQ(app.settings().numberTube, 3);
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Config/NumberTube")).toInt(), 3);
}

// On a Japanese desktop the documents folder is the one user-dirs.dirs names; the editor takes it
// from the desktop and qxtool reads the same file, so both keep the named print settings there.
TEST_F(KorvintaAppTest, DocumentsFolderOfTheDesktopReachesTheCore) {
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", m_dir.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral(".config")));
    writeFile(path(".config/user-dirs.dirs"), QByteArray("XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n"));

    const CKorvintaApp& app = startApp();
    const std::string expected = (m_dir.path() + QStringLiteral("/ドキュメント")).toStdString();
    EXPECT_EQ(app.settings().documentsFolder, expected);
    EXPECT_EQ(output::userDocumentsFolder().string(), expected);

    qputenv("HOME", oldHome);
    if (!oldConfig.isEmpty()) {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
}

TEST_F(KorvintaAppTest, CancelledNewDocumentLeavesNoWindow) {
    m_targetAnswers = {true, false, true};
    CKorvintaApp& app = startApp();
    ASSERT_EQ(app.mainFrame()->documentWindows().size(), 1u);
    EXPECT_TRUE(app.mainFrame()->runCommand(Command::FileNew));
    EXPECT_EQ(app.mainFrame()->documentWindows().size(), 1u);
    EXPECT_TRUE(app.mainFrame()->runCommand(Command::FileNew));
    ASSERT_EQ(app.documents().size(), 2u);
    EXPECT_EQ(app.documents().back()->title(), QStringLiteral("QXPC2"));
    // A new document is unsaved: its name carries the star.
    EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("コルビンタ PCエディタ - [QXPC2*]"));
}

TEST_F(KorvintaAppTest, MainTitleNamesTheActiveDocumentInEveryWindowState) {
    m_targetAnswers = {true, true};
    CKorvintaApp& app = startApp();
    ASSERT_TRUE(app.mainFrame()->runCommand(Command::FileNew));
    settle();
    const QString full = QStringLiteral("コルビンタ PCエディタ - [QXPC2*]");
    EXPECT_EQ(app.mainFrame()->windowTitle(), full);

    app.mainFrame()->runCommand(Command::WindowTile);
    settle();
    EXPECT_EQ(app.mainFrame()->windowTitle(), QStringLiteral("コルビンタ PCエディタ - QXPC2*"));

    // Back to full size, the title carries the document once, not the tiled title as well.
    app.mainFrame()->documentWindows().back()->parentWidget()->showMaximized();
    settle();
    EXPECT_EQ(app.mainFrame()->windowTitle(), full);
}

TEST_F(KorvintaAppTest, NewerModelFileShows42001AndNoWindow) {
    const model::Catalogue newer(9);
    const model::EditData data = model::createEditData(newer, 1);
    const formats::SaveDocumentResult saved =
        formats::saveDocumentFile(data, newer, model::OperatorSettings::defaultsFor(newer));
    ASSERT_TRUE(saved.ok);
    writeFile(path("newer.QXF"), QByteArray(reinterpret_cast<const char*>(saved.bytes.data()),
                                            static_cast<qsizetype>(saved.bytes.size())));
    m_model = 0;
    StartupOptions options;
    options.documentPath = path("newer.QXF");
    CKorvintaApp& app = startApp(options);
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{42001});
    EXPECT_TRUE(app.documents().empty());
    EXPECT_TRUE(app.mainFrame()->documentWindows().empty());
}

TEST_F(KorvintaAppTest, MissingFileGivesTheNotFoundMessageWithItsPath) {
    CKorvintaApp& app = startApp();
    m_openPath = path("gone.QXF");
    app.mainFrame()->runCommand(Command::FileOpen);
    ASSERT_EQ(m_prompter.shownIds(), std::vector<int>{61729});
    EXPECT_NE(m_prompter.shown().front().text.find("gone.QXF"), std::string::npos);
    EXPECT_EQ(app.documents().size(), 1u);
}

TEST_F(KorvintaAppTest, SaveAsWritesTheFileAndNamesTheDocument) {
    CKorvintaApp& app = startApp();
    m_savePath = path("saved.QXF");
    ASSERT_TRUE(app.mainFrame()->runCommand(Command::FileSave)); // never saved: asks where
    EXPECT_EQ(m_proposed, std::vector<QString>{QStringLiteral("QXPC1")});
    EXPECT_EQ(fileContents(m_savePath).size(), 28476);
    CKorvintaDoc& document = *app.documents().front();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.title(), QStringLiteral("saved.QXF"));
    EXPECT_EQ(app.recentFiles().value(0), QFileInfo(m_savePath).absoluteFilePath());
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(QDir(written.value(QStringLiteral("Directory/DirectoryPath")).toString()), QDir(m_dir.path()));

    // Save As proposes the document's own name in its own folder.
    m_savePath.clear();
    app.mainFrame()->runCommand(Command::FileSaveAs);
    EXPECT_EQ(m_proposed.back(), QStringLiteral("saved.QXF"));
    EXPECT_EQ(QDir(m_proposedFolder), QDir(m_dir.path()));

    // The saved file opens again (into a second document: a copy under another name).
    QFile::copy(path("saved.QXF"), path("copy.QXF"));
    CKorvintaDoc* reopened = app.openDocumentFile(path("copy.QXF"));
    ASSERT_NE(reopened, nullptr);
    EXPECT_FALSE(reopened->isModified());
    EXPECT_EQ(app.openDocumentFile(path("copy.QXF")), reopened);
    EXPECT_EQ(app.documents().size(), 2u);
}

// Unsaved changes show as a star after the document's name, in the main title and on its window,
// until the document is saved.
TEST_F(KorvintaAppTest, TitlesMarkUnsavedChangesUntilSaved) {
    CKorvintaApp& app = startApp();
    settle();
    CKorvintaDoc& document = *app.documents().front();
    QWidget* sub = app.mainFrame()->documentWindows().front()->parentWidget();
    document.setModified(false);
    EXPECT_EQ(app.mainFrame()->windowTitle().toStdString(), std::string("コルビンタ PCエディタ - [QXPC1]"));
    EXPECT_EQ(sub->windowTitle().toStdString(), std::string("QXPC1"));

    document.setModified(true);
    EXPECT_EQ(app.mainFrame()->windowTitle().toStdString(), std::string("コルビンタ PCエディタ - [QXPC1*]"));
    EXPECT_EQ(sub->windowTitle().toStdString(), std::string("QXPC1*"));

    m_savePath = path("run.QXF");
    ASSERT_TRUE(app.mainFrame()->runCommand(Command::FileSave));
    EXPECT_EQ(app.mainFrame()->windowTitle().toStdString(), std::string("コルビンタ PCエディタ - [run.QXF]"));
    EXPECT_EQ(sub->windowTitle().toStdString(), std::string("run.QXF"));
}

TEST_F(KorvintaAppTest, CsvSaveKeepsTheDocumentModifiedAndUnnamed) {
    CKorvintaApp& app = startApp();
    m_savePath = path("rows.CSV");
    app.mainFrame()->runCommand(Command::FileSaveAs);
    EXPECT_TRUE(QFile::exists(m_savePath));
    EXPECT_TRUE(app.documents().front()->isModified());
    EXPECT_EQ(app.documents().front()->title(), QStringLiteral("QXPC1"));
}

TEST_F(KorvintaAppTest, FailedTrialKeepsTheOldFileAndShowsTheBlock) {
    CKorvintaApp& app = startApp();
    writeFile(path("keep.QXF"), "previous contents");
    CKorvintaDoc& document = *app.documents().front();
    document.data().blockCount = 3;
    document.data().block(2).lineCount = 2;
    document.data().line(2, 1).chars.assign(6000, 0x2341);
    document.notifyChanged(ui::UpdateHint::Everything);

    m_savePath = path("keep.QXF");
    EXPECT_FALSE(app.saveDocument(document, true));
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{42002});
    EXPECT_EQ(fileContents(path("keep.QXF")), QByteArray("previous contents"));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.title(), QStringLiteral("QXPC1"));
    const ui::CTableCtrl& grid = app.mainFrame()->activeWindow()->view().grid().grid();
    EXPECT_EQ(grid.focusRow(), 2);
    EXPECT_EQ(grid.focusColumn(), 1);
}

TEST_F(KorvintaAppTest, WriteFailureNamesTheCauseAndKeepsTheDocument) {
    CKorvintaApp& app = startApp();
    m_savePath = path("no-such-folder/a.QXF");
    EXPECT_FALSE(app.saveDocument(*app.documents().front(), true));
    ASSERT_EQ(m_prompter.shownIds(), std::vector<int>{61729});
    EXPECT_TRUE(app.documents().front()->isModified());
}

TEST_F(KorvintaAppTest, CsvOpensUntitledWith42009AndTheTargetDialog) {
    writeFile(path("rows.CSV"), "ABC,DEF,,,3,25.0\r\nGHI,,,,1,30.0\r\n");
    m_targetAnswers = {false, true, false};
    CKorvintaApp& app = startApp(); // the first new document is cancelled
    ASSERT_TRUE(app.documents().empty());

    CKorvintaDoc* opened = app.openDocumentFile(path("rows.CSV"));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{42009});
    EXPECT_EQ(opened->title(), QStringLiteral("QXPC1"));
    EXPECT_TRUE(opened->pathName().isEmpty());
    EXPECT_TRUE(opened->isModified());
    EXPECT_EQ(opened->data().blockCount, 2);
    EXPECT_EQ(m_targetNewDocument.back(), true);

    // Cancelling the target dialog closes the document again, without the save question.
    EXPECT_EQ(app.openDocumentFile(path("rows.CSV")), nullptr);
    settle();
    EXPECT_EQ(m_prompter.shownIds(), (std::vector<int>{42009, 42009}));
    EXPECT_EQ(app.documents().size(), 1u);
    EXPECT_EQ(app.mainFrame()->documentWindows().size(), 1u);
}

TEST_F(KorvintaAppTest, ClosingAModifiedDocumentAsks61699) {
    CKorvintaApp& app = startApp();
    m_prompter = ScriptedPrompter({Answer::Cancel, Answer::No});
    app.mainFrame()->runCommand(Command::FileClose);
    settle();
    ASSERT_EQ(m_prompter.shownIds(), std::vector<int>{61699});
    EXPECT_EQ(m_prompter.shown().front().text, "QXPC1 への変更を保存しますか?");
    EXPECT_EQ(m_prompter.shown().front().icon, output::Icon::Question);
    EXPECT_EQ(app.documents().size(), 1u);

    app.mainFrame()->runCommand(Command::FileClose);
    settle();
    EXPECT_TRUE(app.documents().empty());
    EXPECT_TRUE(app.mainFrame()->documentWindows().empty());
    // Without a document the bar is menu 128 again.
    EXPECT_EQ(app.mainFrame()->shownMenus().size(), 2);
}

TEST_F(KorvintaAppTest, ExitQuestionCanKeepTheProgramRunning) {
    CKorvintaApp& app = startApp();
    m_prompter = ScriptedPrompter({Answer::Cancel});
    EXPECT_FALSE(app.mainFrame()->close());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_FALSE(written.contains(QStringLiteral("Config/ModelType")));
}

TEST_F(KorvintaAppTest, CommandsAreEnabledOnceTheirPartsExist) {
    CKorvintaApp& app = startApp();
    ui::CMainFrame& frame = *app.mainFrame();
    frame.updateCommandStates();
    // Nothing has been done yet that could be undone.
    ASSERT_NE(frame.action(Command::Undo), nullptr);
    EXPECT_FALSE(frame.action(Command::Undo)->isEnabled());
    for (const int command : {Command::WholeImage, Command::FileNew, Command::FileSave, Command::TargetSettings, Command::HelpIndex,
                              Command::FileInsert, Command::BlockInsert, Command::Sequence, Command::FilePrint,
                              Command::Send, Command::EnvironmentSettings}) {
        EXPECT_TRUE(frame.action(command)->isEnabled()) << command;
    }
    frame.runCommand(Command::HelpIndex);
    ASSERT_EQ(m_manuals.size(), 1u);
    EXPECT_TRUE(m_manuals.front().toLocalFile().endsWith(QStringLiteral("/KorvintaPCEditor_Manual.pdf")));
    EXPECT_TRUE(m_prompter.shown().empty());
    // Help that cannot be shown says why instead of doing nothing.
    m_manualOpening = CKorvintaApp::ManualOpening::NoViewer;
    frame.runCommand(Command::Help);
    ASSERT_EQ(m_prompter.shown().size(), 1u);
    EXPECT_TRUE(m_prompter.shown().back().text.starts_with("取扱説明書を開けませんでした。"));
    m_manualOpening = CKorvintaApp::ManualOpening::Missing;
    frame.runCommand(Command::HelpIndex);
    ASSERT_EQ(m_prompter.shown().size(), 2u);
    EXPECT_TRUE(m_prompter.shown().back().text.starts_with("取扱説明書が見つかりません。"));
    frame.runCommand(Command::AppAbout);
    EXPECT_EQ(m_aboutShown, 1);
}

TEST_F(KorvintaAppTest, ContextHelpOpensTheManualAtThePointedElement) {
    CKorvintaApp& app = startApp();
    ui::CMainFrame& frame = *app.mainFrame();
    frame.runCommand(Command::ContextHelp);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    EXPECT_TRUE(m_manuals.empty()); // not before the operator has pointed at something

    QWidget* grid = frame.activeWindow()->view().findChild<ui::CTableCtrl*>();
    ASSERT_NE(grid, nullptr);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(40, 40));
    settle();
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    ASSERT_EQ(m_manuals.size(), 1u);
    EXPECT_TRUE(m_manuals.front().toLocalFile().endsWith(QStringLiteral("/KorvintaPCEditor_Manual.pdf")));

    // Esc gives up pointing; a later click is an ordinary click again.
    frame.runCommand(Command::ContextHelp);
    QTest::keyClick(grid, Qt::Key_Escape);
    settle();
    EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(m_manuals.size(), 1u);
}

TEST_F(KorvintaAppTest, StatusBarSpeaksForTheHighlightedCommand) {
    CKorvintaApp& app = startApp();
    ui::CMainFrame& frame = *app.mainFrame();
    QAction* target = frame.action(Command::TargetSettings);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->statusTip(), QStringLiteral("印刷物設定画面の表示"));
    EXPECT_EQ(target->toolTip(), QStringLiteral("印刷物設定"));
    target->showStatusText(&frame); // what a menu does while the item is highlighted
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("印刷物設定画面の表示"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&frame, &leave); // the highlight leaves the item
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(frame.statusMessage(), QStringLiteral("レディ"));

    // Every command of the menus and the tool bar has a prompt and a tool tip of its own.
    for (QAction* action : frame.findChildren<QAction*>()) {
        const int command = action->data().toInt();
        if (command >= Command::FileInsert && !action->text().isEmpty() && command < 0xF000 &&
            command != Command::DeferredStartup) {
            EXPECT_FALSE(action->statusTip().isEmpty()) << command;
        }
    }

    // The offscreen platform cannot tell the lock keys: no indicator pretends to know them.
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QStringLiteral("indicator"))) {
            EXPECT_FALSE(label->isVisibleTo(&frame)) << label->objectName().toStdString();
        }
    }
}

TEST_F(KorvintaAppTest, PaneRatiosKeepTheirOwnKeys) {
    {
        QSettings seeded(storePath(), QSettings::IniFormat);
        seeded.setValue(QStringLiteral("Settings/PaneRatioH"), 40);
        seeded.setValue(QStringLiteral("Settings/PaneRatioV"), 85);
    }
    CKorvintaApp& app = startApp();
    ASSERT_NE(app.mainFrame()->activeWindow(), nullptr);
    EXPECT_EQ(app.mainFrame()->activeWindow()->paneRatioH(), 40);
    EXPECT_EQ(app.mainFrame()->activeWindow()->paneRatioV(), 85);
    app.documents().front()->setModified(false);
    app.mainFrame()->runCommand(Command::FileClose);
    settle();
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Settings/PaneRatioH")).toInt(), 40);
    EXPECT_EQ(written.value(QStringLiteral("Settings/PaneRatioV")).toInt(), 85);
}

TEST_F(KorvintaAppTest, DocumentWindowKeepsItsLayoutForTheNextOne) {
    CKorvintaApp& app = startApp();
    ui::CChildFrame* window = app.mainFrame()->activeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->paneRatioV(), 70);
    EXPECT_EQ(window->view().modeText(), QStringLiteral("ピッチ長モード"));
    window->setNormalSize(QSize(640, 480));
    app.documents().front()->setModified(false);
    app.mainFrame()->runCommand(Command::FileClose);
    settle();
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Settings/WndChildSize")).toString(), QStringLiteral("640,480"));
    EXPECT_EQ(written.value(QStringLiteral("Settings/PaneRatioV")).toInt(), 70);
    EXPECT_EQ(written.value(QStringLiteral("Settings/ColumnSize00")).toInt(), 94);
}

TEST_F(KorvintaAppTest, EmptyDocumentFileOpensAsANewNamedDocument) {
    writeFile(path("empty.QXF"), QByteArray());
    StartupOptions options;
    options.documentPath = path("empty.QXF");
    CKorvintaApp& app = startApp(options);
    ASSERT_EQ(app.documents().size(), 1u);
    CKorvintaDoc& document = *app.documents().front();
    EXPECT_EQ(document.title(), QStringLiteral("empty.QXF"));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.data().blockCount, 1);
    EXPECT_TRUE(m_targetNewDocument.empty());
}

TEST_F(KorvintaAppTest, DroppedFilesOpenOneAfterTheOther) {
    writeFile(path("a.QXF"), QByteArray());
    writeFile(path("b.QXF"), QByteArray());
    CKorvintaApp& app = startApp();
    app.openDroppedFiles({path("a.QXF"), path("b.QXF")});
    ASSERT_EQ(app.documents().size(), 3u);
    EXPECT_EQ(app.documents()[1]->title(), QStringLiteral("a.QXF"));
    EXPECT_EQ(app.activeDocument(), app.documents()[2]);
}

TEST_F(KorvintaAppTest, MinimisedPlacementComesBackNormal) {
    {
        QSettings seed(storePath(), QSettings::IniFormat);
        seed.setValue(QStringLiteral("Settings/WndMainPosition"), QStringLiteral("0,2,-1,-1,-1,-1,50,60,850,660"));
    }
    CKorvintaApp& app = startApp();
    EXPECT_FALSE(app.mainFrame()->isMinimized());
    EXPECT_FALSE(app.mainFrame()->isMaximized());
    EXPECT_EQ(app.mainFrame()->geometry().size(), QSize(800, 600));
}

TEST_F(KorvintaAppTest, ExitAnsweredYesSavesBeforeTheSettingsAreWritten) {
    CKorvintaApp& app = startApp();
    m_prompter = ScriptedPrompter({Answer::Yes});
    m_savePath = path("at-exit.QXF");
    EXPECT_TRUE(app.mainFrame()->close());
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{61699});
    EXPECT_EQ(fileContents(m_savePath).size(), 28476);
    QSettings written(storePath(), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("Config/ModelType")).toInt(), 9);
    EXPECT_EQ(written.value(QStringLiteral("Recent File List/File1")).toString(),
              QFileInfo(m_savePath).absoluteFilePath());
}

TEST_F(KorvintaAppTest, CtrlTabInTheGridGoesToTheNextDocumentWindow) {
    CKorvintaApp& app = startApp();
    ASSERT_TRUE(app.mainFrame()->runCommand(Command::FileNew));
    settle();
    ASSERT_EQ(app.documents().size(), 2u);
    app.mainFrame()->show();
    QApplication::setActiveWindow(app.mainFrame());
    ASSERT_TRUE(QTest::qWaitForWindowActive(app.mainFrame()));
    ui::CChildFrame* before = app.mainFrame()->activeWindow();
    ASSERT_NE(before, nullptr);
    auto* grid = before->findChild<ui::CTableCtrl*>();
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    settle();
    EXPECT_NE(app.mainFrame()->activeWindow(), before);
}

} // namespace
} // namespace qx::app
