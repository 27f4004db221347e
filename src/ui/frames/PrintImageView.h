#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

namespace qx::render {
class SymbolPictures;
}

namespace qx::ui {

class EditDocument;

/// The document window's lower pane: what the printer prints for the block under the grid's
/// focus (its first piece), scaled to fit the pane. Nothing is cached: every paint draws anew from
/// the document, so any change notification only needs a repaint.
class CPrintImageView final : public QWidget {
    Q_OBJECT

public:
    CPrintImageView(EditDocument& document, QWidget* parent = nullptr);
    ~CPrintImageView() override;

    /// The block drawn (0-based).
    [[nodiscard]] int block() const { return m_block; }
    void setBlock(int block);

    /// The pane's picture at `size` pixels, as paintEvent draws it.
    [[nodiscard]] QImage picture(const QSize& size) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void draw(QPainter& painter, const QRect& area) const;

    EditDocument& m_document;
    /// Only when the run has no pictures to share.
    std::unique_ptr<render::SymbolPictures> m_ownSymbols;
    const render::SymbolPictures* m_symbols;
    int m_block = 0;
};

} // namespace qx::ui
