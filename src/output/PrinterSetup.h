#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// A device the spooler's backends found: a USB printer, a network printer, …
struct PrinterDevice {
    std::string uri;          ///< "usb://KAV/QX-950W3?serial=…", "socket://192.168.1.20"
    std::string deviceId;     ///< the IEEE 1284 device id a USB printer reports, "" for most others
    std::string info;         ///< the spooler's description
    std::string makeAndModel; ///< as the spooler guesses it

    friend bool operator==(const PrinterDevice&, const PrinterDevice&) = default;
};

/// The value of one key of an IEEE 1284 device id ("MFG:KAV;MDL:QX-950W3;"): the first of the
/// given keys present, compared without case ("MFG" or "MANUFACTURER"); "" when none is.
std::string deviceIdField(std::string_view deviceId, std::initializer_list<std::string_view> keys);

/// The devices that could be a printer of the maker, in the order to offer them: USB devices of
/// that maker first, then the network printers reached through a raw socket, each in the
/// spooler's order. Everything else is left out.
std::vector<PrinterDevice> printerCandidates(const std::vector<PrinterDevice>& devices,
                                             std::string_view maker);

/// Whether CUPS takes this as the name of a queue: 1 to 127 bytes, printable, no blank, no
/// '/', '\\', '#', '?', quote or apostrophe.
bool isValidQueueName(std::string_view name);

/// The one administrator's command that makes an enabled queue with the driver, each argument
/// quoted for a POSIX shell where it needs it.
std::string lpadminCommand(std::string_view queueName, std::string_view deviceUri, std::string_view ppdName);

} // namespace qx::output
