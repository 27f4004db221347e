#include "ui/dialogs/sequence/SeqLineEditor.h"

#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolPreview.h"
#include "model/CharCode.h"

namespace qx::ui {

namespace {

/// The symbol-capable field with its preview: what the line will print, symbols as pictures.
class SymbolSeqLineEditor final : public SeqLineEditor {
public:
    SymbolSeqLineEditor(QWidget& parent, model::ModelType model, const render::SymbolPictures* pictures)
        : m_edit(new CSymbolEdit(&parent)), m_preview(new CSymbolPreview(pictures, &parent)) {
        m_edit->setObjectName(QStringLiteral("lineEdit"));
        m_edit->setModelType(model);
        m_preview->setObjectName(QStringLiteral("linePreview"));
        QObject::connect(m_edit, &QLineEdit::selectionChanged, m_edit, [this] { selectionMoved(); });
        QObject::connect(m_edit, &QLineEdit::cursorPositionChanged, m_edit, [this] { selectionMoved(); });
        QObject::connect(m_edit, &QLineEdit::textChanged, m_edit, [this] {
            m_preview->setTokenText(m_edit->cellText());
            if (m_textChanged) {
                m_textChanged();
            }
        });
    }

    QWidget& editorWidget() override { return *m_edit; }
    QWidget& previewWidget() override { return *m_preview; }

    void load(const QString& tokenForm, std::vector<model::tagSEQ_V900> sequences) override {
        m_edit->loadDialogResult(tokenForm, std::move(sequences));
        m_edit->placeCaretAtEnd();
        m_edit->keepSelection();
        m_preview->setTokenText(m_edit->cellText());
    }

    QString tokenForm() const override { return m_edit->cellText(); }
    const std::vector<model::tagSEQ_V900>& sequences() const override { return m_edit->cellSequences(); }

    SeqTokenRange selectedTokens() const override {
        const TokenText& text = m_edit->tokenText();
        const TextRange range = m_edit->keptSelection();
        return {text.markersBefore(range.from), text.markersIn(range)};
    }

    void replaceSelection(const model::tagSEQ_V900& definition) override {
        m_edit->restoreSelection();
        m_edit->insertToken(model::codes::SequenceMarker, definition);
        m_edit->keepSelection();
    }

    void setSequence(int index, const model::tagSEQ_V900& definition) override {
        std::vector<model::tagSEQ_V900> sequences = m_edit->cellSequences();
        if (index < 0 || index >= static_cast<int>(sequences.size())) {
            return;
        }
        sequences[static_cast<std::size_t>(index)] = definition;
        const TextRange range = m_edit->keptSelection();
        const int caret = m_edit->keptCaret();
        m_edit->loadDialogResult(m_edit->cellText(), std::move(sequences));
        // The same text again: the selection the operator left is put back as it was.
        m_edit->keepSelection(range, caret);
        m_edit->restoreSelection();
    }

    void setHandlers(std::function<void()> selectionChanged, std::function<void()> textChanged) override {
        m_selectionChanged = std::move(selectionChanged);
        m_textChanged = std::move(textChanged);
    }

private:
    void selectionMoved() {
        if (m_edit->hasFocus() && m_selectionChanged) {
            m_selectionChanged();
        }
    }

    CSymbolEdit* m_edit;
    CSymbolPreview* m_preview;
    std::function<void()> m_selectionChanged;
    std::function<void()> m_textChanged;
};

} // namespace

std::unique_ptr<SeqLineEditor> createSeqLineEditor(QWidget& parent, model::ModelType model,
                                                   const render::SymbolPictures* pictures) {
    return std::make_unique<SymbolSeqLineEditor>(parent, model, pictures);
}

} // namespace qx::ui
