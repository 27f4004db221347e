#pragma once

#include <QLineEdit>

namespace qx::ui {

/// The start and end edit of the sequence number dialogs. A click that brings the focus selects
/// the whole text, so a new value is typed over the old one. The input limit counts Shift_JIS
/// bytes (a full-width character takes two) and, like the platform's edit limit, only stops
/// typing: text already there stays, however long, until the operator changes it.
class CSeqEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit CSeqEdit(QWidget* parent = nullptr);

    /// The most bytes the operator may type; 0 for no limit.
    void setByteLimit(int bytes);
    [[nodiscard]] int byteLimit() const { return m_byteLimit; }

    /// Bytes of the text in Shift_JIS: one for ASCII and half-width katakana, two for the rest.
    [[nodiscard]] static int sjisByteCount(const QString& text);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_byteLimit = 0;
    bool m_selectOnClick = false;
    bool m_swallowingClick = false;
};

} // namespace qx::ui
