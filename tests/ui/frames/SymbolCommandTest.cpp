// The 記号入力 command of a document window, from the menu and from the open cell editor, for the
// first generation (one symbol, CMarkDlg) and the later ones (the whole line, CMarkDlgV9); and the
// 連番設定 command of the open cell editor, whose early models hold one number per block.
#include "ui/frames/ChildFrame.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MainFrame.h"
#include "ui/frames/MainFrameHost.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "render/PrintFont.h"
#include "render/SymbolPictures.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/dialogs/sequence/SeqDlgV9.h"
#include "ui/dialogs/symbol/MarkDlg.h"
#include "ui/dialogs/symbol/MarkDlgV9.h"
#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolGrid.h"
#include "ui/editing/EditingController.h"
#include "ui/grid/CellEdit.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
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
constexpr model::CharCode FullB = 0x2342;

class SymbolCommandTest : public ::testing::Test {
protected:
    SymbolCommandTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}
    ~SymbolCommandTest() override { frame.reset(); }

    void open(model::ModelType model) {
        frame.reset();
        document.reset();
        catalogue = std::make_unique<model::Catalogue>(model);
        settings = model::OperatorSettings::defaultsFor(*catalogue);
        context = std::make_unique<EditorContext>(
            EditorContext{*catalogue, settings, printOptions, prompter, store, nullptr, &notice});
        context->symbolPictures = &pictures;
        model::EditData data = model::createEditData(*catalogue, 1);
        data.blockCount = 2;
        data.line(0, 0).chars = {FullA, FullB};
        data.line(1, 0).chars = {FullB};
        document = std::make_unique<EditDocument>(*context, std::move(data));
        frame = std::make_unique<CMainFrame>(store, host);
        frame->setModelType(model);
        window = &frame->addDocumentWindow(*document);
        frame->resize(1000, 700);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        grid().setFocusCell({0, 0});
        grid().setSelection({0, 0, 0, 0});
        grid().setFocus();
        QCoreApplication::processEvents();
    }

    CTableCtrl& grid() const { return window->view().grid().grid(); }
    bool enabled(int command) {
        frame->updateCommandStates();
        return frame->action(command)->isEnabled();
    }

    /// Runs `act` on the modal dialog once `start` has opened it.
    template <class Dialog> void withDialog(const std::function<void()>& start, const std::function<void(Dialog&)>& act) {
        bool seen = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || seen) {
                return;
            }
            seen = true;
            auto* typed = qobject_cast<Dialog*>(dialog);
            EXPECT_NE(typed, nullptr) << "another dialog opened";
            if (typed != nullptr) {
                act(*typed);
            }
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
        timer.start();
        start();
        EXPECT_TRUE(seen);
    }
    static void click(QDialog& dialog, const char* name) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QTemporaryDir dir;
    QSettings store;
    NoApplication host;
    render::SymbolPictures pictures{render::resolvePrintFontFamily()};
    std::unique_ptr<model::Catalogue> catalogue;
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    ForbiddenCharNotice notice{[](QWidget*) { return false; }};
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<EditDocument> document;
    std::unique_ptr<CMainFrame> frame;
    CChildFrame* window = nullptr;
};

// The menu command puts the chosen symbol into the focus line as one undo step; the QX-790's
// symbol becomes the line, the later models' dialog edits the line as it is.
TEST_F(SymbolCommandTest, MenuCommandInsertsTheSymbolAsOneUndoStep) {
    struct Row {
        model::ModelType model;
        model::CodeList after;
    };
    for (const Row& row : std::vector<Row>{{model::models::QX790, {0x2A22}},
                                           {model::models::QX900W, {FullA, FullB, 0x2A22}},
                                           {model::models::QX950W3, {FullA, FullB, 0x2A22}}}) {
        SCOPED_TRACE(row.model);
        open(row.model);
        ASSERT_TRUE(enabled(Command::Symbol));
        const int undoBefore = window->editing().history().undoSize();
        if (row.model < 2) {
            withDialog<CMarkDlg>([&] { frame->runCommand(Command::Symbol); }, [](CMarkDlg& dialog) {
                dialog.grid().setFocus();
                QTest::keyClick(&dialog.grid(), Qt::Key_Right);
                click(dialog, "okButton");
            });
        } else {
            withDialog<CMarkDlgV9>([&] { frame->runCommand(Command::Symbol); }, [](CMarkDlgV9& dialog) {
                EXPECT_EQ(dialog.edit().text(), QStringLiteral("ＡＢ"));
                dialog.grid().select(1);
                click(dialog, "insertButton");
                click(dialog, "okButton");
            });
        }
        EXPECT_EQ(document->data().line(0, 0).chars, row.after);
        EXPECT_EQ(window->editing().history().undoSize(), undoBefore + 1);
        EXPECT_TRUE(document->isModified());
        grid().setFocus();
        frame->runCommand(Command::Undo);
        EXPECT_EQ(document->data().line(0, 0).chars, (model::CodeList{FullA, FullB}));
        frame.reset();
    }
}

// A cancelled dialog changes nothing and records no step.
TEST_F(SymbolCommandTest, CancelLeavesTheDocumentAlone) {
    open(model::models::QX950W3);
    withDialog<CMarkDlgV9>([&] { frame->runCommand(Command::Symbol); },
                           [](CMarkDlgV9& dialog) { click(dialog, "cancelButton"); });
    EXPECT_EQ(document->data().line(0, 0).chars, (model::CodeList{FullA, FullB}));
    EXPECT_FALSE(window->editing().history().canUndo());
    EXPECT_FALSE(document->isModified());
}

// The open cell editor's 記号入力 item: the QX-790's symbol goes in at the caret as "{記号}"; the
// later dialog starts from the editor's text and the editor takes its line back.
TEST_F(SymbolCommandTest, CellEditorItemWorksOnTheEditorsText) {
    for (const model::ModelType model : {model::models::QX790, model::models::QX950W2}) {
        SCOPED_TRACE(model);
        open(model);
        frame->runCommand(Command::BeginEdit);
        auto* editor = qobject_cast<CCellEdit*>(window->view().grid().activeEditor());
        ASSERT_NE(editor, nullptr);
        editor->setCursorPosition(1); // between Ａ and Ｂ
        const auto menu = editor->contextMenuItems();
        const auto item = std::find_if(menu.begin(), menu.end(),
                                       [](const CellEditMenuItem& i) { return i.command == CellEditCommand::Symbol; });
        ASSERT_NE(item, menu.end());
        EXPECT_TRUE(item->enabled);
        if (model < 2) {
            withDialog<CMarkDlg>([&] { editor->runCommand(CellEditCommand::Symbol); }, [](CMarkDlg& dialog) {
                dialog.groupCombo().setCurrentIndex(2); // 単位, 0x2B21 on
                click(dialog, "okButton");
            });
            EXPECT_EQ(editor->text(), QStringLiteral("Ａ{記号}Ｂ"));
            EXPECT_EQ(editor->cursorPosition(), 5);
        } else {
            withDialog<CMarkDlgV9>([&] { editor->runCommand(CellEditCommand::Symbol); }, [](CMarkDlgV9& dialog) {
                EXPECT_EQ(dialog.edit().text(), QStringLiteral("ＡＢ"));
                dialog.groupCombo().setCurrentIndex(2);
                click(dialog, "insertButton");
                click(dialog, "okButton");
            });
            EXPECT_EQ(editor->text(), QStringLiteral("ＡＢ{記号}"));
        }
        // The edit goes on; the document has not changed yet.
        EXPECT_TRUE(window->view().isEditing());
        EXPECT_EQ(document->data().line(0, 0).chars, (model::CodeList{FullA, FullB}));
        // The focus goes back to the editor (the window's focus widget once it is active again).
        EXPECT_EQ(editor->window()->focusWidget(), editor);
        QTest::keyClick(editor, Qt::Key_Return);
        const model::CodeList expected =
            model < 2 ? model::CodeList{FullA, 0x2B21, FullB} : model::CodeList{FullA, FullB, 0x2B21};
        EXPECT_EQ(document->data().line(0, 0).chars, expected);
        frame.reset();
    }
}

// A number put into the open editor of an early model uses up its block: neither the menu nor
// the editor's own item offers a second one, and the committed block holds one marker and one
// definition.
TEST_F(SymbolCommandTest, EarlyModelEditorTakesOneSequenceNumberPerBlock) {
    for (const model::ModelType model : {model::models::QX900W, model::models::QX950W}) {
        SCOPED_TRACE(model);
        open(model);
        frame->runCommand(Command::BeginEdit);
        auto* editor = qobject_cast<CCellEdit*>(window->view().grid().activeEditor());
        ASSERT_NE(editor, nullptr);
        editor->end(false);
        QTest::keyClicks(editor, QStringLiteral("X"));
        ASSERT_TRUE(enabled(Command::Sequence));
        withDialog<CSeqDlgV9>([&] { frame->runCommand(Command::Sequence); },
                              [](CSeqDlgV9& dialog) { click(dialog, "okButton"); });
        ASSERT_TRUE(window->view().isEditing());
        EXPECT_EQ(editor->cellSequenceCount(), 1);
        EXPECT_FALSE(enabled(Command::Sequence));
        const auto menu = editor->contextMenuItems();
        const auto item = std::find_if(menu.begin(), menu.end(), [](const CellEditMenuItem& i) {
            return i.command == CellEditCommand::Sequence;
        });
        ASSERT_NE(item, menu.end());
        EXPECT_FALSE(item->enabled);
        // Even when asked regardless, no second dialog opens and nothing is added.
        bool opened = false;
        QTimer::singleShot(200, [&opened] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                opened = true;
                dialog->accept();
            }
        });
        frame->runCommand(Command::Sequence);
        QTest::qWait(250);
        EXPECT_FALSE(opened);
        QTest::keyClick(editor, Qt::Key_Return);
        const model::EditBlock& block = document->data().block(0);
        EXPECT_EQ(block.sequenceCount, 1);
        EXPECT_EQ(model::countSequenceMarkers(block.lines[0]), 1);
        frame.reset();
    }
}

} // namespace
} // namespace qx::ui
