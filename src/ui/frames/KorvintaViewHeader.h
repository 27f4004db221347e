#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace qx::model {
class Catalogue;
struct TargetSettings;
} // namespace qx::model

namespace qx::ui {

/// The three texts above a document's grid.
struct ViewHeaderTexts {
    QString mode;                ///< "ピッチ長モード" or "印字長モード"
    QString target;              ///< the target kind's name in the model's target list
    std::optional<QString> size; ///< nothing when no size of the kind matches: keep what is shown

    friend bool operator==(const ViewHeaderTexts&, const ViewHeaderTexts&) = default;
};

ViewHeaderTexts viewHeaderTexts(const model::TargetSettings& target, const model::Catalogue& catalogue);

/// The target names of the model's list, the widest of which sizes the target static.
QStringList targetNames(const model::Catalogue& catalogue);

/// The widths the three statics need before their edges, measured in the view's font.
struct HeaderTextWidths {
    int mode = 0;   ///< the wider of the two mode texts
    int target = 0; ///< the widest target name
    int size = 0;   ///< " 10.0x40.0 mm "
    int height = 0; ///< the font's text height
};

/// Where the statics and the grid go in a view of `client` size, with the system edge e × f.
struct ViewLayout {
    QRect mode;
    QRect target;
    QRect size;
    QRect grid;

    friend bool operator==(const ViewLayout&, const ViewLayout&) = default;
};

ViewLayout layoutView(const HeaderTextWidths& widths, int edgeX, int edgeY, QSize client);

} // namespace qx::ui
