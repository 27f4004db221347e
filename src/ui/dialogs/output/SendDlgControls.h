#pragma once

#include <QString>

class QBoxLayout;
class QButtonGroup;
class QDialog;
class QLabel;
class QPushButton;

namespace qx::model {
class Catalogue;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CTargetDlgSpinEdit;

/// The controls every send dialog carries: the two destinations and the document number, OK and
/// キャンセル. The dialog classes add the name controls to extraLayout().
class SendDlgControls final {
public:
    explicit SendDlgControls(QDialog& dialog);

    QBoxLayout& extraLayout() { return *m_extra; }
    void addButtons();

    /// 0 the printer's input document, 1 one of its document memories.
    int mode() const;
    /// The number field and its label follow the mode.
    void enableNumber(bool enabled);
    /// The number's range, row 39, and its default.
    void setNumberRange(const model::Catalogue& catalogue);
    /// The number as typed, checked against its range; 42040 and the focus on it otherwise.
    bool checkNumber(const model::Catalogue& catalogue, output::Prompter& prompter, int& number) const;

    QButtonGroup& modeGroup() const { return *m_mode; }

private:
    QDialog& m_dialog;
    QBoxLayout* m_main = nullptr;
    QBoxLayout* m_extra = nullptr;
    QButtonGroup* m_mode = nullptr;
    QLabel* m_numberLabel = nullptr;
    CTargetDlgSpinEdit* m_number = nullptr;
};

} // namespace qx::ui
