#pragma once

#include <string>
#include <utility>

namespace qx::output {

/// The buttons of a message box.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

/// The icon of a message box. Default is the box's usual icon for its buttons: a warning for the
/// OK and OK/Cancel boxes, a question for the Yes/No boxes.
enum class Icon { Default, Information, Warning, Error, Question };

/// The button the operator pressed. Closing a box without pressing a button answers Cancel, or No
/// for a Yes/No box.
enum class Answer { Ok, Cancel, Yes, No, Retry };

/// The number of a message whose text does not come from the string table but from the operating
/// system (the reason a folder could not be created, for example).
inline constexpr int SystemMessage = 0;

/// One modal message to the operator.
struct Prompt {
    int messageId = SystemMessage; ///< string-table number of the text, or SystemMessage
    std::string text; ///< UTF-8 text to show instead of the table's (arguments filled in, system text);
                      ///< empty: the table's text
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Default;

    friend bool operator==(const Prompt&, const Prompt&) = default;
};

/// The one way the core asks or tells the operator something. The desktop application answers with
/// modal message boxes; tests inject a prompter that answers from a script and records what it was
/// shown. Every call blocks until the operator has answered.
class Prompter {
public:
    virtual ~Prompter() = default;

    /// Shows the message and returns the operator's answer.
    virtual Answer prompt(const Prompt& message) = 0;

    /// Asks the string-table text `messageId` with the given buttons.
    Answer ask(int messageId, Buttons buttons, Icon icon = Icon::Default) {
        return prompt(Prompt{messageId, {}, buttons, icon});
    }

    /// Tells the string-table text `messageId` with an OK button.
    void show(int messageId, Icon icon = Icon::Default) { prompt(Prompt{messageId, {}, Buttons::Ok, icon}); }

    /// Tells a text that is not the plain table text (filled-in arguments or a system text).
    void showText(int messageId, std::string text, Icon icon = Icon::Default) {
        prompt(Prompt{messageId, std::move(text), Buttons::Ok, icon});
    }
};

} // namespace qx::output
