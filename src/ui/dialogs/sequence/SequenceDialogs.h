#pragma once

// Where the sequence number dialogs are opened from: the document window's 連番設定 command and
// the text cell editor's menu item. Each picks the dialog class of the model.

#include "ui/EditorContext.h"
#include "ui/dialogs/sequence/SeqDlgV12.h"
#include "model/Sequences.h"

#include <optional>

class QWidget;

namespace qx::ui {

class CCellEdit;

/// Models 0 to 4: the block's one definition (CSeqDlg, CSeqDlgV9), started from `current` when
/// the block has one. The confirmed definition, or nothing when cancelled.
std::optional<model::tagSEQ_V900> runBlockSequenceDialog(QWidget* parent, const EditorContext& context,
                                                         const std::optional<model::tagSEQ_V900>& current);

/// Models 5 to 10: the line and its definitions (CSeqDlgV12). The edited line, or nothing when
/// cancelled.
std::optional<SeqLine> runLineSequenceDialog(QWidget* parent, const EditorContext& context, const SeqLine& line,
                                             bool pitchLengthMode, const model::SequenceAllowance& allowance);

/// The cell editor's 連番設定: below model 5 the selection becomes one "{連番}" carrying the
/// dialog's definition, which is then the editor's only one; from model 5 on the editor takes
/// over the dialog's line and definitions. The focus returns to the editor. Returns whether the
/// dialog was confirmed.
bool runEditorSequenceDialog(QWidget* parent, const EditorContext& context, CCellEdit& editor);

} // namespace qx::ui
