#include "ui/frames/KorvintaViewHeader.h"

#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/StringTable.h"
#include "model/TargetKind.h"

#include <algorithm>

namespace qx::ui {

namespace {

constexpr int PitchLengthModeText = 40005;
constexpr int PrintLengthModeText = 40006;

QString tableText(int id) {
    const std::string_view text = model::messageText(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

ViewHeaderTexts viewHeaderTexts(const model::TargetSettings& target, const model::Catalogue& catalogue) {
    ViewHeaderTexts texts;
    texts.mode = tableText(target.isPitchLengthMode() ? PitchLengthModeText : PrintLengthModeText);
    const std::optional<int> position = catalogue.findTarget(target.targetKind);
    if (position) {
        texts.target = tableText(catalogue.targets()[static_cast<std::size_t>(*position)].textId);
    } else {
        texts.target = tableText(catalogue.kindTextId(target.targetKind));
    }
    if (target.targetKind == model::TargetKind::GeneralLabel) {
        texts.size = QString::asprintf("%.1fx%.1f mm", target.labelWidth / 10.0, target.labelLength / 10.0);
    } else if (position) {
        if (const std::optional<int> size = catalogue.findTargetSize(*position, target.targetSize)) {
            const auto& entry = catalogue.targets()[static_cast<std::size_t>(*position)];
            texts.size = utf8(entry.sizes[static_cast<std::size_t>(*size)].text);
        }
    }
    return texts;
}

QStringList targetNames(const model::Catalogue& catalogue) {
    QStringList names;
    for (const model::TargetEntry& entry : catalogue.targets()) {
        names.push_back(tableText(entry.textId));
    }
    return names;
}

ViewLayout layoutView(const HeaderTextWidths& widths, int edgeX, int edgeY, QSize client) {
    const int height = widths.height + 2 * edgeY;
    ViewLayout layout;
    layout.mode = QRect(edgeX, edgeY, widths.mode + 2 * edgeX, height);
    layout.target = QRect(layout.mode.width() + 2 * edgeX, edgeY, widths.target + 2 * edgeX, height);
    layout.size = QRect(layout.target.x() + layout.target.width() + edgeX, edgeY, widths.size + 2 * edgeX, height);
    const int gridTop = height + edgeY;
    layout.grid = QRect(0, gridTop, client.width(), std::max(0, client.height() - gridTop));
    return layout;
}

} // namespace qx::ui
