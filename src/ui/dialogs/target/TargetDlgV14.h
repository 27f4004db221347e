#pragma once

#include "ui/dialogs/target/TargetDlgV12.h"

class QButtonGroup;

namespace qx::ui {

/// The target settings dialog of models 8 to 10: adds the slashed zero.
class CTargetDlgV14 final : public CTargetDlgV12 {
    Q_OBJECT

public:
    explicit CTargetDlgV14(const TargetDlgSetup& setup, QWidget* parent = nullptr);

protected:
    void addVariantControls() override;
    void writeVariantControls(const TargetForm& form, const TargetEnabling& enabling) override;
    void readVariantControls(TargetForm& form) const override;

private:
    QButtonGroup* m_zeroSlash = nullptr;
};

} // namespace qx::ui
