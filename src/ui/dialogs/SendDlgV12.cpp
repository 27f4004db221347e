#include "ui/dialogs/SendDlgV12.h"

#include "model/TextConversion.h"
#include "output/Prompter.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace qx::ui {

namespace {

constexpr int MsgUnsupportedCharacter = 43059;

model::TextToCodesResult codesOfTokenForm(const QString& text) {
    return model::utf8ToCodes(text.toStdString(), true);
}

} // namespace

CSendDlgV12::CSendDlgV12(const SendDlgSetup& setup, QWidget* parent) : CSendDlgV9(setup, parent) {
    m_symbolName = new QLineEdit(this);
    m_symbolName->setObjectName(QStringLiteral("documentSymbolName"));
    // In the plain name's place, which this dialog does not use.
    nameRow().addWidget(m_symbolName, 1);
    // Ten characters, a symbol counting as one: a longer name is not taken.
    connect(m_symbolName, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (codesOfTokenForm(text).codes.size() > static_cast<std::size_t>(NameLength)) {
            const int cursor = m_symbolName->cursorPosition();
            m_symbolName->setText(m_lastAccepted);
            m_symbolName->setCursorPosition(std::min(cursor, static_cast<int>(m_lastAccepted.size())));
            return;
        }
        m_lastAccepted = text;
    });
}

void CSendDlgV12::setupNumberRange() {
    CSendDlgV9::setupNumberRange();
    plainName().clear();
    plainName().hide();
}

void CSendDlgV12::updateEnabling() {
    CSendDlgV9::updateEnabling();
    m_symbolName->setEnabled(plainName().isEnabled());
}

void CSendDlgV12::loadName(std::span<const model::CharCode> codes) {
    m_lastAccepted = QString::fromStdString(model::sjisToUtf8(model::codesToText(codes, false)));
    m_symbolName->setText(m_lastAccepted);
}

std::vector<model::CharCode> CSendDlgV12::storeName() const {
    model::CodeList codes = codesOfTokenForm(m_symbolName->text()).codes;
    if (codes.size() > static_cast<std::size_t>(NameLength)) {
        codes.resize(NameLength);
    }
    return codes;
}

bool CSendDlgV12::finalCheck() {
    if (codesOfTokenForm(m_symbolName->text()).replaced > 0) {
        prompter().show(MsgUnsupportedCharacter);
        m_symbolName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

} // namespace qx::ui
