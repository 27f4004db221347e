#pragma once

#include "ui/dialogs/output/PrintDlgInterface.h"
#include "ui/dialogs/output/SendDlgInterface.h"

#include <memory>

class QWidget;

namespace qx::ui {

/// The print dialog of the catalogue's model, set up and ready to run: CPrintDlg for the QX-790,
/// CPrintDlgV9 for the QX-900W to QX-950, CPrintDlgV12 from the QX-900W2 on; nothing for the
/// QX-780, which prints from its own keyboard only.
std::unique_ptr<PrintDlgInterface> createPrintDialog(const PrintDlgSetup& setup, QWidget* parent = nullptr);

/// The send dialog of the catalogue's model: CSendDlg, CSendDlgV9 or CSendDlgV12; nothing for the
/// QX-780, whose sends go straight to the input document.
std::unique_ptr<SendDlgInterface> createSendDialog(const SendDlgSetup& setup, QWidget* parent = nullptr);

} // namespace qx::ui
