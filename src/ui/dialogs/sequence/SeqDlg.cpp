#include "ui/dialogs/sequence/SeqDlg.h"

namespace qx::ui {

CSeqDlg::CSeqDlg(const model::Catalogue& catalogue, output::Prompter& prompter,
                 const std::optional<model::tagSEQ_V900>& definition, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_working(definition.value_or(model::tagSEQ_V900{})),
      m_controls(*this, catalogue, false) {
    setObjectName(QStringLiteral("CSeqDlg"));
    m_controls.show(m_working);
}

void CSeqDlg::accept() {
    if (m_controls.check(m_prompter, m_working)) {
        QDialog::accept();
    }
}

} // namespace qx::ui
