#include "Command.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "PrintRequest.h"
#include "ToolContext.h"
#include "model/StringTable.h"

#include <ostream>

namespace qx::cli {

namespace {

constexpr OptionSpec AllOption{"--all", "", "", "also list every block whose own check finds an error"};
constexpr OptionSpec Options[] = {AllOption, TargetKindOption, TargetSizeOption, PrintLengthModeOption};

int runCheck(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 1) {
        context.error("check needs one FILE");
        return ExitStatus::Usage;
    }
    const std::optional<NewDocumentOptions> options = newDocumentOptions(context, invocation);
    if (!options) {
        return ExitStatus::Usage;
    }
    model::EditData data;
    const int status = readDocument(context, invocation.arguments[0], *options, data);
    if (status != ExitStatus::Success) {
        return status;
    }
    if (invocation.has(AllOption.name)) {
        for (const auto& [block, error] : blockErrors(context, data)) {
            const int id = output::outputErrorMessageId(error);
            context.out() << "block " << block + 1 << ": " << id << ' ' << model::messageText(id) << '\n';
        }
    }
    const output::ValidationResult result = validateAsPrintCommand(context, data);
    if (!result.ok()) {
        reportValidation(context, result, context.out());
        return ExitStatus::Invalid;
    }
    context.out() << "OK\n";
    return ExitStatus::Success;
}

} // namespace

const Command& checkCommand() {
    static constexpr Command command{
        "check",
        "FILE",
        "check a document as the print command does",
        "Reads FILE as dump does and checks it as the editor checks a document before printing:\n"
        "every block's automatic character size resolved, then the print height, pitch and print\n"
        "lengths, the character buffer and the pitch table of the selected model. Prints OK, or the\n"
        "message on standard error and \"block N\" (the block at fault, from 1) on standard output\n"
        "and exits with status 3. With --all, every block whose own check finds an error is listed\n"
        "first, one line each (\"block N: ID TEXT\"), also those the print command lets pass.",
        Options,
        runCheck};
    return command;
}

} // namespace qx::cli
