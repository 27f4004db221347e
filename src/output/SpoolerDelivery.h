#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// Job states as a spooler reports them (the IPP job-state values).
enum class SpoolerJobState : int {
    Unknown = 0,
    Pending = 3,
    Held = 4,
    Processing = 5,
    Stopped = 6,
    Cancelled = 7,
    Aborted = 8,
    Completed = 9,
};

/// One look at a finished document and its queue, as the spooler reports them.
struct DeliveryObservation {
    SpoolerJobState jobState = SpoolerJobState::Unknown;
    bool queueStopped = false;             ///< the queue is stopped (paused by an operator or by its backend)
    bool queueProcessing = false;          ///< the queue is busy with a job
    std::vector<std::string> queueReasons; ///< printer-state-reasons keywords
    std::string queueMessage;              ///< the spooler's latest words about the printer
    bool waitOver = false;                 ///< the bounded wait for the printer to take the job has run out
};

/// What the operator is told about a finished document, and whether it is withdrawn.
enum class DeliveryVerdict {
    Wait,      ///< look again
    Delivered, ///< the printer has taken the job: 42013
    Queued,    ///< the job waits behind others on a working queue, the spooler holds it: 42013
    Failed,    ///< CUPS cancelled or aborted the job: 42012, its decision stands
    Withdrawn, ///< the printer cannot be reached or CUPS holds the job: 42012, and the job is cancelled
};

struct DeliveryJudgement {
    DeliveryVerdict verdict = DeliveryVerdict::Wait;
    std::string reason; ///< for diagnostics, empty unless the verdict is a failure
};

/// Decides from one observation, made once the spooler has taken every byte of the job. The
/// printer counts as having taken the job once the job is completed, the backend waits for the
/// printer to finish, or the job's state can no longer be read (only evidence counts as failure).
/// A job CUPS holds, and one still being processed without a sign of the printer when the wait is
/// over (it cannot be connected to, reports offline, or never answers), is withdrawn so that it
/// cannot print unexpectedly later.
DeliveryJudgement judgeDelivery(const DeliveryObservation& seen);

/// Whether a queue's reasons contain the keyword, with or without a severity suffix ("offline"
/// matches "offline-report" and "offline-error", not "offline-something").
bool hasQueueReason(const std::vector<std::string>& reasons, std::string_view keyword);

} // namespace qx::output
