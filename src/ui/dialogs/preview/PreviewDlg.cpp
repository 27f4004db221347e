#include "ui/dialogs/preview/PreviewDlg.h"

#include "ui/CommandIds.h"
#include "ui/RunTotalsText.h"
#include "ui/dialogs/preview/PreviewArea.h"
#include "ui/dialogs/preview/PreviewPlacement.h"
#include "model/Catalogue.h"
#include "model/ModelType.h"
#include "render/PreviewPainter.h"
#include "render/PrintFont.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <tuple>

namespace qx::ui {

namespace {

// The template's client size: the controls are placed for it and the dialog never shrinks below.
constexpr QSize DesignClient(800, 600);
constexpr int ButtonSize = 34;
constexpr int ButtonIcon = 24;
constexpr int Gap = 6;

// The controls the anchors move.
constexpr int ImageAreaId = 1190;
constexpr int HBarId = 1191;
constexpr int VBarId = 1192;

QString levelText(int percent) { return QStringLiteral("%1%").arg(percent); }

} // namespace

CPreviewDlg::CPreviewDlg(const PreviewDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_symbols(render::resolvePrintFontFamily()),
      m_image(setup.data, setup.catalogue, setup.settings, m_symbols),
      m_layout(render::CPreviewLayout::build(setup.data, m_image)),
      m_seqOrder(setup.seqOrder == render::SeqOrder::SequenceFirst ? render::SeqOrder::SequenceFirst
                                                                   : render::SeqOrder::CountFirst),
      m_printAllowed(setup.catalogue.model() != model::models::QX780) {
    setObjectName(QStringLiteral("previewDialog"));
    setWindowTitle(QStringLiteral("全体ｲﾒｰｼﾞ"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(DesignClient);
    setSizeGripEnabled(true);
    resize(DesignClient);
    buildControls(setup);
    m_zoom = std::make_unique<render::CPreviewZoom>(m_layout.totalLength(), m_layout.totalHeight(),
                                                    m_area->contentsRect().size(),
                                                    QPointF(logicalDpiX(), logicalDpiY()));
    // The anchors remember the controls as the template places them.
    using render::Anchor::Bottom, render::Anchor::Left, render::Anchor::Right, render::Anchor::Top;
    m_arrange.Add(ImageAreaId, Left | Right | Top | Bottom, m_area->geometry(), DesignClient);
    m_arrange.Add(HBarId, Left | Right | Bottom, m_hBar->geometry(), DesignClient);
    m_arrange.Add(VBarId, Right | Top | Bottom, m_vBar->geometry(), DesignClient);

    // Over the main window, within the work area of the screen it is mostly on.
    if (QWidget* main = parent != nullptr ? parent->window() : nullptr) {
        QList<QRect> screens;
        QList<QRect> workAreas;
        for (const QScreen* screen : QGuiApplication::screens()) {
            screens.push_back(screen->geometry());
            workAreas.push_back(screen->availableGeometry());
        }
        const QRect frame = main->frameGeometry();
        const QRect placed =
            previewPlacement(frame, screens, workAreas, style()->pixelMetric(QStyle::PM_TitleBarHeight));
        // The dialog's decorations are taken to be those of the main window.
        const QSize decorations = frame.size() - main->geometry().size();
        resize((placed.size() - decorations).expandedTo(DesignClient));
        move(placed.topLeft());
    }
    arrange();
}

CPreviewDlg::~CPreviewDlg() = default;

void CPreviewDlg::buildControls(const PreviewDlgSetup& setup) {
    buildMenu();
    const int top = m_menuBar->sizeHint().height() + Gap;
    int x = Gap;
    m_send = addButton(setup, Command::Send, QStringLiteral("送信"), x, top);
    m_print = addButton(setup, Command::FilePrint, QStringLiteral("印刷"), x, top);
    x += 2 * Gap;
    m_zoomIn = addButton(setup, Command::ZoomIn, QStringLiteral("拡大"), x, top);
    m_zoomOut = addButton(setup, Command::ZoomOut, QStringLiteral("縮小"), x, top);
    m_zoomAtPointButton = addButton(setup, Command::ZoomAtPoint, QStringLiteral("部分拡大"), x, top);
    m_fitLength = addButton(setup, Command::FitLength, QStringLiteral("全体表示"), x, top);
    m_fitHeight = addButton(setup, Command::FitHeight, QStringLiteral("高さ基準"), x, top);
    for (QToolButton* b : {m_zoomAtPointButton, m_fitLength, m_fitHeight}) {
        b->setCheckable(true);
    }
    m_print->setEnabled(m_printAllowed);
    connect(m_send, &QToolButton::clicked, this, [this] { runCommand(Command::Send); });
    connect(m_print, &QToolButton::clicked, this, [this] { runCommand(Command::FilePrint); });
    connect(m_zoomIn, &QToolButton::clicked, this, [this] { runCommand(Command::ZoomIn); });
    connect(m_zoomOut, &QToolButton::clicked, this, [this] { runCommand(Command::ZoomOut); });
    connect(m_fitLength, &QToolButton::clicked, this, [this] { runCommand(Command::FitLength); });
    connect(m_fitHeight, &QToolButton::clicked, this, [this] { runCommand(Command::FitHeight); });
    connect(m_zoomAtPointButton, &QToolButton::clicked, this, [this](bool on) { setZoomAtPoint(on); });

    x += 3 * Gap;
    m_order = new QButtonGroup(this);
    auto* countFirst = new QRadioButton(QStringLiteral("連続優先　11 22 33"), this);
    auto* sequenceFirst = new QRadioButton(QStringLiteral("連番優先　123 123"), this);
    countFirst->setObjectName(QStringLiteral("seqOrderCount"));
    sequenceFirst->setObjectName(QStringLiteral("seqOrderSequence"));
    m_order->addButton(countFirst, render::SeqOrder::CountFirst);
    m_order->addButton(sequenceFirst, render::SeqOrder::SequenceFirst);
    const int radioHeight = ButtonSize / 2;
    for (QRadioButton* radio : {countFirst, sequenceFirst}) {
        radio->setGeometry(x, top + (radio == countFirst ? 0 : radioHeight), radio->sizeHint().width(), radioHeight);
    }
    m_order->button(m_seqOrder)->setChecked(true);

    // What the strip comes to, beside the order it is shown in: the whole run as the printer
    // makes it from this document.
    x += std::max(countFirst->sizeHint().width(), sequenceFirst->sizeHint().width()) + 3 * Gap;
    auto* totals = new QLabel(runTotalsText(output::runTotals(setup.catalogue, setup.settings, setup.data)), this);
    totals->setObjectName(QStringLiteral("runTotals"));
    totals->setGeometry(x, top, std::max(totals->sizeHint().width(), DesignClient.width() - x - Gap), ButtonSize);
    connect(m_order, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id != m_seqOrder) {
            m_seqOrder = id;
            m_area->update();
        }
    });

    // The image area fills the rest; its bars run along its bottom and right, the size grip in
    // the corner between them.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int areaTop = top + ButtonSize + Gap;
    const QRect area(0, areaTop, DesignClient.width() - bar, DesignClient.height() - areaTop - bar);
    m_area = new CPreviewArea(*this);
    m_area->setGeometry(area);
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_hBar->setObjectName(QStringLiteral("horizontalBar"));
    m_hBar->setGeometry(area.left(), area.bottom() + 1, area.width(), bar);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_vBar->setObjectName(QStringLiteral("verticalBar"));
    m_vBar->setGeometry(area.right() + 1, area.top(), bar, area.height());
    for (QScrollBar* b : {m_hBar, m_vBar}) {
        b->setPageStep(render::ScrollPage);
        b->setSingleStep(render::ScrollArrowStep);
        connect(b, &QScrollBar::valueChanged, this, [this] {
            m_zoom->setScroll(QPoint(m_hBar->value(), m_vBar->value()));
            m_area->update();
        });
    }
}

QToolButton* CPreviewDlg::addButton(const PreviewDlgSetup& setup, int command, const QString& fallback, int& x,
                                    int y) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("command%1").arg(command));
    const QIcon icon = setup.commandIcon ? setup.commandIcon(command) : QIcon();
    const QString tip = setup.commandTip ? setup.commandTip(command) : QString();
    button->setText(tip.isEmpty() ? fallback : tip);
    if (!icon.isNull()) {
        button->setIcon(icon);
        button->setIconSize(QSize(ButtonIcon, ButtonIcon));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    button->setToolTip(button->text());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    // Without a picture the button shows its name and is as wide as it needs.
    const int width = icon.isNull() ? std::max(ButtonSize, button->sizeHint().width()) : ButtonSize;
    button->setGeometry(x, y, width, ButtonSize);
    x += width;
    return button;
}

void CPreviewDlg::buildMenu() {
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    QMenu* view = m_menuBar->addMenu(QStringLiteral("表示(&V)"));
    view->setObjectName(QStringLiteral("viewMenu"));
    for (std::size_t i = 0; i < render::ZoomLevels.size(); ++i) {
        const int command = Command::PreviewLevel25 + static_cast<int>(i);
        QAction* action = view->addAction(levelText(render::ZoomLevels[i]), this, [this, command] { runCommand(command); });
        action->setCheckable(true);
        action->setData(command);
        m_levelActions.push_back(action);
    }
    view->addSeparator();
    m_fitLengthAction = view->addAction(QStringLiteral("全体表示"), this, [this] { runCommand(Command::FitLength); });
    m_fitHeightAction = view->addAction(QStringLiteral("高さ基準"), this, [this] { runCommand(Command::FitHeight); });
    for (QAction* a : {m_fitLengthAction, m_fitHeightAction}) {
        a->setCheckable(true);
    }
    connect(view, &QMenu::aboutToShow, this, &CPreviewDlg::syncControls);
    m_menuBar->setGeometry(0, 0, DesignClient.width(), m_menuBar->sizeHint().height());
}

void CPreviewDlg::runCommand(int command) {
    if (command >= Command::PreviewLevel25 && command <= Command::PreviewLevel1600) {
        m_zoom->setLevel(render::ZoomLevels[static_cast<std::size_t>(command - Command::PreviewLevel25)]);
    } else {
        switch (command) {
        case Command::ZoomIn:
            m_zoom->zoomIn();
            break;
        case Command::ZoomOut:
            m_zoom->zoomOut();
            break;
        case Command::FitLength:
            m_zoom->fitLength();
            break;
        case Command::FitHeight:
            m_zoom->fitHeight();
            break;
        case Command::ZoomAtPoint:
            setZoomAtPoint(!m_zoomAtPoint);
            return;
        case Command::Send:
            closeWith(Closing::Send);
            return;
        case Command::FilePrint:
            if (m_printAllowed) {
                closeWith(Closing::Print);
            }
            return;
        default:
            return;
        }
    }
    syncControls();
}

void CPreviewDlg::closeWith(Closing closing) {
    m_closing = closing;
    accept();
}

void CPreviewDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    arrange();
}

void CPreviewDlg::arrange() {
    if (!m_zoom) {
        return;
    }
    m_menuBar->resize(width(), m_menuBar->height());
    const std::vector<render::CArrangeItem::Move> moves =
        m_arrange.resized(size(), isMinimized(), [this](int id) {
            return id == ImageAreaId ? m_area->geometry() : id == HBarId ? m_hBar->geometry() : m_vBar->geometry();
        });
    for (const render::CArrangeItem::Move& move : moves) {
        QWidget* control = move.control == ImageAreaId ? static_cast<QWidget*>(m_area)
                           : move.control == HBarId    ? static_cast<QWidget*>(m_hBar)
                                                       : static_cast<QWidget*>(m_vBar);
        control->setGeometry(move.rect);
    }
    takeAreaSize();
}

void CPreviewDlg::takeAreaSize() {
    // The fit modes fit the new size; each bar keeps its position within its new range.
    m_zoom->resize(m_area->contentsRect().size());
    syncControls();
}

void CPreviewDlg::syncControls() {
    const render::CPreviewZoom& z = *m_zoom;
    for (const auto& [bar, maximum, position] :
         {std::tuple{m_hBar, z.maxScrollX(), z.scroll().x()}, std::tuple{m_vBar, z.maxScrollY(), z.scroll().y()}}) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, maximum);
        bar->setValue(position);
        bar->setEnabled(!m_zoomAtPoint && z.scrollBarsEnabled() && maximum > 0);
    }
    const bool fixed = z.mode() == render::ZoomMode::Fixed;
    for (QAction* level : m_levelActions) {
        const int percent = render::ZoomLevels[static_cast<std::size_t>(level->data().toInt() - Command::PreviewLevel25)];
        level->setChecked(fixed && z.zoom() == percent);
    }
    m_fitLengthAction->setChecked(z.mode() == render::ZoomMode::FitLength);
    m_fitHeightAction->setChecked(z.mode() == render::ZoomMode::FitHeight);
    m_fitLength->setChecked(z.mode() == render::ZoomMode::FitLength);
    m_fitHeight->setChecked(z.mode() == render::ZoomMode::FitHeight);
    m_zoomAtPointButton->setChecked(m_zoomAtPoint);
    for (QWidget* control : {static_cast<QWidget*>(m_send), static_cast<QWidget*>(m_zoomIn),
                             static_cast<QWidget*>(m_zoomOut), static_cast<QWidget*>(m_fitLength),
                             static_cast<QWidget*>(m_fitHeight)}) {
        control->setEnabled(!m_zoomAtPoint);
    }
    m_print->setEnabled(m_printAllowed && !m_zoomAtPoint);
    for (QAbstractButton* radio : m_order->buttons()) {
        radio->setEnabled(!m_zoomAtPoint);
    }
    m_area->update();
}

void CPreviewDlg::setZoomAtPoint(bool on) {
    if (on == m_zoomAtPoint) {
        syncControls();
        return;
    }
    m_zoomAtPoint = on;
    setMouseTracking(on);
    if (on) {
        m_area->setCursor(previewZoomCursor());
        // Every press comes here, so that one outside the image area can leave the mode.
        if (isVisible()) {
            grabMouse();
        }
    } else {
        if (mouseGrabber() == this) {
            releaseMouse();
        }
        m_area->unsetCursor();
        unsetCursor();
    }
    syncControls();
}

void CPreviewDlg::pressInZoomMode(QPoint global, Qt::MouseButton button) {
    const QPoint local = m_area->mapFromGlobal(global);
    if (!m_area->contentsRect().contains(local)) {
        // Outside the image area, the toggle button included: the mode ends.
        setZoomAtPoint(false);
        return;
    }
    if (button == Qt::LeftButton || button == Qt::RightButton) {
        m_zoom->zoomAtPoint(local - m_area->contentsRect().topLeft(), button == Qt::LeftButton);
        syncControls();
    }
}

void CPreviewDlg::mousePressEvent(QMouseEvent* event) {
    if (!m_zoomAtPoint) {
        QDialog::mousePressEvent(event);
        return;
    }
    pressInZoomMode(event->globalPosition().toPoint(), event->button());
    event->accept();
}

void CPreviewDlg::mouseMoveEvent(QMouseEvent* event) {
    if (m_zoomAtPoint) {
        // While the dialog holds the mouse its own cursor is the one shown.
        const QPoint local = m_area->mapFromGlobal(event->globalPosition().toPoint());
        if (m_area->contentsRect().contains(local)) {
            setCursor(m_area->cursor());
        } else {
            unsetCursor();
        }
    }
    QDialog::mouseMoveEvent(event);
}

void CPreviewDlg::keyPressEvent(QKeyEvent* event) {
    // Esc first ends zooming at a point, then closes the dialog as in every other dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (m_zoomAtPoint) {
            setZoomAtPoint(false);
        } else {
            reject();
        }
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPreviewDlg::hideEvent(QHideEvent* event) {
    setZoomAtPoint(false);
    QDialog::hideEvent(event);
}

void CPreviewDlg::wheelOnArea(QWheelEvent* event) {
    if (m_zoomAtPoint || !m_hBar->isEnabled()) {
        event->ignore();
        return;
    }
    QCoreApplication::sendEvent(m_hBar, event);
}

void CPreviewDlg::paintArea(QPainter& painter) const {
    render::paintPreviewArea(painter, m_layout, *m_zoom, m_image, m_seqOrder);
}

QImage CPreviewDlg::areaPicture() const {
    QImage picture(m_zoom->area(), QImage::Format_RGB32);
    QPainter painter(&picture);
    paintArea(painter);
    return picture;
}

} // namespace qx::ui
