#include "ui/table/TableCtrl.h"
#include "ui/table/DefaultTableDataModel.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace qx::ui {
namespace {

struct CellWrite {
    int row;
    int column;
    QString text;
};

/// Cells hold what was last written; every write, cancel and sequence hand-over is recorded.
class RecordingModel final : public CTableDataModel {
public:
    std::map<std::pair<int, int>, QString> texts;
    std::vector<CellWrite> writes;
    std::vector<CellPos> cancels;
    int sequenceCalls = 0;
    int textFlag = 0;
    QColor back = QColor(230, 255, 230);
    std::function<void(QPainter&, const QSize&, int, int)> draw;
    std::function<void()> onCancel;

    int IsTextColumn(int /*row*/, int /*column*/) override { return textFlag; }
    QString GetCellText(int row, int column) override {
        const auto it = texts.find({row, column});
        return it == texts.end() ? QString() : it->second;
    }
    void SetCellText(int row, int column, const QString& text) override {
        writes.push_back({row, column, text});
        texts[{row, column}] = text;
    }
    void SetCellSequences(int /*row*/, int /*column*/, const CTableCellSequences* /*sequences*/) override {
        ++sequenceCalls;
    }
    CTableCellEditor* GetCellEditor(int column) override { return m_editors.GetCellEditor(column); }
    QString GetColumnTitle(int column) override { return QString::number(column); }
    void DrawCell(QPainter& painter, const QSize& size, int row, int column) override {
        if (draw) {
            draw(painter, size, row, column);
        }
    }
    QColor GetCellBackColor(int /*row*/, int /*column*/) override { return back; }
    void CancelEditCell(int row, int column) override {
        cancels.push_back({column, row});
        if (onCancel) {
            onCancel();
        }
    }
    bool CanAddSequence() override { return false; }

private:
    CDefaultTableDataModel m_editors; // lends its one-line editor
};

/// A shown, active 999 x 8 grid with the recording model installed.
class TableWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.setDataModel(&model);
        table.SetTableSize(999, 8);
        table.resize(520, 420);
        table.show();
        table.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
        table.setFocus();
    }

    void focusAt(int column, int row) {
        table.setFocusCell({column, row});
        table.setSelection({column, row, column, row});
    }

    [[nodiscard]] QPoint cellCentre(int column, int row) const {
        return table.controller().cellRect({column, row}).center();
    }

    /// A point in the column header on column `column`'s right border.
    [[nodiscard]] QPoint columnBorder(int column) const {
        const QRect cell = table.controller().cellRect({column, table.firstRow()});
        return {cell.right() + 1, table.controller().columnHeaderRect().center().y()};
    }

    void move(QPoint point, Qt::MouseButtons buttons = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(QEvent::MouseMove, QPointF(point), QPointF(table.mapToGlobal(point)), Qt::NoButton,
                          buttons, modifiers);
        QApplication::sendEvent(&table, &event);
    }

    [[nodiscard]] QWidget* editorWindow() const {
        return table.openEditor() != nullptr ? table.openEditor()->editorWindow() : nullptr;
    }

    RecordingModel model; // outlives the grid that points at it
    CTableCtrl table;
};

// --- keyboard ---------------------------------------------------------------------------------------

TEST_F(TableWidgetTest, TabOnTheLastColumnGoesToTheNextRowAndStopsAtTheLastCell) {
    focusAt(7, 4);
    QTest::keyClick(&table, Qt::Key_Tab);
    EXPECT_EQ(table.focusCell(), (CellPos{0, 5}));
    focusAt(7, 998);
    QTest::keyClick(&table, Qt::Key_Tab);
    EXPECT_EQ(table.focusCell(), (CellPos{7, 998}));
    QTest::keyClick(&table, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(table.focusCell(), (CellPos{6, 998}));
}

TEST_F(TableWidgetTest, ShiftEnterOnTheTopRowWrapsToTheLastRowOfThePreviousColumn) {
    focusAt(2, 0);
    QTest::keyClick(&table, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(table.focusCell(), (CellPos{1, 998}));
    EXPECT_EQ(table.selection(), (CellRange{1, 998, 1, 998}));
    EXPECT_GT(table.firstRow() + table.visibleRows(), 998); // scrolled into view
}

TEST_F(TableWidgetTest, PageDownWithTwoVisibleRowsMovesOneRow) {
    const TableMetrics& metrics = table.controller().metrics();
    table.resize(520, metrics.headerHeight + 2 * 24 + metrics.horizontalBarHeight);
    QApplication::processEvents();
    ASSERT_EQ(table.visibleRows(), 2);
    focusAt(0, 0);
    QTest::keyClick(&table, Qt::Key_PageDown);
    EXPECT_EQ(table.focusRow(), 1);
    QTest::keyClick(&table, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(table.selection(), (CellRange{0, 1, 0, 2}));
}

TEST_F(TableWidgetTest, FocusNotificationIsQueued) {
    QSignalSpy focus(&table, &CTableCtrl::focusCellChanged);
    QSignalSpy selection(&table, &CTableCtrl::selectionChanged);
    QTest::keyClick(&table, Qt::Key_Down);
    EXPECT_EQ(selection.count(), 1); // sent at once
    EXPECT_EQ(focus.count(), 0);     // posted
    QApplication::processEvents();
    EXPECT_EQ(focus.count(), 1);
}

TEST_F(TableWidgetTest, ScrollBarsFollowTheView) {
    table.verticalBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    const int page = table.firstRow();
    EXPECT_GT(page, 1);
    EXPECT_EQ(table.verticalBar()->value(), page);
    table.horizontalBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(table.firstColumn(), 1);
    table.horizontalBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(table.firstColumn(), 7);
    EXPECT_EQ(table.horizontalBar()->value(), 7);
}

TEST_F(TableWidgetTest, WheelScrollsThreeRowsANotch) {
    const QPoint at = cellCentre(1, 1);
    QWheelEvent down(QPointF(at), QPointF(table.mapToGlobal(at)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&table, &down);
    EXPECT_EQ(table.firstRow(), 3);
    QApplication::sendEvent(&table, &down);
    EXPECT_EQ(table.firstRow(), 6);
    QWheelEvent up(QPointF(at), QPointF(table.mapToGlobal(at)), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&table, &up);
    EXPECT_EQ(table.firstRow(), 0);
}

// --- mouse ------------------------------------------------------------------------------------------

TEST_F(TableWidgetTest, ShiftClickKeepsTheFocusAndExtends) {
    QSignalSpy clicks(&table, &CTableCtrl::cellsClicked);
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(1, 1));
    QTest::mouseClick(&table, Qt::LeftButton, Qt::ShiftModifier, cellCentre(3, 4));
    EXPECT_EQ(table.focusCell(), (CellPos{1, 1}));
    EXPECT_EQ(table.selection(), (CellRange{1, 1, 3, 4}));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(TableWidgetTest, DraggingInTheCellsProposesSelections) {
    std::vector<int> sources;
    table.setSelectionAdjuster([&](int source, CellRange& proposal) {
        sources.push_back(source);
        proposal.right = std::min(proposal.right, 3);
    });
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(2, 1));
    move(cellCentre(5, 3));
    EXPECT_EQ(table.selection(), (CellRange{2, 1, 3, 3}));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(5, 4));
    EXPECT_EQ(table.selection(), (CellRange{2, 1, 3, 4}));
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.back(), SelectionSource::Cells);
}

TEST_F(TableWidgetTest, DraggingBelowTheCellsScrollsEvery100Ms) {
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(0, 0));
    const QRect cells = table.controller().cellsRect();
    const QPoint below(cells.center().x(), cells.bottom() + 10);
    move(below);
    QTest::qWait(450);
    const int first = table.firstRow();
    EXPECT_GE(first, 2);
    EXPECT_EQ(table.selection().bottom, table.firstRow() + table.visibleRows() - 1);
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, below);
    QTest::qWait(250);
    EXPECT_EQ(table.firstRow(), first); // the timer stopped with the button
}

TEST_F(TableWidgetTest, ALostReleaseEndsTheDrag) {
    const auto send = [this](QEvent::Type type, QPoint point, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(point), QPointF(table.mapToGlobal(point)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&table, &event);
    };
    // Another window took the mouse mid-drag: the grid sees the pointer move with no button held.
    send(QEvent::MouseButtonPress, cellCentre(0, 0), Qt::LeftButton);
    const QRect cells = table.controller().cellsRect();
    const QPoint below(cells.center().x(), cells.bottom() + 10);
    move(below);
    move(below + QPoint(0, 5), Qt::NoButton);
    const int first = table.firstRow();
    QTest::qWait(350);
    EXPECT_EQ(table.firstRow(), first); // no auto-scroll without the button

    // A press whose release never came must not turn the next press's release into its own.
    const QPoint corner = table.controller().cornerRect().center();
    send(QEvent::MouseButtonPress, cellCentre(1, 1), Qt::LeftButton);
    send(QEvent::MouseButtonPress, corner, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, corner, Qt::NoButton);
    EXPECT_EQ(table.selection(), (CellRange{0, 0, 7, 998}));
}

TEST_F(TableWidgetTest, CornerSelectsTheWholeTable) {
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, table.controller().cornerRect().center());
    EXPECT_EQ(table.selection(), (CellRange{0, 0, 7, 998}));
}

TEST_F(TableWidgetTest, ColumnHeaderSelectsWholeColumnsByDragging) {
    std::vector<int> sources;
    table.setSelectionAdjuster([&](int source, CellRange&) { sources.push_back(source); });
    table.scrollVertical(ScrollRequest::ThumbPosition, 10);
    const int y = table.controller().columnHeaderRect().center().y();
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, QPoint(cellCentre(1, 10).x(), y));
    EXPECT_EQ(table.focusCell(), (CellPos{1, 10})); // the first visible row
    EXPECT_EQ(table.selection(), (CellRange{1, 0, 1, 998}));
    move(QPoint(cellCentre(3, 10).x(), y));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, QPoint(cellCentre(3, 10).x(), y));
    EXPECT_EQ(table.selection(), (CellRange{1, 0, 3, 998}));
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.back(), SelectionSource::ColumnHeader);
}

TEST_F(TableWidgetTest, RowHeaderSelectsWholeRows) {
    const int x = table.controller().rowHeaderRect().center().x();
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, QPoint(x, cellCentre(0, 2).y()));
    EXPECT_EQ(table.focusCell(), (CellPos{0, 2}));
    QTest::mouseClick(&table, Qt::LeftButton, Qt::ShiftModifier, QPoint(x, cellCentre(0, 5).y()));
    EXPECT_EQ(table.selection(), (CellRange{0, 2, 7, 5}));
}

TEST_F(TableWidgetTest, NonSelectableColumnHeaderOnlyMovesTheFocus) {
    table.setColumnSelectable(6, false);
    focusAt(2, 7);
    const int y = table.controller().columnHeaderRect().center().y();
    table.scrollHorizontal(ScrollRequest::ThumbPosition, 3);
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, QPoint(cellCentre(6, 0).x(), y));
    EXPECT_EQ(table.focusCell(), (CellPos{6, 7}));
    EXPECT_EQ(table.selection(), (CellRange{6, 7, 6, 7}));
}

TEST_F(TableWidgetTest, BorderDragToTheFarLeftGivesTwiceTheDragDistance) {
    const QPoint border = columnBorder(1);
    EXPECT_EQ(table.cursorShapeAt(border), Qt::SplitHCursor);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    EXPECT_FALSE(table.trackingLine().isEmpty());
    move(QPoint(0, border.y()));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, QPoint(0, border.y()));
    EXPECT_TRUE(table.trackingLine().isEmpty());
    EXPECT_EQ(table.columnWidth(1), 2 * table.controller().metrics().dragDistanceX);
    EXPECT_EQ(table.columnWidth(0), 94);
}

TEST_F(TableWidgetTest, BorderDragWidensAndKeepsTheWidthOverTheScrollBar) {
    const QPoint border = columnBorder(0);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    move(border + QPoint(30, 0));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, border + QPoint(30, 0));
    EXPECT_EQ(table.columnWidth(0), 124);
    const QPoint again = columnBorder(0);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, again);
    const QPoint onBar(table.verticalBar()->geometry().center().x(), again.y());
    move(onBar);
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, onBar);
    EXPECT_EQ(table.columnWidth(0), 124);
}

TEST_F(TableWidgetTest, NonResizableBorderShowsNoCursorAndCannotBeDragged) {
    table.setColumnResizable(1, false);
    const QPoint border = columnBorder(1);
    EXPECT_EQ(table.cursorShapeAt(border), Qt::ArrowCursor);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    EXPECT_TRUE(table.trackingLine().isEmpty());
    move(border + QPoint(40, 0));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, border + QPoint(40, 0));
    EXPECT_EQ(table.columnWidth(1), 94);
}

TEST_F(TableWidgetTest, RowBorderDragSetsTheHeight) {
    const QRect row = table.controller().cellRect({0, 2});
    const QPoint border(table.controller().rowHeaderRect().center().x(), row.bottom() + 1);
    EXPECT_EQ(table.cursorShapeAt(border), Qt::SplitVCursor);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    move(border + QPoint(0, 26));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, border + QPoint(0, 26));
    EXPECT_EQ(table.rowHeight(2), 50);
}

TEST_F(TableWidgetTest, TheWheelDoesNotScrollUnderABorderDrag) {
    const QRect row = table.controller().cellRect({0, 2});
    const QPoint border(table.controller().rowHeaderRect().center().x(), row.bottom() + 1);
    QTest::mousePress(&table, Qt::LeftButton, Qt::NoModifier, border);
    QWheelEvent wheel(QPointF(border), QPointF(table.mapToGlobal(border)), QPoint(), QPoint(0, -120),
                      Qt::LeftButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&table, &wheel);
    EXPECT_EQ(table.controller().firstRow(), 0);
    move(border + QPoint(0, 26));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, border + QPoint(0, 26));
    EXPECT_EQ(table.rowHeight(2), 50);
}

// --- editing ----------------------------------------------------------------------------------------

TEST_F(TableWidgetTest, F2EditsWithTheCellTextAndEnterStoresAndMovesDown) {
    model.texts[{3, 2}] = QStringLiteral("12");
    focusAt(2, 3);
    QTest::keyClick(&table, Qt::Key_F2);
    QWidget* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->geometry(), table.controller().cellRect({2, 3}));
    QTest::keyClicks(editor, QStringLiteral("3"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(model.writes.size(), 1U);
    EXPECT_EQ(model.writes[0].row, 3);
    EXPECT_EQ(model.writes[0].column, 2);
    EXPECT_EQ(model.writes[0].text, QStringLiteral("123")); // the caret was at the end
    EXPECT_FALSE(table.isEditorOpen());
    EXPECT_EQ(table.focusCell(), (CellPos{2, 4}));
    EXPECT_EQ(model.sequenceCalls, 0); // not a text line
}

TEST_F(TableWidgetTest, AKeyTheEditorDoesNotUseLeavesEditingAlone) {
    focusAt(1, 1);
    QTest::keyClick(&table, Qt::Key_F2);
    ASSERT_NE(editorWindow(), nullptr);
    // The editor passes F5 back up; the grid must not hand it down again and again.
    QTest::keyClick(editorWindow(), Qt::Key_F5);
    QTest::keyClick(&table, Qt::Key_F5);
    EXPECT_TRUE(table.isEditorOpen());
    EXPECT_TRUE(model.writes.empty());
}

TEST_F(TableWidgetTest, TypingReplacesTheCellAndTabMovesRight) {
    model.texts[{0, 0}] = QStringLiteral("old");
    model.textFlag = 1;
    QTest::keyClick(&table, Qt::Key_Z, Qt::NoModifier);
    QWidget* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_EQ(model.writes.size(), 1U);
    EXPECT_EQ(model.writes[0].text, QStringLiteral("z"));
    EXPECT_EQ(model.sequenceCalls, 1); // a text line hands its sequences over first
    EXPECT_EQ(table.focusCell(), (CellPos{1, 0}));
}

TEST_F(TableWidgetTest, EscLeavesTheCellUnchanged) {
    model.texts[{0, 0}] = QStringLiteral("keep");
    QTest::keyClick(&table, Qt::Key_F2);
    QWidget* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("xyz"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(table.isEditorOpen());
    ASSERT_EQ(model.cancels.size(), 1U);
    EXPECT_EQ(model.cancels[0], (CellPos{0, 0}));
    for (const CellWrite& write : model.writes) {
        EXPECT_EQ(write.text, QStringLiteral("keep"));
    }
    EXPECT_EQ(model.GetCellText(0, 0), QStringLiteral("keep"));
    EXPECT_EQ(table.focusCell(), (CellPos{0, 0}));
}

TEST_F(TableWidgetTest, AModelMayCloseTheEditorWhileCancelling) {
    model.onCancel = [this] { table.closeEditor(); };
    QTest::keyClick(&table, Qt::Key_F2);
    ASSERT_NE(editorWindow(), nullptr);
    QTest::keyClick(editorWindow(), Qt::Key_Escape);
    EXPECT_FALSE(table.isEditorOpen());
}

TEST_F(TableWidgetTest, NonEditableColumnOpensNoEditor) {
    table.setColumnEditable(1, false);
    focusAt(1, 0);
    QTest::keyClick(&table, Qt::Key_F2);
    QTest::keyClick(&table, Qt::Key_A);
    table.beginEdit();
    EXPECT_FALSE(table.isEditorOpen());
}

TEST_F(TableWidgetTest, ClickingTheGridCommitsTheOpenEditorOnce) {
    QTest::keyClick(&table, Qt::Key_F2);
    ASSERT_NE(editorWindow(), nullptr);
    QTest::keyClicks(editorWindow(), QStringLiteral("q"));
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(3, 3));
    EXPECT_FALSE(table.isEditorOpen());
    ASSERT_EQ(model.writes.size(), 1U);
    EXPECT_EQ(model.writes[0].text, QStringLiteral("q"));
    EXPECT_EQ(table.focusCell(), (CellPos{3, 3}));
}

TEST_F(TableWidgetTest, EditorFollowsScrollingAndHidesOffScreen) {
    focusAt(1, 1);
    table.beginEdit();
    QWidget* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    table.scrollVertical(ScrollRequest::LineForward);
    EXPECT_EQ(editor->geometry(), table.controller().cellRect({1, 1}));
    table.scrollVertical(ScrollRequest::LineForward);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(TableWidgetTest, TypingIntoAFocusCellScrolledAwayBringsItBackIntoView) {
    focusAt(1, 1);
    table.scrollVertical(ScrollRequest::ToEnd);
    ASSERT_GT(table.controller().firstRow(), 1);
    QTest::keyClick(&table, Qt::Key_X);
    QWidget* editor = editorWindow();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry().topLeft(), table.controller().cellRect({1, 1}).topLeft());
}

TEST_F(TableWidgetTest, ShrinkingTheTableStoresTheOpenEditorFirst) {
    focusAt(7, 900);
    QTest::keyClick(&table, Qt::Key_X);
    ASSERT_TRUE(table.isEditorOpen());
    table.SetTableSize(300, 6);
    EXPECT_FALSE(table.isEditorOpen());
    ASSERT_EQ(model.writes.size(), 1U);
    EXPECT_EQ(model.writes[0].row, 900); // written while the cell still existed
    EXPECT_EQ(table.focusCell(), (CellPos{5, 299}));
}

TEST_F(TableWidgetTest, DoubleClicks) {
    QSignalSpy header(&table, &CTableCtrl::columnHeaderDoubleClicked);
    QTest::mouseDClick(&table, Qt::LeftButton, Qt::NoModifier,
                       QPoint(cellCentre(2, 0).x(), table.controller().columnHeaderRect().center().y()));
    EXPECT_EQ(header.count(), 1);
    EXPECT_FALSE(table.isEditorOpen());
    model.texts[{4, 1}] = QStringLiteral("abc");
    // A real double click starts with a press that moves the focus to the cell.
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(1, 4));
    QTest::mouseDClick(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(1, 4));
    ASSERT_TRUE(table.isEditorOpen());
    EXPECT_EQ(table.openEditor()->editorText(), QStringLiteral("abc"));
    QTest::mouseRelease(&table, Qt::LeftButton, Qt::NoModifier, cellCentre(1, 4));
}

// --- painting ---------------------------------------------------------------------------------------

/// The grid with a palette whose colours can all be told apart in a pixel.
class TablePaintTest : public TableWidgetTest {
protected:
    void SetUp() override {
        QPalette palette = table.palette();
        palette.setColor(QPalette::Base, QColor(250, 250, 250));
        palette.setColor(QPalette::Text, QColor(10, 10, 10));
        palette.setColor(QPalette::Button, QColor(200, 200, 200));
        palette.setColor(QPalette::ButtonText, QColor(20, 20, 120));
        palette.setColor(QPalette::Light, QColor(240, 240, 100));
        palette.setColor(QPalette::Dark, QColor(120, 120, 120));
        palette.setColor(QPalette::Shadow, QColor(40, 40, 40));
        palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
        palette.setColor(QPalette::HighlightedText, QColor(255, 255, 0));
        palette.setColor(QPalette::Mid, QColor(150, 100, 50));
        table.setPalette(palette);
        TableWidgetTest::SetUp();
    }

    static QColor at(const QImage& image, QPoint point) { return image.pixelColor(point); }
    static QColor inverted(QColor colour) {
        return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
    }

    [[nodiscard]] QRect columnBox(int column) const {
        const QRect cell = table.controller().cellRect({column, table.firstRow()});
        return {cell.left(), 0, cell.width(), table.controller().metrics().headerHeight};
    }
    [[nodiscard]] QRect rowBox(int row) const {
        const QRect cell = table.controller().cellRect({table.firstColumn(), row});
        return {0, cell.top(), table.controller().metrics().rowHeaderWidth, cell.height()};
    }

    const QColor window{250, 250, 250};
    const QColor text{10, 10, 10};
    const QColor face{200, 200, 200};
    const QColor light{240, 240, 100};
    const QColor shadow{120, 120, 120};
    const QColor darkShadow{40, 40, 40};
    const QColor highlight{0, 0, 200};
    const QColor workspace{150, 100, 50};
};

TEST_F(TablePaintTest, CellsShowModelColourSelectionAndGridLines) {
    table.setFocusCell({1, 1});
    table.setSelection({1, 1, 2, 2});
    const QImage image = table.renderImage();
    EXPECT_EQ(at(image, cellCentre(0, 0)), model.back);
    EXPECT_EQ(at(image, cellCentre(1, 1)), model.back); // the focus cell is not highlighted
    EXPECT_EQ(at(image, cellCentre(2, 2)), highlight);
    EXPECT_EQ(at(image, cellCentre(2, 1)), highlight);
    const QRect cell = table.controller().cellRect({4, 5});
    EXPECT_EQ(at(image, QPoint(cell.right(), cell.center().y())), shadow);  // vertical grid line
    EXPECT_EQ(at(image, QPoint(cell.center().x(), cell.bottom())), shadow); // horizontal grid line
    EXPECT_EQ(at(image, QPoint(cell.right() - 1, cell.bottom() - 1)), model.back);
}

TEST_F(TablePaintTest, SelectionOutlineIsThreePixelsAroundTheSelectedCells) {
    table.setFocusCell({1, 1});
    table.setSelection({1, 1, 2, 2});
    const QImage image = table.renderImage();
    const QRect first = table.controller().cellRect({1, 1});
    const QRect last = table.controller().cellRect({2, 2});
    const int y = first.center().y();
    // Left edge: centred one pixel left of the first selected cell.
    EXPECT_EQ(at(image, QPoint(first.left() - 3, y)), model.back);
    EXPECT_EQ(at(image, QPoint(first.left() - 2, y)), text);
    EXPECT_EQ(at(image, QPoint(first.left() - 1, y)), text); // covers the neighbour's grid line
    EXPECT_EQ(at(image, QPoint(first.left(), y)), text);
    EXPECT_EQ(at(image, QPoint(first.left() + 1, y)), model.back);
    // Right edge: centred on the last selected column's grid line.
    const int y2 = last.center().y();
    EXPECT_EQ(at(image, QPoint(last.right() - 2, y2)), highlight);
    EXPECT_EQ(at(image, QPoint(last.right() - 1, y2)), text);
    EXPECT_EQ(at(image, QPoint(last.right() + 1, y2)), text);
    EXPECT_EQ(at(image, QPoint(last.right() + 2, y2)), model.back);
    // Top and bottom edges.
    EXPECT_EQ(at(image, QPoint(first.center().x(), first.top() - 2)), text);
    EXPECT_EQ(at(image, QPoint(first.center().x(), first.top() - 3)), model.back);
    EXPECT_EQ(at(image, QPoint(last.center().x(), last.bottom() + 1)), text);
    EXPECT_EQ(at(image, QPoint(last.center().x(), last.bottom() + 2)), model.back);
}

TEST_F(TablePaintTest, NonEditableColumnUsesButtonFaceUnlessSelected) {
    table.setColumnEditable(3, false);
    table.setFocusCell({3, 5});
    table.setSelection({3, 5, 3, 6});
    const QImage image = table.renderImage();
    EXPECT_EQ(at(image, cellCentre(3, 2)), face);
    EXPECT_EQ(at(image, cellCentre(3, 5)), face); // focus cell
    EXPECT_EQ(at(image, cellCentre(3, 6)), highlight);
    EXPECT_EQ(at(image, cellCentre(4, 2)), model.back);
}

TEST_F(TablePaintTest, SelectedColumnsHavePressedHeaders) {
    table.setSelection({2, 4, 2, 6});
    const QImage image = table.renderImage();
    const QRect pressed = columnBox(2);
    const QRect raised = columnBox(1);
    EXPECT_EQ(at(image, QPoint(pressed.left() + 3, pressed.bottom())), darkShadow);
    EXPECT_EQ(at(image, QPoint(pressed.left() + 3, pressed.bottom() - 1)), shadow);
    EXPECT_EQ(at(image, QPoint(pressed.left() + 3, pressed.top())), face);     // no light top edge
    EXPECT_EQ(at(image, QPoint(pressed.left() + 3, pressed.top() + 3)), face); // not inverted
    EXPECT_EQ(at(image, QPoint(raised.left() + 3, raised.top())), light);
    EXPECT_EQ(at(image, QPoint(raised.left() + 3, raised.bottom())), shadow);
    EXPECT_EQ(at(image, QPoint(raised.left(), raised.center().y())), light);
    // The rows 4 to 6 are pressed in the row header too.
    EXPECT_EQ(at(image, QPoint(3, rowBox(5).bottom())), darkShadow);
    EXPECT_EQ(at(image, QPoint(3, rowBox(3).bottom())), shadow);
}

TEST_F(TablePaintTest, WholeColumnsAndRowsAreInverted) {
    table.setSelection({2, 0, 3, 998});
    QImage image = table.renderImage();
    EXPECT_EQ(at(image, columnBox(2).topLeft() + QPoint(3, 3)), inverted(face));
    EXPECT_EQ(at(image, columnBox(3).topLeft() + QPoint(3, 3)), inverted(face));
    EXPECT_EQ(at(image, columnBox(4).topLeft() + QPoint(3, 3)), face);
    EXPECT_EQ(at(image, rowBox(1).topLeft() + QPoint(3, 3)), face); // all rows pressed, none inverted

    table.setSelection({0, 3, 7, 4});
    image = table.renderImage();
    EXPECT_EQ(at(image, rowBox(3).topLeft() + QPoint(3, 3)), inverted(face));
    EXPECT_EQ(at(image, rowBox(5).topLeft() + QPoint(3, 3)), face);
    EXPECT_EQ(at(image, columnBox(2).topLeft() + QPoint(3, 3)), face);
}

TEST_F(TablePaintTest, RowNumbersAreCentredOnTheirRows) {
    table.setRowHeight(4, 60);
    const QImage image = table.renderImage();
    for (const int row : {3, 4}) {
        const QRect box = rowBox(row);
        int top = box.bottom();
        int bottom = box.top();
        for (int y = box.top() + 1; y < box.bottom(); ++y) {
            for (int x = box.left() + 1; x < box.right(); ++x) {
                if (at(image, QPoint(x, y)) != face) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        ASSERT_LE(top, bottom) << "row " << row << " has no number";
        const double inkMiddle = (top + bottom) / 2.0;
        const double boxMiddle = (box.top() + box.bottom()) / 2.0;
        EXPECT_NEAR(inkMiddle, boxMiddle, 2.0) << "row " << row;
    }
}

TEST_F(TablePaintTest, FocusMoveInsideAnUnchangedSelectionRepaints) {
    struct PaintCounter final : QObject {
        int paints = 0;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override {
            paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    table.setFocusCell({1, 5});
    table.setSelection({1, 0, 1, 998});
    QApplication::processEvents();
    table.installEventFilter(&counter);
    // Pressing the header of the column already selected whole moves only the focus.
    const int y = table.controller().columnHeaderRect().center().y();
    QTest::mouseClick(&table, Qt::LeftButton, Qt::NoModifier, QPoint(cellCentre(1, 0).x(), y));
    ASSERT_EQ(table.focusCell(), (CellPos{1, 0}));
    ASSERT_EQ(table.selection(), (CellRange{1, 0, 1, 998}));
    QApplication::processEvents();
    table.removeEventFilter(&counter);
    EXPECT_GT(counter.paints, 0);
}

TEST_F(TablePaintTest, TheWidgetShowsTheRenderedGrid) {
    table.setFocusCell({1, 1});
    table.setSelection({1, 1, 2, 3});
    const QImage screen = table.grab().toImage();
    EXPECT_EQ(at(screen, cellCentre(2, 3)), highlight);
    EXPECT_EQ(at(screen, cellCentre(4, 4)), model.back);
}

TEST_F(TablePaintTest, CornerIsInvertedOnlyForTheWholeTable) {
    const QPoint inside = table.controller().cornerRect().center();
    EXPECT_EQ(at(table.renderImage(), inside), face);
    table.setSelection({0, 0, 7, 998});
    EXPECT_EQ(at(table.renderImage(), inside), inverted(face));
    table.setSelection({0, 0, 7, 997});
    EXPECT_EQ(at(table.renderImage(), inside), face);
}

TEST_F(TablePaintTest, WorkspaceBeyondTheLastColumnAndModelDrawingIsClipped) {
    table.SetTableSize(3, 2);
    model.draw = [](QPainter& painter, const QSize& size, int /*row*/, int column) {
        if (column == 1) {
            painter.fillRect(QRect(-50, -50, 1000, 1000), Qt::red);
            painter.fillRect(QRect(QPoint(size.width() - 1, size.height() - 1), QSize(1, 1)), Qt::green);
        }
    };
    const QImage image = table.renderImage();
    const QRect cell = table.controller().cellRect({1, 1});
    EXPECT_EQ(at(image, cell.center()), QColor(Qt::red));
    EXPECT_EQ(at(image, QPoint(cell.right() - 1, cell.bottom() - 1)), QColor(Qt::green)); // content corner
    EXPECT_EQ(at(image, QPoint(cell.right(), cell.center().y())), shadow);                // grid line kept
    EXPECT_EQ(at(image, cellCentre(0, 1)), model.back);
    EXPECT_EQ(at(image, QPoint(cell.right() + 20, cell.center().y())), workspace);
    EXPECT_EQ(at(image, QPoint(cell.center().x(), table.controller().cellRect({1, 2}).bottom() + 20)),
              workspace);
}

TEST(TableCtrlLifetime, OwnerMayDestroyItsModelBeforeTheGrid) {
    // A window owning both the model and the grid destroys its members before its children.
    struct Owner final : QWidget {
        RecordingModel model;
        CTableCtrl* table = new CTableCtrl(this);
    };
    auto owner = std::make_unique<Owner>();
    owner->table->setDataModel(&owner->model);
    owner->table->beginEdit();
    ASSERT_TRUE(owner->table->isEditorOpen());
    owner.reset();
}

} // namespace
} // namespace qx::ui
