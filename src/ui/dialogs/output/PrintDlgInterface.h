#pragma once

#include "model/EditData.h"
#include "output/PrintOptions.h"
#include "output/PrintSettingsStore.h"

#include <vector>

class QDialog;

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {
class Prompter;
}

namespace qx::ui {

/// What every print dialog is opened with.
struct PrintDlgSetup {
    const model::Catalogue& catalogue;
    const model::OperatorSettings& settings;
    const model::EditData& data;  ///< the document copy with every automatic size resolved
    output::Prompter& prompter;   ///< the messages of OK's checks
    output::PrintOptions options; ///< stored form, as the print command prepared them
    std::vector<output::PrintSettingEntry> namedSets; ///< offered under "名前" (QX-900W on)
};

/// What the print command and the tests use of every print dialog, whichever class it is.
class PrintDlgInterface {
public:
    virtual ~PrintDlgInterface() = default;

    virtual QDialog& dialog() = 0;
    /// The options of the job (stored form); meaningful once the dialog has been accepted.
    virtual const output::PrintOptions& confirmedOptions() const = 0;

protected:
    PrintDlgInterface() = default;
    PrintDlgInterface(const PrintDlgInterface&) = default;
    PrintDlgInterface& operator=(const PrintDlgInterface&) = default;
};

} // namespace qx::ui
