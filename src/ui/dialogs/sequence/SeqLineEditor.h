#pragma once

// The line editor of the line-wise sequence number dialog and the preview of its text, behind one
// small interface so that the dialog does not depend on which editor it gets. The editor keeps
// each marker token's definition with it: definition i always belongs to the i-th "{連番}", and a
// token deleted in the editor takes its definition along.

#include "model/ModelType.h"
#include "model/SequenceDefinition.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace qx::render {
class SymbolPictures;
}

namespace qx::ui {

/// The sequence tokens a selection covers: the index of the first in the line's definition list
/// (for an empty selection, of the token after the caret) and how many.
struct SeqTokenRange {
    int first = 0;
    int count = 0;
    friend bool operator==(const SeqTokenRange&, const SeqTokenRange&) = default;
};

class SeqLineEditor {
public:
    virtual ~SeqLineEditor() = default;

    /// The editor (1172) and the preview with its scroll bar (1173, 1175); the dialog lays them out.
    [[nodiscard]] virtual QWidget& editorWidget() = 0;
    [[nodiscard]] virtual QWidget& previewWidget() = 0;

    /// Loads a line in token form with its definitions; the caret goes to the end.
    virtual void load(const QString& tokenForm, std::vector<model::tagSEQ_V900> sequences) = 0;
    /// The edited line in token form ("0xHHHH" in double quotes for a special code).
    [[nodiscard]] virtual QString tokenForm() const = 0;
    [[nodiscard]] virtual const std::vector<model::tagSEQ_V900>& sequences() const = 0;

    [[nodiscard]] virtual SeqTokenRange selectedTokens() const = 0;
    /// Replaces the selection by one sequence token carrying `definition` (the definitions of the
    /// tokens it covered go); the caret follows the new token.
    virtual void replaceSelection(const model::tagSEQ_V900& definition) = 0;
    /// Gives token `index` a new definition; the selection stays.
    virtual void setSequence(int index, const model::tagSEQ_V900& definition) = 0;

    /// Called after the selection (or the caret) moved, and after the text changed.
    virtual void setHandlers(std::function<void()> selectionChanged, std::function<void()> textChanged) = 0;
};

/// Makes the line editor of the dialog `parent` for a model.
using SeqLineEditorFactory = std::function<std::unique_ptr<SeqLineEditor>(QWidget& parent, model::ModelType)>;

/// The editor the dialog uses when its caller names none: the symbol-capable field and its preview,
/// drawing symbols with `pictures` (null: the preview makes its own).
std::unique_ptr<SeqLineEditor> createSeqLineEditor(QWidget& parent, model::ModelType model,
                                                   const render::SymbolPictures* pictures = nullptr);

} // namespace qx::ui
