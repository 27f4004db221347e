#include "SplashWnd.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace qx::app {

namespace {

QFont pictureFont(int pixelSize, bool bold) {
    QFont font;
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP"}) {
        if (families.contains(QString::fromLatin1(family))) {
            font.setFamily(QString::fromLatin1(family));
            break;
        }
    }
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

/// A length of marking tube with printed blocks, the cut marks between them.
void drawTube(QPainter& p, const QRectF& tube) {
    QLinearGradient body(tube.topLeft(), tube.bottomLeft());
    body.setColorAt(0.0, QColor(255, 255, 250));
    body.setColorAt(0.45, QColor(236, 236, 228));
    body.setColorAt(1.0, QColor(170, 172, 166));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(body);
    p.drawRoundedRect(tube, tube.height() / 2, tube.height() / 2);

    const QStringList marks{QStringLiteral("A-001"), QStringLiteral("A-002"), QStringLiteral("A-003")};
    const qreal pitch = tube.width() / static_cast<qreal>(marks.size());
    p.setFont(pictureFont(static_cast<int>(tube.height() * 0.5), true));
    for (int i = 0; i < marks.size(); ++i) {
        const QRectF piece(tube.left() + static_cast<qreal>(i) * pitch, tube.top(), pitch, tube.height());
        p.setPen(QColor(25, 25, 25));
        p.drawText(piece, Qt::AlignCenter, marks[i]);
        if (i > 0) {
            p.setPen(QPen(QColor(90, 90, 90), 1.5, Qt::DashLine));
            p.drawLine(QPointF(piece.left(), tube.top() + 3), QPointF(piece.left(), tube.bottom() - 3));
        }
    }
}

} // namespace

CSplashWnd::CSplashWnd(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("splash"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::ArrowCursor);
    m_timer.setSingleShot(true);
    m_timer.setInterval(DisplayMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::hideSplash);
}

CSplashWnd::~CSplashWnd() {
    if (m_filtering) {
        qApp->removeEventFilter(this);
    }
}

QImage CSplashWnd::picture() {
    QImage image(PictureWidth, PictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient ground(0, 0, PictureWidth, PictureHeight);
    ground.setColorAt(0.0, QColor(16, 52, 104));
    ground.setColorAt(1.0, QColor(14, 120, 140));
    p.fillRect(image.rect(), ground);

    // A band of light behind the tube.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(QRectF(-80, 120, PictureWidth + 160, 120));

    drawTube(p, QRectF(40, 150, PictureWidth - 80, 56));

    p.setPen(QColor(255, 255, 255));
    p.setFont(pictureFont(34, true));
    p.drawText(QRectF(0, 40, PictureWidth, 50), Qt::AlignCenter, QStringLiteral("コルビンタ PCエディタ"));
    p.setFont(pictureFont(15, false));
    p.setPen(QColor(200, 225, 240));
    p.drawText(QRectF(0, 92, PictureWidth, 24), Qt::AlignCenter, QStringLiteral("QX series marking documents"));

    p.setPen(QColor(230, 240, 250));
    p.setFont(pictureFont(14, false));
    p.drawText(QRectF(24, PictureHeight - 56, PictureWidth - 48, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Version 1.80.00"));
    p.setFont(pictureFont(12, false));
    p.drawText(QRectF(24, PictureHeight - 34, PictureWidth - 48, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("© QX Editor developers"));

    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, PictureWidth - 2, PictureHeight - 2));
    return image;
}

bool CSplashWnd::showSplash() {
    m_picture = picture();
    if (m_picture.isNull()) {
        return false;
    }
    setFixedSize(m_picture.size());
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame(QPoint(0, 0), m_picture.size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
    qApp->installEventFilter(this);
    m_filtering = true;
    show();
    raise();
    repaint();
    m_timer.start();
    return true;
}

void CSplashWnd::hideSplash() {
    if (m_done) {
        return;
    }
    m_done = true;
    m_timer.stop();
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    hide();
    emit finished();
    deleteLater();
}

bool CSplashWnd::closesSplash(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    default:
        return false;
    }
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    if (!m_done) {
        if (event->type() == QEvent::ShortcutOverride) {
            // Claim the key so that no shortcut runs before the start-up: the press that follows
            // closes the splash.
            event->accept();
            return true;
        }
        if (closesSplash(event->type())) {
            hideSplash();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, m_picture);
}

} // namespace qx::app
