#pragma once

#include <QEvent>
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace qx::app {

/// The product picture shown while the main window comes up. It goes after 2.5 s or at the first
/// key or mouse press anywhere in the program, which it swallows, and then says `finished` once:
/// the signal for the deferred start-up.
class CSplashWnd final : public QWidget {
    Q_OBJECT

public:
    static constexpr int PictureWidth = 532;
    static constexpr int PictureHeight = 328;
    static constexpr int DisplayMilliseconds = 2500;

    /// Owned by (and on top of) the main window.
    explicit CSplashWnd(QWidget* mainWindow);
    ~CSplashWnd() override;

    /// The splash picture, drawn for the editor.
    static QImage picture();

    /// Shows the picture centred on the screen and starts the timer; false when there is nothing
    /// to show (then nothing has changed and `finished` will not come).
    bool showSplash();

    /// Closes the splash (once) and says `finished`.
    void hideSplash();

    /// Whether an event of this type closes the splash and is swallowed: key presses and mouse
    /// button presses, in the client area or on a window's frame.
    static bool closesSplash(QEvent::Type type);

signals:
    void finished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QTimer m_timer;
    bool m_filtering = false;
    bool m_done = false;
};

} // namespace qx::app
