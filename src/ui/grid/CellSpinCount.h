#pragma once

#include "ui/grid/CellSpin.h"

namespace qx::ui {

/// The continuous-count editor: the position is the typed whole number of pieces.
class CCellSpinCount final : public CCellSpin {
    Q_OBJECT

public:
    explicit CCellSpinCount(QWidget* parent = nullptr) : CCellSpin(parent) {}

protected:
    void SetValueFromText(const QString& text) override;
    [[nodiscard]] QString FormatValue(int position) const override;
};

} // namespace qx::ui
