#include "ui/dialogs/symbol/MarkDlg.h"

#include "ui/dialogs/symbol/SymbolGrid.h"
#include "render/SymbolCatalogue.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPushButton>

namespace qx::ui {

CMarkDlg::CMarkDlg(const render::SymbolCatalogue& symbols, const render::SymbolPictures& pictures,
                   QSettings& store, QWidget* parent)
    : QDialog(parent), m_symbols(symbols), m_store(store), m_groups(new QComboBox(this)),
      m_grid(new CSymbolGrid(pictures, symbolPictureSize(symbols.group(rememberedSymbolGroup(store, symbols))), this)),
      m_ok(new QPushButton(QStringLiteral("挿入"), this)) {
    setWindowTitle(QStringLiteral("記号入力"));
    setObjectName(QStringLiteral("markDlg"));
    m_groups->setObjectName(QStringLiteral("groupCombo"));
    m_grid->setObjectName(QStringLiteral("symbolGrid"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_groups);
    layout->addWidget(m_grid);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    fillSymbolGroups(*m_groups, symbols);
    const int group = rememberedSymbolGroup(store, symbols);
    m_groups->setCurrentIndex(group);
    m_grid->setGroup(symbols.group(group));
    connect(m_groups, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_grid->setGroup(m_symbols.group(index)); });
    connect(m_grid, &CSymbolGrid::activated, this, &CMarkDlg::accept);
    connect(m_ok, &QPushButton::clicked, this, &CMarkDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CMarkDlg::reject);
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CMarkDlg::accept() {
    m_code = m_grid->selectedCode();
    if (m_code == 0) {
        return; // a group without symbols gives nothing to insert
    }
    rememberSymbolGroup(m_store, m_groups->currentIndex());
    QDialog::accept();
}

} // namespace qx::ui
