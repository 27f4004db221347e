#pragma once

#include "output/Prompter.h"

class QWidget;

namespace qx::ui {

/// The operator's message boxes: modal, with the application's title, the text from the string
/// table unless the prompt carries its own.
class QtPrompter final : public output::Prompter {
public:
    /// `parent` may be null; boxes then centre on the active window.
    explicit QtPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget* parent) { m_parent = parent; }

    output::Answer prompt(const output::Prompt& message) override;

private:
    QWidget* m_parent;
};

} // namespace qx::ui
