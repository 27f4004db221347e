#include "ui/dialogs/settings/ConfigDialogs.h"

#include "ui/EditorContext.h"
#include "ui/dialogs/settings/ConfigDlg.h"
#include "ui/dialogs/settings/ConfigDlgV14.h"
#include "model/Catalogue.h"

#include <QDialog>

namespace qx::ui {

std::unique_ptr<ConfigDlgInterface> createConfigDialog(const ConfigDlgSetup& setup, QWidget* parent) {
    const model::ModelType model = setup.catalogue.model();
    if (model::isFirstGeneration(model)) {
        return std::make_unique<CConfigDlg>(setup, parent);
    }
    std::unique_ptr<CConfigDlgV9> dialog;
    if (model >= 8) {
        dialog = std::make_unique<CConfigDlgV14>(setup, parent);
    } else if (model >= 5) {
        dialog = std::make_unique<CConfigDlgV12>(setup, parent);
    } else {
        dialog = std::make_unique<CConfigDlgV9>(setup, parent);
    }
    dialog->initialise();
    return dialog;
}

bool runEnvironmentSettings(QWidget* parent, const EditorContext& context) {
    ConfigDlgSetup setup{context.catalogue, context.prompter, context.settings, {}};
    if (!model::isFirstGeneration(context.catalogue.model())) {
        setup.namedSets = output::LoadPrintSettings(context.printSettingsFolder, context.catalogue);
    }
    const std::unique_ptr<ConfigDlgInterface> dialog = createConfigDialog(setup, parent);
    if (dialog->dialog().exec() != QDialog::Accepted) {
        return false;
    }
    context.settings = dialog->confirmedSettings();
    if (dialog->hasNamedSets()) {
        output::showSaveFailure(output::SavePrintSettings(context.printSettingsFolder, dialog->namedSets()),
                                context.prompter);
    }
    return true;
}

} // namespace qx::ui
