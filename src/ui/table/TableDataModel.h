#pragma once

// What the grid asks of its owner: the data model (cell texts, titles, colours, drawing, the editor
// of a column and the effect of an edit) and the cell editor protocol the grid drives. The grid
// knows nothing about documents; the block grid implements these against the document.

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <utility>

class QPainter;
class QWidget;

namespace qx::ui {

/// What the editor of a text line holds beside its text (for the block grid: the line's sequence
/// definitions). The grid only carries it from the editor to the data model, before the text, and
/// never looks inside; the data model knows the concrete type.
class CTableCellSequences {
public:
    virtual ~CTableCellSequences() = default;
};

/// The sequences of a text line as a value of type `T`, chosen by the editor and its data model.
template <class T>
class CTableCellSequencesOf final : public CTableCellSequences {
public:
    explicit CTableCellSequencesOf(T value) : m_value(std::move(value)) {}
    [[nodiscard]] const T& value() const { return m_value; }

private:
    T m_value;
};

/// Receives an open editor's results (CEN_COMMITMOVE, CEN_CANCEL, CEN_COMMIT). The grid is the sink
/// of the editors it opens; the block grid is the sink of its content bar.
class CTableCellEditorSink {
public:
    /// Tab (CommitKey::Tab = 9) or Enter (CommitKey::Enter = 13) was typed in the editor; `shift`
    /// tells Shift+Tab / Shift+Enter. The sink may close the editor from inside this call.
    virtual void editorCommitMove(int commitKey, bool shift) = 0;
    /// Esc was typed in the editor. The sink may close the editor from inside this call.
    virtual void editorCancel() = 0;
    /// The editor lost the keyboard focus: its text is to be stored. The editor stays open.
    virtual void editorCommit() = 0;

protected:
    ~CTableCellEditorSink() = default;
};

/// A cell editor as the grid drives it. The object lives as long as its owner (the data model);
/// its window exists only while a cell is edited: the grid creates it over the cell with
/// createEditorWindow and ends it with destroyEditorWindow.
class CTableCellEditor {
public:
    virtual ~CTableCellEditor() = default;

    /// Creates the editor window as a visible child of `parent` over `rect` (parent coordinates;
    /// an empty rectangle creates it hidden) reporting to `sink`; child id TableChildId::Editor.
    /// Returns false when no window could be made (then no editing starts).
    virtual bool createEditorWindow(QWidget& parent, const QRect& rect, CTableCellEditorSink& sink) = 0;
    /// Ends the window. It must hide at once and stop reporting to the sink; the widget itself may
    /// be deleted later (QObject::deleteLater), because this is also called from inside the sink
    /// calls, that is from the editor's own key handling. Must not report editorCommit().
    virtual void destroyEditorWindow() = 0;
    /// The editor window while it exists, else nullptr. Keys the grid passes on go to its focus
    /// proxy chain's end.
    [[nodiscard]] virtual QWidget* editorWindow() const = 0;

    /// CEM_SETTEXT: loads the text; a non-zero `textFlag` (the model's IsTextColumn) means a text
    /// line in token form whose sequence definitions are to be loaded too.
    virtual void setEditorText(int textFlag, const QString& text) = 0;
    /// CEM_GETTEXT: the editor's text (in token form for a text line).
    [[nodiscard]] virtual QString editorText() const = 0;
    /// CEM_GETSEQUENCES: the sequence definitions the editor holds (text lines only), or nullptr.
    [[nodiscard]] virtual std::unique_ptr<CTableCellSequences> editorSequences() const { return nullptr; }
    /// CEM_SETRECT: moves the window to `rect` and shows it; an empty rectangle hides it.
    virtual void setEditorRect(const QRect& rect) = 0;
    /// Puts the caret after the last character (the grid does this after F2 and BeginEdit).
    virtual void placeCaretAtEnd() {}
};

/// The grid's data model. Row and column are zero-based grid indices, always inside the table.
/// The ten operations keep the order of the grid's model interface.
class CTableDataModel {
public:
    virtual ~CTableDataModel() = default;

    /// Flag handed to the editor with the cell's text (non-zero: a text line in token form).
    [[nodiscard]] virtual int IsTextColumn(int row, int column) = 0;
    [[nodiscard]] virtual QString GetCellText(int row, int column) = 0;
    /// Stores an edited cell's text (after SetCellSequences for text lines).
    virtual void SetCellText(int row, int column, const QString& text) = 0;
    /// The sequence definitions of an edited text line (nullptr: none), before its SetCellText.
    virtual void SetCellSequences(int row, int column, const CTableCellSequences* sequences) = 0;
    /// The editor of a column; nullptr: the column cannot be edited. Not owned by the grid.
    [[nodiscard]] virtual CTableCellEditor* GetCellEditor(int column) = 0;
    [[nodiscard]] virtual QString GetColumnTitle(int column) = 0;
    /// Draws the cell's content. The painter's origin is the cell's top-left, it is clipped to the
    /// content area `contentSize` (cell width - grid line width by cell height - 1), its background
    /// already filled; pen = the text colour, brush = the background colour, font = the grid's font.
    virtual void DrawCell(QPainter& painter, const QSize& contentSize, int row, int column) = 0;
    [[nodiscard]] virtual QColor GetCellBackColor(int row, int column) = 0;
    /// Esc in the cell's editor; the grid then reloads the stored text into the editor.
    virtual void CancelEditCell(int row, int column) = 0;
    [[nodiscard]] virtual bool CanAddSequence() = 0;
};

} // namespace qx::ui
