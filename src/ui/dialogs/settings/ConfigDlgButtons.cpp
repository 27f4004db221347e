#include "ui/dialogs/settings/ConfigDlgButtons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace qx::ui {

void addConfigDlgButtons(QDialog& dialog, QBoxLayout& layout) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), &dialog);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    row->addWidget(ok);
    row->addWidget(cancel);
    layout.addLayout(row);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

} // namespace qx::ui
