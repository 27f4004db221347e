#include "ui/grid/ForbiddenCharDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qx::ui {

CForbiddenCharDialog::CForbiddenCharDialog(QWidget* parent)
    : QDialog(parent), m_suppress(new QCheckBox(QStringLiteral("次回からこのメッセージを表示しない。"), this)) {
    setWindowTitle(QStringLiteral("コルビンタ PCエディタ"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon%1").arg(IconId));
    const int extent = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(extent, extent));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QLabel(QStringLiteral("未対応の文字が含まれています。\n未対応の文字は空白に置換します。"), this);
    m_suppress->setObjectName(QStringLiteral("check%1").arg(CheckBoxId));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(m_suppress);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CForbiddenCharDialog::isSuppressChecked() const { return m_suppress->isChecked(); }

void CForbiddenCharDialog::setSuppressChecked(bool checked) { m_suppress->setChecked(checked); }

} // namespace qx::ui
