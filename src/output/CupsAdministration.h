#pragma once

#include "PrinterSetup.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// How an administration request of CUPS ended.
enum class AdminResult {
    Done,
    Denied, ///< the user may not administer this CUPS server (and is never asked for a password)
    Failed, ///< anything else; lastError says what
};

/// The administration requests of CUPS that setting up a printer needs: the devices its backends
/// find, the installed drivers, and making a queue. Never prompts for a password: a user without
/// the rights gets Denied.
class CupsAdministration final {
public:
    /// `server` as for CupsSpooler: empty uses the user's usual server.
    explicit CupsAdministration(std::string server = {});
    ~CupsAdministration();

    CupsAdministration(const CupsAdministration&) = delete;
    CupsAdministration& operator=(const CupsAdministration&) = delete;

    /// Every device CUPS's backends find, in CUPS's order (as `lpinfo -v`).
    AdminResult listDevices(std::vector<PrinterDevice>& devices);

    /// The name CUPS gives the installed driver whose make and model is exactly `driverName`
    /// ("lsb/usr/kav/QX-950W3.ppd"), or nothing.
    std::optional<std::string> findDriver(std::string_view driverName);

    /// Makes the queue with the device and the driver, enabled and accepting jobs.
    AdminResult addQueue(const std::string& name, const std::string& deviceUri, const std::string& ppdName);

    /// CUPS's wording of the last failure, for diagnostics.
    const std::string& lastError() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace qx::output
