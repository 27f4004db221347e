#include "ui/table/TableController.h"

#include "ui/table/TableMessages.h"

#include <algorithm>

namespace qx::ui {

TableController::TableController()
    : m_columns(1), m_columnWidths(1, kDefaultColumnWidth), m_rowHeights(1, kDefaultRowHeight) {}

// --- platform sizes and layout ---------------------------------------------------------------------

void TableController::setMetrics(const TableMetrics& metrics) {
    m_metrics = metrics;
    recomputePages();
    layout();
    notifyView();
}

void TableController::setClientSize(QSize size) {
    m_clientSize = size;
    recomputePages();
    layout();
    notifyView();
}

QRect TableController::dataArea() const {
    const int width = m_clientSize.width() - m_metrics.rowHeaderWidth - m_metrics.verticalBarWidth;
    const int height = m_clientSize.height() - m_metrics.headerHeight - m_metrics.horizontalBarHeight;
    return {m_metrics.rowHeaderWidth, m_metrics.headerHeight, std::max(width, 0), std::max(height, 0)};
}

QRect TableController::cornerRect() const {
    return {0, 0, m_metrics.rowHeaderWidth, m_metrics.headerHeight};
}

QRect TableController::horizontalBarRect() const {
    return {0, m_clientSize.height() - m_metrics.horizontalBarHeight,
            std::max(m_clientSize.width() - m_metrics.verticalBarWidth, 0), m_metrics.horizontalBarHeight};
}

QRect TableController::verticalBarRect() const {
    return {m_clientSize.width() - m_metrics.verticalBarWidth, 0, m_metrics.verticalBarWidth,
            std::max(m_clientSize.height() - m_metrics.horizontalBarHeight, 0)};
}

QRect TableController::sizeBoxRect() const {
    return {m_clientSize.width() - m_metrics.verticalBarWidth,
            m_clientSize.height() - m_metrics.horizontalBarHeight, m_metrics.verticalBarWidth,
            m_metrics.horizontalBarHeight};
}

void TableController::layout() {
    const QRect area = dataArea();
    const int width = extentBetween(m_columnWidths, m_firstColumn, m_firstColumn + m_visibleColumns);
    const int height = extentBetween(m_rowHeights, m_firstRow, m_firstRow + m_visibleRows);
    m_cellsRect =
        QRect(area.left(), area.top(), std::min(width, area.width()), std::min(height, area.height()));
    m_columnHeaderRect = QRect(m_cellsRect.left(), 0, m_cellsRect.width(), m_metrics.headerHeight);
    m_rowHeaderRect = QRect(0, m_cellsRect.top(), m_metrics.rowHeaderWidth, m_cellsRect.height());
}

void TableController::recomputePages() {
    const QRect area = dataArea();
    m_visibleColumns = pageSize(m_columnWidths, m_firstColumn, area.width());
    m_visibleRows = pageSize(m_rowHeights, m_firstRow, area.height());
}

void TableController::notifyView() {
    if (m_observer != nullptr) {
        m_observer->tableViewChanged();
    }
}

QRect TableController::cellRect(CellPos cell) const {
    if (!validColumn(cell.column) || !validRow(cell.row)) {
        return {};
    }
    const int x = m_cellsRect.left() + extentBetween(m_columnWidths, m_firstColumn, cell.column);
    const int y = m_cellsRect.top() + extentBetween(m_rowHeights, m_firstRow, cell.row);
    return {x, y, columnWidth(cell.column), rowHeight(cell.row)};
}

QRect TableController::visibleCellRect(CellPos cell) const {
    return cellRect(cell).intersected(m_cellsRect);
}

CellPos TableController::cellAt(QPoint clientPoint) const {
    return {
        visibleIndexAt(m_columnWidths, m_firstColumn, m_visibleColumns, clientPoint.x() - m_cellsRect.left()),
        visibleIndexAt(m_rowHeights, m_firstRow, m_visibleRows, clientPoint.y() - m_cellsRect.top())};
}

// --- table size and column / row properties ---------------------------------------------------------

void TableController::setTableSize(int rows, int columns) {
    rows = std::max(rows, 1);
    columns = std::max(columns, 1);
    m_columns.resize(static_cast<std::size_t>(columns));
    m_columnWidths.resize(static_cast<std::size_t>(columns), kDefaultColumnWidth);
    m_rowHeights.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
    m_firstColumn = std::min(m_firstColumn, columns - 1);
    m_firstRow = std::min(m_firstRow, rows - 1);
    // A smaller table must not leave the focus or the selection on cells that no longer exist:
    // the next edit would read and write outside the owner's arrays.
    const CellPos focus{std::min(m_focus.column, columns - 1), std::min(m_focus.row, rows - 1)};
    const CellRange selection = clamped(m_selection);
    recomputePages();
    layout();
    if (!(focus == m_focus)) {
        m_focus = focus;
        if (m_observer != nullptr) {
            m_observer->tableFocusChanged();
        }
    }
    if (!(selection == m_selection)) {
        m_selection = selection;
        if (m_observer != nullptr) {
            m_observer->tableSelectionChanged();
        }
    }
    notifyView();
}

COLUMNPROPERTY TableController::columnProperty(int column) const {
    if (!validColumn(column)) {
        return COLUMNPROPERTY{0, 0, 0, 0, 0};
    }
    return m_columns[static_cast<std::size_t>(column)];
}

int TableController::columnWidth(int column) const {
    return validColumn(column) ? m_columnWidths[static_cast<std::size_t>(column)] : 0;
}

int TableController::rowHeight(int row) const {
    return validRow(row) ? m_rowHeights[static_cast<std::size_t>(row)] : 0;
}

int TableController::setColumnWidth(int column, int width) {
    if (!validColumn(column)) {
        return 0;
    }
    const int stored = storedExtent(width, m_metrics.dragDistanceX, kDefaultColumnWidth);
    m_columns[static_cast<std::size_t>(column)].nWidth = stored;
    m_columnWidths[static_cast<std::size_t>(column)] = stored;
    // Columns scrolled off to the left change nothing on screen.
    if (column >= m_firstColumn) {
        recomputePages();
        layout();
        notifyView();
    }
    return stored;
}

int TableController::setRowHeight(int row, int height) {
    if (!validRow(row)) {
        return 0;
    }
    const int stored = storedExtent(height, m_metrics.dragDistanceY, kDefaultRowHeight);
    m_rowHeights[static_cast<std::size_t>(row)] = stored;
    if (row >= m_firstRow) {
        recomputePages();
        layout();
        notifyView();
    }
    return stored;
}

void TableController::setColumnLineWidth(int column, int lineWidth) {
    if (validColumn(column)) {
        m_columns[static_cast<std::size_t>(column)].nLineWidth = lineWidth;
        if (m_observer != nullptr) {
            m_observer->tableRepaint();
        }
    }
}

void TableController::setColumnResizable(int column, bool resizable) {
    if (validColumn(column)) {
        m_columns[static_cast<std::size_t>(column)].bResizable = resizable ? 1 : 0;
    }
}

void TableController::setColumnSelectable(int column, bool selectable) {
    if (validColumn(column)) {
        m_columns[static_cast<std::size_t>(column)].bSelectable = selectable ? 1 : 0;
    }
}

void TableController::setColumnEditable(int column, bool editable) {
    if (!validColumn(column)) {
        return;
    }
    auto& flag = m_columns[static_cast<std::size_t>(column)].bEditable;
    const std::int32_t value = editable ? 1 : 0;
    if (flag != value) {
        flag = value;
        if (m_observer != nullptr) {
            m_observer->tableRepaint();
        }
    }
}

// --- selection and focus ------------------------------------------------------------------------------

CellRange TableController::clamped(const CellRange& range) const {
    return {clampIndex(range.left, columnCount()), clampIndex(range.top, rowCount()),
            clampIndex(range.right, columnCount()), clampIndex(range.bottom, rowCount())};
}

bool TableController::setSelection(const CellRange& selection) {
    const CellRange stored = clamped(selection.normalised());
    if (stored == m_selection) {
        return false;
    }
    m_selection = stored;
    if (m_observer != nullptr) {
        m_observer->tableSelectionChanged();
    }
    return true;
}

bool TableController::setFocusCell(CellPos cell) {
    const CellPos stored{clampIndex(cell.column, columnCount()), clampIndex(cell.row, rowCount())};
    if (stored == m_focus) {
        return false;
    }
    m_focus = stored;
    if (m_observer != nullptr) {
        m_observer->tableFocusChanged();
    }
    return true;
}

bool TableController::proposeSelection(int source, CellRange proposal) {
    if (m_adjuster) {
        m_adjuster(source, proposal);
    }
    return setSelection(proposal);
}

bool TableController::isWholeTableSelected() const {
    return m_selection == CellRange{0, 0, columnCount() - 1, rowCount() - 1};
}

bool TableController::selectionCoversAllRows() const {
    return m_selection.top == 0 && m_selection.bottom == rowCount() - 1;
}

bool TableController::selectionCoversAllColumns() const {
    return m_selection.left == 0 && m_selection.right == columnCount() - 1;
}

// --- scrolling ------------------------------------------------------------------------------------------

bool TableController::scrollBar(bool horizontal, ScrollRequest request, int thumb) {
    const std::span<const int> extents = horizontal ? std::span<const int>(m_columnWidths) : m_rowHeights;
    int& position = horizontal ? m_firstColumn : m_firstRow;
    const int page = horizontal ? m_visibleColumns : m_visibleRows;
    const int area = horizontal ? dataArea().width() : dataArea().height();
    const int target = clampIndex(scrollTarget(request, extents, position, page, area, thumb),
                                  static_cast<int>(extents.size()));
    if (target == position) {
        return false;
    }
    position = target;
    recomputePages();
    layout();
    notifyView();
    return true;
}

bool TableController::scrollHorizontal(ScrollRequest request, int thumb) {
    return scrollBar(true, request, thumb);
}

bool TableController::scrollVertical(ScrollRequest request, int thumb) {
    return scrollBar(false, request, thumb);
}

bool TableController::wheel(int delta) {
    // A fine-grained wheel (a touchpad) sends small parts of a notch; they add up until they make
    // whole rows, so slow scrolling moves too.
    constexpr long long DeltaPerRow = kWheelDeltaPerNotch / kWheelRowsPerNotch;
    const long long total = std::clamp<long long>(static_cast<long long>(m_wheelRemainder) + delta,
                                                  -kWheelDeltaPerNotch * 100000LL, kWheelDeltaPerNotch * 100000LL);
    const long long used = total / DeltaPerRow * DeltaPerRow;
    m_wheelRemainder = static_cast<int>(total - used);
    return scrollVertical(ScrollRequest::ThumbPosition, wheelFirstRow(m_firstRow, static_cast<int>(used), rowCount()));
}

void TableController::makeMovingEndVisible() { makeCellVisible(movingEnd(m_selection, m_focus)); }

void TableController::makeCellVisible(CellPos cell) {
    const QRect area = dataArea();
    const int row = firstToShow(m_rowHeights, m_firstRow, cell.row, area.height());
    if (row != m_firstRow) {
        scrollVertical(ScrollRequest::ThumbPosition, row);
    }
    const int column = firstToShow(m_columnWidths, m_firstColumn, cell.column, area.width());
    if (column != m_firstColumn) {
        scrollHorizontal(ScrollRequest::ThumbPosition, column);
    }
}

// --- keyboard -------------------------------------------------------------------------------------------

KeyAction TableController::keyDown(TableKey key, bool shift, bool ctrl) {
    if (key == TableKey::F2) {
        return ctrl ? KeyAction::None : KeyAction::BeginEdit;
    }
    const CellPos focus = m_focus;
    const CellPos other = movingEnd(m_selection, focus);
    CellPos newFocus = focus;
    CellPos newOther = other;
    int newFirstRow = m_firstRow;
    bool collapse = false;
    const int step = pageStep(m_visibleRows);
    // One axis of the arrow keys: Ctrl jumps to the end, Shift moves the other corner, else the
    // focus moves and the selection collapses onto it.
    const auto arrow = [&](int& focusCoord, int& otherCoord, int delta, int ctrlTarget) {
        if (ctrl) {
            focusCoord = ctrlTarget;
            collapse = true;
        } else if (shift) {
            otherCoord += delta;
        } else {
            focusCoord += delta;
            collapse = true;
        }
    };
    switch (key) {
    case TableKey::Left:
        arrow(newFocus.column, newOther.column, -1, 0);
        break;
    case TableKey::Right:
        arrow(newFocus.column, newOther.column, +1, columnCount() - 1);
        break;
    case TableKey::Up:
        arrow(newFocus.row, newOther.row, -1, 0);
        break;
    case TableKey::Down:
        arrow(newFocus.row, newOther.row, +1, rowCount() - 1);
        break;
    case TableKey::Home:
        (ctrl ? newFocus.row : newFocus.column) = 0;
        collapse = true;
        break;
    case TableKey::End:
        if (ctrl) {
            newFocus.row = rowCount() - 1;
        } else {
            newFocus.column = columnCount() - 1;
        }
        collapse = true;
        break;
    case TableKey::PageUp:
    case TableKey::PageDown: {
        const int delta = key == TableKey::PageUp ? -step : step;
        newFirstRow += delta;
        if (shift) {
            newOther.row += delta;
        } else {
            newFocus.row += delta;
            collapse = true;
        }
        break;
    }
    case TableKey::F2:
        break;
    }
    if (collapse) {
        newOther = newFocus;
    }
    newFocus = {clampIndex(newFocus.column, columnCount()), clampIndex(newFocus.row, rowCount())};
    newOther = {clampIndex(newOther.column, columnCount()), clampIndex(newOther.row, rowCount())};
    newFirstRow = clampIndex(newFirstRow, rowCount());

    bool changed = false;
    if (newFirstRow != m_firstRow) {
        changed = scrollVertical(ScrollRequest::ThumbPosition, newFirstRow);
    }
    const CellRange proposal{newFocus.column, newFocus.row, newOther.column, newOther.row};
    if (!(newFocus == focus) || !(proposal.normalised() == m_selection)) {
        setFocusCell(newFocus);
        proposeSelection(SelectionSource::Cells, proposal);
        makeMovingEndVisible();
        changed = true;
    }
    return changed ? KeyAction::Moved : KeyAction::None;
}

void TableController::applyFocusAndCollapse(CellPos cell) {
    const CellPos focus{clampIndex(cell.column, columnCount()), clampIndex(cell.row, rowCount())};
    setFocusCell(focus);
    setSelection({focus.column, focus.row, focus.column, focus.row});
    makeMovingEndVisible();
}

bool TableController::typeTabOrEnter(int commitKey, bool shift) {
    CellPos cell = m_focus;
    if (commitKey == CommitKey::Tab) {
        cell.column += shift ? -1 : 1;
        if (cell.column >= columnCount() && cell.row + 1 < rowCount()) {
            cell = {0, cell.row + 1};
        } else if (cell.column < 0 && cell.row > 0) {
            cell = {columnCount() - 1, cell.row - 1};
        }
    } else if (commitKey == CommitKey::Enter) {
        cell.row += shift ? -1 : 1;
        if (cell.row >= rowCount() && cell.column + 1 < columnCount()) {
            cell = {cell.column + 1, 0};
        } else if (cell.row < 0 && cell.column > 0) {
            cell = {cell.column - 1, rowCount() - 1};
        }
    } else {
        return false;
    }
    applyFocusAndCollapse(cell);
    return true;
}

void TableController::commitMove(int commitKey, bool shift) {
    CellPos cell = m_focus;
    if (commitKey == CommitKey::Tab) {
        cell.column += shift ? -1 : 1;
    } else if (commitKey == CommitKey::Enter) {
        cell.row += shift ? -1 : 1;
    }
    applyFocusAndCollapse(cell);
}

bool TableController::keyStartsTyping(int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        return false;
    }
    if (qtKey == Qt::Key_Backspace || qtKey == Qt::Key_Space) {
        return true;
    }
    return !text.isEmpty() && text.at(0).isPrint();
}

} // namespace qx::ui
