#include "ui/dialogs/target/TargetDlgV9.h"

namespace qx::ui {

CTargetDlgV9::CTargetDlgV9(const TargetDlgSetup& setup, QWidget* parent)
    : CTargetDlgV9(setup, TargetDlgVariant::V9, parent) {}

CTargetDlgV9::CTargetDlgV9(const TargetDlgSetup& setup, TargetDlgVariant variant, QWidget* parent)
    : QDialog(parent), m_prompter(setup.prompter), m_initial(setup.initial), m_original(setup.target),
      m_confirmed(setup.target), m_rules(setup.catalogue, variant), m_controls(*this, m_rules) {
    setObjectName(QStringLiteral("CTargetDlg"));
    setWindowTitle(TargetDlgControls::title(setup.newDocument));
    m_controls.setChangeHandler([this](TargetChange change) { onChange(change); });
}

void CTargetDlgV9::initialise() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    addVariantControls();
    m_controls.addButtons();
    m_form = m_rules.openingForm(m_original, m_initial);
    showForm();
}

void CTargetDlgV9::addVariantControls() {}

void CTargetDlgV9::writeVariantControls(const TargetForm&, const TargetEnabling&) {}

void CTargetDlgV9::readVariantControls(TargetForm&) const {}

TargetEnabling CTargetDlgV9::applyRules(TargetForm& form) const {
    return m_rules.applyFamilyRules(form);
}

void CTargetDlgV9::onChange(TargetChange change) {
    m_controls.read(m_form);
    readVariantControls(m_form);
    if (change == TargetChange::Target) {
        m_rules.targetChanged(m_form, m_form.targetIndex);
    } else if (change == TargetChange::Size) {
        m_rules.sizeChanged(m_form, m_form.sizeIndex);
    }
    showForm();
}

void CTargetDlgV9::showForm() {
    const TargetEnabling enabling = applyRules(m_form);
    m_controls.write(m_form, enabling);
    m_controls.whileWriting([&] { writeVariantControls(m_form, enabling); });
}

void CTargetDlgV9::accept() {
    initialise();
    m_controls.read(m_form);
    readVariantControls(m_form);
    if (m_controls.confirm(m_form, m_original, m_prompter, m_confirmed)) {
        QDialog::accept();
    }
}

} // namespace qx::ui
