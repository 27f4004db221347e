#include "ui/grid/CellSpin.h"

#include "ui/grid/CellSpinEdit.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace qx::ui {

namespace {

int asShort(int value) {
    return std::clamp(value, int{std::numeric_limits<std::int16_t>::min()},
                      int{std::numeric_limits<std::int16_t>::max()});
}

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The arrows never take the focus: the edit keeps it, so clicking them does not end the edit.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

CCellSpin::CCellSpin(QWidget* parent)
    : QWidget(parent), m_edit(new CCellSpinEdit(this)), m_up(makeArrow(this, Qt::UpArrow)),
      m_down(makeArrow(this, Qt::DownArrow)) {
    setFocusProxy(m_edit);
    connect(m_edit, &CCellSpinEdit::commitMoveRequested, this, &CCellSpin::commitMoveRequested);
    connect(m_edit, &CCellSpinEdit::cancelRequested, this, &CCellSpin::cancelRequested);
    connect(m_edit, &CCellSpinEdit::commitRequested, this, &CCellSpin::commitRequested);
    connect(m_edit, &CCellSpinEdit::stepRequested, this, &CCellSpin::stepBy);
    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) { SetValueFromText(text); });
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
    layoutChildren();
}

CCellSpin::~CCellSpin() = default;

void CCellSpin::setRange(int lower, int upper) {
    m_lower = asShort(lower);
    m_upper = std::max(m_lower, asShort(upper));
}

void CCellSpin::setCellText(int /*textFlag*/, const QString& text) {
    SetValueFromText(text);
    m_edit->setText(text);
}

QString CCellSpin::cellText() const { return m_edit->text(); }

bool CCellSpin::isCellModified() const { return m_edit->isModified() || m_modified; }

void CCellSpin::setCellModified() {
    m_edit->setModified(true);
    m_modified = true;
}

void CCellSpin::setCellRect(const QRect& rect) {
    if (rect.isEmpty()) {
        hide();
        return;
    }
    setGeometry(rect);
    show();
}

void CCellSpin::placeCaretAtEnd() { m_edit->end(false); }

void CCellSpin::stepBy(int steps) {
    // A typed number far outside the range leaves the position at the integer limits.
    const auto next = static_cast<int>(
        std::clamp<long long>(static_cast<long long>(m_position) + steps, m_lower, m_upper));
    m_position = next;
    m_edit->setText(FormatValue(next));
    m_modified = true;
}

void CCellSpin::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void CCellSpin::forwardKey(QKeyEvent* event) {
    // A key the edit does not take comes back up to this composite: it then goes on to the parent.
    if (m_forwarding) {
        event->ignore();
        return;
    }
    m_forwarding = true;
    QCoreApplication::sendEvent(m_edit, event);
    m_forwarding = false;
}

void CCellSpin::keyPressEvent(QKeyEvent* event) { forwardKey(event); }

void CCellSpin::keyReleaseEvent(QKeyEvent* event) { forwardKey(event); }

void CCellSpin::layoutChildren() {
    const int arrows = std::min(width(), style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    const int editWidth = width() - arrows;
    m_edit->setGeometry(0, 0, editWidth, height());
    const int upHeight = height() / 2;
    m_up->setGeometry(editWidth, 0, arrows, upHeight);
    m_down->setGeometry(editWidth, upHeight, arrows, height() - upHeight);
}

} // namespace qx::ui
