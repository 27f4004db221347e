#include "ui/grid/CellSpinCount.h"

#include "ui/grid/CellWriter.h"

#include <algorithm>
#include <limits>

namespace qx::ui {

void CCellSpinCount::SetValueFromText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const long long value = parseCellInteger(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    setPosition(static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                       std::numeric_limits<int>::max())));
}

QString CCellSpinCount::FormatValue(int position) const { return QString::number(position); }

} // namespace qx::ui
