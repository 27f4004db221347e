#pragma once

#include <QAbstractSpinBox>
#include <QString>

class QLineEdit;

namespace qx::ui {

/// A numeric edit with up-down arrows whose text is the operator's own: it accepts any text (the
/// dialog checks it on OK and names the range), the arrows move a position within the range and
/// rewrite the text, and typed text that reads as a value within the range moves the position.
/// With one decimal the position is in tenths and the text shows "%.1f" of position / 10.
class CTargetDlgSpinEdit final : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit CTargetDlgSpinEdit(int decimals = 0, QWidget* parent = nullptr);

    void setRange(int lower, int upper);
    int lower() const { return m_lower; }
    int upper() const { return m_upper; }
    int decimals() const { return m_decimals; }

    int position() const { return m_position; }
    /// Moves the position (held within the range) and shows it as text.
    void setPosition(int value);
    /// Shows a text as if typed, without emitting textEdited.
    void setText(const QString& text);
    /// Gives the edit the keyboard focus with its text selected.
    void focusAndSelect();

    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    /// The operator typed into the edit or moved the arrows.
    void textEdited(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    void takeTypedText(const QString& text);
    QString formatPosition(int value) const;

    int m_decimals;
    int m_lower = 0;
    int m_upper = 0;
    int m_position = 0;
};

} // namespace qx::ui
