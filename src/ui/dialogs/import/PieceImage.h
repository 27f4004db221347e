#pragma once

#include <QWidget>

#include <memory>

namespace qx::render {
class SymbolPictures;
} // namespace qx::render

namespace qx::ui {

class EditDocument;

/// The print image of one block of a document, fitted into the widget, as the document window's
/// print image pane draws it.
class CPieceImage final : public QWidget {
    Q_OBJECT

public:
    explicit CPieceImage(const EditDocument& document, QWidget* parent = nullptr);
    ~CPieceImage() override;

    void setBlock(int block);
    int block() const { return m_block; }

    QSize sizeHint() const override { return {360, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const EditDocument& m_document;
    std::unique_ptr<render::SymbolPictures> m_ownSymbols;
    const render::SymbolPictures* m_symbols;
    int m_block = 0;
};

} // namespace qx::ui
