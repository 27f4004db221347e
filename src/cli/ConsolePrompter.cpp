#include "ConsolePrompter.h"

#include "model/StringTable.h"

#include <istream>
#include <ostream>
#include <string>

namespace qx::cli {

namespace {

output::Answer positive(output::Buttons buttons) {
    switch (buttons) {
    case output::Buttons::YesNo:
    case output::Buttons::YesNoCancel:
        return output::Answer::Yes;
    case output::Buttons::RetryCancel:
        return output::Answer::Retry;
    case output::Buttons::Ok:
    case output::Buttons::OkCancel:
        break;
    }
    return output::Answer::Ok;
}

output::Answer negative(output::Buttons buttons) {
    return buttons == output::Buttons::YesNo ? output::Answer::No : output::Answer::Cancel;
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

} // namespace

ConsolePrompter::ConsolePrompter(std::ostream& err, std::istream& in, bool interactive, bool assumeYes)
    : m_err(err), m_in(in), m_interactive(interactive), m_assumeYes(assumeYes) {}

output::Answer ConsolePrompter::prompt(const output::Prompt& message) {
    std::string text =
        message.text.empty() ? std::string(model::messageText(message.messageId)) : message.text;
    for (char& c : text) {
        if (c == '\n')
            c = ' ';
    }
    m_err << message.messageId << ' ' << text << '\n';
    if (message.buttons == output::Buttons::Ok)
        return output::Answer::Ok;
    if (m_assumeYes)
        return positive(message.buttons);
    if (!m_interactive) {
        m_err << "qxtool: no terminal to confirm on; give --yes to answer it\n";
        return negative(message.buttons);
    }
    m_err << "[Enter: OK, n: cancel] " << std::flush;
    std::string answer;
    if (!std::getline(m_in, answer))
        return negative(message.buttons);
    answer = lower(answer);
    if (answer.empty() || answer == "y" || answer == "yes" || answer == "ok")
        return positive(message.buttons);
    return negative(message.buttons);
}

} // namespace qx::cli
