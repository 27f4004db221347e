#include "SpoolerTransport.h"

#include <array>

namespace qx::output {

namespace {

struct DriverRow {
    model::ModelType model;
    std::string_view driverName;
};

// The reserved models keep their names: a queue may have been set up for them.
constexpr std::array<DriverRow, 11> DriverNames{{
    {0, "KAV QX-780"},
    {1, "KAV QX-790"},
    {2, "KAV QX-900W"},
    {3, "KAV QX-950W"},
    {4, "KAV QX-950"},
    {5, "KAV QX-900W2"},
    {6, "KAV QX-950W2"},
    {7, "KAV QX-950A2"},
    {8, "KAV QX-900W3"},
    {9, "KAV QX-950W3"},
    {10, "KAV QX-950A3"},
}};

/// The first queue in the spooler's order whose driver is exactly the model's: no case folding, no
/// trimming, no prefix match ("KAV QX-950W" is not "KAV QX-950").
std::optional<std::string> findQueue(Spooler& spooler, std::string_view driverName) {
    for (const SpoolerQueue& queue : spooler.queues()) {
        if (queue.driverName == driverName) {
            return queue.name;
        }
    }
    return std::nullopt;
}

/// Open, start, one write, end, close. Every step that was begun is undone even after a failure,
/// and the job counts only when all of them succeeded and the spooler took every byte.
int writeJob(Spooler& spooler, const std::string& queueName, const PrintJobResult& job) {
    if (job.bytes.empty()) {
        return SendFailed; // nothing to deliver is never reported as delivered
    }
    if (!spooler.open(queueName)) {
        return SendFailed;
    }
    bool good = false;
    if (spooler.startDocument(job.jobName)) {
        const std::size_t taken = spooler.write(job.bytes);
        good = taken == job.bytes.size();
        good = spooler.endDocument() && good;
    }
    good = spooler.close() && good;
    return good ? SendSucceeded : SendFailed;
}

} // namespace

std::optional<std::string_view> modelDriverName(model::ModelType model) {
    for (const DriverRow& row : DriverNames) {
        if (row.model == model) {
            return row.driverName;
        }
    }
    return std::nullopt;
}

int SendJobToPrinter(model::ModelType model, Spooler& spooler, Prompter& prompter,
                     const PrintJobBuilder& buildJob) {
    const std::optional<std::string_view> driverName = modelDriverName(model);
    if (!driverName) {
        return SendNotStarted;
    }
    const std::optional<std::string> queueName = findQueue(spooler, *driverName);
    if (!queueName) {
        prompter.show(MsgNoPrinterQueue);
        return SendNotStarted;
    }
    if (prompter.ask(MsgPcCommunicationMode, Buttons::OkCancel) != Answer::Ok) {
        return SendNotStarted;
    }
    // The job is built only now: a cancelled prompt must not run the encoder or show its messages.
    const PrintJobResult job = buildJob ? buildJob() : PrintJobResult{};
    if (!job.ok) {
        if (job.messageId != 0) {
            prompter.show(job.messageId);
        }
        return SendNotStarted;
    }
    return writeJob(spooler, *queueName, job);
}

void showSendResult(int sendResult, Prompter& prompter) {
    if (sendResult == SendSucceeded) {
        prompter.show(MsgSendCompleted, Icon::Information);
    } else if (sendResult == SendFailed) {
        prompter.show(MsgSendFailed);
    }
}

} // namespace qx::output
