#include "ui/frames/PrintImageView.h"

#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "model/EditData.h"

#include <QPainter>

#include <algorithm>

namespace qx::ui {

CPrintImageView::CPrintImageView(EditDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document),
      m_ownSymbols(document.context().symbolPictures == nullptr
                       ? std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily())
                       : nullptr),
      m_symbols(m_ownSymbols ? m_ownSymbols.get() : document.context().symbolPictures) {
    setObjectName(QStringLiteral("printImagePane"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&document, &EditDocument::changed, this, [this] { update(); });
}

CPrintImageView::~CPrintImageView() = default;

void CPrintImageView::setBlock(int block) {
    // Rows past the last block are empty slots: they show an empty medium.
    block = std::clamp(block, 0, model::MaxBlocks - 1);
    if (block != m_block) {
        m_block = block;
        update();
    }
}

QImage CPrintImageView::picture(const QSize& size) const {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    draw(painter, QRect(QPoint(0, 0), size));
    return image;
}

void CPrintImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter, rect());
}

void CPrintImageView::draw(QPainter& painter, const QRect& area) const {
    const EditorContext& context = m_document.context();
    const render::CPrintImageContext image(m_document.data(), context.catalogue, context.settings, *m_symbols);
    painter.fillRect(area, image.colours().workspace);
    image.DrawBlockImage(painter, m_block, 0, area);
}

} // namespace qx::ui
