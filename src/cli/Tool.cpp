#include "Tool.h"

#include "Command.h"
#include "ExitStatus.h"
#include "ToolContext.h"

#include <ostream>

namespace qx::cli {

namespace {

constexpr OptionSpec ModelOption{"--model", "", "NAME",
                                 "printer model: a name such as QX-950W3 or its index (default QX-950W3)"};
constexpr OptionSpec HelpOption{"--help", "-h", "", "show this help, or a command's help after it"};
constexpr OptionSpec GlobalOptions[] = {ModelOption, HelpOption};
constexpr std::string_view UsageHint =
    "Usage: qxtool [--model NAME] COMMAND [OPTIONS] ARGS... (see qxtool --help)\n";

void printOptions(std::ostream& out, std::span<const OptionSpec> options) {
    for (const OptionSpec& option : options) {
        std::string name(option.name);
        if (!option.alias.empty()) {
            name = std::string(option.alias) + ", " + name;
        }
        if (!option.valueName.empty()) {
            name += " " + std::string(option.valueName);
        }
        out << "  " << name;
        out << std::string(name.size() < 26 ? 26 - name.size() : 1, ' ') << option.help << '\n';
    }
}

void printUsage(std::ostream& out) {
    out << "Usage: qxtool [--model NAME] COMMAND [OPTIONS] ARGS...\n"
           "\n"
           "Reads, converts and merges QX-series documents (.QXF document files and .CSV files)\n"
           "without the editor, checks them for printing and builds or sends their print and send\n"
           "jobs. Options may come before or after the arguments.\n"
           "\n"
           "Commands:\n";
    for (const Command* command : commandTable()) {
        const std::string head = std::string(command->name) + " " + std::string(command->synopsis);
        out << "  " << head << std::string(head.size() < 32 ? 32 - head.size() : 1, ' ') << command->summary
            << '\n';
    }
    out << "\nOptions:\n";
    printOptions(out, GlobalOptions);
    out << "\n"
           "Settings are those of a fresh settings store for the model. Every message the editor would\n"
           "show in a box is printed on standard error as one line: its id, a blank and its text (line\n"
           "breaks inside the text become blanks).\n"
           "\n"
           "Exit status: 0 success (informational messages may have been printed), 1 usage error,\n"
           "2 a file could not be read or written or was refused, 3 validation failure.\n"
           "\n"
           "Models:";
    for (const model::Choice& choice : model::Catalogue(model::models::Default).choiceList(0)) {
        out << ' ' << choice.text << " (" << choice.value << ')';
    }
    out << "\n\nRun 'qxtool COMMAND --help' for the options of a command.\n";
}

void printCommandHelp(std::ostream& out, const Command& command) {
    out << "Usage: qxtool [--model NAME] " << command.name << ' ' << command.synopsis << " [OPTIONS]\n\n"
        << command.description << "\n\nOptions:\n";
    printOptions(out, command.options);
    printOptions(out, GlobalOptions);
}

} // namespace

int runQxtool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    // Only the global options may stand before the command word.
    std::size_t commandIndex = 0;
    while (commandIndex < args.size() && args[commandIndex].size() > 1 && args[commandIndex][0] == '-') {
        const std::string& arg = args[commandIndex];
        if (arg == ModelOption.name && commandIndex + 1 < args.size()) {
            commandIndex += 2;
        } else if (arg.rfind(std::string(ModelOption.name) + "=", 0) == 0 || arg == HelpOption.name ||
                   arg == HelpOption.alias) {
            ++commandIndex;
        } else {
            break;
        }
    }
    const Command* command = nullptr;
    std::span<const OptionSpec> commandOptions;
    std::vector<std::string> rest(args.begin(), args.end());
    if (commandIndex < args.size() && args[commandIndex][0] != '-') {
        command = findCommand(args[commandIndex]);
        if (command == nullptr) {
            err << "qxtool: unknown command '" << args[commandIndex] << "'\n" << UsageHint;
            return ExitStatus::Usage;
        }
        commandOptions = command->options;
        rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(commandIndex));
    }

    const ParseOutcome parsed = parseArguments(rest, GlobalOptions, commandOptions);
    if (!parsed.ok) {
        err << "qxtool: " << parsed.error << '\n';
        return ExitStatus::Usage;
    }
    const Invocation& invocation = parsed.invocation;
    if (invocation.has(HelpOption.name)) {
        if (command != nullptr) {
            printCommandHelp(out, *command);
        } else {
            printUsage(out);
        }
        return ExitStatus::Success;
    }
    if (command == nullptr) {
        err << "qxtool: no command given\n" << UsageHint;
        return ExitStatus::Usage;
    }

    model::ModelType model = model::models::Default;
    if (const std::optional<std::string> name = invocation.value(ModelOption.name)) {
        const std::optional<model::ModelType> chosen = parseModel(*name);
        if (!chosen) {
            err << "qxtool: unknown model '" << *name << "' (see qxtool --help)\n";
            return ExitStatus::Usage;
        }
        model = *chosen;
    }
    ToolContext context(model, out, err);
    return command->run(context, invocation);
}

} // namespace qx::cli
