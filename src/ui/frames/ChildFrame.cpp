#include "ui/frames/ChildFrame.h"
#include "ui/frames/PrintImageView.h"
#include "ui/grid/TubePrintTable.h"

#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/dialogs/target/PackageDlg.h"
#include "ui/dialogs/import/WireListImportDialogs.h"
#include "ui/dialogs/preview/PreviewDlg.h"
#include "ui/frames/MainFrameIcons.h"
#include "ui/frames/MainFrameMenus.h"
#include "ui/editing/EditingController.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MenuEnabling.h"
#include "ui/frames/MySplitterWnd.h"
#include "ui/frames/PropertyView.h"
#include "ui/dialogs/sequence/SequenceDialogs.h"
#include "ui/dialogs/symbol/SymbolDialogs.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/frames/WindowLayout.h"
#include "ui/dialogs/output/OutputDialogs.h"
#include "ui/dialogs/output/WaitingSpooler.h"
#include "ui/grid/TubePrintTable.h"
#include "formats/ImageCodec.h"
#include "model/Catalogue.h"
#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/CupsSpooler.h"
#include "output/OutputValidation.h"
#include "output/PrintFieldCheck.h"
#include "output/PrintJob.h"
#include "output/SpoolerTransport.h"
#include "output/PrintOptions.h"
#include "model/OperatorSettings.h"
#include "ui/EditorContext.h"

#include <QCloseEvent>
#include <QSettings>
#include <QVBoxLayout>

#include <QDialog>

#include <algorithm>
#include <array>
#include <memory>

namespace qx::ui {

namespace {

/// The width of the divider beside the property pane.
constexpr int PropertyPaneMargin = 11;
/// What the property pane gets when it cannot say what it needs.
constexpr int FallbackPropertyPaneWidth = 230;

} // namespace

CChildFrame::CChildFrame(EditDocument& document, QSettings& store, QWidget* parent)
    : QWidget(parent), m_document(document), m_store(store),
      m_outer(new CMySplitterWnd(Qt::Vertical, this)), m_inner(new CMySplitterWnd(Qt::Horizontal, m_outer)),
      m_view(new CKorvintaView(document, m_inner)), m_propertyPane(new CPropertyView(document, m_view->grid(), m_inner)),
      m_printImage(new CPrintImageView(document, m_outer)),
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
    m_outer->addWidget(m_printImage);
    m_inner->setStretchFactor(0, 1);
    m_outer->setStretchFactor(0, 1);
    connect(m_inner, &CMySplitterWnd::dragAccepted, this, &CChildFrame::recomputeRatios);
    connect(m_outer, &CMySplitterWnd::dragAccepted, this, &CChildFrame::recomputeRatios);
    connect(m_view, &CKorvintaView::focusCellChanged, this, &CChildFrame::commandStateChanged);
    connect(m_view, &CKorvintaView::focusCellChanged, m_printImage,
            [this] { m_printImage->setBlock(m_view->grid().focusRow()); });
    connect(m_view, &CKorvintaView::selectionChanged, this, &CChildFrame::commandStateChanged);
    connect(m_view, &CKorvintaView::commandRequested, this, &CChildFrame::commandRequested);
    // A width the operator chose is kept at once: the next window and the next run open with it.
    connect(m_view, &CKorvintaView::lineColumnWidthsChanged, this, [this] {
        writeColumnWidths(m_store, m_view->columnWidths());
        emit columnWidthsChanged();
    });
    connect(m_editing, &CEditingController::commandRequested, this, &CChildFrame::commandRequested);
    EditingDialogs dialogs;
    dialogs.bulkChange = [this](QWidget* owner, BulkAttribute attribute) {
        return runPackageDialog(owner, m_document.context(), m_document.data().target.targetKind,
                                static_cast<PackageItem>(static_cast<int>(attribute)));
    };
    dialogs.wholeImage = [this](QWidget* owner, const model::EditData& record) {
        const EditorContext& context = m_document.context();
        const auto tip = [](int command) {
            const std::string_view prompt = commandPrompt(command);
            return QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())).section(u'\n', -1);
        };
        CPreviewDlg preview({record, context.catalogue, context.settings, context.printOptions.seqOrder,
                             &commandIcon, tip},
                            owner);
        WholeImageAnswer answer;
        if (preview.exec() == QDialog::Accepted && preview.closing() != CPreviewDlg::Closing::None) {
            answer.choice = preview.closing() == CPreviewDlg::Closing::Send ? WholeImageAnswer::Choice::Send
                                                                            : WholeImageAnswer::Choice::Print;
            answer.seqOrder = preview.seqOrder();
        }
        return answer;
    };
    dialogs.wireListImport = [this](QWidget* owner, const WireListImportRequest& request) {
        return runWireListImportDialog(owner, m_document.context(), request.current, request.position, request.path);
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
        if (editor != nullptr) {
            runDialogInEditor(command, *editor);
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
    dialogs.symbol = [this](QWidget* owner) { return runSymbolDialog(owner, m_document.context()); };
    dialogs.lineSymbols = [this](QWidget* owner, const LineTokenText& line) -> std::optional<LineTokenText> {
        const auto edited =
            runLineSymbolDialog(owner, m_document.context(), {QString::fromStdString(line.utf8), line.sequences});
        if (!edited) {
            return std::nullopt;
        }
        return LineTokenText{edited->tokenForm.toStdString(), edited->sequences};
    };
    m_editing->setDialogs(std::move(dialogs));
}

bool CChildFrame::runDialogInEditor(int command) {
    // While a cell is being edited the command works on the editor's text.
    auto* editor = qobject_cast<CCellEdit*>(m_view->grid().activeEditor());
    if (editor == nullptr || !m_view->grid().isEditing()) {
        return false;
    }
    runDialogInEditor(command, *editor);
    return true;
}

void CChildFrame::runDialogInEditor(int command, CCellEdit& editor) {
    if (command == Command::Sequence) {
        runEditorSequenceDialog(this, m_document.context(), editor);
    } else if (command == Command::Symbol) {
        runEditorSymbolDialog(this, m_document.context(), editor);
    }
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
           command == Command::FilePrint || command == Command::Send || m_editing->hasCommand(command);
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
    case Command::FilePrint:
        PrintCommand();
        return true;
    case Command::Send:
        SendCommand();
        return true;
    case Command::Sequence:
    case Command::Symbol:
        return runDialogInEditor(command) || m_editing->runCommand(command);
    default:
        return m_editing->runCommand(command);
    }
}

void CChildFrame::focusPane(int step) {
    const std::array<QWidget*, 3> panes{m_view, m_propertyPane, m_printImage};
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

void CChildFrame::PrintCommand() {
    const EditorContext& context = m_document.context();
    const model::Catalogue& catalogue = context.catalogue;
    const model::ModelType model = catalogue.model();
    if (model == model::models::QX780) {
        return;
    }
    // The dialog's checks see every automatic size as the printer will print it. The copy's check
    // results are computed afresh: a copied document carries none, and would pass unchecked.
    const output::PrintCheck check = output::checkForPrint(m_document.data(), catalogue, context.settings);
    const output::ValidationResult& validation = check.validation;
    if (!validation.ok()) {
        context.prompter.show(validation.messageId);
        CTubePrintTable& grid = m_view->grid();
        grid.showCell(grid.columns().column(static_cast<ColumnType>(validation.focusColumn())), validation.block);
        grid.setFocus();
        return;
    }
    const model::EditData& resolved = check.resolved;

    PrintDlgSetup setup{catalogue, context.settings, resolved, context.prompter,
                        output::printDialogStart(catalogue, model, resolved, context.printOptions), {}};
    if (model >= 2) {
        setup.namedSets = output::LoadPrintSettings(context.printSettingsFolder, catalogue);
    }
    if (const std::optional<int> order = m_editing->previewSeqOrder()) {
        setup.options.seqOrder = static_cast<std::int16_t>(*order);
    }
    const std::unique_ptr<PrintDlgInterface> dialog = createPrintDialog(setup, this);
    if (!dialog || dialog->dialog().exec() != QDialog::Accepted) {
        return;
    }
    output::PrintOptions options = dialog->confirmedOptions();
    options.printSelect = 1;
    // The next print starts from these, and the machine parameters outlive the run.
    context.printOptions = options;
    context.settings.print = output::printParametersOf(options);
    sendJob(options);
}

void CChildFrame::SendCommand() {
    const EditorContext& context = m_document.context();
    output::PrintOptions options;
    SendDlgSetup setup{context.catalogue, context.prompter, m_document.data().sendSettings, &context};
    if (const std::unique_ptr<SendDlgInterface> dialog = createSendDialog(setup, this)) {
        if (dialog->dialog().exec() != QDialog::Accepted) {
            return;
        }
        const bool memory = dialog->mode() == SendMode::DocumentMemory;
        options.memorySelect = static_cast<std::int16_t>(memory ? dialog->documentNumber() : 0);
        if (memory && context.catalogue.model() >= 2 && dialog->documentName() != m_document.data().sendSettings) {
            m_document.data().sendSettings = dialog->documentName();
            m_document.setModified(true);
        }
    }
    options.printSelect = 0;
    sendJob(options);
}

void CChildFrame::sendJob(const output::PrintOptions& options) {
    const EditorContext& context = m_document.context();
    std::unique_ptr<output::CupsSpooler> desktopSpooler;
    output::Spooler* spooler = context.spooler;
    if (spooler == nullptr) {
        desktopSpooler = std::make_unique<output::CupsSpooler>();
        spooler = desktopSpooler.get();
    }
    // The spooler may take up to its delivery timeout to say where the job stands: the window
    // keeps painting meanwhile, under a note that keeps other commands out.
    WaitingSpooler waiting(*spooler, this);
    output::PrintJobResult refused;
    const int result = output::SendJobToPrinter(context.catalogue.model(), waiting, context.prompter, [&] {
        output::PrintJobResult job = output::BuildPrintJob(m_document.data(), context.catalogue, context.settings,
                                                           options, m_document.title().toStdString());
        if (!job.ok) {
            refused = job;
        }
        return job;
    });
    if (refused.refusal == output::PrintJobRefusal::Encoder) {
        // The encoder has told why; the operator sees where.
        m_view->showBlockLine(refused.failedBlock, refused.failedLine);
    }
    output::showSendResult(result, context.prompter);
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
