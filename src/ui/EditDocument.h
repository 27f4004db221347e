#pragma once

#include "ui/EditorContext.h"
#include "model/EditData.h"

#include <QObject>
#include <QString>

#include <functional>

namespace qx::ui {

/// One open document as the editing windows see it: the owned EditData, its modified state and its
/// change notification. Every edit ends in notifyChanged(hint), which brings the output checks up
/// to date for what the hint says changed and then tells the views. File handling lives above,
/// in the application's document class.
class EditDocument : public QObject {
    Q_OBJECT

public:
    EditDocument(const EditorContext& context, model::EditData data, QObject* parent = nullptr);
    ~EditDocument() override;

    const EditorContext& context() const { return m_context; }
    const model::EditData& data() const { return m_data; }
    /// For edits in place; finish every edit with notifyChanged().
    model::EditData& data() { return m_data; }

    /// Replaces the whole record (undo, redo, file insert), then notifies with hint 0.
    void attachRecord(model::EditData data);

    /// Recomputes the output checks that the hint touches, marks the document modified and tells
    /// the views (changed signal).
    void notifyChanged(int hint);

    /// Recomputes every output check without marking anything (after loading a file).
    void recomputeAllChecks();

    /// The grid's focus row, which the checks of hints 1, 2 and 8 start from; the editing view sets it.
    void setFocusRowProvider(std::function<int()> provider) { m_focusRow = std::move(provider); }

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    QString title() const { return m_title; }
    void setTitle(const QString& title);

signals:
    void changed(int hint);
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

private:
    void recomputeBlockChecks(int first);

    EditorContext m_context;
    model::EditData m_data;
    std::function<int()> m_focusRow;
    bool m_modified = false;
    QString m_title;
};

} // namespace qx::ui
