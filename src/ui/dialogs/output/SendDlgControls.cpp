#include "ui/dialogs/output/SendDlgControls.h"

#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "output/NumberField.h"
#include "output/Prompter.h"

#include <QButtonGroup>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qx::ui {

SendDlgControls::SendDlgControls(QDialog& dialog) : m_dialog(dialog) {
    m_dialog.setWindowTitle(QStringLiteral("送信"));
    m_main = new QVBoxLayout(&m_dialog);
    auto* box = new QGroupBox(QStringLiteral("送信先"), &dialog);
    auto* grid = new QGridLayout(box);
    m_mode = new QButtonGroup(&dialog);
    auto* input = new QRadioButton(QStringLiteral("プリンタの入力文書に送信"), box);
    input->setObjectName(QStringLiteral("modeInput"));
    auto* memory = new QRadioButton(QStringLiteral("プリンタの文書メモリに保存"), box);
    memory->setObjectName(QStringLiteral("modeMemory"));
    m_mode->addButton(input, 0);
    m_mode->addButton(memory, 1);
    input->setChecked(true);
    grid->addWidget(input, 0, 0, 1, 3);
    grid->addWidget(memory, 1, 0, 1, 3);
    m_numberLabel = new QLabel(QStringLiteral("文書番号"), box);
    m_number = new CTargetDlgSpinEdit(0, box);
    m_number->setObjectName(QStringLiteral("documentNumber"));
    grid->addWidget(m_numberLabel, 2, 1);
    grid->addWidget(m_number, 2, 2);
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(3, 1);
    m_extra = new QVBoxLayout;
    grid->addLayout(m_extra, 3, 1, 1, 3);
    m_main->addWidget(box);
}

void SendDlgControls::addButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), &m_dialog);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &m_dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    row->addWidget(ok);
    row->addWidget(cancel);
    m_main->addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, &m_dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &m_dialog, &QDialog::reject);
}

int SendDlgControls::mode() const { return m_mode->checkedId() == 1 ? 1 : 0; }

void SendDlgControls::enableNumber(bool enabled) {
    m_numberLabel->setEnabled(enabled);
    m_number->setEnabled(enabled);
}

void SendDlgControls::setNumberRange(const model::Catalogue& catalogue) {
    const model::SettingRange& range = catalogue.settingRange(model::SettingRow::MemoryNumber);
    m_number->setRange(range.lower, range.upper);
    m_number->setPosition(range.defaultValue);
}

bool SendDlgControls::checkNumber(const model::Catalogue& catalogue, output::Prompter& prompter,
                                  int& number) const {
    const model::SettingRange& range = catalogue.settingRange(model::SettingRow::MemoryNumber);
    const output::FieldCheck field = output::checkIntegerField(m_number->text().toStdString(), range.lower,
                                                               range.upper);
    if (!field.ok) {
        prompter.showText(field.messageId, field.message);
        m_number->focusAndSelect();
        return false;
    }
    number = field.value;
    return true;
}

} // namespace qx::ui
