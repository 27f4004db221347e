#include "ui/dialogs/settings/ConfigDlgV14.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace qx::ui {

CConfigDlgV14::CConfigDlgV14(const ConfigDlgSetup& setup, QWidget* parent) : CConfigDlgV12(setup, parent) {}

void CConfigDlgV14::addVariantControls(QGridLayout& grid) {
    CConfigDlgV12::addVariantControls(grid);
    const int row = grid.rowCount();
    grid.addWidget(new QLabel(QStringLiteral("ｾﾞﾛｽﾗｯｼｭ"), this), row, 0);
    auto* buttons = new QHBoxLayout;
    m_on = new QRadioButton(QStringLiteral("あり"), this);
    m_on->setObjectName(QStringLiteral("zeroSlashOn"));
    m_off = new QRadioButton(QStringLiteral("なし"), this);
    m_off->setObjectName(QStringLiteral("zeroSlashOff"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_on);
    group->addButton(m_off);
    buttons->addWidget(m_on);
    buttons->addWidget(m_off);
    buttons->addStretch(1);
    grid.addLayout(buttons, row, 1, 1, 3);
}

void CConfigDlgV14::writeVariant(const model::OperatorSettings& settings) {
    CConfigDlgV12::writeVariant(settings);
    (settings.zeroSlash > 0 ? m_on : m_off)->setChecked(true);
}

void CConfigDlgV14::readVariant(model::OperatorSettings& settings) const {
    CConfigDlgV12::readVariant(settings);
    settings.zeroSlash = m_on->isChecked() ? 1 : 0;
}

} // namespace qx::ui
