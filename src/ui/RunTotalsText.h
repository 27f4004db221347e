#pragma once

#include "output/RunTotals.h"

#include <QString>

namespace qx::ui {

/// The run's totals as the operator reads them where a print is decided:
/// "24 ﾌﾞﾛｯｸ　48 個　全長 960.0 mm"; runs of 10 m and more in metres ("全長 19.98 m").
QString runTotalsText(const output::RunTotals& totals);

} // namespace qx::ui
