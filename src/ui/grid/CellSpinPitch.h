#pragma once

#include "ui/grid/CellSpin.h"

namespace qx::ui {

/// The pitch-length editor: the position is the typed length in tenths of a millimetre, shown with
/// one decimal (12.5 is position 125; one step is 0.1 mm).
class CCellSpinPitch final : public CCellSpin {
    Q_OBJECT

public:
    explicit CCellSpinPitch(QWidget* parent = nullptr) : CCellSpin(parent) {}

protected:
    void SetValueFromText(const QString& text) override;
    [[nodiscard]] QString FormatValue(int position) const override;
};

} // namespace qx::ui
