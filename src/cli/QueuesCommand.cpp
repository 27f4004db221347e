#include "Command.h"
#include "ExitStatus.h"
#include "ToolContext.h"
#include "output/CupsSpooler.h"
#include "output/SpoolerTransport.h"

#include <ostream>

namespace qx::cli {

namespace {

int runQueues(ToolContext& context, const Invocation& invocation) {
    if (!invocation.arguments.empty()) {
        context.error("queues takes no arguments");
        return ExitStatus::Usage;
    }
    const std::string_view driver = output::modelDriverName(context.model()).value_or("");
    output::CupsSpooler cups;
    bool marked = false;
    for (const output::SpoolerQueue& queue : cups.queues()) {
        // The print command takes the first queue that carries the model's driver.
        const bool used = !marked && queue.driverName == driver;
        marked = marked || used;
        context.out() << (used ? "* " : "  ") << queue.name << '\t' << queue.driverName << '\n';
    }
    if (!marked) {
        context.error("no queue has the driver \"" + std::string(driver) + "\" of the " +
                      std::string(modelDisplayName(context.model())));
    }
    return ExitStatus::Success;
}

} // namespace

const Command& queuesCommand() {
    static constexpr Command command{
        "queues",
        "",
        "list the CUPS queues and the one print would use",
        "Lists the queues of the CUPS server, one a line: the queue name, a tab and its make and\n"
        "model (the driver name). The queue that print would use for the selected model, the first\n"
        "whose driver name is the model's, is marked with \"*\".",
        {},
        runQueues};
    return command;
}

} // namespace qx::cli
