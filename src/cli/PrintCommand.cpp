#include "Command.h"
#include "ConsolePrompter.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "PrintRequest.h"
#include "ToolContext.h"
#include "output/CupsSpooler.h"
#include "output/PrintJob.h"
#include "output/SpoolerTransport.h"

#include <iostream>
#include <unistd.h>

namespace qx::cli {

namespace {

constexpr OptionSpec QueueOption{"--queue", "", "NAME",
                                 "use this queue (it must still carry the model's driver)"};
constexpr OptionSpec YesOption{"--yes", "-y", "", "answer the PC communication mode prompt with OK"};
constexpr OptionSpec Options[] = {
    SendOption,     QueueOption,    YesOption,  CopiesOption,     StartOption,      EndOption,
    RevisionOption, MemoryOption,   HeatOption, CutOption,        OffsetOption,     FrontFeedOption,
    LowSpeedOption, SeqOrderOption, TypeOption, TargetKindOption, TargetSizeOption, PrintLengthModeOption,
};

/// A spooler that shows only one of the queues of another.
class OneQueueSpooler final : public output::Spooler {
public:
    OneQueueSpooler(output::Spooler& spooler, std::string queueName)
        : m_spooler(spooler), m_queueName(std::move(queueName)) {}

    std::vector<output::SpoolerQueue> queues() override {
        std::vector<output::SpoolerQueue> kept;
        for (output::SpoolerQueue& queue : m_spooler.queues()) {
            if (queue.name == m_queueName) {
                kept.push_back(std::move(queue));
            }
        }
        return kept;
    }
    bool open(const std::string& queueName) override { return m_spooler.open(queueName); }
    bool startDocument(const std::string& documentName) override {
        return m_spooler.startDocument(documentName);
    }
    std::size_t write(std::span<const std::uint8_t> bytes) override { return m_spooler.write(bytes); }
    bool endDocument() override { return m_spooler.endDocument(); }
    bool close() override { return m_spooler.close(); }

private:
    output::Spooler& m_spooler;
    std::string m_queueName;
};

int runPrint(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 1) {
        context.error("print needs one FILE");
        return ExitStatus::Usage;
    }
    int status = ExitStatus::Success;
    const std::optional<PreparedJob> job = prepareJob(context, invocation, status);
    if (!job) {
        return status;
    }

    output::CupsSpooler cups;
    std::optional<OneQueueSpooler> chosen;
    output::Spooler* spooler = &cups;
    if (const std::optional<std::string> queue = invocation.value(QueueOption.name)) {
        spooler = &chosen.emplace(cups, *queue);
    }
    ConsolePrompter prompter(context.err(), std::cin, ::isatty(STDIN_FILENO) == 1,
                             invocation.has(YesOption.name));
    const std::string title = documentTitle(invocation.arguments[0]);
    output::PrintJobResult built;
    const int sent = output::SendJobToPrinter(context.model(), *spooler, prompter, [&] {
        built = output::BuildPrintJob(job->data, context.catalogue(), context.settings(), job->options, title);
        return built;
    });
    if (sent == output::SendNotStarted) {
        // The encoder's message has been shown; the block at fault is still to be named.
        if (built.refusal == output::PrintJobRefusal::Encoder) {
            context.err() << "block " << built.failedBlock + 1 << '\n';
            return ExitStatus::Invalid;
        }
        return ExitStatus::FileFailure;
    }
    output::showSendResult(sent, prompter);
    if (sent != output::SendSucceeded && !cups.lastError().empty()) {
        context.error("CUPS: " + cups.lastError());
    }
    return sent == output::SendSucceeded ? ExitStatus::Success : ExitStatus::FileFailure;
}

} // namespace

const Command& printCommand() {
    static constexpr Command command{
        "print",
        "FILE",
        "print or send a document through CUPS",
        "Builds the job as job does and hands it to the CUPS queue whose make and model is the\n"
        "selected model's driver name (\"KAV QX-950W3\" …), as the editor's print and send commands\n"
        "do: first the prompt to switch the printer to PC communication mode (answered from the\n"
        "terminal, or OK with --yes; without a terminal and --yes the job is not sent), then one\n"
        "raw job named after the file. Prints 42013 and exits 0 once the printer has the job, when\n"
        "it waits behind other jobs on a working queue, or when CUPS took every byte and no longer\n"
        "knows the job. Prints 42012 and CUPS's reason and exits 2 when the queue is stopped or\n"
        "refuses jobs (no job is left), when CUPS aborted the job, or when CUPS held or stopped it\n"
        "or the printer did not take it within 15 s (the job is then cancelled); 2 as well when\n"
        "nothing was sent. The CUPS server is the usual one (CUPS_SERVER, client.conf).",
        Options,
        runPrint};
    return command;
}

} // namespace qx::cli
