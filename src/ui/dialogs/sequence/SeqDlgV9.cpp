#include "ui/dialogs/sequence/SeqDlgV9.h"

namespace qx::ui {

CSeqDlgV9::CSeqDlgV9(const model::Catalogue& catalogue, output::Prompter& prompter,
                     const std::optional<model::tagSEQ_V900>& definition, QWidget* parent)
    : QDialog(parent), m_catalogue(catalogue), m_prompter(prompter),
      m_working(definition.value_or(model::tagSEQ_V900{})), m_controls(*this, catalogue, true) {
    setObjectName(QStringLiteral("CSeqDlgV9"));
    m_controls.show(m_working);
}

bool CSeqDlgV9::readControls() { return m_controls.check(m_prompter, m_working); }

void CSeqDlgV9::accept() {
    if (readControls()) {
        QDialog::accept();
    }
}

} // namespace qx::ui
