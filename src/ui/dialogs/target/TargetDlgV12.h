#pragma once

#include "ui/dialogs/target/TargetDlgV9.h"

class QComboBox;

namespace qx::ui {

/// The target settings dialog of models 5 to 7: four size modes (from the model's list), the
/// character size kept by width auto, and the print font.
class CTargetDlgV12 : public CTargetDlgV9 {
    Q_OBJECT

public:
    explicit CTargetDlgV12(const TargetDlgSetup& setup, QWidget* parent = nullptr);

protected:
    CTargetDlgV12(const TargetDlgSetup& setup, TargetDlgVariant variant, QWidget* parent);

    void addVariantControls() override;
    void writeVariantControls(const TargetForm& form, const TargetEnabling& enabling) override;
    void readVariantControls(TargetForm& form) const override;
    /// Adds the width-auto rule after the family's rules.
    TargetEnabling applyRules(TargetForm& form) const override;

private:
    QComboBox* m_autoTextSize = nullptr;
    QComboBox* m_printFont = nullptr;
};

} // namespace qx::ui
