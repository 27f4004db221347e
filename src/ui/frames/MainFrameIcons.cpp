#include "ui/frames/MainFrameIcons.h"

#include "ui/CommandIds.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace qx::ui {

namespace {

// Every button is drawn on a 16 × 16 grid and scaled, so the shapes stay crisp at 16 pixels.
const QColor Ink(40, 40, 40);
const QColor Paper(255, 255, 255);
const QColor Accent(30, 100, 190);
const QColor Warm(215, 120, 30);

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setBrush(Paper);
    p.drawPath(path);
}

void arrow(QPainter& p, bool pointsLeft) {
    QPainterPath path;
    if (pointsLeft) {
        path.moveTo(12.5, 12);
        path.cubicTo(13.5, 6, 9, 4, 4.5, 6);
    } else {
        path.moveTo(3.5, 12);
        path.cubicTo(2.5, 6, 7, 4, 11.5, 6);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Accent, 1.6));
    p.drawPath(path);
    p.setBrush(Accent);
    p.setPen(Qt::NoPen);
    QPolygonF head;
    if (pointsLeft) {
        head << QPointF(2, 6.5) << QPointF(6.5, 3) << QPointF(6.5, 9.5);
    } else {
        head << QPointF(14, 6.5) << QPointF(9.5, 3) << QPointF(9.5, 9.5);
    }
    p.drawPolygon(head);
}

void printer(QPainter& p) {
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(190, 190, 190));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

/// A magnifier: the lens at the upper left, the handle towards the lower right.
void magnifier(QPainter& p) {
    p.setBrush(Paper);
    p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
    p.setPen(QPen(Ink, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.setPen(QPen(Accent, 1.6));
}

/// A strip of three pieces across the button.
void strip(QPainter& p, const QRectF& r) {
    p.setBrush(Paper);
    p.setPen(QPen(Ink, 1));
    p.drawRect(r);
    const double third = r.width() / 3;
    p.drawLine(QPointF(r.left() + third, r.top()), QPointF(r.left() + third, r.bottom()));
    p.drawLine(QPointF(r.left() + 2 * third, r.top()), QPointF(r.left() + 2 * third, r.bottom()));
}

void text(QPainter& p, const QRectF& r, const QString& s, int pixelSize, const QColor& colour) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, s);
}

void drawCommand(QPainter& p, int command) {
    p.setPen(QPen(Ink, 1));
    switch (command) {
    case Command::FileNew:
        page(p, QRectF(3.5, 1.5, 9, 13));
        break;
    case Command::FileOpen:
        p.setBrush(QColor(240, 200, 90));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.setBrush(QColor(250, 225, 130));
        p.drawPolygon(QPolygonF() << QPointF(3.5, 7.5) << QPointF(15, 7.5) << QPointF(13, 13.5)
                                  << QPointF(1.5, 13.5));
        break;
    case Command::FileSave:
        p.setBrush(Accent);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(210, 210, 210));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case Command::Send:
        printer(p);
        p.setPen(QPen(Warm, 2));
        p.drawLine(QPointF(8, 0.5), QPointF(8, 5));
        break;
    case Command::FilePrint:
        printer(p);
        break;
    case Command::WholeImage:
        p.setBrush(Paper);
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.setPen(QPen(Ink, 2.2));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
        break;
    case Command::ZoomIn:
        magnifier(p);
        p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
        p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
        break;
    case Command::ZoomOut:
        magnifier(p);
        p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
        break;
    case Command::ZoomAtPoint:
        magnifier(p);
        p.setBrush(Accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(6.5, 6.5), 1.8, 1.8);
        break;
    case Command::FitLength:
        strip(p, QRectF(1.5, 5.5, 13, 5));
        p.setPen(QPen(Accent, 1.2));
        p.drawLine(QPointF(1, 13.5), QPointF(15, 13.5));
        p.drawLine(QPointF(1, 12), QPointF(1, 15));
        p.drawLine(QPointF(15, 12), QPointF(15, 15));
        break;
    case Command::FitHeight:
        strip(p, QRectF(4.5, 2.5, 10.5, 11));
        p.setPen(QPen(Accent, 1.2));
        p.drawLine(QPointF(2, 2.5), QPointF(2, 13.5));
        p.drawLine(QPointF(0.5, 2.5), QPointF(3.5, 2.5));
        p.drawLine(QPointF(0.5, 13.5), QPointF(3.5, 13.5));
        break;
    case Command::Undo:
        arrow(p, true);
        break;
    case Command::Redo:
        arrow(p, false);
        break;
    case Command::Cut:
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(2, 10, 4.5, 4.5));
        p.drawEllipse(QRectF(9.5, 10, 4.5, 4.5));
        p.setPen(QPen(Ink, 1.4));
        p.drawLine(QPointF(5.5, 10.5), QPointF(11, 1.5));
        p.drawLine(QPointF(10.5, 10.5), QPointF(5, 1.5));
        break;
    case Command::Copy:
        page(p, QRectF(1.5, 1.5, 8, 10));
        page(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case Command::Paste:
        p.setBrush(QColor(190, 140, 80));
        p.drawRect(QRectF(2.5, 2.5, 11, 12));
        p.setBrush(QColor(160, 160, 160));
        p.drawRect(QRectF(5.5, 1.5, 5, 3));
        page(p, QRectF(6.5, 6.5, 8, 8.5));
        break;
    case Command::FormatPaste:
        p.setBrush(Warm);
        p.drawRect(QRectF(2.5, 1.5, 11, 5));
        p.setBrush(Ink);
        p.drawRect(QRectF(7, 6.5, 2, 8));
        break;
    case Command::Sequence:
        text(p, QRectF(0, 0, 16, 16), QStringLiteral("12"), 10, Accent);
        break;
    case Command::Frame:
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Ink, 1.4));
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        text(p, QRectF(1.5, 3.5, 13, 9), QStringLiteral("A"), 8, Accent);
        break;
    case Command::Symbol:
        p.setBrush(Warm);
        p.setPen(QPen(Ink, 1));
        p.drawPolygon(QPolygonF() << QPointF(8, 1.5) << QPointF(10, 6) << QPointF(14.5, 6.5) << QPointF(11, 9.5)
                                  << QPointF(12, 14.5) << QPointF(8, 12) << QPointF(4, 14.5) << QPointF(5, 9.5)
                                  << QPointF(1.5, 6.5) << QPointF(6, 6));
        break;
    case Command::PitchSort:
        p.setBrush(Accent);
        p.drawRect(QRectF(1.5, 2.5, 13, 2.5));
        p.drawRect(QRectF(1.5, 7, 9, 2.5));
        p.drawRect(QRectF(1.5, 11.5, 5, 2.5));
        break;
    default:
        break;
    }
}

bool hasButton(int command) {
    switch (command) {
    case Command::FileNew:
    case Command::FileOpen:
    case Command::FileSave:
    case Command::Send:
    case Command::FilePrint:
    case Command::WholeImage:
    case Command::Undo:
    case Command::Redo:
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
    case Command::FormatPaste:
    case Command::Sequence:
    case Command::Frame:
    case Command::Symbol:
    case Command::PitchSort:
    case Command::ZoomIn:
    case Command::ZoomOut:
    case Command::ZoomAtPoint:
    case Command::FitLength:
    case Command::FitHeight:
        return true;
    default:
        return false;
    }
}

} // namespace

QImage renderCommandIcon(int command, int size) {
    if (!hasButton(command) || size <= 0) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    drawCommand(p, command);
    return image;
}

QIcon commandIcon(int command) {
    if (!hasButton(command)) {
        return {};
    }
    QIcon icon;
    for (const int size : {16, 24, 32}) {
        icon.addPixmap(QPixmap::fromImage(renderCommandIcon(command, size)));
    }
    return icon;
}

QImage renderApplicationIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    // A short length of tube lying across, its printed mark on it.
    QLinearGradient tube(0, 8, 0, 24);
    tube.setColorAt(0, QColor(250, 250, 245));
    tube.setColorAt(0.5, QColor(225, 225, 215));
    tube.setColorAt(1, QColor(170, 170, 160));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(tube);
    p.drawRoundedRect(QRectF(2.5, 8.5, 27, 15), 4, 4);
    text(p, QRectF(2.5, 8.5, 27, 15), QStringLiteral("QX"), 11, Accent);
    p.setPen(QPen(Warm, 1.5, Qt::DashLine));
    p.drawLine(QPointF(16, 4), QPointF(16, 8));
    p.drawLine(QPointF(16, 24), QPointF(16, 28));
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addPixmap(QPixmap::fromImage(renderApplicationIcon(size)));
    }
    return icon;
}

} // namespace qx::ui
