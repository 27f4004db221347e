#include "ui/dialogs/settings/ConfigDlg.h"

#include "ui/dialogs/settings/ConfigDlgButtons.h"

#include <QVBoxLayout>

namespace qx::ui {

CConfigDlg::CConfigDlg(const ConfigDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_prompter(setup.prompter), m_settings(setup.settings),
      m_fields(*this, setup.catalogue, true) {
    setObjectName(QStringLiteral("configDialog"));
    setWindowTitle(QStringLiteral("環境設定"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&m_fields.box());
    addConfigDlgButtons(*this, *layout);
    m_fields.write(m_settings);
}

void CConfigDlg::accept() {
    if (m_fields.read(m_settings, m_prompter)) {
        QDialog::accept();
    }
}

} // namespace qx::ui
