#include "ui/dialogs/output/PrintDlgControls.h"

#include "ui/RunTotalsText.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/TargetKind.h"
#include "output/NumberField.h"
#include "output/OutputValidation.h"
#include "output/Prompter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace qx::ui {

namespace {

using model::SettingRow;

QString tenthsText(int tenths) { return QString::fromStdString(output::formatTenths(tenths)); }

std::optional<std::string> textOf(const CTargetDlgSpinEdit* field) {
    if (!field->isEnabled()) {
        return std::nullopt;
    }
    return field->text().toStdString();
}

CTargetDlgSpinEdit* spinField(QDialog& dialog, const char* name, int decimals, int lower, int upper) {
    auto* field = new CTargetDlgSpinEdit(decimals, &dialog);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(lower, upper);
    return field;
}

} // namespace

PrintDlgControls::PrintDlgControls(QDialog& dialog, const model::Catalogue& catalogue, const model::EditData& data)
    : m_dialog(dialog), m_catalogue(catalogue), m_data(data) {
    m_dialog.setWindowTitle(QStringLiteral("印刷"));
    m_main = new QVBoxLayout(&m_dialog);
    m_top = new QVBoxLayout;
    m_main->addLayout(m_top);

    const int blocks = std::max(output::usedBlockCount(data), 1);
    const model::SettingRange& copies = catalogue.settingRange(SettingRow::Copies);
    const model::SettingRange& revision = catalogue.settingRange(SettingRow::LengthRevision);
    const model::SettingRange& cut = catalogue.settingRange(SettingRow::CutPosition);
    const model::SettingRange& offset = catalogue.settingRange(SettingRow::PrintOffsetY);
    m_copies = spinField(dialog, "copies", 0, copies.lower, copies.upper);
    m_start = spinField(dialog, "startBlock", 0, catalogue.settingRange(SettingRow::FirstBlock).lower, blocks);
    m_end = spinField(dialog, "endBlock", 0, catalogue.settingRange(SettingRow::LastBlock).lower, blocks);
    m_revision = spinField(dialog, "revision", 1, revision.lower, revision.upper);
    m_cut = spinField(dialog, "cutPosition", 1, cut.lower, cut.upper);
    m_offsetY = spinField(dialog, "printOffsetY", 0, offset.lower, offset.upper);

    auto* run = new QGroupBox(QStringLiteral("印刷範囲"), &dialog);
    auto* runGrid = new QGridLayout(run);
    m_copiesLabel = new QLabel(QStringLiteral("部数"), run);
    m_startLabel = new QLabel(QStringLiteral("開始ブロック"), run);
    m_endLabel = new QLabel(QStringLiteral("終了ブロック"), run);
    m_revisionLabel = new QLabel(QStringLiteral("全長補正"), run);
    m_revisionUnit = new QLabel(QStringLiteral("mm"), run);
    runGrid->addWidget(m_copiesLabel, 0, 0);
    runGrid->addWidget(m_copies, 0, 1);
    runGrid->addWidget(m_startLabel, 1, 0);
    runGrid->addWidget(m_start, 1, 1);
    runGrid->addWidget(m_endLabel, 2, 0);
    runGrid->addWidget(m_end, 2, 1);
    runGrid->addWidget(m_revisionLabel, 3, 0);
    runGrid->addWidget(m_revision, 3, 1);
    runGrid->addWidget(m_revisionUnit, 3, 2);
    m_runTotals = new QLabel(run);
    m_runTotals->setObjectName(QStringLiteral("runTotals"));
    runGrid->addWidget(m_runTotals, 4, 0, 1, 4);
    runGrid->setColumnStretch(3, 1);

    auto* machine = new QGroupBox(QStringLiteral("印字設定"), &dialog);
    auto* machineGrid = new QGridLayout(machine);
    machineGrid->addWidget(new QLabel(QStringLiteral("カット位置"), machine), 0, 0);
    machineGrid->addWidget(m_cut, 0, 1);
    machineGrid->addWidget(new QLabel(QStringLiteral("mm"), machine), 0, 2);
    machineGrid->addWidget(new QLabel(QStringLiteral("上下印字位置"), machine), 1, 0);
    machineGrid->addWidget(m_offsetY, 1, 1);
    m_frontFeed = new QCheckBox(QStringLiteral("先頭空送り"), machine);
    m_frontFeed->setObjectName(QStringLiteral("frontFeed"));
    m_lowTempMode = new QCheckBox(QStringLiteral("低速モード"), machine);
    m_lowTempMode->setObjectName(QStringLiteral("lowTempMode"));
    machineGrid->addWidget(m_frontFeed, 2, 0, 1, 3);
    machineGrid->addWidget(m_lowTempMode, 3, 0, 1, 3);
    machineGrid->addWidget(new QLabel(QStringLiteral("印字濃度"), machine), 4, 0);
    auto* density = new QHBoxLayout;
    const model::SettingRange& heat = catalogue.settingRange(SettingRow::HeatVolume);
    m_heatVol = new QSlider(Qt::Horizontal, machine);
    m_heatVol->setObjectName(QStringLiteral("heatVol"));
    m_heatVol->setRange(heat.lower, heat.upper);
    m_heatVol->setPageStep(1);
    m_heatVol->setTickPosition(QSlider::TicksBelow);
    m_heatVol->setTickInterval(1);
    density->addWidget(new QLabel(QString::number(heat.lower), machine));
    density->addWidget(m_heatVol, 1);
    density->addWidget(new QLabel(QString::number(heat.upper), machine));
    machineGrid->addLayout(density, 4, 1, 1, 2);

    auto* order = new QGroupBox(QStringLiteral("連番印字順"), &dialog);
    auto* orderLayout = new QVBoxLayout(order);
    m_seqOrder = new QButtonGroup(&dialog);
    auto* countFirst = new QRadioButton(QStringLiteral("連続優先　11 22 33"), order);
    countFirst->setObjectName(QStringLiteral("seqOrderCount"));
    auto* sequenceFirst = new QRadioButton(QStringLiteral("連番優先　123 123"), order);
    sequenceFirst->setObjectName(QStringLiteral("seqOrderSequence"));
    m_seqOrder->addButton(countFirst, 0);
    m_seqOrder->addButton(sequenceFirst, 1);
    orderLayout->addWidget(countFirst);
    orderLayout->addWidget(sequenceFirst);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(run);
    left->addWidget(order);
    left->addStretch(1);
    columns->addLayout(left);
    columns->addWidget(machine, 0, Qt::AlignTop);
    m_main->addLayout(columns);
    m_bottom = new QVBoxLayout;
    m_main->addLayout(m_bottom);
}

void PrintDlgControls::write(const output::PrintOptions& o) {
    m_copies->setPosition(o.copies);
    m_start->setPosition(o.startBlock);
    m_end->setPosition(o.endBlock);
    m_revision->setPosition(output::shownRevision(o.revision));
    m_cut->setPosition(output::shownCutPosition(o.cutPosAdjust));
    m_cut->setText(tenthsText(output::shownCutPosition(o.cutPosAdjust)));
    m_offsetY->setText(QString::number(output::shownPrintOffsetY(o.prnOffsetY)));
    m_frontFeed->setChecked(o.frontFeed != 0);
    m_lowTempMode->setChecked(o.lowTempMode != 0);
    if (QAbstractButton* radio = m_seqOrder->button(o.seqOrder != 0 ? 1 : 0)) {
        radio->setChecked(true);
    }
    m_heatVol->setValue(o.heatVol);
}

void PrintDlgControls::applyEnabling(bool lowSpeedOnTubesOnly) {
    const model::TargetSettings& target = m_data.target;
    const auto disableEmpty = [](QWidget* label, CTargetDlgSpinEdit* field) {
        label->setEnabled(false);
        field->setEnabled(false);
        field->setText(QString());
    };
    if (!target.isPitchLengthMode()) {
        disableEmpty(m_copiesLabel, m_copies);
        disableEmpty(m_startLabel, m_start);
        disableEmpty(m_endLabel, m_end);
        disableEmpty(m_revisionLabel, m_revision);
        m_revisionUnit->setEnabled(false);
    } else {
        if (target.pitchAuto == 1) {
            disableEmpty(m_revisionLabel, m_revision);
            m_revisionUnit->setEnabled(false);
        }
        // A label run is one copy: the field keeps its 1 for the checks.
        if (model::isLabel(target.targetKind)) {
            m_copiesLabel->setEnabled(false);
            m_copies->setEnabled(false);
        }
    }
    if (lowSpeedOnTubesOnly && !model::isTubeTarget(target)) {
        m_lowTempMode->setEnabled(false);
    }
}

output::PrintFieldTexts PrintDlgControls::typedFields() const {
    output::PrintFieldTexts typed;
    typed.copies = textOf(m_copies);
    typed.startBlock = textOf(m_start);
    typed.endBlock = textOf(m_end);
    typed.revision = textOf(m_revision);
    typed.cutPosition = textOf(m_cut);
    typed.printOffsetY = textOf(m_offsetY);
    return typed;
}

void PrintDlgControls::readSwitches(output::PrintOptions& o) const {
    o.frontFeed = m_frontFeed->isChecked() ? 1 : 0;
    o.lowTempMode = m_lowTempMode->isEnabled() && m_lowTempMode->isChecked() ? 1 : 0;
    o.seqOrder = static_cast<std::int16_t>(std::max(0, m_seqOrder->checkedId()));
    o.heatVol = static_cast<std::int16_t>(m_heatVol->value());
}

void PrintDlgControls::showNamedValues(int cutTenths, int offsetY, int heatVol) {
    m_cut->setText(tenthsText(cutTenths));
    m_offsetY->setText(QString::number(offsetY));
    m_heatVol->setValue(heatVol);
}

CTargetDlgSpinEdit* PrintDlgControls::fieldOf(output::PrintField field) const {
    switch (field) {
    case output::PrintField::Copies:
        return m_copies;
    case output::PrintField::StartBlock:
        return m_start;
    case output::PrintField::EndBlock:
        return m_end;
    case output::PrintField::Revision:
        return m_revision;
    case output::PrintField::CutPosition:
        return m_cut;
    case output::PrintField::PrintOffsetY:
        return m_offsetY;
    case output::PrintField::None:
        break;
    }
    return nullptr;
}

void PrintDlgControls::refuse(const output::PrintFieldCheck& check, output::Prompter& prompter) {
    if (check.messageId == output::MsgIntegerRange || check.messageId == output::MsgDecimalRange) {
        prompter.showText(check.messageId, check.message);
    } else {
        prompter.show(check.messageId);
    }
    if (CTargetDlgSpinEdit* field = fieldOf(check.field); field != nullptr && field->isEnabled()) {
        field->focusAndSelect();
    }
}

void PrintDlgControls::showRunTotals(const model::OperatorSettings& settings, std::function<int()> printType) {
    m_settings = &settings;
    m_printType = std::move(printType);
    for (CTargetDlgSpinEdit* field : {m_copies, m_start, m_end}) {
        QObject::connect(field, &CTargetDlgSpinEdit::textEdited, &m_dialog, [this] { refreshRunTotals(); });
    }
    refreshRunTotals();
}

void PrintDlgControls::refreshRunTotals() {
    if (m_settings == nullptr) {
        return;
    }
    // What the job will print: the typed range and copies while they read as numbers; a field
    // being retyped leaves the last totals standing rather than showing a run nobody chose.
    output::RunSelection selection;
    selection.printType = m_printType ? m_printType() : 0;
    if (m_data.target.isPitchLengthMode()) {
        bool copiesOk = true;
        bool startOk = true;
        bool endOk = true;
        const int copies = m_copies->text().trimmed().toInt(&copiesOk);
        const int start = m_start->text().trimmed().toInt(&startOk);
        const int end = m_end->text().trimmed().toInt(&endOk);
        if (!copiesOk || !startOk || !endOk || start < 1 || end < start || copies < 1) {
            return;
        }
        selection.copies = copies;
        selection.first = start - 1;
        selection.end = end;
    }
    m_runTotals->setText(runTotalsText(output::runTotals(m_catalogue, *m_settings, m_data, selection)));
}

void PrintDlgControls::addButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("印刷実行"), &m_dialog);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), &m_dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    row->addWidget(m_ok);
    row->addWidget(cancel);
    m_main->addLayout(row);
    QObject::connect(m_ok, &QPushButton::clicked, &m_dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &m_dialog, &QDialog::reject);
}

} // namespace qx::ui
