#include "ui/table/TableCellsComponent.h"

#include "ui/table/TableCtrl.h"

#include <QPainter>

#include <algorithm>

namespace qx::ui {

void CTableCellsComponent::Paint(QPainter& painter) const {
    const TableController& table = owner().controller();
    CTableDataModel& model = owner().dataModel();
    const TableColours colours = owner().colours();
    const std::span<const int> widths = table.columnWidths();
    const std::span<const int> heights = table.rowHeights();
    const int firstColumn = table.firstColumn();
    const int firstRow = table.firstRow();
    const int lastColumn = std::min(firstColumn + table.visibleColumns(), table.columnCount()) - 1;
    const int lastRow = std::min(firstRow + table.visibleRows(), table.rowCount()) - 1;
    const CellRange selection = table.selection();
    const CellPos focus = table.focusCell();
    const QFont font = owner().font();

    // The cells rectangle ends at the last visible cell, so the cells below cover every pixel.
    int y = 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const int height = heights[static_cast<std::size_t>(row)];
        int x = 0;
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int width = widths[static_cast<std::size_t>(column)];
            const COLUMNPROPERTY property = table.columnProperty(column);
            QColor back = model.GetCellBackColor(row, column);
            QColor text = colours.windowText;
            if (property.bEditable == 0) {
                back = colours.buttonFace;
                text = colours.buttonText;
            }
            if (selection.contains(column, row) && !(focus == CellPos{column, row})) {
                back = colours.highlight;
                text = colours.highlightText;
            }
            const int lineWidth = std::clamp(property.nLineWidth, 0, width);
            const QSize content(width - lineWidth, height - 1);
            painter.fillRect(QRect(QPoint(x, y), content), back);
            painter.fillRect(QRect(x + width - lineWidth, y, lineWidth, height), colours.buttonShadow);
            painter.fillRect(QRect(x, y + height - 1, width, 1), colours.buttonShadow);
            if (!content.isEmpty()) {
                // The model draws with its origin at the cell and cannot spill into the grid lines.
                painter.save();
                painter.translate(x, y);
                painter.setClipRect(QRect(QPoint(0, 0), content), Qt::IntersectClip);
                painter.setPen(text);
                painter.setBrush(back);
                painter.setFont(font);
                model.DrawCell(painter, content, row, column);
                painter.restore();
            }
            x += width;
            if (x >= rect().width()) {
                break;
            }
        }
        y += height;
        if (y >= rect().height()) {
            break;
        }
    }

    // Outline of the visible part of the selection, one pixel up and left of the cells so that it
    // covers the grid lines of the cells before it: a 3-pixel frame centred on that rectangle.
    const int left = std::max(selection.left, firstColumn);
    const int right = std::min(selection.right, lastColumn);
    const int top = std::max(selection.top, firstRow);
    const int bottom = std::min(selection.bottom, lastRow);
    if (left > right || top > bottom) {
        return;
    }
    const int l = extentBetween(widths, firstColumn, left) - 1;
    const int t = extentBetween(heights, firstRow, top) - 1;
    const int r = extentBetween(widths, firstColumn, right + 1) - 1;
    const int b = extentBetween(heights, firstRow, bottom + 1) - 1;
    const QColor pen = colours.windowText;
    painter.fillRect(QRect(QPoint(l - 1, t - 1), QPoint(r + 1, t + 1)), pen);
    painter.fillRect(QRect(QPoint(l - 1, b - 1), QPoint(r + 1, b + 1)), pen);
    painter.fillRect(QRect(QPoint(l - 1, t - 1), QPoint(l + 1, b + 1)), pen);
    painter.fillRect(QRect(QPoint(r - 1, t - 1), QPoint(r + 1, b + 1)), pen);
}

void CTableCellsComponent::OnLButtonDown(Qt::KeyboardModifiers modifiers, int x, int y) {
    TableController& table = owner().controllerForComponents();
    const CellPos hit = table.cellAt(rect().topLeft() + QPoint(x, y));
    if ((modifiers & Qt::ShiftModifier) == 0) {
        table.setFocusCell(hit);
    }
    const CellPos focus = table.focusCell();
    table.setSelection({focus.column, focus.row, hit.column, hit.row});
    owner().setCaptureComponent(this);
}

void CTableCellsComponent::OnMouseMove(Qt::KeyboardModifiers /*modifiers*/, int x, int y) {
    extendSelectionTo(rect().topLeft() + QPoint(x, y));
    if (!rect().contains(rect().topLeft() + QPoint(x, y)) && !m_timerRunning) {
        m_timerRunning = true;
        owner().startAutoScrollTimer();
    }
}

void CTableCellsComponent::OnTimer(int timerId) {
    if (timerId != kAutoScrollTimerId) {
        return;
    }
    const QPoint pointer = owner().pointerPosition();
    if (rect().contains(pointer)) {
        stopTimer();
        return;
    }
    TableController& table = owner().controllerForComponents();
    if (pointer.x() < rect().left()) {
        table.scrollHorizontal(ScrollRequest::LineBack);
    } else if (pointer.x() > rect().right()) {
        table.scrollHorizontal(ScrollRequest::LineForward);
    }
    if (pointer.y() < rect().top()) {
        table.scrollVertical(ScrollRequest::LineBack);
    } else if (pointer.y() > rect().bottom()) {
        table.scrollVertical(ScrollRequest::LineForward);
    }
    extendSelectionTo(pointer);
}

void CTableCellsComponent::OnLButtonUp(Qt::KeyboardModifiers /*modifiers*/, int x, int y) {
    stopTimer();
    extendSelectionTo(rect().topLeft() + QPoint(x, y));
}

void CTableCellsComponent::extendSelectionTo(QPoint clientPoint) {
    TableController& table = owner().controllerForComponents();
    const CellPos focus = table.focusCell();
    const CellPos hit = table.cellAt(clientPoint);
    table.proposeSelection(SelectionSource::Cells, {focus.column, focus.row, hit.column, hit.row});
}

void CTableCellsComponent::stopTimer() {
    if (m_timerRunning) {
        m_timerRunning = false;
        owner().stopAutoScrollTimer();
    }
}

} // namespace qx::ui
