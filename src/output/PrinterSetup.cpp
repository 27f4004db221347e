#include "PrinterSetup.h"

#include <algorithm>

namespace qx::output {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

/// A word the shell reads as it is, or the word in apostrophes.
std::string shellWord(std::string_view word) {
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("-_./:=@%+,").find(c) != std::string_view::npos;
    });
    if (plain) {
        return std::string(word);
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string deviceIdField(std::string_view deviceId, std::initializer_list<std::string_view> keys) {
    for (const std::string_view key : keys) {
        std::size_t start = 0;
        while (start < deviceId.size()) {
            std::size_t end = deviceId.find(';', start);
            if (end == std::string_view::npos) {
                end = deviceId.size();
            }
            const std::string_view pair = deviceId.substr(start, end - start);
            const std::size_t colon = pair.find(':');
            if (colon != std::string_view::npos) {
                std::string_view name = pair.substr(0, colon);
                while (!name.empty() && name.front() == ' ') {
                    name.remove_prefix(1);
                }
                if (equalsIgnoringCase(name, key)) {
                    return std::string(pair.substr(colon + 1));
                }
            }
            start = end + 1;
        }
    }
    return {};
}

std::vector<PrinterDevice> printerCandidates(const std::vector<PrinterDevice>& devices,
                                             std::string_view maker) {
    std::vector<PrinterDevice> result;
    for (const PrinterDevice& device : devices) {
        if (startsWith(device.uri, "usb://") &&
            equalsIgnoringCase(deviceIdField(device.deviceId, {"MFG", "MANUFACTURER"}), maker)) {
            result.push_back(device);
        }
    }
    for (const PrinterDevice& device : devices) {
        // "socket" alone is the backend offering itself, not a printer.
        if (startsWith(device.uri, "socket://") && device.uri.size() > 9) {
            result.push_back(device);
        }
    }
    return result;
}

bool isValidQueueName(std::string_view name) {
    if (name.empty() || name.size() > 127) {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || std::string_view("/\\#?'\"").find(c) != std::string_view::npos;
    });
}

std::string lpadminCommand(std::string_view queueName, std::string_view deviceUri, std::string_view ppdName) {
    return "lpadmin -p " + shellWord(queueName) + " -E -v " + shellWord(deviceUri) + " -m " +
           shellWord(ppdName);
}

} // namespace qx::output
