#pragma once

#include "ui/dialogs/settings/ConfigDlgV12.h"

class QRadioButton;

namespace qx::ui {

/// The environment settings of the QX-900W3 on: adds the slashed zero of new documents.
class CConfigDlgV14 final : public CConfigDlgV12 {
    Q_OBJECT

public:
    explicit CConfigDlgV14(const ConfigDlgSetup& setup, QWidget* parent = nullptr);

protected:
    void addVariantControls(QGridLayout& grid) override;
    void writeVariant(const model::OperatorSettings& settings) override;
    void readVariant(model::OperatorSettings& settings) const override;

private:
    QRadioButton* m_on = nullptr;
    QRadioButton* m_off = nullptr;
};

} // namespace qx::ui
