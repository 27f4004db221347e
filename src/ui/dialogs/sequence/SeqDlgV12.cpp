#include "ui/dialogs/sequence/SeqDlgV12.h"

#include "model/Catalogue.h"
#include "model/TextConversion.h"
#include "output/Prompter.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPushButton>

namespace qx::ui {

namespace {

constexpr int UnsupportedCharacters = 42045;

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CSeqDlgV12::CSeqDlgV12(const model::Catalogue& catalogue, output::Prompter& prompter, const SeqLine& line,
                       bool pitchLengthMode, const model::SequenceAllowance& allowance, QWidget* parent,
                       const SeqLineEditorFactory& editorFactory)
    : CSeqDlgV9(catalogue, prompter,
                line.sequences.empty() ? std::nullopt : std::optional(line.sequences.front()), parent),
      m_pitchLengthMode(pitchLengthMode), m_allowance(allowance),
      m_editor(editorFactory ? editorFactory(*this, catalogue.model())
                             : createSeqLineEditor(*this, catalogue.model())) {
    setObjectName(QStringLiteral("CSeqDlgV12"));
    QBoxLayout& top = controls().topLayout();
    auto* editorRow = new QHBoxLayout;
    editorRow->addWidget(&m_editor->editorWidget(), 1);
    m_insert = new QPushButton(QStringLiteral("挿入"), this);
    m_insert->setObjectName(QStringLiteral("insertButton"));
    m_insert->setAutoDefault(false);
    m_edit = new QPushButton(QStringLiteral("編集"), this);
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_edit->setAutoDefault(false);
    editorRow->addWidget(m_insert);
    editorRow->addWidget(m_edit);
    top.addLayout(editorRow);
    top.addWidget(&m_editor->previewWidget());
    top.addSpacing(6);
    m_editor->editorWidget().setMinimumWidth(320);
    // Tab order: the line, its buttons, then the definition's controls.
    setTabOrder(&m_editor->editorWidget(), m_insert);
    setTabOrder(m_insert, m_edit);
    setTabOrder(m_edit, &controls().modeCombo());

    connect(m_insert, &QPushButton::clicked, this, &CSeqDlgV12::insertSequence);
    connect(m_edit, &QPushButton::clicked, this, &CSeqDlgV12::editSequence);
    m_editor->setHandlers([this] { onSelectionChanged(); }, [this] { refreshButtons(); });

    const std::string tokenForm = model::codesToUtf8(line.chars, false);
    m_editor->load(fromUtf8(tokenForm), line.sequences);
    m_editor->editorWidget().setFocus(Qt::OtherFocusReason);
    onSelectionChanged();
}

CSeqDlgV12::~CSeqDlgV12() = default;

int CSeqDlgV12::limitCheck() const {
    const int needed = static_cast<int>(m_editor->sequences().size()) - m_selected.count + 1;
    return model::checkSequenceDialogAllowance(m_pitchLengthMode, m_allowance, needed);
}

void CSeqDlgV12::onSelectionChanged() {
    m_selected = m_editor->selectedTokens();
    m_oneToken = m_selected.count == 1;
    const auto& sequences = m_editor->sequences();
    if (m_oneToken && m_selected.first < static_cast<int>(sequences.size())) {
        showDefinition(sequences[static_cast<std::size_t>(m_selected.first)]);
    }
    refreshButtons();
}

void CSeqDlgV12::refreshButtons() {
    m_selected = m_editor->selectedTokens();
    m_oneToken = m_selected.count == 1;
    m_insert->setEnabled(!m_oneToken && limitCheck() == 0);
    m_edit->setEnabled(m_oneToken);
}

void CSeqDlgV12::insertSequence() {
    m_selected = m_editor->selectedTokens();
    if (const int refusal = limitCheck()) {
        prompter().show(refusal);
        return;
    }
    if (!readControls()) {
        return;
    }
    m_editor->replaceSelection(definition());
    m_editor->editorWidget().setFocus(Qt::OtherFocusReason);
    refreshButtons();
}

void CSeqDlgV12::editSequence() {
    m_selected = m_editor->selectedTokens();
    if (m_selected.count != 1 || !readControls()) {
        return;
    }
    m_editor->setSequence(m_selected.first, definition());
    m_editor->editorWidget().setFocus(Qt::OtherFocusReason);
}

void CSeqDlgV12::accept() {
    if (!readControls()) {
        return;
    }
    const QByteArray utf8 = m_editor->tokenForm().toUtf8();
    const model::TextToCodesResult converted =
        model::utf8ToCodes(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), true);
    if (converted.replaced > 0) {
        prompter().show(UnsupportedCharacters);
    }
    m_result.chars = converted.codes;
    m_result.sequences = m_editor->sequences();
    QDialog::accept();
}

} // namespace qx::ui
