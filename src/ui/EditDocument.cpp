#include "ui/EditDocument.h"

#include "ui/CommandIds.h"
#include "output/OutputValidation.h"

#include <algorithm>

namespace qx::ui {

EditDocument::EditDocument(const EditorContext& context, model::EditData data, QObject* parent)
    : QObject(parent), m_context(context), m_data(std::move(data)) {}

EditDocument::~EditDocument() = default;

void EditDocument::attachRecord(model::EditData data) {
    m_data = std::move(data);
    notifyChanged(UpdateHint::Everything);
}

void EditDocument::recomputeBlockChecks(int first) {
    const int end = output::usedBlockCount(m_data);
    output::ComputeBlockResults(m_data, m_context.catalogue, m_context.settings, std::clamp(first, 0, end), end);
}

void EditDocument::recomputeAllChecks() {
    if (m_data.target.isPitchLengthMode()) {
        recomputeBlockChecks(0);
    } else {
        output::ComputeDocumentResult(m_data, m_context.catalogue);
    }
}

void EditDocument::notifyChanged(int hint) {
    if (m_data.target.isPitchLengthMode()) {
        const bool haveFocus = static_cast<bool>(m_focusRow);
        const int focus = haveFocus ? m_focusRow() : 0;
        if (haveFocus && (hint == UpdateHint::FocusCell || hint == UpdateHint::FocusRow)) {
            // Only the focus block changed: keep every other block's result.
            const int end = output::usedBlockCount(m_data);
            if (focus >= 0 && focus < end) {
                output::ComputeBlockResults(m_data, m_context.catalogue, m_context.settings, focus, focus + 1);
            } else {
                output::ComputeBlockResults(m_data, m_context.catalogue, m_context.settings, end, end);
            }
        } else if (haveFocus && hint == UpdateHint::BlocksFromFocusRow) {
            recomputeBlockChecks(focus);
        } else {
            recomputeBlockChecks(0);
        }
    } else {
        output::ComputeDocumentResult(m_data, m_context.catalogue);
    }
    setModified(true);
    emit changed(hint);
}

void EditDocument::setModified(bool modified) {
    if (m_modified == modified) {
        return;
    }
    m_modified = modified;
    emit modifiedChanged(modified);
}

void EditDocument::setTitle(const QString& title) {
    if (m_title == title) {
        return;
    }
    m_title = title;
    emit titleChanged(title);
}

} // namespace qx::ui
