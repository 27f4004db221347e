#pragma once

#include "model/OperatorSettings.h"
#include "output/PrintSettingsStore.h"

#include <vector>

class QDialog;

namespace qx::model {
class Catalogue;
}

namespace qx::output {
class Prompter;
}

namespace qx::ui {

/// What every environment settings dialog is opened with.
struct ConfigDlgSetup {
    const model::Catalogue& catalogue;
    output::Prompter& prompter;
    model::OperatorSettings settings;               ///< the working copy
    std::vector<output::PrintSettingEntry> namedSets; ///< the model's named print settings
};

/// What the command and the tests use of every environment settings dialog.
class ConfigDlgInterface {
public:
    virtual ~ConfigDlgInterface() = default;

    virtual QDialog& dialog() = 0;
    /// Meaningful once accepted: the settings and the named sets as the operator left them.
    virtual const model::OperatorSettings& confirmedSettings() const = 0;
    virtual const std::vector<output::PrintSettingEntry>& namedSets() const = 0;
    /// Whether the dialog edits named sets (the QX-790 and QX-780 have none).
    virtual bool hasNamedSets() const = 0;

protected:
    ConfigDlgInterface() = default;
    ConfigDlgInterface(const ConfigDlgInterface&) = default;
    ConfigDlgInterface& operator=(const ConfigDlgInterface&) = default;
};

} // namespace qx::ui
