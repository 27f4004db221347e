#include "ui/dialogs/sequence/SeqDlgControls.h"

#include "ui/dialogs/sequence/SeqEdit.h"
#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace qx::ui {

namespace {

constexpr int NumberSystemList = 3;
constexpr int SequenceOutputList = 13;
constexpr int RangeMessage = 42040;
constexpr int NumberBytes = 8; ///< four characters, full-width ones included
constexpr int LetterBytes = 2; ///< one character

/// A text that no mode reads: too long for a number, more than one letter.
constexpr std::string_view Unreadable = "ZZZZZ";

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> sjisOf(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return model::utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

bool listHolds(const model::Catalogue& catalogue, int list, int value) {
    const auto choices = catalogue.choiceList(list);
    return std::any_of(choices.begin(), choices.end(), [value](const model::Choice& c) { return c.value == value; });
}

SeqEntryCheck rangeFailure(const model::Catalogue& catalogue, SeqField field, model::SettingRow row) {
    const model::SettingRange& range = catalogue.settingRange(row);
    SeqEntryCheck check;
    check.field = field;
    check.messageId = RangeMessage;
    check.message = model::formatMessage(RangeMessage, {range.lower, range.upper});
    return check;
}

void fillCombo(QComboBox& combo, const model::Catalogue& catalogue, int list) {
    for (const model::Choice& choice : catalogue.choiceList(list)) {
        combo.addItem(fromUtf8(choice.text), choice.value);
    }
}

void select(QComboBox& combo, int value) {
    const int index = combo.findData(value);
    combo.setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

SeqEntryCheck checkSeqEntry(const model::Catalogue& catalogue, const SeqEntry& entry, bool hasOutput) {
    if (!listHolds(catalogue, NumberSystemList, entry.mode)) {
        return rangeFailure(catalogue, SeqField::Mode, model::SettingRow::SequenceMode);
    }
    const int output = hasOutput ? entry.output : 0;
    if (hasOutput && !listHolds(catalogue, SequenceOutputList, output)) {
        return rangeFailure(catalogue, SeqField::Output, model::SettingRow::SequenceOutput);
    }
    const auto mode = static_cast<std::uint8_t>(entry.mode);
    const std::string start = sjisOf(entry.start).value_or(std::string(Unreadable));
    const std::string end = sjisOf(entry.end).value_or(std::string(Unreadable));
    SeqEntryCheck check;
    for (const auto& [field, text] : {std::pair{SeqField::Start, &start}, std::pair{SeqField::End, &end}}) {
        const model::SequenceParseResult parsed = model::parseSequenceValue(catalogue, mode, *text);
        if (!parsed.ok) {
            check.field = field;
            check.messageId = parsed.messageId;
            check.message = model::formatMessage(parsed.messageId, {parsed.lower, parsed.upper});
            return check;
        }
        (field == SeqField::Start ? check.definition.start : check.definition.end) =
            static_cast<std::uint16_t>(parsed.value);
    }
    check.definition.mode = mode;
    check.definition.output = static_cast<std::uint8_t>(output);
    if (const int parity = model::checkSequenceParity(check.definition.output, check.definition.start,
                                                      check.definition.end)) {
        check.field = SeqField::Output;
        check.messageId = parity;
        check.message = std::string(model::messageText(parity));
        return check;
    }
    check.definition.digits = static_cast<std::uint8_t>(model::inferSequenceDigits(start, end));
    check.ok = true;
    return check;
}

QString seqValueText(const model::tagSEQ_V900& definition, int value, int model) {
    model::tagSEQ_V900 shown = definition;
    if (!isNumberMode(shown.mode)) {
        shown.digits = 0; // a letter is always typed as one character
    }
    return QString::fromStdString(model::formatSequenceValue(shown, value, model));
}

SeqDlgControls::SeqDlgControls(QDialog& dialog, const model::Catalogue& catalogue, bool hasOutput)
    : m_catalogue(catalogue), m_hasOutput(hasOutput) {
    dialog.setWindowTitle(QStringLiteral("連番設定"));
    auto* outer = new QHBoxLayout(&dialog);
    auto* left = new QVBoxLayout;
    outer->addLayout(left, 1);
    m_top = new QVBoxLayout;
    m_top->setContentsMargins(0, 0, 0, 0);
    left->addLayout(m_top);

    auto* form = new QGridLayout;
    form->setColumnStretch(1, 1);
    left->addLayout(form);
    left->addStretch(1);
    int row = 0;
    const auto addRow = [&](const QString& caption, QWidget* field, const char* labelName) {
        auto* label = new QLabel(caption, &dialog);
        label->setObjectName(QLatin1String(labelName));
        label->setBuddy(field);
        form->addWidget(label, row, 0);
        form->addWidget(field, row, 1);
        ++row;
        return label;
    };

    m_mode = new QComboBox(&dialog);
    m_mode->setObjectName(QStringLiteral("modeCombo"));
    fillCombo(*m_mode, catalogue, NumberSystemList);
    addRow(QStringLiteral("モード"), m_mode, "modeLabel");
    if (hasOutput) {
        m_output = new QComboBox(&dialog);
        m_output->setObjectName(QStringLiteral("outputCombo"));
        fillCombo(*m_output, catalogue, SequenceOutputList);
        m_outputLabel = addRow(QStringLiteral("出力"), m_output, "outputLabel");
    }
    m_start = new CSeqEdit(&dialog);
    m_start->setObjectName(QStringLiteral("startEdit"));
    addRow(QStringLiteral("開始No."), m_start, "startLabel");
    m_end = new CSeqEdit(&dialog);
    m_end->setObjectName(QStringLiteral("endEdit"));
    addRow(QStringLiteral("終了No."), m_end, "endLabel");
    for (CSeqEdit* edit : {m_start, m_end}) {
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("ＷＷＷＷＷ")));
    }

    auto* buttons = new QDialogButtonBox(Qt::Vertical, &dialog);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    outer->addWidget(buttons, 0, Qt::AlignTop);

    QObject::connect(m_mode, &QComboBox::currentIndexChanged, &dialog, [this] {
        if (!m_writing) {
            modeChanged();
        }
    });
}

void SeqDlgControls::show(const model::tagSEQ_V900& definition) {
    m_writing = true;
    select(*m_mode, definition.mode);
    if (m_output != nullptr) {
        select(*m_output, definition.output);
    }
    m_writing = false;
    applyModeRules();
    m_start->setText(seqValueText(definition, definition.start, m_catalogue.model()));
    m_end->setText(seqValueText(definition, definition.end, m_catalogue.model()));
}

SeqEntry SeqDlgControls::entry() const {
    SeqEntry entry;
    entry.mode = m_mode->currentIndex() >= 0 ? m_mode->currentData().toInt() : -1;
    if (m_output != nullptr) {
        entry.output = m_output->currentIndex() >= 0 ? m_output->currentData().toInt() : -1;
    }
    entry.start = m_start->text();
    entry.end = m_end->text();
    return entry;
}

bool SeqDlgControls::check(output::Prompter& prompter, model::tagSEQ_V900& confirmed) {
    const SeqEntryCheck result = checkSeqEntry(m_catalogue, entry(), m_hasOutput);
    if (!result.ok) {
        prompter.showText(result.messageId, result.message);
        focus(result.field);
        return false;
    }
    confirmed = result.definition;
    return true;
}

void SeqDlgControls::modeChanged() {
    if (m_output != nullptr) {
        m_writing = true;
        m_output->setCurrentIndex(0);
        m_writing = false;
    }
    applyModeRules();
}

void SeqDlgControls::applyModeRules() {
    if (!m_hasOutput) {
        return;
    }
    const bool numbers = isNumberMode(m_mode->currentData().toInt());
    m_output->setEnabled(numbers);
    m_outputLabel->setEnabled(numbers);
    for (CSeqEdit* edit : {m_start, m_end}) {
        edit->setByteLimit(numbers ? NumberBytes : LetterBytes);
    }
}

void SeqDlgControls::focus(SeqField field) {
    switch (field) {
    case SeqField::Mode:
        m_mode->setFocus(Qt::OtherFocusReason);
        break;
    case SeqField::Output:
        (m_output != nullptr ? static_cast<QWidget*>(m_output) : m_mode)->setFocus(Qt::OtherFocusReason);
        break;
    case SeqField::Start:
    case SeqField::End: {
        CSeqEdit* edit = field == SeqField::Start ? m_start : m_end;
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        break;
    }
    }
}

} // namespace qx::ui
