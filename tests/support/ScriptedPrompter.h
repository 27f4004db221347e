#pragma once

#include "output/Prompter.h"

#include <deque>
#include <vector>

namespace qx::output::testing {

/// Answers from a script (OK once the script is used up) and records every message it was shown.
class ScriptedPrompter final : public Prompter {
public:
    explicit ScriptedPrompter(std::deque<Answer> answers = {}) : m_answers(std::move(answers)) {}

    Answer prompt(const Prompt& message) override {
        m_shown.push_back(message);
        if (m_answers.empty()) {
            return Answer::Ok;
        }
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    const std::vector<Prompt>& shown() const { return m_shown; }

    std::vector<int> shownIds() const {
        std::vector<int> ids;
        for (const Prompt& p : m_shown) {
            ids.push_back(p.messageId);
        }
        return ids;
    }

private:
    std::deque<Answer> m_answers;
    std::vector<Prompt> m_shown;
};

} // namespace qx::output::testing
