#include "ui/grid/CellDropDown.h"

#include "ui/table/TableMessages.h"
#include "model/StringTable.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace qx::ui {

namespace {

struct DropDownChoices {
    int kind;
    int offText;
    int onText;
};

constexpr std::array Choices = std::to_array<DropDownChoices>({
    {1, 43062, 43063}, // underline: "しない", "する"
    {2, 40054, 40055}, // reverse: "しない", "する"
});

QString textOf(int id) {
    const std::string_view text = model::messageText(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CCellDropDown::CCellDropDown(int kind, QWidget* parent) : QComboBox(parent), m_kind(kind) {
    setEditable(false);
    const auto row = std::find_if(Choices.begin(), Choices.end(), [kind](const auto& c) { return c.kind == kind; });
    const DropDownChoices& choices = row != Choices.end() ? *row : Choices.back();
    addItem(textOf(choices.offText));
    addItem(textOf(choices.onText));
}

void CCellDropDown::setCellText(int /*textFlag*/, const QString& text) {
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).startsWith(text)) {
            setCurrentIndex(i);
            return;
        }
    }
}

void CCellDropDown::setCellRect(const QRect& rect) {
    if (rect.isEmpty()) {
        hide();
        return;
    }
    // The box keeps its own height so that it is never squeezed below its text.
    const int height = std::max(rect.height(), sizeHint().height());
    setGeometry(rect.left(), rect.top(), rect.width(), height);
    show();
}

bool CCellDropDown::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            emit commitMoveRequested(CommitKey::Tab,
                                     key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QComboBox::event(event);
}

void CCellDropDown::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit commitMoveRequested(CommitKey::Enter, (event->modifiers() & Qt::ShiftModifier) != 0);
        return;
    case Qt::Key_Escape:
        emit cancelRequested();
        return;
    default:
        QComboBox::keyPressEvent(event);
        event->accept(); // the grid hands its keys to the open editor: none may come back up
        return;
    }
}

void CCellDropDown::keyReleaseEvent(QKeyEvent* event) {
    QComboBox::keyReleaseEvent(event);
    event->accept();
}

void CCellDropDown::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // Opening the list is no end of editing.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) {
        emit commitRequested();
    }
}

} // namespace qx::ui
