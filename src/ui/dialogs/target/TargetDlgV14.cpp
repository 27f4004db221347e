#include "ui/dialogs/target/TargetDlgV14.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

namespace qx::ui {

CTargetDlgV14::CTargetDlgV14(const TargetDlgSetup& setup, QWidget* parent)
    : CTargetDlgV12(setup, TargetDlgVariant::V14, parent) {}

void CTargetDlgV14::addVariantControls() {
    CTargetDlgV12::addVariantControls();
    auto* box = new QGroupBox(QStringLiteral("ｾﾞﾛｽﾗｯｼｭ"), this);
    auto* row = new QHBoxLayout(box);
    m_zeroSlash = new QButtonGroup(box);
    auto* on = new QRadioButton(QStringLiteral("あり"), box);
    on->setObjectName(QStringLiteral("zeroSlashRadio1"));
    auto* off = new QRadioButton(QStringLiteral("なし"), box);
    off->setObjectName(QStringLiteral("zeroSlashRadio0"));
    m_zeroSlash->addButton(on, 1);
    m_zeroSlash->addButton(off, 0);
    row->addWidget(on);
    row->addWidget(off);
    row->addStretch();
    controls().extraLayout().addWidget(box);
}

void CTargetDlgV14::writeVariantControls(const TargetForm& form, const TargetEnabling& enabling) {
    CTargetDlgV12::writeVariantControls(form, enabling);
    if (QAbstractButton* button = m_zeroSlash->button(form.zeroSlash > 0 ? 1 : 0)) {
        button->setChecked(true);
    }
}

void CTargetDlgV14::readVariantControls(TargetForm& form) const {
    CTargetDlgV12::readVariantControls(form);
    if (m_zeroSlash->checkedButton() != nullptr) {
        form.zeroSlash = m_zeroSlash->checkedId();
    }
}

} // namespace qx::ui
