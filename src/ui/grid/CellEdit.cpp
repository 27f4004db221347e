#include "ui/grid/CellEdit.h"

#include "ui/table/TableMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>

#include <algorithm>

namespace qx::ui {

namespace {

/// The left and right text margins: the platform's edge width.
constexpr int EdgeMargin = 2;
/// QLineEdit keeps this many pixels between its frame and the text on each side.
constexpr int LineEditInnerMargin = 2;

bool clipboardHasText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !QGuiApplication::clipboard()->text().isEmpty();
}

/// A single-line cell takes pasted text up to its first line break, as the platform's edit does.
QString firstLine(const QString& text) {
    const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return end < 0 ? text : text.left(end);
}

bool isCommandModifier(Qt::KeyboardModifiers modifiers) {
    return (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
}

} // namespace

CCellEdit::CCellEdit(QWidget* parent) : QLineEdit(parent) {
    setDragEnabled(false);
    setAcceptDrops(false);
    setTextMargins(EdgeMargin, 0, EdgeMargin, 0);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    // Anything that changes the shown text behind the model's back is folded into the model.
    connect(this, &QLineEdit::textEdited, this, &CCellEdit::reconcileWithShownText);
    connect(this, &QLineEdit::textChanged, this, &CCellEdit::widenToText);
}

CCellEdit::~CCellEdit() = default;

// --- protocol ------------------------------------------------------------------------------------

void CCellEdit::setCellText(int textFlag, const QString& text) {
    m_text.clear();
    m_allowancesLoaded = false;
    if (textFlag != 0) {
        const QByteArray utf8 = text.toUtf8();
        m_text.loadTokenForm(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
        loadAllowances();
    } else {
        m_text.loadPlain(text);
    }
    m_modified = false;
    display(m_text.length());
}

QString CCellEdit::cellText() const { return m_text.tokenForm(); }

bool CCellEdit::canInsertSequence() {
    if (model::isLaterGeneration(m_model)) {
        return true; // the sequence dialog of these models checks the limits itself
    }
    // An editor opened empty replaces the line: its definitions go with its old text.
    prepareForTyping();
    const int held = cellSequenceCount();
    if (held >= m_blockAllowance || held >= m_documentAllowance) {
        return false;
    }
    return m_canAddSequence ? m_canAddSequence() : false;
}

CellLineContext CCellEdit::lineAllowances() {
    prepareForTyping();
    return {m_text.sequences(), m_blockAllowance, m_documentAllowance, m_pitchLengthMode};
}

void CCellEdit::setCellRect(const QRect& rect) {
    if (rect.isEmpty()) {
        hide();
        return;
    }
    setGeometry(rect);
    show();
    widenToText();
}

const model::tagSEQ_V900* CCellEdit::sequenceUnderSelection() const {
    return m_text.sequenceUnderSelection(selectionRange(), m_model);
}

// --- model edits ---------------------------------------------------------------------------------

TextRange CCellEdit::selectionRange() const {
    if (!hasSelectedText()) {
        return {cursorPosition(), cursorPosition()};
    }
    return {selectionStart(), selectionEnd()};
}

void CCellEdit::loadAllowances() {
    CellLineContext context;
    if (m_lineContext) {
        context = m_lineContext();
    }
    m_text.setSequences(std::move(context.sequences));
    m_blockAllowance = context.blockAllowance;
    m_documentAllowance = context.documentAllowance;
    m_pitchLengthMode = context.pitchLengthMode;
    m_allowancesLoaded = true;
}

void CCellEdit::prepareForTyping() {
    if (!m_allowancesLoaded) {
        loadAllowances();
        m_text.clearSequences();
    }
}

QString CCellEdit::admissibleText(const QString& text, TextRange /*replaced*/) const { return text; }

void CCellEdit::removingText(TextRange /*range*/) {}

TextRange CCellEdit::removeText(TextRange range) {
    const TextRange whole = m_text.widened(range);
    if (!whole.empty()) {
        removingText(whole);
    }
    return m_text.remove(range);
}

void CCellEdit::replaceRange(TextRange range, const QString& text) {
    const TextRange removed = removeText(range);
    const int end = m_text.insertPlain(removed.from, text);
    m_modified = true;
    display(end);
}

void CCellEdit::removeRange(TextRange range) {
    const TextRange removed = removeText(range);
    m_modified = true;
    display(removed.from);
}

void CCellEdit::display(int cursor, int anchor) {
    m_displaying = true;
    if (text() != m_text.text()) {
        setText(m_text.text());
    }
    if (anchor >= 0 && anchor != cursor) {
        setSelection(anchor, cursor - anchor);
    } else {
        setCursorPosition(cursor);
    }
    m_displaying = false;
}

void CCellEdit::typeText(const QString& text) {
    if (isReadOnly() || text.isEmpty()) {
        return;
    }
    prepareForTyping();
    const TextRange range = selectionRange();
    const QString admitted = admissibleText(text, range);
    if (!admitted.isEmpty()) {
        replaceRange(range, admitted);
    }
}

void CCellEdit::cutSelection() {
    if (isReadOnly() || !hasSelectedText()) {
        return;
    }
    copySelection();
    removeRange(selectionRange());
}

void CCellEdit::copySelection() const {
    if (hasSelectedText()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

void CCellEdit::pasteText() {
    if (isReadOnly() || !clipboardHasText()) {
        return;
    }
    prepareForTyping();
    // Pasted text is literal: a token's eight characters stay eight characters.
    const TextRange range = selectionRange();
    const QString admitted = admissibleText(firstLine(QGuiApplication::clipboard()->text()), range);
    if (!admitted.isEmpty()) {
        replaceRange(range, admitted);
    }
}

void CCellEdit::deleteSelection() {
    if (isReadOnly() || !hasSelectedText()) {
        return;
    }
    removeRange(selectionRange());
}

void CCellEdit::insertToken(model::CharCode code, const model::tagSEQ_V900& definition) {
    if (isReadOnly()) {
        return;
    }
    prepareForTyping();
    const TextRange removed = removeText(selectionRange());
    const int end = m_text.insertToken(removed.from, code, definition);
    m_modified = true;
    display(end);
}

void CCellEdit::loadDialogResult(const QString& tokenForm, std::vector<model::tagSEQ_V900> sequences) {
    const QByteArray utf8 = tokenForm.toUtf8();
    m_text.loadTokenForm(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    m_text.setSequences(std::move(sequences));
    m_allowancesLoaded = true;
    m_modified = true;
    display(m_text.length());
}

void CCellEdit::keepCaretOutOfTokens(bool forward) {
    const int cursor = cursorPosition();
    const auto snap = [&](int pos) { return forward ? m_text.snapForward(pos) : m_text.snapBackward(pos); };
    if (hasSelectedText()) {
        const int anchor = selectionStart() == cursor ? selectionEnd() : selectionStart();
        const int newCursor = snap(cursor);
        const int newAnchor = snap(anchor);
        if (newCursor != cursor || newAnchor != anchor) {
            setSelection(newAnchor, newCursor - newAnchor);
        }
    } else if (const int snapped = snap(cursor); snapped != cursor) {
        setCursorPosition(snapped);
    }
}

void CCellEdit::reconcileWithShownText() {
    if (m_displaying) {
        return;
    }
    const QString shown = text();
    const QString& held = m_text.text();
    if (shown == held) {
        return;
    }
    const qsizetype common = std::min(shown.size(), held.size());
    qsizetype prefix = 0;
    while (prefix < common && shown[prefix] == held[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < common - prefix && shown[shown.size() - 1 - suffix] == held[held.size() - 1 - suffix]) {
        ++suffix;
    }
    const QString inserted = shown.mid(prefix, shown.size() - suffix - prefix);
    const TextRange removed = removeText({static_cast<int>(prefix), static_cast<int>(held.size() - suffix)});
    const int end = m_text.insertPlain(removed.from, inserted);
    m_modified = true;
    if (m_text.text() != shown) {
        display(end); // a token was cut: show it gone as a whole
    }
}

void CCellEdit::widenToText() {
    if (!m_autoWiden || parentWidget() == nullptr || !isVisible()) {
        return;
    }
    const QMargins margins = textMargins();
    const int frame = hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
    const int needed = fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right() +
                       2 * LineEditInnerMargin + 2 * frame + 1;
    if (needed <= width()) {
        return;
    }
    // Beyond the parent's right edge the edit scrolls its text instead.
    const int widest = parentWidget()->width() - x();
    const int newWidth = std::min(needed, widest);
    if (newWidth > width()) {
        resize(newWidth, height());
    }
}

void CCellEdit::reportSequence() { emit sequenceSelected(sequenceUnderSelection()); }

// --- context menu --------------------------------------------------------------------------------

std::vector<CellEditMenuItem> CCellEdit::contextMenuItems() {
    const bool selected = hasSelectedText();
    const bool dialogs = !m_dialogsAvailable || m_dialogsAvailable();
    return {
        {CellEditCommand::Cut, QStringLiteral("切り取り(&T)"), selected},
        {CellEditCommand::Copy, QStringLiteral("コピー(&C)"), selected},
        {CellEditCommand::Paste, QStringLiteral("貼り付け(&P)"), clipboardHasText()},
        {CellEditCommand::Delete, QStringLiteral("削除(&D)"), selected},
        {0, {}, false},
        {CellEditCommand::SelectAll, QStringLiteral("全て選択(&A)"), true},
        {0, {}, false},
        {CellEditCommand::Sequence, QStringLiteral("連番設定(&Q)..."), dialogs && canInsertSequence()},
        {CellEditCommand::Symbol, QStringLiteral("記号入力(&M)..."), dialogs},
    };
}

void CCellEdit::runCommand(int command) {
    switch (command) {
    case CellEditCommand::Cut:
        cutSelection();
        break;
    case CellEditCommand::Copy:
        copySelection();
        break;
    case CellEditCommand::Paste:
        pasteText();
        break;
    case CellEditCommand::Delete:
        deleteSelection();
        break;
    case CellEditCommand::SelectAll:
        selectAll();
        break;
    case CellEditCommand::Sequence:
        emit sequenceCommandRequested();
        break;
    case CellEditCommand::Symbol:
        emit symbolCommandRequested();
        break;
    default:
        break;
    }
}

void CCellEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (!hasFocus() || isReadOnly() || m_mouseCaptured) {
        return;
    }
    QMenu menu(this);
    for (const CellEditMenuItem& item : contextMenuItems()) {
        if (item.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(item.text);
        action->setData(item.command);
        action->setEnabled(item.enabled);
    }
    if (const QAction* chosen = menu.exec(event->globalPos())) {
        runCommand(chosen->data().toInt());
    }
}

// --- events --------------------------------------------------------------------------------------

bool CCellEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab ends the edit instead of moving the focus to the next widget.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            emit commitMoveRequested(CommitKey::Tab,
                                     key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    if (event->type() == QEvent::ShortcutOverride && !isReadOnly()) {
        // The editor carries out its own clipboard keys; the frame's shortcuts never see them.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Undo) ||
            key->matches(QKeySequence::Redo) || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit commitMoveRequested(CommitKey::Enter, shift);
        return;
    }
    if (key == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    // The platform edit's undo would desynchronise the map: no undo while a cell is edited.
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        cutSelection();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        pasteText();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (!isReadOnly() && !m_mouseCaptured) {
            if (hasSelectedText()) {
                removeRange(selectionRange());
            } else {
                const int caret = cursorPosition();
                removeRange(key == Qt::Key_Backspace ? m_text.backspaceRange(caret) : m_text.deleteRange(caret));
            }
            reportSequence();
        }
        return;
    case Qt::Key_Left:
    case Qt::Key_Home:
        QLineEdit::keyPressEvent(event);
        keepCaretOutOfTokens(false);
        reportSequence();
        return;
    case Qt::Key_Right:
    case Qt::Key_End:
        QLineEdit::keyPressEvent(event);
        keepCaretOutOfTokens(true);
        reportSequence();
        return;
    case Qt::Key_Up: // a one-line edit moves the caret back and forth with these
        cursorBackward(shift, 1);
        keepCaretOutOfTokens(false);
        reportSequence();
        return;
    case Qt::Key_Down:
        cursorForward(shift, 1);
        keepCaretOutOfTokens(true);
        reportSequence();
        return;
    case Qt::Key_Insert:
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !isCommandModifier(event->modifiers()) && !m_mouseCaptured) {
        typeText(typed);
    }
    // Every other key ends here, as in the platform's edit: the grid hands its keys to the open
    // editor, so a key passed back up would come straight back down.
    event->accept();
}

void CCellEdit::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    event->accept();
    reportSequence();
}

void CCellEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (isReadOnly()) {
        return; // taken and dropped: nothing composes into a read-only bar
    }
    const bool committing = !event->commitString().isEmpty() || event->replacementLength() > 0;
    if (hasSelectedText() && (committing || !event->preeditString().isEmpty())) {
        // Composition replaces the selection: take it out through the map, tokens and all.
        prepareForTyping();
        removeRange(selectionRange());
    }
    if (!committing) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The composition in progress is shown by the edit; the committed text goes through the map.
    QInputMethodEvent preedit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preedit);
    prepareForTyping();
    TextRange range = selectionRange();
    if (event->replacementLength() > 0) {
        const int from = cursorPosition() + event->replacementStart();
        range = {from, from + event->replacementLength()};
    }
    const QString admitted = admissibleText(event->commitString(), range);
    if (!admitted.isEmpty() || !range.empty()) {
        replaceRange(range, admitted);
    }
}

QVariant CCellEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImCursorRectangle || query == Qt::ImAnchorRectangle) {
        // The composition window goes over the editor itself, at the caret, whole editor high, so
        // that its candidate list opens just below the cell being edited.
        const QRect caret = QLineEdit::inputMethodQuery(query).toRect();
        const int x = std::clamp(caret.left(), 0, std::max(0, width() - 1));
        return QRect(x, 0, std::max(1, caret.width()), height());
    }
    if (query == Qt::ImEnabled) {
        return !isReadOnly();
    }
    return QLineEdit::inputMethodQuery(query);
}

void CCellEdit::mousePressEvent(QMouseEvent* event) {
    emit clicked();
    if (event->button() == Qt::LeftButton) {
        m_mouseCaptured = true;
    }
    QLineEdit::mousePressEvent(event);
}

void CCellEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_mouseCaptured = false;
    const int cursor = cursorPosition();
    const TextRange range = selectionRange();
    const int from = m_text.snapBackward(range.from);
    const int to = m_text.snapForward(range.to);
    if (from != range.from || to != range.to) {
        // Keep the caret at the end the operator dragged to.
        if (cursor == range.from && range.from != range.to) {
            setSelection(to, from - to);
        } else {
            setSelection(from, to - from);
        }
    }
    reportSequence();
}

void CCellEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_mouseCaptured = false;
    // A context menu or the menu bar taking the keyboard for a moment is no end of editing.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) {
        emit commitRequested();
    }
}

} // namespace qx::ui
