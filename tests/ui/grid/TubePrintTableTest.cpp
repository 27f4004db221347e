#include "ui/grid/TubePrintTable.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/TextConversion.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/QtPrompter.h"
#include "ui/table/TableCtrl.h"
#include "ui/table/TableMessages.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

constexpr model::CharCode FullA = 0x2341;

model::CodeList codesOf(const char* utf8) { return model::utf8ToCodes(utf8, true).codes; }

class TubePrintTableTest : public ::testing::Test {
protected:
    TubePrintTableTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    /// A document of three blocks of the given model, each with "Ａ" in its first line.
    void open(model::ModelType model = model::models::QX950W3) {
        catalogue = std::make_unique<model::Catalogue>(model);
        settings = model::OperatorSettings::defaultsFor(*catalogue);
        context = std::make_unique<EditorContext>(
            EditorContext{*catalogue, settings, printOptions, prompter, store, nullptr, &notice});
        model::EditData data = model::createEditData(*catalogue, 1);
        data.blockCount = 3;
        for (int b = 0; b < 3; ++b) {
            data.line(b, 0).chars = {FullA};
        }
        document = std::make_unique<EditDocument>(*context, std::move(data));
        table = std::make_unique<CTubePrintTable>(*document);
        // As the view does: every change notification refreshes the grid.
        QObject::connect(document.get(), &EditDocument::changed, table.get(), &CTubePrintTable::refresh);
        table->resize(900, 500);
        table->show();
        QApplication::setActiveWindow(table.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(table.get()));
        QCoreApplication::processEvents();
    }

    CTableCtrl& grid() const { return table->grid(); }
    model::EditData& data() const { return document->data(); }

    /// Puts the grid's focus on a cell, as a click would.
    void focus(int column, int row) {
        grid().setFocusCell({column, row});
        grid().setSelection({column, row, column, row});
        grid().setFocus();
        QCoreApplication::processEvents(); // the focus notification is posted
    }

    /// Types into the focus cell of the grid (the editor opens on the first key) and ends with `key`.
    void type(const QString& text, Qt::Key key = Qt::Key_Return) {
        QTest::keyClicks(&grid(), text);
        QTest::keyClick(&grid(), key);
        QCoreApplication::processEvents();
    }

    QColor cellPixel(const QImage& image, int column, int row) const {
        const QRect cell = grid().controller().cellRect({column, row});
        return image.pixelColor(cell.left() + 3, cell.top() + 3);
    }

    QTemporaryDir dir;
    std::unique_ptr<model::Catalogue> catalogue;
    model::OperatorSettings settings;
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    QSettings store;
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<EditDocument> document;
    int noticesShown = 0;
    bool tickNotice = false; ///< how the operator closes the notice
    ForbiddenCharNotice notice{[this](QWidget*) {
        ++noticesShown;
        return tickNotice;
    }};
    std::unique_ptr<CTubePrintTable> table;
};

TEST_F(TubePrintTableTest, TheColumnsFollowTheModel) {
    open(model::models::QX950W3);
    ASSERT_EQ(grid().columnCount(), 8);
    const char* titles[] = {"1 行目", "2 行目", "3 行目", "4 行目", "連続個数", "ピッチ長", "下線", "反転"};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(table->GetColumnTitle(c), QString::fromUtf8(titles[c])) << c;
    }
    EXPECT_EQ(grid().rowCount(), 999);
    EXPECT_FALSE(grid().columnResizable(4));
    EXPECT_FALSE(grid().columnSelectable(6));
    EXPECT_TRUE(grid().columnSelectable(5));
    EXPECT_GT(grid().columnLineWidth(3), grid().columnLineWidth(2));
}

TEST_F(TubePrintTableTest, OlderModelsHaveNoUnderlineColumnAndTheReverseHeaderStillAsksForItsBulkChange) {
    open(model::models::QX950W);
    ASSERT_EQ(grid().columnCount(), 7);
    EXPECT_EQ(grid().rowCount(), 300);
    EXPECT_EQ(table->GetColumnTitle(6), QStringLiteral("反転"));
    QSignalSpy commands(table.get(), &CTubePrintTable::commandRequested);
    const QRect header = grid().controller().columnHeaderRect();
    const QRect reverse = grid().controller().cellRect({6, 0});
    const QPoint inHeader(reverse.center().x(), header.center().y());
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, inHeader);
    EXPECT_EQ(grid().focusColumn(), 6);
    QTest::mouseDClick(&grid(), Qt::LeftButton, Qt::NoModifier, inHeader);
    ASSERT_GE(commands.count(), 1);
    EXPECT_EQ(commands.last().at(0).toInt(), Command::BulkReverse);
}

TEST_F(TubePrintTableTest, EscLeavesTheCellUnchanged) {
    open();
    QSignalSpy changes(table.get(), &CTubePrintTable::aboutToChange);
    focus(0, 1);
    type(QStringLiteral("xyz"), Qt::Key_Escape);
    EXPECT_FALSE(grid().isEditorOpen());
    EXPECT_EQ(data().line(1, 0).chars, model::CodeList{FullA});
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(document->isModified());
}

TEST_F(TubePrintTableTest, BackspaceOrSpaceThenEnterClearsTheCell) {
    open();
    focus(0, 1);
    QTest::keyClick(&grid(), Qt::Key_Backspace);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_TRUE(data().line(1, 0).chars.empty());
    focus(0, 2);
    QTest::keyClick(&grid(), Qt::Key_Space);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(data().line(2, 0).chars, model::CodeList{model::codes::FullWidthBlank});
}

TEST_F(TubePrintTableTest, TabAndEnterCommitAndMove) {
    open();
    QSignalSpy hints(document.get(), &EditDocument::changed);
    focus(0, 0);
    type(QStringLiteral("abc"), Qt::Key_Tab);
    EXPECT_EQ(data().line(0, 0).chars, codesOf("ａｂｃ"));
    EXPECT_EQ(grid().focusCell(), (CellPos{1, 0}));
    ASSERT_EQ(hints.count(), 1);
    EXPECT_EQ(hints.at(0).at(0).toInt(), UpdateHint::OneCell);

    type(QStringLiteral("q"), Qt::Key_Return);
    EXPECT_EQ(data().line(0, 1).chars, codesOf("ｑ"));
    EXPECT_EQ(data().block(0).lineCount, 2);
    EXPECT_EQ(grid().focusCell(), (CellPos{1, 1}));
    EXPECT_TRUE(document->isModified());
}

TEST_F(TubePrintTableTest, AnUndoStepIsAnnouncedBeforeTheChangeAndOnlyForAChange) {
    open();
    std::vector<int> countsSeen;
    QObject::connect(table.get(), &CTubePrintTable::aboutToChange, table.get(),
                     [&] { countsSeen.push_back(data().block(0).count); });
    focus(4, 0);
    type(QStringLiteral("2")); // the count it already has
    EXPECT_TRUE(countsSeen.empty());
    focus(4, 0);
    type(QStringLiteral("5"));
    ASSERT_EQ(countsSeen.size(), 1u);
    EXPECT_EQ(countsSeen.front(), 2); // announced while the old value was still there
    EXPECT_EQ(data().block(0).count, 5);
}

TEST_F(TubePrintTableTest, ACountOutsideItsRangeIsRefusedWithTheRangeMessage) {
    open();
    focus(4, 1);
    type(QStringLiteral("999"));
    ASSERT_EQ(prompter.shownIds(), std::vector<int>{42040});
    EXPECT_EQ(prompter.shown().front().text, "1～300の範囲で設定してください。");
    EXPECT_EQ(data().block(1).count, 2);
    EXPECT_FALSE(document->isModified());
}

TEST_F(TubePrintTableTest, PitchLengthsAreStoredInTenthsAndShownWithMillimetres) {
    open();
    focus(5, 0);
    type(QStringLiteral("12.34"));
    EXPECT_EQ(data().block(0).pitch, 123);
    EXPECT_EQ(table->GetCellText(0, 5), QStringLiteral("12.3"));
}

TEST_F(TubePrintTableTest, RowsBeyondTheBlockAfterTheLastAreRefused) {
    open();
    table->SetCellText(5, 0, QStringLiteral("x"));
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42030});
    EXPECT_EQ(data().blockCount, 3);

    data().block(2).count = 9;
    focus(0, 3);
    type(QStringLiteral("x"));
    EXPECT_EQ(data().blockCount, 4);
    EXPECT_EQ(data().block(3).count, 9);
    EXPECT_EQ(prompter.shownIds().size(), 1u);
}

TEST_F(TubePrintTableTest, JapaneseTypedThroughTheInputMethodReachesTheCell) {
    open();
    focus(1, 2);
    QInputMethodEvent composing(QStringLiteral("にほんご"), {});
    QApplication::sendEvent(&grid(), &composing);
    ASSERT_TRUE(grid().isEditorOpen());
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本語"));
    QApplication::sendEvent(QApplication::focusWidget(), &commit);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(data().line(2, 1).chars, codesOf("日本語"));
    EXPECT_EQ(noticesShown, 0);
}

TEST_F(TubePrintTableTest, UnprintableCharactersAreReportedOncePerCharacter) {
    open();
    focus(0, 0);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("a\xF0\x9F\x98\x80\xF0\x9F\x98\x81"));
    QApplication::sendEvent(&grid(), &commit);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(noticesShown, 2);
    EXPECT_EQ(data().line(0, 0).chars,
              (model::CodeList{0x2361, model::codes::FullWidthBlank, model::codes::FullWidthBlank}));
}

TEST_F(TubePrintTableTest, TickingTheNoticeInOneWindowSilencesEveryWindowOfTheRun) {
    open();
    tickNotice = true;
    focus(0, 0);
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x81"));
    QApplication::sendEvent(&grid(), &commit);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(noticesShown, 1);

    // A second document window of the same run.
    EditDocument other(*context, model::createEditData(*catalogue, 1));
    CTubePrintTable otherTable(other);
    otherTable.resize(900, 500);
    otherTable.show();
    QApplication::setActiveWindow(&otherTable);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&otherTable));
    otherTable.grid().setFocusCell({0, 0});
    otherTable.grid().setFocus();
    QCoreApplication::processEvents();
    QApplication::sendEvent(&otherTable.grid(), &commit);
    QTest::keyClick(&otherTable.grid(), Qt::Key_Return);
    EXPECT_EQ(other.data().line(0, 0).chars,
              (model::CodeList{model::codes::FullWidthBlank, model::codes::FullWidthBlank}));
    EXPECT_EQ(noticesShown, 1);
}

TEST_F(TubePrintTableTest, TheEditorsDialogItemsAreOfferedOnlyWhenSomeoneOpensTheDialogs) {
    open();
    focus(0, 0);
    QTest::keyClick(&grid(), Qt::Key_F2);
    auto* editor = qobject_cast<CCellEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    const auto enabled = [editor](int command) {
        for (const CellEditMenuItem& item : editor->contextMenuItems()) {
            if (item.command == command) {
                return item.enabled;
            }
        }
        return false;
    };
    EXPECT_FALSE(enabled(CellEditCommand::Symbol));
    EXPECT_FALSE(enabled(CellEditCommand::Sequence));
    QSignalSpy requests(table.get(), &CTubePrintTable::editorDialogRequested);
    EXPECT_TRUE(enabled(CellEditCommand::Symbol));
    EXPECT_TRUE(enabled(CellEditCommand::Sequence));
    editor->runCommand(CellEditCommand::Symbol);
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.front().at(0).toInt(), Command::Symbol);
}

TEST_F(TubePrintTableTest, BackspaceInTheGridEditorRemovesAMarkerAndItsDefinition) {
    open();
    data().line(0, 0).chars = {FullA, model::codes::SequenceMarker};
    const model::tagSEQ_V900 definition{1, 0, 1, 9, 0, 0};
    data().block(0).replaceSequences(&definition, 1);
    focus(0, 0);
    QTest::keyClick(&grid(), Qt::Key_F2);
    ASSERT_TRUE(grid().isEditorOpen());
    QTest::keyClick(&grid(), Qt::Key_Backspace);
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(data().line(0, 0).chars, model::CodeList{FullA});
    EXPECT_EQ(data().block(0).sequenceCount, 0);
}

TEST_F(TubePrintTableTest, KeysAnEditorDoesNotUseEndInTheEditor) {
    open();
    for (const int column : {0, 4, 7}) {
        focus(column, 0);
        QTest::keyClick(&grid(), Qt::Key_F2);
        ASSERT_TRUE(grid().isEditorOpen()) << column;
        QTest::keyClick(&grid(), Qt::Key_F5); // handed to the editor; it must not come back to the grid
        QTest::keyClick(&grid(), Qt::Key_Escape);
        EXPECT_FALSE(grid().isEditorOpen()) << column;
    }
}

TEST_F(TubePrintTableTest, SelectionsStartedInTheTextLinesStopAtTheLastLine) {
    open();
    focus(1, 0);
    grid().controllerForComponents().proposeSelection(SelectionSource::Cells, {1, 0, 7, 4});
    EXPECT_EQ(grid().selection(), (CellRange{1, 0, 3, 4}));

    focus(5, 0);
    grid().controllerForComponents().proposeSelection(SelectionSource::Cells, {5, 0, 2, 4});
    EXPECT_EQ(grid().selection(), (CellRange{5, 0, 5, 4}));

    focus(6, 1);
    QTest::keyClick(&grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&grid(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(grid().selection(), (CellRange{6, 1, 6, 1}));

    // Whole rows from the row header are left alone.
    grid().controllerForComponents().proposeSelection(SelectionSource::RowHeader, {0, 1, 7, 2});
    EXPECT_EQ(grid().selection(), (CellRange{0, 1, 7, 2}));
}

TEST_F(TubePrintTableTest, TheIndicatorAndTheContentBarFollowTheFocus) {
    open();
    EXPECT_EQ(table->indicator().text(), QStringLiteral("1 - 1 行目"));
    data().block(2).count = 12;
    focus(4, 2);
    EXPECT_EQ(table->indicator().text(), QStringLiteral("3 - 連続個数"));
    EXPECT_EQ(table->contentBar().text(), QStringLiteral("12"));
    EXPECT_TRUE(table->contentBar().isReadOnly());
    focus(0, 1);
    EXPECT_EQ(table->contentBar().text(), QStringLiteral("Ａ"));
    EXPECT_FALSE(table->contentBar().isReadOnly());
}

TEST_F(TubePrintTableTest, TheContentBarWritesTheFocusCellAndMovesOnEnter) {
    open();
    focus(0, 1);
    CCellEdit& bar = table->contentBar();
    bar.setFocus();
    QCoreApplication::processEvents();
    bar.selectAll();
    QTest::keyClicks(&bar, QStringLiteral("zz"));
    QTest::keyClick(&bar, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(data().line(1, 0).chars, codesOf("ｚｚ"));
    EXPECT_EQ(grid().focusCell(), (CellPos{0, 2}));
    EXPECT_TRUE(grid().hasFocus());
    EXPECT_EQ(bar.text(), QStringLiteral("Ａ"));
}

TEST_F(TubePrintTableTest, ClickingIntoTheContentBarWhileTheGridEditsShowsTheTextJustStored) {
    open();
    focus(0, 1);
    QTest::keyClicks(&grid(), QStringLiteral("abc"));
    ASSERT_TRUE(grid().isEditorOpen());
    CCellEdit& bar = table->contentBar();
    QTest::mouseClick(&bar, Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_TRUE(bar.hasFocus());
    EXPECT_FALSE(grid().isEditorOpen());
    EXPECT_EQ(data().line(1, 0).chars, codesOf("ａｂｃ"));
    // The bar edits what the cell now holds, so leaving it does not bring the old text back.
    EXPECT_EQ(bar.text(), QStringLiteral("ａｂｃ"));
    bar.end(false);
    QTest::keyClicks(&bar, QStringLiteral("d"));
    QTest::keyClick(&bar, Qt::Key_Return);
    EXPECT_EQ(data().line(1, 0).chars, codesOf("ａｂｃｄ"));
}

TEST_F(TubePrintTableTest, AFocusedContentBarFollowsAChangeMadeBeforeAnythingIsTyped) {
    open();
    focus(0, 1);
    CCellEdit& bar = table->contentBar();
    bar.setFocus();
    QCoreApplication::processEvents();
    // A frame command changes the block while the bar holds the keyboard (a menu does not take it).
    data().line(1, 0).chars = codesOf("ＸＹ");
    document->notifyChanged(UpdateHint::Everything);
    EXPECT_EQ(bar.text(), QStringLiteral("ＸＹ"));
    bar.end(false);
    QTest::keyClicks(&bar, QStringLiteral("z"));
    QTest::keyClick(&bar, Qt::Key_Return);
    EXPECT_EQ(data().line(1, 0).chars, codesOf("ＸＹｚ"));
}

TEST_F(TubePrintTableTest, ACompositionGivenUpBeforeAnythingIsTypedLeavesTheCellAsItWas) {
    open();
    for (const int column : {0, 4}) { // a text line and the count
        focus(column, 1);
        QInputMethodEvent composing(QStringLiteral("あ"), {});
        QApplication::sendEvent(&grid(), &composing);
        ASSERT_TRUE(grid().isEditorOpen()) << column;
        QInputMethodEvent givenUp(QString(), {}); // the input method drops its composition
        QApplication::sendEvent(QApplication::focusWidget(), &givenUp);
        const QPoint elsewhere = grid().controller().cellRect({1, 2}).center();
        QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, elsewhere);
        QCoreApplication::processEvents();
        EXPECT_FALSE(grid().isEditorOpen()) << column;
    }
    EXPECT_EQ(data().line(1, 0).chars, model::CodeList{FullA});
    EXPECT_TRUE(prompter.shownIds().empty()); // no range message for a count never typed
    EXPECT_FALSE(document->isModified());
}

TEST_F(TubePrintTableTest, TheContextMenuAsksTheFrameForItsEnabling) {
    open();
    table->setCommandEnabler([](int command) { return command != Command::BlockDelete; });
    const std::vector<TableMenuItem> items = table->contextMenuItems();
    std::vector<int> commands;
    for (const TableMenuItem& item : items) {
        commands.push_back(item.command);
        if (item.command == Command::BlockDelete) {
            EXPECT_FALSE(item.enabled);
        }
        for (const TableMenuItem& sub : item.submenu) {
            commands.push_back(sub.command);
        }
    }
    const std::vector<int> expected{Command::Cut, Command::Copy, 0, Command::Paste, Command::FormatPaste,
                                    Command::Clear, 0, Command::BlockInsert, Command::BlockDelete, 0,
                                    Command::Sequence, Command::Symbol};
    EXPECT_EQ(commands, expected);
}

TEST_F(TubePrintTableTest, BlocksThatFailTheOutputCheckArePaintedInTheErrorColour) {
    open();
    data().target.sizeMode = 0;
    data().line(1, 0).chars.assign(60, FullA); // far too long for its pitch
    document->notifyChanged(UpdateHint::Everything);
    ASSERT_NE(data().blockCheckResults.values.at(1), 0);
    focus(0, 0);
    const QImage image = grid().renderImage();
    const QColor error = QColor::fromRgb(CTubePrintTable::ErrorColour);
    EXPECT_EQ(error, QColor(0, 255, 255));
    EXPECT_EQ(cellPixel(image, 4, 1), error);
    EXPECT_EQ(cellPixel(image, 5, 1), error);
    EXPECT_EQ(cellPixel(image, 4, 0), grid().palette().color(QPalette::Base));
    EXPECT_EQ(cellPixel(image, 4, 2), grid().palette().color(QPalette::Base));
    EXPECT_EQ(cellPixel(image, 4, 3), grid().palette().color(QPalette::Base)); // no block
}

TEST_F(TubePrintTableTest, PitchChangesPastThePrintersTableAreMarked) {
    open(model::models::QX950W); // five pitch settings
    data().blockCount = 7;
    for (int b = 0; b < 7; ++b) {
        data().block(b).pitch = static_cast<std::int16_t>(200 + 10 * b);
        data().line(b, 0).chars = {FullA};
    }
    document->notifyChanged(UpdateHint::Everything);
    EXPECT_EQ(table->marks().pitchWarnings(), (std::vector<int>{5, 6}));
    EXPECT_FALSE(table->marks().isMarked(4));
    EXPECT_TRUE(table->marks().isMarked(5));
}

TEST_F(TubePrintTableTest, TheSequenceMarkerIsDrawnAsItsPicture) {
    open();
    data().line(0, 1).chars = {FullA, model::codes::SequenceMarker};
    data().line(1, 1).chars = {FullA};
    document->notifyChanged(UpdateHint::Everything);
    focus(5, 5);
    const QImage image = grid().renderImage();
    const auto inkPixels = [&](int row) {
        const QRect cell = grid().controller().cellRect({1, row});
        int ink = 0;
        for (int y = cell.top(); y < cell.bottom(); ++y) {
            for (int x = cell.left(); x < cell.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                ink += (c.blue() - c.red() > 40) ? 1 : 0;
            }
        }
        return ink;
    };
    EXPECT_GT(inkPixels(0), 10);
    EXPECT_EQ(inkPixels(1), 0);

    // On a selected cell the picture takes the selection's light text colour, as the characters
    // beside it do: nothing dark is left inside the cell.
    const auto darkPixels = [&](const QImage& picture) {
        const QRect inside = grid().controller().cellRect({1, 0}).adjusted(3, 3, -4, -4);
        int dark = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                dark += picture.pixelColor(x, y).lightness() < 100 ? 1 : 0;
            }
        }
        return dark;
    };
    EXPECT_GT(darkPixels(image), 10);
    grid().setSelection({1, 0, 1, 1});
    EXPECT_EQ(darkPixels(grid().renderImage()), 0);
}

TEST_F(TubePrintTableTest, ClickingAFlagCellOpensItsListAndLeavingItWritesNothing) {
    open();
    focus(0, 0);
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, grid().controller().cellRect({7, 1}).center());
    EXPECT_TRUE(grid().isEditorOpen());
    // Below the last block too: the list shows "しない" there, and leaving it so is no write.
    QTest::mouseClick(&grid(), Qt::LeftButton, Qt::NoModifier, grid().controller().cellRect({7, 10}).center());
    EXPECT_TRUE(grid().isEditorOpen());
    table->closeEditor();
    EXPECT_TRUE(prompter.shownIds().empty());
    EXPECT_EQ(data().blockCount, 3);
    EXPECT_FALSE(document->isModified());
}

/// The real message boxes, each answered with OK a moment after it shows, as an operator would.
class AnsweredBoxes final : public output::Prompter {
public:
    output::Answer prompt(const output::Prompt& message) override {
        ++shown;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                box->accept();
            }
        });
        closer.start(20);
        return m_boxes.prompt(message);
    }
    int shown = 0;

private:
    QtPrompter m_boxes;
};

TEST(TubePrintTableMessageBoxes, ARefusedCountLeftByClickOrFocusShowsOneBoxAndKeepsTheGridUsable) {
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    const model::Catalogue catalogue(model::models::QX950W3);
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions printOptions;
    AnsweredBoxes boxes;
    ForbiddenCharNotice notice([](QWidget*) { return false; });
    const EditorContext context{catalogue, settings, printOptions, boxes, store, nullptr, &notice};
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 3;
    EditDocument document(context, std::move(data));
    CTubePrintTable table(document);
    QObject::connect(&document, &EditDocument::changed, &table, &CTubePrintTable::refresh);
    table.resize(900, 500);
    table.show();
    QApplication::setActiveWindow(&table);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
    CTableCtrl& grid = table.grid();
    const auto typeCount = [&](int row) {
        grid.setFocusCell({4, row});
        grid.setSelection({4, row, 4, row});
        grid.setFocus();
        QCoreApplication::processEvents();
        QTest::keyClicks(&grid, QStringLiteral("999"));
        ASSERT_TRUE(grid.isEditorOpen());
    };

    typeCount(0); // left by a click on another cell
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::NoModifier, grid.controller().cellRect({0, 2}).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown, 1);
    EXPECT_EQ(document.data().block(0).count, 2);

    typeCount(1); // left for the content bar
    QTest::mouseClick(table.findChild<CCellEdit*>(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown, 2);
    EXPECT_EQ(document.data().block(1).count, 2);

    typeCount(2); // committed with Enter, then the grid goes on
    QTest::keyClick(&grid, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(boxes.shown, 3);
    EXPECT_EQ(document.data().block(2).count, 2);
    grid.setFocusCell({4, 0});
    grid.setFocus();
    QTest::keyClicks(&grid, QStringLiteral("5"));
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(document.data().block(0).count, 5);
    EXPECT_EQ(boxes.shown, 3);
}

} // namespace
} // namespace qx::ui
