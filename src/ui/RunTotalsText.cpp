#include "ui/RunTotalsText.h"

#include "model/Tenths.h"

namespace qx::ui {

QString runTotalsText(const output::RunTotals& totals) {
    QString length;
    if (totals.tenths < 100000) {
        length = QString::fromStdString(model::formatTenths(static_cast<int>(totals.tenths))) + QStringLiteral(" mm");
    } else {
        // Centimetres, rounded: a run this long is cut from a reel measured in metres.
        const std::int64_t centimetres = (totals.tenths + 50) / 100;
        length = QStringLiteral("%1.%2 m").arg(centimetres / 100).arg(centimetres % 100, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1 ﾌﾞﾛｯｸ　%2 個　全長 %3").arg(totals.blocks).arg(totals.pieces).arg(length);
}

} // namespace qx::ui
