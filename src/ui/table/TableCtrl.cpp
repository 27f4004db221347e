#include "ui/table/TableCtrl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimerEvent>
#include <QWheelEvent>

#include <optional>

namespace qx::ui {

namespace {

std::optional<TableKey> navigationKey(int key) {
    switch (key) {
    case Qt::Key_Left:
        return TableKey::Left;
    case Qt::Key_Right:
        return TableKey::Right;
    case Qt::Key_Up:
        return TableKey::Up;
    case Qt::Key_Down:
        return TableKey::Down;
    case Qt::Key_Home:
        return TableKey::Home;
    case Qt::Key_End:
        return TableKey::End;
    case Qt::Key_PageUp:
        return TableKey::PageUp;
    case Qt::Key_PageDown:
        return TableKey::PageDown;
    case Qt::Key_F2:
        return TableKey::F2;
    default:
        return std::nullopt;
    }
}

/// The widget that takes an editor's keys: the end of its focus-proxy chain.
QWidget* keyTarget(QWidget* window) {
    while (window->focusProxy() != nullptr) {
        window = window->focusProxy();
    }
    return window;
}

} // namespace

CTableCtrl::CTableCtrl(QWidget* parent) : QWidget(parent) {
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_sizeBox = new QWidget(this);
    m_sizeBox->setEnabled(false);
    m_sizeBox->setAutoFillBackground(true);
    m_sizeBox->setBackgroundRole(QPalette::Button);
    for (QScrollBar* bar : {m_hBar, m_vBar}) {
        bar->setTracking(false);
        bar->setSingleStep(1);
        bar->setFocusPolicy(Qt::NoFocus);
        const bool horizontal = bar == m_hBar;
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [this, horizontal](int action) { onBarAction(horizontal, action); });
    }
    m_corner.attach(this, CTableHeaderComponent::kCorner);
    m_columnHeader.attach(this, CTableHeaderComponent::kColumnHeader);
    m_rowHeader.attach(this, CTableHeaderComponent::kRowHeader);
    m_cells.attach(this, 0);

    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(true);
    m_ctl.setObserver(this);
    updateMetrics();
}

CTableCtrl::~CTableCtrl() {
    m_ctl.setObserver(nullptr);
    // An owner destroys its members (the model and its editors) before its child windows, so
    // nothing is asked of them now; an editor window still open is a child of this grid and goes
    // while the grid can still ignore what it reports on its way out.
    m_closingEditor = true;
    m_editor = nullptr;
    delete m_editorWindow.data();
}

void CTableCtrl::updateMetrics() {
    const QFontMetrics metrics(font());
    TableMetrics sizes;
    sizes.rowHeaderWidth = metrics.horizontalAdvance(QStringLiteral("9999"));
    sizes.headerHeight = metrics.height() + 2;
    sizes.verticalBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_vBar);
    sizes.horizontalBarHeight = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_hBar);
    m_ctl.setMetrics(sizes);
}

void CTableCtrl::SetTableSize(int rows, int columns) {
    // The open editor's cell may not survive the new size: it is stored while it still exists.
    closeEditor();
    m_ctl.setTableSize(rows, columns);
}

void CTableCtrl::setColumnWidth(int column, int width) {
    m_ctl.setColumnWidth(column, width);
}

void CTableCtrl::setRowHeight(int row, int height) {
    m_ctl.setRowHeight(row, height);
}

void CTableCtrl::setDataModel(CTableDataModel* model) {
    closeEditor();
    m_model = model != nullptr ? model : &m_defaultModel;
    update();
}

void CTableCtrl::scrollHorizontal(ScrollRequest request, int thumb) {
    m_ctl.scrollHorizontal(request, thumb);
}

void CTableCtrl::scrollVertical(ScrollRequest request, int thumb) {
    m_ctl.scrollVertical(request, thumb);
}

TableColours CTableCtrl::colours() const {
    const QPalette& p = palette();
    return {p.color(QPalette::Base),       p.color(QPalette::Text),      p.color(QPalette::Button),
            p.color(QPalette::ButtonText), p.color(QPalette::Light),     p.color(QPalette::Dark),
            p.color(QPalette::Shadow),     p.color(QPalette::Highlight), p.color(QPalette::HighlightedText),
            p.color(QPalette::Mid)};
}

QFont CTableCtrl::headerFont(bool bold) const {
    QFont header = font();
    header.setPixelSize(std::max(m_ctl.metrics().horizontalBarHeight - 4, 1));
    header.setWeight(bold ? QFont::Bold : QFont::Normal);
    return header;
}

// --- observer ---------------------------------------------------------------------------------------

void CTableCtrl::tableSelectionChanged() {
    update();
    emit selectionChanged();
}

void CTableCtrl::tableFocusChanged() {
    // The focus cell is painted unlike the rest of the selection, so a focus move inside an
    // unchanged selection (a header press on a column already selected whole) shows too.
    update();
    // Posted: the owner reacts after the move that changed the focus has finished.
    QMetaObject::invokeMethod(
        this, [this] { emit focusCellChanged(); }, Qt::QueuedConnection);
}

void CTableCtrl::tableViewChanged() {
    syncBars();
    m_hBar->setGeometry(m_ctl.horizontalBarRect());
    m_vBar->setGeometry(m_ctl.verticalBarRect());
    m_sizeBox->setGeometry(m_ctl.sizeBoxRect());
    m_corner.setRect(m_ctl.cornerRect());
    m_columnHeader.setRect(m_ctl.columnHeaderRect());
    m_rowHeader.setRect(m_ctl.rowHeaderRect());
    m_cells.setRect(m_ctl.cellsRect());
    // The open editor follows scrolling; scrolled out of the cells it hides.
    if (m_editor != nullptr) {
        m_editor->setEditorRect(m_ctl.visibleCellRect(m_editCell));
    }
    update();
}

void CTableCtrl::tableRepaint() {
    update();
}

void CTableCtrl::syncBars() {
    const QSignalBlocker blockH(m_hBar);
    const QSignalBlocker blockV(m_vBar);
    m_hBar->setRange(0, m_ctl.columnCount() - 1);
    m_hBar->setPageStep(std::max(m_ctl.visibleColumns(), 1));
    m_hBar->setValue(m_ctl.firstColumn());
    m_vBar->setRange(0, m_ctl.rowCount() - 1);
    m_vBar->setPageStep(std::max(m_ctl.visibleRows(), 1));
    m_vBar->setValue(m_ctl.firstRow());
}

void CTableCtrl::onBarAction(bool horizontal, int action) {
    QScrollBar* bar = horizontal ? m_hBar : m_vBar;
    ScrollRequest request = ScrollRequest::ThumbTrack;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = ScrollRequest::LineBack;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = ScrollRequest::LineForward;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = ScrollRequest::PageBack;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = ScrollRequest::PageForward;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = ScrollRequest::ToStart;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = ScrollRequest::ToEnd;
        break;
    case QAbstractSlider::SliderMove:
        // While the thumb is dragged the view stays; it follows when the thumb is released.
        if (bar->isSliderDown()) {
            return;
        }
        request = ScrollRequest::ThumbPosition;
        break;
    default:
        return;
    }
    const int thumb = bar->sliderPosition();
    if (horizontal) {
        m_ctl.scrollHorizontal(request, thumb);
    } else {
        m_ctl.scrollVertical(request, thumb);
    }
    // The slider applies its own idea of the new position after this call; ours wins.
    const QSignalBlocker block(bar);
    bar->setSliderPosition(horizontal ? m_ctl.firstColumn() : m_ctl.firstRow());
}

// --- painting ---------------------------------------------------------------------------------------

void CTableCtrl::render(QPainter& painter) const {
    const TableColours colour = colours();
    const QSize client = m_ctl.clientSize();
    const TableMetrics& metrics = m_ctl.metrics();
    const std::initializer_list<const CTableComponent*> components{&m_corner, &m_columnHeader, &m_rowHeader,
                                                                   &m_cells};
    // The workspace shows only where no component paints (beyond the last row and column).
    QRegion workspace(0, 0, client.width() - metrics.verticalBarWidth,
                      client.height() - metrics.horizontalBarHeight);
    for (const CTableComponent* component : components) {
        workspace -= component->rect();
    }
    for (const QRect& part : workspace) {
        painter.fillRect(part, colour.workspace);
    }
    for (const CTableComponent* component : components) {
        const QRect area = component->rect();
        if (area.isEmpty()) {
            continue;
        }
        painter.save();
        painter.translate(area.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), area.size()));
        component->Paint(painter);
        painter.restore();
    }
    if (!m_trackingLine.isEmpty()) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(m_trackingLine, QBrush(Qt::white, Qt::Dense4Pattern));
        painter.restore();
    }
}

QImage CTableCtrl::renderImage() const {
    const QSize client = m_ctl.clientSize();
    const TableMetrics& metrics = m_ctl.metrics();
    QImage image(std::max(client.width() - metrics.verticalBarWidth, 1),
                 std::max(client.height() - metrics.horizontalBarHeight, 1), QImage::Format_RGB32);
    QPainter painter(&image);
    render(painter);
    return image;
}

void CTableCtrl::paintEvent(QPaintEvent* /*event*/) {
    // Everything is drawn off-screen first so that a repaint never flickers through the
    // workspace colour; the widget painter's clip keeps the copy to the invalid part.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_backBuffer.size() != pixels) {
        m_backBuffer = QImage(pixels, QImage::Format_RGB32);
    }
    m_backBuffer.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&m_backBuffer);
        render(offscreen);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_backBuffer);
}

void CTableCtrl::setTrackingLine(const QRect& line) {
    if (line != m_trackingLine) {
        update(m_trackingLine);
        m_trackingLine = line;
        update(m_trackingLine);
    }
}

void CTableCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_ctl.setClientSize(size());
}

void CTableCtrl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateMetrics();
    }
}

// --- editors ----------------------------------------------------------------------------------------

bool CTableCtrl::openEditorAt(EditorStart start) {
    const CellPos focus = m_ctl.focusCell();
    if (m_editor != nullptr || m_ctl.columnProperty(focus.column).bEditable == 0) {
        return false;
    }
    CTableCellEditor* editor = m_model->GetCellEditor(focus.column);
    if (editor == nullptr) {
        return false;
    }
    // Typing into a cell scrolled out of sight would go into an editor no one sees.
    m_ctl.makeCellVisible(focus);
    if (!editor->createEditorWindow(*this, m_ctl.visibleCellRect(focus), *this)) {
        return false;
    }
    m_editor = editor;
    m_editorWindow = editor->editorWindow();
    m_editCell = focus;
    if (start == EditorStart::WithText) {
        editor->setEditorText(m_model->IsTextColumn(focus.row, focus.column),
                              m_model->GetCellText(focus.row, focus.column));
    }
    if (QWidget* window = editor->editorWindow()) {
        window->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void CTableCtrl::beginEdit() {
    if (openEditorAt(EditorStart::WithText)) {
        m_editor->placeCaretAtEnd();
    }
}

void CTableCtrl::commitEditor() {
    if (m_editor == nullptr) {
        return;
    }
    const CellPos cell = m_editCell;
    const QString text = m_editor->editorText();
    if (m_model->IsTextColumn(cell.row, cell.column) != 0) {
        const std::unique_ptr<CTableCellSequences> sequences = m_editor->editorSequences();
        m_model->SetCellSequences(cell.row, cell.column, sequences.get());
    }
    m_model->SetCellText(cell.row, cell.column, text);
    update();
}

void CTableCtrl::destroyEditor(bool takeFocus) {
    CTableCellEditor* editor = m_editor;
    if (editor == nullptr) {
        return;
    }
    m_closingEditor = true;
    m_editor = nullptr;
    m_editorWindow = nullptr;
    if (takeFocus) {
        setFocus(Qt::OtherFocusReason);
    }
    editor->destroyEditorWindow();
    m_closingEditor = false;
}

void CTableCtrl::closeEditor() {
    if (m_editor != nullptr && !m_closingEditor) {
        commitEditor();
        destroyEditor(false);
    }
}

void CTableCtrl::editorCommit() {
    if (!m_closingEditor) {
        commitEditor();
    }
}

void CTableCtrl::editorCommitMove(int commitKey, bool shift) {
    if (m_editor == nullptr || m_closingEditor) {
        return;
    }
    commitEditor();
    destroyEditor(true);
    m_ctl.commitMove(commitKey, shift);
}

void CTableCtrl::editorCancel() {
    if (m_editor == nullptr || m_closingEditor) {
        return;
    }
    // The cell keeps its stored text: the editor is reloaded with it and closed without storing.
    const CellPos cell = m_editCell;
    m_model->CancelEditCell(cell.row, cell.column);
    if (m_editor == nullptr) {
        return; // the model closed the editor itself
    }
    m_editor->setEditorText(m_model->IsTextColumn(cell.row, cell.column),
                            m_model->GetCellText(cell.row, cell.column));
    destroyEditor(true);
}

void CTableCtrl::forwardToEditor(QEvent* event) {
    // A key the editor does not use comes back up to the grid: hand it down only once, or the two
    // would pass it to each other until the stack runs out.
    if (m_editor == nullptr || m_forwardingKey) {
        event->ignore();
        return;
    }
    if (QWidget* window = m_editor->editorWindow()) {
        m_forwardingKey = true;
        QCoreApplication::sendEvent(keyTarget(window), event);
        m_forwardingKey = false;
    }
}

// --- keyboard ---------------------------------------------------------------------------------------

bool CTableCtrl::event(QEvent* event) {
    // Tab belongs to the grid (a move to the next cell), not to the focus chain.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            if (m_editor != nullptr && m_editor->editorWindow() != nullptr) {
                forwardToEditor(event);
            } else if ((key->modifiers() & Qt::ControlModifier) == 0) {
                const bool shift = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
                m_ctl.typeTabOrEnter(CommitKey::Tab, shift);
            }
            return true;
        }
    }
    return QWidget::event(event);
}

void CTableCtrl::keyPressEvent(QKeyEvent* event) {
    if (m_editor != nullptr && m_editor->editorWindow() != nullptr) {
        forwardToEditor(event);
        return;
    }
    const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    if (const std::optional<TableKey> key = navigationKey(event->key())) {
        if (m_ctl.keyDown(*key, shift, ctrl) == KeyAction::BeginEdit) {
            beginEdit();
        }
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (!ctrl) {
            m_ctl.typeTabOrEnter(CommitKey::Enter, shift);
        }
        return;
    }
    if (TableController::keyStartsTyping(event->key(), event->modifiers(), event->text())) {
        // Typing replaces the cell: the editor opens empty and gets this very key.
        if (openEditorAt(EditorStart::Empty)) {
            forwardToEditor(event);
        }
        return;
    }
    event->ignore();
}

void CTableCtrl::keyReleaseEvent(QKeyEvent* event) {
    if (m_editor != nullptr && m_editor->editorWindow() != nullptr) {
        forwardToEditor(event);
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void CTableCtrl::inputMethodEvent(QInputMethodEvent* event) {
    if (m_editor == nullptr && (!event->commitString().isEmpty() || !event->preeditString().isEmpty())) {
        openEditorAt(EditorStart::Empty);
    }
    if (m_editor != nullptr) {
        forwardToEditor(event);
        return;
    }
    event->ignore();
}

QVariant CTableCtrl::inputMethodQuery(Qt::InputMethodQuery query) const {
    // The composition window opens over the cell that the typed text will replace.
    if (query == Qt::ImCursorRectangle) {
        return m_ctl.visibleCellRect(m_ctl.focusCell());
    }
    return QWidget::inputMethodQuery(query);
}

// --- mouse ------------------------------------------------------------------------------------------

CTableComponent* CTableCtrl::componentAt(QPoint clientPoint) {
    for (CTableComponent* component :
         std::initializer_list<CTableComponent*>{&m_cells, &m_columnHeader, &m_rowHeader, &m_corner}) {
        if (component->rect().contains(clientPoint)) {
            return component;
        }
    }
    return nullptr;
}

void CTableCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    m_pointer = point;
    if (m_capture != nullptr) {
        finishDrag(point, event->modifiers()); // the last release never came
    }
    closeEditor();
    setFocus(Qt::MouseFocusReason);
    CTableComponent* component = componentAt(point);
    if (component == nullptr) {
        return;
    }
    component->OnLButtonDown(event->modifiers(), point.x() - component->rect().left(),
                             point.y() - component->rect().top());
    if (component == &m_cells) {
        emit cellsClicked();
    }
}

void CTableCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    m_pointer = point;
    if (m_capture != nullptr) {
        if (event->buttons() & Qt::LeftButton) {
            m_capture->OnMouseMove(event->modifiers(), point.x() - m_capture->rect().left(),
                                   point.y() - m_capture->rect().top());
        } else {
            // The release went to another window (a grab taken mid-drag): the drag ends here, or
            // the auto-scroll timer would run on and the next press would be taken for its end.
            finishDrag(point, event->modifiers());
        }
        return;
    }
    const Qt::CursorShape shape = cursorShapeAt(point);
    if (shape == Qt::ArrowCursor) {
        unsetCursor();
    } else if (cursor().shape() != shape) {
        setCursor(shape);
    }
}

void CTableCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_capture == nullptr) {
        return;
    }
    const QPoint point = event->position().toPoint();
    m_pointer = point;
    finishDrag(point, event->modifiers());
}

void CTableCtrl::finishDrag(QPoint clientPoint, Qt::KeyboardModifiers modifiers) {
    CTableComponent* holder = m_capture;
    m_capture = nullptr;
    holder->OnLButtonUp(modifiers, clientPoint.x() - holder->rect().left(),
                        clientPoint.y() - holder->rect().top());
}

void CTableCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    CTableComponent* component = componentAt(point);
    if (component == &m_columnHeader) {
        emit columnHeaderDoubleClicked();
        return;
    }
    if (component != &m_cells || !openEditorAt(EditorStart::WithText)) {
        return;
    }
    // The caret lands where the operator clicked: the click is played again inside the editor.
    QWidget* window = m_editor != nullptr ? m_editor->editorWindow() : nullptr;
    if (window == nullptr) {
        return;
    }
    QWidget* target = keyTarget(window);
    const QPointF local = target->mapFrom(this, event->position());
    const QPointF global = event->globalPosition();
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      event->modifiers());
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        event->modifiers());
    QCoreApplication::sendEvent(target, &release);
}

void CTableCtrl::wheelEvent(QWheelEvent* event) {
    // A drag measures from where it started: scrolling under it would size a border or select
    // from a place that has moved away.
    if (m_capture == nullptr) {
        m_ctl.wheel(event->angleDelta().y());
    }
    event->accept();
}

void CTableCtrl::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_autoScroll.timerId()) {
        if (m_capture != nullptr) {
            m_capture->OnTimer(kAutoScrollTimerId);
        } else {
            m_autoScroll.stop();
        }
        return;
    }
    QWidget::timerEvent(event);
}

void CTableCtrl::startAutoScrollTimer() {
    m_autoScroll.start(kAutoScrollIntervalMs, this);
}

void CTableCtrl::stopAutoScrollTimer() {
    m_autoScroll.stop();
}

Qt::CursorShape CTableCtrl::cursorShapeAt(QPoint clientPoint) const {
    const TableMetrics& metrics = m_ctl.metrics();
    const QRect columnHeader = m_ctl.columnHeaderRect();
    if (columnHeader.contains(clientPoint)) {
        const HeaderHit hit = headerHitTest(m_ctl.columnWidths(), m_ctl.firstColumn(), m_ctl.visibleColumns(),
                                            clientPoint.x() - columnHeader.left(), metrics.dragDistanceX);
        if (hit.index >= 0 && hit.onBorder && m_ctl.columnProperty(hit.index).bResizable != 0) {
            return Qt::SplitHCursor;
        }
        return Qt::ArrowCursor;
    }
    const QRect rowHeader = m_ctl.rowHeaderRect();
    if (rowHeader.contains(clientPoint)) {
        const HeaderHit hit = headerHitTest(m_ctl.rowHeights(), m_ctl.firstRow(), m_ctl.visibleRows(),
                                            clientPoint.y() - rowHeader.top(), metrics.dragDistanceY);
        if (hit.index >= 0 && hit.onBorder) {
            return Qt::SplitVCursor;
        }
    }
    return Qt::ArrowCursor;
}

} // namespace qx::ui
