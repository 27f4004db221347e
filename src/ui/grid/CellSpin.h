#pragma once

#include <QString>
#include <QWidget>

class QToolButton;

namespace qx::ui {

class CCellSpinEdit;

/// A numeric cell editor: an inner edit with an up-down button at its right. The typed text is
/// kept as typed (the table refuses values outside the range when it stores the cell); the arrows
/// and the Up and Down keys step the position by one within the range. Derived editors say how
/// text becomes a position and back.
class CCellSpin : public QWidget {
    Q_OBJECT

public:
    explicit CCellSpin(QWidget* parent = nullptr);
    ~CCellSpin() override;
    CCellSpin(const CCellSpin&) = delete;
    CCellSpin& operator=(const CCellSpin&) = delete;

    /// The up-down range (applied as 16-bit values; default 0 to 100).
    void setRange(int lower, int upper);
    [[nodiscard]] int lower() const { return m_lower; }
    [[nodiscard]] int upper() const { return m_upper; }
    [[nodiscard]] int position() const { return m_position; }

    // --- the cell editor protocol ----------------------------------------------------------------
    /// CEM_SETTEXT: takes the position from the text and shows the text unchanged.
    void setCellText(int textFlag, const QString& text);
    /// CEM_GETTEXT: the inner edit's text.
    [[nodiscard]] QString cellText() const;
    /// CEM_GETMODIFY: the inner edit's flag, or the stored one when that is clear.
    [[nodiscard]] bool isCellModified() const;
    /// CEM_SETMODIFY: sets both.
    void setCellModified();
    /// CEM_SETRECT.
    void setCellRect(const QRect& rect);
    void placeCaretAtEnd();

    /// One or more steps of the up-down control: the position moves within the range and the edit
    /// shows FormatValue of it.
    void stepBy(int steps);

    [[nodiscard]] CCellSpinEdit* edit() const { return m_edit; }

signals:
    void commitMoveRequested(int commitKey, bool shift);
    void cancelRequested();
    void commitRequested();

protected:
    /// Sets the position from the edit's text.
    virtual void SetValueFromText(const QString& text) = 0;
    /// The text of a position.
    [[nodiscard]] virtual QString FormatValue(int position) const = 0;

    void setPosition(int position) { m_position = position; }

    void resizeEvent(QResizeEvent* event) override;
    /// Keys that reach the composite itself go on to the inner edit.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void layoutChildren();
    void forwardKey(QKeyEvent* event);

    CCellSpinEdit* m_edit;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_lower = 0;
    int m_upper = 100;
    int m_position = 0;
    bool m_modified = false;
    bool m_forwarding = false;
};

} // namespace qx::ui
