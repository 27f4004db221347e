#pragma once

// Serves one of the cell editor widgets to the grid: the object lives as long as its owner, the
// widget only while a cell is edited. Each opening makes a fresh widget (empty text, empty map,
// allowances not loaded), lets the owner configure it and routes its events to the grid.

#include "ui/table/TableDataModel.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace qx::ui {

/// `Editor` is CCellEdit, CCellSpinCount, CCellSpinPitch or CCellDropDown: a widget with
/// setCellText, cellText, setCellRect, placeCaretAtEnd and the three request signals.
template <class Editor>
class CellEditorHost final : public CTableCellEditor {
public:
    /// Makes the widget as a child of the grid; may return nullptr (no editing starts).
    using Factory = std::function<Editor*(QWidget& parent)>;

    explicit CellEditorHost(Factory factory) : m_factory(std::move(factory)) {}
    ~CellEditorHost() override {
        disconnectSink();
        delete m_window.data();
    }
    CellEditorHost(const CellEditorHost&) = delete;
    CellEditorHost& operator=(const CellEditorHost&) = delete;

    /// The open widget, or nullptr.
    [[nodiscard]] Editor* window() const { return m_window.data(); }

    bool createEditorWindow(QWidget& parent, const QRect& rect, CTableCellEditorSink& sink) override {
        destroyEditorWindow();
        Editor* editor = m_factory ? m_factory(parent) : nullptr;
        if (editor == nullptr) {
            return false;
        }
        m_window = editor;
        m_connections.push_back(QObject::connect(editor, &Editor::commitMoveRequested, editor,
                                                 [&sink](int key, bool shift) { sink.editorCommitMove(key, shift); }));
        m_connections.push_back(
            QObject::connect(editor, &Editor::cancelRequested, editor, [&sink] { sink.editorCancel(); }));
        m_connections.push_back(
            QObject::connect(editor, &Editor::commitRequested, editor, [&sink] { sink.editorCommit(); }));
        editor->setCellRect(rect);
        return true;
    }

    void destroyEditorWindow() override {
        disconnectSink();
        if (Editor* editor = m_window.data()) {
            m_window = nullptr;
            editor->hide();
            editor->deleteLater();
        }
    }

    [[nodiscard]] QWidget* editorWindow() const override { return m_window.data(); }

    void setEditorText(int textFlag, const QString& text) override {
        if (Editor* editor = m_window.data()) {
            editor->setCellText(textFlag, text);
        }
    }

    [[nodiscard]] QString editorText() const override {
        const Editor* editor = m_window.data();
        return editor != nullptr ? editor->cellText() : QString();
    }

    [[nodiscard]] std::unique_ptr<CTableCellSequences> editorSequences() const override {
        if constexpr (requires(const Editor& e) { e.cellSequences(); }) {
            if (const Editor* editor = m_window.data()) {
                using Sequences = std::decay_t<decltype(editor->cellSequences())>;
                return std::make_unique<CTableCellSequencesOf<Sequences>>(editor->cellSequences());
            }
        }
        return nullptr;
    }

    void setEditorRect(const QRect& rect) override {
        if (Editor* editor = m_window.data()) {
            editor->setCellRect(rect);
        }
    }

    void placeCaretAtEnd() override {
        if (Editor* editor = m_window.data()) {
            editor->placeCaretAtEnd();
        }
    }

private:
    void disconnectSink() {
        for (const QMetaObject::Connection& connection : m_connections) {
            QObject::disconnect(connection);
        }
        m_connections.clear();
    }

    Factory m_factory;
    QPointer<Editor> m_window;
    std::vector<QMetaObject::Connection> m_connections;
};

} // namespace qx::ui
