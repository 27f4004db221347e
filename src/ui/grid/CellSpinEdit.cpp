#include "ui/grid/CellSpinEdit.h"

#include "ui/table/TableMessages.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>

namespace qx::ui {

CCellSpinEdit::CCellSpinEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrame(false);
    setDragEnabled(false);
    setAcceptDrops(false);
}

bool CCellSpinEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            emit commitMoveRequested(CommitKey::Tab,
                                     key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride && !isReadOnly()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste) || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellSpinEdit::keyPressEvent(QKeyEvent* event) {
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit commitMoveRequested(CommitKey::Enter, shift);
        return;
    case Qt::Key_Escape:
        emit cancelRequested();
        return;
    case Qt::Key_Up:
        emit stepRequested(1);
        return;
    case Qt::Key_Down:
        emit stepRequested(-1);
        return;
    default:
        break;
    }
    // No undo while a cell is edited, as in the text editor.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        return;
    }
    QLineEdit::keyPressEvent(event);
    event->accept(); // the grid hands its keys to the open editor: none may come back up
}

void CCellSpinEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    event->accept();
}

void CCellSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) {
        emit commitRequested();
    }
}

QVariant CCellSpinEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        // Composition over the editor itself, at the caret.
        const QRect caret = QLineEdit::inputMethodQuery(query).toRect();
        const int x = std::clamp(caret.left(), 0, std::max(0, width() - 1));
        return QRect(x, 0, std::max(1, caret.width()), height());
    }
    return QLineEdit::inputMethodQuery(query);
}

} // namespace qx::ui
