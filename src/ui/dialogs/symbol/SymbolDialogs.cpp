#include "ui/dialogs/symbol/SymbolDialogs.h"

#include "ui/dialogs/symbol/MarkDlg.h"
#include "ui/grid/CellEdit.h"
#include "model/Catalogue.h"
#include "render/PrintFont.h"
#include "render/SymbolCatalogue.h"
#include "render/SymbolPictures.h"

#include <QSignalBlocker>

#include <memory>

namespace qx::ui {

namespace {

/// The run's symbol catalogue and pictures, or ones of this dialog's own where the context
/// carries none.
class SymbolSources final {
public:
    explicit SymbolSources(const EditorContext& context) {
        if (context.symbolCatalogue == nullptr) {
            m_ownCatalogue = std::make_unique<render::SymbolCatalogue>(context.catalogue.model());
        }
        if (context.symbolPictures == nullptr) {
            m_ownPictures = std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily());
        }
        m_catalogue = m_ownCatalogue ? m_ownCatalogue.get() : context.symbolCatalogue;
        m_pictures = m_ownPictures ? m_ownPictures.get() : context.symbolPictures;
    }

    const render::SymbolCatalogue& catalogue() const { return *m_catalogue; }
    const render::SymbolPictures& pictures() const { return *m_pictures; }

private:
    std::unique_ptr<render::SymbolCatalogue> m_ownCatalogue;
    std::unique_ptr<render::SymbolPictures> m_ownPictures;
    const render::SymbolCatalogue* m_catalogue = nullptr;
    const render::SymbolPictures* m_pictures = nullptr;
};

} // namespace

std::optional<model::CharCode> runSymbolDialog(QWidget* parent, const EditorContext& context) {
    const SymbolSources sources(context);
    CMarkDlg dialog(sources.catalogue(), sources.pictures(), context.store, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.code();
}

std::optional<SymbolLine> runLineSymbolDialog(QWidget* parent, const EditorContext& context, const SymbolLine& line,
                                              int characterLimit) {
    const SymbolSources sources(context);
    CMarkDlgV9 dialog({sources.catalogue(), sources.pictures(), context.prompter, context.store,
                       context.catalogue.model(), line, characterLimit},
                      parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.editedLine();
}

bool runEditorSymbolDialog(QWidget* parent, const EditorContext& context, CCellEdit& editor) {
    bool confirmed = false;
    // The dialog takes the focus from the editor; that is no end of the cell's edit.
    auto blocker = std::make_unique<QSignalBlocker>(editor);
    if (context.catalogue.model() < 2) {
        if (const auto code = runSymbolDialog(parent, context)) {
            blocker.reset();
            editor.insertToken(*code);
            confirmed = true;
        }
    } else {
        // Opened on an empty editor the line is being replaced: its definitions go with it.
        const CellLineContext held = editor.lineAllowances();
        if (const auto edited = runLineSymbolDialog(parent, context, {editor.cellText(), held.sequences})) {
            blocker.reset();
            editor.loadDialogResult(edited->tokenForm, edited->sequences);
            confirmed = true;
        }
    }
    blocker.reset();
    editor.setFocus(Qt::OtherFocusReason);
    return confirmed;
}

} // namespace qx::ui
