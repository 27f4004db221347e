#pragma once

#include "ui/dialogs/settings/ConfigDlgFields.h"
#include "ui/dialogs/settings/ConfigDlgInterface.h"

#include <QDialog>

namespace qx::ui {

/// The environment settings of the QX-780 and QX-790: the editing defaults only.
class CConfigDlg final : public QDialog, public ConfigDlgInterface {
    Q_OBJECT

public:
    explicit CConfigDlg(const ConfigDlgSetup& setup, QWidget* parent = nullptr);

    QDialog& dialog() override { return *this; }
    const model::OperatorSettings& confirmedSettings() const override { return m_settings; }
    const std::vector<output::PrintSettingEntry>& namedSets() const override { return m_none; }
    bool hasNamedSets() const override { return false; }

    void accept() override;

private:
    output::Prompter& m_prompter;
    model::OperatorSettings m_settings;
    std::vector<output::PrintSettingEntry> m_none;
    ConfigDlgFields m_fields;
};

} // namespace qx::ui
