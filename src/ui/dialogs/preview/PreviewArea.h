#pragma once

#include <QCursor>
#include <QFrame>

namespace qx::ui {

class CPreviewDlg;

/// The preview's image area: a one-pixel frame around the strip the dialog paints. While the
/// dialog zooms at a point it takes the presses and shows the zoom cursor.
class CPreviewArea final : public QFrame {
    Q_OBJECT

public:
    explicit CPreviewArea(CPreviewDlg& dialog);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    CPreviewDlg& m_dialog;
};

/// The magnifier cursor of zooming at a point; its hot spot is the lens's centre.
QCursor previewZoomCursor();

} // namespace qx::ui
