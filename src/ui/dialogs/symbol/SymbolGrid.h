#pragma once

// The picture grid of the symbol dialogs: three rows of six cells of one symbol group, a vertical
// scroll bar that counts rows, a selected entry outlined in blue. Arrow keys move the selection,
// the wheel scrolls, a double click confirms.

#include "render/SymbolCatalogue.h"

#include <QImage>
#include <QSize>
#include <QWidget>

#include <unordered_map>

class QComboBox;
class QScrollBar;
class QSettings;

namespace qx::render {
class SymbolPictures;
}

namespace qx::ui {

class CSymbolGrid final : public QWidget {
    Q_OBJECT

public:
    static constexpr int Columns = 6;
    static constexpr int VisibleRows = 3;
    static constexpr int VisibleCells = Columns * VisibleRows;
    static constexpr int Gap = 5;

    /// `pictureSize`: the size of every cell (the group's pictures).
    CSymbolGrid(const render::SymbolPictures& pictures, QSize pictureSize, QWidget* parent = nullptr);

    /// Shows a group: entry 0 selected, scrolled to the top.
    void setGroup(const render::SymbolGroup& group);

    [[nodiscard]] int count() const { return static_cast<int>(m_entries.size()); }
    [[nodiscard]] int rowCount() const { return (count() + Columns - 1) / Columns; }
    /// The selected entry; -1 in an empty group.
    [[nodiscard]] int selected() const { return m_selected; }
    /// The code of the selected entry; 0 when none is selected.
    [[nodiscard]] model::CharCode selectedCode() const;
    /// Selects an entry of the group (others are ignored) and scrolls it into view.
    void select(int entry);
    /// The first row shown.
    [[nodiscard]] int firstRow() const;
    /// The entry cell k (0 to 17) of the area shows, or -1 when the cell is empty.
    [[nodiscard]] int entryInCell(int cell) const;
    /// Cell k's rectangle in the grid's coordinates.
    [[nodiscard]] QRect cellRect(int cell) const;
    [[nodiscard]] QScrollBar& scrollBar() const { return *m_scrollBar; }
    [[nodiscard]] QSize pictureSize() const { return m_pictureSize; }

    /// The picture area as painted, at ratio `ratio`.
    [[nodiscard]] QImage picture(qreal ratio = 1.0) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void selectionChanged(int entry);
    /// A cell with an entry was double-clicked.
    void activated();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    [[nodiscard]] QSize areaSize() const;
    [[nodiscard]] int cellAt(const QPoint& pos) const;
    void paintArea(QPainter& painter, qreal ratio) const;
    [[nodiscard]] const QImage& cellPicture(model::CharCode code, qreal ratio) const;

    const render::SymbolPictures& m_pictures;
    QSize m_pictureSize;
    QScrollBar* m_scrollBar;
    std::vector<render::SymbolCatalogueEntry> m_entries;
    int m_selected = -1;
    int m_wheelRemainder = 0;
    mutable std::unordered_map<model::CharCode, QImage> m_cache;
    mutable qreal m_cacheRatio = 0;
};

/// The size of the large pictures of a group in the dialogs.
QSize symbolPictureSize(const render::SymbolGroup& group);

/// The group the symbol dialogs open with: "MarkDlg_Group" of the "Settings" section, 0 when it is
/// missing or names no group of the catalogue.
int rememberedSymbolGroup(QSettings& store, const render::SymbolCatalogue& symbols);
void rememberSymbolGroup(QSettings& store, int group);

/// Fills the group list with the catalogue's group names.
void fillSymbolGroups(QComboBox& combo, const render::SymbolCatalogue& symbols);

} // namespace qx::ui
