#pragma once

// Where the symbol input dialogs are opened from: the document window's 記号入力 command, the text
// cell editor's menu item and the send dialog's symbol button. Each picks the dialog class of the
// model and takes the run's symbol catalogue and pictures from the editor context (made on the
// spot when the context has none).

#include "ui/EditorContext.h"
#include "ui/dialogs/symbol/MarkDlgV9.h"
#include "model/CharCode.h"

#include <optional>

class QWidget;

namespace qx::ui {

class CCellEdit;

/// Models 0 and 1 (CMarkDlg): the one symbol chosen, or nothing when cancelled.
std::optional<model::CharCode> runSymbolDialog(QWidget* parent, const EditorContext& context);

/// Models from 2 on (CMarkDlgV9): the edited line, or nothing when cancelled. `characterLimit`
/// bounds the line's length (0: none).
std::optional<SymbolLine> runLineSymbolDialog(QWidget* parent, const EditorContext& context, const SymbolLine& line,
                                              int characterLimit = 0);

/// The cell editor's 記号入力: below model 2 the selection becomes one "{記号}" carrying the chosen
/// code; from model 2 on the editor takes over the dialog's line and definitions. The focus
/// returns to the editor. Returns whether the dialog was confirmed.
bool runEditorSymbolDialog(QWidget* parent, const EditorContext& context, CCellEdit& editor);

} // namespace qx::ui
