#pragma once

// The document's block grid: one row per block, one column per text line and per block attribute,
// with the cell-address indicator and the content bar above it. It is the grid's data model: every
// cell read, cell write, editor, colour and cell drawing is defined here against the document.

#include "ui/grid/CellDropDown.h"
#include "ui/grid/CellEdit.h"
#include "ui/table/CellEditorHost.h"
#include "ui/grid/CellSpinCount.h"
#include "ui/grid/CellSpinPitch.h"
#include "ui/grid/CellWriter.h"
#include "ui/table/TableDataModel.h"
#include "ui/table/TableGeometry.h"
#include "ui/grid/TubePrintTableColumns.h"
#include "ui/grid/TubePrintTableMarks.h"
#include "model/Catalogue.h"

#include <QFont>
#include <QImage>
#include <QStaticText>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QLabel;

namespace qx::ui {

class CTableCtrl;
class EditDocument;
class ForbiddenCharNotice;

/// One item of the grid's context menu (0: a separator; a non-empty submenu holds items).
struct TableMenuItem {
    int command = 0;
    QString text;
    bool enabled = true;
    std::vector<TableMenuItem> submenu;
};

class CTubePrintTable final : public QWidget, public CTableDataModel {
    Q_OBJECT

public:
    static constexpr int IndicatorId = 1;
    static constexpr int ContentBarId = 2;
    static constexpr int GridId = 3;
    /// The error colour of a block that cannot be printed as it is.
    static constexpr QRgb ErrorColour = 0xFF00FFFF; // RGB 0, 255, 255

    CTubePrintTable(EditDocument& document, QWidget* parent = nullptr);
    ~CTubePrintTable() override;
    CTubePrintTable(const CTubePrintTable&) = delete;
    CTubePrintTable& operator=(const CTubePrintTable&) = delete;

    // --- parts ---------------------------------------------------------------------------------
    [[nodiscard]] CTableCtrl& grid() const { return *m_grid; }
    [[nodiscard]] CCellEdit& contentBar() const { return *m_contentBar; }
    [[nodiscard]] QLabel& indicator() const { return *m_indicator; }
    [[nodiscard]] const TubePrintTableColumns& columns() const { return m_columns; }
    [[nodiscard]] EditDocument& document() const { return m_document; }

    // --- what the frame and the view ask -------------------------------------------------------------
    /// TBL_GETFOCUSROW / TBL_GETFOCUSCOLUMN (grid column index).
    [[nodiscard]] int focusRow() const;
    [[nodiscard]] int focusColumn() const;
    /// The type of the focus column.
    [[nodiscard]] ColumnType focusColumnType() const;
    /// TBL_GETDATAMODEL.
    [[nodiscard]] CTableDataModel& dataModel() { return *this; }
    /// Editing is in progress: a grid editor is open or the content bar has the keyboard focus.
    [[nodiscard]] bool isEditing() const;
    /// The open grid editor's window, else the content bar while it has the focus, else nullptr.
    [[nodiscard]] QWidget* activeEditor() const;
    /// The open grid editor, or nullptr (the frame closes it before commands that change blocks).
    void closeEditor();
    /// TBL_BEGINEDIT on the grid (command 32775, F2).
    void beginEdit();
    /// Sets a single-cell focus and selection and scrolls its row to the top of the grid.
    void showCell(int column, int row);

    /// Rebuilds the marks (pitch warnings and error colours) from the document.
    void rebuildPitchWarnings();
    /// The view's refresh after every change notification of the document, with its hint: marks,
    /// the editable state of the count and pitch columns (hint 0), repaint, and the focus cell
    /// reloaded into the content bar unless editing is in progress. The table does not listen to
    /// the document itself: its owner (the view) calls this for every change.
    void refresh(int hint);
    /// The count column is editable only in pitch-length mode, the pitch column only when the
    /// pitch is editable (pitch-length mode, no automatic pitch, no label target).
    void applyColumnEditability();

    /// The frame's enabling rules for the context menu's commands; without them all are enabled.
    void setCommandEnabler(std::function<bool(int command)> enabler) { m_commandEnabler = std::move(enabler); }
    /// The picture of a special code (printer symbol or marker) at its natural size; a null image
    /// leaves the place blank. The table starts with built-in pictures.
    void setSymbolPictureProvider(std::function<QImage(model::CharCode)> provider);

    /// The grid's context menu (resource 130) with the frame's enabling applied.
    [[nodiscard]] std::vector<TableMenuItem> contextMenuItems() const;
    /// The blocks the grid paints in the error colour, as last rebuilt.
    [[nodiscard]] const TubePrintTableMarks& marks() const { return m_marks; }

    // --- CTableDataModel ---------------------------------------------------------------------------
    int IsTextColumn(int row, int column) override;
    QString GetCellText(int row, int column) override;
    void SetCellText(int row, int column, const QString& text) override;
    void SetCellSequences(int row, int column, const CTableCellSequences* sequences) override;
    CTableCellEditor* GetCellEditor(int column) override;
    QString GetColumnTitle(int column) override;
    void DrawCell(QPainter& painter, const QSize& contentSize, int row, int column) override;
    QColor GetCellBackColor(int row, int column) override;
    void CancelEditCell(int row, int column) override;
    bool CanAddSequence() override;

signals:
    /// Before every change this table makes to the document (the undo step is recorded here).
    void aboutToChange();
    /// TBLN_FOCUSCHANGED and TBLN_SELCHANGED, passed on from the grid.
    void focusCellChanged();
    void selectionChanged();
    /// A command for the frame: the bulk changes of a header double-click (32785, 32786, 32796,
    /// 32787) and the context menu's commands.
    void commandRequested(int command);
    /// CEN_SEQUENCESELECTED from a text editor or the content bar; valid during the call only.
    void sequenceSelected(const qx::model::tagSEQ_V900* definition);
    /// An edit was cancelled: what the editor reported no longer stands, the stored cell does.
    void editCancelled();
    /// A text editor's context menu asked for the sequence (32777) or symbol (32781) dialog.
    void editorDialogRequested(int command, qx::ui::CCellEdit* editor);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutChildren();
    void setupColumns();
    void configureTextEditor(CCellEdit& editor);
    [[nodiscard]] CellLineContext focusLineContext() const;
    [[nodiscard]] std::optional<ColumnType> typeOf(int column) const { return m_columns.type(column); }
    void onGridFocusChanged();
    void loadContentBar();
    void onContentBarCommit();
    /// Keeps an edited line's sequence definitions for the SetCellText that follows.
    void holdSequences(int row, int column, std::span<const model::tagSEQ_V900> sequences);
    void onContentBarCommitMove(int commitKey, bool shift);
    void onContentBarCancel();
    void onContentBarClicked();
    void onCellsClicked();
    void onHeaderDoubleClicked();
    void adjustSelection(int source, CellRange& proposal) const;
    /// Whether `text` is what the open grid editor holds while the operator has changed nothing in it.
    [[nodiscard]] bool isUntouchedEditorText(const QString& text) const;
    /// One piece of a drawn line: a run of ordinary characters, or one special code's picture.
    struct LineSegment {
        QStaticText text;
        int advance = 0;
        model::CharCode symbol = 0;
    };
    void drawLine(QPainter& painter, const QSize& contentSize, int block, int line);
    [[nodiscard]] std::vector<LineSegment> layoutLine(const model::CodeList& chars) const;
    /// Forgets the laid-out text of one block, or of every block.
    void invalidateLayouts(int block = -1);
    [[nodiscard]] QImage symbolPicture(model::CharCode code);
    /// The picture in one colour, the cell's text colour, for a selected (dark) cell.
    [[nodiscard]] QImage symbolPictureIn(model::CharCode code, const QColor& ink);
    [[nodiscard]] ForbiddenCharNotice& notice();

    EditDocument& m_document;
    CellWriter m_writer;
    TubePrintTableColumns m_columns;
    QLabel* m_indicator;
    CCellEdit* m_contentBar;
    CTableCtrl* m_grid;
    CellEditorHost<CCellEdit> m_textEditor;
    CellEditorHost<CCellSpinCount> m_countEditor;
    CellEditorHost<CCellSpinPitch> m_pitchEditor;
    CellEditorHost<CCellDropDown> m_underlineEditor;
    CellEditorHost<CCellDropDown> m_reverseEditor;
    TubePrintTableMarks m_marks;
    std::vector<model::tagSEQ_V900> m_pendingSequences;
    CellPos m_pendingCell{-1, -1};
    CellPos m_contentBarCell; ///< the cell whose text the content bar holds
    model::ValueRange m_countRange;
    model::ValueRange m_pitchRange;
    /// Only when the editor context has no notice of the run (it then silences only this table).
    std::unique_ptr<ForbiddenCharNotice> m_ownNotice;
    std::function<bool(int)> m_commandEnabler;
    std::function<QImage(model::CharCode)> m_symbolPictures;
    std::unordered_map<model::CharCode, QImage> m_pictureCache;
    std::unordered_map<model::CharCode, QImage> m_inkedPictureCache; ///< in m_pictureInk
    QColor m_pictureInk;
    /// Laid-out text lines by block * 4 + line, kept between repaints for the font they were made in.
    std::unordered_map<int, std::vector<LineSegment>> m_lineLayouts;
    QFont m_layoutFont;
    bool m_writing = false;
};

} // namespace qx::ui
