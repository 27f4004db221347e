#pragma once

#include "ui/dialogs/settings/ConfigDlgV9.h"

class QComboBox;

namespace qx::ui {

/// The environment settings of the QX-900W2 on: adds the print font of new documents.
class CConfigDlgV12 : public CConfigDlgV9 {
    Q_OBJECT

public:
    explicit CConfigDlgV12(const ConfigDlgSetup& setup, QWidget* parent = nullptr);

protected:
    void addVariantControls(QGridLayout& grid) override;
    void writeVariant(const model::OperatorSettings& settings) override;
    void readVariant(model::OperatorSettings& settings) const override;

private:
    QComboBox* m_printFont = nullptr;
};

} // namespace qx::ui
