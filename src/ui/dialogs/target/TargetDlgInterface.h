#pragma once

#include "ui/dialogs/target/TargetRules.h"
#include "model/EditData.h"

class QDialog;

namespace qx::output {
class Prompter;
}

namespace qx::ui {

/// What every variant of the target settings dialog is opened with.
struct TargetDlgSetup {
    const model::Catalogue& catalogue;
    output::Prompter& prompter;   ///< the messages of OK's checks
    model::TargetSettings target; ///< the document's settings as they are
    bool newDocument = false;     ///< selects the title "印刷物設定 (新規作成)"
    TargetDlgInitial initial;     ///< frame spacing, print font, slashed zero and label fields
};

/// What the runner and the tests use of every variant, whichever class it is.
class TargetDlgInterface {
public:
    virtual ~TargetDlgInterface() = default;

    virtual QDialog& dialog() = 0;
    virtual TargetDlgVariant variant() const = 0;
    /// The settings the operator confirmed; meaningful once the dialog has been accepted.
    virtual const model::TargetSettings& confirmedSettings() const = 0;

protected:
    TargetDlgInterface() = default;
    TargetDlgInterface(const TargetDlgInterface&) = default;
    TargetDlgInterface& operator=(const TargetDlgInterface&) = default;
};

} // namespace qx::ui
