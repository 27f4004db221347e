#include "ui/dialogs/SeqLineEditor.h"

#include "ui/grid/CellEdit.h"
#include "ui/table/TableMessages.h"
#include "model/CharCode.h"

#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

namespace qx::ui {

namespace {

class PlainSeqLineEditor final : public QObject, public SeqLineEditor {
public:
    PlainSeqLineEditor(QWidget& parent, model::ModelType model)
        : m_edit(new CCellEdit(&parent)), m_preview(new QScrollArea(&parent)), m_previewText(new QLabel) {
        m_edit->setObjectName(QStringLiteral("lineEdit"));
        m_edit->installEventFilter(this);
        m_edit->setModelType(model);
        // Sequence numbers come from the dialog's own buttons, symbols are not offered here.
        m_edit->setDialogsAvailable([] { return false; });
        m_preview->setObjectName(QStringLiteral("linePreview"));
        m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_preview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_preview->horizontalScrollBar()->setObjectName(QStringLiteral("previewScrollBar"));
        m_preview->setWidgetResizable(false);
        m_preview->setBackgroundRole(QPalette::Base);
        m_previewText->setObjectName(QStringLiteral("previewText"));
        m_previewText->setTextFormat(Qt::PlainText);
        m_previewText->setMargin(4);
        m_preview->setWidget(m_previewText);
        m_preview->setFixedHeight(m_previewText->fontMetrics().height() * 2 +
                                  m_preview->horizontalScrollBar()->sizeHint().height() + 8);

        // The cell editor ends an edit on Tab, Enter and Esc; in a dialog they move on, confirm
        // and cancel.
        QObject::connect(m_edit, &CCellEdit::commitMoveRequested, m_edit, [this](int key, bool shift) {
            if (key == CommitKey::Tab) {
                QWidget* next = shift ? m_edit->previousInFocusChain() : m_edit->nextInFocusChain();
                next->setFocus(shift ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            } else if (auto* dialog = qobject_cast<QDialog*>(m_edit->window())) {
                dialog->accept();
            }
        });
        QObject::connect(m_edit, &CCellEdit::cancelRequested, m_edit, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(m_edit->window())) {
                dialog->reject();
            }
        });
        QObject::connect(m_edit, &QLineEdit::selectionChanged, m_edit, [this] { selectionMoved(); });
        QObject::connect(m_edit, &QLineEdit::cursorPositionChanged, m_edit, [this] { selectionMoved(); });
        QObject::connect(m_edit, &QLineEdit::textChanged, m_edit, [this] {
            if (m_edit->hasFocus()) {
                keepSelection();
            }
            m_previewText->setText(m_edit->text());
            m_previewText->adjustSize();
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
        keepSelection();
    }

    QString tokenForm() const override { return m_edit->cellText(); }
    const std::vector<model::tagSEQ_V900>& sequences() const override { return m_edit->cellSequences(); }

    SeqTokenRange selectedTokens() const override {
        const TokenText& text = m_edit->tokenText();
        return {text.markersBefore(m_range.from), text.markersIn(m_range)};
    }

    void replaceSelection(const model::tagSEQ_V900& definition) override {
        restoreSelection();
        m_edit->insertToken(model::codes::SequenceMarker, definition);
        keepSelection();
    }

    void setSequence(int index, const model::tagSEQ_V900& definition) override {
        std::vector<model::tagSEQ_V900> sequences = m_edit->cellSequences();
        if (index < 0 || index >= static_cast<int>(sequences.size())) {
            return;
        }
        sequences[static_cast<std::size_t>(index)] = definition;
        const TextRange range = m_range;
        const int caret = m_caret;
        m_edit->loadDialogResult(m_edit->cellText(), std::move(sequences));
        m_range = range;
        m_caret = caret;
        restoreSelection();
    }

    void setHandlers(std::function<void()> selectionChanged, std::function<void()> textChanged) override {
        m_selectionChanged = std::move(selectionChanged);
        m_textChanged = std::move(textChanged);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_edit && event->type() == QEvent::FocusIn) {
            // Coming back (from a button, or as the dialog opens), the line shows the selection
            // it had, not the whole text the platform edit would select.
            static_cast<QObject*>(m_edit)->event(event);
            restoreSelection();
            return true;
        }
        return false;
    }

private:
    /// The selection the buttons act on. Pressing a button takes the focus, and the edit drops its
    /// selection then: only what the operator selects while editing counts.
    void keepSelection() {
        const bool selected = m_edit->hasSelectedText();
        m_caret = m_edit->cursorPosition();
        m_range = selected ? TextRange{m_edit->selectionStart(), m_edit->selectionEnd()} : TextRange{m_caret, m_caret};
    }

    void restoreSelection() {
        if (m_range.empty()) {
            m_edit->setCursorPosition(m_range.from);
        } else if (m_caret == m_range.from) {
            m_edit->setSelection(m_range.to, m_range.from - m_range.to);
        } else {
            m_edit->setSelection(m_range.from, m_range.to - m_range.from);
        }
    }

    void selectionMoved() {
        if (!m_edit->hasFocus()) {
            return;
        }
        keepSelection();
        if (m_selectionChanged) {
            m_selectionChanged();
        }
    }

    CCellEdit* m_edit;
    QScrollArea* m_preview;
    QLabel* m_previewText;
    std::function<void()> m_selectionChanged;
    std::function<void()> m_textChanged;
    TextRange m_range;
    int m_caret = 0;
};

} // namespace

std::unique_ptr<SeqLineEditor> createSeqLineEditor(QWidget& parent, model::ModelType model) {
    return std::make_unique<PlainSeqLineEditor>(parent, model);
}

} // namespace qx::ui
