#include "ui/dialogs/target/TargetDlgV12.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace qx::ui {

namespace {
constexpr int ListCharSize = 1;
constexpr int ListPrintFont = 14;

void fillFromList(QComboBox& combo, std::span<const model::Choice> list) {
    for (const model::Choice& choice : list) {
        combo.addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())),
                      choice.value);
    }
}
} // namespace

CTargetDlgV12::CTargetDlgV12(const TargetDlgSetup& setup, QWidget* parent)
    : CTargetDlgV12(setup, TargetDlgVariant::V12, parent) {}

CTargetDlgV12::CTargetDlgV12(const TargetDlgSetup& setup, TargetDlgVariant variant, QWidget* parent)
    : CTargetDlgV9(setup, variant, parent) {}

void CTargetDlgV12::addVariantControls() {
    CTargetDlgV9::addVariantControls();
    const model::Catalogue& c = rules().catalogue();

    // The size that width auto keeps, beside the size modes it belongs to.
    auto* sizeRow = new QHBoxLayout;
    auto* sizeLabel = new QLabel(QStringLiteral("文字幅ｵｰﾄ時の文字ｻｲｽﾞ"), this);
    m_autoTextSize = new QComboBox(this);
    m_autoTextSize->setObjectName(QStringLiteral("autoTextSizeCombo"));
    fillFromList(*m_autoTextSize, c.choiceList(ListCharSize));
    sizeLabel->setBuddy(m_autoTextSize);
    sizeRow->addWidget(sizeLabel);
    sizeRow->addWidget(m_autoTextSize);
    sizeRow->addStretch();
    controls().sizeModeLayout().addLayout(sizeRow);
    if (auto* specified = findChild<QWidget*>(QStringLiteral("sizeModeRadio0"))) {
        QWidget::setTabOrder(specified, m_autoTextSize);
    }

    auto* fontRow = new QHBoxLayout;
    auto* fontLabel = new QLabel(QStringLiteral("印刷ﾌｫﾝﾄ"), this);
    m_printFont = new QComboBox(this);
    m_printFont->setObjectName(QStringLiteral("printFontCombo"));
    fillFromList(*m_printFont, c.choiceList(ListPrintFont));
    fontLabel->setBuddy(m_printFont);
    fontRow->addWidget(fontLabel);
    fontRow->addWidget(m_printFont);
    fontRow->addStretch();
    controls().extraLayout().addLayout(fontRow);
}

void CTargetDlgV12::writeVariantControls(const TargetForm& form, const TargetEnabling& enabling) {
    CTargetDlgV9::writeVariantControls(form, enabling);
    m_autoTextSize->setCurrentIndex(m_autoTextSize->findData(form.autoTextSize));
    m_autoTextSize->setEnabled(enabling.autoTextSize);
    m_printFont->setCurrentIndex(m_printFont->findData(form.printFont));
}

void CTargetDlgV12::readVariantControls(TargetForm& form) const {
    CTargetDlgV9::readVariantControls(form);
    const QVariant size = m_autoTextSize->currentData();
    form.autoTextSize = size.isValid() ? size.toInt() : -1;
    const QVariant font = m_printFont->currentData();
    if (font.isValid()) {
        form.printFont = font.toInt();
    }
}

TargetEnabling CTargetDlgV12::applyRules(TargetForm& form) const {
    TargetEnabling enabling = CTargetDlgV9::applyRules(form);
    TargetRules::applyWidthAutoRule(form, enabling);
    return enabling;
}

} // namespace qx::ui
