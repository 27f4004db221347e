#pragma once

#include "output/PrintFieldCheck.h"
#include "output/PrintOptions.h"

#include <QString>

#include <functional>

class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QDialog;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

namespace qx::model {
class Catalogue;
struct EditData;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CTargetDlgSpinEdit;

/// The controls every print dialog carries, built into the dialog (which owns them), and their
/// exchange with PrintOptions in stored form. The dialog classes own one each and add their own
/// controls to the layouts it hands out.
class PrintDlgControls final {
public:
    PrintDlgControls(QDialog& dialog, const model::Catalogue& catalogue, const model::EditData& data);

    /// Above the fields (the named sets) and below them (the print patterns).
    QBoxLayout& topLayout() { return *m_top; }
    QBoxLayout& bottomLayout() { return *m_bottom; }

    /// Shows the options (stored form) in the controls.
    void write(const output::PrintOptions& options);
    /// The typed fields as the checks take them: a disabled field has no text of its own.
    output::PrintFieldTexts typedFields() const;
    /// The check boxes, the order radios and the density slider into the options.
    void readSwitches(output::PrintOptions& options) const;

    /// The enabling rules of the document's mode, pitch and target; `lowSpeedOnTubesOnly` for the
    /// QX-900W on.
    void applyEnabling(bool lowSpeedOnTubesOnly);

    /// A named set chosen: its cut position, vertical position and density.
    void showNamedValues(int cutTenths, int offsetY, int heatVol);

    /// Shows a refusal and puts the focus on its field.
    void refuse(const output::PrintFieldCheck& check, output::Prompter& prompter);

    /// Keeps the run's totals under the block range up to date with the typed copies and range
    /// and the print pattern `printType` reports (asked again on refreshRunTotals).
    void showRunTotals(const model::OperatorSettings& settings, std::function<int()> printType);
    /// Recounts the totals; the dialogs call it when their print pattern changes.
    void refreshRunTotals();

    /// Adds "印刷実行" and "キャンセル" under everything else.
    void addButtons();
    QPushButton* okButton() const { return m_ok; }

private:
    CTargetDlgSpinEdit* fieldOf(output::PrintField field) const;

    QDialog& m_dialog;
    const model::Catalogue& m_catalogue;
    const model::EditData& m_data;
    QBoxLayout* m_top = nullptr;
    QBoxLayout* m_bottom = nullptr;
    QBoxLayout* m_main = nullptr;
    CTargetDlgSpinEdit* m_copies = nullptr;
    CTargetDlgSpinEdit* m_start = nullptr;
    CTargetDlgSpinEdit* m_end = nullptr;
    CTargetDlgSpinEdit* m_revision = nullptr;
    CTargetDlgSpinEdit* m_cut = nullptr;
    CTargetDlgSpinEdit* m_offsetY = nullptr;
    QLabel* m_copiesLabel = nullptr;
    QLabel* m_startLabel = nullptr;
    QLabel* m_endLabel = nullptr;
    QLabel* m_revisionLabel = nullptr;
    QLabel* m_revisionUnit = nullptr;
    QCheckBox* m_frontFeed = nullptr;
    QCheckBox* m_lowTempMode = nullptr;
    QButtonGroup* m_seqOrder = nullptr;
    QSlider* m_heatVol = nullptr;
    QPushButton* m_ok = nullptr;
    QLabel* m_runTotals = nullptr;
    const model::OperatorSettings* m_settings = nullptr;
    std::function<int()> m_printType;
};

} // namespace qx::ui
