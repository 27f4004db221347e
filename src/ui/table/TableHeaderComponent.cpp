#include "ui/table/TableHeaderComponent.h"

#include "ui/table/TableCtrl.h"

#include <QPainter>

#include <algorithm>

namespace qx::ui {

namespace {

void invert(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.fillRect(rect, Qt::white);
    painter.restore();
}

/// A header box standing out: light edges top and left, shadow bottom and right.
void drawRaisedBox(QPainter& painter, const QRect& box, const TableColours& colours) {
    painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), colours.buttonHighlight);
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), colours.buttonHighlight);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), colours.buttonShadow);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), colours.buttonShadow);
}

/// A header box pushed in: a light edge at the left, dark and shadow edges right and bottom.
void drawPressedBox(QPainter& painter, const QRect& box, const TableColours& colours) {
    painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), colours.buttonHighlight);
    painter.fillRect(QRect(box.right() - 1, box.top(), 1, box.height()), colours.buttonShadow);
    painter.fillRect(QRect(box.left(), box.bottom() - 1, box.width(), 1), colours.buttonShadow);
    painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), colours.darkShadow);
    painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), colours.darkShadow);
}

} // namespace

void CTableHeaderComponent::Paint(QPainter& painter) const {
    if (isCorner()) {
        paintCorner(painter);
    } else {
        paintBoxes(painter);
    }
}

void CTableHeaderComponent::paintCorner(QPainter& painter) const {
    const TableColours colours = owner().colours();
    const QRect box(QPoint(0, 0), rect().size());
    painter.fillRect(box, colours.buttonFace);
    drawRaisedBox(painter, box, colours);
    if (owner().controller().isWholeTableSelected()) {
        invert(painter, box);
    }
}

void CTableHeaderComponent::paintBoxes(QPainter& painter) const {
    const TableController& table = owner().controller();
    const TableColours colours = owner().colours();
    const bool columns = isColumnHeader();
    const std::span<const int> extents = columns ? table.columnWidths() : table.rowHeights();
    const int first = columns ? table.firstColumn() : table.firstRow();
    const int last = std::min(first + (columns ? table.visibleColumns() : table.visibleRows()),
                              static_cast<int>(extents.size()));
    const CellRange selection = table.selection();
    const QFont normal = owner().headerFont(false);
    const QFont bold = owner().headerFont(true);

    painter.fillRect(QRect(QPoint(0, 0), rect().size()), colours.buttonFace);
    painter.setPen(colours.buttonText);
    QRect selectedUnion;
    int offset = 0;
    for (int i = first; i < last; ++i) {
        const int extent = extents[static_cast<std::size_t>(i)];
        const QRect box =
            columns ? QRect(offset, 0, extent, rect().height()) : QRect(0, offset, rect().width(), extent);
        offset += extent;
        const bool pressed = columns ? selection.containsColumn(i) : selection.containsRow(i);
        if (pressed) {
            drawPressedBox(painter, box, colours);
            selectedUnion = selectedUnion.united(box);
        } else {
            drawRaisedBox(painter, box, colours);
        }
        const QString title = columns ? owner().dataModel().GetColumnTitle(i) : QString::number(i + 1);
        painter.setFont(pressed ? bold : normal);
        // Titles sit on the bottom of the header row, which is only as tall as the font; a row can be
        // much taller than its number, which is centred on it.
        const Qt::Alignment vertical = columns ? Qt::AlignBottom : Qt::AlignVCenter;
        painter.drawText(box.adjusted(2, 2, -2, -2), Qt::AlignHCenter | vertical | Qt::TextSingleLine, title);
        if (offset >= (columns ? rect().width() : rect().height())) {
            break;
        }
    }
    // Whole columns (rows) selected: their boxes are shown inverted.
    const bool whole = columns ? table.selectionCoversAllRows() : table.selectionCoversAllColumns();
    if (whole && !selectedUnion.isEmpty()) {
        invert(painter, selectedUnion);
    }
}

void CTableHeaderComponent::OnLButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) {
    TableController& table = owner().controllerForComponents();
    const int rows = table.rowCount();
    const int columns = table.columnCount();
    if (isCorner()) {
        table.setSelection({0, 0, columns - 1, rows - 1});
        return;
    }
    const bool shift = (modifiers & Qt::ShiftModifier) != 0;
    const TableMetrics& metrics = table.metrics();
    if (isColumnHeader()) {
        const HeaderHit hit = headerHitTest(table.columnWidths(), table.firstColumn(), table.visibleColumns(),
                                            x, metrics.dragDistanceX);
        if (hit.index < 0) {
            return;
        }
        const COLUMNPROPERTY column = table.columnProperty(hit.index);
        if (!hit.onBorder) {
            if (column.bSelectable != 0) {
                m_dragState = DragState::Selecting;
                if (!shift) {
                    table.setFocusCell({hit.index, table.firstRow()});
                }
                table.setSelection({table.focusCell().column, 0, hit.index, rows - 1});
                owner().setCaptureComponent(this);
            } else {
                // A column that cannot be selected whole only takes the focus, in the focus row.
                table.setFocusCell({hit.index, table.focusCell().row});
                const CellPos focus = table.focusCell();
                table.setSelection({focus.column, focus.row, focus.column, focus.row});
            }
        } else if (column.bResizable != 0) {
            m_dragState = DragState::Resizing;
            m_resizeIndex = hit.index;
            m_startEdge = rect().left() + hit.startEdge;
            owner().setCaptureComponent(this);
            trackTo(rect().left() + hit.endEdge);
        }
        return;
    }
    const HeaderHit hit =
        headerHitTest(table.rowHeights(), table.firstRow(), table.visibleRows(), y, metrics.dragDistanceY);
    if (hit.index < 0) {
        return;
    }
    if (!hit.onBorder) {
        m_dragState = DragState::Selecting;
        if (!shift) {
            table.setFocusCell({table.firstColumn(), hit.index});
        }
        table.setSelection({0, table.focusCell().row, columns - 1, hit.index});
    } else {
        m_dragState = DragState::Resizing;
        m_resizeIndex = hit.index;
        m_startEdge = rect().top() + hit.startEdge;
        trackTo(rect().top() + hit.endEdge);
    }
    owner().setCaptureComponent(this);
}

void CTableHeaderComponent::trackTo(int clientPos) {
    m_trackPos = clientPos;
    const QSize client = owner().controller().clientSize();
    const TableMetrics& metrics = owner().controller().metrics();
    m_trackingLine = isColumnHeader() ? QRect(clientPos, 0, 1, client.height() - metrics.horizontalBarHeight)
                                      : QRect(0, clientPos, client.width() - metrics.verticalBarWidth, 1);
    owner().setTrackingLine(m_trackingLine);
}

void CTableHeaderComponent::OnMouseMove(Qt::KeyboardModifiers /*modifiers*/, int x, int y) {
    const TableController& table = owner().controller();
    if (m_dragState == DragState::Resizing) {
        const TableMetrics& metrics = table.metrics();
        const QSize client = table.clientSize();
        if (isColumnHeader()) {
            trackTo(trackingPosition(rect().left() + x, m_startEdge, metrics.dragDistanceX,
                                     client.width() - metrics.verticalBarWidth,
                                     table.columnWidth(m_resizeIndex)));
        } else {
            trackTo(trackingPosition(rect().top() + y, m_startEdge, metrics.dragDistanceY,
                                     client.height() - metrics.horizontalBarHeight,
                                     table.rowHeight(m_resizeIndex)));
        }
    } else if (m_dragState == DragState::Selecting) {
        extendSelection(x, y);
        if (!QRect(QPoint(0, 0), rect().size()).contains(x, y) && !m_timerRunning) {
            m_timerRunning = true;
            owner().startAutoScrollTimer();
        }
    }
}

void CTableHeaderComponent::extendSelection(int x, int y) {
    TableController& table = owner().controllerForComponents();
    const CellPos focus = table.focusCell();
    if (isColumnHeader()) {
        const int column =
            visibleIndexAt(table.columnWidths(), table.firstColumn(), table.visibleColumns(), x);
        table.proposeSelection(SelectionSource::ColumnHeader,
                               {focus.column, 0, column, table.rowCount() - 1});
    } else {
        const int row = visibleIndexAt(table.rowHeights(), table.firstRow(), table.visibleRows(), y);
        table.proposeSelection(SelectionSource::RowHeader, {0, focus.row, table.columnCount() - 1, row});
    }
}

void CTableHeaderComponent::OnTimer(int timerId) {
    if (timerId != kAutoScrollTimerId || m_dragState != DragState::Selecting) {
        return;
    }
    QPoint local = owner().pointerPosition() - rect().topLeft();
    if (QRect(QPoint(0, 0), rect().size()).contains(local)) {
        stopTimer();
        return;
    }
    TableController& table = owner().controllerForComponents();
    if (isColumnHeader()) {
        if (local.x() < 0) {
            table.scrollHorizontal(ScrollRequest::LineBack);
        } else if (local.x() >= rect().width()) {
            table.scrollHorizontal(ScrollRequest::LineForward);
        }
    } else {
        if (local.y() < 0) {
            table.scrollVertical(ScrollRequest::LineBack);
        } else if (local.y() >= rect().height()) {
            table.scrollVertical(ScrollRequest::LineForward);
        }
    }
    local = owner().pointerPosition() - rect().topLeft();
    extendSelection(local.x(), local.y());
}

void CTableHeaderComponent::OnLButtonUp(Qt::KeyboardModifiers /*modifiers*/, int x, int y) {
    stopTimer();
    TableController& table = owner().controllerForComponents();
    if (m_dragState == DragState::Resizing) {
        m_trackingLine = QRect();
        owner().setTrackingLine(QRect());
        if (isColumnHeader()) {
            table.setColumnWidth(m_resizeIndex, m_trackPos - m_startEdge);
            emit owner().columnWidthDragged(m_resizeIndex);
        } else {
            table.setRowHeight(m_resizeIndex, m_trackPos - m_startEdge);
        }
    } else if (m_dragState == DragState::Selecting) {
        extendSelection(x, y);
    }
    m_dragState = DragState::None;
    m_resizeIndex = -1;
}

void CTableHeaderComponent::stopTimer() {
    if (m_timerRunning) {
        m_timerRunning = false;
        owner().stopAutoScrollTimer();
    }
}

} // namespace qx::ui
