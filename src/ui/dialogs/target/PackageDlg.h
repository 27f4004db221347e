#pragma once

#include "ui/EditorContext.h"
#include "ui/dialogs/target/TargetRules.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;

namespace qx::output {
class Prompter;
}

namespace qx::ui {

class CTargetDlgSpinEdit;

/// The bulk change (一括変更) of one block attribute: a list for size, width, underline and
/// reverse, a number with up-down arrows for the continuous count and the pitch. The caller
/// applies the value to the blocks.
class CPackageDlg final : public QDialog {
    Q_OBJECT

public:
    CPackageDlg(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                output::Prompter& prompter, int targetKind, PackageItem item, QWidget* parent = nullptr);

    const PackageItemSpec& entry() const { return m_item; }
    /// The chosen value (list value, count, or pitch in tenths); meaningful once accepted.
    int value() const { return m_value; }

    void accept() override;

private:
    PackageItemSpec m_item;
    output::Prompter& m_prompter;
    QComboBox* m_list = nullptr;
    CTargetDlgSpinEdit* m_edit = nullptr;
    int m_value = 0;
};

/// Runs the bulk change of `item` for a document of `targetKind` modally; the value, or nullopt
/// when cancelled.
std::optional<int> runPackageDialog(QWidget* parent, const EditorContext& context, int targetKind,
                                    PackageItem item);

} // namespace qx::ui
