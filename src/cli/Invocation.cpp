#include "Invocation.h"

namespace qx::cli {

bool Invocation::has(std::string_view name) const {
    for (const auto& option : options) {
        if (option.first == name) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> Invocation::value(std::string_view name) const {
    std::optional<std::string> found;
    for (const auto& option : options) {
        if (option.first == name) {
            found = option.second;
        }
    }
    return found;
}

namespace {

const OptionSpec* findOption(std::string_view name, std::span<const OptionSpec> global,
                             std::span<const OptionSpec> command) {
    for (const std::span<const OptionSpec> table : {global, command}) {
        for (const OptionSpec& option : table) {
            if (name == option.name || (!option.alias.empty() && name == option.alias)) {
                return &option;
            }
        }
    }
    return nullptr;
}

} // namespace

ParseOutcome parseArguments(std::span<const std::string> args, std::span<const OptionSpec> global,
                            std::span<const OptionSpec> command) {
    ParseOutcome outcome;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            outcome.invocation.arguments.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionSpec* option = findOption(name, global, command);
        if (option == nullptr) {
            outcome.ok = false;
            outcome.error = "unknown option '" + name + "'";
            return outcome;
        }
        std::string value;
        if (option->valueName.empty()) {
            if (equals != std::string::npos) {
                outcome.ok = false;
                outcome.error = "option '" + std::string(option->name) + "' takes no value";
                return outcome;
            }
        } else if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            outcome.ok = false;
            outcome.error = "option '" + std::string(option->name) + "' needs a value (" +
                            std::string(option->valueName) + ")";
            return outcome;
        }
        outcome.invocation.options.emplace_back(std::string(option->name), value);
    }
    return outcome;
}

} // namespace qx::cli
