#include "PreviewZoom.h"

#include <algorithm>
#include <cmath>

namespace qx::render {

CPreviewZoom::CPreviewZoom(long long totalLength, int totalHeight, QSize area, QPointF dpi)
    : m_totalLength(std::max(totalLength, 1LL)), m_totalHeight(std::max(totalHeight, 1)), m_area(area),
      m_dpi(dpi.x() > 0 ? dpi.x() : 96.0, dpi.y() > 0 ? dpi.y() : 96.0) {
    recompute();
    centreOn(QPointF(static_cast<double>(m_totalLength) / 2.0, m_totalHeight / 2.0));
}

int CPreviewZoom::widthFit() const {
    const double fit = m_area.width() * 100.0 / (m_dpi.x() * static_cast<double>(m_totalLength) / 300.0);
    return std::max(1, static_cast<int>(fit));
}

int CPreviewZoom::heightFit() const {
    int fit = static_cast<int>(m_area.height() * 100.0 / (m_dpi.y() * m_totalHeight / 300.0));
    if (m_totalLength > 500000)
        fit = std::min(fit, 1600);
    return fit;
}

void CPreviewZoom::recompute() {
    if (m_mode == ZoomMode::FitHeight)
        m_zoom = 0.9 * heightFit();
    else if (m_mode == ZoomMode::FitLength)
        m_zoom = std::min(widthFit(), heightFit());
}

void CPreviewZoom::resize(QSize area) {
    m_area = area;
    recompute();
    setScroll(m_scroll);
}

double CPreviewZoom::scaleX() const {
    return std::floor(m_dpi.x() * m_zoom / 100.0 + 0.5) / 300.0;
}

double CPreviewZoom::scaleY() const {
    return std::floor(m_dpi.y() * m_zoom / 100.0 + 0.5) / 300.0;
}

long long CPreviewZoom::scaledLength() const {
    return static_cast<long long>(static_cast<double>(m_totalLength) * scaleX());
}

long long CPreviewZoom::scaledHeight() const {
    return static_cast<long long>(m_totalHeight * scaleY());
}

int CPreviewZoom::maxScrollX() const {
    if (!scrollBarsEnabled() || scaledLength() <= m_area.width())
        return 0;
    // Range 0 .. scaled length − width + page; the last position is the range's end − page + 1.
    return static_cast<int>(std::min<long long>(scaledLength() - m_area.width() + 1, 0x7FFFFFFF));
}

int CPreviewZoom::maxScrollY() const {
    if (!scrollBarsEnabled())
        return 0;
    return static_cast<int>(std::clamp<long long>(scaledHeight() - m_area.height(), 0, 0x7FFFFFFF));
}

void CPreviewZoom::setScroll(QPoint position) {
    m_scroll = QPoint(std::clamp(position.x(), 0, maxScrollX()), std::clamp(position.y(), 0, maxScrollY()));
}

QPointF CPreviewZoom::pointAt(QPointF dot) const {
    // A strip narrower than the area is centred in it.
    const double offsetX = scaledLength() < m_area.width() ? static_cast<double>(m_area.width() - scaledLength()) / 2.0 : 0.0;
    const double offsetY = scaledHeight() < m_area.height() ? static_cast<double>(m_area.height() - scaledHeight()) / 2.0 : 0.0;
    return {dot.x() * scaleX() - m_scroll.x() + offsetX, dot.y() * scaleY() - m_scroll.y() + offsetY};
}

QPointF CPreviewZoom::dotAt(QPointF p) const {
    const double offsetX = scaledLength() < m_area.width() ? static_cast<double>(m_area.width() - scaledLength()) / 2.0 : 0.0;
    const double offsetY = scaledHeight() < m_area.height() ? static_cast<double>(m_area.height() - scaledHeight()) / 2.0 : 0.0;
    const double sx = std::max(scaleX(), 1e-9);
    const double sy = std::max(scaleY(), 1e-9);
    return {(p.x() + m_scroll.x() - offsetX) / sx, (p.y() + m_scroll.y() - offsetY) / sy};
}

void CPreviewZoom::centreOn(QPointF dot) {
    setScroll(QPoint(static_cast<int>(std::max(0.0, dot.x() * scaleX() - m_area.width() / 2.0)),
                     static_cast<int>(std::max(0.0, dot.y() * scaleY() - m_area.height() / 2.0))));
}

QPointF CPreviewZoom::centreDot() const {
    return dotAt(QPointF(m_area.width() / 2.0, m_area.height() / 2.0));
}

void CPreviewZoom::setZoomKeepingCentre(double zoom) {
    const QPointF centre = centreDot();
    m_zoom = zoom;
    centreOn(centre);
}

void CPreviewZoom::zoomIn() {
    if (m_zoom >= 1600)
        return;
    const auto next = std::find_if(ZoomLevels.begin(), ZoomLevels.end(), [&](int l) { return l > m_zoom; });
    m_mode = ZoomMode::Fixed;
    setZoomKeepingCentre(*next);
}

void CPreviewZoom::zoomOut() {
    if (m_zoom <= 25)
        return;
    const auto below = std::find_if(ZoomLevels.rbegin(), ZoomLevels.rend(), [&](int l) { return l < m_zoom; });
    m_mode = ZoomMode::Fixed;
    setZoomKeepingCentre(*below);
}

void CPreviewZoom::setLevel(int percent) {
    m_mode = ZoomMode::Fixed;
    setZoomKeepingCentre(percent);
}

void CPreviewZoom::fitLength() {
    m_mode = ZoomMode::FitLength;
    recompute();
    centreOn(QPointF(static_cast<double>(m_totalLength) / 2.0, m_totalHeight / 2.0));
}

void CPreviewZoom::fitHeight() {
    const QPointF centre = centreDot();
    m_mode = ZoomMode::FitHeight;
    recompute();
    centreOn(centre);
}

void CPreviewZoom::zoomAtPoint(QPoint areaPoint, bool in) {
    const QPointF dot = dotAt(QPointF(areaPoint));
    const double before = m_zoom;
    if (in)
        zoomIn();
    else
        zoomOut();
    if (m_zoom != before)
        centreOn(dot);
}

} // namespace qx::render
