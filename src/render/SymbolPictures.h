#pragma once

#include "SymbolTable.h"
#include "model/CharCode.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSize>
#include <QString>

#include <unordered_map>
#include <vector>

class QPainter;

namespace qx::render {

/// Where a symbol's picture comes from.
enum class SymbolSource {
    None,           ///< the code is no symbol: nothing is drawn
    PrintFontGlyph, ///< the print font's glyph of the symbol's character
    FallbackGlyph,  ///< another installed font's glyph (script letters only)
    Composed,       ///< composed from print-font text and simple shapes
    Drawn,          ///< a drawn mark
};

/// The pictures of the printer symbols as resolution-independent outlines in a 16 × 16 design
/// square, painted stretched into any cell or rasterised at any size. Outlines are built on first
/// use and kept.
class SymbolPictures final {
public:
    explicit SymbolPictures(QString printFamily);

    const QString& printFamily() const { return m_family; }

    SymbolSource source(model::CharCode code) const;

    /// Paints the picture stretched into `cell` in `ink`; `turned` turns it a quarter turn
    /// counter-clockwise first (vertical writing). A code without a picture paints nothing.
    void paint(QPainter& painter, const QRectF& cell, model::CharCode code, const QColor& ink,
               bool turned = false) const;

    /// The picture rasterised to `size` device pixels (antialiased) on `background`.
    QImage image(model::CharCode code, QSize size, const QColor& ink = Qt::black,
                 const QColor& background = Qt::transparent) const;

    /// The outlines in the design square (each path filled on its own).
    const std::vector<QPainterPath>& outlines(model::CharCode code) const;

    static constexpr qreal DesignSize = 16.0;

private:
    struct Picture {
        std::vector<QPainterPath> paths;
        SymbolSource source = SymbolSource::None;
    };
    const Picture& picture(model::CharCode code) const;
    Picture build(const SymbolDefinition& definition) const;

    QString m_family;
    mutable std::unordered_map<model::CharCode, Picture> m_pictures;
};

/// The outlines of a drawn mark in the 16 × 16 design square; letters inside marks use `family`.
std::vector<QPainterPath> symbolMarkOutlines(SymbolMark mark, const QString& family);

/// `text` outlined in `family` and fitted into `box`: as large as the box's height allows, squeezed
/// horizontally when it would be wider than the box, centred.
QPainterPath fittedText(const QString& text, const QString& family, const QRectF& box, bool italic = false);

} // namespace qx::render
