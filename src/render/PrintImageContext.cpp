#include "PrintImageContext.h"

#include "PrintFont.h"
#include "SymbolPictures.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TargetKind.h"
#include "model/TextConversion.h"
#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/OutputValidation.h"
#include "output/PrintLengthLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qx::render {

using model::CharCode;
using model::EditBlock;
using model::EditLine;

namespace {

QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

/// The characters a line prints, sequence tokens expanded into the full-width characters of their
/// value for the piece. `nextToken` is the block-wide index of the line's first token.
std::vector<CharCode> printedCodes(const EditLine& line, const EditBlock& block, int piece, model::ModelType model,
                                   int& nextToken) {
    std::vector<CharCode> out;
    out.reserve(line.chars.size());
    const int bound = model::blockSequenceCount(block);
    for (const CharCode c : line.chars) {
        if (c != model::codes::SequenceMarker) {
            out.push_back(c);
            continue;
        }
        const int token = nextToken++;
        if (token >= bound)
            continue; // a marker without a definition prints nothing
        const model::tagSEQ_V900& def = block.sequence(token);
        for (const char ascii : model::formatSequenceValue(def, model::sequenceValueAt(def, piece), model)) {
            const CharCode wide = model::fullWidthCode(ascii);
            out.push_back(wide != 0 ? wide : model::codes::FullWidthBlank);
        }
    }
    return out;
}

int halfTowardZero(int v) {
    return v / 2;
}

} // namespace

int imageErrorTextId(ImageError error) {
    const int code = static_cast<int>(error);
    return 40094 + std::clamp(code, 0, 5);
}

int FitScale::operator()(int dots) const {
    if (num == den || den == 0)
        return dots;
    const long long product = static_cast<long long>(dots) * num;
    const long long magnitude = (std::llabs(product) * 2 + std::llabs(den)) / (2 * std::llabs(den));
    long long result = (product < 0) != (den < 0) ? -magnitude : magnitude;
    if (result == 0 && dots != 0)
        result = dots > 0 ? 1 : -1;
    return static_cast<int>(std::clamp<long long>(result, INT_MIN / 4, INT_MAX / 4));
}

FitScale fitScale(const QSize& target, const QSize& medium) {
    // One border pixel on each side stays free.
    const int width = std::max(target.width() - 2, 1);
    const int height = std::max(target.height() - 2, 1);
    const int mw = std::max(medium.width(), 1);
    const int mh = std::max(medium.height(), 1);
    if (static_cast<long long>(width) * mh < static_cast<long long>(height) * mw)
        return {width, mw};
    return {height, mh};
}

/// Dot offsets from an anchor on the surface, scaled.
struct CPrintImageContext::Mapping {
    QPoint anchor;
    FitScale scale;

    QRect rect(int dx, int dy, int w, int h) const {
        return {anchor.x() + scale(dx), anchor.y() + scale(dy), scale(w), scale(h)};
    }
};

CPrintImageContext::CPrintImageContext(const model::EditData& document, const model::Catalogue& catalogue,
                                       const model::OperatorSettings& settings, const SymbolPictures& symbols)
    : m_document(document), m_catalogue(catalogue), m_settings(settings), m_symbols(symbols) {}

ImageError CPrintImageContext::imageError(int block) const {
    if (output::characterBudget(m_catalogue, m_document, block) != output::OutputError::None)
        return ImageError::CharCountOver;
    int code = 0;
    if (m_document.target.isPrintLengthMode()) {
        code = m_document.printLengthCheck;
    } else {
        const std::vector<std::int32_t>& results = m_document.blockCheckResults.values;
        if (block >= 0 && block < static_cast<int>(results.size()))
            code = results[static_cast<std::size_t>(block)];
        else
            code = static_cast<int>(output::checkBlock(m_catalogue, m_settings, m_document, block));
    }
    return code >= 1 && code <= 5 ? static_cast<ImageError>(code) : ImageError::None;
}

EditBlock CPrintImageContext::resolvedBlock(int block, int piece) const {
    EditBlock copy = m_document.block(block);
    output::ResolveAutoCharSize(m_catalogue, m_document.target, copy, piece);
    return copy;
}

QSize CPrintImageContext::pitchMedium(const EditBlock& resolved, int piece) const {
    const model::TargetSettings& target = m_document.target;
    int width = model::tenthsToDotsRounded(resolved.pitch);
    if (target.pitchAuto == 1) {
        const int byDefault = model::tenthsToDotsRounded(model::defaultPitch(target, m_settings));
        width = std::max(byDefault, output::MeasureBlockWithMargins(m_catalogue, target, resolved, piece).length);
    }
    return {width, m_catalogue.mediumHeight(target)};
}

QSize CPrintImageContext::GetPieceSize(int block, int piece) const {
    if (m_document.target.isPrintLengthMode()) {
        const output::PrintLengthLayout layout = output::layoutPrintLength(m_catalogue, m_document, piece);
        return {layout.mediumWidth, layout.mediumHeight};
    }
    if (block < 0 || block >= model::MaxBlocks)
        return {};
    return pitchMedium(resolvedBlock(block, piece), piece);
}

void CPrintImageContext::DrawBlockImage(QPainter& painter, int block, int piece, const QRect& target) const {
    if (block < 0 || block >= model::MaxBlocks)
        return;
    const ImageError error = imageError(block);
    if (error != ImageError::None) {
        if (m_mediumPass != MediumPass::FillOnly)
            drawErrorText(painter, error, target);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (m_document.target.isPrintLengthMode())
        drawPrintLength(painter, piece, target);
    else
        drawPitchBlock(painter, block, piece, target);
    painter.restore();
}

void CPrintImageContext::drawPitchBlock(QPainter& painter, int blockIndex, int piece, const QRect& target) const {
    const model::TargetSettings& settings = m_document.target;
    const EditBlock block = resolvedBlock(blockIndex, piece);
    const QSize medium = pitchMedium(block, piece);
    const output::BlockExtent extent = output::MeasureBlock(m_catalogue, settings, block, piece);
    const int tw = extent.length;
    const int th = extent.height;

    Mapping map;
    QRect mediumRect;
    if (m_fitToRect) {
        map.scale = fitScale(target.size(), medium);
        const QSize scaledMedium(map.scale(medium.width()), map.scale(medium.height()));
        mediumRect = QRect(target.left() + (target.width() - scaledMedium.width()) / 2,
                           target.top() + (target.height() - scaledMedium.height()) / 2, scaledMedium.width(),
                           scaledMedium.height());
        map.anchor = QPoint(target.left() + (target.width() - map.scale(tw)) / 2,
                            target.top() + (target.height() - map.scale(th)) / 2);
    } else {
        mediumRect = QRect(halfTowardZero(-medium.width()), halfTowardZero(-medium.height()), medium.width(),
                           medium.height());
        map.anchor = QPoint(halfTowardZero(-tw), halfTowardZero(-th));
    }
    drawOutline(painter, mediumRect, map.scale(1));
    if (m_mediumPass == MediumPass::FillOnly || !output::blockHasText(block))
        return;

    const int frame = settings.frame;
    if (frame != 0) {
        const int grow = frame * 2;
        painter.fillRect(map.rect(-grow - 2, -grow - 2, tw + 2 * grow + 4, th + 2 * grow + 4), m_colours.text);
        painter.fillRect(map.rect(-grow, -grow, tw + 2 * grow, th + 2 * grow), m_colours.window);
    }
    const bool reversed = block.reverse != 0;
    const bool alongPiece = output::linesRunAlongPiece(settings);
    const bool tube = model::isTube(settings.targetKind);
    const bool vertical = settings.direction == 1;
    if (block.underline != 0 && frame == 0 && !reversed) {
        if (alongPiece) {
            painter.fillRect(map.rect(tw, 0, 2, th), m_colours.text);
            map.anchor.rx() -= map.scale(2);
        } else if (vertical && tube) {
            painter.fillRect(map.rect(0, -2, tw, 2), m_colours.text);
            map.anchor.ry() += map.scale(2);
        } else {
            painter.fillRect(map.rect(0, th, tw, 2), m_colours.text);
            map.anchor.ry() -= map.scale(2);
        }
    }
    // A reversed block is the inverse picture: the area grown by 2 dots in the text colour and the
    // characters in the medium's colour. Only text and background lie inside it, so this is
    // exactly what inverting gives, on every surface (PDF included).
    QColor ink = m_colours.text;
    if (reversed) {
        painter.fillRect(map.rect(-2, -2, tw + 4, th + 4), m_colours.text);
        ink = m_colours.window;
    }
    if (alongPiece)
        drawLinesAlongPiece(painter, map, block, piece, th, ink);
    else
        drawLines(painter, map, block, piece, tw, th, 1, ink);
}

void CPrintImageContext::drawLines(QPainter& painter, const Mapping& map, const EditBlock& block, int piece,
                                   int boxWidth, int /*boxHeight*/, int placement, const QColor& ink) const {
    const model::TargetSettings& settings = m_document.target;
    const bool turned = settings.direction == 1;
    const int lines = output::usedLineCount(block);
    int token = 0;
    int top = 0;
    for (int l = 0; l < lines; ++l) {
        const EditLine& line = block.lines[static_cast<std::size_t>(l)];
        const model::GlyphCell cell = m_catalogue.glyphCell(settings, line);
        const model::Spacing gaps = m_catalogue.spacing(settings, line);
        const std::vector<CharCode> codes = printedCodes(line, block, piece, m_catalogue.model(), token);
        const int n = static_cast<int>(codes.size());
        const int width = n > 0 ? n * cell.width + (n - 1) * gaps.charGap : 0;
        int x = 0;
        if (placement == 1)
            x = (boxWidth - width) / 2;
        else if (placement == 2)
            x = boxWidth - width;
        const int scaledHeight = map.scale(cell.height);
        const int scaledWidth = map.scale(cell.width);
        for (const CharCode code : codes) {
            const QRect r(map.anchor.x() + map.scale(x), map.anchor.y() + map.scale(top), scaledWidth, scaledHeight);
            drawCharacter(painter, r, code, turned, ink);
            x += cell.width + gaps.charGap;
        }
        top += cell.height + gaps.lineGap;
    }
}

void CPrintImageContext::drawLinesAlongPiece(QPainter& painter, const Mapping& map, const EditBlock& block, int piece,
                                             int textHeight, const QColor& ink) const {
    // Lines become columns from left to right; each reads upward from the bottom of the text.
    const model::TargetSettings& settings = m_document.target;
    const int lines = output::usedLineCount(block);
    int token = 0;
    int left = 0;
    for (int l = 0; l < lines; ++l) {
        const EditLine& line = block.lines[static_cast<std::size_t>(l)];
        const model::GlyphCell cell = m_catalogue.glyphCell(settings, line); // width across, height along
        const model::Spacing gaps = m_catalogue.spacing(settings, line);
        const std::vector<CharCode> codes = printedCodes(line, block, piece, m_catalogue.model(), token);
        const int n = static_cast<int>(codes.size());
        const int length = n > 0 ? n * cell.height + (n - 1) * gaps.charGap : 0;
        int bottom = textHeight - (textHeight - length) / 2;
        for (const CharCode code : codes) {
            const int y = bottom - cell.height;
            const QRect r(map.anchor.x() + map.scale(left), map.anchor.y() + map.scale(y), map.scale(cell.width),
                          map.scale(cell.height));
            drawCharacter(painter, r, code, true, ink);
            bottom -= cell.height + gaps.charGap;
        }
        left += cell.width + gaps.lineGap;
    }
}

void CPrintImageContext::drawCharacter(QPainter& painter, const QRect& cell, CharCode code, bool turned,
                                       const QColor& ink) const {
    if (cell.width() <= 0 || cell.height() <= 0)
        return;
    if (model::isSpecialCode(code)) {
        m_symbols.paint(painter, QRectF(cell), code, ink, turned);
        return;
    }
    const QString text = qtText(model::codesToUtf8(std::span<const CharCode>(&code, 1), false));
    if (text.isEmpty() || code == model::codes::FullWidthBlank)
        return;
    // The glyph upright: as high as the cell across the line and as wide as the cell along it.
    const int uprightHeight = turned ? cell.width() : cell.height();
    const int uprightWidth = turned ? cell.height() : cell.width();
    const QFont font = printFont(m_symbols.printFamily(), uprightHeight);
    const QFontMetricsF metrics(font);
    const qreal em = std::max<qreal>(font.pixelSize(), 1.0);
    painter.save();
    painter.translate(cell.topLeft());
    if (turned) {
        painter.translate(0, cell.height());
        painter.rotate(-90);
    }
    painter.scale(uprightWidth / em, 1.0);
    painter.setFont(font);
    painter.setPen(ink);
    const qreal baseline = (uprightHeight - (metrics.ascent() + metrics.descent())) / 2 + metrics.ascent();
    painter.drawText(QPointF(0, baseline), text);
    painter.restore();
}

void CPrintImageContext::drawOutline(QPainter& painter, const QRect& medium, int scaledOne) const {
    const int kind = m_document.target.targetKind;
    const QRect outline = medium.adjusted(-scaledOne, -scaledOne, scaledOne, scaledOne);
    const int left = outline.left();
    const int top = outline.top();
    // The last column and row inside the outline rectangle carry its right and bottom edges.
    const int right = outline.left() + outline.width() - 1;
    const int bottom = outline.top() + outline.height() - 1;
    QPen pen(m_colours.text);
    pen.setWidth(0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    const bool shaped = m_shapedOutline && (model::isLabel(kind) || model::isTube(kind));
    if (shaped && m_mediumPass == MediumPass::FillOnly)
        return;
    if (m_shapedOutline && model::isLabel(kind)) {
        const qreal corner = std::max(1, outline.width() / 8) / 2.0;
        painter.setBrush(m_colours.window);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawRoundedRect(QRectF(outline), corner, corner);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        return;
    }
    if (m_shapedOutline && model::isTube(kind)) {
        const qreal d = (bottom - top) / 4.0;
        QPainterPath right_end;
        right_end.moveTo(right, top);
        right_end.cubicTo(right - d, top + d, right - d, bottom - d, right, bottom);
        QPainterPath whole;
        whole.moveTo(left, top);
        whole.cubicTo(left + d, top, right - d, top, right, top);
        whole.cubicTo(right - d, top + d, right - d, bottom - d, right, bottom);
        whole.cubicTo(right - d, bottom, left + d, bottom, left, bottom);
        whole.cubicTo(left - d, bottom - d, left - d, top + d, left, top);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.fillPath(whole, m_colours.window);
        if (m_outlineStyle == OutlineStyle::Joined) {
            painter.drawLine(QPointF(left - 1, top), QPointF(right, top));
            painter.drawPath(right_end);
            painter.drawLine(QPointF(left - 1, bottom), QPointF(right, bottom));
        } else {
            painter.drawPath(whole);
        }
        painter.setRenderHint(QPainter::Antialiasing, false);
        return;
    }
    if (m_mediumPass != MediumPass::OverFill)
        painter.fillRect(outline, m_colours.window);
    if (m_mediumPass == MediumPass::FillOnly)
        return;
    switch (m_outlineStyle) {
    case OutlineStyle::Piece:
        painter.drawLine(left, top, right, top);
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(right, bottom, left, bottom);
        painter.drawLine(left, bottom, left, top);
        break;
    case OutlineStyle::Joined:
        painter.drawLine(left - 1, top, right, top);
        painter.drawLine(right, top, right, bottom);
        painter.drawLine(left - 1, bottom, right, bottom);
        break;
    default:
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(left, top, right - left, bottom - top));
        break;
    }
}

void CPrintImageContext::drawPrintLength(QPainter& painter, int piece, const QRect& target) const {
    const model::TargetSettings& settings = m_document.target;
    const output::PrintLengthLayout layout = output::layoutPrintLength(m_catalogue, m_document, piece);
    const QSize medium(layout.mediumWidth, layout.mediumHeight);
    Mapping map;
    QRect mediumRect;
    if (m_fitToRect) {
        map.scale = fitScale(target.size(), medium);
        const QSize scaled(map.scale(medium.width()), map.scale(medium.height()));
        mediumRect = QRect(target.left() + (target.width() - scaled.width()) / 2,
                           target.top() + (target.height() - scaled.height()) / 2, scaled.width(), scaled.height());
    } else {
        mediumRect = QRect(halfTowardZero(-medium.width()), halfTowardZero(-medium.height()), medium.width(),
                           medium.height());
    }
    map.anchor = mediumRect.topLeft();
    drawOutline(painter, mediumRect, map.scale(1));
    if (m_mediumPass == MediumPass::FillOnly || layout.blocks.empty())
        return;

    const int leftMargin = model::tenthsToDotsRounded(settings.leftMargin * 10);
    const int rightMargin = model::tenthsToDotsRounded(settings.rightMargin * 10);
    int framedLeft = leftMargin;
    if (settings.placement == 1)
        framedLeft = (layout.mediumWidth - layout.framedWidth - rightMargin - leftMargin) / 2 + leftMargin;
    else if (settings.placement == 2)
        framedLeft = layout.mediumWidth - layout.framedWidth - rightMargin;
    const int framedTop = (layout.mediumHeight - layout.framedHeight) / 2;
    int textLeft = framedLeft;
    const int textTop = framedTop + (layout.framedHeight - layout.textHeight) / 2;
    const int f = settings.frame;
    if (f != 0) {
        textLeft += layout.blocks.front().reverse != 0 ? 2 * f : 2 * f + 2;
        painter.fillRect(map.rect(framedLeft, framedTop, layout.framedWidth, layout.framedHeight), m_colours.text);
        painter.fillRect(map.rect(framedLeft + 2, framedTop + 2, layout.framedWidth - 4, layout.framedHeight - 4),
                         m_colours.window);
    }
    const bool vertical = settings.direction == 1;
    int x = textLeft;
    for (std::size_t b = 0; b < layout.blocks.size(); ++b) {
        const EditBlock& block = layout.blocks[b];
        const output::BlockExtent& e = layout.extents[b];
        const bool reversed = block.reverse != 0;
        const bool hasText = output::blockHasText(block);
        const int width = hasText ? e.length : 0;
        if (reversed && hasText)
            x += 2;
        const int top = textTop + (layout.textHeight - e.height) / 2;
        QColor ink = m_colours.text;
        if (reversed && hasText) {
            painter.fillRect(map.rect(x - 2, top, width + 4, e.height), m_colours.text);
            ink = m_colours.window;
        } else if (block.underline != 0 && f == 0 && hasText) {
            painter.fillRect(map.rect(x, vertical ? top - 4 : top + e.height + 2, width, 2), m_colours.text);
        }
        Mapping boxMap = map;
        boxMap.anchor = QPoint(map.anchor.x() + map.scale(x), map.anchor.y() + map.scale(top));
        drawLines(painter, boxMap, block, piece, width, e.height, std::clamp<int>(settings.placement, 0, 2), ink);
        x += width + (reversed && hasText ? 2 : 0) + layout.gap;
    }
}

void CPrintImageContext::drawErrorText(QPainter& painter, ImageError error, const QRect& target) const {
    const QString text = qtText(model::messageText(imageErrorTextId(error)));
    if (target.width() <= 0 || target.height() <= 0)
        return;
    // The largest font whose extent is smaller than the rectangle both ways.
    const auto fits = [&](int size) {
        const QFontMetrics metrics(printFont(m_symbols.printFamily(), size));
        return metrics.height() < target.height() && metrics.horizontalAdvance(text) < target.width();
    };
    int lo = 1;
    int hi = target.height();
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (fits(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    painter.save();
    painter.setFont(printFont(m_symbols.printFamily(), lo));
    painter.setPen(m_colours.text);
    painter.drawText(target, Qt::AlignCenter | Qt::TextSingleLine, text);
    painter.restore();
}

} // namespace qx::render
