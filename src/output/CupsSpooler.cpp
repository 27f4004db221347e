#include "CupsSpooler.h"

#include "SpoolerDelivery.h"

#include <optional>
#include <string_view>
#include <thread>
#include <utility>

#if QX_HAVE_CUPS
#include "CupsIpp.h"
#endif

namespace qx::output {

#if QX_HAVE_CUPS

namespace {

/// IPP names are UTF-8 of at most 255 bytes and CUPS refuses a job whose name is not: a title that
/// is not valid UTF-8 gets '?' for each bad byte and a long one is cut at a character boundary.
std::string ippSafeName(std::string_view text) {
    constexpr std::size_t MaxNameBytes = 255;
    std::string result;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
        }
        bool valid = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        }
        if (valid && length >= 3) {
            const auto second = static_cast<unsigned char>(text[i + 1]);
            // no overlong forms, no surrogates, nothing above U+10FFFF
            valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second > 0x9F) &&
                    !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second > 0x8F);
        }
        const std::string_view piece = valid ? text.substr(i, length) : std::string_view("?");
        const bool control = valid && length == 1 && (lead < 0x20 || lead == 0x7F);
        if (result.size() + piece.size() > MaxNameBytes) {
            break;
        }
        result += control ? std::string_view(" ") : piece;
        i += valid ? length : 1;
    }
    return result;
}

using namespace cups;

} // namespace

struct CupsSpooler::State {
    std::string server;
    std::chrono::milliseconds deliveryTimeout;
    Http http;
    std::string queueName;
    int jobId = 0;
    int lastJobId = 0;
    bool documentOpen = false;
    bool writeFailed = false;
    std::string lastError;

    Http connect() {
        Http connection = connectToServer(server);
        if (!connection) {
            noteFailure();
        }
        return connection;
    }

    void noteFailure() { lastError = lastErrorText(); }

    /// The queue as CUPS reports it now; nothing when it cannot be asked.
    struct QueueState {
        bool stopped = false;
        bool processing = false;
        bool accepting = true;
        std::vector<std::string> reasons;
        std::string message;
    };

    std::optional<QueueState> queueState(http_t* connection) const {
        Ipp request =
            newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, {"printer-state", "printer-state-reasons",
                                                       "printer-state-message", "printer-is-accepting-jobs"});
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     printerUri(queueName).c_str());
        Ipp response = send(connection, std::move(request));
        ipp_attribute_t* state =
            response ? ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM) : nullptr;
        if (state == nullptr) {
            return std::nullopt;
        }
        QueueState queue;
        queue.stopped = ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
        queue.processing = ippGetInteger(state, 0) == IPP_PSTATE_PROCESSING;
        if (ipp_attribute_t* accepting =
                ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN)) {
            queue.accepting = ippGetBoolean(accepting, 0) != 0;
        }
        if (ipp_attribute_t* reasons =
                ippFindAttribute(response.get(), "printer-state-reasons", IPP_TAG_ZERO)) {
            for (int i = 0; i < ippGetCount(reasons); ++i) {
                const char* reason = ippGetString(reasons, i, nullptr);
                if (reason != nullptr && std::string_view(reason) != "none") {
                    queue.reasons.emplace_back(reason);
                }
            }
        }
        queue.message = stringValue(ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_ZERO));
        return queue;
    }

    /// The job's state and the spooler's last words about it.
    SpoolerJobState jobState(http_t* connection, std::string& message) const {
        Ipp request = newRequest(IPP_OP_GET_JOB_ATTRIBUTES, {"job-state", "job-printer-state-message"});
        ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     printerUri(queueName).c_str());
        ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
        Ipp response = send(connection, std::move(request));
        ipp_attribute_t* state =
            response ? ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM) : nullptr;
        if (state == nullptr) {
            return SpoolerJobState::Unknown;
        }
        message = stringValue(ippFindAttribute(response.get(), "job-printer-state-message", IPP_TAG_ZERO));
        const int value = ippGetInteger(state, 0);
        return value >= IPP_JSTATE_PENDING && value <= IPP_JSTATE_COMPLETED
                   ? static_cast<SpoolerJobState>(value)
                   : SpoolerJobState::Unknown;
    }

    /// A queue that is stopped or refuses jobs would keep or drop the job: it is not even created.
    bool queueTakesJobs() {
        const std::optional<QueueState> queue = queueState(http.get());
        if (!queue) {
            noteFailure();
            return false;
        }
        if (queue->stopped) {
            lastError = "the printer queue is stopped";
        } else if (!queue->accepting) {
            lastError = "the printer queue does not accept jobs";
        } else {
            return true;
        }
        if (!queue->message.empty()) {
            lastError += ": " + queue->message;
        }
        return false;
    }

    /// Follows the finished job until CUPS shows where it stands: delivered to the printer, waiting
    /// its turn on a working queue, or failed. A job the printer has not taken when the wait runs
    /// out is cancelled.
    bool waitForDelivery() {
        const auto deadline = std::chrono::steady_clock::now() + deliveryTimeout;
        auto pause = std::chrono::milliseconds(10);
        for (;;) {
            DeliveryObservation seen;
            seen.waitOver = std::chrono::steady_clock::now() >= deadline;
            // The queue before the job: a job still pending after a busy queue was seen is behind
            // another one, not just started.
            const std::optional<QueueState> queue = queueState(http.get());
            std::string jobMessage;
            seen.jobState = jobState(http.get(), jobMessage);
            if (queue) {
                seen.queueStopped = queue->stopped;
                seen.queueProcessing = queue->processing;
                seen.queueReasons = queue->reasons;
                seen.queueMessage = queue->message;
            }
            if (!jobMessage.empty()) {
                seen.queueMessage = jobMessage;
            }
            // A backend that gives up stops the queue and puts the job back to pending in one
            // step, which may fall between the two reads: a pending job is checked against the
            // queue once more, or it would pass for one waiting behind another.
            if (seen.jobState == SpoolerJobState::Pending) {
                if (const std::optional<QueueState> again = queueState(http.get()); again && again->stopped) {
                    seen.queueStopped = true;
                    if (!again->message.empty()) {
                        seen.queueMessage = again->message;
                    }
                }
            }
            const DeliveryJudgement judgement = judgeDelivery(seen);
            switch (judgement.verdict) {
            case DeliveryVerdict::Delivered:
            case DeliveryVerdict::Queued:
                jobId = 0;
                return true;
            case DeliveryVerdict::Failed:
                lastError = judgement.reason;
                jobId = 0; // CUPS's own decision stands
                return false;
            case DeliveryVerdict::Withdrawn:
                lastError = judgement.reason;
                return false;
            case DeliveryVerdict::Wait:
                break;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::milliseconds(100));
        }
    }

    /// A job that was not delivered must not print later: it is cancelled over a fresh connection,
    /// as the one that carried a failed write may be unusable.
    void cancelJob() {
        if (jobId <= 0) {
            return;
        }
        if (Http connection = connect()) {
            cupsCancelJob2(connection.get(), queueName.c_str(), jobId, 0);
        }
        jobId = 0;
    }
};

CupsSpooler::CupsSpooler(std::string server, std::chrono::milliseconds deliveryTimeout)
    : m_state(std::make_unique<State>()) {
    m_state->server = std::move(server);
    m_state->deliveryTimeout = deliveryTimeout;
}

CupsSpooler::~CupsSpooler() {
    if (m_state->documentOpen) {
        m_state->cancelJob();
    }
}

std::vector<SpoolerQueue> CupsSpooler::queues() {
    Http connection = m_state->connect();
    if (!connection) {
        return {};
    }
    // Only the scheduler's own queues: printers merely discovered on the network are left out, so
    // listing never browses the network.
    Ipp request = newRequest(IPP_OP_CUPS_GET_PRINTERS, {"printer-name", "printer-make-and-model"});
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type", 0);
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_ENUM, "printer-type-mask",
                  CUPS_PRINTER_DISCOVERED);
    Ipp response = send(connection.get(), std::move(request));
    if (!response) {
        m_state->noteFailure(); // no queues at all is a failure to CUPS as well
        return {};
    }
    std::vector<SpoolerQueue> result;
    for (std::vector<std::string>& group :
         groupValues(response.get(), {"printer-name", "printer-make-and-model"})) {
        if (!group[0].empty()) {
            result.push_back(SpoolerQueue{std::move(group[0]), std::move(group[1])});
        }
    }
    return result;
}

bool CupsSpooler::open(const std::string& queueName) {
    if (m_state->http || queueName.empty()) {
        return false;
    }
    m_state->http = m_state->connect();
    if (!m_state->http) {
        return false;
    }
    m_state->queueName = queueName;
    return true;
}

bool CupsSpooler::startDocument(const std::string& documentName) {
    State& s = *m_state;
    if (!s.http || s.documentOpen) {
        return false;
    }
    s.lastError.clear();
    if (!s.queueTakesJobs()) {
        return false;
    }
    const std::string name = ippSafeName(documentName);
    const char* title = name.empty() ? nullptr : name.c_str();
    s.jobId = cupsCreateJob(s.http.get(), s.queueName.c_str(), title, 0, nullptr);
    if (s.jobId <= 0) {
        s.jobId = 0;
        s.noteFailure();
        return false;
    }
    s.lastJobId = s.jobId;
    if (cupsStartDocument(s.http.get(), s.queueName.c_str(), s.jobId, title, CUPS_FORMAT_RAW, 1) !=
        HTTP_STATUS_CONTINUE) {
        s.noteFailure();
        s.cancelJob();
        return false;
    }
    s.documentOpen = true;
    s.writeFailed = false;
    return true;
}

std::size_t CupsSpooler::write(std::span<const std::uint8_t> bytes) {
    State& s = *m_state;
    if (!s.documentOpen || s.writeFailed) {
        return 0;
    }
    if (bytes.empty()) {
        return 0;
    }
    // CUPS either takes a whole buffer or reports an error; it never takes part of one.
    if (cupsWriteRequestData(s.http.get(), reinterpret_cast<const char*>(bytes.data()), bytes.size()) !=
        HTTP_STATUS_CONTINUE) {
        s.writeFailed = true;
        s.noteFailure();
        return 0;
    }
    return bytes.size();
}

bool CupsSpooler::endDocument() {
    State& s = *m_state;
    if (!s.documentOpen) {
        return false;
    }
    s.documentOpen = false;
    const ipp_status_t status = cupsFinishDocument(s.http.get(), s.queueName.c_str());
    bool good = !s.writeFailed && status < IPP_STATUS_REDIRECTION_OTHER_SITE;
    if (!good) {
        s.noteFailure();
    } else {
        good = s.waitForDelivery();
    }
    if (!good) {
        s.cancelJob();
    }
    s.jobId = 0;
    return good;
}

bool CupsSpooler::close() {
    State& s = *m_state;
    if (!s.http) {
        return false;
    }
    if (s.documentOpen) {
        s.documentOpen = false;
        s.cancelJob();
    }
    s.http.reset();
    s.queueName.clear();
    return true;
}

int CupsSpooler::lastJobId() const {
    return m_state->lastJobId;
}
const std::string& CupsSpooler::lastError() const {
    return m_state->lastError;
}

#else // no CUPS on this platform: no queues, and nothing can be opened

struct CupsSpooler::State {
    std::string lastError = "built without CUPS";
};

CupsSpooler::CupsSpooler(std::string, std::chrono::milliseconds) : m_state(std::make_unique<State>()) {}
CupsSpooler::~CupsSpooler() = default;
std::vector<SpoolerQueue> CupsSpooler::queues() {
    return {};
}
bool CupsSpooler::open(const std::string&) {
    return false;
}
bool CupsSpooler::startDocument(const std::string&) {
    return false;
}
std::size_t CupsSpooler::write(std::span<const std::uint8_t>) {
    return 0;
}
bool CupsSpooler::endDocument() {
    return false;
}
bool CupsSpooler::close() {
    return false;
}
int CupsSpooler::lastJobId() const {
    return 0;
}
const std::string& CupsSpooler::lastError() const {
    return m_state->lastError;
}

#endif

} // namespace qx::output
