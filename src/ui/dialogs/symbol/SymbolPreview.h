#pragma once

// The preview beside a symbol-capable field: the line as it will print, its ordinary characters as
// text and each symbol as its small picture, on the button face, with a horizontal scroll bar
// below when the line is wider than the preview.

#include "model/CharCode.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QScrollBar;

namespace qx::render {
class SymbolPictures;
}

namespace qx::ui {

/// One piece of a previewed line: a run of ordinary characters or one symbol.
struct PreviewPiece {
    QString text;            ///< the characters of a run (a doubled quote already single)
    model::CharCode code = 0; ///< the symbol of a token; 0 for a run
    friend bool operator==(const PreviewPiece&, const PreviewPiece&) = default;
};

/// A line in token form cut into runs and tokens; a quote that starts no token is a character.
std::vector<PreviewPiece> previewPieces(const QString& tokenForm);

class CSymbolPreview final : public QWidget {
    Q_OBJECT

public:
    /// `pictures` null: the preview makes its own.
    explicit CSymbolPreview(const render::SymbolPictures* pictures, QWidget* parent = nullptr);
    ~CSymbolPreview() override;

    /// The line to show, in token form; the drawing and the scroll range follow.
    void setTokenText(const QString& tokenForm);
    [[nodiscard]] const QString& tokenText() const { return m_tokenText; }

    [[nodiscard]] QScrollBar& scrollBar() const { return *m_scrollBar; }
    /// The drawing area (the preview control without its scroll bar).
    [[nodiscard]] QWidget& canvas() const { return *m_canvas; }
    /// The whole line drawn at the canvas height, in device-independent pixels at ratio `ratio`.
    [[nodiscard]] QImage drawing(qreal ratio = 1.0) const;
    /// The width of the whole line's drawing.
    [[nodiscard]] int drawingWidth() const;

    static constexpr int PictureSize = 16;
    static constexpr int ScrollStep = 20;
    static constexpr int DefaultCanvasHeight = 24;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Canvas;
    [[nodiscard]] QFont textFont() const;
    void refresh();
    void paintCanvas(QPainter& painter) const;

    std::unique_ptr<render::SymbolPictures> m_ownPictures;
    const render::SymbolPictures* m_pictures;
    QWidget* m_canvas;
    QScrollBar* m_scrollBar;
    QString m_tokenText;
    std::vector<PreviewPiece> m_pieces;
    mutable QImage m_cached;
};

} // namespace qx::ui
