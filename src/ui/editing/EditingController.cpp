#include "EditingController.h"

#include "ClipboardMime.h"
#include "ClipboardPaste.h"

#include "ui/CommandIds.h"
#include "ui/DocumentFolder.h"
#include "ui/EditDocument.h"
#include "ui/table/TableCtrl.h"
#include "ui/grid/TubePrintTable.h"

#include "formats/FileInsert.h"
#include "formats/ImageCodec.h"
#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/TextConversion.h"
#include "output/AutoCharSize.h"
#include "output/Prompter.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include <algorithm>

namespace qx::ui {

namespace {

std::optional<BulkAttribute> bulkAttributeOf(int command) {
    switch (command) {
    case Command::BulkCharSize:
        return BulkAttribute::CharSize;
    case Command::BulkCharWidth:
        return BulkAttribute::CharWidth;
    case Command::BulkCount:
        return BulkAttribute::Count;
    case Command::BulkPitch:
        return BulkAttribute::Pitch;
    case Command::BulkUnderline:
        return BulkAttribute::Underline;
    case Command::BulkReverse:
        return BulkAttribute::Reverse;
    default:
        return std::nullopt;
    }
}

bool isSequenceLimitMessage(int id) {
    return id == model::sequenceMessages::OnePerBlock || id == model::sequenceMessages::ThreePerBlock ||
           id == model::sequenceMessages::FifteenPerFile || id == model::sequenceMessages::FortyFivePerFile ||
           id == model::sequenceMessages::OnePerFilePrint;
}

constexpr int MsgAutoSizeKeepsSize = 43320;  ///< "文字ｻｲｽﾞが自動の文書のため、変更した文字ｻｲｽﾞは…"
constexpr int MsgAutoSizeKeepsWidth = 43321; ///< "文字ｻｲｽﾞが自動の文書のため、変更した文字幅は…"

QString pickDocumentFile(QWidget* parent, const QString& folder, bool wireLists) {
    return QFileDialog::getOpenFileName(
        parent, QString(), folder,
        QStringLiteral("PCエディタ ファイル (*.QXF *.qxf);;CSV (*.CSV *.csv)") +
            (wireLists ? QStringLiteral(";;配線リスト (*.xlsx *.xlsm *.ods *.tsv *.txt *.csv)") : QString()));
}

/// Whether no block in use holds anything to print: a wire list read into it makes its blocks
/// instead of going in front of an empty one.
bool holdsNoText(const model::EditData& data) {
    for (int b = 0; b < data.blockCount; ++b) {
        for (const model::EditLine& line : data.block(b).lines) {
            if (!line.chars.empty()) {
                return false;
            }
        }
    }
    return true;
}

/// A workbook or a text table is no document: it goes through the wire-list import.
bool isWireListFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"xlsx" || suffix == u"xlsm" || suffix == u"ods" || suffix == u"tsv" || suffix == u"txt";
}

} // namespace

CEditingController::CEditingController(EditDocument& document, CTubePrintTable& table, QWidget* dialogParent)
    : QObject(dialogParent), m_document(document), m_table(table), m_dialogParent(dialogParent) {
    // A typed cell asks for its undo step just before it writes.
    connect(&m_table, &CTubePrintTable::aboutToChange, this, &CEditingController::recordUndo);
}

CEditingController::~CEditingController() = default;

void CEditingController::recordUndo() { m_history.RecordUndo(m_document.data(), gridState(), true); }

bool CEditingController::hasCommand(int command) const {
    const model::ModelType model = m_document.context().catalogue.model();
    switch (command) {
    case Command::Undo:
    case Command::Redo:
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
    case Command::FormatPaste:
    case Command::Clear:
    case Command::Frame:
    case Command::PeriodAdd:
    case Command::PeriodRemove:
    case Command::PitchSort:
    case Command::BlockInsert:
    case Command::BlockDelete:
    case Command::FileInsert:
        return true;
    case Command::WireListImport:
        return static_cast<bool>(m_dialogs.wireListImport);
    case Command::Sequence:
        return model < 5 ? static_cast<bool>(m_dialogs.blockSequence) : static_cast<bool>(m_dialogs.lineSequences);
    case Command::Symbol:
        return model < 2 ? static_cast<bool>(m_dialogs.symbol) : static_cast<bool>(m_dialogs.lineSymbols);
    case Command::WholeImage:
        return static_cast<bool>(m_dialogs.wholeImage);
    default:
        return bulkAttributeOf(command).has_value() && static_cast<bool>(m_dialogs.bulkChange);
    }
}

bool CEditingController::runCommand(int command) {
    if (!hasCommand(command)) {
        return false;
    }
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const model::OperatorSettings& settings = m_document.context().settings;
    const EditingCommands commands(catalogue, settings);
    GridState state = gridState();
    model::EditData& data = m_document.data();
    switch (command) {
    case Command::Undo:
        undo();
        break;
    case Command::Redo:
        redo();
        break;
    case Command::Copy:
        copy();
        break;
    case Command::Cut:
        if (QLineEdit* editor = activeLineEditor()) {
            editor->cut();
        } else {
            copy();
            clear();
        }
        break;
    case Command::Paste:
        paste(false);
        break;
    case Command::FormatPaste:
        paste(true);
        break;
    case Command::Clear:
        clear();
        break;
    case Command::Frame:
        finish(commands.toggleFrame(data, state, m_history));
        break;
    case Command::PeriodAdd:
    case Command::PeriodRemove:
        finish(commands.period(data, state, m_history, command == Command::PeriodAdd));
        break;
    case Command::PitchSort:
        finish(commands.sortByPitch(data, state, m_history));
        break;
    case Command::BlockInsert:
        m_table.closeEditor();
        finish(commands.insertBlocks(data, state, m_history));
        break;
    case Command::BlockDelete:
        m_table.closeEditor();
        finish(commands.deleteBlocks(data, state, m_history));
        break;
    case Command::FileInsert:
        insertFile();
        break;
    case Command::WireListImport:
        importWireList({});
        break;
    case Command::Sequence:
        sequence();
        break;
    case Command::Symbol:
        symbol();
        break;
    case Command::WholeImage:
        wholeImage();
        break;
    default:
        bulkChange(*bulkAttributeOf(command));
        break;
    }
    return true;
}

GridState CEditingController::gridState() const {
    const CTableCtrl& grid = m_table.grid();
    const auto typeOf = [this](int column) {
        return static_cast<int>(m_table.columns().type(column).value_or(ColumnType::Reverse));
    };
    const CellRange selection = grid.selection();
    GridState state;
    state.focus = {typeOf(grid.focusColumn()), grid.focusRow()};
    state.selection = {typeOf(selection.left), selection.top, typeOf(selection.right), selection.bottom};
    return state;
}

void CEditingController::applyGridState(const GridState& state) {
    CTableCtrl& grid = m_table.grid();
    const auto columnOf = [this, &grid](int type) {
        const int column = m_table.columns().column(static_cast<ColumnType>(std::clamp(type, 0, ColumnTypeCount - 1)));
        return column >= 0 ? column : grid.columnCount() - 1;
    };
    const int lastRow = grid.rowCount() - 1;
    grid.setFocusCell({columnOf(state.focus.column), std::clamp(state.focus.row, 0, lastRow)});
    grid.setSelection({columnOf(state.selection.left), std::clamp(state.selection.top, 0, lastRow),
                       columnOf(state.selection.right), std::clamp(state.selection.bottom, 0, lastRow)});
}

QLineEdit* CEditingController::activeLineEditor() const {
    return m_table.isEditing() ? qobject_cast<QLineEdit*>(m_table.activeEditor()) : nullptr;
}

void CEditingController::show(const std::vector<int>& messageIds) {
    for (const int id : messageIds) {
        m_document.context().prompter.show(id);
    }
}

void CEditingController::finish(const CommandOutcome& outcome) {
    // A paste taken back for a sequence limit says so before the views show the old document.
    const bool limitBroken = std::any_of(outcome.messageIds.begin(), outcome.messageIds.end(), isSequenceLimitMessage);
    if (limitBroken) {
        show(outcome.messageIds);
    }
    if (outcome.changed) {
        m_document.notifyChanged(outcome.hint);
    }
    if (!limitBroken) {
        show(outcome.messageIds);
    }
}

void CEditingController::undo() {
    if (m_table.isEditing()) {
        if (QLineEdit* editor = activeLineEditor()) {
            editor->undo();
        }
        return;
    }
    GridState state = gridState();
    if (m_history.undo(m_document.data(), state)) {
        applyGridState(state);
        m_document.notifyChanged(UpdateHint::Everything);
    }
}

void CEditingController::redo() {
    if (m_table.isEditing()) {
        return;
    }
    GridState state = gridState();
    if (m_history.redo(m_document.data(), state)) {
        applyGridState(state);
        m_document.notifyChanged(UpdateHint::Everything);
    }
}

void CEditingController::copy() {
    if (QLineEdit* editor = activeLineEditor()) {
        editor->copy();
        return;
    }
    const EditingCommands commands(m_document.context().catalogue, m_document.context().settings);
    const GridState state = gridState();
    const std::optional<formats::ClipboardFormat> format = commands.copyFormat(state);
    if (!format) {
        return; // the flag columns leave the clipboard as it was
    }
    QApplication::clipboard()->setMimeData(copiedMimeData(*format, commands.copyPayload(m_document.data(), state)).release());
}

void CEditingController::paste(bool formatOnly) {
    if (m_table.isEditing()) {
        if (QLineEdit* editor = activeLineEditor(); editor != nullptr && !formatOnly) {
            editor->paste();
        }
        return;
    }
    const ClipboardPaste rules(m_document.context().catalogue, m_document.context().settings);
    const MimeClipboardContents clipboard(QApplication::clipboard()->mimeData());
    GridState state = gridState();
    const CommandOutcome outcome = formatOnly ? rules.pasteFormat(m_document.data(), state, m_history, clipboard)
                                              : rules.paste(m_document.data(), state, m_history, clipboard);
    if (outcome.changed) {
        applyGridState(state);
    }
    finish(outcome);
}

void CEditingController::clear() {
    if (m_table.isEditing()) {
        if (QLineEdit* editor = activeLineEditor(); editor != nullptr && editor->hasSelectedText()) {
            editor->del();
        }
        return;
    }
    const EditingCommands commands(m_document.context().catalogue, m_document.context().settings);
    finish(commands.clear(m_document.data(), gridState(), m_history));
}

void CEditingController::bulkChange(BulkAttribute attribute) {
    if (attribute == BulkAttribute::Underline && m_document.context().catalogue.model() < 5) {
        return;
    }
    const std::optional<int> value = m_dialogs.bulkChange(m_dialogParent, attribute);
    if (!value) {
        return;
    }
    const EditingCommands commands(m_document.context().catalogue, m_document.context().settings);
    finish(commands.bulkChange(m_document.data(), gridState(), m_history, attribute, *value));
    // The change is kept, but while the printer sizes the characters itself it shows nowhere:
    // the operator learns why now, not after a wasted print.
    if ((attribute == BulkAttribute::CharSize || attribute == BulkAttribute::CharWidth) &&
        output::printerChoosesCharSize(m_document.data().target)) {
        m_document.context().prompter.show(
            attribute == BulkAttribute::CharSize ? MsgAutoSizeKeepsSize : MsgAutoSizeKeepsWidth,
            output::Icon::Information);
    }
}

void CEditingController::insertFile() {
    GridState state = gridState();
    if (state.selection.top < 0) {
        return;
    }
    const bool wireLists = static_cast<bool>(m_dialogs.wireListImport);
    const QString path = m_dialogs.insertFile ? m_dialogs.insertFile(m_dialogParent)
                                              : pickDocumentFile(m_dialogParent,
                                                                 directoryPath(m_document.context().store), wireLists);
    if (path.isEmpty()) {
        return;
    }
    if (wireLists && isWireListFile(path)) {
        importWireList(path);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        show({formats::CodecMessage::CannotOpen});
        return;
    }
    const QByteArray bytes = file.readAll();
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const model::OperatorSettings& settings = m_document.context().settings;
    formats::FileInsertResult merged = formats::insertFile(
        m_document.data(), path.toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())),
        state.selection.top, catalogue, settings);
    const EditingCommands commands(catalogue, settings);
    const CommandOutcome outcome = commands.insertFile(m_document.data(), state, m_history, std::move(merged));
    if (outcome.changed) {
        applyGridState(state);
    }
    finish(outcome);
}

void CEditingController::importWireList(const QString& path) {
    GridState state = gridState();
    if (state.selection.top < 0 || !m_dialogs.wireListImport) {
        return;
    }
    m_table.closeEditor();
    const int position = holdsNoText(m_document.data()) ? -1 : state.selection.top;
    std::optional<formats::FileInsertResult> merged =
        m_dialogs.wireListImport(m_dialogParent, {m_document.data(), position, path});
    if (!merged) {
        return;
    }
    // The same step as a file insert: the whole record replaced, one undo step.
    const EditingCommands commands(m_document.context().catalogue, m_document.context().settings);
    const CommandOutcome outcome = commands.insertFile(m_document.data(), state, m_history, std::move(*merged));
    if (outcome.changed) {
        applyGridState(state);
    }
    finish(outcome);
}

void CEditingController::sequence() {
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const DialogEdits edits(catalogue, m_document.context().settings);
    const GridState state = gridState();
    model::EditData& data = m_document.data();
    if (!edits.focusIsTextLine(data, state) || m_table.isEditing()) {
        return;
    }
    if (catalogue.model() < 5) {
        std::optional<model::tagSEQ_V900> current;
        if (state.focus.row < data.blockCount && data.block(state.focus.row).hasSequences()) {
            current = data.block(state.focus.row).sequence(0);
        }
        if (const auto answer = m_dialogs.blockSequence(m_dialogParent, current)) {
            finish(edits.setBlockSequence(data, state, m_history, *answer));
        }
        return;
    }
    LineSequenceRequest request;
    request.line = edits.focusLine(data, state);
    request.pitchLengthMode = data.target.isPitchLengthMode();
    request.allowance = model::lineSequenceAllowance(data, catalogue, state.focus.row, state.focus.column);
    if (const auto answer = m_dialogs.lineSequences(m_dialogParent, request)) {
        finish(edits.setLineContent(data, state, m_history, *answer, true));
    }
}

void CEditingController::symbol() {
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const DialogEdits edits(catalogue, m_document.context().settings);
    const GridState state = gridState();
    model::EditData& data = m_document.data();
    if (!edits.focusIsTextLine(data, state) || m_table.isEditing()) {
        return;
    }
    if (catalogue.model() < 2) {
        if (const auto code = m_dialogs.symbol(m_dialogParent)) {
            finish(edits.setLineSymbol(data, state, m_history, *code));
        }
        return;
    }
    const LineContent line = edits.focusLine(data, state);
    const LineTokenText asked{model::codesToUtf8(line.chars, false), line.sequences};
    const auto answer = m_dialogs.lineSymbols(m_dialogParent, asked);
    if (!answer) {
        return;
    }
    const LineContent edited{model::utf8ToCodes(answer->utf8, true).codes, answer->sequences};
    finish(edits.setLineContent(data, state, m_history, edited, false));
}

void CEditingController::wholeImage() {
    const DialogEdits edits(m_document.context().catalogue, m_document.context().settings);
    if (const output::ValidationResult refusal = edits.wholeImageRefusal(m_document.data()); !refusal.ok()) {
        show({refusal.messageId});
        // As the print check does: the cursor goes to the block at fault.
        m_table.showCell(m_table.columns().column(static_cast<ColumnType>(refusal.focusColumn())), refusal.block);
        m_table.setFocus();
        return;
    }
    const WholeImageAnswer answer = m_dialogs.wholeImage(m_dialogParent, m_document.data());
    if (answer.choice == WholeImageAnswer::Choice::Send) {
        emit commandRequested(Command::Send);
    } else if (answer.choice == WholeImageAnswer::Choice::Print) {
        // The preview has closed; the print runs now and is the only one that sees its order.
        m_previewSeqOrder = answer.seqOrder;
        emit commandRequested(Command::FilePrint);
        m_previewSeqOrder.reset();
    }
}

} // namespace qx::ui
