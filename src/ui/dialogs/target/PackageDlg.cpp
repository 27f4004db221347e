#include "ui/dialogs/target/PackageDlg.h"

#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "model/StringTable.h"
#include "output/Prompter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

QString viewText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CPackageDlg::CPackageDlg(const model::Catalogue& catalogue, const model::OperatorSettings& settings,
                         output::Prompter& prompter, int targetKind, PackageItem item, QWidget* parent)
    : QDialog(parent), m_item(packageItemSpec(item, targetKind, catalogue, settings)), m_prompter(prompter),
      m_value(m_item.initial) {
    setObjectName(QStringLiteral("CPackageDlg"));
    const std::string_view name = model::messageText(m_item.nameId);
    setWindowTitle(QString::fromStdString(model::formatText("一括変更 (%s)", {name})));

    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* nameLabel = new QLabel(viewText(name), this);
    nameLabel->setObjectName(QStringLiteral("nameLabel"));
    row->addWidget(nameLabel);
    if (m_item.listIndex >= 0) {
        m_list = new QComboBox(this);
        m_list->setObjectName(QStringLiteral("valueCombo"));
        for (const model::Choice& choice : catalogue.choiceList(m_item.listIndex)) {
            m_list->addItem(viewText(choice.text), choice.value);
        }
        const int selected = m_list->findData(m_item.initial);
        m_list->setCurrentIndex(selected >= 0 ? selected : 0);
        nameLabel->setBuddy(m_list);
        row->addWidget(m_list);
    } else {
        m_edit = new CTargetDlgSpinEdit(m_item.decimals, this);
        m_edit->setObjectName(QStringLiteral("valueEdit"));
        m_edit->setRange(m_item.range.lower, m_item.range.upper);
        m_edit->setPosition(m_item.initial);
        m_edit->setText(QString::fromStdString(formatFieldValue(m_item.initial, m_item.decimals)));
        nameLabel->setBuddy(m_edit);
        row->addWidget(m_edit);
    }
    auto* unitLabel =
        new QLabel(m_item.unitId != 0 ? viewText(model::messageText(m_item.unitId)) : QString(), this);
    unitLabel->setObjectName(QStringLiteral("unitLabel"));
    row->addWidget(unitLabel);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(QStringLiteral("ｷｬﾝｾﾙ"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    if (m_edit != nullptr) {
        m_edit->focusAndSelect();
    }
}

void CPackageDlg::accept() {
    if (m_list != nullptr) {
        const QVariant chosen = m_list->currentData();
        if (!chosen.isValid()) {
            m_list->setFocus(Qt::OtherFocusReason);
            return;
        }
        m_value = chosen.toInt();
    } else {
        const PackageValue parsed = parsePackageValue(m_item, m_edit->text().toStdString());
        if (!parsed.ok) {
            m_prompter.showText(parsed.messageId, parsed.message);
            m_edit->focusAndSelect();
            return;
        }
        m_value = parsed.value;
    }
    QDialog::accept();
}

std::optional<int> runPackageDialog(QWidget* parent, const EditorContext& context, int targetKind,
                                    PackageItem item) {
    CPackageDlg dialog(context.catalogue, context.settings, context.prompter, targetKind, item, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.value();
}

} // namespace qx::ui
