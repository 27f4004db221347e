#include "ui/dialogs/symbol/SymbolEdit.h"

#include "ui/table/TableMessages.h"

#include <QDialog>
#include <QFocusEvent>
#include <QSignalBlocker>

namespace qx::ui {

CSymbolEdit::CSymbolEdit(QWidget* parent) : CCellEdit(parent) {
    // The sequence and symbol items of the editor's menu belong to the grid; a dialog has its own
    // buttons for them.
    setDialogsAvailable([] { return false; });
    connect(this, &CCellEdit::commitMoveRequested, this, [this](int key, bool shift) {
        if (key == CommitKey::Tab) {
            // On to the next widget that takes the focus, as Tab does anywhere in a dialog.
            focusNextPrevChild(!shift);
        } else if (auto* dialog = qobject_cast<QDialog*>(window())) {
            dialog->accept();
        }
    });
    connect(this, &CCellEdit::cancelRequested, this, [this] {
        if (auto* dialog = qobject_cast<QDialog*>(window())) {
            dialog->reject();
        }
    });
    // Only what the operator selects while editing counts: a button or the picture grid taking
    // the focus makes the platform edit drop its selection.
    const auto follow = [this] {
        if (hasFocus()) {
            keepSelection();
        }
    };
    connect(this, &QLineEdit::selectionChanged, this, follow);
    connect(this, &QLineEdit::cursorPositionChanged, this, follow);
    connect(this, &QLineEdit::textChanged, this, follow);
}

void CSymbolEdit::keepSelection() {
    m_keptCaret = cursorPosition();
    m_kept = selectionRange();
}

void CSymbolEdit::keepSelection(TextRange range, int caret) {
    m_kept = range;
    m_keptCaret = caret;
}

void CSymbolEdit::restoreSelection() {
    const int length = tokenText().length();
    const TextRange kept{std::min(m_kept.from, length), std::min(m_kept.to, length)};
    if (kept.empty()) {
        setCursorPosition(kept.from);
    } else if (m_keptCaret == kept.from) {
        setSelection(kept.to, kept.from - kept.to);
    } else {
        setSelection(kept.from, kept.to - kept.from);
    }
}

void CSymbolEdit::insertTokenAtKeptSelection(model::CharCode code) {
    restoreSelection();
    insertToken(code);
    keepSelection();
}

void CSymbolEdit::focusInEvent(QFocusEvent* event) {
    {
        // Coming back by Tab, the platform edit selects the whole text. That selection is not the
        // operator's: neither the kept selection nor the dialog around the field may see it.
        const QSignalBlocker quiet(this);
        CCellEdit::focusInEvent(event);
    }
    // Coming back, the field shows the selection it had.
    restoreSelection();
}

QString CSymbolEdit::admissibleText(const QString& text, TextRange replaced) const {
    if (m_limit <= 0) {
        return text;
    }
    const TokenText& held = tokenText();
    int room = m_limit - (held.codeCount() - held.codeCount(held.widened(replaced)));
    QString admitted;
    for (qsizetype i = 0; i < text.size() && room > 0; ++i, --room) {
        admitted += text[i];
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            admitted += text[++i];
        }
    }
    return admitted;
}

void CSymbolEdit::removingText(TextRange range) {
    const TokenText& held = tokenText();
    const int count = held.markersIn(range);
    if (count > 0) {
        const int first = held.markersBefore(range.from);
        emit sequenceMarkersRemoved(first, first + count - 1);
    }
}

} // namespace qx::ui
