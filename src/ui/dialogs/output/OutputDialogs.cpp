#include "ui/dialogs/output/OutputDialogs.h"

#include "ui/dialogs/output/PrintDlg.h"
#include "ui/dialogs/output/PrintDlgV12.h"
#include "ui/dialogs/output/PrintDlgV9.h"
#include "ui/dialogs/output/SendDlg.h"
#include "ui/dialogs/output/SendDlgV12.h"
#include "ui/dialogs/output/SendDlgV9.h"
#include "model/Catalogue.h"

namespace qx::ui {

std::unique_ptr<PrintDlgInterface> createPrintDialog(const PrintDlgSetup& setup, QWidget* parent) {
    const model::ModelType model = setup.catalogue.model();
    if (model == model::models::QX780) {
        return nullptr;
    }
    if (model == model::models::QX790) {
        return std::make_unique<CPrintDlg>(setup, parent);
    }
    std::unique_ptr<CPrintDlgV9> dialog = model::isLaterGeneration(model)
                                              ? std::make_unique<CPrintDlgV12>(setup, parent)
                                              : std::make_unique<CPrintDlgV9>(setup, parent);
    dialog->initialise();
    return dialog;
}

std::unique_ptr<SendDlgInterface> createSendDialog(const SendDlgSetup& setup, QWidget* parent) {
    const model::ModelType model = setup.catalogue.model();
    if (model == model::models::QX780) {
        return nullptr;
    }
    if (model == model::models::QX790) {
        return std::make_unique<CSendDlg>(setup, parent);
    }
    std::unique_ptr<CSendDlgV9> dialog = model::isLaterGeneration(model)
                                             ? std::make_unique<CSendDlgV12>(setup, parent)
                                             : std::make_unique<CSendDlgV9>(setup, parent);
    dialog->initialise();
    return dialog;
}

} // namespace qx::ui
