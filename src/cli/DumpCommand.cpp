#include "Command.h"
#include "DocumentIo.h"
#include "DocumentJson.h"
#include "ExitStatus.h"
#include "ToolContext.h"

#include <ostream>

namespace qx::cli {

namespace {

constexpr OptionSpec Options[] = {TargetKindOption, TargetSizeOption, PrintLengthModeOption};

int runDump(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 1) {
        context.error("dump needs one FILE");
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
    context.out() << documentJson(data);
    return ExitStatus::Success;
}

} // namespace

const Command& dumpCommand() {
    static constexpr Command command{
        "dump",
        "FILE",
        "print a .QXF or .CSV file as JSON",
        "Reads FILE as the editor opens it (a .CSV file becomes a new document, anything else is read\n"
        "as a document file) and prints the document as JSON on standard output: the document's\n"
        "fields under their own names and one object for each block in use, with its sequence\n"
        "definitions and its four lines (character codes as numbers, text as UTF-8 with special\n"
        "codes as \"0x%04X\" tokens).",
        Options,
        runDump};
    return command;
}

} // namespace qx::cli
