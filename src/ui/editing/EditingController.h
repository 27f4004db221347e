#pragma once

#include "EditingDialogs.h"
#include "UndoHistory.h"

#include <QObject>

#include <optional>

class QLineEdit;
class QWidget;

namespace qx::ui {

class CTubePrintTable;
class EditDocument;

/// The editing commands of one document window on its grid: undo and redo, the clipboard, block
/// insert and delete, clear, frame, period, pitch sort, bulk change, file insert, and the
/// sequence, symbol and whole-image commands once their dialogs are given. Commands run after the
/// frame has asked their enabling rule; while a cell is being edited, undo, clipboard and clear
/// act on the active editor instead.
class CEditingController final : public QObject {
    Q_OBJECT
public:
    CEditingController(EditDocument& document, CTubePrintTable& table, QWidget* dialogParent);
    ~CEditingController() override;

    void setDialogs(EditingDialogs dialogs) { m_dialogs = std::move(dialogs); }
    [[nodiscard]] const EditingDialogs& dialogs() const { return m_dialogs; }

    /// Whether this window carries the command out now: the editing commands, those behind a
    /// dialog only once the dialog is there.
    [[nodiscard]] bool hasCommand(int command) const;
    /// Runs one; false when it is not an editing command.
    bool runCommand(int command);

    [[nodiscard]] const UndoHistory& history() const { return m_history; }
    /// An undo step of the document as it is now, for a change made from outside the window's
    /// own commands (the target dialog).
    void recordUndo();
    /// The sequence order the whole-image preview hands to the print it asks for, while that
    /// print runs; nothing at any other time.
    [[nodiscard]] std::optional<int> previewSeqOrder() const { return m_previewSeqOrder; }

    /// The grid's focus and selection in column types, and back.
    [[nodiscard]] GridState gridState() const;
    void applyGridState(const GridState& state);

signals:
    /// A command to run next, as if from the menu (the send or print choice of the whole image).
    void commandRequested(int command);

private:
    [[nodiscard]] QLineEdit* activeLineEditor() const;
    void finish(const CommandOutcome& outcome);
    void show(const std::vector<int>& messageIds);
    void undo();
    void redo();
    void copy();
    void paste(bool formatOnly);
    void clear();
    void bulkChange(BulkAttribute attribute);
    void insertFile();
    void importWireList(const QString& path);
    void sequence();
    void symbol();
    void wholeImage();

    EditDocument& m_document;
    CTubePrintTable& m_table;
    QWidget* m_dialogParent;
    EditingDialogs m_dialogs;
    UndoHistory m_history;
    std::optional<int> m_previewSeqOrder;
};

} // namespace qx::ui
