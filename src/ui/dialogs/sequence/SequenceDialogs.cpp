#include "ui/dialogs/sequence/SequenceDialogs.h"

#include "ui/dialogs/sequence/SeqDlg.h"
#include "ui/grid/CellEdit.h"
#include "model/Catalogue.h"
#include "model/TextConversion.h"

#include <QSignalBlocker>

#include <memory>

namespace qx::ui {

std::optional<model::tagSEQ_V900> runBlockSequenceDialog(QWidget* parent, const EditorContext& context,
                                                         const std::optional<model::tagSEQ_V900>& current) {
    if (model::isFirstGeneration(context.catalogue.model())) {
        CSeqDlg dialog(context.catalogue, context.prompter, current, parent);
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return dialog.definition();
    }
    CSeqDlgV9 dialog(context.catalogue, context.prompter, current, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.definition();
}

std::optional<SeqLine> runLineSequenceDialog(QWidget* parent, const EditorContext& context, const SeqLine& line,
                                             bool pitchLengthMode, const model::SequenceAllowance& allowance) {
    // The line's symbols show as the run's pictures in the dialog's preview.
    const SeqLineEditorFactory editor = [&context](QWidget& owner, model::ModelType model) {
        return createSeqLineEditor(owner, model, context.symbolPictures);
    };
    CSeqDlgV12 dialog(context.catalogue, context.prompter, line, pitchLengthMode, allowance, parent, editor);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.result();
}

bool runEditorSequenceDialog(QWidget* parent, const EditorContext& context, CCellEdit& editor) {
    bool confirmed = false;
    // The early models' block holds a single number: a second one is never offered, whichever
    // way the command arrives.
    if (!model::isLaterGeneration(context.catalogue.model()) && !editor.canInsertSequence()) {
        return false;
    }
    // The dialog takes the focus from the editor; that is no end of the cell's edit.
    auto blocker = std::make_unique<QSignalBlocker>(editor);
    if (!model::isLaterGeneration(context.catalogue.model())) {
        const std::vector<model::tagSEQ_V900>& held = editor.cellSequences();
        const std::optional<model::tagSEQ_V900> current =
            held.empty() ? std::nullopt : std::optional(held.front());
        if (const auto definition = runBlockSequenceDialog(parent, context, current)) {
            blocker.reset();
            editor.insertToken(model::codes::SequenceMarker, *definition);
            confirmed = true;
        }
    } else {
        const CellLineContext allowances = editor.lineAllowances();
        const QByteArray utf8 = editor.cellText().toUtf8();
        SeqLine line;
        line.chars =
            model::utf8ToCodes(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), true).codes;
        line.sequences = allowances.sequences;
        if (const auto edited = runLineSequenceDialog(parent, context, line, allowances.pitchLengthMode,
                                                      {allowances.blockAllowance, allowances.documentAllowance})) {
            blocker.reset();
            const std::string tokenForm = model::codesToUtf8(edited->chars, false);
            editor.loadDialogResult(QString::fromUtf8(tokenForm.data(), static_cast<qsizetype>(tokenForm.size())),
                                    edited->sequences);
            confirmed = true;
        }
    }
    blocker.reset();
    editor.setFocus(Qt::OtherFocusReason);
    return confirmed;
}

} // namespace qx::ui
