#include "ui/dialogs/output/LocationDlg.h"

#include "model/StringTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

constexpr int UsbMemoryCaption = 40107;

QString removableCaption(model::ModelType model) {
    if (model == model::models::QX780) {
        return QStringLiteral("CFカード");
    }
    const std::string_view text = model::messageText(UsbMemoryCaption);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CLocationDlg::CLocationDlg(model::ModelType model, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("保存先を選択してください"));

    auto* hardDisk = new QPushButton(QStringLiteral("ハードディスク"), this);
    hardDisk->setObjectName(QStringLiteral("hardDiskButton"));
    auto* removable = new QPushButton(removableCaption(model), this);
    removable->setObjectName(QStringLiteral("removableButton"));
    auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));

    // Large twin buttons: the choice is the whole dialog.
    for (QPushButton* button : {hardDisk, removable}) {
        button->setMinimumSize(140, 48);
    }
    hardDisk->setDefault(true);
    removable->setAutoDefault(true);
    cancel->setAutoDefault(false);

    auto* choices = new QHBoxLayout;
    choices->addWidget(hardDisk);
    choices->addWidget(removable);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(hardDisk, &QPushButton::clicked, this, [this] { choose(HardDisk); });
    connect(removable, &QPushButton::clicked, this, [this] { choose(Removable); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    hardDisk->setFocus();
}

void CLocationDlg::choose(int location) {
    m_choice = location;
    accept();
}

} // namespace qx::ui
