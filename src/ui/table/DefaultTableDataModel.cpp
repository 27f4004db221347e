#include "ui/table/DefaultTableDataModel.h"

#include "ui/table/TableMessages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>

namespace qx::ui {

namespace {

/// The default model's editor window: a frameless one-line edit that reports Tab, Enter, Esc and
/// the loss of the focus to the grid.
class DefaultCellLineEdit final : public QLineEdit {
public:
    DefaultCellLineEdit(QWidget* parent, CTableCellEditorSink& sink) : QLineEdit(parent), m_sink(&sink) {
        setFrame(false);
    }

    void detach() { m_sink = nullptr; }

protected:
    bool event(QEvent* event) override {
        // Tab must reach the sink instead of moving the focus to the next widget.
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                if (m_sink != nullptr) {
                    m_sink->editorCommitMove(CommitKey::Tab, key->key() == Qt::Key_Backtab ||
                                                                 (key->modifiers() & Qt::ShiftModifier));
                }
                return true;
            }
        }
        return QLineEdit::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if (m_sink != nullptr) {
            if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
                m_sink->editorCommitMove(CommitKey::Enter, (event->modifiers() & Qt::ShiftModifier) != 0);
                return;
            }
            if (event->key() == Qt::Key_Escape) {
                m_sink->editorCancel();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }

    void focusOutEvent(QFocusEvent* event) override {
        QLineEdit::focusOutEvent(event);
        if (m_sink != nullptr) {
            m_sink->editorCommit();
        }
    }

private:
    CTableCellEditorSink* m_sink;
};

class DefaultLineEditor final : public CTableCellEditor {
public:
    DefaultLineEditor() = default;
    DefaultLineEditor(const DefaultLineEditor&) = delete;
    DefaultLineEditor& operator=(const DefaultLineEditor&) = delete;
    ~DefaultLineEditor() override { destroyEditorWindow(); }

    bool createEditorWindow(QWidget& parent, const QRect& rect, CTableCellEditorSink& sink) override {
        destroyEditorWindow();
        m_window = new DefaultCellLineEdit(&parent, sink); // owned by the parent until destroyed
        setEditorRect(rect);
        return true;
    }

    void destroyEditorWindow() override {
        if (m_window != nullptr) {
            m_window->detach();
            m_window->hide();
            m_window->deleteLater();
            m_window = nullptr;
        }
    }

    QWidget* editorWindow() const override { return m_window.data(); }

    void setEditorText(int /*textFlag*/, const QString& text) override {
        if (m_window != nullptr) {
            m_window->setText(text);
        }
    }

    QString editorText() const override { return m_window != nullptr ? m_window->text() : QString(); }

    void setEditorRect(const QRect& rect) override {
        if (m_window == nullptr) {
            return;
        }
        if (rect.isEmpty()) {
            m_window->hide();
        } else {
            m_window->setGeometry(rect);
            m_window->show();
        }
    }

    void placeCaretAtEnd() override {
        if (m_window != nullptr) {
            m_window->end(false);
        }
    }

private:
    QPointer<DefaultCellLineEdit> m_window;
};

} // namespace

CDefaultTableDataModel::CDefaultTableDataModel() : m_editor(std::make_unique<DefaultLineEditor>()) {}

CDefaultTableDataModel::~CDefaultTableDataModel() = default;

int CDefaultTableDataModel::IsTextColumn(int /*row*/, int /*column*/) {
    return 0;
}

QString CDefaultTableDataModel::GetCellText(int row, int column) {
    return QString(QChar(static_cast<char16_t>(u'A' + column))) + QString::number(row + 1);
}

void CDefaultTableDataModel::SetCellText(int /*row*/, int /*column*/, const QString& /*text*/) {}

void CDefaultTableDataModel::SetCellSequences(int /*row*/, int /*column*/,
                                              const CTableCellSequences* /*sequences*/) {}

CTableCellEditor* CDefaultTableDataModel::GetCellEditor(int /*column*/) {
    return m_editor.get();
}

QString CDefaultTableDataModel::GetColumnTitle(int column) {
    return QString(QChar(static_cast<char16_t>(u'A' + column)));
}

void CDefaultTableDataModel::DrawCell(QPainter& /*painter*/, const QSize& /*contentSize*/, int /*row*/,
                                      int /*column*/) {}

QColor CDefaultTableDataModel::GetCellBackColor(int /*row*/, int /*column*/) {
    return QPalette().color(QPalette::Base);
}

void CDefaultTableDataModel::CancelEditCell(int /*row*/, int /*column*/) {}

bool CDefaultTableDataModel::CanAddSequence() {
    return false;
}

} // namespace qx::ui
