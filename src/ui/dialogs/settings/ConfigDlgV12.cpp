#include "ui/dialogs/settings/ConfigDlgV12.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qx::ui {

namespace {
constexpr int PrintFontList = 14;
}

CConfigDlgV12::CConfigDlgV12(const ConfigDlgSetup& setup, QWidget* parent) : CConfigDlgV9(setup, parent) {}

void CConfigDlgV12::addVariantControls(QGridLayout& grid) {
    CConfigDlgV9::addVariantControls(grid);
    const int row = grid.rowCount();
    grid.addWidget(new QLabel(QStringLiteral("印刷ﾌｫﾝﾄ"), this), row, 0);
    m_printFont = new QComboBox(this);
    m_printFont->setObjectName(QStringLiteral("printFont"));
    grid.addWidget(m_printFont, row, 1, 1, 2);
}

void CConfigDlgV12::writeVariant(const model::OperatorSettings& settings) {
    CConfigDlgV9::writeVariant(settings);
    ConfigDlgFields::fillChoices(*m_printFont, catalogue(), PrintFontList, settings.printFont);
}

void CConfigDlgV12::readVariant(model::OperatorSettings& settings) const {
    CConfigDlgV9::readVariant(settings);
    settings.printFont = static_cast<std::uint8_t>(ConfigDlgFields::selectedValue(*m_printFont, settings.printFont));
}

} // namespace qx::ui
