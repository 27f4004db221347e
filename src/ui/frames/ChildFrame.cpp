#include "ui/frames/ChildFrame.h"

#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/dialogs/PackageDlg.h"
#include "ui/editing/EditingController.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MenuEnabling.h"
#include "ui/frames/MySplitterWnd.h"
#include "ui/frames/PropertyView.h"
#include "ui/dialogs/SequenceDialogs.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/frames/WindowLayout.h"
#include "formats/ImageCodec.h"
#include "model/Catalogue.h"

#include <QCloseEvent>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace qx::ui {

namespace {

/// The width of the divider beside the property pane.
constexpr int PropertyPaneMargin = 11;
/// What the property pane gets when it cannot say what it needs.
constexpr int FallbackPropertyPaneWidth = 230;

QWidget* placeholderPane(QWidget* parent, const char* name) {
    auto* pane = new QWidget(parent);
    pane->setObjectName(QString::fromLatin1(name));
    pane->setBackgroundRole(QPalette::Button);
    pane->setAutoFillBackground(true);
    pane->setFocusPolicy(Qt::StrongFocus);
    return pane;
}

} // namespace

CChildFrame::CChildFrame(EditDocument& document, QSettings& store, QWidget* parent)
    : QWidget(parent), m_document(document), m_store(store),
      m_outer(new CMySplitterWnd(Qt::Vertical, this)), m_inner(new CMySplitterWnd(Qt::Horizontal, m_outer)),
      m_view(new CKorvintaView(document, m_inner)), m_propertyPane(new CPropertyView(document, m_view->grid(), m_inner)),
      m_printImagePane(placeholderPane(m_outer, "printImagePane")),
      m_paneRatioH(paneRatioFrom(readStoredInteger(store, QStringLiteral("PaneRatioH")))),
      m_paneRatioV(paneRatioFrom(readStoredInteger(store, QStringLiteral("PaneRatioV")))),
      m_editing(new CEditingController(document, m_view->grid(), this)) {
    setObjectName(QStringLiteral("childFrame"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_outer);
    m_inner->addWidget(m_view);
    m_inner->addWidget(m_propertyPane);
    m_outer->addWidget(m_inner);
    m_outer->addWidget(m_printImagePane);
    m_inner->setStretchFactor(0, 1);
    m_outer->setStretchFactor(0, 1);
    connect(m_inner, &CMySplitterWnd::dragAccepted, this, &CChildFrame::recomputeRatios);
    connect(m_outer, &CMySplitterWnd::dragAccepted, this, &CChildFrame::recomputeRatios);
    connect(m_view, &CKorvintaView::focusCellChanged, this, &CChildFrame::commandStateChanged);
    connect(m_view, &CKorvintaView::selectionChanged, this, &CChildFrame::commandStateChanged);
    connect(m_view, &CKorvintaView::commandRequested, this, &CChildFrame::commandRequested);
    connect(m_editing, &CEditingController::commandRequested, this, &CChildFrame::commandRequested);
    EditingDialogs dialogs;
    dialogs.bulkChange = [this](QWidget* owner, BulkAttribute attribute) {
        return runPackageDialog(owner, m_document.context(), m_document.data().target.targetKind,
                                static_cast<PackageItem>(static_cast<int>(attribute)));
    };
    m_editing->setDialogs(std::move(dialogs));
    wirePropertyAndSequence();
    setFocusProxy(m_view);
}

CChildFrame::~CChildFrame() {
    // Whichever window closes last leaves its layout for the next one.
    writeStoredText(m_store, QStringLiteral("WndChildSize"), formatChildSize(m_normalSize));
    writeStoredInteger(m_store, QStringLiteral("PaneRatioH"), m_paneRatioH);
    writeStoredInteger(m_store, QStringLiteral("PaneRatioV"), m_paneRatioV);
    writeColumnWidths(m_store, m_view->columnWidths());
}

QWidget& CChildFrame::propertyPane() const { return *m_propertyPane; }

void CChildFrame::wirePropertyAndSequence() {
    CTubePrintTable& grid = m_view->grid();
    // A size or width chosen in the property pane is an edit like a typed cell: the grid's
    // announcement is where the window records its undo step.
    m_propertyPane->setBeforeChange([&grid] { emit grid.aboutToChange(); });
    connect(&grid, &CTubePrintTable::editorDialogRequested, this, [this](int command, CCellEdit* editor) {
        if (command == Command::Sequence && editor != nullptr) {
            runEditorSequenceDialog(this, m_document.context(), *editor);
        }
    });
    EditingDialogs dialogs = m_editing->dialogs();
    dialogs.blockSequence = [this](QWidget* owner, const std::optional<model::tagSEQ_V900>& current) {
        return runBlockSequenceDialog(owner, m_document.context(), current);
    };
    dialogs.lineSequences = [this](QWidget* owner,
                                   const LineSequenceRequest& request) -> std::optional<LineContent> {
        const auto edited = runLineSequenceDialog(owner, m_document.context(),
                                                  {request.line.chars, request.line.sequences},
                                                  request.pitchLengthMode, request.allowance);
        if (!edited) {
            return std::nullopt;
        }
        return LineContent{edited->chars, edited->sequences};
    };
    m_editing->setDialogs(std::move(dialogs));
}

bool CChildFrame::runSequenceInEditor() {
    // While a cell is being edited the command works on the editor's text.
    auto* editor = qobject_cast<CCellEdit*>(m_view->grid().activeEditor());
    if (editor == nullptr || !m_view->grid().isEditing()) {
        return false;
    }
    runEditorSequenceDialog(this, m_document.context(), *editor);
    return true;
}

void CChildFrame::activateFirstTime() {
    if (m_activated) {
        return;
    }
    m_activated = true;
    m_view->setColumnWidths(readColumnWidths(m_store, m_document.context().catalogue.limits().lineLimit));
    m_view->setFocus();
}

int CChildFrame::propertyPaneWidth() const {
    const QSize hint = m_propertyPane->sizeHint();
    return hint.isValid() && hint.width() > 0 ? hint.width() + PropertyPaneMargin : FallbackPropertyPaneWidth;
}

void CChildFrame::layoutPanes() {
    const PaneSizes sizes = paneSizesFor(size(), propertyPaneWidth(), m_paneRatioV);
    // The splitters take their new sizes only after this window's: measure from the window.
    const int innerTotal = std::max(0, width() - m_inner->handleWidth());
    m_inner->setSizes({sizes.gridWidth, std::max(0, innerTotal - sizes.gridWidth)});
    const int outerTotal = std::max(0, height() - m_outer->handleWidth());
    m_outer->setSizes({sizes.upperHeight, std::max(0, outerTotal - sizes.upperHeight)});
}

void CChildFrame::recomputeRatios() {
    const QList<int> columns = m_inner->sizes();
    const QList<int> rows = m_outer->sizes();
    if (!columns.isEmpty()) {
        m_paneRatioH = ratioPercent(columns.front(), width());
    }
    if (!rows.isEmpty()) {
        m_paneRatioV = ratioPercent(rows.front(), height());
    }
}

void CChildFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutPanes();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (m_closeQuery && !m_closeQuery(*this)) {
        event->ignore();
        return;
    }
    event->accept();
}

bool CChildFrame::hasCommand(int command) const {
    return command == Command::NextPane || command == Command::PreviousPane || command == Command::BeginEdit ||
           m_editing->hasCommand(command);
}

bool CChildFrame::runCommand(int command) {
    switch (command) {
    case Command::BeginEdit:
        m_view->beginEdit();
        return true;
    case Command::NextPane:
        focusPane(1);
        return true;
    case Command::PreviousPane:
        focusPane(-1);
        return true;
    case Command::Sequence:
        return runSequenceInEditor() || m_editing->runCommand(command);
    default:
        return m_editing->runCommand(command);
    }
}

void CChildFrame::focusPane(int step) {
    const std::array<QWidget*, 3> panes{m_view, m_propertyPane, m_printImagePane};
    int current = 0;
    for (int i = 0; i < static_cast<int>(panes.size()); ++i) {
        QWidget* pane = panes[static_cast<std::size_t>(i)];
        if (pane->hasFocus() || pane->isAncestorOf(QWidget::focusWidget())) {
            current = i;
        }
    }
    const int next = (current + step + static_cast<int>(panes.size())) % static_cast<int>(panes.size());
    panes[static_cast<std::size_t>(next)]->setFocus(Qt::OtherFocusReason);
}

void CChildFrame::fillEnablingContext(EnablingContext& context) const {
    const model::EditData& record = m_document.data();
    const model::Catalogue& catalogue = m_document.context().catalogue;
    context.hasDocument = true;
    context.blockCount = record.blockCount;
    context.blockLimit = catalogue.limits().blockLimit;
    context.lineLimit = catalogue.limits().lineLimit;
    context.pitchLengthMode = record.target.isPitchLengthMode();
    context.pitchAuto = record.target.pitchAuto == 1;
    context.labelTarget = model::isLabelTarget(record.target);
    context.frame = record.target.frame;
    context.documentSequences = model::documentSequenceCount(record);
    context.documentSequenceLimit = formats::documentSequenceLimit(catalogue, record.target);
    m_view->fillEnablingContext(context);
    if (context.focusRow >= 0 && context.focusRow < record.blockCount) {
        const model::EditBlock& block = record.block(context.focusRow);
        context.focusBlockHasSequences = block.hasSequences();
        if (context.focusColumn >= 0 && context.focusColumn < model::MaxLines) {
            context.focusLineHasSequenceMarker =
                model::countSequenceMarkers(block.lines[static_cast<std::size_t>(context.focusColumn)], 1) > 0;
        }
    }
    context.undoListEmpty = !m_editing->history().canUndo();
    context.redoListEmpty = !m_editing->history().canRedo();
}

} // namespace qx::ui
