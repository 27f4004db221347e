#include "ui/QtPrompter.h"

#include "model/StringTable.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace qx::ui {

namespace {

QMessageBox::Icon iconFor(const output::Prompt& message) {
    using output::Buttons;
    using output::Icon;
    switch (message.icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Default:
        break;
    }
    return (message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel) ? QMessageBox::Question
                                                                                          : QMessageBox::Warning;
}

QMessageBox::StandardButtons buttonsFor(output::Buttons buttons) {
    using output::Buttons;
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

output::Answer answerFor(int pressed, output::Buttons buttons) {
    switch (pressed) {
    case QMessageBox::Ok:
        return output::Answer::Ok;
    case QMessageBox::Yes:
        return output::Answer::Yes;
    case QMessageBox::No:
        return output::Answer::No;
    case QMessageBox::Retry:
        return output::Answer::Retry;
    default:
        // A box closed without a button: Cancel, or No where there is no Cancel.
        return buttons == output::Buttons::YesNo ? output::Answer::No : output::Answer::Cancel;
    }
}

} // namespace

output::Answer QtPrompter::prompt(const output::Prompt& message) {
    const std::string_view text = message.text.empty() ? model::messageText(message.messageId)
                                                       : std::string_view(message.text);
    QWidget* parent = m_parent != nullptr ? m_parent : QApplication::activeWindow();
    QMessageBox box(iconFor(message), QStringLiteral("コルビンタ PCエディタ"),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                    buttonsFor(message.buttons), parent);
    return answerFor(box.exec(), message.buttons);
}

} // namespace qx::ui
