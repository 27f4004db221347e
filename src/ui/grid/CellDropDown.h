#pragma once

#include <QComboBox>
#include <QString>

namespace qx::ui {

/// A drop-down list of the two fixed choices of a flag cell: kind 1 is the underline cell, kind 2
/// the reverse cell, each listing "しない" and "する". No free text can be typed.
class CCellDropDown final : public QComboBox {
    Q_OBJECT

public:
    static constexpr int UnderlineKind = 1;
    static constexpr int ReverseKind = 2;

    explicit CCellDropDown(int kind, QWidget* parent = nullptr);

    [[nodiscard]] int kind() const { return m_kind; }

    // --- the cell editor protocol ----------------------------------------------------------------
    /// CEM_SETTEXT: selects the first item that begins with the text.
    void setCellText(int textFlag, const QString& text);
    /// CEM_GETTEXT: the shown item's text.
    [[nodiscard]] QString cellText() const { return currentText(); }
    [[nodiscard]] bool isCellModified() const { return m_modified; }
    void setCellModified() { m_modified = true; }
    /// CEM_SETRECT: moves to the rectangle's top-left and width, keeping its own height.
    void setCellRect(const QRect& rect);
    void placeCaretAtEnd() {}

signals:
    void commitMoveRequested(int commitKey, bool shift);
    void cancelRequested();
    void commitRequested();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_kind;
    bool m_modified = true;
};

} // namespace qx::ui
