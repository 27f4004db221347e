#include "Command.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "ToolContext.h"

namespace qx::cli {

namespace {

constexpr OptionSpec Options[] = {TargetKindOption, TargetSizeOption, PrintLengthModeOption};

int runConvert(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 2) {
        context.error("convert needs IN and OUT");
        return ExitStatus::Usage;
    }
    if (!isWritableKind(context, invocation.arguments[1])) {
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
    return writeDocument(context, invocation.arguments[1], data);
}

} // namespace

const Command& convertCommand() {
    static constexpr Command command{
        "convert",
        "IN OUT",
        "convert between .QXF and .CSV",
        "Reads IN as dump does and writes OUT by its extension: .QXF as a document file in the layout\n"
        "of the selected model, .CSV as CSV text (Shift_JIS, CR LF). OUT is replaced only once the\n"
        "new contents are safely on disk.",
        Options,
        runConvert};
    return command;
}

} // namespace qx::cli
