#include "ui/dialogs/symbol/SymbolPreview.h"

#include "render/PrintFont.h"
#include "render/SymbolPictures.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace qx::ui {

namespace {

/// The special code of a token "0xHHHH" (quotes included) starting at `at`, or 0.
model::CharCode tokenAt(const QString& text, qsizetype at) {
    constexpr qsizetype TokenLength = 8;
    if (at + TokenLength > text.size() || text[at] != u'"' || text[at + 1] != u'0' || text[at + 2] != u'x' ||
        text[at + TokenLength - 1] != u'"') {
        return 0;
    }
    bool ok = false;
    const uint value = QStringView(text).mid(at + 3, 4).toUInt(&ok, 16);
    return ok && model::isSpecialCode(static_cast<model::CharCode>(value)) ? static_cast<model::CharCode>(value) : 0;
}

} // namespace

std::vector<PreviewPiece> previewPieces(const QString& tokenForm) {
    std::vector<PreviewPiece> pieces;
    const auto addCharacter = [&](QChar c) {
        if (pieces.empty() || pieces.back().code != 0) {
            pieces.push_back({});
        }
        pieces.back().text += c;
    };
    for (qsizetype i = 0; i < tokenForm.size();) {
        if (tokenForm[i] == u'"') {
            if (const model::CharCode code = tokenAt(tokenForm, i)) {
                pieces.push_back({{}, code});
                i += 8;
                continue;
            }
            addCharacter(u'"');
            i += i + 1 < tokenForm.size() && tokenForm[i + 1] == u'"' ? 2 : 1;
            continue;
        }
        addCharacter(tokenForm[i]);
        ++i;
    }
    return pieces;
}

class CSymbolPreview::Canvas final : public QWidget {
public:
    explicit Canvas(CSymbolPreview& owner) : QWidget(&owner), m_owner(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_owner.paintCanvas(painter);
    }

private:
    CSymbolPreview& m_owner;
};

CSymbolPreview::CSymbolPreview(const render::SymbolPictures* pictures, QWidget* parent)
    : QWidget(parent),
      m_ownPictures(pictures == nullptr ? std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily())
                                        : nullptr),
      m_pictures(pictures != nullptr ? pictures : m_ownPictures.get()), m_canvas(new Canvas(*this)),
      m_scrollBar(new QScrollBar(Qt::Horizontal, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_canvas, 1);
    layout->addWidget(m_scrollBar);
    m_canvas->setObjectName(QStringLiteral("previewCanvas"));
    m_canvas->setMinimumHeight(DefaultCanvasHeight);
    m_scrollBar->setObjectName(QStringLiteral("previewScrollBar"));
    m_scrollBar->setSingleStep(ScrollStep);
    m_scrollBar->setRange(0, 0);
    // The bar is for the mouse: a keyboard stop on it would be invisible between the field and
    // the dialog's buttons.
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QScrollBar::valueChanged, m_canvas, [this] { m_canvas->update(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

CSymbolPreview::~CSymbolPreview() = default;

QSize CSymbolPreview::sizeHint() const {
    return {200, DefaultCanvasHeight + m_scrollBar->sizeHint().height()};
}

QSize CSymbolPreview::minimumSizeHint() const {
    return {40, DefaultCanvasHeight + m_scrollBar->sizeHint().height()};
}

void CSymbolPreview::setTokenText(const QString& tokenForm) {
    m_tokenText = tokenForm;
    m_pieces = previewPieces(tokenForm);
    refresh();
}

QFont CSymbolPreview::textFont() const {
    // The dialog's font, as high as the preview less a margin of two pixels above and below.
    QFont font = this->font();
    font.setPixelSize(std::max(1, m_canvas->height() - 4));
    return font;
}

int CSymbolPreview::drawingWidth() const {
    const QFontMetrics metrics(textFont());
    int width = 0;
    for (const PreviewPiece& piece : m_pieces) {
        width += piece.code != 0 ? PictureSize : metrics.horizontalAdvance(piece.text);
    }
    return width;
}

QImage CSymbolPreview::drawing(qreal ratio) const {
    const int height = std::max(1, m_canvas->height());
    const int width = std::max({1, drawingWidth(), m_canvas->width()});
    QImage image(QSize(width, height) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(palette().color(QPalette::Button));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = textFont();
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QFontMetrics metrics(font);
    const int textTop = (height - metrics.height()) / 2;
    const int pictureTop = (height - PictureSize) / 2;
    int x = 0;
    for (const PreviewPiece& piece : m_pieces) {
        if (piece.code != 0) {
            // A code without a picture leaves its place blank.
            m_pictures->paint(painter, QRectF(x, pictureTop, PictureSize, PictureSize), piece.code,
                              palette().color(QPalette::ButtonText));
            x += PictureSize;
            continue;
        }
        painter.drawText(x, textTop + metrics.ascent(), piece.text);
        x += metrics.horizontalAdvance(piece.text);
    }
    return image;
}

void CSymbolPreview::refresh() {
    m_cached = QImage();
    // The range is reset with every change; the position stays where it can.
    m_scrollBar->setRange(0, std::max(0, drawingWidth() - m_canvas->width()));
    m_scrollBar->setPageStep(std::max(1, m_canvas->width()));
    m_canvas->update();
}

void CSymbolPreview::paintCanvas(QPainter& painter) const {
    const qreal ratio = m_canvas->devicePixelRatioF();
    if (m_cached.isNull() || m_cached.devicePixelRatio() != ratio ||
        m_cached.height() != qRound(m_canvas->height() * ratio)) {
        m_cached = drawing(ratio);
    }
    painter.fillRect(m_canvas->rect(), palette().color(QPalette::Button));
    painter.drawImage(QPointF(-m_scrollBar->value(), 0), m_cached);
}

void CSymbolPreview::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refresh();
}

void CSymbolPreview::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        refresh();
    }
}

} // namespace qx::ui
