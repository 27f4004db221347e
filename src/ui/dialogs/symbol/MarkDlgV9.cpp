#include "ui/dialogs/symbol/MarkDlgV9.h"

#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolGrid.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"
#include "render/SymbolCatalogue.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace qx::ui {

namespace {

constexpr int MsgUnsupportedCharacter = 42045;

} // namespace

CMarkDlgV9::CMarkDlgV9(const Setup& setup, QWidget* parent)
    : QDialog(parent), m_symbols(setup.symbols), m_prompter(setup.prompter), m_store(setup.store),
      m_groups(new QComboBox(this)),
      m_grid(new CSymbolGrid(setup.pictures,
                             symbolPictureSize(setup.symbols.group(rememberedSymbolGroup(setup.store, setup.symbols))),
                             this)),
      m_edit(new CSymbolEdit(this)), m_preview(new CSymbolPreview(&setup.pictures, this)),
      m_insert(new QPushButton(QStringLiteral("挿入"), this)) {
    setWindowTitle(QStringLiteral("記号入力"));
    setObjectName(QStringLiteral("markDlgV9"));
    m_groups->setObjectName(QStringLiteral("groupCombo"));
    m_grid->setObjectName(QStringLiteral("symbolGrid"));
    m_edit->setObjectName(QStringLiteral("symbolEdit"));
    m_preview->setObjectName(QStringLiteral("symbolPreview"));
    m_insert->setObjectName(QStringLiteral("insertButton"));
    m_insert->setAutoDefault(false);
    m_edit->setModelType(setup.model);
    m_edit->setCharacterLimit(setup.characterLimit);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);

    auto* box = new QGroupBox(QStringLiteral("編集"), this);
    auto* boxLayout = new QVBoxLayout(box);
    auto* editRow = new QHBoxLayout;
    m_edit->setParent(box);
    m_insert->setParent(box);
    m_preview->setParent(box);
    editRow->addWidget(m_edit, 1);
    editRow->addWidget(m_insert);
    boxLayout->addLayout(editRow);
    boxLayout->addWidget(m_preview);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_groups);
    layout->addWidget(m_grid);
    layout->addWidget(box);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    setTabOrder(m_groups, m_grid);
    setTabOrder(m_grid, m_edit);
    setTabOrder(m_edit, m_insert);
    setTabOrder(m_insert, ok);
    setTabOrder(ok, cancel);

    fillSymbolGroups(*m_groups, m_symbols);
    const int group = rememberedSymbolGroup(m_store, m_symbols);
    m_groups->setCurrentIndex(group);
    m_grid->setGroup(m_symbols.group(group));
    connect(m_groups, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_grid->setGroup(m_symbols.group(index)); });
    // Every change of the line redraws the preview.
    connect(m_edit, &QLineEdit::textChanged, this, [this] { m_preview->setTokenText(m_edit->cellText()); });
    connect(m_insert, &QPushButton::clicked, this, &CMarkDlgV9::insertSymbol);
    // A double click picks the symbol as "挿入" does and confirms, so that the pick is never lost.
    connect(m_grid, &CSymbolGrid::activated, this, [this] {
        insertSymbol();
        accept();
    });
    connect(ok, &QPushButton::clicked, this, &CMarkDlgV9::accept);
    connect(cancel, &QPushButton::clicked, this, &CMarkDlgV9::reject);

    m_edit->loadDialogResult(setup.line.tokenForm, setup.line.sequences);
    m_edit->placeCaretAtEnd();
    m_edit->keepSelection();
    m_preview->setTokenText(m_edit->cellText());
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CMarkDlgV9::insertSymbol() {
    const model::CharCode code = m_grid->selectedCode();
    if (code == 0) {
        return;
    }
    const int limit = m_edit->characterLimit();
    if (limit > 0) {
        // A full line takes a symbol only in place of something selected.
        const TokenText& held = m_edit->tokenText();
        if (held.codeCount() - held.codeCount(held.widened(m_edit->keptSelection())) >= limit) {
            m_edit->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    m_edit->insertTokenAtKeptSelection(code);
    m_edit->setFocus(Qt::OtherFocusReason);
}

void CMarkDlgV9::accept() {
    const QString tokenForm = m_edit->cellText();
    const QByteArray utf8 = tokenForm.toUtf8();
    const model::TextToCodesResult converted =
        model::utf8ToCodes(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), true);
    if (converted.replaced > 0) {
        // Told once; the caller's conversion puts full-width blanks in their place.
        m_prompter.show(MsgUnsupportedCharacter);
    }
    m_result = {tokenForm, m_edit->cellSequences()};
    rememberSymbolGroup(m_store, m_groups->currentIndex());
    QDialog::accept();
}

} // namespace qx::ui
