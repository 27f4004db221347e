#include "PrintFont.h"

#include "model/StringTable.h"

#include <QFontDatabase>

#include <algorithm>

namespace qx::render {

QStringList printFontCandidates() {
    // String 40000 names the printer's face; the rest are the faces of the same design on other systems.
    const std::string_view own = model::messageText(40000);
    return {QString::fromUtf8(own.data(), static_cast<qsizetype>(own.size())), QStringLiteral("MS Gothic"),
            QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("VL Gothic")};
}

QString resolvePrintFontFamily() {
    const QStringList available = QFontDatabase::families();
    for (const QString& candidate : printFontCandidates()) {
        const auto found = std::find_if(available.begin(), available.end(), [&](const QString& family) {
            return family.compare(candidate, Qt::CaseInsensitive) == 0;
        });
        if (found != available.end())
            return *found;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : japanese) {
        if (QFontDatabase::isFixedPitch(family))
            return family;
    }
    if (!japanese.isEmpty())
        return japanese.front();
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont printFont(const QString& family, int pixelHeight) {
    QFont font(family);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    font.setWeight(QFont::Normal);
    font.setKerning(false);
    return font;
}

} // namespace qx::render
