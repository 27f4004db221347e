#pragma once

#include <QSplitter>

namespace qx::ui {

/// The splitter of a document window: tells its frame when the operator has finished dragging a
/// divider to a new place, so that the frame can keep the pane ratios.
class CMySplitterWnd final : public QSplitter {
    Q_OBJECT

public:
    explicit CMySplitterWnd(Qt::Orientation orientation, QWidget* parent = nullptr);

    /// Called by the divider when a drag ends; emits dragAccepted when the divider moved.
    void finishDrag(bool moved);

signals:
    void dragAccepted();

protected:
    QSplitterHandle* createHandle() override;
};

} // namespace qx::ui
