#pragma once

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputTestDocuments.h"
#include "output/OutputValidation.h"
#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"

#include <QImage>
#include <QPainter>

namespace qx::render::testing {

/// A document with its checks current, and what drawing it needs.
struct Fixture {
    explicit Fixture(model::ModelType model = model::models::QX950W3)
        : catalogue(model), settings(model::OperatorSettings::defaultsFor(catalogue)),
          data(output::testdocs::newDocument(catalogue, 0)), symbols(resolvePrintFontFamily()) {}

    void check() {
        output::ComputeBlockResults(data, catalogue, settings, 0, model::MaxBlocks);
        output::ComputeDocumentResult(data, catalogue);
    }
    CPrintImageContext context() const { return CPrintImageContext(data, catalogue, settings, symbols); }

    /// The piece drawn at one pixel per dot, unfitted, with `border` dots of white around the medium;
    /// the medium's left top is at (border, border).
    QImage draw(int block, int piece = 0, int border = 8) {
        check();
        CPrintImageContext image = context();
        image.setFitToRect(false);
        const QSize medium = image.GetPieceSize(block, piece);
        QImage out(medium.width() + 2 * border, medium.height() + 2 * border, QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        painter.translate(border + medium.width() / 2, border + medium.height() / 2);
        image.DrawBlockImage(painter, block, piece,
                             QRect(-medium.width() / 2, -medium.height() / 2, medium.width(), medium.height()));
        return out;
    }

    model::Catalogue catalogue;
    model::OperatorSettings settings;
    model::EditData data;
    SymbolPictures symbols;
};

inline bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 96;
}

/// The rectangle of all dark pixels; empty when none.
inline QRect inkBounds(const QImage& image, const QRect& within = {}) {
    const QRect area = within.isNull() ? image.rect() : within.intersected(image.rect());
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (dark(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace qx::render::testing
