#include "ui/frames/PropertyView.h"

#include "ui/EditDocument.h"
#include "ui/grid/CellWriter.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"
#include "model/Catalogue.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "output/AutoCharSize.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace qx::ui {

namespace {

namespace List {
inline constexpr int CharSize = 1;
inline constexpr int CharWidth = 2;
inline constexpr int NumberSystem = 3;
inline constexpr int Direction = 5;
inline constexpr int CharSpacing = 6;
inline constexpr int LineSpacing = 7;
inline constexpr int PitchCut = 8;
inline constexpr int Frame = 9;
inline constexpr int PitchMode = 10;
inline constexpr int Placement = 11;
inline constexpr int SizeMode = 12;
inline constexpr int SequenceOutput = 13;
inline constexpr int PrintFont = 14;
inline constexpr int ZeroSlash = 16;
} // namespace List

namespace Text {
inline constexpr int Position = 40007;   ///< "%d - %s"
inline constexpr int LineNumber = 40008; ///< "%d 行目"
inline constexpr int Millimetres = 40012; ///< " mm"
inline constexpr int Pieces = 40013;      ///< " 個"
inline constexpr int Auto = 40082;        ///< "AUTO"
inline constexpr int AutoSize = 40087;    ///< "自動"
} // namespace Text

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The display text of the list entry holding `value`; empty when none does.
QString choiceText(const model::Catalogue& catalogue, int list, int value) {
    for (const model::Choice& choice : catalogue.choiceList(list)) {
        if (choice.value == value) {
            return fromUtf8(choice.text);
        }
    }
    return {};
}

QString withUnit(int value, int unitText) {
    return QString::number(value) + fromUtf8(model::messageText(unitText));
}

void fillFromList(QComboBox& combo, const model::Catalogue& catalogue, int list) {
    for (const model::Choice& choice : catalogue.choiceList(list)) {
        combo.addItem(fromUtf8(choice.text), choice.value);
    }
}

/// A value label is at least as wide as the longest entry of the list it shows, so that no
/// entry is cut.
void fitLongestChoice(QLabel* label, const model::Catalogue& catalogue, int list) {
    if (label == nullptr) {
        return;
    }
    int widest = 0;
    for (const model::Choice& choice : catalogue.choiceList(list)) {
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(fromUtf8(choice.text)));
    }
    const QMargins margins = label->contentsMargins();
    label->setMinimumWidth(std::max(label->minimumWidth(), widest + margins.left() + margins.right() + 2));
}

/// The list opens at least as wide as its widest entry, with room for its scroll bar.
void widenDropDown(QComboBox& combo) {
    int widest = 0;
    for (int i = 0; i < combo.count(); ++i) {
        widest = std::max(widest, combo.fontMetrics().horizontalAdvance(combo.itemText(i)));
    }
    const int frame = 2 * combo.view()->frameWidth() + 8;
    int width = widest + frame;
    if (combo.count() > combo.maxVisibleItems()) {
        width += combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    }
    combo.view()->setMinimumWidth(std::max(width, combo.width()));
}

} // namespace

int CPropertyView::templateOf(int model) {
    if (model <= 1) {
        return 150;
    }
    if (model <= 4) {
        return 171;
    }
    return model <= 7 ? 175 : 180;
}

CPropertyView::CPropertyView(EditDocument& document, CTubePrintTable& grid, QWidget* parent)
    : QWidget(parent), m_document(document), m_grid(grid),
      m_template(templateOf(document.context().catalogue.model())) {
    setObjectName(QStringLiteral("propertyPane"));
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);

    auto* focusBox = new QGroupBox(this);
    auto* focusGrid = new QGridLayout(focusBox);
    m_position = new QLabel(focusBox);
    m_position->setObjectName(QStringLiteral("position"));
    m_position->setFrameShape(QFrame::StyledPanel);
    m_position->setFrameShadow(QFrame::Sunken);
    focusGrid->addWidget(m_position, 0, 0, 1, 2);
    m_size = new QComboBox(focusBox);
    m_size->setObjectName(QStringLiteral("sizeCombo"));
    m_width = new QComboBox(focusBox);
    m_width->setObjectName(QStringLiteral("widthCombo"));
    focusGrid->addWidget(new QLabel(QStringLiteral("文字ｻｲｽﾞ"), focusBox), 1, 0);
    focusGrid->addWidget(m_size, 1, 1);
    focusGrid->addWidget(new QLabel(QStringLiteral("文字幅"), focusBox), 2, 0);
    focusGrid->addWidget(m_width, 2, 1);
    int row = 3;
    m_seqMode = addValue(*focusGrid, row++, QStringLiteral("連番 ﾓｰﾄﾞ"), "seqMode");
    if (m_template != 150) {
        m_seqOutput = addValue(*focusGrid, row++, QStringLiteral("出力"), "seqOutput");
    }
    m_seqStart = addValue(*focusGrid, row++, QStringLiteral("開始No."), "seqStart");
    m_seqEnd = addValue(*focusGrid, row++, QStringLiteral("終了No."), "seqEnd");
    focusGrid->setColumnStretch(1, 1);
    outer->addWidget(focusBox);

    auto* documentBox = new QGroupBox(QStringLiteral("文書情報"), this);
    auto* documentGrid = new QGridLayout(documentBox);
    row = 0;
    m_direction = addValue(*documentGrid, row++, QStringLiteral("書字方向"), "direction");
    m_charSpacing = addValue(*documentGrid, row++, QStringLiteral("文字間隔"), "charSpacing");
    m_lineSpacing = addValue(*documentGrid, row++, QStringLiteral("行間隔"), "lineSpacing");
    m_pitchCut = addValue(*documentGrid, row++, QStringLiteral("ﾋﾟｯﾁｶｯﾄ"), "pitchCut");
    m_frame = addValue(*documentGrid, row++, QStringLiteral("枠囲み"), "frame");
    if (m_template == 175 || m_template == 180) {
        m_printFont = addValue(*documentGrid, row++, QStringLiteral("印刷ﾌｫﾝﾄ"), "printFont");
    }
    if (m_template == 180) {
        m_zeroSlash = addValue(*documentGrid, row++, QStringLiteral("ｾﾞﾛｽﾗｯｼｭ"), "zeroSlash");
    }
    m_pitchValue = addValue(*documentGrid, row, QStringLiteral("ﾋﾟｯﾁ長"), "pitchValue", &m_pitchLabel);
    m_pitchLabel->setObjectName(QStringLiteral("pitchLabel"));
    m_printLengthLabel = new QLabel(QStringLiteral("印字長"), documentBox);
    m_printLengthLabel->setObjectName(QStringLiteral("printLengthLabel"));
    documentGrid->addWidget(m_printLengthLabel, row++, 0);
    m_count = addValue(*documentGrid, row++, QStringLiteral("連続個数"), "count", &m_countLabel);
    m_placement = addValue(*documentGrid, row++, QStringLiteral("文字配置"), "placement", &m_placementLabel);
    m_leftMargin = addValue(*documentGrid, row++, QStringLiteral("左余白"), "leftMargin", &m_leftMarginLabel);
    m_rightMargin = addValue(*documentGrid, row++, QStringLiteral("右余白"), "rightMargin", &m_rightMarginLabel);
    documentGrid->setColumnStretch(1, 1);
    outer->addWidget(documentBox);
    outer->addStretch(1);

    const model::Catalogue& catalogue = document.context().catalogue;
    for (const auto& [label, list] :
         {std::pair{m_seqMode, List::NumberSystem}, {m_seqOutput, List::SequenceOutput},
          {m_direction, List::Direction}, {m_charSpacing, List::CharSpacing}, {m_lineSpacing, List::LineSpacing},
          {m_pitchCut, List::PitchCut}, {m_frame, List::Frame}, {m_printFont, List::PrintFont},
          {m_zeroSlash, List::ZeroSlash}, {m_placement, List::Placement}}) {
        fitLongestChoice(label, catalogue, list);
    }

    connect(m_size, &QComboBox::activated, this, [this] { lineAttributeChosen(true); });
    connect(m_width, &QComboBox::activated, this, [this] { lineAttributeChosen(false); });
    connect(&document, &EditDocument::changed, this, &CPropertyView::onUpdate);
    connect(&grid, &CTubePrintTable::focusCellChanged, this, &CPropertyView::refreshFocus);
    connect(&grid, &CTubePrintTable::selectionChanged, this, &CPropertyView::refreshFocus);
    connect(&grid, &CTubePrintTable::sequenceSelected, this, &CPropertyView::showSequence);
    connect(&grid, &CTubePrintTable::editCancelled, this, &CPropertyView::refreshFocus);

    rebuildDocumentPart();
    refreshFocus();
}

CPropertyView::~CPropertyView() = default;

QLabel* CPropertyView::addValue(QGridLayout& grid, int row, const QString& caption, const char* name,
                                QLabel** captionLabel) {
    auto* label = new QLabel(caption, grid.parentWidget());
    auto* value = new QLabel(grid.parentWidget());
    value->setObjectName(QLatin1String(name));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("ｱﾙﾌｧﾍﾞｯﾄ(大)WW")));
    grid.addWidget(label, row, 0);
    grid.addWidget(value, row, 1);
    if (captionLabel != nullptr) {
        *captionLabel = label;
    }
    return value;
}

void CPropertyView::onUpdate(int hint) {
    if (hint == 0) {
        rebuildDocumentPart();
    }
    refreshFocus();
}

bool CPropertyView::autoSizing() const {
    return output::printerChoosesCharSize(m_document.data().target);
}

void CPropertyView::rebuildDocumentPart() {
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const model::TargetSettings& target = m_document.data().target;
    m_filling = true;
    m_size->clear();
    m_width->clear();
    if (autoSizing()) {
        m_size->addItem(model::isLaterGeneration(catalogue.model())
                            ? choiceText(catalogue, List::SizeMode, target.sizeMode)
                            : fromUtf8(model::messageText(Text::AutoSize)));
        m_width->addItem(fromUtf8(model::messageText(Text::AutoSize)));
    } else {
        fillFromList(*m_size, catalogue, List::CharSize);
        fillFromList(*m_width, catalogue, List::CharWidth);
    }
    m_filling = false;
    widenDropDown(*m_size);

    m_direction->setText(choiceText(catalogue, List::Direction, target.direction));
    m_charSpacing->setText(choiceText(catalogue, List::CharSpacing, target.charSpacing));
    m_lineSpacing->setText(choiceText(catalogue, List::LineSpacing, target.lineSpacing));
    m_pitchCut->setText(choiceText(catalogue, List::PitchCut, target.pitchCut));
    m_frame->setText(choiceText(catalogue, List::Frame, target.frame));
    if (m_printFont != nullptr) {
        m_printFont->setText(choiceText(catalogue, List::PrintFont, target.printFont));
    }
    if (m_zeroSlash != nullptr) {
        m_zeroSlash->setText(choiceText(catalogue, List::ZeroSlash, target.zeroSlash));
    }

    const bool printLength = target.isPrintLengthMode();
    m_pitchLabel->setVisible(!printLength);
    m_printLengthLabel->setVisible(printLength);
    for (QLabel* label : {m_countLabel, m_count, m_placementLabel, m_placement, m_leftMarginLabel, m_leftMargin,
                          m_rightMarginLabel, m_rightMargin}) {
        label->setVisible(printLength);
    }
    if (printLength) {
        m_pitchValue->setText(target.printLength == 0 ? fromUtf8(model::messageText(Text::Auto))
                                                      : withUnit(target.printLength, Text::Millimetres));
        m_count->setText(withUnit(target.printCount, Text::Pieces));
        m_placement->setText(choiceText(catalogue, List::Placement, target.placement));
        m_leftMargin->setText(withUnit(target.leftMargin, Text::Millimetres));
        m_rightMargin->setText(withUnit(target.rightMargin, Text::Millimetres));
    } else {
        m_pitchValue->setText(choiceText(catalogue, List::PitchMode, target.pitchAuto));
        for (QLabel* value : {m_count, m_placement, m_leftMargin, m_rightMargin}) {
            value->clear();
        }
    }
}

CPropertyView::FocusLine CPropertyView::focusLine() const {
    const model::Catalogue& catalogue = m_document.context().catalogue;
    const CellRange selection = m_grid.grid().selection();
    FocusLine focus;
    focus.block = m_grid.focusRow();
    const std::optional<ColumnType> type = m_grid.columns().type(m_grid.focusColumn());
    focus.line = type ? lineIndex(*type) : 0;
    focus.counts = selection.left == selection.right && selection.top == selection.bottom && focus.block >= 0 &&
                   focus.block < catalogue.limits().blockLimit && focus.block <= m_document.data().blockCount &&
                   type && isTextColumn(*type) && focus.line < catalogue.limits().lineLimit;
    return focus;
}

void CPropertyView::refreshFocus() {
    const model::EditData& record = m_document.data();
    const FocusLine focus = focusLine();
    m_size->setEnabled(focus.counts);
    m_width->setEnabled(focus.counts);
    if (!focus.counts) {
        m_position->clear();
        showSequence(nullptr);
        return;
    }
    const std::string lineText = model::formatMessage(Text::LineNumber, {focus.line + 1});
    m_position->setText(fromUtf8(model::formatMessage(Text::Position, {focus.block + 1, lineText})));
    const model::EditLine& line = record.line(focus.block, focus.line);
    m_filling = true;
    if (autoSizing()) {
        m_size->setCurrentIndex(0);
        m_width->setCurrentIndex(0);
    } else {
        m_size->setCurrentIndex(m_size->findData(int{line.charSize}));
        m_width->setCurrentIndex(m_width->findData(int{line.charWidth}));
    }
    m_filling = false;

    const model::tagSEQ_V900* shown = nullptr;
    std::vector<model::tagSEQ_V900> bound;
    if (focus.block < record.blockCount) {
        const model::EditBlock& block = record.block(focus.block);
        if (block.hasSequences() && model::countSequenceMarkers(line, 1) > 0) {
            bound = model::lineSequences(block, focus.line);
            shown = bound.empty() ? nullptr : &bound.front();
        }
    }
    showSequence(shown);
}

void CPropertyView::showSequence(const model::tagSEQ_V900* definition) {
    if (definition == nullptr) {
        for (QLabel* label : {m_seqMode, m_seqOutput, m_seqStart, m_seqEnd}) {
            if (label != nullptr) {
                label->clear();
            }
        }
        return;
    }
    const model::Catalogue& catalogue = m_document.context().catalogue;
    m_seqMode->setText(choiceText(catalogue, List::NumberSystem, definition->mode));
    if (m_seqOutput != nullptr) {
        const bool numbers = definition->mode <= model::SequenceMode::Hexadecimal;
        m_seqOutput->setText(numbers ? choiceText(catalogue, List::SequenceOutput, definition->output) : QString());
    }
    m_seqStart->setText(fromUtf8(model::formatSequenceValue(*definition, definition->start, catalogue.model())));
    m_seqEnd->setText(fromUtf8(model::formatSequenceValue(*definition, definition->end, catalogue.model())));
}

void CPropertyView::lineAttributeChosen(bool size) {
    if (m_filling || !isVisible()) {
        return;
    }
    const FocusLine focus = focusLine();
    QComboBox& combo = size ? *m_size : *m_width;
    if (!focus.counts || autoSizing() || combo.currentIndex() < 0) {
        refreshFocus();
        return;
    }
    model::EditData& record = m_document.data();
    const auto chosen = static_cast<std::uint8_t>(combo.currentData().toInt());
    const model::EditLine& current = record.line(focus.block, focus.line);
    if ((size ? current.charSize : current.charWidth) == chosen) {
        return;
    }
    if (m_beforeChange) {
        m_beforeChange();
    }
    if (focus.block == record.blockCount) {
        CellWriter(m_document.context().catalogue).appendBlock(record, focus.block);
    }
    model::EditLine& line = record.line(focus.block, focus.line);
    (size ? line.charSize : line.charWidth) = chosen;
    m_document.notifyChanged(1);
}

} // namespace qx::ui
