#include "ui/dialogs/import/PieceImage.h"

#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"
#include "ui/EditDocument.h"

#include <QPainter>

#include <algorithm>

namespace qx::ui {

CPieceImage::CPieceImage(const EditDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document),
      m_ownSymbols(document.context().symbolPictures == nullptr
                       ? std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily())
                       : nullptr),
      m_symbols(m_ownSymbols ? m_ownSymbols.get() : document.context().symbolPictures) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumHeight(60);
}

CPieceImage::~CPieceImage() = default;

void CPieceImage::setBlock(int block) {
    block = std::clamp(block, 0, model::MaxBlocks - 1);
    if (block != m_block) {
        m_block = block;
        update();
    }
}

void CPieceImage::paintEvent(QPaintEvent*) {
    // Drawn anew from the preview record on every paint: the dialog repaints after each change.
    QPainter painter(this);
    const EditorContext& context = m_document.context();
    const render::CPrintImageContext image(m_document.data(), context.catalogue, context.settings, *m_symbols);
    painter.fillRect(rect(), image.colours().workspace);
    image.DrawBlockImage(painter, m_block, 0, rect());
}

} // namespace qx::ui
