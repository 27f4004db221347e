// A document window in the main frame, driven by keys and menu commands: the editing shortcuts,
// the enabling of the editing commands and the clipboard they leave behind.
#include "ui/frames/ChildFrame.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MainFrame.h"
#include "ui/frames/MainFrameHost.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/StringTable.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/editing/ClipboardMime.h"
#include "ui/editing/EditingController.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"
#include "wirelist/WireListImport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

class NoApplication final : public MainFrameHost {
public:
    bool hasCommand(int) const override { return false; }
    bool runCommand(int) override { return false; }
    bool queryCloseWindow(CChildFrame&) override { return true; }
    void windowDestroyed(EditDocument&) override {}
    bool queryExit() override { return true; }
    void openDroppedFiles(const QStringList&) override {}
};

constexpr model::CharCode FullA = 0x2341;

class EditingWindowTest : public ::testing::Test {
protected:
    EditingWindowTest()
        : store(dir.filePath("settings.ini"), QSettings::IniFormat),
          settings(model::OperatorSettings::defaultsFor(catalogue)),
          context{catalogue, settings, printOptions, prompter, store, nullptr, &notice} {
        QApplication::clipboard()->clear();
        model::EditData data = model::createEditData(catalogue, 1);
        data.blockCount = 3;
        for (int b = 0; b < 3; ++b) {
            data.line(b, 0).chars = {static_cast<model::CharCode>(FullA + b)};
        }
        document = std::make_unique<EditDocument>(context, std::move(data));
        frame = std::make_unique<CMainFrame>(store, host);
        frame->setModelType(catalogue.model());
        window = &frame->addDocumentWindow(*document);
        frame->resize(1000, 700);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        QCoreApplication::processEvents();
    }
    ~EditingWindowTest() override {
        // The windows go with the frame, before the document they show.
        frame.reset();
    }

    CTableCtrl& grid() const { return window->view().grid().grid(); }
    model::EditData& data() const { return document->data(); }
    void select(int left, int top, int right, int bottom) {
        grid().setFocusCell({left, top});
        grid().setSelection({left, top, right, bottom});
        grid().setFocus();
        QCoreApplication::processEvents();
        frame->updateCommandStates();
    }
    void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), modifiers);
        QCoreApplication::processEvents();
    }
    bool enabled(int command) {
        frame->updateCommandStates();
        return frame->action(command)->isEnabled();
    }

    QTemporaryDir dir;
    QSettings store;
    NoApplication host;
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    ForbiddenCharNotice notice{[](QWidget*) { return false; }};
    EditorContext context;
    std::unique_ptr<EditDocument> document;
    std::unique_ptr<CMainFrame> frame;
    CChildFrame* window = nullptr;
};

TEST_F(EditingWindowTest, TypedCellsUndoAndRedoFromTheKeyboard) {
    select(0, 0, 0, 0);
    EXPECT_FALSE(enabled(Command::Undo));
    QTest::keyClicks(&grid(), QStringLiteral("xy"));
    // While the cell is being edited the document window's undo is locked.
    EXPECT_TRUE(window->view().isEditing());
    EXPECT_FALSE(enabled(Command::Redo));
    key(Qt::Key_Return);
    ASSERT_EQ(data().line(0, 0).chars.size(), 2u);
    EXPECT_TRUE(enabled(Command::Undo));
    select(0, 0, 0, 0);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA}));
    EXPECT_TRUE(document->isModified());
    EXPECT_TRUE(enabled(Command::Redo));
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(data().line(0, 0).chars.size(), 2u);
    key(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA}));
}

// A target confirmed with OK is one undo step of its own, also on a document with no steps yet;
// a cancelled dialog records none.
TEST_F(EditingWindowTest, TargetSettingsAreOneUndoStep) {
    bool confirm = true;
    frame->setTargetSettingsRunner([&confirm](QWidget*, const EditorContext&, model::EditData& edited, bool) {
        edited.target.targetSize = 5;
        return confirm;
    });
    const std::int16_t size = data().target.targetSize;
    ASSERT_NE(size, 5);
    select(0, 0, 0, 0);
    frame->runCommand(Command::TargetSettings);
    EXPECT_EQ(data().target.targetSize, 5);
    ASSERT_TRUE(enabled(Command::Undo));
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().target.targetSize, size);
    EXPECT_FALSE(enabled(Command::Undo));

    QTest::keyClicks(&grid(), QStringLiteral("x"));
    key(Qt::Key_Return);
    frame->runCommand(Command::TargetSettings);
    select(0, 0, 0, 0);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().target.targetSize, size) << "the target change is undone first";
    EXPECT_EQ(data().line(0, 0).chars.size(), 1u) << "the typing stays";
    confirm = false;
    frame->runCommand(Command::TargetSettings);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA})) << "a cancelled dialog left no step";
}

// The status bar says what the current document's run comes to, and follows a typed count: three
// new tube blocks print twice each at 20.0 mm; a count of 5 in the first makes it nine pieces.
TEST_F(EditingWindowTest, StatusBarCountsTheRunAsItIsEdited) {
    auto* totals = frame->findChild<QLabel*>(QStringLiteral("runTotals"));
    ASSERT_NE(totals, nullptr);
    EXPECT_TRUE(totals->isVisible());
    EXPECT_EQ(totals->text(), QStringLiteral("3 ﾌﾞﾛｯｸ　6 個　全長 120.0 mm"));
    const int countColumn = window->view().grid().columns().column(ColumnType::Count);
    select(countColumn, 0, countColumn, 0);
    QTest::keyClicks(&grid(), QStringLiteral("5"));
    key(Qt::Key_Return);
    ASSERT_EQ(data().block(0).count, 5);
    EXPECT_EQ(totals->text(), QStringLiteral("3 ﾌﾞﾛｯｸ　9 個　全長 180.0 mm"));
}

TEST_F(EditingWindowTest, CopyPutsOnlyThePrivateFormatsAndPasteTakesThem) {
    select(0, 0, 0, 1);
    key(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("application/x-qt-windows-mime;value=\"KorvintaRow\"")));
    EXPECT_TRUE(mime->hasFormat(QStringLiteral("application/x-qt-windows-mime;value=\"KorvintaFormat\"")));
    EXPECT_FALSE(mime->hasText());
    select(1, 2, 1, 2);
    EXPECT_TRUE(enabled(Command::Paste));
    key(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(data().blockCount, 4);
    EXPECT_EQ(data().line(2, 1).chars, (model::CodeList{FullA}));
    EXPECT_EQ(data().line(3, 1).chars, (model::CodeList{FullA + 1}));
    // Cut is copy and clear.
    select(0, 2, 0, 2);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(data().line(2, 0).chars.empty());
    select(0, 0, 0, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA + 2}));
    // Copy from the underline column leaves the clipboard as it was.
    select(6, 0, 6, 0);
    key(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(clipboardMimeType(formats::ClipboardFormat::Row)));
}

TEST_F(EditingWindowTest, DeleteAndShiftDeleteClearAndCut) {
    select(0, 1, 0, 2);
    key(Qt::Key_Delete);
    EXPECT_TRUE(data().line(1, 0).chars.empty());
    EXPECT_TRUE(data().line(2, 0).chars.empty());
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA}));
    select(0, 0, 0, 0);
    key(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(data().line(0, 0).chars.empty());
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasFormat(clipboardMimeType(formats::ClipboardFormat::Row)));
    EXPECT_EQ(window->editing().history().undoSize(), 2);
}

TEST_F(EditingWindowTest, BlockCommandsFollowTheirEnablingRules) {
    select(0, 3, 7, 5); // only rows past the last block
    EXPECT_FALSE(enabled(Command::BlockInsert));
    EXPECT_FALSE(enabled(Command::Copy));
    select(0, 1, 7, 4);
    EXPECT_TRUE(enabled(Command::BlockInsert));
    EXPECT_TRUE(frame->runCommand(Command::BlockInsert));
    EXPECT_EQ(data().blockCount, 5);
    EXPECT_TRUE(data().line(1, 0).chars.empty());
    EXPECT_EQ(data().line(3, 0).chars, (model::CodeList{FullA + 1}));
    EXPECT_TRUE(frame->runCommand(Command::BlockDelete));
    EXPECT_EQ(data().blockCount, 1);
    // Every dialog behind the block commands is there.
    select(0, 0, 0, 0);
    EXPECT_TRUE(enabled(Command::Sequence));
    EXPECT_TRUE(enabled(Command::Symbol));
    EXPECT_TRUE(enabled(Command::WholeImage));
    EXPECT_TRUE(enabled(Command::Frame));
    // The grid's context menu asks the same rules.
    bool pasteListed = false;
    for (const TableMenuItem& item : window->view().grid().contextMenuItems()) {
        if (item.command == Command::BlockInsert || item.command == Command::Cut) {
            EXPECT_TRUE(item.enabled) << item.command;
        }
        if (item.command == Command::Symbol) {
            EXPECT_TRUE(item.enabled);
        }
        for (const TableMenuItem& sub : item.submenu) {
            if (sub.command == Command::Paste) {
                pasteListed = true;
                EXPECT_FALSE(sub.enabled); // an empty clipboard
            }
        }
    }
    EXPECT_TRUE(pasteListed);
}

TEST_F(EditingWindowTest, SequenceLimitOnPasteShowsItsMessageAndKeepsTheDocument) {
    data().line(0, 0).chars = {0x2F26, 0x2F26, 0x2F26};
    data().block(0).sequenceCount = 3;
    data().line(1, 0).chars = {0x2F26};
    data().block(1).sequenceCount = 1;
    select(0, 1, 0, 1);
    key(Qt::Key_C, Qt::ControlModifier);
    select(1, 0, 1, 0);
    const model::EditData before = data();
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{43064}));
    EXPECT_EQ(data().blocks, before.blocks);
    EXPECT_FALSE(window->editing().history().canUndo());
}

TEST_F(EditingWindowTest, WireListImportGoesInFrontOfTheFocusRowAsOneUndoStep) {
    // The import dialog answered as its OK does: the pieces of one wire, both ends.
    std::optional<int> position;
    EditingDialogs dialogs = window->editing().dialogs();
    dialogs.wireListImport = [&](QWidget*, const WireListImportRequest& request) {
        position = request.position;
        const std::vector<wirelist::Piece> pieces{{{"W1", "X1:1"}, std::nullopt, 5, false},
                                                  {{"W1", "K1:A1"}, std::nullopt, 5, true}};
        wirelist::PieceInsert inserted =
            wirelist::insertPieces(request.current, request.position, pieces, catalogue, settings);
        return std::optional<formats::FileInsertResult>(
            {inserted.merge.ok, inserted.merge.report.messageIds, std::move(inserted.merge.data)});
    };
    window->editing().setDialogs(std::move(dialogs));
    const model::EditData before = data();
    select(0, 1, 0, 1);
    ASSERT_TRUE(enabled(Command::WireListImport));
    EXPECT_TRUE(frame->runCommand(Command::WireListImport));
    EXPECT_EQ(position, 1);
    ASSERT_EQ(data().blockCount, 5);
    EXPECT_EQ(data().line(0, 0).chars, (model::CodeList{FullA}));
    EXPECT_EQ(data().line(1, 0).chars, (model::CodeList{0x2357, 0x2331})); // Ｗ１
    EXPECT_EQ(data().line(3, 0).chars, (model::CodeList{FullA + 1}));
    EXPECT_EQ(grid().selection().top, 1);
    EXPECT_EQ(grid().selection().bottom, 2);
    EXPECT_EQ(window->editing().history().undoSize(), 1);

    select(0, 0, 0, 0);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(data().blockCount, 3);
    EXPECT_EQ(data().blocks, before.blocks);
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(data().blockCount, 5);

    // A document with nothing typed in is made of the pieces, not given them in front of a blank.
    for (int b = 0; b < data().blockCount; ++b) {
        data().line(b, 0).chars.clear();
        data().line(b, 1).chars.clear();
    }
    EXPECT_TRUE(frame->runCommand(Command::WireListImport));
    EXPECT_EQ(position, -1);
    EXPECT_EQ(data().blockCount, 2);
}

// ファイル挿入 opens where open and save-as open: the stored folder of the last file, not the
// program's working folder.
TEST_F(EditingWindowTest, FileInsertStartsInTheStoredFolder) {
    QTemporaryDir files;
    store.setValue(QStringLiteral("Directory/DirectoryPath"), files.path());
    select(0, 1, 0, 1);
    QString opened;
    QTimer::singleShot(0, [&opened] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened = dialog->directory().absolutePath();
        dialog->reject();
    });
    frame->runCommand(Command::FileInsert);
    EXPECT_EQ(QDir(opened), QDir(files.path()));
    EXPECT_EQ(data().blockCount, 3);
}

// 一括変更 of the size or width is kept in a document whose printer sizes the characters itself,
// and the operator is told at once why nothing changes in print; a specified size says nothing.
TEST_F(EditingWindowTest, BulkSizeInAnAutoSizedDocumentTellsWhyItDoesNotPrint) {
    EditingDialogs dialogs = window->editing().dialogs();
    dialogs.bulkChange = [](QWidget*, BulkAttribute) { return std::optional<int>(1); };
    window->editing().setDialogs(dialogs);
    struct Case {
        int sizeMode, pitchAuto, command;
        int told; ///< the notice's message; 0: no notice
    };
    const Case cases[] = {{1, 0, Command::BulkCharSize, 43320},
                          {3, 0, Command::BulkCharWidth, 43321},
                          {0, 0, Command::BulkCharSize, 0},
                          {1, 1, Command::BulkCharSize, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeMode * 10 + c.pitchAuto);
        data().target.sizeMode = static_cast<std::int16_t>(c.sizeMode);
        data().target.pitchAuto = static_cast<std::int16_t>(c.pitchAuto);
        data().line(1, 0).charSize = 3;
        data().line(1, 0).charWidth = 0;
        prompter = output::testing::ScriptedPrompter();
        select(0, 0, 0, 0);
        frame->runCommand(c.command);
        EXPECT_EQ(c.command == Command::BulkCharSize ? data().line(1, 0).charSize : data().line(1, 0).charWidth, 1);
        if (c.told == 0) {
            EXPECT_TRUE(prompter.shown().empty());
            continue;
        }
        ASSERT_EQ(prompter.shownIds(), std::vector<int>{c.told});
        EXPECT_EQ(prompter.shown().front().icon, output::Icon::Information);
        EXPECT_NE(model::messageText(c.told).find("「指定」"), std::string::npos);
    }
}

// A text column widened by dragging its border is stored at once and shown so in every document
// window: the one beside it now, the next one opened, and the next run's.
TEST_F(EditingWindowTest, ADraggedColumnWidthReachesEveryWindowAndTheStore) {
    ASSERT_TRUE(frame->runCommand(Command::WindowNew));
    ASSERT_EQ(frame->documentWindows().size(), 2u);
    CChildFrame* second = frame->documentWindows().back();
    frame->documentWindows().front()->parentWidget()->showMaximized();
    QCoreApplication::processEvents();
    CTableCtrl& table = window->view().grid().grid();
    const int line2 = window->view().grid().columns().column(ColumnType::Line2);
    const QRect cell = table.controller().cellRect({line2, table.firstRow()});
    const QPoint border(cell.right() + 1, table.controller().columnHeaderRect().center().y());
    const QPoint wider = border + QPoint(60, 0);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    QMouseEvent drag(QEvent::MouseMove, QPointF(wider), QPointF(table.mapToGlobal(wider)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&table, &drag);
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, wider);
    const int width = table.columnWidth(line2);
    ASSERT_EQ(width, 154);
    EXPECT_EQ(store.value(QStringLiteral("Settings/ColumnSize01")).toInt(), width);
    EXPECT_EQ(second->view().columnWidths().at(1), width);
    EXPECT_EQ(second->view().columnWidths().at(0), 94);
    ASSERT_TRUE(frame->runCommand(Command::WindowNew));
    EXPECT_EQ(frame->documentWindows().back()->view().columnWidths().at(1), width);
}

} // namespace
} // namespace qx::ui
