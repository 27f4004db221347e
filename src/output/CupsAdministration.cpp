#include "CupsAdministration.h"

#if QX_HAVE_CUPS
#include "CupsIpp.h"
#endif

namespace qx::output {

#if QX_HAVE_CUPS

using namespace cups;

namespace {

/// Administration over the local socket needs no password from a user with the rights; anyone
/// else is turned away rather than asked, as the tool has no one to ask.
class NoPasswordPrompt final {
public:
    NoPasswordPrompt() {
        cupsSetPasswordCB2(
            [](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
            nullptr);
    }
    ~NoPasswordPrompt() { cupsSetPasswordCB2(nullptr, nullptr); }
    NoPasswordPrompt(const NoPasswordPrompt&) = delete;
    NoPasswordPrompt& operator=(const NoPasswordPrompt&) = delete;
};

bool deniedByCups() {
    const ipp_status_t status = cupsLastError();
    return status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
           status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
}

} // namespace

struct CupsAdministration::State {
    std::string server;
    std::string lastError;

    AdminResult failure() {
        lastError = lastErrorText();
        return deniedByCups() ? AdminResult::Denied : AdminResult::Failed;
    }
};

CupsAdministration::CupsAdministration(std::string server) : m_state(std::make_unique<State>()) {
    m_state->server = std::move(server);
}

CupsAdministration::~CupsAdministration() = default;

AdminResult CupsAdministration::listDevices(std::vector<PrinterDevice>& devices) {
    devices.clear();
    const NoPasswordPrompt noPrompt;
    Http http = connectToServer(m_state->server);
    if (!http) {
        return m_state->failure();
    }
    // Every backend looks for its devices; the scheduler answers after the timeout at the latest.
    Ipp request = newRequest(IPP_OP_CUPS_GET_DEVICES,
                             {"device-uri", "device-id", "device-info", "device-make-and-model"});
    ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "timeout", 10);
    Ipp response = send(http.get(), std::move(request));
    if (!response) {
        return m_state->failure();
    }
    for (std::vector<std::string>& group :
         groupValues(response.get(), {"device-uri", "device-id", "device-info", "device-make-and-model"})) {
        devices.push_back(PrinterDevice{std::move(group[0]), std::move(group[1]), std::move(group[2]),
                                        std::move(group[3])});
    }
    return AdminResult::Done;
}

std::optional<std::string> CupsAdministration::findDriver(std::string_view driverName) {
    Http http = connectToServer(m_state->server);
    if (!http) {
        m_state->failure();
        return std::nullopt;
    }
    Ipp request = newRequest(IPP_OP_CUPS_GET_PPDS, {"ppd-name", "ppd-make-and-model"});
    const std::string maker(driverName.substr(0, driverName.find(' ')));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_TEXT, "ppd-make", nullptr, maker.c_str());
    Ipp response = send(http.get(), std::move(request));
    if (!response) {
        m_state->failure();
        return std::nullopt;
    }
    // The exact make and model decides, as it will for the queue.
    for (const std::vector<std::string>& group :
         groupValues(response.get(), {"ppd-name", "ppd-make-and-model"})) {
        if (!group[0].empty() && group[1] == driverName) {
            return group[0];
        }
    }
    m_state->lastError = "no installed driver is \"" + std::string(driverName) + "\"";
    return std::nullopt;
}

AdminResult CupsAdministration::addQueue(const std::string& name, const std::string& deviceUri,
                                         const std::string& ppdName) {
    const NoPasswordPrompt noPrompt;
    Http http = connectToServer(m_state->server);
    if (!http) {
        return m_state->failure();
    }
    // One request, as lpadmin -E sends it: the device, the driver, and a queue that is enabled and
    // accepts jobs.
    Ipp request = newRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER, {});
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(name).c_str());
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr, ppdName.c_str());
    ippAddString(request.get(), IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, deviceUri.c_str());
    ippAddBoolean(request.get(), IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    ippAddInteger(request.get(), IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    if (!send(http.get(), std::move(request), "/admin/")) {
        return m_state->failure();
    }
    m_state->lastError.clear();
    return AdminResult::Done;
}

const std::string& CupsAdministration::lastError() const {
    return m_state->lastError;
}

#else // no CUPS on this platform: nothing can be set up

struct CupsAdministration::State {
    std::string lastError = "built without CUPS";
};

CupsAdministration::CupsAdministration(std::string) : m_state(std::make_unique<State>()) {}
CupsAdministration::~CupsAdministration() = default;
AdminResult CupsAdministration::listDevices(std::vector<PrinterDevice>& devices) {
    devices.clear();
    return AdminResult::Failed;
}
std::optional<std::string> CupsAdministration::findDriver(std::string_view) {
    return std::nullopt;
}
AdminResult CupsAdministration::addQueue(const std::string&, const std::string&, const std::string&) {
    return AdminResult::Failed;
}
const std::string& CupsAdministration::lastError() const {
    return m_state->lastError;
}

#endif

} // namespace qx::output
