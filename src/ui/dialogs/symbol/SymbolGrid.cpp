#include "ui/dialogs/symbol/SymbolGrid.h"

#include "render/SymbolPictures.h"
#include "model/StringTable.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>

#include <algorithm>

namespace qx::ui {

namespace {

constexpr const char* GroupKey = "Settings/MarkDlg_Group";
constexpr int LargePicture = 40;
const QColor SelectionColour(0, 0, 255);
const QColor CellBorder(208, 208, 208);

} // namespace

QSize symbolPictureSize(const render::SymbolGroup& /*group*/) {
    // Every group is drawn from the same 16 × 16 outlines, so one size serves all of them.
    return {LargePicture, LargePicture};
}

int rememberedSymbolGroup(QSettings& store, const render::SymbolCatalogue& symbols) {
    bool ok = false;
    const int stored = store.value(QString::fromLatin1(GroupKey)).toInt(&ok);
    return symbols.validGroup(ok ? stored : 0);
}

void rememberSymbolGroup(QSettings& store, int group) { store.setValue(QString::fromLatin1(GroupKey), group); }

void fillSymbolGroups(QComboBox& combo, const render::SymbolCatalogue& symbols) {
    combo.clear();
    for (int i = 0; i < symbols.groupCount(); ++i) {
        const std::string_view name = model::messageText(symbols.group(i).nameId);
        combo.addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
}

CSymbolGrid::CSymbolGrid(const render::SymbolPictures& pictures, QSize pictureSize, QWidget* parent)
    : QWidget(parent), m_pictures(pictures), m_pictureSize(pictureSize.expandedTo(QSize(1, 1))),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setObjectName(QStringLiteral("symbolScrollBar"));
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setPageStep(VisibleRows);
    m_scrollBar->setSingleStep(1);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this] { update(); });
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CSymbolGrid::areaSize() const {
    return {Gap + Columns * (m_pictureSize.width() + Gap), Gap + VisibleRows * (m_pictureSize.height() + Gap)};
}

QSize CSymbolGrid::sizeHint() const {
    const QSize area = areaSize();
    return {area.width() + m_scrollBar->sizeHint().width(), area.height()};
}

void CSymbolGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize area = areaSize();
    m_scrollBar->setGeometry(area.width(), 0, std::max(1, width() - area.width()), height());
}

void CSymbolGrid::setGroup(const render::SymbolGroup& group) {
    m_entries = group.entries;
    m_selected = m_entries.empty() ? -1 : 0;
    m_cache.clear();
    // The bar counts rows; like a scroll bar whose page is three rows, it stops where the last
    // three rows show.
    m_scrollBar->setRange(0, std::max(0, rowCount() - VisibleRows));
    m_scrollBar->setValue(0);
    update();
    emit selectionChanged(m_selected);
}

model::CharCode CSymbolGrid::selectedCode() const {
    return m_selected >= 0 && m_selected < count() ? m_entries[static_cast<std::size_t>(m_selected)].code : 0;
}

int CSymbolGrid::firstRow() const { return m_scrollBar->value(); }

int CSymbolGrid::entryInCell(int cell) const {
    if (cell < 0 || cell >= VisibleCells) {
        return -1;
    }
    const int entry = firstRow() * Columns + cell;
    return entry < count() ? entry : -1;
}

QRect CSymbolGrid::cellRect(int cell) const {
    const int column = cell % Columns;
    const int row = cell / Columns;
    return {QPoint(Gap + column * (m_pictureSize.width() + Gap), Gap + row * (m_pictureSize.height() + Gap)),
            m_pictureSize};
}

int CSymbolGrid::cellAt(const QPoint& pos) const {
    for (int cell = 0; cell < VisibleCells; ++cell) {
        if (cellRect(cell).contains(pos)) {
            return cell;
        }
    }
    return -1;
}

void CSymbolGrid::select(int entry) {
    if (entry < 0 || entry >= count()) {
        return;
    }
    m_selected = entry;
    // Leaving the visible cells scrolls as far as it takes to show the entry: one row for a move
    // across the top or the bottom edge.
    const int row = entry / Columns;
    if (row < firstRow()) {
        m_scrollBar->setValue(row);
    } else if (row >= firstRow() + VisibleRows) {
        m_scrollBar->setValue(row - VisibleRows + 1);
    }
    update();
    emit selectionChanged(m_selected);
}

const QImage& CSymbolGrid::cellPicture(model::CharCode code, qreal ratio) const {
    if (ratio != m_cacheRatio) {
        m_cache.clear();
        m_cacheRatio = ratio;
    }
    auto found = m_cache.find(code);
    if (found == m_cache.end()) {
        // Drawn at the screen's own resolution, so that a high-density display shows sharp edges.
        QImage image = m_pictures.image(code, (QSizeF(m_pictureSize) * ratio).toSize(), Qt::black, Qt::white);
        image.setDevicePixelRatio(ratio);
        found = m_cache.emplace(code, std::move(image)).first;
    }
    return found->second;
}

void CSymbolGrid::paintArea(QPainter& painter, qreal ratio) const {
    const QRect area(QPoint(0, 0), areaSize());
    painter.fillRect(area, palette().color(QPalette::Base));
    for (int cell = 0; cell < VisibleCells; ++cell) {
        const int entry = entryInCell(cell);
        if (entry < 0) {
            continue; // past the group's end the cell stays empty
        }
        const QRect rect = cellRect(cell);
        painter.drawImage(rect, cellPicture(m_entries[static_cast<std::size_t>(entry)].code, ratio));
        painter.setPen(CellBorder);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    const int selectedCell = m_selected - firstRow() * Columns;
    if (m_selected >= 0 && selectedCell >= 0 && selectedCell < VisibleCells) {
        // A three-pixel frame one pixel outside the cell.
        const QRect outer = cellRect(selectedCell).adjusted(-4, -4, 4, 4);
        const QRect inner = cellRect(selectedCell).adjusted(-1, -1, 1, 1);
        QPainterPath frame;
        frame.addRect(outer);
        frame.addRect(inner);
        frame.setFillRule(Qt::OddEvenFill);
        painter.fillPath(frame, SelectionColour);
    }
}

QImage CSymbolGrid::picture(qreal ratio) const {
    QImage image(areaSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paintArea(painter, ratio);
    return image;
}

void CSymbolGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintArea(painter, devicePixelRatioF());
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(QRect(QPoint(0, 0), areaSize()).adjusted(0, 0, -1, -1));
    }
}

void CSymbolGrid::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        select(entryInCell(cellAt(event->position().toPoint())));
    }
}

void CSymbolGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int entry = entryInCell(cellAt(event->position().toPoint()));
    if (entry >= 0) {
        select(entry);
        emit activated();
    }
}

void CSymbolGrid::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
        step = -Columns;
        break;
    case Qt::Key_Down:
        step = Columns;
        break;
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    // A move past either end of the group is ignored.
    if (m_selected >= 0) {
        select(m_selected + step);
    }
    event->accept();
}

void CSymbolGrid::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / QWheelEvent::DefaultDeltasPerStep;
    m_wheelRemainder -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        m_scrollBar->setValue(m_scrollBar->value() - notches);
    }
    event->accept();
}

void CSymbolGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void CSymbolGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_wheelRemainder = 0;
    update();
}

} // namespace qx::ui
