#include "ui/dialogs/settings/ConfigDlgFields.h"

#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "output/NumberField.h"
#include "output/Prompter.h"

#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>

namespace qx::ui {

namespace {

using model::SettingRow;

/// The lowest pitch of other targets from the QX-900W on, in tenths.
constexpr int FixedLowestTapePitch = 40;

CTargetDlgSpinEdit* spin(QWidget* parent, const char* name, int decimals, int lower, int upper) {
    auto* field = new CTargetDlgSpinEdit(decimals, parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(lower, upper);
    return field;
}

bool takeInteger(CTargetDlgSpinEdit& field, const model::SettingRange& range, output::Prompter& prompter,
                 std::int16_t& value) {
    const output::FieldCheck check = output::checkIntegerField(field.text().toStdString(), range.lower, range.upper);
    if (!check.ok) {
        prompter.showText(check.messageId, check.message);
        field.focusAndSelect();
        return false;
    }
    value = static_cast<std::int16_t>(check.value);
    return true;
}

bool takeTenths(CTargetDlgSpinEdit& field, int lower, int upper, output::Prompter& prompter,
                std::int16_t& value) {
    const output::FieldCheck check = output::checkTenthsField(field.text().toStdString(), lower, upper);
    if (!check.ok) {
        prompter.showText(check.messageId, check.message);
        field.focusAndSelect();
        return false;
    }
    value = static_cast<std::int16_t>(check.value);
    return true;
}

} // namespace

ConfigDlgFields::ConfigDlgFields(QDialog& dialog, const model::Catalogue& catalogue, bool firstGeneration)
    : m_catalogue(catalogue), m_firstGeneration(firstGeneration) {
    auto* box = new QGroupBox(QStringLiteral("編集"), &dialog);
    m_box = box;
    m_grid = new QGridLayout(box);
    m_textSize = new QComboBox(box);
    m_textSize->setObjectName(QStringLiteral("textSize"));
    m_textWidth = new QComboBox(box);
    m_textWidth->setObjectName(QStringLiteral("textWidth"));
    const model::SettingRange& tube = catalogue.settingRange(SettingRow::CountTube);
    const model::SettingRange& tape = catalogue.settingRange(SettingRow::CountOther);
    const model::SettingRange& pitchTube = catalogue.settingRange(SettingRow::PitchTube);
    const model::SettingRange& pitchTape = catalogue.settingRange(SettingRow::PitchTape);
    m_numberTube = spin(box, "numberTube", 0, tube.lower, tube.upper);
    m_numberTape = spin(box, "numberTape", 0, tape.lower, tape.upper);
    m_pitchTube = spin(box, "pitchLenTube", 1, pitchTube.lower, pitchTube.upper);
    m_pitchTape = firstGeneration
                      ? spin(box, "pitchLenTape", 1, pitchTape.lower, pitchTape.upper)
                      : spin(box, "pitchLenTape", 1, FixedLowestTapePitch,
                             std::min(pitchTape.upper, catalogue.settingRange(SettingRow::PitchPlate).upper));
    const QString other = firstGeneration ? QStringLiteral("ﾃｰﾌﾟ/記名板") : QStringLiteral("その他");
    m_grid->addWidget(new QLabel(QStringLiteral("文字ｻｲｽﾞ"), box), 0, 0);
    m_grid->addWidget(m_textSize, 0, 1, 1, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("文字幅"), box), 1, 0);
    m_grid->addWidget(m_textWidth, 1, 1, 1, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("連続個数"), box), 2, 0);
    m_grid->addWidget(new QLabel(QStringLiteral("ﾁｭｰﾌﾞ"), box), 2, 1);
    m_grid->addWidget(m_numberTube, 2, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("個"), box), 2, 3);
    m_grid->addWidget(new QLabel(other, box), 3, 1);
    m_grid->addWidget(m_numberTape, 3, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("個"), box), 3, 3);
    m_grid->addWidget(new QLabel(QStringLiteral("ﾋﾟｯﾁ長"), box), 4, 0);
    m_grid->addWidget(new QLabel(QStringLiteral("ﾁｭｰﾌﾞ"), box), 4, 1);
    m_grid->addWidget(m_pitchTube, 4, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("mm"), box), 4, 3);
    m_grid->addWidget(new QLabel(QStringLiteral("ﾃｰﾌﾟ/記名板"), box), 5, 1);
    m_grid->addWidget(m_pitchTape, 5, 2);
    m_grid->addWidget(new QLabel(QStringLiteral("mm"), box), 5, 3);
}

void ConfigDlgFields::fillChoices(QComboBox& combo, const model::Catalogue& catalogue, int list, int value) {
    combo.clear();
    for (const model::Choice& choice : catalogue.choiceList(list)) {
        combo.addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())),
                      choice.value);
    }
    combo.setCurrentIndex(combo.findData(value));
}

int ConfigDlgFields::selectedValue(const QComboBox& combo, int fallback) {
    const QVariant data = combo.currentData();
    return data.isValid() ? data.toInt() : fallback;
}

void ConfigDlgFields::write(const model::OperatorSettings& s) {
    fillChoices(*m_textSize, m_catalogue, 1, s.textSize);
    fillChoices(*m_textWidth, m_catalogue, 2, s.textWidth);
    m_numberTube->setPosition(s.numberTube);
    m_numberTube->setText(QString::number(s.numberTube));
    m_numberTape->setPosition(s.numberTape);
    m_numberTape->setText(QString::number(s.numberTape));
    // A stored value outside the dialog's range is shown as it is and refused on OK.
    m_pitchTube->setPosition(s.pitchLenTube);
    m_pitchTube->setText(QString::fromStdString(output::formatTenths(s.pitchLenTube)));
    m_pitchTape->setPosition(s.pitchLenTape);
    m_pitchTape->setText(QString::fromStdString(output::formatTenths(s.pitchLenTape)));
}

bool ConfigDlgFields::read(model::OperatorSettings& s, output::Prompter& prompter) const {
    model::OperatorSettings taken = s;
    if (!takeInteger(*m_numberTube, m_catalogue.settingRange(SettingRow::CountTube), prompter, taken.numberTube) ||
        !takeInteger(*m_numberTape, m_catalogue.settingRange(SettingRow::CountOther), prompter, taken.numberTape)) {
        return false;
    }
    const model::SettingRange& pitchTube = m_catalogue.settingRange(SettingRow::PitchTube);
    if (!takeTenths(*m_pitchTube, pitchTube.lower, pitchTube.upper, prompter, taken.pitchLenTube) ||
        !takeTenths(*m_pitchTape, m_pitchTape->lower(), m_pitchTape->upper(), prompter, taken.pitchLenTape)) {
        return false;
    }
    taken.textSize = static_cast<std::uint8_t>(selectedValue(*m_textSize, s.textSize));
    taken.textWidth = static_cast<std::uint8_t>(selectedValue(*m_textWidth, s.textWidth));
    s = taken;
    return true;
}

} // namespace qx::ui
