#include "ui/dialogs/target/TargetDlgControls.h"

#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/StringTable.h"
#include "output/Prompter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qx::ui {

using model::SettingRow;

namespace {

constexpr int ListDirection = 5;
constexpr int ListCharSpacing = 6;
constexpr int ListLineSpacing = 7;
constexpr int ListPitchCut = 8;
constexpr int ListFrame = 9;
constexpr int ListPitchAuto = 10;
constexpr int ListPlacement = 11;
constexpr int ListSizeMode = 12;

constexpr int TextAuto = 40082;   // "AUTO"
constexpr int TextCount = 40049;  // "連続個数"
constexpr int TextMm = 40052;     // "mm"
constexpr int TextPieces = 40053; // "個"

QString tableText(int id) {
    const std::string_view text = model::messageText(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString viewText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

void setTextIfChanged(CTargetDlgSpinEdit& edit, const std::string& text) {
    const QString wanted = fromStd(text);
    if (edit.text() != wanted) {
        edit.setText(wanted);
    }
}

CTargetDlgSpinEdit* makeSpinEdit(QWidget* parent, const QString& name, int decimals,
                                 const model::SettingRange& range) {
    auto* edit = new CTargetDlgSpinEdit(decimals, parent);
    edit->setObjectName(name);
    edit->setRange(range.lower, range.upper);
    return edit;
}

} // namespace

TargetDlgControls::TargetDlgControls(QDialog& dialog, const TargetRules& rules)
    : m_dialog(dialog), m_rules(rules) {
    const model::Catalogue& c = rules.catalogue();
    const bool family = isV9Family(rules.variant());
    auto* mainLayout = new QVBoxLayout(&dialog);

    // The target and its size (or, for a general label, its dimensions).
    auto* targetBox = new QGroupBox(QStringLiteral("印刷物"), &dialog);
    auto* targetRow = new QHBoxLayout(targetBox);
    m_target = new QComboBox(targetBox);
    m_target->setObjectName(QStringLiteral("targetCombo"));
    for (const model::TargetEntry& entry : c.targets()) {
        m_target->addItem(tableText(entry.textId), entry.kind);
    }
    targetRow->addWidget(m_target);
    m_sizeLabel = new QLabel(QStringLiteral("ｻｲｽﾞ"), targetBox);
    m_sizeLabel->setObjectName(QStringLiteral("sizeLabel"));
    m_size = new QComboBox(targetBox);
    m_size->setObjectName(QStringLiteral("sizeCombo"));
    m_sizeLabel->setBuddy(m_size);
    targetRow->addWidget(m_sizeLabel);
    targetRow->addWidget(m_size);
    if (family) {
        m_labelFields = new QWidget(targetBox);
        m_labelFields->setObjectName(QStringLiteral("labelFields"));
        auto* labelRow = new QHBoxLayout(m_labelFields);
        labelRow->setContentsMargins(0, 0, 0, 0);
        const auto addLabelField = [&](const QString& caption, const QString& name, SettingRow row) {
            auto* label = new QLabel(caption, m_labelFields);
            auto* edit = makeSpinEdit(m_labelFields, name, 1, c.settingRange(row));
            label->setBuddy(edit);
            labelRow->addWidget(label);
            labelRow->addWidget(edit);
            labelRow->addWidget(new QLabel(tableText(TextMm), m_labelFields));
            return edit;
        };
        m_labelWidth =
            addLabelField(QStringLiteral("ﾗﾍﾞﾙ幅"), QStringLiteral("labelWidthEdit"), SettingRow::LabelWidth);
        m_labelLength = addLabelField(QStringLiteral("ﾗﾍﾞﾙ長"), QStringLiteral("labelLengthEdit"),
                                      SettingRow::LabelLength);
        m_labelGap =
            addLabelField(QStringLiteral("ﾗﾍﾞﾙ間"), QStringLiteral("labelGapEdit"), SettingRow::LabelGap);
        targetRow->addWidget(m_labelFields);
        m_labelFields->hide();
    }
    targetRow->addStretch();
    mainLayout->addWidget(targetBox);

    // The mode.
    auto* modeBox = new QGroupBox(QStringLiteral("ﾓｰﾄﾞ"), &dialog);
    auto* modeRow = new QHBoxLayout(modeBox);
    m_mode = new QButtonGroup(modeBox);
    auto* pitchMode = new QRadioButton(QStringLiteral("ﾋﾟｯﾁ長ﾓｰﾄﾞ"), modeBox);
    pitchMode->setObjectName(QStringLiteral("pitchModeRadio"));
    auto* printMode = new QRadioButton(QStringLiteral("印字長ﾓｰﾄﾞ"), modeBox);
    printMode->setObjectName(QStringLiteral("printModeRadio"));
    m_mode->addButton(pitchMode, 0);
    m_mode->addButton(printMode, 1);
    modeRow->addWidget(pitchMode);
    modeRow->addWidget(printMode);
    modeRow->addStretch();
    mainLayout->addWidget(modeBox);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    mainLayout->addLayout(columns);

    // Pitch-length mode: the pitch.
    auto* pitchBox = new QGroupBox(QStringLiteral("ﾋﾟｯﾁ長"), &dialog);
    auto* pitchRow = new QHBoxLayout(pitchBox);
    m_pitch = addRadioGroup(*pitchBox, *pitchRow, ListPitchAuto, QStringLiteral("pitchAutoRadio"));
    left->addWidget(pitchBox);

    // Print-length mode: print length, continuous count, placement and margins.
    auto* printBox = new QGroupBox(QStringLiteral("印字長ﾓｰﾄﾞ設定"), &dialog);
    auto* printGrid = new QGridLayout(printBox);
    m_printLengthLabel = new QLabel(QStringLiteral("印字長"), printBox);
    m_printLengthAuto = new QCheckBox(tableText(TextAuto), printBox);
    m_printLengthAuto->setObjectName(QStringLiteral("printLengthAutoCheck"));
    m_printLength =
        makeSpinEdit(printBox, QStringLiteral("printLengthEdit"), 0, c.settingRange(SettingRow::PrintLength));
    m_printLengthUnit = new QLabel(tableText(TextMm), printBox);
    m_printLengthLabel->setBuddy(m_printLengthAuto);
    printGrid->addWidget(m_printLengthLabel, 0, 0);
    printGrid->addWidget(m_printLengthAuto, 0, 1);
    printGrid->addWidget(m_printLength, 0, 2);
    printGrid->addWidget(m_printLengthUnit, 0, 3);
    m_printCountLabel = new QLabel(tableText(TextCount), printBox);
    m_printCount =
        makeSpinEdit(printBox, QStringLiteral("printCountEdit"), 0, c.settingRange(SettingRow::CountTube));
    m_printCountUnit = new QLabel(tableText(TextPieces), printBox);
    m_printCountLabel->setBuddy(m_printCount);
    printGrid->addWidget(m_printCountLabel, 1, 0);
    printGrid->addWidget(m_printCount, 1, 2);
    printGrid->addWidget(m_printCountUnit, 1, 3);
    m_placementBox = new QGroupBox(QStringLiteral("文字配置"), printBox);
    auto* placementRow = new QHBoxLayout(m_placementBox);
    m_placement =
        addRadioGroup(*m_placementBox, *placementRow, ListPlacement, QStringLiteral("placementRadio"));
    printGrid->addWidget(m_placementBox, 2, 0, 1, 4);
    m_leftMarginLabel = new QLabel(QStringLiteral("左余白"), printBox);
    m_leftMargin =
        makeSpinEdit(printBox, QStringLiteral("leftMarginEdit"), 0, c.settingRange(SettingRow::LeftMargin));
    m_leftMarginUnit = new QLabel(tableText(TextMm), printBox);
    m_leftMarginLabel->setBuddy(m_leftMargin);
    printGrid->addWidget(m_leftMarginLabel, 3, 0);
    printGrid->addWidget(m_leftMargin, 3, 2);
    printGrid->addWidget(m_leftMarginUnit, 3, 3);
    m_rightMarginLabel = new QLabel(QStringLiteral("右余白"), printBox);
    m_rightMargin =
        makeSpinEdit(printBox, QStringLiteral("rightMarginEdit"), 0, c.settingRange(SettingRow::RightMargin));
    m_rightMarginUnit = new QLabel(tableText(TextMm), printBox);
    m_rightMarginLabel->setBuddy(m_rightMargin);
    printGrid->addWidget(m_rightMarginLabel, 4, 0);
    printGrid->addWidget(m_rightMargin, 4, 2);
    printGrid->addWidget(m_rightMarginUnit, 4, 3);
    left->addWidget(printBox);

    // Character size mode; "指定" leaves the size to each line.
    auto* sizeModeBox = new QGroupBox(QStringLiteral("文字ｻｲｽﾞ"), &dialog);
    m_sizeModeLayout = new QVBoxLayout(sizeModeBox);
    m_sizeMode =
        addRadioGroup(*sizeModeBox, *m_sizeModeLayout, ListSizeMode, QStringLiteral("sizeModeRadio"));
    if (QAbstractButton* specified = m_sizeMode->button(0)) {
        specified->setText(specified->text() + QStringLiteral(" (行単位で指定)"));
    }
    left->addWidget(sizeModeBox);
    left->addStretch();

    // Layout of the text and the piece.
    const auto addListBox = [&](const QString& caption, int list, const QString& prefix) {
        auto* box = new QGroupBox(caption, &dialog);
        auto* row = new QHBoxLayout(box);
        QButtonGroup* group = addRadioGroup(*box, *row, list, prefix);
        row->addStretch();
        right->addWidget(box);
        return group;
    };
    m_direction = addListBox(QStringLiteral("文字方向"), ListDirection, QStringLiteral("directionRadio"));
    m_charSpacing =
        addListBox(QStringLiteral("文字間隔"), ListCharSpacing, QStringLiteral("charSpacingRadio"));
    m_lineSpacing = addListBox(QStringLiteral("行間隔"), ListLineSpacing, QStringLiteral("lineSpacingRadio"));
    m_pitchCut = addListBox(QStringLiteral("ﾋﾟｯﾁｶｯﾄ"), ListPitchCut, QStringLiteral("pitchCutRadio"));

    // The frame: on the first generation a plain on/off, later also its spacing.
    auto* frameBox = new QGroupBox(QStringLiteral("枠囲み"), &dialog);
    auto* frameRow = new QHBoxLayout(frameBox);
    if (family) {
        m_frame = new QButtonGroup(frameBox);
        auto* on = new QRadioButton(QStringLiteral("あり"), frameBox);
        auto* off = new QRadioButton(QStringLiteral("なし"), frameBox);
        on->setObjectName(QStringLiteral("frameRadio1"));
        off->setObjectName(QStringLiteral("frameRadio0"));
        m_frame->addButton(on, 1);
        m_frame->addButton(off, 0);
        frameRow->addWidget(on);
        frameRow->addWidget(off);
        auto* spacingLabel = new QLabel(QStringLiteral("枠囲みの間隔"), frameBox);
        m_frameSpacing = new QComboBox(frameBox);
        m_frameSpacing->setObjectName(QStringLiteral("frameSpacingCombo"));
        for (const model::Choice& choice : c.choiceList(ListFrame)) {
            if (choice.value >= 1) {
                m_frameSpacing->addItem(viewText(choice.text), choice.value);
            }
        }
        spacingLabel->setBuddy(m_frameSpacing);
        frameRow->addWidget(spacingLabel);
        frameRow->addWidget(m_frameSpacing);
    } else {
        m_frame = addRadioGroup(*frameBox, *frameRow, ListFrame, QStringLiteral("frameRadio"));
    }
    frameRow->addStretch();
    right->addWidget(frameBox);

    m_extraLayout = new QVBoxLayout;
    right->addLayout(m_extraLayout);
    right->addStretch();
    m_mainLayout = mainLayout;

    // The controls whose change re-applies the rules.
    m_connections.push_back(QObject::connect(m_target, &QComboBox::currentIndexChanged, &dialog,
                                             [this](int) { emitChange(TargetChange::Target); }));
    m_connections.push_back(QObject::connect(m_size, &QComboBox::currentIndexChanged, &dialog,
                                             [this](int) { emitChange(TargetChange::Size); }));
    for (QButtonGroup* group : {m_mode, m_pitch, m_sizeMode, m_frame}) {
        m_connections.push_back(
            QObject::connect(group, &QButtonGroup::idToggled, &dialog, [this](int, bool checked) {
                if (checked) {
                    emitChange(TargetChange::Rules);
                }
            }));
    }
    m_connections.push_back(QObject::connect(m_printLengthAuto, &QCheckBox::toggled, &dialog,
                                             [this](bool) { emitChange(TargetChange::Rules); }));
}

TargetDlgControls::~TargetDlgControls() {
    // The widgets outlive this object by a moment (the dialog deletes them later).
    for (const QMetaObject::Connection& connection : m_connections) {
        QObject::disconnect(connection);
    }
}

QButtonGroup* TargetDlgControls::addRadioGroup(QGroupBox& box, QBoxLayout& layout, int list,
                                               const QString& namePrefix) {
    auto* group = new QButtonGroup(&box);
    for (const model::Choice& choice : m_rules.catalogue().choiceList(list)) {
        auto* button = new QRadioButton(viewText(choice.text), &box);
        button->setObjectName(namePrefix + QString::number(choice.value));
        group->addButton(button, choice.value);
        layout.addWidget(button);
    }
    return group;
}

void TargetDlgControls::addButtons() {
    if (m_buttons != nullptr) {
        return;
    }
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &m_dialog);
    m_okButton = m_buttons->button(QDialogButtonBox::Ok);
    m_okButton->setText(QStringLiteral("OK"));
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    QPushButton* cancel = m_buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(m_buttons, &QDialogButtonBox::accepted, &m_dialog, &QDialog::accept);
    QObject::connect(m_buttons, &QDialogButtonBox::rejected, &m_dialog, &QDialog::reject);
    m_mainLayout->addWidget(m_buttons);
}

QString TargetDlgControls::title(bool newDocument) {
    return tableText(newDocument ? targetMessages::TitleNewDocument : targetMessages::TitleExisting);
}

void TargetDlgControls::check(QButtonGroup& group, int value) {
    if (QAbstractButton* button = group.button(value)) {
        button->setChecked(true);
    }
}

int TargetDlgControls::checkedValue(const QButtonGroup& group, int fallback) {
    return group.checkedButton() != nullptr ? group.checkedId() : fallback;
}

void TargetDlgControls::fillSizes(int targetIndex) {
    if (targetIndex == m_filledTarget) {
        return;
    }
    m_filledTarget = targetIndex;
    m_size->clear();
    for (const model::TargetSize& size : m_rules.sizesOf(targetIndex)) {
        m_size->addItem(viewText(size.text), size.value);
    }
}

void TargetDlgControls::emitChange(TargetChange change) {
    if (!m_writing && m_onChange) {
        m_onChange(change);
    }
}

void TargetDlgControls::whileWriting(const std::function<void()>& fn) {
    const bool was = m_writing;
    m_writing = true;
    fn();
    m_writing = was;
}

void TargetDlgControls::write(const TargetForm& form, const TargetEnabling& e) {
    whileWriting([&] {
        m_target->setCurrentIndex(form.targetIndex);
        fillSizes(form.targetIndex);
        m_size->setCurrentIndex(form.sizeIndex);
        if (m_labelWidth != nullptr) {
            setTextIfChanged(*m_labelWidth, form.labelWidthText);
            setTextIfChanged(*m_labelLength, form.labelLengthText);
            setTextIfChanged(*m_labelGap, form.labelGapText);
        }
        check(*m_mode, form.printLengthMode ? 1 : 0);
        check(*m_pitch, form.pitchAuto);
        m_printLengthAuto->setChecked(form.printLengthAuto);
        setTextIfChanged(*m_printLength, form.printLengthText);
        setTextIfChanged(*m_printCount, form.printCountText);
        check(*m_placement, form.placement);
        setTextIfChanged(*m_leftMargin, form.leftMarginText);
        setTextIfChanged(*m_rightMargin, form.rightMarginText);
        check(*m_sizeMode, form.sizeMode);
        check(*m_direction, form.direction);
        check(*m_charSpacing, form.charSpacing);
        check(*m_lineSpacing, form.lineSpacing);
        check(*m_pitchCut, form.pitchCut);
        check(*m_frame, form.frameOn ? 1 : 0);
        if (m_frameSpacing != nullptr) {
            m_frameSpacing->setCurrentIndex(m_frameSpacing->findData(form.frameSpacing));
        }
    });

    if (QAbstractButton* printMode = m_mode->button(1)) {
        printMode->setEnabled(e.printLengthMode);
    }
    for (QAbstractButton* button : m_pitch->buttons()) {
        button->setEnabled(m_pitch->id(button) == 1 ? e.pitchAuto : e.pitchSpecified);
    }
    for (QAbstractButton* button : m_sizeMode->buttons()) {
        button->setEnabled(m_sizeMode->id(button) == 0 || e.autoSizeModes);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_printLengthLabel, m_printLengthAuto, m_printCountLabel, m_printCount, m_printCountUnit,
             m_placementBox, m_leftMarginLabel, m_leftMargin, m_leftMarginUnit, m_rightMarginLabel,
             m_rightMargin, m_rightMarginUnit}) {
        w->setEnabled(e.printLengthGroup);
    }
    m_printLength->setEnabled(e.printLengthEdit);
    m_printLengthUnit->setEnabled(e.printLengthEdit);
    for (QAbstractButton* button : m_pitchCut->buttons()) {
        switch (m_pitchCut->id(button)) {
        case 1:
            button->setEnabled(e.halfCut);
            break;
        case 2:
            button->setEnabled(e.solidLine);
            break;
        case 3:
            button->setEnabled(e.dottedLine);
            break;
        default:
            button->setEnabled(e.noCut);
            break;
        }
    }
    if (m_frameSpacing != nullptr) {
        m_frameSpacing->setEnabled(e.frameSpacing);
    }
    if (m_labelFields != nullptr) {
        m_labelFields->setVisible(e.labelFields);
        m_sizeLabel->setVisible(!e.labelFields);
        m_size->setVisible(!e.labelFields);
    }
    if (m_okButton != nullptr) {
        m_okButton->setEnabled(m_rules.canConfirm(form));
    }
}

void TargetDlgControls::read(TargetForm& form) const {
    form.targetIndex = m_target->currentIndex();
    form.sizeIndex = m_size->currentIndex();
    if (m_labelWidth != nullptr) {
        form.labelWidthText = m_labelWidth->text().toStdString();
        form.labelLengthText = m_labelLength->text().toStdString();
        form.labelGapText = m_labelGap->text().toStdString();
    }
    form.printLengthMode = checkedValue(*m_mode, form.printLengthMode ? 1 : 0) == 1;
    form.pitchAuto = checkedValue(*m_pitch, form.pitchAuto);
    form.printLengthAuto = m_printLengthAuto->isChecked();
    form.printLengthText = m_printLength->text().toStdString();
    form.printCountText = m_printCount->text().toStdString();
    form.placement = checkedValue(*m_placement, form.placement);
    form.leftMarginText = m_leftMargin->text().toStdString();
    form.rightMarginText = m_rightMargin->text().toStdString();
    form.sizeMode = checkedValue(*m_sizeMode, form.sizeMode);
    form.direction = checkedValue(*m_direction, form.direction);
    form.charSpacing = checkedValue(*m_charSpacing, form.charSpacing);
    form.lineSpacing = checkedValue(*m_lineSpacing, form.lineSpacing);
    form.pitchCut = checkedValue(*m_pitchCut, form.pitchCut);
    form.frameOn = checkedValue(*m_frame, form.frameOn ? 1 : 0) == 1;
    if (m_frameSpacing != nullptr) {
        const QVariant data = m_frameSpacing->currentData();
        form.frameSpacing = data.isValid() ? data.toInt() : 0;
    }
}

void TargetDlgControls::focus(TargetField field) {
    switch (field) {
    case TargetField::Target:
        m_target->setFocus(Qt::OtherFocusReason);
        break;
    case TargetField::Size:
        m_size->setFocus(Qt::OtherFocusReason);
        break;
    case TargetField::LabelWidth:
        if (m_labelWidth != nullptr)
            m_labelWidth->focusAndSelect();
        break;
    case TargetField::LabelLength:
        if (m_labelLength != nullptr)
            m_labelLength->focusAndSelect();
        break;
    case TargetField::LabelGap:
        if (m_labelGap != nullptr)
            m_labelGap->focusAndSelect();
        break;
    case TargetField::PrintLength:
        m_printLength->focusAndSelect();
        break;
    case TargetField::PrintCount:
        m_printCount->focusAndSelect();
        break;
    case TargetField::LeftMargin:
        m_leftMargin->focusAndSelect();
        break;
    case TargetField::RightMargin:
        m_rightMargin->focusAndSelect();
        break;
    case TargetField::None:
        break;
    }
}

bool TargetDlgControls::confirm(const TargetForm& form, const model::TargetSettings& original,
                                output::Prompter& prompter, model::TargetSettings& confirmed) {
    const TargetValidation v = m_rules.validate(form, original);
    if (!v.ok) {
        if (v.messageId != 0) {
            prompter.showText(v.messageId, v.message);
        }
        focus(v.field);
        return false;
    }
    confirmed = v.settings;
    return true;
}

} // namespace qx::ui
