#pragma once

#include "ui/dialogs/target/TargetRules.h"

#include <QMetaObject>
#include <QString>

#include <functional>
#include <vector>

class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CTargetDlgSpinEdit;

/// What changed in the dialog, for the handler that re-applies the rules.
enum class TargetChange { Target, Size, Rules };

/// The controls that every variant of the target settings dialog carries, built into the dialog in
/// the order the operator tabs through them, and their exchange with a TargetForm. The dialog
/// classes own one each and add their own controls to the layouts it hands out.
class TargetDlgControls final {
public:
    /// Builds the controls into `dialog` (which owns them). The V9 family adds the label fields
    /// and the frame spacing combo.
    TargetDlgControls(QDialog& dialog, const TargetRules& rules);

    ~TargetDlgControls();
    TargetDlgControls(const TargetDlgControls&) = delete;
    TargetDlgControls& operator=(const TargetDlgControls&) = delete;

    /// Called after every operator change of a control that the rules watch.
    void setChangeHandler(std::function<void(TargetChange)> handler) { m_onChange = std::move(handler); }

    /// The column beside the size-mode radios (for the width-auto size) and the one under the frame
    /// (for the print font and the slashed zero), where the later variants add their controls.
    QBoxLayout& sizeModeLayout() { return *m_sizeModeLayout; }
    QBoxLayout& extraLayout() { return *m_extraLayout; }

    /// Shows the form; `enabling` sets the enabled state and the label/size visibility.
    void write(const TargetForm& form, const TargetEnabling& enabling);
    /// Reads every control into the form (selections and texts as they stand).
    void read(TargetForm& form) const;
    /// Gives the field the keyboard focus (with its text selected).
    void focus(TargetField field);

    /// Whether a write is in progress (control signals then come from the dialog itself).
    bool isWriting() const { return m_writing; }
    /// Runs `fn` with the writing flag set, so control signals are not taken for the operator's.
    void whileWriting(const std::function<void()>& fn);

    /// OK's checks on a form read from the controls: on failure shows the message and focuses the
    /// field; on success returns the confirmed settings in `confirmed`.
    bool confirm(const TargetForm& form, const model::TargetSettings& original, output::Prompter& prompter,
                 model::TargetSettings& confirmed);

    /// Adds OK and ｷｬﾝｾﾙ under everything else, last in the tab order: call after the variant's
    /// own controls exist.
    void addButtons();
    QPushButton* okButton() const { return m_okButton; }

    /// "印刷物設定 (新規作成)" for a new document, "印刷物設定" otherwise.
    static QString title(bool newDocument);

private:
    QButtonGroup* addRadioGroup(QGroupBox& box, QBoxLayout& layout, int list, const QString& namePrefix);
    static void check(QButtonGroup& group, int value);
    static int checkedValue(const QButtonGroup& group, int fallback);
    void fillSizes(int targetIndex);
    void emitChange(TargetChange change);

    QDialog& m_dialog;
    const TargetRules& m_rules;
    std::function<void(TargetChange)> m_onChange;
    std::vector<QMetaObject::Connection> m_connections;
    bool m_writing = false;
    int m_filledTarget = -2;

    QComboBox* m_target = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QComboBox* m_size = nullptr;
    QWidget* m_labelFields = nullptr;
    CTargetDlgSpinEdit* m_labelWidth = nullptr;
    CTargetDlgSpinEdit* m_labelLength = nullptr;
    CTargetDlgSpinEdit* m_labelGap = nullptr;
    QButtonGroup* m_mode = nullptr;
    QButtonGroup* m_pitch = nullptr;
    QCheckBox* m_printLengthAuto = nullptr;
    QLabel* m_printLengthLabel = nullptr;
    CTargetDlgSpinEdit* m_printLength = nullptr;
    QLabel* m_printLengthUnit = nullptr;
    QLabel* m_printCountLabel = nullptr;
    CTargetDlgSpinEdit* m_printCount = nullptr;
    QLabel* m_printCountUnit = nullptr;
    QGroupBox* m_placementBox = nullptr;
    QButtonGroup* m_placement = nullptr;
    QLabel* m_leftMarginLabel = nullptr;
    CTargetDlgSpinEdit* m_leftMargin = nullptr;
    QLabel* m_leftMarginUnit = nullptr;
    QLabel* m_rightMarginLabel = nullptr;
    CTargetDlgSpinEdit* m_rightMargin = nullptr;
    QLabel* m_rightMarginUnit = nullptr;
    QButtonGroup* m_sizeMode = nullptr;
    QButtonGroup* m_direction = nullptr;
    QButtonGroup* m_charSpacing = nullptr;
    QButtonGroup* m_lineSpacing = nullptr;
    QButtonGroup* m_pitchCut = nullptr;
    QButtonGroup* m_frame = nullptr;
    QComboBox* m_frameSpacing = nullptr;
    QBoxLayout* m_sizeModeLayout = nullptr;
    QBoxLayout* m_extraLayout = nullptr;
    QBoxLayout* m_mainLayout = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_okButton = nullptr;
};

} // namespace qx::ui
