#pragma once

#include "ui/dialogs/output/PrintDlgControls.h"
#include "ui/dialogs/output/PrintDlgInterface.h"

#include <QDialog>

namespace qx::ui {

/// The print dialog of the QX-790: the block range, copies and total-length correction, then the
/// machine parameters. Its OK checks the run before the cut and vertical positions.
class CPrintDlg final : public QDialog, public PrintDlgInterface {
    Q_OBJECT

public:
    explicit CPrintDlg(const PrintDlgSetup& setup, QWidget* parent = nullptr);

    QDialog& dialog() override { return *this; }
    const output::PrintOptions& confirmedOptions() const override { return m_confirmed; }

    void accept() override;

private:
    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
    const model::EditData& m_data;
    output::Prompter& m_prompter;
    output::PrintOptions m_opened;
    output::PrintOptions m_confirmed;
    PrintDlgControls m_controls;
};

} // namespace qx::ui
