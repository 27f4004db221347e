#pragma once

#include "ui/dialogs/output/PrintDlgV9.h"

class QButtonGroup;
class QGroupBox;
class QLabel;

namespace qx::ui {

/// The print dialog of the QX-900W2 on: adds the print patterns. The rotated pattern prints every
/// piece twice, and the run's length counts it so.
class CPrintDlgV12 final : public CPrintDlgV9 {
    Q_OBJECT

public:
    explicit CPrintDlgV12(const PrintDlgSetup& setup, QWidget* parent = nullptr);

protected:
    void setupControls() override;
    bool checkInput() override;
    int countedPattern() const override;

private:
    QGroupBox* m_patternBox = nullptr;
    QButtonGroup* m_pattern = nullptr;
    QLabel* m_note = nullptr;
};

} // namespace qx::ui
