#include "Command.h"
#include "ExitStatus.h"
#include "ToolContext.h"
#include "output/CupsAdministration.h"
#include "output/CupsSpooler.h"
#include "output/PrinterDriver.h"
#include "output/SpoolerTransport.h"

#include <ostream>

namespace qx::cli {

namespace {

constexpr int MsgDriverMissing = 43302;  ///< "%s のドライバが見つかりません。…"
constexpr int MsgNoAdminRights = 43303;  ///< "プリンタを追加する権限がありません。…"
constexpr int MsgPrinterAdded = 43304;   ///< "プリンタ %s を追加しました。"
constexpr int MsgNoPrinterFound = 43305; ///< "このモデルのプリンタが見つかりません。"
constexpr int MsgQueueExists = 43306;    ///< "プリンタ %s は既にあります。"

constexpr OptionSpec DeviceOption{"--device", "", "URI", "make the queue for this device"};
constexpr OptionSpec NameOption{"--name", "", "NAME", "the queue's name (default: the model's name)"};
constexpr OptionSpec Options[] = {DeviceOption, NameOption};

int listDevices(ToolContext& context, std::string_view maker) {
    output::CupsAdministration cups;
    std::vector<output::PrinterDevice> devices;
    switch (cups.listDevices(devices)) {
    case output::AdminResult::Done:
        break;
    case output::AdminResult::Denied:
        context.showMessage(MsgNoAdminRights);
        context.out() << "lpinfo -v\n";
        return ExitStatus::FileFailure;
    case output::AdminResult::Failed:
        context.error("CUPS: " + cups.lastError());
        return ExitStatus::FileFailure;
    }
    const std::vector<output::PrinterDevice> candidates = output::printerCandidates(devices, maker);
    for (const output::PrinterDevice& device : candidates) {
        context.out() << device.uri << '\t'
                      << (device.makeAndModel.empty() ? device.info : device.makeAndModel) << '\n';
    }
    if (candidates.empty()) {
        context.showMessage(MsgNoPrinterFound);
    }
    return ExitStatus::Success;
}

int runAddPrinter(ToolContext& context, const Invocation& invocation) {
    if (!invocation.arguments.empty()) {
        context.error("add-printer takes no arguments");
        return ExitStatus::Usage;
    }
    const std::optional<std::string_view> driver = output::modelDriverName(context.model());
    const std::optional<std::string_view> maker = output::driverMaker(context.model());
    const std::optional<std::string_view> model = output::driverModel(context.model());
    if (!driver || !maker || !model) {
        context.error("the model has no printer driver");
        return ExitStatus::Usage;
    }
    const std::optional<std::string> device = invocation.value(DeviceOption.name);
    if (!device) {
        return listDevices(context, *maker);
    }
    const std::string name = invocation.value(NameOption.name).value_or(std::string(*model));
    if (!output::isValidQueueName(name)) {
        context.error("'" + name +
                      "' cannot name a queue: 1 to 127 characters without blanks, '/', '\\', '#', "
                      "'?' or quotes");
        return ExitStatus::Usage;
    }
    if (device->find("://") == std::string::npos) {
        context.error("'" + *device + "' is no device URI (such as socket://192.168.1.20)");
        return ExitStatus::Usage;
    }
    // An existing queue is the operator's: adding would silently change its device and driver.
    output::CupsSpooler spooler;
    for (const output::SpoolerQueue& queue : spooler.queues()) {
        if (queue.name == name) {
            context.showMessage(MsgQueueExists, {name});
            return ExitStatus::FileFailure;
        }
    }

    output::CupsAdministration cups;
    const std::optional<std::string> ppdName = cups.findDriver(*driver);
    if (!ppdName) {
        context.showMessage(MsgDriverMissing, {*driver});
        context.error("CUPS: " + cups.lastError());
        return ExitStatus::FileFailure;
    }
    switch (cups.addQueue(name, *device, *ppdName)) {
    case output::AdminResult::Done:
        context.showMessage(MsgPrinterAdded, {name});
        return ExitStatus::Success;
    case output::AdminResult::Denied:
        context.showMessage(MsgNoAdminRights);
        context.out() << output::lpadminCommand(name, *device, *ppdName) << '\n';
        return ExitStatus::FileFailure;
    case output::AdminResult::Failed:
        break;
    }
    context.error("CUPS: " + cups.lastError());
    return ExitStatus::FileFailure;
}

} // namespace

const Command& addPrinterCommand() {
    static constexpr Command command{
        "add-printer",
        "[--device URI]",
        "list the printers to connect, or make the CUPS queue for one",
        "Without --device, lists the devices CUPS finds that could be the selected model's\n"
        "printer, one a line: the device URI, a tab and its description; USB printers of KAV\n"
        "first, then network printers (socket://). With --device, makes the queue for that device\n"
        "with the model's driver (installed with the editor as \"KAV QX-950W3\" …), enabled and\n"
        "accepting jobs, named after the model or --name; print then uses it. An existing queue\n"
        "of that name is left alone. Without the rights to administer CUPS it prints 43303 and,\n"
        "on standard output, the lpadmin command an administrator can run instead, and exits 2.",
        Options,
        runAddPrinter};
    return command;
}

} // namespace qx::cli
