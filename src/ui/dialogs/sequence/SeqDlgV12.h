#pragma once

#include "ui/dialogs/sequence/SeqDlgV9.h"
#include "ui/dialogs/sequence/SeqLineEditor.h"
#include "model/CharCode.h"
#include "model/Sequences.h"

#include <memory>
#include <vector>

class QPushButton;

namespace qx::ui {

/// What the line-wise sequence number dialog edits: a text line and its definitions in token order.
struct SeqLine {
    model::CodeList chars;
    std::vector<model::tagSEQ_V900> sequences;
    friend bool operator==(const SeqLine&, const SeqLine&) = default;
};

/// The sequence number dialog of models 5 to 10: the whole text line with all its sequence
/// numbers. "挿入" puts a new number at the caret (or over the selection), "編集" changes the one
/// selected; the allowances of block and document, worked out by the caller, bound how many
/// the line may hold.
class CSeqDlgV12 final : public CSeqDlgV9 {
    Q_OBJECT

public:
    CSeqDlgV12(const model::Catalogue& catalogue, output::Prompter& prompter, const SeqLine& line,
               bool pitchLengthMode, const model::SequenceAllowance& allowance, QWidget* parent = nullptr,
               const SeqLineEditorFactory& editorFactory = {});
    ~CSeqDlgV12() override;

    /// The edited line, once OK has passed.
    [[nodiscard]] const SeqLine& result() const { return m_result; }
    [[nodiscard]] SeqLineEditor& lineEditor() const { return *m_editor; }

    /// The limit check of one more number in place of the selected ones: 0, or the message.
    [[nodiscard]] int limitCheck() const;

    void accept() override;

private:
    void onSelectionChanged();
    void insertSequence();
    void editSequence();
    void refreshButtons();

    bool m_pitchLengthMode;
    model::SequenceAllowance m_allowance;
    std::unique_ptr<SeqLineEditor> m_editor;
    QPushButton* m_insert = nullptr;
    QPushButton* m_edit = nullptr;
    SeqTokenRange m_selected;
    bool m_oneToken = false;
    SeqLine m_result;
};

} // namespace qx::ui
