#pragma once

#include <QLineEdit>

namespace qx::ui {

/// The inner edit of a numeric cell editor: right-aligned, scrolling, with Tab, Enter and Esc
/// ending the edit and the arrow keys stepping the value. Its events go to the CCellSpin around it.
class CCellSpinEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit CCellSpinEdit(QWidget* parent = nullptr);
    /// The composition window of the input method goes over the editor, at the caret.
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void commitMoveRequested(int commitKey, bool shift);
    void cancelRequested();
    void commitRequested();
    /// Up (+1) or Down (-1) was pressed.
    void stepRequested(int steps);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace qx::ui
