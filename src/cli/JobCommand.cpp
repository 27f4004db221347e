#include "Command.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "PrintRequest.h"
#include "ToolContext.h"
#include "output/PrintJob.h"

namespace qx::cli {

namespace {

constexpr OptionSpec OutputOption{"--output", "-o", "OUT", "the file the job is written to"};
constexpr OptionSpec Options[] = {
    OutputOption,
    SendOption,
    CopiesOption,
    StartOption,
    EndOption,
    RevisionOption,
    MemoryOption,
    HeatOption,
    CutOption,
    OffsetOption,
    FrontFeedOption,
    LowSpeedOption,
    SeqOrderOption,
    TypeOption,
    TargetKindOption,
    TargetSizeOption,
    PrintLengthModeOption,
};

int runJob(ToolContext& context, const Invocation& invocation) {
    const std::optional<std::string> out = invocation.value(OutputOption.name);
    if (invocation.arguments.size() != 1 || !out) {
        context.error("job needs one FILE and -o OUT");
        return ExitStatus::Usage;
    }
    int status = ExitStatus::Success;
    const std::optional<PreparedJob> job = prepareJob(context, invocation, status);
    if (!job) {
        return status;
    }
    const output::PrintJobResult built = output::BuildPrintJob(job->data, context.catalogue(), context.settings(),
                                                               job->options, documentTitle(invocation.arguments[0]));
    if (!built.ok) {
        return reportRefusedJob(context, built);
    }
    return context.writeFile(*out, built.bytes) ? ExitStatus::Success : ExitStatus::FileFailure;
}

} // namespace

const Command& jobCommand() {
    static constexpr Command command{
        "job",
        "FILE -o OUT",
        "write the print or send job of a document",
        "Reads FILE as dump does and writes to OUT the exact bytes that printing it (or, with --send,\n"
        "sending it) would hand to the spooler: the PJL header of the selected model, the document's\n"
        "image in the model's layout and the trailer. A print job is checked first as check does\n"
        "(status 3 on an error); a send job only has to fit the encoder's limits. The print options\n"
        "take the values the operator sees in the print dialog and start as it starts for a fresh\n"
        "settings store; a value outside its range is a usage error with the dialog's message. The\n"
        "QX-780 takes send jobs only.",
        Options,
        runJob};
    return command;
}

} // namespace qx::cli
