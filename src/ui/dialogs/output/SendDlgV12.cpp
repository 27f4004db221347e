#include "ui/dialogs/output/SendDlgV12.h"

#include "ui/EditorContext.h"
#include "ui/dialogs/symbol/SymbolDialogs.h"
#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "model/Catalogue.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"
#include "render/PrintFont.h"
#include "render/SymbolPictures.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace qx::ui {

namespace {

constexpr int MsgUnsupportedCharacter = 43059;
/// The symbol the button shows: the circled 1.
constexpr model::CharCode ButtonSymbol = 0x2A21;

model::TextToCodesResult codesOfTokenForm(const QString& text) {
    return model::utf8ToCodes(text.toStdString(), true);
}

QIcon symbolButtonIcon(const render::SymbolPictures& pictures, qreal ratio) {
    QImage image = pictures.image(ButtonSymbol, QSize(16, 16) * ratio);
    image.setDevicePixelRatio(ratio);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

CSendDlgV12::CSendDlgV12(const SendDlgSetup& setup, QWidget* parent)
    : CSendDlgV9(setup, parent), m_editor(setup.editor) {
    const render::SymbolPictures* pictures = m_editor != nullptr ? m_editor->symbolPictures : nullptr;
    m_symbolName = new CSymbolEdit(this);
    m_symbolName->setObjectName(QStringLiteral("documentSymbolName"));
    m_symbolName->setModelType(setup.catalogue.model());
    // Ten characters, a symbol counting as one: the eleventh is not taken.
    m_symbolName->setCharacterLimit(NameLength);
    m_preview = new CSymbolPreview(pictures, this);
    m_preview->setObjectName(QStringLiteral("documentNamePreview"));
    m_symbolButton = new QToolButton(this);
    m_symbolButton->setObjectName(QStringLiteral("symbolButton"));
    m_symbolButton->setToolTip(QStringLiteral("記号入力"));
    if (pictures != nullptr) {
        m_symbolButton->setIcon(symbolButtonIcon(*pictures, devicePixelRatioF()));
    } else {
        m_symbolButton->setIcon(
            symbolButtonIcon(render::SymbolPictures(render::resolvePrintFontFamily()), devicePixelRatioF()));
    }
    m_symbolButton->setIconSize(QSize(16, 16));
    // In the plain name's place, which this dialog does not use.
    auto* field = new QVBoxLayout;
    field->setSpacing(2);
    field->addWidget(m_symbolName);
    field->addWidget(m_preview);
    nameRow().addLayout(field, 1);
    nameRow().addWidget(m_symbolButton, 0, Qt::AlignTop);
    // The caption belongs to the field, not to the field and its preview together.
    nameLabel().setMinimumHeight(m_symbolName->sizeHint().height());
    nameRow().setAlignment(&nameLabel(), Qt::AlignTop);
    connect(m_symbolName, &QLineEdit::textChanged, this, [this] { m_preview->setTokenText(m_symbolName->cellText()); });
    connect(m_symbolButton, &QToolButton::clicked, this, &CSendDlgV12::inputSymbols);
}

void CSendDlgV12::setupNumberRange() {
    CSendDlgV9::setupNumberRange();
    plainName().clear();
    plainName().hide();
}

void CSendDlgV12::updateEnabling() {
    CSendDlgV9::updateEnabling();
    const bool enabled = plainName().isEnabled();
    m_symbolName->setEnabled(enabled);
    m_preview->setEnabled(enabled);
    m_symbolButton->setEnabled(enabled && m_editor != nullptr);
}

void CSendDlgV12::loadName(std::span<const model::CharCode> codes) {
    const QString tokenForm = QString::fromStdString(model::sjisToUtf8(model::codesToText(codes, false)));
    m_symbolName->loadDialogResult(tokenForm, {});
    m_symbolName->placeCaretAtEnd();
    m_symbolName->keepSelection();
    m_preview->setTokenText(m_symbolName->cellText());
}

std::vector<model::CharCode> CSendDlgV12::storeName() const {
    model::CodeList codes = codesOfTokenForm(m_symbolName->cellText()).codes;
    if (codes.size() > static_cast<std::size_t>(NameLength)) {
        codes.resize(NameLength);
    }
    return codes;
}

void CSendDlgV12::inputSymbols() {
    if (m_editor == nullptr) {
        return;
    }
    if (const auto edited = runLineSymbolDialog(this, *m_editor, {m_symbolName->cellText(), {}}, NameLength)) {
        m_symbolName->loadDialogResult(edited->tokenForm, {});
        m_symbolName->placeCaretAtEnd();
        m_symbolName->keepSelection();
    }
    m_symbolName->setFocus(Qt::OtherFocusReason);
}

bool CSendDlgV12::finalCheck() {
    if (codesOfTokenForm(m_symbolName->cellText()).replaced > 0) {
        prompter().show(MsgUnsupportedCharacter);
        m_symbolName->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

} // namespace qx::ui
