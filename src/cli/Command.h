#pragma once

#include "Invocation.h"

#include <span>
#include <string_view>

namespace qx::cli {

class ToolContext;

/// One qxtool command. Each command lives in its own source file and hands out its description
/// through a function that the command table lists.
struct Command {
    std::string_view name;
    std::string_view synopsis;    ///< the arguments, e.g. "IN OUT"
    std::string_view summary;     ///< one line for the command list
    std::string_view description; ///< the paragraphs of `qxtool COMMAND --help`
    std::span<const OptionSpec> options;
    int (*run)(ToolContext& context, const Invocation& invocation);
};

/// The commands in the order `qxtool --help` lists them.
std::span<const Command* const> commandTable();

/// The command of that name, or nullptr.
const Command* findCommand(std::string_view name);

// The commands (one source file each).
const Command& dumpCommand();
const Command& convertCommand();
const Command& insertCommand();
const Command& importCommand();
const Command& checkCommand();
const Command& jobCommand();
const Command& printCommand();
const Command& queuesCommand();
const Command& addPrinterCommand();
// The picture commands; in a build without Qt Gui they only say that they are not built.
const Command& renderCommand();
const Command& previewCommand();
const Command& symbolsCommand();

} // namespace qx::cli
