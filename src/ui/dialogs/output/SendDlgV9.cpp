#include "ui/dialogs/output/SendDlgV9.h"

#include "model/StringTable.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace qx::ui {

namespace {

constexpr int MsgHalfWidthOnly = 43037;

} // namespace

CSendDlgV9::CSendDlgV9(const SendDlgSetup& setup, QWidget* parent)
    : QDialog(parent), m_catalogue(setup.catalogue), m_prompter(setup.prompter),
      m_openedName(setup.documentName), m_confirmedName(setup.documentName), m_controls(*this) {
    setObjectName(QStringLiteral("sendDialog"));
    auto* row = new QHBoxLayout;
    m_nameRow = row;
    m_nameLabel = new QLabel(QStringLiteral("文書名"), this);
    m_plainName = new QLineEdit(this);
    m_plainName->setObjectName(QStringLiteral("documentName"));
    m_plainName->setMaxLength(NameLength);
    row->addWidget(m_nameLabel);
    row->addWidget(m_plainName, 1);
    m_controls.extraLayout().addLayout(row);
    connect(&m_controls.modeGroup(), &QButtonGroup::idToggled, this, [this] { updateEnabling(); });
}

void CSendDlgV9::initialise() {
    if (m_initialised) {
        return;
    }
    m_initialised = true;
    setupNumberRange();
    std::vector<model::CharCode> codes;
    for (const std::int16_t word : m_openedName) {
        if (word == 0) {
            break;
        }
        codes.push_back(static_cast<model::CharCode>(word));
    }
    loadName(codes);
    updateEnabling();
    m_controls.addButtons();
}

SendMode CSendDlgV9::mode() const {
    return m_controls.mode() == 1 ? SendMode::DocumentMemory : SendMode::InputDocument;
}

void CSendDlgV9::updateEnabling() {
    const bool memory = m_controls.mode() == 1;
    m_controls.enableNumber(memory);
    m_nameLabel->setEnabled(memory);
    m_plainName->setEnabled(memory);
}

void CSendDlgV9::loadName(std::span<const model::CharCode> codes) {
    // The printer shows the name in half-width letters: full-width forms come back narrow.
    // A printer symbol shows as its token and is written back as its code; the field must not
    // cut the token text of a name that holds ten characters.
    const std::string sjis = model::narrowText(model::codesToText(codes, false));
    const QString text = QString::fromStdString(model::sjisToUtf8(sjis));
    m_plainName->setMaxLength(std::max(NameLength, static_cast<int>(text.size())));
    m_plainName->setText(text);
}

std::vector<model::CharCode> CSendDlgV9::storeName() const {
    const std::optional<std::string> sjis = model::utf8ToSjis(m_plainName->text().toStdString());
    std::vector<model::CharCode> codes;
    if (sjis) {
        const model::TextToCodesResult result = model::textToCodes(*sjis, true);
        codes.assign(result.codes.begin(), result.codes.end());
    }
    if (codes.size() > static_cast<std::size_t>(NameLength)) {
        codes.resize(NameLength);
    }
    return codes;
}

void CSendDlgV9::setupNumberRange() { m_controls.setNumberRange(m_catalogue); }

bool CSendDlgV9::finalCheck() { return true; }

void CSendDlgV9::accept() {
    if (m_controls.mode() == 1) {
        if (!m_controls.checkNumber(m_catalogue, m_prompter, m_number)) {
            return;
        }
        // Only half-width letters, digits, signs and blanks: what the printer's own name field takes.
        // A symbol's token counts as the one character it stands for.
        const std::optional<std::string> sjis = model::utf8ToSjis(m_plainName->text().toStdString());
        const bool halfWidth =
            sjis && model::textToCodes(*sjis, true).codes.size() <= static_cast<std::size_t>(NameLength) &&
            std::all_of(sjis->begin(), sjis->end(), [](char c) {
                const auto byte = static_cast<unsigned char>(c);
                return byte >= 0x20 && byte <= 0x7E;
            });
        if (!halfWidth) {
            m_prompter.show(MsgHalfWidthOnly);
            m_plainName->setFocus(Qt::OtherFocusReason);
            m_plainName->selectAll();
            return;
        }
        if (!finalCheck()) {
            return;
        }
        m_confirmedName.fill(0);
        const std::vector<model::CharCode> codes = storeName();
        for (std::size_t i = 0; i < codes.size() && i < static_cast<std::size_t>(NameLength); ++i) {
            m_confirmedName[i] = static_cast<std::int16_t>(codes[i]);
        }
    }
    QDialog::accept();
}

} // namespace qx::ui
