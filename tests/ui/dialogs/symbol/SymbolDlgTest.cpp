// The symbol dialogs of both generations, the picture grid they share, the symbol-capable field
// and its preview.
#include "ui/dialogs/symbol/MarkDlg.h"
#include "ui/dialogs/symbol/MarkDlgV9.h"
#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolGrid.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "ui/EditorContext.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"
#include "output/PrintOptions.h"
#include "render/PrintFont.h"
#include "render/SymbolCatalogue.h"
#include "render/SymbolPictures.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>

namespace qx::ui {
namespace {

using model::tagSEQ_V900;
constexpr model::CharCode Marker = model::codes::SequenceMarker;

tagSEQ_V900 decimal(int start, int end) {
    return {model::SequenceMode::Decimal, 0, static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end),
            model::SequenceOutput::Every, 0};
}

model::CodeList codesOf(const QString& tokenForm) {
    return model::utf8ToCodes(tokenForm.toStdString(), true).codes;
}

class SymbolDlgTest : public ::testing::Test {
protected:
    SymbolDlgTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    static const render::SymbolPictures& pictures() {
        static const render::SymbolPictures shared(render::resolvePrintFontFamily());
        return shared;
    }
    static void showAndActivate(QWidget& widget) {
        widget.show();
        QApplication::setActiveWindow(&widget);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
    /// A grid on its own showing group `group` of the model's catalogue.
    CSymbolGrid& openGrid(model::ModelType model, int group) {
        symbols = std::make_unique<render::SymbolCatalogue>(model);
        grid = std::make_unique<CSymbolGrid>(pictures(), QSize(40, 40));
        grid->setGroup(symbols->group(group));
        grid->resize(grid->sizeHint());
        showAndActivate(*grid);
        grid->setFocus();
        return *grid;
    }

    QTemporaryDir dir;
    QSettings store;
    output::testing::ScriptedPrompter prompter;
    std::unique_ptr<render::SymbolCatalogue> symbols;
    std::unique_ptr<CSymbolGrid> grid;
};

// --- the picture grid ------------------------------------------------------------------------------

// Group 1 (circled letters) has 26 entries: five rows, of which the bar can bring the last three into
// view; there the area shows entries 12 to 25 and leaves its last four cells empty.
TEST_F(SymbolDlgTest, GridCountsRowsAndLeavesCellsPastTheGroupEmpty) {
    CSymbolGrid& g = openGrid(model::models::QX950W3, 1);
    ASSERT_EQ(g.count(), 26);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.scrollBar().maximum(), 2);
    EXPECT_EQ(g.scrollBar().pageStep(), 3);
    g.scrollBar().setValue(2);
    for (int cell = 0; cell < CSymbolGrid::VisibleCells; ++cell) {
        EXPECT_EQ(g.entryInCell(cell), cell < 14 ? 12 + cell : -1) << cell;
    }
    // The picture agrees: ink in the last filled cell, nothing but the ground in the empty ones.
    const QImage picture = g.picture();
    const auto inked = [&](int cell) {
        const QRect r = g.cellRect(cell).adjusted(2, 2, -2, -2);
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (qGray(picture.pixel(x, y)) < 128) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inked(13));
    for (int cell = 14; cell < CSymbolGrid::VisibleCells; ++cell) {
        EXPECT_FALSE(inked(cell)) << cell;
    }
}

// Arrow keys move by a row or a cell, never outside the group, and scroll one row when the
// selection leaves the visible cells.
TEST_F(SymbolDlgTest, ArrowKeysStayInsideTheGroupAndScrollOneRow) {
    struct Row {
        int group; // 1: 26 entries, 4: 23 entries
        int start;
        Qt::Key key;
        int selected;
        int firstRow;
    };
    const std::vector<Row> rows{
        {1, 25, Qt::Key_Right, 25, 2}, // the last entry stays
        {4, 20, Qt::Key_Down, 20, 1},  // entry 26 does not exist
        {1, 0, Qt::Key_Left, 0, 0},
        {1, 4, Qt::Key_Up, 4, 0},
        {1, 17, Qt::Key_Down, 23, 1}, // leaves the visible 18: one row down
        {1, 17, Qt::Key_Right, 18, 1},
        {1, 5, Qt::Key_Right, 6, 0},
        {1, 25, Qt::Key_Up, 19, 2},
        {4, 22, Qt::Key_Left, 21, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.group << " " << row.start << " " << row.key);
        CSymbolGrid& g = openGrid(model::models::QX950W3, row.group);
        g.select(row.start);
        QTest::keyClick(&g, row.key);
        EXPECT_EQ(g.selected(), row.selected);
        EXPECT_EQ(g.firstRow(), row.firstRow);
    }
    // Back up past the top edge: one row up.
    CSymbolGrid& g = openGrid(model::models::QX950W3, 1);
    g.select(25);
    QTest::keyClick(&g, Qt::Key_Up);
    QTest::keyClick(&g, Qt::Key_Up);
    QTest::keyClick(&g, Qt::Key_Up);
    EXPECT_EQ(g.selected(), 7);
    EXPECT_EQ(g.firstRow(), 1);
}

TEST_F(SymbolDlgTest, ClickSelectsAndFocusesTheWheelScrollsARowPerNotch) {
    CSymbolGrid& g = openGrid(model::models::QX950W3, 0); // 77 entries, 13 rows
    g.clearFocus();
    QTest::mouseClick(&g, Qt::LeftButton, {}, g.cellRect(8).center());
    EXPECT_EQ(g.selected(), 8);
    EXPECT_TRUE(g.hasFocus());
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(g.cellRect(0).center()), g.mapToGlobal(g.cellRect(0).center()), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&g, &event);
    };
    wheel(-240);
    EXPECT_EQ(g.firstRow(), 2);
    wheel(120);
    EXPECT_EQ(g.firstRow(), 1);
    EXPECT_EQ(g.selected(), 8); // scrolling does not move the selection
    // A click past the group's end selects nothing.
    CSymbolGrid& small = openGrid(model::models::QX950W3, 3); // 7 entries
    QTest::mouseClick(&small, Qt::LeftButton, {}, small.cellRect(10).center());
    EXPECT_EQ(small.selected(), 0);
}

TEST_F(SymbolDlgTest, SelectedCellIsFramedInBlueOutsideTheCell) {
    CSymbolGrid& g = openGrid(model::models::QX780, 0);
    g.select(7);
    const QImage picture = g.picture();
    const QRect cell = g.cellRect(7);
    EXPECT_EQ(picture.pixelColor(cell.left() - 2, cell.center().y()), QColor(0, 0, 255));
    EXPECT_EQ(picture.pixelColor(cell.left() - 4, cell.center().y()), QColor(0, 0, 255));
    EXPECT_NE(picture.pixelColor(cell.left() - 5, cell.center().y()), QColor(0, 0, 255));
    EXPECT_NE(picture.pixelColor(cell.left(), cell.top() + 1), QColor(0, 0, 255));
    const QRect other = g.cellRect(0);
    EXPECT_NE(picture.pixelColor(other.left() - 2, other.center().y()), QColor(0, 0, 255));
}

// --- CMarkDlg ----------------------------------------------------------------------------------------

// The remembered group opens the dialog when it names one of the ten; anything else opens the first.
TEST_F(SymbolDlgTest, RememberedGroupOutOfRangeOpensTheFirst) {
    const render::SymbolCatalogue catalogue(model::models::QX790);
    const std::vector<std::pair<QVariant, int>> rows{{12, 0}, {-1, 0}, {QStringLiteral("abc"), 0}, {9, 9}, {QVariant(), 0}};
    for (const auto& [stored, opened] : rows) {
        SCOPED_TRACE(stored.toString().toStdString());
        if (stored.isValid()) {
            store.setValue("Settings/MarkDlg_Group", stored);
        } else {
            store.remove("Settings/MarkDlg_Group");
        }
        CMarkDlg dialog(catalogue, pictures(), store);
        EXPECT_EQ(dialog.groupCombo().currentIndex(), opened);
        EXPECT_EQ(dialog.grid().count(), static_cast<int>(catalogue.group(opened).entries.size()));
        EXPECT_EQ(dialog.grid().selected(), 0);
    }
}

TEST_F(SymbolDlgTest, MarkDlgReturnsTheChosenCodeAndRemembersTheGroup) {
    const render::SymbolCatalogue catalogue(model::models::QX790);
    CMarkDlg dialog(catalogue, pictures(), store);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("記号入力"));
    ASSERT_EQ(dialog.groupCombo().count(), 10);
    const QStringList names{"数字", "英字丸囲み", "単位", "事務記号", "上付文字", "下付文字", "電設①", "電設②", "電設③", "筆記体"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(dialog.groupCombo().itemText(i), names[i]);
    }
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("挿入"));
    showAndActivate(dialog);
    // Changing the group starts again from its first entry at the top.
    dialog.grid().select(40);
    dialog.groupCombo().setCurrentIndex(3); // 事務記号 0x2A73..
    EXPECT_EQ(dialog.grid().selected(), 0);
    EXPECT_EQ(dialog.grid().firstRow(), 0);
    EXPECT_EQ(dialog.grid().count(), 7);
    dialog.grid().setFocus();
    QTest::keyClick(&dialog.grid(), Qt::Key_Right);
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.code(), 0x2A74);
    EXPECT_EQ(store.value("Settings/MarkDlg_Group").toInt(), 3);
}

TEST_F(SymbolDlgTest, DoubleClickConfirmsTheCellUnderTheMouse) {
    const render::SymbolCatalogue catalogue(model::models::QX790);
    CMarkDlg dialog(catalogue, pictures(), store);
    showAndActivate(dialog);
    QTest::mouseDClick(&dialog.grid(), Qt::LeftButton, {}, dialog.grid().cellRect(2).center());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.code(), 0x2A23);
    // A cancelled dialog leaves the remembered group alone.
    CMarkDlg second(catalogue, pictures(), store);
    second.groupCombo().setCurrentIndex(5);
    second.reject();
    EXPECT_EQ(store.value("Settings/MarkDlg_Group").toInt(), 0);
}

// --- CMarkDlgV9 --------------------------------------------------------------------------------------

class MarkDlgV9Test : public SymbolDlgTest {
protected:
    CMarkDlgV9& openV9(model::ModelType model, const SymbolLine& line, int limit = 0) {
        symbols = std::make_unique<render::SymbolCatalogue>(model);
        v9 = std::make_unique<CMarkDlgV9>(
            CMarkDlgV9::Setup{*symbols, pictures(), prompter, store, model, line, limit});
        showAndActivate(*v9);
        return *v9;
    }
    std::unique_ptr<CMarkDlgV9> v9;
};

// "Ａ{連番}Ｂ{連番}": the symbol put over the first marker takes its definition out, and the caret
// stands after the new token.
TEST_F(MarkDlgV9Test, InsertOverASelectedMarkerRemovesItsDefinition) {
    CMarkDlgV9& dialog = openV9(model::models::QX950W2, {QStringLiteral("Ａ\"0x2F26\"Ｂ\"0x2F26\""),
                                                         {decimal(1, 5), decimal(7, 9)}});
    CSymbolEdit& edit = dialog.edit();
    EXPECT_EQ(edit.text(), QStringLiteral("Ａ{連番}Ｂ{連番}"));
    EXPECT_EQ(edit.cursorPosition(), edit.text().size());
    QSignalSpy removed(&edit, &CSymbolEdit::sequenceMarkersRemoved);
    edit.setFocus();
    edit.setSelection(1, 4);
    dialog.grid().select(1); // ②
    QTest::mouseClick(&dialog.insertButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), QStringLiteral("Ａ{記号}Ｂ{連番}"));
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_EQ(edit.cursorPosition(), 5);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.front(), (QList<QVariant>{0, 0}));
    EXPECT_EQ(dialog.preview().tokenText(), edit.cellText());
    // Once more at the caret: the second symbol follows the first.
    dialog.grid().select(2);
    QTest::mouseClick(&dialog.insertButton(), Qt::LeftButton);
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(codesOf(dialog.editedLine().tokenForm), (model::CodeList{0x2341, 0x2A22, 0x2A23, 0x2342, Marker}));
    EXPECT_EQ(dialog.editedLine().sequences, (std::vector<tagSEQ_V900>{decimal(7, 9)}));
    EXPECT_TRUE(prompter.shown().empty());
}

// Each catalogue generation offers its own groups: group 0 of the QX-900W (second generation)
// drops 0x2A63-0x2A68 and the third generation's electrical group 6 gains eight marks.
TEST_F(MarkDlgV9Test, GroupsFollowTheCatalogueOfTheModel) {
    struct Row {
        model::ModelType model;
        int group;
        int count;
    };
    for (const Row& row : std::vector<Row>{{model::models::QX900W, 0, 66}, {model::models::QX950W3, 0, 77},
                                           {model::models::QX900W, 6, 30}, {model::models::QX950W3, 6, 38}}) {
        CMarkDlgV9& dialog = openV9(row.model, {});
        dialog.groupCombo().setCurrentIndex(row.group);
        EXPECT_EQ(dialog.grid().count(), row.count) << row.model;
    }
}

TEST_F(MarkDlgV9Test, UnsupportedCharactersAreReportedOnceAndDoNotStopOk) {
    // Typed characters stay as typed until OK; those without a code are told of once.
    CMarkDlgV9& dialog = openV9(model::models::QX950W3, {});
    dialog.edit().setFocus();
    qx::testing::typeText(&dialog.edit(), QStringLiteral("éAé"));
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompter.shownIds(), std::vector<int>{42045});
    EXPECT_EQ(dialog.editedLine().tokenForm, QStringLiteral("éAé"));
    EXPECT_EQ(model::utf8ToCodes(dialog.editedLine().tokenForm.toStdString(), true).replaced, 2);
}

// A double click takes the symbol in as "挿入" does, then confirms.
TEST_F(MarkDlgV9Test, DoubleClickInsertsAndConfirms) {
    CMarkDlgV9& dialog = openV9(model::models::QX900W, {QStringLiteral("AB"), {}});
    QTest::mouseDClick(&dialog.grid(), Qt::LeftButton, {}, dialog.grid().cellRect(0).center());
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(codesOf(dialog.editedLine().tokenForm).back(), 0x2A21);
    EXPECT_EQ(codesOf(dialog.editedLine().tokenForm).size(), 3U);
}

// --- CSymbolEdit -------------------------------------------------------------------------------------

// With the limit 10 the eleventh character is refused; a token counts one; a selection being
// replaced makes room; a paste takes what fits.
TEST_F(SymbolDlgTest, CharacterLimitCountsATokenAsOne) {
    struct Row {
        QString loaded;
        QString typed;
        QString shown;
    };
    const std::vector<Row> rows{
        {{}, QStringLiteral("ABCDEFGHIJK"), QStringLiteral("ABCDEFGHIJ")},
        {QStringLiteral("\"0x2A21\""), QStringLiteral("BCDEFGHIJK"), QStringLiteral("{記号}BCDEFGHIJ")},
        {QStringLiteral("\"0x2A21\"\"0x2A22\"１２３４５６７８"), QStringLiteral("9"), QStringLiteral("{記号}{記号}１２３４５６７８")},
        {QStringLiteral("漢字ＡＢＣＤＥＦＧＨ"), QStringLiteral("X"), QStringLiteral("漢字ＡＢＣＤＥＦＧＨ")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        CSymbolEdit edit;
        edit.setCharacterLimit(10);
        edit.loadDialogResult(row.loaded, {});
        showAndActivate(edit);
        edit.setFocus();
        edit.placeCaretAtEnd();
        qx::testing::typeText(&edit, row.typed);
        EXPECT_EQ(edit.text(), row.shown);
    }
    CSymbolEdit edit;
    edit.setCharacterLimit(10);
    edit.loadDialogResult(QStringLiteral("\"0x2A21\"ＢＣＤＥＦＧＨＩＪ"), {});
    showAndActivate(edit);
    edit.setFocus();
    edit.setSelection(0, 4); // the token
    qx::testing::typeText(&edit, QStringLiteral("Z"));
    EXPECT_EQ(edit.text(), QStringLiteral("ZＢＣＤＥＦＧＨＩＪ"));
    edit.setSelection(8, 2);
    QGuiApplication::clipboard()->setText(QStringLiteral("1234"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("ZＢＣＤＥＦＧＨ12"));
    // No limit: everything goes in.
    CSymbolEdit open;
    open.typeText(QStringLiteral("ABCDEFGHIJKLMN"));
    EXPECT_EQ(open.text().size(), 14);
}

TEST_F(SymbolDlgTest, RemovedSelectionReportsItsMarkers) {
    CSymbolEdit edit;
    edit.setModelType(model::models::QX950W3);
    edit.loadDialogResult(QStringLiteral("\"0x2F26\"Ａ\"0x2F26\"\"0x2F26\"Ｂ"), {decimal(1, 2), decimal(3, 4), decimal(5, 6)});
    showAndActivate(edit);
    QSignalSpy removed(&edit, &CSymbolEdit::sequenceMarkersRemoved);
    edit.setFocus();
    edit.setSelection(5, 8); // both later markers
    QTest::keyClick(&edit, Qt::Key_Delete);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed.front(), (QList<QVariant>{1, 2}));
    EXPECT_EQ(edit.cellSequences(), (std::vector<tagSEQ_V900>{decimal(1, 2)}));
    // Plain characters removed report nothing.
    edit.setSelection(4, 1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(edit.text(), QStringLiteral("{連番}Ｂ"));
}

// --- CSymbolPreview ----------------------------------------------------------------------------------

TEST_F(SymbolDlgTest, PreviewCutsTokenFormIntoTextAndSymbols) {
    EXPECT_EQ(previewPieces(QStringLiteral("A\"\"B\"0x2A21\"C")),
              (std::vector<PreviewPiece>{{QStringLiteral("A\"B"), 0}, {{}, 0x2A21}, {QStringLiteral("C"), 0}}));
    EXPECT_EQ(previewPieces(QStringLiteral("\"0x2A21\"\"0x2F26\"")),
              (std::vector<PreviewPiece>{{{}, 0x2A21}, {{}, 0x2F26}}));
    // A quote that starts no token, and a token of an ordinary code, are characters.
    EXPECT_EQ(previewPieces(QStringLiteral("\"0x2341\"")), (std::vector<PreviewPiece>{{QStringLiteral("\"0x2341\""), 0}}));
    EXPECT_EQ(previewPieces(QStringLiteral("\"")), (std::vector<PreviewPiece>{{QStringLiteral("\""), 0}}));
}

TEST_F(SymbolDlgTest, PreviewDrawsSymbolsAsPicturesAndScrollsByTwentyPixels) {
    CSymbolPreview preview(&pictures());
    preview.resize(120, preview.sizeHint().height());
    showAndActivate(preview);
    const QColor face = preview.palette().color(QPalette::Button);
    preview.setTokenText(QStringLiteral("\"0x2A21\""));
    QImage image = preview.drawing();
    const int top = (preview.canvas().height() - CSymbolPreview::PictureSize) / 2;
    int ink = 0;
    for (int y = top; y < top + 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            ink += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
        }
    }
    EXPECT_GT(ink, 10);
    EXPECT_EQ(image.pixelColor(30, top + 8), face);
    EXPECT_EQ(preview.drawingWidth(), 16);
    EXPECT_EQ(preview.scrollBar().maximum(), 0);
    // A long line scrolls: the range is what does not fit, a line step 20 pixels.
    preview.setTokenText(QString(30, QChar(u'W')) + QStringLiteral("\"0x2A21\""));
    EXPECT_GT(preview.drawingWidth(), preview.canvas().width());
    EXPECT_EQ(preview.scrollBar().maximum(), preview.drawingWidth() - preview.canvas().width());
    EXPECT_EQ(preview.scrollBar().singleStep(), 20);
    QTest::mouseClick(&preview.scrollBar(), Qt::LeftButton, {},
                      QPoint(preview.scrollBar().width() - 3, preview.scrollBar().height() / 2));
    EXPECT_EQ(preview.scrollBar().value(), 20);
    // The text is drawn in the dialog's font at the preview's height less four pixels.
    QFont font = preview.font();
    font.setPixelSize(preview.canvas().height() - 4);
    preview.setTokenText(QStringLiteral("WW"));
    EXPECT_EQ(preview.drawingWidth(), QFontMetrics(font).horizontalAdvance(QStringLiteral("WW")));
}

} // namespace
} // namespace qx::ui
