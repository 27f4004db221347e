#include "ui/table/TableController.h"
#include "ui/table/TableMessages.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx::ui {
namespace {

/// A grid of `rows` x `columns` whose data area shows `visibleRows` rows of 24 pixels and
/// `visibleColumns` columns of 94 pixels.
struct Grid {
    TableController table;
    explicit Grid(int rows, int columns, int visibleRows = 10, int visibleColumns = 4) {
        TableMetrics metrics;
        metrics.rowHeaderWidth = 30;
        metrics.headerHeight = 20;
        metrics.verticalBarWidth = 16;
        metrics.horizontalBarHeight = 16;
        table.setMetrics(metrics);
        table.setTableSize(rows, columns);
        table.setClientSize(QSize(30 + 94 * visibleColumns + 16, 20 + 24 * visibleRows + 16));
    }
    void focusAt(int column, int row) {
        table.setFocusCell({column, row});
        table.setSelection({column, row, column, row});
    }
};

struct Counting final : TableControllerObserver {
    int selections = 0;
    int focuses = 0;
    void tableSelectionChanged() override { ++selections; }
    void tableFocusChanged() override { ++focuses; }
};

TEST(TableController, NewTableHasOneDefaultColumnAndRow) {
    TableController table;
    EXPECT_EQ(table.columnCount(), 1);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(table.columnProperty(0), (COLUMNPROPERTY{94, 1, 1, 1, 1}));
    EXPECT_EQ(table.rowHeight(0), 24);
    EXPECT_EQ(table.selection(), (CellRange{0, 0, 0, 0}));
}

TEST(TableController, TabAndEnterWrap) {
    struct Row {
        int key;
        bool shift;
        CellPos from;
        CellPos to;
    };
    const int tab = CommitKey::Tab;
    const int enter = CommitKey::Enter;
    const Row rows[] = {
        {tab, false, {2, 0}, {3, 0}},
        {tab, false, {7, 4}, {0, 5}},     // last column: first column of the next row
        {tab, false, {7, 998}, {7, 998}}, // last cell: stays
        {tab, true, {0, 5}, {7, 4}},      // Shift+Tab wraps back to the previous row's end
        {tab, true, {0, 0}, {0, 0}},
        {enter, false, {3, 998}, {4, 0}}, // last row: top of the next column
        {enter, false, {7, 998}, {7, 998}},
        {enter, true, {2, 0}, {1, 998}}, // Shift+Enter on row 0 of column 2
        {enter, true, {0, 0}, {0, 0}},
    };
    for (const Row& row : rows) {
        Grid grid(999, 8);
        grid.focusAt(row.from.column, row.from.row);
        EXPECT_TRUE(grid.table.typeTabOrEnter(row.key, row.shift));
        EXPECT_EQ(grid.table.focusCell(), row.to)
            << row.key << " " << row.shift << " " << row.from.column << "," << row.from.row;
        EXPECT_EQ(grid.table.selection(), (CellRange{row.to.column, row.to.row, row.to.column, row.to.row}));
    }
}

TEST(TableController, CommitMoveDoesNotWrap) {
    Grid grid(999, 8);
    grid.focusAt(7, 4);
    grid.table.commitMove(CommitKey::Tab, false);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{7, 4}));
    grid.focusAt(2, 0);
    grid.table.commitMove(CommitKey::Enter, true);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{2, 0}));
    grid.table.commitMove(CommitKey::Enter, false);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{2, 1}));
}

TEST(TableController, ArrowKeysMoveCollapseAndExtend) {
    Grid grid(999, 8);
    grid.focusAt(3, 5);
    EXPECT_EQ(grid.table.keyDown(TableKey::Right, false, false), KeyAction::Moved);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{4, 5}));
    grid.table.keyDown(TableKey::Down, true, false);
    grid.table.keyDown(TableKey::Down, true, false);
    grid.table.keyDown(TableKey::Left, true, false);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{4, 5})); // Shift moves the other corner only
    EXPECT_EQ(grid.table.selection(), (CellRange{3, 5, 4, 7}));
    grid.table.keyDown(TableKey::Up, false, false); // a plain move collapses
    EXPECT_EQ(grid.table.selection(), (CellRange{4, 4, 4, 4}));
    grid.table.keyDown(TableKey::End, false, true);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{4, 998}));
    grid.table.keyDown(TableKey::Home, false, false);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{0, 998}));
    EXPECT_EQ(grid.table.keyDown(TableKey::Left, false, false), KeyAction::None); // clamped: nothing changes
    EXPECT_EQ(grid.table.keyDown(TableKey::F2, false, false), KeyAction::BeginEdit);
}

TEST(TableController, ShiftExtendsFromTheMovingEndWhenTheFocusIsAtTheBottomRight) {
    Grid grid(999, 8);
    grid.table.setFocusCell({4, 6});
    grid.table.setSelection({2, 3, 4, 6});
    grid.table.keyDown(TableKey::Up, true, false);
    EXPECT_EQ(grid.table.selection(), (CellRange{2, 2, 4, 6}));
}

TEST(TableController, PageDownMovesByVisibleRowsLessOne) {
    struct Row {
        int visibleRows;
        int step;
    };
    const Row rows[] = {{10, 9}, {3, 2}, {2, 1}, {1, 1}};
    for (const Row& row : rows) {
        Grid grid(999, 8, row.visibleRows);
        ASSERT_EQ(grid.table.visibleRows(), row.visibleRows);
        grid.focusAt(0, 0);
        grid.table.keyDown(TableKey::PageDown, false, false);
        EXPECT_EQ(grid.table.focusCell().row, row.step) << row.visibleRows;
        EXPECT_EQ(grid.table.firstRow(), row.step) << row.visibleRows;
        grid.table.keyDown(TableKey::PageUp, false, false);
        EXPECT_EQ(grid.table.focusCell().row, 0);
        EXPECT_EQ(grid.table.firstRow(), 0);
    }
}

TEST(TableController, KeyboardSelectionGoesThroughTheAdjuster) {
    Grid grid(999, 8);
    std::vector<int> sources;
    grid.table.setSelectionAdjuster([&](int source, CellRange& proposal) {
        sources.push_back(source);
        proposal.right = std::min(proposal.right, 3); // as the text columns do
    });
    grid.focusAt(2, 0);
    grid.table.keyDown(TableKey::Right, true, false);
    grid.table.keyDown(TableKey::Right, true, false);
    EXPECT_EQ(grid.table.selection(), (CellRange{2, 0, 3, 0}));
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.front(), SelectionSource::Cells);
    sources.clear();
    grid.table.typeTabOrEnter(CommitKey::Tab, false); // Tab stores the collapsed cell directly
    EXPECT_TRUE(sources.empty());
}

TEST(TableController, MovingDownPastTheViewScrollsJustEnough) {
    Grid grid(999, 8, 10);
    grid.focusAt(0, 9);
    grid.table.keyDown(TableKey::Down, false, false);
    EXPECT_EQ(grid.table.firstRow(), 1);
    grid.table.keyDown(TableKey::End, false, true); // Ctrl+End: last row
    EXPECT_EQ(grid.table.firstRow(), 989);
    grid.table.keyDown(TableKey::Home, false, true);
    EXPECT_EQ(grid.table.firstRow(), 0);
    grid.table.keyDown(TableKey::End, false, false); // End: last column, 4 of 8 visible
    EXPECT_EQ(grid.table.firstColumn(), 4);
}

TEST(TableController, SelectionAndFocusNotifyOnlyOnChange) {
    Grid grid(20, 5);
    Counting counting;
    grid.table.setObserver(&counting);
    EXPECT_FALSE(grid.table.setSelection({0, 0, 0, 0}));
    EXPECT_TRUE(grid.table.setSelection({3, 4, 1, 2})); // stored normalised
    EXPECT_EQ(grid.table.selection(), (CellRange{1, 2, 3, 4}));
    EXPECT_FALSE(grid.table.setSelection({1, 4, 3, 2}));
    EXPECT_EQ(counting.selections, 1);
    EXPECT_TRUE(grid.table.setFocusCell({2, 2}));
    EXPECT_FALSE(grid.table.setFocusCell({2, 2}));
    EXPECT_EQ(counting.focuses, 1);
    grid.table.setObserver(nullptr);
}

TEST(TableController, SetTableSizeKeepsWhatFitsAndClampsTheRest) {
    Grid grid(999, 8);
    grid.table.setColumnWidth(1, 120);
    grid.table.scrollVertical(ScrollRequest::ThumbPosition, 500);
    grid.table.setFocusCell({7, 600});
    grid.table.setSelection({5, 550, 7, 600});
    grid.table.setTableSize(300, 6);
    EXPECT_EQ(grid.table.columnWidth(1), 120);
    EXPECT_EQ(grid.table.firstRow(), 299);
    EXPECT_EQ(grid.table.visibleRows(), 1);
    EXPECT_EQ(grid.table.focusCell(), (CellPos{5, 299}));
    EXPECT_EQ(grid.table.selection(), (CellRange{5, 299, 5, 299}));
    grid.table.setTableSize(310, 9);
    EXPECT_EQ(grid.table.columnProperty(8), (COLUMNPROPERTY{94, 1, 1, 1, 1}));
    EXPECT_EQ(grid.table.rowHeight(305), 24);
}

TEST(TableController, ResizeRequestsAndPageSizes) {
    Grid grid(999, 8, 10, 4);
    EXPECT_EQ(grid.table.setColumnWidth(0, 0), 94);
    EXPECT_EQ(grid.table.setColumnWidth(0, 8), 8); // 2 x the drag distance
    EXPECT_EQ(grid.table.setColumnWidth(0, 7), 94);
    EXPECT_EQ(grid.table.setRowHeight(0, 0), 24);
    EXPECT_EQ(grid.table.setRowHeight(0, 48), 48);
    EXPECT_EQ(grid.table.visibleRows(), 9); // 48 + 8 x 24 = 240: nine rows fill it exactly
    grid.table.setColumnWidth(0, 400);
    EXPECT_EQ(grid.table.visibleColumns(), 1);
    EXPECT_EQ(grid.table.cellsRect().width(), 94 * 4); // clipped to the data area
    EXPECT_EQ(grid.table.setColumnWidth(42, 100), 0);  // out of the table: ignored
}

TEST(TableController, ScrollingClampsAndWheelMovesThreeRowsANotch) {
    Grid grid(999, 8, 10, 4);
    EXPECT_FALSE(grid.table.scrollVertical(ScrollRequest::LineBack));
    EXPECT_TRUE(grid.table.scrollVertical(ScrollRequest::PageForward));
    EXPECT_EQ(grid.table.firstRow(), 10);
    grid.table.scrollVertical(ScrollRequest::PageBack);
    EXPECT_EQ(grid.table.firstRow(), 0);
    grid.table.scrollVertical(ScrollRequest::ToEnd);
    EXPECT_EQ(grid.table.firstRow(), 998);
    grid.table.scrollVertical(ScrollRequest::ThumbPosition, 5000);
    EXPECT_EQ(grid.table.firstRow(), 998);
    grid.table.scrollVertical(ScrollRequest::ToStart);
    grid.table.wheel(-120);
    EXPECT_EQ(grid.table.firstRow(), 3);
    grid.table.wheel(-360);
    EXPECT_EQ(grid.table.firstRow(), 12);
    grid.table.wheel(120 * 10);
    EXPECT_EQ(grid.table.firstRow(), 0);
    // A touchpad's small steps add up: 24 units each, a row every 40.
    for (int step = 0; step < 5; ++step) {
        grid.table.wheel(-24);
    }
    EXPECT_EQ(grid.table.firstRow(), 3);
}

TEST(TableController, CellGeometryFollowsScrolling) {
    Grid grid(999, 8, 10, 4);
    EXPECT_EQ(grid.table.cellRect({1, 2}), QRect(30 + 94, 20 + 48, 94, 24));
    EXPECT_EQ(grid.table.cellAt(QPoint(30 + 94 + 5, 20 + 48 + 5)), (CellPos{1, 2}));
    grid.table.scrollVertical(ScrollRequest::ThumbPosition, 5);
    EXPECT_TRUE(grid.table.visibleCellRect({1, 2}).isEmpty()); // scrolled off: an editor there hides
    EXPECT_EQ(grid.table.cellAt(QPoint(30 + 5, 20 + 5)), (CellPos{0, 5}));
    EXPECT_EQ(grid.table.columnHeaderRect(), QRect(30, 0, 94 * 4, 20));
    EXPECT_EQ(grid.table.rowHeaderRect(), QRect(0, 20, 30, 240));
}

TEST(TableController, TypingKeys) {
    struct Row {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool opens;
    };
    const Row rows[] = {
        {Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true},
        {Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"), true},
        {Qt::Key_Comma, Qt::NoModifier, QStringLiteral(","), true},
        {Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"), true},
        {Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true},
        {Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"), false},
        {Qt::Key_C, Qt::ControlModifier, QStringLiteral("c"), false},
        {Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"), false},
        {Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"), false},
        {Qt::Key_F5, Qt::NoModifier, QString(), false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TableController::keyStartsTyping(row.key, row.modifiers, row.text), row.opens) << row.key;
    }
}

} // namespace
} // namespace qx::ui
