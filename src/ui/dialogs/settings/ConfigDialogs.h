#pragma once

#include "ui/dialogs/settings/ConfigDlgInterface.h"

#include <memory>

class QWidget;

namespace qx::ui {

struct EditorContext;

/// The environment settings dialog of the catalogue's model, ready to run: CConfigDlg for the
/// QX-780 and QX-790, CConfigDlgV9 to the QX-950, CConfigDlgV12 to the QX-950A2, CConfigDlgV14 on.
std::unique_ptr<ConfigDlgInterface> createConfigDialog(const ConfigDlgSetup& setup, QWidget* parent = nullptr);

/// Command 32774: the dialog on the operator's settings and the model's named sets; on OK the
/// settings take the dialog's values and the named sets are saved. True when confirmed.
bool runEnvironmentSettings(QWidget* parent, const EditorContext& context);

} // namespace qx::ui
