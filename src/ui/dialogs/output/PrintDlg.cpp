#include "ui/dialogs/output/PrintDlg.h"

namespace qx::ui {

CPrintDlg::CPrintDlg(const PrintDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_catalogue(setup.catalogue), m_settings(setup.settings), m_data(setup.data),
      m_prompter(setup.prompter), m_opened(setup.options), m_confirmed(setup.options),
      m_controls(*this, setup.catalogue, setup.data) {
    setObjectName(QStringLiteral("printDialog"));
    m_controls.write(m_opened);
    m_controls.applyEnabling(false);
    m_controls.showRunTotals(m_settings, {});
    m_controls.addButtons();
}

void CPrintDlg::accept() {
    output::PrintOptions start = m_opened;
    m_controls.readSwitches(start);
    // The QX-790 prints every piece once: no print pattern doubles a count.
    start.printType = 0;
    const output::PrintFieldCheck check =
        output::checkPrintFields(m_catalogue, m_settings, m_data, start, m_controls.typedFields());
    if (!check.ok) {
        m_controls.refuse(check, m_prompter);
        return;
    }
    m_confirmed = check.options;
    m_confirmed.printType = m_opened.printType;
    QDialog::accept();
}

} // namespace qx::ui
