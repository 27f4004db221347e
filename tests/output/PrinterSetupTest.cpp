#include "output/PrinterSetup.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace qx::output {
namespace {

TEST(PrinterSetup, DeviceIdFieldsAreFoundByEitherKeyInAnyCase) {
    const std::string id = "MANUFACTURER:KAV;COMMAND SET:PJL; mdl:QX-950W3;CLS:PRINTER";
    EXPECT_EQ(deviceIdField(id, {"MFG", "MANUFACTURER"}), "KAV");
    EXPECT_EQ(deviceIdField(id, {"MDL", "MODEL"}), "QX-950W3");
    EXPECT_EQ(deviceIdField(id, {"CLS"}), "PRINTER"); // the last pair needs no ';'
    EXPECT_EQ(deviceIdField(id, {"CMD"}), "");
    EXPECT_EQ(deviceIdField("MFG;MDL:", {"MFG"}), "");
    EXPECT_EQ(deviceIdField("", {"MFG"}), "");
}

// What a fresh desktop's CUPS reports: the maker's USB printers first, then network printers;
// other makers' USB printers, the bare backends and other kinds of device are not offered.
TEST(PrinterSetup, CandidatesAreTheMakersUsbPrintersThenNetworkSockets) {
    const std::vector<PrinterDevice> devices{
        {"socket://192.168.1.20", "", "QX in the tube room", ""},
        {"usb://Other/Laser?serial=1", "MFG:Other;MDL:Laser;", "Laser", "Other Laser"},
        {"socket", "", "AppSocket/HP JetDirect", ""},
        {"usb://KAV/QX-950W3?serial=A1", "MFG:KAV;MDL:QX-950W3;", "KAV QX-950W3", "KAV QX-950W3"},
        {"ipp://office.local/ipp/print", "", "Office", ""},
        {"usb://KAV/QX-900W2?serial=B2", "manufacturer:kav;model:QX-900W2;", "", ""},
        {"usb://KAVX/QX?serial=C3", "MFG:KAVX;MDL:QX;", "", ""},
        {"socket://10.0.0.7:9100", "", "", ""},
    };
    const std::vector<PrinterDevice> candidates = printerCandidates(devices, "KAV");
    std::vector<std::string> uris;
    for (const PrinterDevice& device : candidates) {
        uris.push_back(device.uri);
    }
    EXPECT_EQ(uris, (std::vector<std::string>{"usb://KAV/QX-950W3?serial=A1", "usb://KAV/QX-900W2?serial=B2",
                                              "socket://192.168.1.20", "socket://10.0.0.7:9100"}));
    EXPECT_EQ(candidates[0], devices[3]);
    EXPECT_TRUE(printerCandidates({}, "KAV").empty());
}

TEST(PrinterSetup, QueueNamesFollowCupsRules) {
    EXPECT_TRUE(isValidQueueName("QX-950W3"));
    EXPECT_TRUE(isValidQueueName("チューブ室_1"));
    EXPECT_TRUE(isValidQueueName(std::string(127, 'q')));
    EXPECT_FALSE(isValidQueueName(std::string(128, 'q')));
    EXPECT_FALSE(isValidQueueName(""));
    for (const char* bad : {"tube room", "a/b", "a\\b", "a#1", "a?", "it's", "a\"b", "a\tb", "a\x7f"}) {
        EXPECT_FALSE(isValidQueueName(bad)) << bad;
    }
}

/// The words a POSIX shell makes of the command line, one a line.
std::string shellWords(const std::string& command) {
    const std::string script = "set -- " + command + "; printf '%s\\n' \"$@\"";
    std::string quoted = "'";
    for (const char c : script) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    quoted += "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(("/bin/sh -c " + quoted).c_str(), "r"), ::pclose);
    std::string words;
    std::array<char, 256> buffer{};
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) {
        words += buffer.data();
    }
    return words;
}

// The command is pasted into a shell by an administrator: every argument must arrive as it is,
// whatever a device URI or a queue name carries.
TEST(PrinterSetup, LpadminCommandSurvivesTheShell) {
    EXPECT_EQ(lpadminCommand("QX-950W3", "socket://192.168.1.20:9100", "lsb/usr/kav/QX-950W3.ppd"),
              "lpadmin -p QX-950W3 -E -v socket://192.168.1.20:9100 -m lsb/usr/kav/QX-950W3.ppd");
    const std::string uri = "socket://127.0.0.1:9100/?snmp=false&contimeout=1 $(touch x) `id` 'q'";
    EXPECT_EQ(shellWords(lpadminCommand("チューブ室", uri, "kav/QX-950W3.ppd")),
              "lpadmin\n-p\nチューブ室\n-E\n-v\n" + uri + "\n-m\nkav/QX-950W3.ppd\n");
}

} // namespace
} // namespace qx::output
