#include "ui/dialogs/output/PrintDlgV12.h"

#include "model/EditData.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include <array>

namespace qx::ui {

namespace {

struct PatternRadio {
    const char* name;
    const char* text;
};

constexpr std::array<PatternRadio, 4> PatternRadios{{
    {"patternNormal", "通常印刷"},
    {"pattern180", "180°回転印刷 ※"},
    {"patternCross", "クロスフェリーリング印刷 ※"},
    {"patternCross180", "クロスフェリーリング印刷（180°回転） ※"},
}};

constexpr int FirstCrossPattern = 2;

} // namespace

CPrintDlgV12::CPrintDlgV12(const PrintDlgSetup& setup, QWidget* parent) : CPrintDlgV9(setup, parent) {}

void CPrintDlgV12::setupControls() {
    CPrintDlgV9::setupControls();
    m_patternBox = new QGroupBox(QStringLiteral("印刷パターン"), this);
    auto* layout = new QVBoxLayout(m_patternBox);
    m_pattern = new QButtonGroup(this);
    for (int i = 0; i < static_cast<int>(PatternRadios.size()); ++i) {
        const PatternRadio& entry = PatternRadios[static_cast<std::size_t>(i)];
        auto* radio = new QRadioButton(QString::fromUtf8(entry.text), m_patternBox);
        radio->setObjectName(QString::fromLatin1(entry.name));
        m_pattern->addButton(radio, i);
        layout->addWidget(radio);
    }
    m_note = new QLabel(QStringLiteral("※ 連続個数を調整してお使い下さい。"), m_patternBox);
    m_note->setObjectName(QStringLiteral("patternNote"));
    layout->addWidget(m_note);
    controls().bottomLayout().addWidget(m_patternBox);

    if (QAbstractButton* radio = m_pattern->button(opened().printType)) {
        radio->setChecked(true);
    }
    const bool patterns = data().target.isPitchLengthMode() && model::isTubeTarget(data().target);
    for (int i = 1; i < static_cast<int>(PatternRadios.size()); ++i) {
        m_pattern->button(i)->setEnabled(patterns);
    }
    m_note->setEnabled(patterns);
    // The rotated pattern prints every piece twice: the totals follow the choice.
    connect(m_pattern, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            controls().refreshRunTotals();
        }
    });
    // The printers do not offer the cross-ferrule patterns from this dialog.
    for (int i = FirstCrossPattern; i < static_cast<int>(PatternRadios.size()); ++i) {
        m_pattern->button(i)->setEnabled(false);
        m_pattern->button(i)->hide();
    }
}

int CPrintDlgV12::countedPattern() const {
    const int selected = m_pattern != nullptr ? m_pattern->checkedId() : -1;
    return selected >= 0 ? selected : opened().printType;
}

bool CPrintDlgV12::checkInput() {
    if (!CPrintDlgV9::checkInput()) {
        return false;
    }
    if (const int selected = m_pattern->checkedId(); selected >= 0) {
        confirmed().printType = static_cast<std::int16_t>(selected);
    }
    return true;
}

} // namespace qx::ui
