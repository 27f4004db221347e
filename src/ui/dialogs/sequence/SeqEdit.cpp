#include "ui/dialogs/sequence/SeqEdit.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QValidator>

namespace qx::ui {

namespace {

/// Refuses an edit that would make the text longer than the limit; never touches the text itself.
class ByteLimitValidator final : public QValidator {
public:
    ByteLimitValidator(const CSeqEdit& edit, QObject* parent) : QValidator(parent), m_edit(edit) {}

    State validate(QString& input, int&) const override {
        const int limit = m_edit.byteLimit();
        if (limit <= 0 || CSeqEdit::sjisByteCount(input) <= limit) {
            return Acceptable;
        }
        // Text that was already too long may still be shortened.
        return CSeqEdit::sjisByteCount(input) < CSeqEdit::sjisByteCount(m_edit.text()) ? Intermediate : Invalid;
    }

private:
    const CSeqEdit& m_edit;
};

} // namespace

CSeqEdit::CSeqEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new ByteLimitValidator(*this, this));
}

void CSeqEdit::setByteLimit(int bytes) { m_byteLimit = bytes; }

int CSeqEdit::sjisByteCount(const QString& text) {
    int bytes = 0;
    for (const QChar c : text) {
        if (c.isLowSurrogate()) {
            continue; // counted with its high half
        }
        const char16_t u = c.unicode();
        bytes += u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2;
    }
    return bytes;
}

void CSeqEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_selectOnClick = event->reason() == Qt::MouseFocusReason;
}

void CSeqEdit::mousePressEvent(QMouseEvent* event) {
    if (m_selectOnClick && event->button() == Qt::LeftButton) {
        m_selectOnClick = false;
        m_swallowingClick = true;
        selectAll();
        event->accept();
        return;
    }
    m_selectOnClick = false;
    QLineEdit::mousePressEvent(event);
}

void CSeqEdit::mouseMoveEvent(QMouseEvent* event) {
    if (m_swallowingClick) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void CSeqEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (m_swallowingClick) {
        m_swallowingClick = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace qx::ui
