#include "ui/frames/MySplitterWnd.h"

#include <QMouseEvent>
#include <QSplitterHandle>

namespace qx::ui {

namespace {

/// A divider that remembers where a drag started, so that a click without a move is no drag.
class DragHandle final : public QSplitterHandle {
public:
    DragHandle(Qt::Orientation orientation, CMySplitterWnd* parent)
        : QSplitterHandle(orientation, parent), m_splitter(parent) {}

protected:
    void mousePressEvent(QMouseEvent* event) override {
        m_startSizes = m_splitter->sizes();
        QSplitterHandle::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QSplitterHandle::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton) {
            m_splitter->finishDrag(m_splitter->sizes() != m_startSizes);
        }
    }

private:
    CMySplitterWnd* m_splitter;
    QList<int> m_startSizes;
};

} // namespace

CMySplitterWnd::CMySplitterWnd(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent) {
    setChildrenCollapsible(false);
}

void CMySplitterWnd::finishDrag(bool moved) {
    if (moved) {
        emit dragAccepted();
    }
}

QSplitterHandle* CMySplitterWnd::createHandle() { return new DragHandle(orientation(), this); }

} // namespace qx::ui
