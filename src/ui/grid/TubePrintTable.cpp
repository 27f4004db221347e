#include "ui/grid/TubePrintTable.h"

#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/table/TableCtrl.h"
#include "ui/table/TableMessages.h"
#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMetaMethod>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace qx::ui {

namespace {

constexpr int IndicatorText = 40007; // "%d - %s"
constexpr int CountTitle = 40009;    // "連続個数"
constexpr int UnderlineTitle = 43061; // "下線"
constexpr int PiecesSuffix = 40013;  // " 個"
constexpr int MillimetreSuffix = 40012; // " mm"

QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString qtText(int id) { return qtText(model::messageText(id)); }

std::string utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

int edgeWidth(const QWidget& widget) {
    return std::max(2, widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &widget));
}

/// The bulk change a double-click on a column header asks for.
int bulkCommandOf(ColumnType type) {
    switch (type) {
    case ColumnType::Count:
        return Command::BulkCount;
    case ColumnType::Pitch:
        return Command::BulkPitch;
    case ColumnType::Underline:
        return Command::BulkUnderline;
    case ColumnType::Reverse:
        return Command::BulkReverse;
    default:
        return 0;
    }
}

bool pitchEditable(const model::TargetSettings& target) {
    return target.isPitchLengthMode() && target.pitchAuto != 1 && !model::isLabel(target.targetKind);
}

/// The built-in picture of a special code: a framed "連" for the sequence-number marker, a framed
/// "記" for every other printer symbol.
QImage builtInPicture(model::CharCode code) {
    constexpr int Size = 32;
    QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool marker = code == model::codes::SequenceMarker;
    const QColor ink = marker ? QColor(0, 0, 160) : QColor(96, 0, 96);
    painter.setPen(QPen(ink, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2.5, 2.5, Size - 5, Size - 5), 5, 5);
    QFont font = painter.font();
    font.setPixelSize(20);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, Size, Size), Qt::AlignCenter, marker ? QStringLiteral("連") : QStringLiteral("記"));
    return image;
}

} // namespace

CTubePrintTable::CTubePrintTable(EditDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_writer(document.context().catalogue),
      m_columns(document.context().catalogue.model()), m_indicator(new QLabel(this)),
      m_contentBar(new CCellEdit(this)), m_grid(new CTableCtrl(this)),
      m_textEditor([this](QWidget& host) {
          auto* editor = new CCellEdit(&host);
          editor->setFrame(false);
          editor->setAutoWiden(true);
          configureTextEditor(*editor);
          return editor;
      }),
      m_countEditor([this](QWidget& host) {
          auto* editor = new CCellSpinCount(&host);
          editor->setRange(m_countRange.lower, m_countRange.upper);
          return editor;
      }),
      m_pitchEditor([this](QWidget& host) {
          auto* editor = new CCellSpinPitch(&host);
          editor->setRange(m_pitchRange.lower, m_pitchRange.upper);
          return editor;
      }),
      m_underlineEditor(
          [](QWidget& host) { return new CCellDropDown(CCellDropDown::UnderlineKind, &host); }),
      m_reverseEditor([](QWidget& host) { return new CCellDropDown(CCellDropDown::ReverseKind, &host); }),
      m_symbolPictures(builtInPicture) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    m_indicator->setObjectName(QStringLiteral("indicator"));
    m_indicator->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_indicator->setAlignment(Qt::AlignCenter);
    m_contentBar->setObjectName(QStringLiteral("contentBar"));
    configureTextEditor(*m_contentBar);
    m_contentBar->installEventFilter(this);
    m_grid->setObjectName(QStringLiteral("grid"));
    setFocusProxy(m_grid);
    setTabOrder(m_grid, m_contentBar); // the grid, not the bar, takes the keyboard first

    setupColumns();
    m_grid->setDataModel(this);
    m_grid->setSelectionAdjuster([this](int source, CellRange& proposal) { adjustSelection(source, proposal); });

    connect(m_grid, &CTableCtrl::focusCellChanged, this, &CTubePrintTable::onGridFocusChanged);
    connect(m_grid, &CTableCtrl::selectionChanged, this, &CTubePrintTable::selectionChanged);
    connect(m_grid, &CTableCtrl::cellsClicked, this, &CTubePrintTable::onCellsClicked);
    connect(m_grid, &CTableCtrl::columnHeaderDoubleClicked, this, &CTubePrintTable::onHeaderDoubleClicked);
    connect(m_contentBar, &CCellEdit::commitRequested, this, &CTubePrintTable::onContentBarCommit);
    connect(m_contentBar, &CCellEdit::commitMoveRequested, this, &CTubePrintTable::onContentBarCommitMove);
    connect(m_contentBar, &CCellEdit::cancelRequested, this, &CTubePrintTable::onContentBarCancel);
    connect(m_contentBar, &CCellEdit::clicked, this, &CTubePrintTable::onContentBarClicked);

    rebuildPitchWarnings();
    applyColumnEditability();
    m_indicator->setText(qtText(model::formatMessage(IndicatorText, {1, utf8Of(GetColumnTitle(0))})));
    loadContentBar();
    layoutChildren();
}

CTubePrintTable::~CTubePrintTable() {
    m_contentBar->disconnect(this);
    m_contentBar->removeEventFilter(this);
    // The grid talks to the editors below while it goes; it must go first, without storing an
    // open editor's text into a document that is closing.
    for (CTableCellEditor* editor : std::initializer_list<CTableCellEditor*>{
             &m_textEditor, &m_countEditor, &m_pitchEditor, &m_underlineEditor, &m_reverseEditor}) {
        editor->destroyEditorWindow();
    }
    m_grid->disconnect(this);
    delete m_grid; // a Qt child, deleted ahead of the editor objects it refers to
}

// --- set-up ----------------------------------------------------------------------------------------

void CTubePrintTable::setupColumns() {
    const model::ModelLimits& limits = m_document.context().catalogue.limits();
    m_grid->SetTableSize(std::min(limits.blockLimit, model::MaxBlocks), m_columns.count());
    for (int c = 0; c < m_columns.count(); ++c) {
        m_grid->setColumnWidth(c, kDefaultColumnWidth);
        switch (*m_columns.type(c)) {
        case ColumnType::Line4:
            // The heavier line closes the text lines off from the block attributes.
            m_grid->setColumnLineWidth(c, 2 * edgeWidth(*this));
            break;
        case ColumnType::Count:
        case ColumnType::Pitch:
            m_grid->setColumnResizable(c, false);
            break;
        case ColumnType::Underline:
        case ColumnType::Reverse:
            m_grid->setColumnResizable(c, false);
            m_grid->setColumnSelectable(c, false);
            break;
        default:
            break;
        }
    }
}

void CTubePrintTable::configureTextEditor(CCellEdit& editor) {
    editor.setModelType(m_document.context().catalogue.model());
    editor.setLineContextProvider([this] { return focusLineContext(); });
    editor.setCanAddSequence([this] { return CanAddSequence(); });
    // The dialogs are opened by whoever takes the request; until then the items are not offered.
    editor.setDialogsAvailable(
        [this] { return isSignalConnected(QMetaMethod::fromSignal(&CTubePrintTable::editorDialogRequested)); });
    connect(&editor, &CCellEdit::sequenceSelected, this, &CTubePrintTable::sequenceSelected);
    CCellEdit* target = &editor;
    connect(&editor, &CCellEdit::sequenceCommandRequested, this,
            [this, target] { emit editorDialogRequested(Command::Sequence, target); });
    connect(&editor, &CCellEdit::symbolCommandRequested, this,
            [this, target] { emit editorDialogRequested(Command::Symbol, target); });
}

CellLineContext CTubePrintTable::focusLineContext() const {
    CellLineContext context;
    const std::optional<ColumnType> type = typeOf(focusColumn());
    const model::EditData& record = m_document.data();
    const model::Catalogue& catalogue = m_document.context().catalogue;
    context.pitchLengthMode = record.target.isPitchLengthMode();
    if (!type || !isTextColumn(*type)) {
        return context;
    }
    const int row = focusRow();
    const int line = lineIndex(*type);
    if (m_writer.isBlockRow(record, row)) {
        context.sequences = model::lineSequences(record.block(row), line);
    }
    const model::SequenceAllowance allowance = model::lineSequenceAllowance(record, catalogue, row, line);
    context.blockAllowance = allowance.block;
    context.documentAllowance = allowance.document;
    return context;
}

void CTubePrintTable::setSymbolPictureProvider(std::function<QImage(model::CharCode)> provider) {
    m_symbolPictures = std::move(provider);
    m_pictureCache.clear();
    m_inkedPictureCache.clear();
    invalidateLayouts();
    m_grid->update();
}

ForbiddenCharNotice& CTubePrintTable::notice() {
    if (ForbiddenCharNotice* shared = m_document.context().forbiddenCharNotice) {
        return *shared;
    }
    if (!m_ownNotice) {
        m_ownNotice = std::make_unique<ForbiddenCharNotice>();
    }
    return *m_ownNotice;
}

// --- layout ------------------------------------------------------------------------------------------

void CTubePrintTable::layoutChildren() {
    const int e = edgeWidth(*this);
    const int f = e;
    const int blockLimit = m_document.context().catalogue.limits().blockLimit;
    const QFontMetrics metrics(m_indicator->font());
    int w = 0;
    int h = metrics.height();
    for (const int title : {CountTitle, UnderlineTitle}) {
        const QString sample =
            qtText(model::formatMessage(IndicatorText, {blockLimit, std::string(model::messageText(title))}));
        const QRect extent = metrics.boundingRect(sample);
        w = std::max(w, metrics.horizontalAdvance(sample));
        h = std::max(h, extent.height());
    }
    m_indicator->setGeometry(e, f, w + 2 * e, h + 2 * f);
    m_contentBar->setGeometry(w + 4 * e, f, std::max(0, width() - (w + 4 * e) - e), h + 2 * f);
    m_grid->setGeometry(0, h + 4 * f, width(), std::max(0, height() - (h + 4 * f)));
}

void CTubePrintTable::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
}

void CTubePrintTable::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_grid->setFocus(event->reason());
}

// --- the frame's and the view's requests ----------------------------------------------------------

int CTubePrintTable::focusRow() const { return m_grid->focusRow(); }

int CTubePrintTable::focusColumn() const { return m_grid->focusColumn(); }

ColumnType CTubePrintTable::focusColumnType() const { return typeOf(focusColumn()).value_or(ColumnType::Line1); }

bool CTubePrintTable::isEditing() const { return m_grid->isEditorOpen() || m_contentBar->hasFocus(); }

QWidget* CTubePrintTable::activeEditor() const {
    if (const CTableCellEditor* editor = m_grid->openEditor()) {
        return editor->editorWindow();
    }
    return m_contentBar->hasFocus() ? m_contentBar : nullptr;
}

void CTubePrintTable::closeEditor() { m_grid->closeEditor(); }

void CTubePrintTable::beginEdit() { m_grid->beginEdit(); }

void CTubePrintTable::showCell(int column, int row) {
    const int c = clampIndex(column, m_grid->columnCount());
    const int r = clampIndex(row, m_grid->rowCount());
    m_grid->setFocusCell({c, r});
    m_grid->setSelection({c, r, c, r});
    // The block at fault heads the grid, with what follows it below.
    m_grid->scrollVertical(ScrollRequest::ThumbPosition, r);
    m_grid->controllerForComponents().makeMovingEndVisible();
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CTubePrintTable::rebuildPitchWarnings() { m_marks.rebuild(m_document.data(), m_document.context().catalogue); }

void CTubePrintTable::applyColumnEditability() {
    const model::TargetSettings& target = m_document.data().target;
    if (const int count = m_columns.column(ColumnType::Count); count >= 0) {
        m_grid->setColumnEditable(count, target.isPitchLengthMode());
    }
    if (const int pitch = m_columns.column(ColumnType::Pitch); pitch >= 0) {
        m_grid->setColumnEditable(pitch, pitchEditable(target));
    }
}

void CTubePrintTable::refresh(int hint) {
    if (!m_writing) {
        invalidateLayouts(); // changed elsewhere: any line may differ (this table's own write says which)
    }
    rebuildPitchWarnings();
    if (hint == UpdateHint::Everything) {
        applyColumnEditability();
    }
    m_grid->update();
    // The bar follows the document unless the operator is typing in it or a grid editor is open;
    // a stale bar would write its old text back on its next commit.
    if (!m_grid->isEditorOpen() && !(m_contentBar->hasFocus() && m_contentBar->isCellModified())) {
        loadContentBar();
    }
}

// --- grid notifications -------------------------------------------------------------------------------

void CTubePrintTable::loadContentBar() {
    const int row = focusRow();
    const int column = focusColumn();
    m_contentBarCell = {column, row};
    const int textFlag = IsTextColumn(row, column);
    m_contentBar->setReadOnly(textFlag == 0);
    m_contentBar->setCellText(textFlag, GetCellText(row, column));
}

void CTubePrintTable::onGridFocusChanged() {
    m_indicator->setText(
        qtText(model::formatMessage(IndicatorText, {focusRow() + 1, utf8Of(GetColumnTitle(focusColumn()))})));
    loadContentBar();
    emit focusCellChanged();
}

void CTubePrintTable::onCellsClicked() {
    const ColumnType type = focusColumnType();
    if (type == ColumnType::Underline || type == ColumnType::Reverse) {
        m_grid->beginEdit();
    }
}

void CTubePrintTable::onHeaderDoubleClicked() {
    if (const int command = bulkCommandOf(focusColumnType()); command != 0) {
        emit commandRequested(command);
    }
}

void CTubePrintTable::adjustSelection(int source, CellRange& proposal) const {
    if (source != SelectionSource::Cells && source != SelectionSource::ColumnHeader) {
        return;
    }
    const int focus = focusColumn();
    const ColumnType type = focusColumnType();
    if (isTextColumn(type)) {
        // A selection started in the text lines never reaches the attributes.
        proposal.right = std::min(proposal.right, m_columns.column(ColumnType::Line4));
    } else if (type == ColumnType::Count || type == ColumnType::Pitch) {
        proposal.left = focus;
        proposal.right = focus;
    } else {
        const int row = focusRow();
        proposal = {focus, row, focus, row};
    }
}

// --- content bar ----------------------------------------------------------------------------------------

void CTubePrintTable::onContentBarCommit() {
    // Only what the operator typed is stored, and into the cell the bar was loaded from: the focus
    // may have moved on before the bar lost the keyboard.
    if (m_contentBar->isReadOnly() || !m_contentBar->isCellModified()) {
        return;
    }
    const int row = m_contentBarCell.row;
    const int column = m_contentBarCell.column;
    if (IsTextColumn(row, column) != 0) {
        holdSequences(row, column, m_contentBar->cellSequences());
    }
    SetCellText(row, column, m_contentBar->cellText());
}

void CTubePrintTable::onContentBarCommitMove(int commitKey, bool shift) {
    m_grid->setFocus(Qt::OtherFocusReason); // the bar loses the focus and stores its text
    CellPos cell = m_grid->focusCell();
    const int step = shift ? -1 : 1;
    if (commitKey == CommitKey::Tab) {
        cell.column = clampIndex(cell.column + step, m_grid->columnCount());
    } else {
        cell.row = clampIndex(cell.row + step, m_grid->rowCount());
    }
    m_grid->setFocusCell(cell);
    m_grid->setSelection({cell.column, cell.row, cell.column, cell.row});
    m_grid->controllerForComponents().makeMovingEndVisible();
    loadContentBar();
}

void CTubePrintTable::onContentBarCancel() {
    loadContentBar();
    m_grid->setFocus(Qt::OtherFocusReason);
    emit editCancelled();
}

void CTubePrintTable::onContentBarClicked() {
    m_grid->closeEditor();
    if (!m_contentBar->hasFocus()) {
        loadContentBar();
    }
}

bool CTubePrintTable::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_contentBar && event->type() == QEvent::FocusIn && m_grid->isEditorOpen()) {
        // The bar takes over: the open grid editor stores its text first, and the bar, loaded
        // before that, is loaded again with what the cell now holds.
        m_grid->closeEditor();
        loadContentBar();
    }
    return QWidget::eventFilter(watched, event);
}

// --- context menu ----------------------------------------------------------------------------------------

std::vector<TableMenuItem> CTubePrintTable::contextMenuItems() const {
    const auto item = [this](int command, const char* text) {
        const bool enabled = m_commandEnabler ? m_commandEnabler(command) : true;
        return TableMenuItem{command, QString::fromUtf8(text), enabled, {}};
    };
    std::vector<TableMenuItem> items;
    items.push_back(item(Command::Cut, "切り取り(&T)"));
    items.push_back(item(Command::Copy, "コピー(&C)"));
    TableMenuItem paste{0, QStringLiteral("貼り付け(&P)"), true, {}};
    paste.submenu.push_back(item(Command::Paste, "ﾃｷｽﾄ貼り付け(&T)"));
    paste.submenu.push_back(item(Command::FormatPaste, "書式貼り付け(&F)"));
    items.push_back(std::move(paste));
    items.push_back(item(Command::Clear, "消去(&D)"));
    items.push_back({});
    items.push_back(item(Command::BlockInsert, "ﾌﾞﾛｯｸ挿入(&I)"));
    items.push_back(item(Command::BlockDelete, "ﾌﾞﾛｯｸ削除(&E)"));
    items.push_back({});
    items.push_back(item(Command::Sequence, "連番設定(&Q)..."));
    items.push_back(item(Command::Symbol, "記号入力(&M)..."));
    return items;
}

void CTubePrintTable::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (!m_grid->geometry().contains(event->pos()) || m_grid->isEditorOpen() || m_contentBar->hasFocus()) {
        return;
    }
    QMenu menu(this);
    const auto fill = [](QMenu& target, const std::vector<TableMenuItem>& items, const auto& self) -> void {
        for (const TableMenuItem& entry : items) {
            if (!entry.submenu.empty()) {
                QMenu* sub = target.addMenu(entry.text);
                self(*sub, entry.submenu, self);
            } else if (entry.command == 0) {
                target.addSeparator();
            } else {
                QAction* action = target.addAction(entry.text);
                action->setData(entry.command);
                action->setEnabled(entry.enabled);
            }
        }
    };
    fill(menu, contextMenuItems(), fill);
    if (const QAction* chosen = menu.exec(event->globalPos())) {
        emit commandRequested(chosen->data().toInt());
    }
}

// --- CTableDataModel ----------------------------------------------------------------------------------------

int CTubePrintTable::IsTextColumn(int /*row*/, int column) {
    const std::optional<ColumnType> type = typeOf(column);
    return type && isTextColumn(*type) ? 1 : 0;
}

QString CTubePrintTable::GetCellText(int row, int column) {
    const std::optional<ColumnType> type = typeOf(column);
    if (!type) {
        return {};
    }
    return qtText(m_writer.cellText(m_document.data(), row, *type));
}

void CTubePrintTable::SetCellSequences(int row, int column, const CTableCellSequences* sequences) {
    // The grid's editors are cell editors of this table, so their sequences are the line's definitions.
    using LineSequences = CTableCellSequencesOf<std::vector<model::tagSEQ_V900>>;
    const auto* definitions = dynamic_cast<const LineSequences*>(sequences);
    holdSequences(row, column, definitions != nullptr ? std::span(definitions->value())
                                                      : std::span<const model::tagSEQ_V900>());
}

void CTubePrintTable::holdSequences(int row, int column, std::span<const model::tagSEQ_V900> sequences) {
    m_pendingSequences.assign(sequences.begin(), sequences.end());
    m_pendingCell = {column, row};
}

void CTubePrintTable::SetCellText(int row, int column, const QString& text) {
    const std::optional<ColumnType> type = typeOf(column);
    if (!type || m_writing) {
        return;
    }
    if (isUntouchedEditorText(text)) {
        // Nothing typed: an editor opened for a composition that was then given up holds no text,
        // and storing it would empty the cell.
        m_pendingSequences.clear();
        m_pendingCell = {-1, -1};
        return;
    }
    m_writing = true;
    model::EditData& record = m_document.data();
    // The pending definitions belong to this cell only; a text written without them keeps the
    // line's own.
    std::vector<model::tagSEQ_V900> sequences;
    if (isTextColumn(*type)) {
        if (m_pendingCell == CellPos{column, row}) {
            sequences = std::move(m_pendingSequences);
        } else if (m_writer.isBlockRow(record, row)) {
            sequences = model::lineSequences(record.block(row), lineIndex(*type));
        }
    }
    m_pendingSequences.clear();
    m_pendingCell = {-1, -1};

    const std::string utf8 = utf8Of(text);
    const CellWriteOutcome outcome =
        m_writer.write(record, row, *type, utf8, sequences, [this] { emit aboutToChange(); });
    if (outcome.kind == CellWriteOutcome::Kind::Refused) {
        m_document.context().prompter.showText(outcome.messageId, outcome.message);
    }
    if (outcome.written()) {
        invalidateLayouts(row);
        m_document.notifyChanged(UpdateHint::OneCell);
        m_grid->update();
    }
    if (outcome.replaced > 0) {
        notice().notify(this, outcome.replaced);
    }
    m_writing = false;
}

bool CTubePrintTable::isUntouchedEditorText(const QString& text) const {
    const CTableCellEditor* open = m_grid->openEditor();
    const auto untouched = [&](const auto& host) {
        const auto* editor = host.window();
        return open == &host && editor != nullptr && !editor->isCellModified() && editor->cellText() == text;
    };
    return untouched(m_textEditor) || untouched(m_countEditor) || untouched(m_pitchEditor);
}

CTableCellEditor* CTubePrintTable::GetCellEditor(int column) {
    const std::optional<ColumnType> type = typeOf(column);
    if (!type) {
        return nullptr;
    }
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const int kind = m_document.data().target.targetKind;
    switch (*type) {
    case ColumnType::Count:
        m_countRange = catalogue.countRange(kind);
        return &m_countEditor;
    case ColumnType::Pitch:
        m_pitchRange = catalogue.pitchRange(kind);
        return &m_pitchEditor;
    case ColumnType::Underline:
        return &m_underlineEditor;
    case ColumnType::Reverse:
        return &m_reverseEditor;
    default:
        return &m_textEditor;
    }
}

QString CTubePrintTable::GetColumnTitle(int column) {
    const std::optional<ColumnType> type = typeOf(column);
    return type ? qtText(columnTitle(*type)) : QString();
}

QColor CTubePrintTable::GetCellBackColor(int row, int /*column*/) {
    if (m_marks.isMarked(row)) {
        return QColor::fromRgb(ErrorColour);
    }
    return m_grid->palette().color(QPalette::Base);
}

void CTubePrintTable::CancelEditCell(int /*row*/, int /*column*/) { emit editCancelled(); }

bool CTubePrintTable::CanAddSequence() {
    return model::canAddSequence(m_document.data(), m_document.context().catalogue);
}

// --- drawing ----------------------------------------------------------------------------------------------

QImage CTubePrintTable::symbolPicture(model::CharCode code) {
    const auto cached = m_pictureCache.find(code);
    if (cached != m_pictureCache.end()) {
        return cached->second;
    }
    QImage picture = m_symbolPictures ? m_symbolPictures(code) : QImage();
    m_pictureCache.emplace(code, picture);
    return picture;
}

QImage CTubePrintTable::symbolPictureIn(model::CharCode code, const QColor& ink) {
    if (ink != m_pictureInk) {
        m_inkedPictureCache.clear();
        m_pictureInk = ink;
    }
    const auto cached = m_inkedPictureCache.find(code);
    if (cached != m_inkedPictureCache.end()) {
        return cached->second;
    }
    QImage picture = symbolPicture(code);
    if (!picture.isNull()) {
        picture = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(picture.rect(), ink);
    }
    m_inkedPictureCache.emplace(code, picture);
    return picture;
}

std::vector<CTubePrintTable::LineSegment> CTubePrintTable::layoutLine(const model::CodeList& chars) const {
    std::vector<LineSegment> segments;
    for (std::size_t i = 0; i < chars.size();) {
        if (model::isSpecialCode(chars[i])) {
            LineSegment symbol;
            symbol.symbol = chars[i];
            segments.push_back(std::move(symbol));
            ++i;
            continue;
        }
        // A run of ordinary characters is laid out once as one text.
        std::size_t end = i;
        while (end < chars.size() && !model::isSpecialCode(chars[end])) {
            ++end;
        }
        const QString run = qtText(model::codesToUtf8(std::span(chars).subspan(i, end - i), false));
        LineSegment text;
        text.text.setText(run);
        text.text.setTextFormat(Qt::PlainText);
        text.text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.text.prepare(QTransform(), m_layoutFont);
        text.advance = qRound(text.text.size().width()); // measured by the layout just made
        segments.push_back(std::move(text));
        i = end;
    }
    return segments;
}

void CTubePrintTable::invalidateLayouts(int block) {
    if (block < 0) {
        m_lineLayouts.clear();
        return;
    }
    for (int line = 0; line < model::MaxLines; ++line) {
        m_lineLayouts.erase(block * model::MaxLines + line);
    }
}

void CTubePrintTable::drawLine(QPainter& painter, const QSize& contentSize, int block, int line) {
    if (painter.font() != m_layoutFont) {
        m_lineLayouts.clear();
        m_layoutFont = painter.font();
    }
    const int key = block * model::MaxLines + line;
    auto layout = m_lineLayouts.find(key);
    if (layout == m_lineLayouts.end()) {
        layout = m_lineLayouts.emplace(key, layoutLine(m_document.data().line(block, line).chars)).first;
    }
    const QFontMetrics metrics(m_layoutFont);
    const int height = metrics.height();
    const int top = (contentSize.height() - height) / 2;
    // Pictures are dark ink on clear ground; on a selected cell, whose text is light, they take
    // the text's colour so that they stay as legible as the characters beside them.
    const QColor textColour = painter.pen().color();
    const bool lightText = textColour.lightness() > 160;
    int x = 0;
    for (const LineSegment& segment : layout->second) {
        if (x >= contentSize.width()) {
            break;
        }
        if (segment.symbol == 0) {
            painter.drawStaticText(x, top, segment.text);
            x += segment.advance;
            continue;
        }
        // The code's picture, as high as the characters and as wide as its proportions give.
        const QImage picture =
            lightText ? symbolPictureIn(segment.symbol, textColour) : symbolPicture(segment.symbol);
        if (picture.isNull() || picture.height() <= 0) {
            x += metrics.averageCharWidth();
        } else {
            const int width = std::max(1, picture.width() * height / picture.height());
            painter.drawImage(QRect(x, top, width, height), picture);
            x += width;
        }
    }
}

void CTubePrintTable::DrawCell(QPainter& painter, const QSize& contentSize, int row, int column) {
    const model::EditData& record = m_document.data();
    const std::optional<ColumnType> type = typeOf(column);
    if (!type || !m_writer.isBlockRow(record, row)) {
        return;
    }
    const QRect area(QPoint(0, 0), contentSize);
    switch (*type) {
    case ColumnType::Count:
        painter.drawText(area.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(record.block(row).count) + qtText(PiecesSuffix));
        return;
    case ColumnType::Pitch:
        painter.drawText(area.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                         GetCellText(row, column) + qtText(MillimetreSuffix));
        return;
    case ColumnType::Underline:
    case ColumnType::Reverse:
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, GetCellText(row, column));
        return;
    default:
        drawLine(painter, contentSize, row, lineIndex(*type));
        return;
    }
}

} // namespace qx::ui
