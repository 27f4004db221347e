#pragma once

// The symbol-capable text field of the dialogs: the cell editor's token handling (symbols and
// sequence-number markers as single tokens, each marker's definition kept with it), with a limit
// on the number of characters and the behaviour of a field inside a dialog: Tab moves on, Enter
// confirms, Esc cancels, and the selection the operator left is there again when the field gets
// the focus back from a button or the symbol picture grid.

#include "ui/grid/CellEdit.h"

namespace qx::ui {

class CSymbolEdit final : public CCellEdit {
    Q_OBJECT

public:
    explicit CSymbolEdit(QWidget* parent = nullptr);

    /// The most characters the field holds (a token and a double-byte character count one each);
    /// 0: no limit.
    void setCharacterLimit(int limit) { m_limit = std::max(0, limit); }
    [[nodiscard]] int characterLimit() const { return m_limit; }

    /// The selection as the operator last left it while the field had the focus (or as the last
    /// load or insertion left it), and where its caret was.
    [[nodiscard]] TextRange keptSelection() const { return m_kept; }
    [[nodiscard]] int keptCaret() const { return m_keptCaret; }
    /// Takes the current selection as the kept one.
    void keepSelection();
    void keepSelection(TextRange range, int caret);
    /// Shows the kept selection again.
    void restoreSelection();

    /// Replaces the kept selection by the token of `code` and puts the caret after it; the
    /// definitions of the markers the selection held go.
    void insertTokenAtKeptSelection(model::CharCode code);

signals:
    /// Sequence markers were removed with a selection: the indexes of the first and the last of
    /// them in the line's definition list (before the removal).
    void sequenceMarkersRemoved(int first, int last);

protected:
    void focusInEvent(QFocusEvent* event) override;
    [[nodiscard]] QString admissibleText(const QString& text, TextRange replaced) const override;
    void removingText(TextRange range) override;

private:
    int m_limit = 0;
    TextRange m_kept;
    int m_keptCaret = 0;
};

} // namespace qx::ui
