#include "ui/dialogs/preview/PreviewArea.h"

#include "ui/dialogs/preview/PreviewDlg.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

namespace qx::ui {

CPreviewArea::CPreviewArea(CPreviewDlg& dialog) : QFrame(&dialog), m_dialog(dialog) {
    setObjectName(QStringLiteral("imageArea"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPreviewArea::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
    m_dialog.paintArea(painter);
}

void CPreviewArea::mousePressEvent(QMouseEvent* event) {
    if (!m_dialog.zoomAtPointMode()) {
        QFrame::mousePressEvent(event);
        return;
    }
    m_dialog.pressInZoomMode(event->globalPosition().toPoint(), event->button());
    event->accept();
}

void CPreviewArea::wheelEvent(QWheelEvent* event) { m_dialog.wheelOnArea(event); }

QCursor previewZoomCursor() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // A white rim under the black lines keeps the cursor visible on the black of reversed pieces.
    for (const auto& [colour, width] : {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 1.6}}) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(11, 11), 8, 8);
        p.drawLine(QPointF(17, 17), QPointF(27, 27));
        p.drawLine(QPointF(7, 11), QPointF(15, 11));
        p.drawLine(QPointF(11, 7), QPointF(11, 15));
    }
    p.setPen(QPen(Qt::black, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.5, 18.5), QPointF(27, 27));
    p.end();
    return QCursor(picture, 11, 11);
}

} // namespace qx::ui
