#include "SpoolerDelivery.h"

#include <algorithm>

namespace qx::output {

namespace {

std::string withMessage(std::string reason, const std::string& message) {
    if (!message.empty()) {
        reason += ": ";
        reason += message;
    }
    return reason;
}

DeliveryJudgement failed(DeliveryVerdict verdict, std::string reason) {
    return {verdict, std::move(reason)};
}

} // namespace

bool hasQueueReason(const std::vector<std::string>& reasons, std::string_view keyword) {
    return std::any_of(reasons.begin(), reasons.end(), [&](const std::string& reason) {
        if (reason.compare(0, keyword.size(), keyword) != 0)
            return false;
        const std::string_view rest = std::string_view(reason).substr(keyword.size());
        return rest.empty() || rest == "-error" || rest == "-warning" || rest == "-report";
    });
}

DeliveryJudgement judgeDelivery(const DeliveryObservation& seen) {
    switch (seen.jobState) {
    case SpoolerJobState::Completed:
        return {DeliveryVerdict::Delivered, {}};
    case SpoolerJobState::Cancelled:
        return failed(DeliveryVerdict::Failed,
                      withMessage("the job was cancelled in CUPS", seen.queueMessage));
    case SpoolerJobState::Aborted:
        return failed(DeliveryVerdict::Failed, withMessage("CUPS aborted the job", seen.queueMessage));
    case SpoolerJobState::Unknown:
        // The spooler has taken every byte; only evidence counts against it. A scheduler that keeps
        // no job history forgets a finished job at once, and one status query may simply fail:
        // telling the operator "failed" then makes the tubes print twice.
        return {DeliveryVerdict::Delivered, {}};
    case SpoolerJobState::Held:
        // Whoever releases a held job prints it later, after the operator was told it failed.
        return failed(DeliveryVerdict::Withdrawn, withMessage("CUPS holds the job", seen.queueMessage));
    default:
        break;
    }
    // A queue that stopped under the job (its backend gave up on the printer) would print it
    // whenever someone restarts the queue.
    if (seen.queueStopped)
        return failed(DeliveryVerdict::Withdrawn,
                      withMessage("the printer queue stopped", seen.queueMessage));
    // A job stops as its queue stops, and CUPS may report the job before the queue: either way a
    // stopped job left behind would print whenever it is restarted.
    if (seen.jobState == SpoolerJobState::Stopped)
        return failed(DeliveryVerdict::Withdrawn, withMessage("CUPS stopped the job", seen.queueMessage));

    if (seen.jobState == SpoolerJobState::Pending) {
        // Behind another job, or not yet started on an idle queue when the wait ran out: either
        // way the queue works and will print it.
        if (seen.queueProcessing || seen.waitOver)
            return {DeliveryVerdict::Queued, {}};
        return {DeliveryVerdict::Wait, {}};
    }

    // Processing. The socket backend waits for the printer to finish only once every byte is out.
    if (hasQueueReason(seen.queueReasons, "cups-waiting-for-job-completed"))
        return {DeliveryVerdict::Delivered, {}};
    if (!seen.waitOver)
        return {DeliveryVerdict::Wait, {}};
    std::string reason = "the printer did not take the job in time";
    if (hasQueueReason(seen.queueReasons, "offline"))
        reason = "the printer reports that it is offline";
    else if (hasQueueReason(seen.queueReasons, "connecting-to-device"))
        reason = "CUPS could not connect to the printer";
    return failed(DeliveryVerdict::Withdrawn, withMessage(std::move(reason), seen.queueMessage));
}

} // namespace qx::output
