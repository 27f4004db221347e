#pragma once

// The generic grid window: a fixed number of rows and columns with a column header of titles, a row
// header of row numbers, a corner box, two scroll bars, a rectangular selection with a focus cell,
// keyboard and mouse navigation, border resizing and in-place editing through the editors the data
// model supplies. The decisions live in TableController; this widget forwards events and paints.

#include "ui/table/DefaultTableDataModel.h"
#include "ui/table/TableCellsComponent.h"
#include "ui/table/TableController.h"
#include "ui/table/TableDataModel.h"
#include "ui/table/TableHeaderComponent.h"
#include "ui/table/TableMessages.h"

#include <QBasicTimer>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QScrollBar;

namespace qx::ui {

/// The system colours the grid paints with, read from the widget's palette.
struct TableColours {
    QColor window;          ///< cell background (palette Base)
    QColor windowText;      ///< cell text and the selection outline (Text)
    QColor buttonFace;      ///< headers and non-editable cells (Button)
    QColor buttonText;      ///< header titles and text of non-editable cells (ButtonText)
    QColor buttonHighlight; ///< light edge of header boxes (Light)
    QColor buttonShadow;    ///< dark edge of header boxes and the grid lines (Dark)
    QColor darkShadow;      ///< outer edge of pressed header boxes (Shadow)
    QColor highlight;       ///< selected cells (Highlight)
    QColor highlightText;   ///< text of selected cells (HighlightedText)
    QColor workspace;       ///< the area beyond the last row and column (Mid)
};

class CTableCtrl final : public QWidget, private TableControllerObserver, private CTableCellEditorSink {
    Q_OBJECT

public:
    explicit CTableCtrl(QWidget* parent = nullptr);
    ~CTableCtrl() override;
    CTableCtrl(const CTableCtrl&) = delete;
    CTableCtrl& operator=(const CTableCtrl&) = delete;

    /// Grows the table with rows of height 24 and columns {94, 1, 1, 1, 1}, then truncates it to
    /// exactly `rows` x `columns` (at least 1 each); keeps the scroll positions where they fit.
    void SetTableSize(int rows, int columns);

    // The grid's operations (TableMessage:: numbers). Out-of-table indices are ignored / answer 0.
    [[nodiscard]] int columnCount() const { return m_ctl.columnCount(); }
    [[nodiscard]] int rowCount() const { return m_ctl.rowCount(); }
    [[nodiscard]] int columnWidth(int column) const { return m_ctl.columnWidth(column); }
    /// Widths below 2 x the drag distance or above 32767 store 94.
    void setColumnWidth(int column, int width);
    [[nodiscard]] int rowHeight(int row) const { return m_ctl.rowHeight(row); }
    /// Heights below 2 x the drag distance or above 32767 store 24.
    void setRowHeight(int row, int height);
    [[nodiscard]] int focusRow() const { return m_ctl.focusCell().row; }
    [[nodiscard]] int focusColumn() const { return m_ctl.focusCell().column; }
    [[nodiscard]] CellPos focusCell() const { return m_ctl.focusCell(); }
    /// When different, stores it and emits focusCellChanged() later (queued).
    void setFocusCell(CellPos cell) { m_ctl.setFocusCell(cell); }
    [[nodiscard]] CellRange selection() const { return m_ctl.selection(); }
    /// Normalises; when different, stores it, repaints and emits selectionChanged().
    void setSelection(const CellRange& selection) { m_ctl.setSelection(selection); }
    [[nodiscard]] int visibleColumns() const { return m_ctl.visibleColumns(); }
    [[nodiscard]] int visibleRows() const { return m_ctl.visibleRows(); }
    [[nodiscard]] int firstColumn() const { return m_ctl.firstColumn(); }
    [[nodiscard]] int firstRow() const { return m_ctl.firstRow(); }
    [[nodiscard]] bool columnResizable(int column) const {
        return m_ctl.columnProperty(column).bResizable != 0;
    }
    void setColumnResizable(int column, bool resizable) { m_ctl.setColumnResizable(column, resizable); }
    [[nodiscard]] int columnLineWidth(int column) const { return m_ctl.columnProperty(column).nLineWidth; }
    void setColumnLineWidth(int column, int lineWidth) { m_ctl.setColumnLineWidth(column, lineWidth); }
    [[nodiscard]] bool columnSelectable(int column) const {
        return m_ctl.columnProperty(column).bSelectable != 0;
    }
    void setColumnSelectable(int column, bool selectable) { m_ctl.setColumnSelectable(column, selectable); }
    [[nodiscard]] bool columnEditable(int column) const {
        return m_ctl.columnProperty(column).bEditable != 0;
    }
    /// Setting a different value repaints.
    void setColumnEditable(int column, bool editable) { m_ctl.setColumnEditable(column, editable); }
    [[nodiscard]] COLUMNPROPERTY columnProperty(int column) const { return m_ctl.columnProperty(column); }

    /// TBL_BEGINEDIT: opens the focus column's editor on the focus cell with the cell's text, caret
    /// at the end. Nothing when the column is not editable or an editor is already open.
    void beginEdit();
    /// True while an editor window is open.
    [[nodiscard]] bool isEditorOpen() const { return m_editor != nullptr; }
    /// The open editor, or nullptr.
    [[nodiscard]] CTableCellEditor* openEditor() const { return m_editor; }
    /// Closes an open editor, storing its text first (as when the editor loses the focus).
    void closeEditor();

    /// The current model (initially the built-in default model).
    [[nodiscard]] CTableDataModel& dataModel() const { return *m_model; }
    /// Installs the owner's model (not owned; nullptr returns to the default model). An open
    /// editor is closed first.
    void setDataModel(CTableDataModel* model);
    /// The owner's TBLN_ADJUSTSELECTION: may narrow a proposed selection before it is stored.
    void setSelectionAdjuster(SelectionAdjuster adjuster) { m_ctl.setSelectionAdjuster(std::move(adjuster)); }

    /// Scroll requests, as from the bars (the owner passes its own scroll messages on here).
    void scrollHorizontal(ScrollRequest request, int thumb = 0);
    void scrollVertical(ScrollRequest request, int thumb = 0);

    [[nodiscard]] QScrollBar* horizontalBar() const { return m_hBar; }
    [[nodiscard]] QScrollBar* verticalBar() const { return m_vBar; }
    [[nodiscard]] const TableController& controller() const { return m_ctl; }

    /// Paints the whole grid without the bars (client coordinates) into `painter`.
    void render(QPainter& painter) const;
    /// The grid as painted, without the bars: the client size minus the bars' areas kept blank.
    [[nodiscard]] QImage renderImage() const;
    /// The cursor over a client point when no drag runs: a two-headed arrow over a resizable
    /// column border in the column header or a row border in the row header.
    [[nodiscard]] Qt::CursorShape cursorShapeAt(QPoint clientPoint) const;
    [[nodiscard]] TableColours colours() const;
    /// The header title font: the grid's font at the horizontal bar's height - 4 pixels.
    [[nodiscard]] QFont headerFont(bool bold) const;

    // --- for the components ------------------------------------------------------------------
    TableController& controllerForComponents() { return m_ctl; }
    /// The component receiving mouse moves and the release until the button goes up.
    void setCaptureComponent(CTableComponent* component) { m_capture = component; }
    void startAutoScrollTimer();
    void stopAutoScrollTimer();
    /// The last pointer position seen (client coordinates).
    [[nodiscard]] QPoint pointerPosition() const { return m_pointer; }
    /// Shows (or, empty, removes) a border drag's tracking line.
    void setTrackingLine(const QRect& line);
    [[nodiscard]] QRect trackingLine() const { return m_trackingLine; }

signals:
    /// TBLN_FOCUSCHANGED: the focus cell changed. Queued: emitted from the event loop after the
    /// change, once per change.
    void focusCellChanged();
    /// TBLN_SELCHANGED: the stored selection changed.
    void selectionChanged();
    /// The left button went down in the cells area (notify code -2).
    void cellsClicked();
    /// The column header was double-clicked (notify code -3).
    void columnHeaderDoubleClicked();
    /// The operator dragged a column's border in the column header to a new width.
    void columnWidthDragged(int column);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // TableControllerObserver
    void tableSelectionChanged() override;
    void tableFocusChanged() override;
    void tableViewChanged() override;
    void tableRepaint() override;
    // CTableCellEditorSink
    void editorCommitMove(int commitKey, bool shift) override;
    void editorCancel() override;
    void editorCommit() override;

    enum class EditorStart { WithText, Empty };
    bool openEditorAt(EditorStart start);
    void commitEditor();
    void destroyEditor(bool takeFocus);
    void forwardToEditor(QEvent* event);
    bool m_forwardingKey = false; ///< a key is being handed to the open editor
    void updateMetrics();
    void syncBars();
    void onBarAction(bool horizontal, int action);
    CTableComponent* componentAt(QPoint clientPoint);
    /// Ends the capture holder's drag as a button release at the point.
    void finishDrag(QPoint clientPoint, Qt::KeyboardModifiers modifiers);

    TableController m_ctl;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
    QWidget* m_sizeBox = nullptr;
    CTableHeaderComponent m_corner;
    CTableHeaderComponent m_columnHeader;
    CTableHeaderComponent m_rowHeader;
    CTableCellsComponent m_cells;
    CDefaultTableDataModel m_defaultModel;
    CTableDataModel* m_model = &m_defaultModel;
    CTableComponent* m_capture = nullptr;
    CTableCellEditor* m_editor = nullptr; ///< the open editor
    QPointer<QWidget> m_editorWindow;     ///< its window, a child of this grid
    CellPos m_editCell;                   ///< the cell the open editor edits
    bool m_closingEditor = false;
    QBasicTimer m_autoScroll;
    QPoint m_pointer;
    QRect m_trackingLine;
    QImage m_backBuffer;
};

} // namespace qx::ui
