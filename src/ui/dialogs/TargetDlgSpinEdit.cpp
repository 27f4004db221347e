#include "ui/dialogs/TargetDlgSpinEdit.h"

#include "output/NumberField.h"

#include <QLineEdit>

#include <algorithm>

namespace qx::ui {

using output::formatFieldValue;
using output::parseIntegerText;
using output::parseTenthsText;

namespace {
// Longer texts are never a valid number of any field.
constexpr int MaxTextLength = 16;
} // namespace

CTargetDlgSpinEdit::CTargetDlgSpinEdit(int decimals, QWidget* parent)
    : QAbstractSpinBox(parent), m_decimals(decimals == 1 ? 1 : 0) {
    lineEdit()->setMaxLength(MaxTextLength);
    setAccelerated(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        takeTypedText(text);
        emit textEdited(text);
    });
}

void CTargetDlgSpinEdit::setRange(int lower, int upper) {
    m_lower = lower;
    m_upper = std::max(lower, upper);
    m_position = std::clamp(m_position, m_lower, m_upper);
}

void CTargetDlgSpinEdit::setPosition(int value) {
    m_position = std::clamp(value, m_lower, m_upper);
    lineEdit()->setText(formatPosition(m_position));
}

void CTargetDlgSpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
    takeTypedText(text);
}

void CTargetDlgSpinEdit::focusAndSelect() {
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

void CTargetDlgSpinEdit::stepBy(int steps) {
    const int moved = std::clamp(m_position + steps, m_lower, m_upper);
    const QString text = formatPosition(moved);
    m_position = moved;
    if (text != lineEdit()->text()) {
        lineEdit()->setText(text);
        emit textEdited(text);
    }
    selectAll();
}

QSize CTargetDlgSpinEdit::sizeHint() const {
    QSize hint = QAbstractSpinBox::sizeHint();
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("00000.0"));
    hint.setWidth(std::max(hint.width(), text + 2 * fontMetrics().height()));
    return hint;
}

QSize CTargetDlgSpinEdit::minimumSizeHint() const {
    return sizeHint();
}

QAbstractSpinBox::StepEnabled CTargetDlgSpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (isReadOnly() || !isEnabled()) {
        return enabled;
    }
    if (m_position < m_upper) {
        enabled |= StepUpEnabled;
    }
    if (m_position > m_lower) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}

QValidator::State CTargetDlgSpinEdit::validate(QString&, int&) const {
    // Any text stays as typed; OK tells the operator the range.
    return QValidator::Acceptable;
}

void CTargetDlgSpinEdit::takeTypedText(const QString& text) {
    const std::string utf8 = text.toStdString();
    const std::optional<int> value = m_decimals == 1 ? parseTenthsText(utf8) : parseIntegerText(utf8);
    if (value && *value >= m_lower && *value <= m_upper) {
        m_position = *value;
    }
}

QString CTargetDlgSpinEdit::formatPosition(int value) const {
    return QString::fromStdString(formatFieldValue(value, m_decimals));
}

} // namespace qx::ui
