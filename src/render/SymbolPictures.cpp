#include "SymbolPictures.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>

namespace qx::render {

namespace {

QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QFont designFont(const QString& family, bool italic = false) {
    QFont font(family);
    font.setPixelSize(200); // large, so that outlines keep their detail when scaled down
    font.setItalic(italic);
    font.setKerning(false);
    return font;
}

bool printFontHas(const QString& family, const QString& text) {
    const QRawFont raw = QRawFont::fromFont(designFont(family));
    if (!raw.isValid())
        return false;
    for (const char32_t c : text.toUcs4()) {
        if (!raw.supportsCharacter(static_cast<uint>(c)))
            return false;
    }
    return true;
}

/// Whether some installed font can show every character of the text.
bool anyFontHas(const QString& family, const QString& text) {
    QTextLayout layout(text, designFont(family));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return false;
    for (const QGlyphRun& run : runs) {
        const QList<quint32> glyphs = run.glyphIndexes();
        if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end())
            return false;
    }
    return true;
}

/// The glyph of the character in the font's own box (advance × ascent + descent), scaled evenly
/// into the design square and centred, so that the font's design decides its size and place.
QPainterPath glyphOutline(const QString& text, const QString& family) {
    const QFont font = designFont(family);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText(0, metrics.ascent(), font, text);
    const qreal width = std::max<qreal>(metrics.horizontalAdvance(text), 1.0);
    const qreal height = std::max<qreal>(metrics.ascent() + metrics.descent(), 1.0);
    const qreal scale = SymbolPictures::DesignSize / std::max(width, height);
    QTransform t;
    t.translate((SymbolPictures::DesignSize - width * scale) / 2, (SymbolPictures::DesignSize - height * scale) / 2);
    t.scale(scale, scale);
    return t.map(path);
}

QPainterPath circleOutline(qreal width) {
    QPainterPath circle;
    circle.addEllipse(QPointF(8, 8), 7.3, 7.3);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    return stroker.createStroke(circle);
}

} // namespace

QPainterPath fittedText(const QString& text, const QString& family, const QRectF& box, bool italic) {
    const QFont font = designFont(family, italic);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return {};
    // A flat sign (minus, equals) keeps its proportions: the box's height takes at least a capital.
    const qreal reference = std::max(bounds.height(), QFontMetricsF(font).capHeight());
    const qreal sy = box.height() / reference;
    const qreal sx = std::min(sy, box.width() / bounds.width());
    QTransform t;
    t.translate(box.center().x() - bounds.center().x() * sx, box.center().y() - bounds.center().y() * sy);
    t.scale(sx, sy);
    return t.map(path);
}

SymbolPictures::SymbolPictures(QString printFamily) : m_family(std::move(printFamily)) {}

SymbolPictures::Picture SymbolPictures::build(const SymbolDefinition& d) const {
    Picture picture;
    const QString character = qtText(d.character);
    const QString text = qtText(d.text);
    if (d.form == SymbolForm::Drawing) {
        picture.paths = symbolMarkOutlines(d.mark, m_family);
        picture.source = SymbolSource::Drawn;
        return picture;
    }
    if (!character.isEmpty() && printFontHas(m_family, character)) {
        picture.paths.push_back(glyphOutline(character, m_family));
        picture.source = SymbolSource::PrintFontGlyph;
        return picture;
    }
    picture.source = SymbolSource::Composed;
    switch (d.form) {
    case SymbolForm::Circled: {
        picture.paths.push_back(circleOutline(1.1));
        const qreal width = text.size() > 1 ? 10.4 : 8.5;
        picture.paths.push_back(fittedText(text, m_family, QRectF(8 - width / 2, 4.0, width, 8.0)));
        break;
    }
    case SymbolForm::NegativeCircled: {
        // The digits are cut out of the disc: the text's outlines inside the disc make holes.
        QPainterPath disc;
        disc.addEllipse(QPointF(8, 8), 7.8, 7.8);
        const qreal width = text.size() > 1 ? 10.4 : 8.5;
        disc.addPath(fittedText(text, m_family, QRectF(8 - width / 2, 4.0, width, 8.0)));
        disc.setFillRule(Qt::OddEvenFill);
        picture.paths.push_back(disc);
        break;
    }
    case SymbolForm::Parenthesized:
        picture.paths.push_back(fittedText(QLatin1Char('(') + text + QLatin1Char(')'), m_family,
                                           QRectF(0.5, 1.0, 15.0, 14.0)));
        break;
    case SymbolForm::Squeezed:
        picture.paths.push_back(fittedText(text, m_family, QRectF(0.5, 3.0, 15.0, 10.0)));
        break;
    case SymbolForm::Raised:
        picture.paths.push_back(fittedText(text, m_family, QRectF(4.0, 0.5, 8.0, 7.5)));
        break;
    case SymbolForm::Lowered:
        picture.paths.push_back(fittedText(text, m_family, QRectF(4.0, 8.0, 8.0, 7.5)));
        break;
    case SymbolForm::Script:
        if (!character.isEmpty() && anyFontHas(m_family, character)) {
            picture.paths.push_back(glyphOutline(character, m_family));
            picture.source = SymbolSource::FallbackGlyph;
        } else {
            picture.paths.push_back(fittedText(text, m_family, QRectF(2.0, 1.5, 12.0, 13.0), true));
        }
        break;
    case SymbolForm::Drawing:
        break;
    }
    return picture;
}

const SymbolPictures::Picture& SymbolPictures::picture(model::CharCode code) const {
    const auto cached = m_pictures.find(code);
    if (cached != m_pictures.end())
        return cached->second;
    const SymbolDefinition* definition = findSymbol(code);
    Picture made = definition != nullptr ? build(*definition) : Picture{};
    return m_pictures.emplace(code, std::move(made)).first->second;
}

SymbolSource SymbolPictures::source(model::CharCode code) const {
    return picture(code).source;
}

const std::vector<QPainterPath>& SymbolPictures::outlines(model::CharCode code) const {
    return picture(code).paths;
}

void SymbolPictures::paint(QPainter& painter, const QRectF& cell, model::CharCode code, const QColor& ink,
                           bool turned) const {
    const Picture& p = picture(code);
    if (p.paths.empty() || cell.width() <= 0 || cell.height() <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(cell.topLeft());
    if (turned) {
        // A quarter turn counter-clockwise: the design's top edge ends at the cell's left.
        painter.translate(0, cell.height());
        painter.rotate(-90);
        painter.scale(cell.height() / DesignSize, cell.width() / DesignSize);
    } else {
        painter.scale(cell.width() / DesignSize, cell.height() / DesignSize);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const QPainterPath& path : p.paths)
        painter.drawPath(path);
    painter.restore();
}

QImage SymbolPictures::image(model::CharCode code, QSize size, const QColor& ink, const QColor& background) const {
    QImage out(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    out.fill(background);
    QPainter painter(&out);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(out.size())), code, ink);
    return out;
}

} // namespace qx::render
