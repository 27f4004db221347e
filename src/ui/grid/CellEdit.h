#pragma once

// The one-line editor of a block's text line, used over a grid cell and as the content bar above
// the grid. Symbols and sequence-number markers stay single tokens that the caret never enters;
// each marker's sequence definition travels with it, so deleting a "{連番}" deletes its definition.
// All editing goes through the TokenText kept beside the shown text.

#include "ui/grid/TokenText.h"
#include "model/ModelType.h"
#include "model/SequenceDefinition.h"

#include <QLineEdit>
#include <QString>

#include <functional>
#include <vector>

namespace qx::ui {

/// What a text editor learns from its table about the line it edits.
struct CellLineContext {
    std::vector<model::tagSEQ_V900> sequences; ///< the definitions bound to the line's markers
    int blockAllowance = 0;    ///< definitions the line may hold considering the rest of its block
    int documentAllowance = 0; ///< the same considering the rest of the document
    bool pitchLengthMode = true;
};

/// The commands of the editor's context menu and shortcuts.
namespace CellEditCommand {
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Delete = 57632;
inline constexpr int Paste = 57637;
inline constexpr int SelectAll = 57642;
inline constexpr int Sequence = 32777;
inline constexpr int Symbol = 32781;
} // namespace CellEditCommand

/// One item of the editor's context menu.
struct CellEditMenuItem {
    int command = 0; ///< 0: a separator
    QString text;
    bool enabled = false;
};

/// Derived editors (the dialogs' symbol field) may bound what goes in and watch what comes out.
class CCellEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CCellEdit(QWidget* parent = nullptr);
    ~CCellEdit() override;

    // --- the cell editor protocol ----------------------------------------------------------------
    /// CEM_SETTEXT: with a non-zero flag `text` is a line in token form whose tokens are shown as
    /// "{連番}"/"{記号}" and whose sequence definitions and allowances are loaded at once; with 0 the
    /// text is shown unchanged.
    void setCellText(int textFlag, const QString& text);
    /// CEM_GETTEXT: the shown text in token form (a literal double quote doubled).
    [[nodiscard]] QString cellText() const;
    /// CEM_GETMODIFY / CEM_SETMODIFY: whether the operator changed the text.
    [[nodiscard]] bool isCellModified() const { return m_modified; }
    void setCellModified() { m_modified = true; }
    /// CEM_GETSEQUENCES / CEM_GETSEQUENCECOUNT.
    [[nodiscard]] const std::vector<model::tagSEQ_V900>& cellSequences() const { return m_text.sequences(); }
    [[nodiscard]] int cellSequenceCount() const { return static_cast<int>(m_text.sequences().size()); }
    /// CEM_CANINSERTSEQUENCE: whether a sequence number may be inserted now.
    [[nodiscard]] bool canInsertSequence();
    /// The line's definitions as held now and its allowances, loaded first when typing has not
    /// loaded them yet (the old text, and its definitions, are then being replaced).
    [[nodiscard]] CellLineContext lineAllowances();
    /// CEM_SETRECT: moves to the rectangle and shows; an empty rectangle hides.
    void setCellRect(const QRect& rect);
    void placeCaretAtEnd() { setCursorPosition(m_text.length()); }

    [[nodiscard]] const TokenText& tokenText() const { return m_text; }
    /// The composition window of the input method goes over the editor, at the caret.
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

    // --- what the editor asks of the table that owns it --------------------------------------------
    /// The focus line's definitions and allowances (read when the text is loaded or typing starts).
    void setLineContextProvider(std::function<CellLineContext()> provider) { m_lineContext = std::move(provider); }
    /// The table model's CanAddSequence.
    void setCanAddSequence(std::function<bool()> canAdd) { m_canAddSequence = std::move(canAdd); }
    /// Whether anyone opens the sequence and symbol dialogs the menu asks for; without an answer
    /// they are offered.
    void setDialogsAvailable(std::function<bool()> available) { m_dialogsAvailable = std::move(available); }
    void setModelType(model::ModelType model) { m_model = model; }
    [[nodiscard]] model::ModelType modelType() const { return m_model; }
    /// Grid editors grow to the right with their text, up to the parent's right edge.
    void setAutoWiden(bool widen) { m_autoWiden = widen; }

    // --- editing as the commands do it ------------------------------------------------------------
    void cutSelection();
    void copySelection() const;
    /// Replaces the selection by the clipboard's text as literal characters (its first line).
    void pasteText();
    /// Removes the selection (with the definitions of the markers in it).
    void deleteSelection();
    /// Replaces the selection (or inserts at the caret) by ordinary text, as typing does.
    void typeText(const QString& text);
    /// Replaces the selection by one token; a marker carries `definition`.
    void insertToken(model::CharCode code, const model::tagSEQ_V900& definition = {});
    /// Takes over a dialog's result: the line in token form and its definitions.
    void loadDialogResult(const QString& tokenForm, std::vector<model::tagSEQ_V900> sequences);

    /// The context menu's items with their enabling as of now.
    [[nodiscard]] std::vector<CellEditMenuItem> contextMenuItems();
    /// Carries out a context menu command.
    void runCommand(int command);
    /// The definition that the property view shows for the current selection, or nullptr.
    [[nodiscard]] const model::tagSEQ_V900* sequenceUnderSelection() const;

signals:
    /// CEN_COMMITMOVE: Tab (CommitKey::Tab) or Enter (CommitKey::Enter) was typed; `shift` with Shift.
    void commitMoveRequested(int commitKey, bool shift);
    /// CEN_CANCEL: Esc was typed.
    void cancelRequested();
    /// CEN_COMMIT: the editor lost the keyboard focus.
    void commitRequested();
    /// The left button went down in the editor (the click notification).
    void clicked();
    /// CEN_SEQUENCESELECTED: the definition under the selection after a mouse selection or a key,
    /// or nullptr. The pointer is valid during the call only.
    void sequenceSelected(const qx::model::tagSEQ_V900* definition);
    /// Command 32777 or 32781 was chosen in the context menu; the table opens the dialog.
    void sequenceCommandRequested();
    void symbolCommandRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    /// The part of typed, composed or pasted `text` that may take the place of `replaced`: all of
    /// it here; an editor with a length limit cuts it short.
    [[nodiscard]] virtual QString admissibleText(const QString& text, TextRange replaced) const;
    /// Called just before `range` (widened to whole tokens) leaves the text, with the definitions
    /// of the markers in it.
    virtual void removingText(TextRange range);
    [[nodiscard]] TextRange selectionRange() const;

private:
    void loadAllowances();
    /// Every removal from the text goes through here, so that removingText sees it.
    TextRange removeText(TextRange range);
    /// Loads the allowances if typing starts without them: the old text is being replaced, so
    /// its definitions go.
    void prepareForTyping();
    void replaceRange(TextRange range, const QString& text);
    void removeRange(TextRange range);
    /// Shows the model's text with the caret at `cursor` (and the selection from `anchor`).
    void display(int cursor, int anchor = -1);
    void keepCaretOutOfTokens(bool forward);
    void reconcileWithShownText();
    void widenToText();
    void reportSequence();

    TokenText m_text;
    std::function<CellLineContext()> m_lineContext;
    std::function<bool()> m_canAddSequence;
    std::function<bool()> m_dialogsAvailable;
    model::ModelType m_model = 0;
    bool m_allowancesLoaded = false;
    bool m_pitchLengthMode = true;
    int m_blockAllowance = 0;
    int m_documentAllowance = 0;
    bool m_modified = false;
    bool m_autoWiden = false;
    bool m_mouseCaptured = false;
    bool m_displaying = false;
};

} // namespace qx::ui
