#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qx::cli {

/// One option a command accepts: "--name" (and an optional short alias such as "-o"); with a
/// valueName it takes a value, as the next argument or after "=".
struct OptionSpec {
    std::string_view name;
    std::string_view alias;
    std::string_view valueName; ///< empty for a flag
    std::string_view help;
};

/// A command line split into the arguments and options of one command.
struct Invocation {
    std::vector<std::string> arguments;
    std::vector<std::pair<std::string, std::string>> options; ///< by their long name, in order

    bool has(std::string_view name) const;
    /// The last value given for the option.
    std::optional<std::string> value(std::string_view name) const;
};

/// Splits `args` by the option table; the first unknown option or a missing value gives an error
/// text. "--" ends the options.
struct ParseOutcome {
    bool ok = true;
    std::string error;
    Invocation invocation;
};

ParseOutcome parseArguments(std::span<const std::string> args, std::span<const OptionSpec> global,
                            std::span<const OptionSpec> command);

} // namespace qx::cli
