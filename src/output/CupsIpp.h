#pragma once

// The few pieces of libcups every CUPS adapter of this folder shares: owning handles, the server
// connection and plain IPP requests. Only the CUPS adapters include it.
#if QX_HAVE_CUPS

#include <cups/cups.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qx::output::cups {

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};
using Http = std::unique_ptr<http_t, HttpCloser>;

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppDeleter>;

/// Splits "host:port" the way CUPS reads its own server setting; a socket path has no port.
std::pair<std::string, int> hostAndPort(const std::string& server);

/// Connects to `server` ("host", "host:port" or a socket path), or to the user's usual server when
/// it is empty; nothing when the server cannot be reached.
Http connectToServer(const std::string& server);

/// "ipp://localhost/printers/NAME", the queue's address as the scheduler itself names it.
std::string printerUri(const std::string& queueName);

/// A request with the user's name and, when given, the attributes the answer is to carry.
Ipp newRequest(ipp_op_t operation, std::initializer_list<const char*> attributes);

/// Sends the request to `resource` and returns the answer, or nothing when the request or the
/// operation failed (cupsLastError says why).
Ipp send(http_t* http, Ipp request, const char* resource = "/");

/// The first value of a text attribute; "" when there is none.
std::string stringValue(ipp_attribute_t* attribute);

/// The text values of the named attributes in each printer group of an answer (one group per queue,
/// driver or device), in the order of `names`; "" for an attribute a group lacks. Groups without
/// any of them are left out.
std::vector<std::vector<std::string>> groupValues(ipp_t* response, std::initializer_list<const char*> names);

/// CUPS's wording of the last failure of this thread.
std::string lastErrorText();

} // namespace qx::output::cups

#endif
