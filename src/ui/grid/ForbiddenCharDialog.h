#pragma once

#include <QDialog>

class QCheckBox;

namespace qx::ui {

/// Tells the operator that characters the printers cannot print were replaced by blanks, with a
/// check box that silences the notice for the rest of the run.
class CForbiddenCharDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int TemplateId = 159;
    static constexpr int IconId = 1092;
    static constexpr int CheckBoxId = 1091;

    explicit CForbiddenCharDialog(QWidget* parent = nullptr);

    /// Whether the check box "次回からこのメッセージを表示しない。" is ticked.
    [[nodiscard]] bool isSuppressChecked() const;
    void setSuppressChecked(bool checked);
    [[nodiscard]] QCheckBox* suppressBox() const { return m_suppress; }

private:
    QCheckBox* m_suppress;
};

} // namespace qx::ui
