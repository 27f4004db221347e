#include "ui/dialogs/settings/ConfigDlgV9.h"

#include "ui/dialogs/settings/ConfigDlgButtons.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/Catalogue.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"
#include "output/NumberField.h"
#include "output/Prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace qx::ui {

namespace {

using model::SettingRow;

constexpr int MsgDeleteSet = 43038;
constexpr int MsgLeaveUnregistered = 43039;
constexpr int MsgTooManySets = 43040;
constexpr int MsgNameTooLong = 43041;
constexpr int MsgUnsupportedCharacter = 43059;

std::size_t sjisLength(const QString& text) {
    const std::optional<std::string> sjis = model::utf8ToSjis(text.toStdString());
    return sjis ? sjis->size() : static_cast<std::size_t>(text.size()) * 2;
}

/// The first position where two texts differ.
int firstDifference(const QString& a, const QString& b) {
    const int common = static_cast<int>(std::min(a.size(), b.size()));
    for (int i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return i;
        }
    }
    return common;
}

} // namespace

CConfigDlgV9::CConfigDlgV9(const ConfigDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_catalogue(setup.catalogue), m_prompter(setup.prompter), m_settings(setup.settings),
      m_sets(setup.namedSets), m_edited(output::PrintSettingEntry::defaults(setup.catalogue)),
      m_fields(*this, setup.catalogue, false) {
    setObjectName(QStringLiteral("configDialog"));
    setWindowTitle(QStringLiteral("環境設定"));
    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(&m_fields.box());
    m_frameGap = new QComboBox(&m_fields.box());
    m_frameGap->setObjectName(QStringLiteral("frameGap"));
    m_frameGap->addItem(QStringLiteral("狭い"), 1);
    m_frameGap->addItem(QStringLiteral("標準"), 2);
    m_frameGap->addItem(QStringLiteral("広い"), 3);
    const int row = m_fields.grid().rowCount();
    m_fields.grid().addWidget(new QLabel(QStringLiteral("枠囲みの間隔"), &m_fields.box()), row, 0);
    m_fields.grid().addWidget(m_frameGap, row, 1, 1, 2);
}

void CConfigDlgV9::initialise() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    addVariantControls(m_fields.grid());
    buildPrintPart(*m_layout);
    addConfigDlgButtons(*this, *m_layout);

    m_loading = true;
    m_fields.write(m_settings);
    m_frameGap->setCurrentIndex(m_frameGap->findData(static_cast<int>(m_settings.frameGap)));
    writeVariant(m_settings);
    for (const output::PrintSettingEntry& entry : m_sets) {
        m_list->addItem(QString::fromStdString(model::sjisToUtf8(entry.name)));
    }
    showSetFields(m_edited);
    m_loading = false;
    updateButtons();
    m_unregistered = false;
}

void CConfigDlgV9::addVariantControls(QGridLayout&) {}
void CConfigDlgV9::writeVariant(const model::OperatorSettings&) {}
void CConfigDlgV9::readVariant(model::OperatorSettings&) const {}

void CConfigDlgV9::buildPrintPart(QBoxLayout& layout) {
    auto* box = new QGroupBox(QStringLiteral("印刷設定の登録"), this);
    auto* grid = new QGridLayout(box);
    m_name = new QLineEdit(box);
    m_name->setObjectName(QStringLiteral("setName"));
    m_list = new QListWidget(box);
    m_list->setObjectName(QStringLiteral("setList"));
    m_list->setMinimumHeight(m_list->fontMetrics().height() * 7);
    const model::SettingRange& cut = m_catalogue.settingRange(SettingRow::CutPosition);
    const model::SettingRange& offset = m_catalogue.settingRange(SettingRow::PrintOffsetY);
    const model::SettingRange& heat = m_catalogue.settingRange(SettingRow::HeatVolume);
    m_cut = new CTargetDlgSpinEdit(1, box);
    m_cut->setObjectName(QStringLiteral("cutPosition"));
    m_cut->setRange(cut.lower, cut.upper);
    m_offsetY = new CTargetDlgSpinEdit(0, box);
    m_offsetY->setObjectName(QStringLiteral("printOffsetY"));
    m_offsetY->setRange(offset.lower, offset.upper);
    m_heatVol = new QSlider(Qt::Horizontal, box);
    m_heatVol->setObjectName(QStringLiteral("heatVol"));
    m_heatVol->setRange(heat.lower, heat.upper);
    m_heatVol->setPageStep(1);
    m_heatVol->setTickPosition(QSlider::TicksBelow);
    m_register = new QPushButton(QStringLiteral("登録"), box);
    m_register->setObjectName(QStringLiteral("registerButton"));
    m_delete = new QPushButton(QStringLiteral("削除"), box);
    m_delete->setObjectName(QStringLiteral("deleteButton"));

    grid->addWidget(new QLabel(QStringLiteral("名前"), box), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    grid->addWidget(m_list, 1, 0, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("カット位置"), box), 1, 2);
    auto* cutRow = new QHBoxLayout;
    cutRow->addWidget(m_cut);
    cutRow->addWidget(new QLabel(QStringLiteral("mm"), box));
    grid->addLayout(cutRow, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("上下印字位置"), box), 2, 2);
    grid->addWidget(m_offsetY, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("印字濃度"), box), 3, 2);
    auto* density = new QHBoxLayout;
    density->addWidget(new QLabel(QString::number(heat.lower), box));
    density->addWidget(m_heatVol, 1);
    density->addWidget(new QLabel(QString::number(heat.upper), box));
    grid->addLayout(density, 3, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_register);
    buttons->addWidget(m_delete);
    grid->addLayout(buttons, 4, 2, 1, 2);
    layout.addWidget(box);

    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        // At most 32 bytes as the printer's files count them.
        if (sjisLength(text) > static_cast<std::size_t>(NameBytes)) {
            m_name->setText(m_nameText);
            return;
        }
        m_nameText = text;
        markEdited();
        updateButtons();
    });
    connect(m_name, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    connect(m_cut, &CTargetDlgSpinEdit::textEdited, this, [this] { markEdited(); });
    connect(m_offsetY, &CTargetDlgSpinEdit::textEdited, this, [this](const QString& text) {
        if (!output::matchesIntegerPattern(text.toStdString())) {
            const int caret = firstDifference(m_offsetText, text);
            m_offsetY->setText(m_offsetText);
            if (auto* edit = m_offsetY->findChild<QLineEdit*>()) {
                edit->setCursorPosition(caret);
            }
            return;
        }
        m_offsetText = text;
        markEdited();
    });
    connect(m_heatVol, &QSlider::valueChanged, this, [this] { markEdited(); });
    connect(m_list, &QListWidget::currentRowChanged, this, &CConfigDlgV9::chooseSet);
    connect(m_register, &QPushButton::clicked, this, &CConfigDlgV9::registerSet);
    connect(m_delete, &QPushButton::clicked, this, &CConfigDlgV9::deleteSet);
}

void CConfigDlgV9::markEdited() {
    if (!m_loading) {
        m_unregistered = true;
    }
}

void CConfigDlgV9::updateButtons() {
    m_register->setEnabled(!m_name->text().isEmpty());
    m_delete->setEnabled(m_list->currentRow() >= 0 && m_list->currentItem() != nullptr &&
                         m_list->currentItem()->isSelected());
}

void CConfigDlgV9::showSetFields(const output::PrintSettingEntry& entry) {
    const bool loading = m_loading;
    m_loading = true;
    m_nameText = QString::fromStdString(model::sjisToUtf8(entry.name));
    m_name->setText(m_nameText);
    m_cut->setPosition(entry.cutPos);
    m_offsetText = QString::number(entry.offsetY);
    m_offsetY->setPosition(entry.offsetY);
    m_offsetY->setText(m_offsetText);
    m_heatVol->setValue(entry.heatVol);
    m_loading = loading;
}

void CConfigDlgV9::chooseSet(int row) {
    if (row < 0 || row >= static_cast<int>(m_sets.size())) {
        updateButtons();
        return;
    }
    m_edited = m_sets[static_cast<std::size_t>(row)];
    showSetFields(m_edited);
    updateButtons();
    m_unregistered = false;
}

bool CConfigDlgV9::readPrintPart(output::PrintSettingEntry& entry) {
    const model::SettingRange& cut = m_catalogue.settingRange(SettingRow::CutPosition);
    const output::FieldCheck cutCheck = output::checkTenthsField(m_cut->text().toStdString(), cut.lower, cut.upper);
    if (!cutCheck.ok) {
        m_prompter.showText(cutCheck.messageId, cutCheck.message);
        m_cut->focusAndSelect();
        return false;
    }
    const model::SettingRange& offset = m_catalogue.settingRange(SettingRow::PrintOffsetY);
    const output::FieldCheck offsetCheck =
        output::checkIntegerField(m_offsetY->text().toStdString(), offset.lower, offset.upper);
    if (!offsetCheck.ok) {
        m_prompter.showText(offsetCheck.messageId, offsetCheck.message);
        m_offsetY->focusAndSelect();
        return false;
    }
    entry.cutPos = static_cast<std::int16_t>(cutCheck.value);
    entry.offsetY = static_cast<std::int16_t>(offsetCheck.value);
    entry.heatVol = static_cast<std::int16_t>(m_heatVol->value());
    return true;
}

void CConfigDlgV9::registerSet() {
    output::PrintSettingEntry entry;
    if (!readPrintPart(entry)) {
        return;
    }
    const QString name = m_name->text();
    // The list's own exact-entry search, which ignores letter case.
    const QList<QListWidgetItem*> found = m_list->findItems(name, Qt::MatchFixedString);
    if (!found.isEmpty()) {
        const int row = m_list->row(found.front());
        output::PrintSettingEntry& existing = m_sets[static_cast<std::size_t>(row)];
        existing.heatVol = entry.heatVol;
        existing.cutPos = entry.cutPos;
        existing.offsetY = entry.offsetY;
        m_edited = existing;
        m_list->setCurrentRow(row);
        updateButtons();
        m_unregistered = false;
        return;
    }
    if (m_sets.size() >= output::MaxPrintSettingEntries) {
        m_prompter.showText(MsgTooManySets, model::formatMessage(MsgTooManySets,
                                                                 {static_cast<int>(output::MaxPrintSettingEntries)}));
        return;
    }
    if (name.size() > NameCharacters) {
        m_prompter.showText(MsgNameTooLong, model::formatMessage(MsgNameTooLong, {NameCharacters}));
        return;
    }
    // The file holds names in the printer's code page; a name that cannot be written there would
    // be stored empty, and the set lost with it.
    const std::optional<std::string> stored = model::utf8ToSjis(name.toStdString());
    if (!stored) {
        m_prompter.show(MsgUnsupportedCharacter);
        m_name->setFocus(Qt::OtherFocusReason);
        m_name->selectAll();
        return;
    }
    entry.name = *stored;
    m_sets.push_back(entry);
    m_edited = entry;
    m_list->addItem(name);
    const bool loading = m_loading;
    m_loading = true;
    m_list->setCurrentRow(static_cast<int>(m_sets.size()) - 1);
    m_loading = loading;
    updateButtons();
    m_unregistered = false;
}

void CConfigDlgV9::deleteSet() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_sets.size())) {
        return;
    }
    if (m_prompter.ask(MsgDeleteSet, output::Buttons::YesNo) != output::Answer::Yes) {
        return;
    }
    m_sets.erase(m_sets.begin() + row);
    {
        // The list must not choose a neighbour while the entry goes.
        const QSignalBlocker blocker(m_list);
        delete m_list->takeItem(row);
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    showSetFields(m_edited);
    updateButtons();
    m_unregistered = false;
}

void CConfigDlgV9::accept() {
    model::OperatorSettings taken = m_settings;
    if (!m_fields.read(taken, m_prompter)) {
        return;
    }
    taken.frameGap = static_cast<std::uint8_t>(ConfigDlgFields::selectedValue(*m_frameGap, taken.frameGap));
    readVariant(taken);
    if (m_unregistered && m_prompter.ask(MsgLeaveUnregistered, output::Buttons::YesNo) != output::Answer::Yes) {
        return;
    }
    m_settings = taken;
    QDialog::accept();
}

} // namespace qx::ui
