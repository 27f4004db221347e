#pragma once

#include "output/Prompter.h"

#include <iosfwd>

namespace qx::cli {

/// Shows every message as one line on the error stream ("42011 本体を…") and answers the
/// questions: with assumeYes always with the positive button; otherwise, when `interactive`, from a
/// line read from `in` (empty, "y", "yes" or "ok" is the positive button); otherwise with the
/// negative one, as there is nobody to ask.
class ConsolePrompter final : public output::Prompter {
public:
    ConsolePrompter(std::ostream& err, std::istream& in, bool interactive, bool assumeYes);

    output::Answer prompt(const output::Prompt& message) override;

private:
    std::ostream& m_err;
    std::istream& m_in;
    bool m_interactive;
    bool m_assumeYes;
};

} // namespace qx::cli
