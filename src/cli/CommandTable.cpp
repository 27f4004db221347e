#include "Command.h"

#include <array>

namespace qx::cli {

std::span<const Command* const> commandTable() {
    // A new command is a new source file plus one line here.
    static const std::array<const Command*, 12> table{
        &dumpCommand(),
        &convertCommand(),
        &insertCommand(),
        &importCommand(),
        &checkCommand(),
        &jobCommand(),
        &printCommand(),
        &queuesCommand(),
        &addPrinterCommand(),
        &renderCommand(),
        &previewCommand(),
        &symbolsCommand(),
    };
    return table;
}

const Command* findCommand(std::string_view name) {
    for (const Command* command : commandTable()) {
        if (command->name == name) {
            return command;
        }
    }
    return nullptr;
}

} // namespace qx::cli
