#pragma once

#include "render/ArrangeItem.h"
#include "render/PreviewLayout.h"
#include "render/PreviewZoom.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QRect>

#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QButtonGroup;
class QMenuBar;
class QScrollBar;
class QWheelEvent;
class QToolButton;

namespace qx::model {
class Catalogue;
struct EditData;
struct OperatorSettings;
} // namespace qx::model

namespace qx::ui {

class CPreviewArea;

/// What the preview shows and how its buttons look.
struct PreviewDlgSetup {
    const model::EditData& data; ///< a document that passed the whole-image check
    const model::Catalogue& catalogue;
    const model::OperatorSettings& settings;
    int seqOrder = render::SeqOrder::CountFirst; ///< the order the run is printed in now
    /// The button picture and the tool tip of a command; either may be empty.
    std::function<QIcon(int)> commandIcon;
    std::function<QString(int)> commandTip;
};

/// "全体ｲﾒｰｼﾞ": the whole run the printer produces as one strip, every block repeated by its count
/// and expanded per sequence value, in the chosen order. It zooms by levels, fits the length or
/// the height, zooms at a clicked point, and closes by handing over to sending or printing.
/// Layout, zoom and scrolling are CPreviewLayout's and CPreviewZoom's; this only forwards events
/// to them and paints what they say.
class CPreviewDlg final : public QDialog {
    Q_OBJECT

public:
    enum class Closing { None, Send, Print };

    explicit CPreviewDlg(const PreviewDlgSetup& setup, QWidget* parent = nullptr);
    ~CPreviewDlg() override;

    /// How the dialog was left.
    [[nodiscard]] Closing closing() const { return m_closing; }
    /// The order shown: the one the print choice hands to the next print.
    [[nodiscard]] int seqOrder() const { return m_seqOrder; }
    [[nodiscard]] bool zoomAtPointMode() const { return m_zoomAtPoint; }

    [[nodiscard]] const render::CPreviewLayout& layout() const { return m_layout; }
    [[nodiscard]] const render::CPreviewZoom& zoom() const { return *m_zoom; }
    /// The image area as it paints itself, in its own coordinates (without its frame).
    [[nodiscard]] QImage areaPicture() const;
    [[nodiscard]] CPreviewArea& imageArea() const { return *m_area; }
    /// Runs one of the preview's commands as its button or menu item does.
    void runCommand(int command);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class CPreviewArea;

    void buildControls(const PreviewDlgSetup& setup);
    /// A button at x, y; x moves past it.
    QToolButton* addButton(const PreviewDlgSetup& setup, int command, const QString& fallback, int& x, int y);
    void buildMenu();
    void arrange();
    void takeAreaSize();
    void syncControls();
    void setZoomAtPoint(bool on);
    /// A mouse press while zooming at a point, at a global position.
    void pressInZoomMode(QPoint global, Qt::MouseButton button);
    void closeWith(Closing closing);
    void paintArea(QPainter& painter) const;
    /// The wheel over the image area runs along the strip, as on its horizontal bar.
    void wheelOnArea(QWheelEvent* event);

    render::SymbolPictures m_symbols;
    render::CPrintImageContext m_image;
    render::CPreviewLayout m_layout;
    std::unique_ptr<render::CPreviewZoom> m_zoom;
    render::CArrangeItem m_arrange;
    int m_seqOrder;
    bool m_printAllowed;
    bool m_zoomAtPoint = false;
    Closing m_closing = Closing::None;

    QMenuBar* m_menuBar = nullptr;
    QList<QAction*> m_levelActions;
    QAction* m_fitLengthAction = nullptr;
    QAction* m_fitHeightAction = nullptr;
    QToolButton* m_send = nullptr;
    QToolButton* m_print = nullptr;
    QToolButton* m_zoomIn = nullptr;
    QToolButton* m_zoomOut = nullptr;
    QToolButton* m_zoomAtPointButton = nullptr;
    QToolButton* m_fitLength = nullptr;
    QToolButton* m_fitHeight = nullptr;
    QButtonGroup* m_order = nullptr;
    CPreviewArea* m_area = nullptr;
    QScrollBar* m_hBar = nullptr;
    QScrollBar* m_vBar = nullptr;
};

} // namespace qx::ui
