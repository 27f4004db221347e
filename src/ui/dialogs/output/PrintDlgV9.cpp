#include "ui/dialogs/output/PrintDlgV9.h"

#include "model/TextConversion.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>

namespace qx::ui {

CPrintDlgV9::CPrintDlgV9(const PrintDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_catalogue(setup.catalogue), m_settings(setup.settings), m_data(setup.data),
      m_prompter(setup.prompter), m_opened(setup.options), m_confirmed(setup.options),
      m_namedSets(setup.namedSets), m_controls(*this, setup.catalogue, setup.data) {
    setObjectName(QStringLiteral("printDialog"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("名前"), this));
    m_names = new QComboBox(this);
    m_names->setObjectName(QStringLiteral("settingName"));
    m_names->setMinimumContentsLength(16);
    row->addWidget(m_names, 1);
    m_controls.topLayout().addLayout(row);
    connect(m_names, &QComboBox::activated, this, &CPrintDlgV9::chooseNamedSet);
}

void CPrintDlgV9::initialise() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    m_controls.write(m_opened);
    setupControls();
    m_controls.showRunTotals(m_settings, [this] { return countedPattern(); });
    m_controls.addButtons();
}

void CPrintDlgV9::setupControls() {
    m_controls.applyEnabling(true);
    for (const output::PrintSettingEntry& entry : m_namedSets) {
        m_names->addItem(QString::fromStdString(model::sjisToUtf8(entry.name)));
    }
    m_names->setCurrentIndex(-1);
}

void CPrintDlgV9::chooseNamedSet(int index) {
    if (index < 0 || index >= static_cast<int>(m_namedSets.size())) {
        return;
    }
    const output::PrintSettingEntry& entry = m_namedSets[static_cast<std::size_t>(index)];
    m_controls.showNamedValues(entry.cutPos, entry.offsetY, entry.heatVol);
}

bool CPrintDlgV9::checkInput() {
    output::PrintOptions start = m_opened;
    m_controls.readSwitches(start);
    start.printType = static_cast<std::int16_t>(countedPattern());
    const output::PrintFieldCheck check =
        output::checkPrintFields(m_catalogue, m_settings, m_data, start, m_controls.typedFields());
    if (!check.ok) {
        m_controls.refuse(check, m_prompter);
        return false;
    }
    m_confirmed = check.options;
    m_confirmed.printType = m_opened.printType;
    return true;
}

void CPrintDlgV9::accept() {
    if (checkInput()) {
        QDialog::accept();
    }
}

} // namespace qx::ui
