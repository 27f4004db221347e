#include "ui/frames/KorvintaView.h"

#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "render/PrintFont.h"
#include "render/SymbolPictures.h"
#include "ui/frames/MenuEnabling.h"
#include "model/Catalogue.h"
#include "model/StringTable.h"

#include "ui/table/TableCtrl.h"
#include "ui/grid/CellEdit.h"
#include "ui/grid/TubePrintTable.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QStyle>

namespace qx::ui {

namespace {

constexpr int PitchLengthModeText = 40005;
constexpr int PrintLengthModeText = 40006;
constexpr int WidestSizeText = 43023;

QString tableText(int id) {
    const std::string_view text = model::messageText(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* makeStatic(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The edge is outside the text, as the widths are measured: no indent inside it.
    label->setIndent(0);
    label->setMargin(0);
    return label;
}

} // namespace

std::function<QImage(model::CharCode)> gridSymbolPictures(const render::SymbolPictures& pictures) {
    constexpr int PictureSize = 16;
    return [&pictures](model::CharCode code) {
        const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
        QImage image = pictures.image(code, QSize(PictureSize, PictureSize) * ratio);
        image.setDevicePixelRatio(ratio);
        return image;
    };
}

CKorvintaView::CKorvintaView(EditDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_mode(makeStatic(this, "modeStatic")),
      m_target(makeStatic(this, "targetStatic")), m_size(makeStatic(this, "sizeStatic")),
      m_grid(new CTubePrintTable(document, this)) {
    setObjectName(QStringLiteral("korvintaView"));
    setFocusPolicy(Qt::StrongFocus);
    // The ground between the statics and around the grid is the button face, as in a dialog.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    m_grid->setObjectName(QStringLiteral("grid"));
    const render::SymbolPictures* symbols = document.context().symbolPictures;
    if (symbols == nullptr) {
        m_ownSymbols = std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily());
        symbols = m_ownSymbols.get();
    }
    m_grid->setSymbolPictureProvider(gridSymbolPictures(*symbols));
    // The notification of the grid's focus and selection goes on to the frame and the other panes.
    connect(m_grid, &CTubePrintTable::focusCellChanged, this, &CKorvintaView::focusCellChanged);
    connect(m_grid, &CTubePrintTable::selectionChanged, this, &CKorvintaView::selectionChanged);
    connect(m_grid, &CTubePrintTable::commandRequested, this, &CKorvintaView::commandRequested);
    connect(&m_grid->grid(), &CTableCtrl::columnWidthDragged, this, [this](int column) {
        const std::optional<ColumnType> type = m_grid->columns().type(column);
        if (type && isTextColumn(*type)) {
            emit lineColumnWidthsChanged();
        }
    });
    connect(&document, &EditDocument::changed, this, &CKorvintaView::onUpdate);
    provideFocusRow();
    renewHeaderTexts();
    applyLayout();
}

CKorvintaView::~CKorvintaView() = default;

QString CKorvintaView::modeText() const { return m_mode->text(); }
QString CKorvintaView::targetText() const { return m_target->text(); }
QString CKorvintaView::sizeText() const { return m_size->text(); }

void CKorvintaView::renewHeaderTexts() {
    const ViewHeaderTexts texts = viewHeaderTexts(m_document.data().target, m_document.context().catalogue);
    m_mode->setText(texts.mode);
    m_target->setText(texts.target);
    if (texts.size) {
        m_size->setText(*texts.size);
    }
}

void CKorvintaView::provideFocusRow() {
    // Several windows may show one document; the row counts of the one in use. A window that is
    // gone reports the first row.
    m_document.setFocusRowProvider([grid = QPointer<CTubePrintTable>(m_grid)] {
        return grid ? grid->focusRow() : 0;
    });
}

void CKorvintaView::onUpdate(int hint) {
    if (hint == UpdateHint::Everything) {
        renewHeaderTexts();
    }
    m_grid->refresh(hint);
}

void CKorvintaView::showBlockLine(int block, int line) {
    const int column = m_grid->columns().column(static_cast<ColumnType>(std::clamp(line, 0, model::MaxLines - 1)));
    m_grid->showCell(column, block);
    m_grid->setFocus();
}

bool CKorvintaView::isEditing() const { return m_grid->isEditing(); }

void CKorvintaView::beginEdit() { m_grid->beginEdit(); }

void CKorvintaView::fillEnablingContext(EnablingContext& context) const {
    const auto typeOf = [this](int column) {
        const std::optional<ColumnType> type = m_grid->columns().type(column);
        return type ? static_cast<int>(*type) : ColumnKind::Reverse + 1;
    };
    const CTableCtrl& table = m_grid->grid();
    const CellRange selection = table.selection();
    context.focusColumn = typeOf(table.focusColumn());
    context.focusRow = table.focusRow();
    context.selection = CellRange{typeOf(selection.left), selection.top, typeOf(selection.right), selection.bottom};
    context.selectedColumns = selection.right - selection.left + 1;
    context.allRowsSelected = selection.top <= 0 && selection.bottom >= table.rowCount() - 1;
    context.editing = m_grid->isEditing();
    if (const auto* editor = qobject_cast<const QLineEdit*>(m_grid->activeEditor())) {
        context.editorCanUndo = editor->isUndoAvailable();
        context.editorHasSelection = editor->hasSelectedText();
        context.editorEditable = !editor->isReadOnly();
        if (auto* text = qobject_cast<CCellEdit*>(m_grid->activeEditor())) {
            context.editorCanInsertSequence = text->canInsertSequence();
        }
    } else if (context.editing) {
        // The list and spin editors take whole values: nothing to undo, always writable.
        context.editorEditable = true;
    }
}

std::vector<int> CKorvintaView::columnWidths() const {
    std::vector<int> widths;
    const int lines = m_document.context().catalogue.limits().lineLimit;
    for (int line = 0; line < lines; ++line) {
        widths.push_back(m_grid->grid().columnWidth(m_grid->columns().column(static_cast<ColumnType>(line))));
    }
    return widths;
}

void CKorvintaView::setColumnWidths(const std::vector<int>& widths) {
    for (std::size_t line = 0; line < widths.size() && line < static_cast<std::size_t>(model::MaxLines); ++line) {
        const int column = m_grid->columns().column(static_cast<ColumnType>(line));
        if (column >= 0 && column < m_grid->grid().columnCount()) {
            m_grid->grid().setColumnWidth(column, widths[line]);
        }
    }
}

ViewLayout CKorvintaView::currentLayout() const {
    const QFontMetrics metrics(m_mode->font());
    HeaderTextWidths widths;
    widths.mode = std::max(metrics.horizontalAdvance(tableText(PitchLengthModeText)),
                           metrics.horizontalAdvance(tableText(PrintLengthModeText)));
    for (const QString& name : targetNames(m_document.context().catalogue)) {
        widths.target = std::max(widths.target, metrics.horizontalAdvance(name));
    }
    widths.size = metrics.horizontalAdvance(tableText(WidestSizeText));
    widths.height = metrics.height();
    const int edge = std::max(2, style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
    return layoutView(widths, edge, edge, size());
}

void CKorvintaView::applyLayout() {
    const ViewLayout layout = currentLayout();
    m_mode->setGeometry(layout.mode);
    m_target->setGeometry(layout.target);
    m_size->setGeometry(layout.size);
    m_grid->setGeometry(layout.grid);
}

void CKorvintaView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyLayout();
}

void CKorvintaView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_grid->setFocus();
}

} // namespace qx::ui
