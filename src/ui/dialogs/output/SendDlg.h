#pragma once

#include "ui/dialogs/output/SendDlgControls.h"
#include "ui/dialogs/output/SendDlgInterface.h"

#include <QDialog>

namespace qx::ui {

/// The send dialog of the QX-790: the printer's input document or one of its document memories.
class CSendDlg final : public QDialog, public SendDlgInterface {
    Q_OBJECT

public:
    explicit CSendDlg(const SendDlgSetup& setup, QWidget* parent = nullptr);

    QDialog& dialog() override { return *this; }
    SendMode mode() const override;
    int documentNumber() const override { return m_number; }
    std::array<std::int16_t, 11> documentName() const override { return m_name; }

    void accept() override;

private:
    const model::Catalogue& m_catalogue;
    output::Prompter& m_prompter;
    std::array<std::int16_t, 11> m_name;
    SendDlgControls m_controls;
    int m_number = 0;
};

} // namespace qx::ui
