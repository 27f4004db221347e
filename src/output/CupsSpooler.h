#pragma once

#include "Spooler.h"

#include <chrono>
#include <memory>
#include <string>

namespace qx::output {

/// The spooler of CUPS. The queues are the destinations of the CUPS server in its own order, and a
/// queue's driver name is its "printer-make-and-model". A document is one raw job (the bytes go to
/// the printer untouched), named after the document.
///
/// A stopped queue or one that refuses jobs gets no job at all. CUPS takes a job even when its
/// printer cannot be reached and would keep it waiting, so ending a document follows the job until
/// CUPS shows where it stands (see judgeDelivery): the printer has taken it, or it waits its turn
/// behind other jobs on a working queue, or CUPS no longer knows it (a scheduler without job
/// history forgets finished jobs), and the document counts as delivered; CUPS aborted or cancelled
/// it, and it failed; or CUPS holds it, stopped it, the printer has not taken it within the
/// delivery timeout (it cannot be connected to or reports offline) or its queue stopped under it,
/// and it is cancelled, so that it cannot come out unexpectedly later, and it failed.
class CupsSpooler final : public Spooler {
public:
    static constexpr std::chrono::milliseconds DefaultDeliveryTimeout{15000};

    /// `server` is a CUPS server as "host", "host:port" or the path of its local socket; empty uses
    /// the user's usual server (CUPS_SERVER, client.conf or the local scheduler).
    explicit CupsSpooler(std::string server = {},
                         std::chrono::milliseconds deliveryTimeout = DefaultDeliveryTimeout);
    ~CupsSpooler() override;

    CupsSpooler(const CupsSpooler&) = delete;
    CupsSpooler& operator=(const CupsSpooler&) = delete;

    std::vector<SpoolerQueue> queues() override;
    bool open(const std::string& queueName) override;
    bool startDocument(const std::string& documentName) override;
    std::size_t write(std::span<const std::uint8_t> bytes) override;
    bool endDocument() override;
    bool close() override;

    /// The CUPS job number of the last document started, 0 before any.
    int lastJobId() const;
    /// CUPS's wording of the last failure, for diagnostics; empty when nothing failed.
    const std::string& lastError() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace qx::output
