#pragma once

#include "ui/frames/KorvintaViewHeader.h"

#include "model/CharCode.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QLabel;

namespace qx::render {
class SymbolPictures;
}

namespace qx::ui {

/// The grid's pictures of the printer symbols: each code's 16 × 16 picture, drawn at the screen's
/// pixel ratio, from `pictures` (which must outlive the grid).
std::function<QImage(model::CharCode)> gridSymbolPictures(const render::SymbolPictures& pictures);

class CTubePrintTable;
class EditDocument;
struct EnablingContext;

/// The grid pane of a document window: the mode, target and size texts above the block grid.
class CKorvintaView final : public QWidget {
    Q_OBJECT

public:
    CKorvintaView(EditDocument& document, QWidget* parent = nullptr);
    ~CKorvintaView() override;

    EditDocument& document() const { return m_document; }

    /// The texts the three statics show now.
    QString modeText() const;
    QString targetText() const;
    QString sizeText() const;

    /// The block grid.
    CTubePrintTable& grid() const { return *m_grid; }

    /// The document's change notification: hint 0 renews the header and the whole grid.
    void onUpdate(int hint);

    /// Makes a block's text line the focus cell (a failed save's position).
    void showBlockLine(int block, int line);

    /// Makes this view's grid the one whose focus row the document's checks start from.
    void provideFocusRow();

    /// Whether a cell of the grid is being edited in place.
    bool isEditing() const;

    /// The grid's part of the enabling rules: focus, selection and editing state.
    void fillEnablingContext(EnablingContext& context) const;

    /// TBL_BEGINEDIT on the grid (F2).
    void beginEdit();

    /// The widths of the text-line columns.
    std::vector<int> columnWidths() const;
    void setColumnWidths(const std::vector<int>& widths);

    /// The statics' layout as measured in the view's font.
    ViewLayout currentLayout() const;

signals:
    /// The grid's focus cell or selection changed; the frame passes it on to the other panes.
    void focusCellChanged();
    void selectionChanged();
    /// A command from the grid (its context menu, a header double-click) for the frame to run.
    void commandRequested(int command);
    /// The operator dragged a text line column to a new width.
    void lineColumnWidthsChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void renewHeaderTexts();
    void applyLayout();

    EditDocument& m_document;
    QLabel* m_mode;
    QLabel* m_target;
    QLabel* m_size;
    CTubePrintTable* m_grid;
    /// The symbol pictures when the run has none to share (a view made on its own).
    std::unique_ptr<render::SymbolPictures> m_ownSymbols;
};

} // namespace qx::ui
