#include "ui/grid/CellSpinPitch.h"

#include "ui/grid/CellWriter.h"

#include <algorithm>
#include <limits>

namespace qx::ui {

void CCellSpinPitch::SetValueFromText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const DecimalTenths value =
        parseCellDecimal(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    setPosition(static_cast<int>(std::clamp<long long>(value.tenths, std::numeric_limits<int>::min(),
                                                       std::numeric_limits<int>::max())));
}

QString CCellSpinPitch::FormatValue(int position) const {
    return QString::fromStdString(cellPitchText(position));
}

} // namespace qx::ui
