#pragma once

#include "output/Prompter.h"

namespace qx::app {

/// Tells on standard error the number of every message before it is shown ("qxeditor: message
/// 42013"), so that a run driven from outside can follow what the operator was told.
class TracingPrompter final : public output::Prompter {
public:
    explicit TracingPrompter(output::Prompter& shown) : m_shown(shown) {}

    output::Answer prompt(const output::Prompt& message) override;

private:
    output::Prompter& m_shown;
};

} // namespace qx::app
