#include "ui/dialogs/output/SendDlg.h"

#include <QButtonGroup>

namespace qx::ui {

CSendDlg::CSendDlg(const SendDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_catalogue(setup.catalogue), m_prompter(setup.prompter), m_name(setup.documentName),
      m_controls(*this) {
    setObjectName(QStringLiteral("sendDialog"));
    m_controls.setNumberRange(m_catalogue);
    m_controls.enableNumber(false);
    m_controls.addButtons();
    connect(&m_controls.modeGroup(), &QButtonGroup::idToggled, this,
            [this] { m_controls.enableNumber(m_controls.mode() == 1); });
}

SendMode CSendDlg::mode() const {
    return m_controls.mode() == 1 ? SendMode::DocumentMemory : SendMode::InputDocument;
}

void CSendDlg::accept() {
    if (m_controls.mode() == 1 && !m_controls.checkNumber(m_catalogue, m_prompter, m_number)) {
        return;
    }
    QDialog::accept();
}

} // namespace qx::ui
