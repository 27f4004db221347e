#pragma once

// The grid's state and decisions without a widget: column and row arrays, selection and focus,
// scroll positions and page sizes, layout of the four areas, keyboard moves, Tab/Enter wrapping and
// border-resize limits. CTableCtrl owns one, forwards events to it and paints what it holds.

#include "ui/table/TableGeometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <Qt>

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace qx::ui {

/// Pixel sizes the layout needs from the platform: the row header width (the text "9999"), the
/// header row height (character height + 2), the scroll bar thicknesses and the drag distances.
struct TableMetrics {
    int rowHeaderWidth = 32;
    int headerHeight = 18;
    int verticalBarWidth = 16;
    int horizontalBarHeight = 16;
    int dragDistanceX = kDefaultDragDistance;
    int dragDistanceY = kDefaultDragDistance;
};

/// The navigation keys of the grid (a Qt key maps onto one of these in CTableCtrl).
enum class TableKey { Left, Right, Up, Down, Home, End, PageUp, PageDown, F2 };

/// What a key did.
enum class KeyAction {
    None,      ///< not a key of the grid, or nothing changed
    Moved,     ///< focus, selection or scroll position changed
    BeginEdit, ///< open the editor on the focus cell with its text (F2)
};

/// Narrows a proposed selection in place before it is stored (the owner's TBLN_ADJUSTSELECTION).
/// `source` is one of SelectionSource::; the proposal is not yet normalised.
using SelectionAdjuster = std::function<void(int source, CellRange& proposal)>;

/// Told about changes the widget must show. All default to doing nothing.
class TableControllerObserver {
public:
    virtual void tableSelectionChanged() {} ///< the stored selection changed (repaint, TBLN_SELCHANGED)
    virtual void tableFocusChanged() {}     ///< the focus cell changed (TBLN_FOCUSCHANGED)
    virtual void tableViewChanged() {}      ///< positions, page sizes or layout changed
    virtual void tableRepaint() {}          ///< something painted changed (a column's colours)

protected:
    ~TableControllerObserver() = default;
};

/// The headless grid. Index arguments outside the arrays are ignored by setters and answered with 0
/// by getters, so a wrong index never reaches memory it does not own.
class TableController final {
public:
    TableController();

    void setObserver(TableControllerObserver* observer) { m_observer = observer; }
    void setSelectionAdjuster(SelectionAdjuster adjuster) { m_adjuster = std::move(adjuster); }

    // --- platform sizes and layout ---------------------------------------------------------------
    void setMetrics(const TableMetrics& metrics);
    [[nodiscard]] const TableMetrics& metrics() const { return m_metrics; }
    /// The client size of the grid window (bars included). Recomputes page sizes and layout.
    void setClientSize(QSize size);
    [[nodiscard]] QSize clientSize() const { return m_clientSize; }

    /// Client area minus row header, header row and the two bars.
    [[nodiscard]] QRect dataArea() const;
    [[nodiscard]] QRect cellsRect() const { return m_cellsRect; }
    [[nodiscard]] QRect cornerRect() const;
    [[nodiscard]] QRect columnHeaderRect() const { return m_columnHeaderRect; }
    [[nodiscard]] QRect rowHeaderRect() const { return m_rowHeaderRect; }
    [[nodiscard]] QRect horizontalBarRect() const;
    [[nodiscard]] QRect verticalBarRect() const;
    [[nodiscard]] QRect sizeBoxRect() const;

    /// The cell's rectangle in client coordinates, laid from the first visible cell (it may lie
    /// outside the cells rectangle; nothing when the cell is out of the table).
    [[nodiscard]] QRect cellRect(CellPos cell) const;
    /// cellRect clipped to the cells rectangle: where an editor over the cell goes (empty: hidden).
    [[nodiscard]] QRect visibleCellRect(CellPos cell) const;
    /// The visible cell under a client point (points outside the cells give the nearest visible).
    [[nodiscard]] CellPos cellAt(QPoint clientPoint) const;

    // --- table size and column / row properties --------------------------------------------------
    /// Grows the arrays with default columns and rows, then truncates them to exactly these sizes
    /// (at least 1 each); keeps and clamps scroll positions, focus and selection.
    void setTableSize(int rows, int columns);
    [[nodiscard]] int rowCount() const { return static_cast<int>(m_rowHeights.size()); }
    [[nodiscard]] int columnCount() const { return static_cast<int>(m_columns.size()); }

    [[nodiscard]] COLUMNPROPERTY columnProperty(int column) const;
    [[nodiscard]] std::span<const int> columnWidths() const { return m_columnWidths; }
    [[nodiscard]] std::span<const int> rowHeights() const { return m_rowHeights; }
    [[nodiscard]] int columnWidth(int column) const;
    [[nodiscard]] int rowHeight(int row) const;
    /// Stores the width (out-of-range requests fall back to 94); returns the stored width.
    int setColumnWidth(int column, int width);
    /// Stores the height (out-of-range requests fall back to 24); returns the stored height.
    int setRowHeight(int row, int height);
    void setColumnLineWidth(int column, int lineWidth);
    void setColumnResizable(int column, bool resizable);
    void setColumnSelectable(int column, bool selectable);
    void setColumnEditable(int column, bool editable);

    // --- selection and focus ---------------------------------------------------------------------
    [[nodiscard]] CellRange selection() const { return m_selection; }
    [[nodiscard]] CellPos focusCell() const { return m_focus; }
    /// Normalises; when different from the stored one stores it and tells the observer.
    /// Returns true when it changed. Out-of-table coordinates are clamped.
    bool setSelection(const CellRange& selection);
    /// Stores the focus cell when different (clamped) and tells the observer.
    bool setFocusCell(CellPos cell);
    /// Passes the proposal through the adjuster, then stores it with setSelection.
    bool proposeSelection(int source, CellRange proposal);
    [[nodiscard]] bool isWholeTableSelected() const;
    [[nodiscard]] bool selectionCoversAllRows() const;
    [[nodiscard]] bool selectionCoversAllColumns() const;

    // --- scrolling -------------------------------------------------------------------------------
    [[nodiscard]] int firstColumn() const { return m_firstColumn; }
    [[nodiscard]] int firstRow() const { return m_firstRow; }
    [[nodiscard]] int visibleColumns() const { return m_visibleColumns; }
    [[nodiscard]] int visibleRows() const { return m_visibleRows; }
    /// Carries out a horizontal scroll request; returns true when the position changed.
    bool scrollHorizontal(ScrollRequest request, int thumb = 0);
    bool scrollVertical(ScrollRequest request, int thumb = 0);
    /// A wheel turn: three rows a notch of 120; parts of a row are kept for the next turn.
    bool wheel(int delta);
    /// Scrolls so that the selection corner opposite the focus cell is visible.
    void makeMovingEndVisible();
    /// Scrolls just enough for the cell to be seen.
    void makeCellVisible(CellPos cell);

    // --- keyboard --------------------------------------------------------------------------------
    /// A navigation key when no editor is open. Shift and Ctrl as held at the time of the key.
    KeyAction keyDown(TableKey key, bool shift, bool ctrl);
    /// Tab (CommitKey::Tab) or Enter (CommitKey::Enter) typed on the grid: moves with wrapping to
    /// the next (previous) row or column. Returns false for other keys.
    bool typeTabOrEnter(int commitKey, bool shift);
    /// Tab or Enter typed in an open editor: moves without wrapping.
    void commitMove(int commitKey, bool shift);

    /// True when the key opens the focus column's editor empty and is passed on to it: Backspace,
    /// Space and the printable keys (letters, digits, keypad, punctuation), without Ctrl or Alt.
    [[nodiscard]] static bool keyStartsTyping(int qtKey, Qt::KeyboardModifiers modifiers,
                                              const QString& text);

private:
    bool scrollBar(bool horizontal, ScrollRequest request, int thumb);
    void applyFocusAndCollapse(CellPos cell);
    void recomputePages();
    void layout();
    void notifyView();
    [[nodiscard]] bool validColumn(int column) const { return column >= 0 && column < columnCount(); }
    [[nodiscard]] bool validRow(int row) const { return row >= 0 && row < rowCount(); }
    [[nodiscard]] CellRange clamped(const CellRange& range) const;

    TableControllerObserver* m_observer = nullptr;
    SelectionAdjuster m_adjuster;
    TableMetrics m_metrics;
    QSize m_clientSize;
    std::vector<COLUMNPROPERTY> m_columns;
    std::vector<int> m_columnWidths; ///< mirror of nWidth, so that geometry walks a plain span
    std::vector<int> m_rowHeights;
    CellRange m_selection;
    CellPos m_focus;
    int m_firstColumn = 0;
    int m_firstRow = 0;
    int m_wheelRemainder = 0; ///< wheel delta short of a whole row
    int m_visibleColumns = 1;
    int m_visibleRows = 1;
    QRect m_cellsRect;
    QRect m_columnHeaderRect;
    QRect m_rowHeaderRect;
};

} // namespace qx::ui
