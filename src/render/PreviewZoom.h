#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <array>

namespace qx::render {

namespace ZoomMode {
inline constexpr int Fixed = 0;
inline constexpr int FitHeight = 2;
inline constexpr int FitLength = 3;
} // namespace ZoomMode

inline constexpr std::array<int, 7> ZoomLevels{25, 50, 100, 200, 400, 800, 1600};
inline constexpr int ScrollPage = 256;
inline constexpr int ScrollArrowStep = 20;

/// The zoom and scroll state of the whole-image strip and its mapping between strip dots and
/// pixels of the image area. A dot is drawn at 300 dpi times the zoom. Strip coordinates start at
/// the left end of the total length, which leaves half the largest piece height free at each end.
class CPreviewZoom final {
public:
    CPreviewZoom(long long totalLength, int totalHeight, QSize area, QPointF dpi);

    int mode() const { return m_mode; }
    double zoom() const { return m_zoom; }
    QSize area() const { return m_area; }
    QPoint scroll() const { return m_scroll; }

    int widthFit() const;
    int heightFit() const;

    /// The zoom of the current mode for the area (a fixed percentage stays).
    void recompute();
    /// A new area size: the fit modes fit it, each scroll position is kept within its new range.
    void resize(QSize area);

    void zoomIn();
    void zoomOut();
    void setLevel(int percent);
    void fitLength(); ///< 全体表示: the whole strip, centred
    void fitHeight(); ///< 高さ基準
    /// Zoom in (left click) or out at a point of the image area, which then lies at its centre.
    void zoomAtPoint(QPoint areaPoint, bool in);

    /// The strip point (dots) under a point of the image area.
    QPointF dotAt(QPointF areaPoint) const;
    /// The image-area point of a strip point.
    QPointF pointAt(QPointF dot) const;
    /// Pixels per dot.
    double scaleX() const;
    double scaleY() const;

    long long scaledLength() const;
    long long scaledHeight() const;
    /// Largest scroll positions (0 when the bar is disabled).
    int maxScrollX() const;
    int maxScrollY() const;
    bool scrollBarsEnabled() const { return m_zoom > 1.0; }
    void setScroll(QPoint position);
    void scrollBy(QPoint delta) { setScroll(m_scroll + delta); }
    /// Puts a strip point at the centre of the area.
    void centreOn(QPointF dot);
    QPointF centreDot() const;

private:
    void setZoomKeepingCentre(double zoom);

    long long m_totalLength;
    int m_totalHeight;
    QSize m_area;
    QPointF m_dpi;
    int m_mode = ZoomMode::FitLength;
    double m_zoom = 50.0;
    QPoint m_scroll;
};

} // namespace qx::render
