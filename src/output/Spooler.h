#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qx::output {

/// One printer queue of the spooler and the name of the driver it uses.
struct SpoolerQueue {
    std::string name;
    std::string driverName;

    friend bool operator==(const SpoolerQueue&, const SpoolerQueue&) = default;
};

/// The few operations of the operating system's print spooler that a raw job needs. One queue is
/// open at a time; the calls come in the order open, startDocument, write, endDocument, close.
class Spooler {
public:
    virtual ~Spooler() = default;

    /// The queues in the spooler's own order; empty when there are none or they cannot be listed.
    virtual std::vector<SpoolerQueue> queues() = 0;

    /// Opens the queue of that name.
    virtual bool open(const std::string& queueName) = 0;

    /// Starts one raw document of the given name on the open queue: the bytes are already in the
    /// printer's own language and go to it unchanged.
    virtual bool startDocument(const std::string& documentName) = 0;

    /// Hands bytes of the started document to the spooler and returns how many it took; 0 when the
    /// write failed.
    virtual std::size_t write(std::span<const std::uint8_t> bytes) = 0;

    /// Ends the started document; true only when the spooler has the whole document.
    virtual bool endDocument() = 0;

    /// Closes the open queue.
    virtual bool close() = 0;
};

} // namespace qx::output
