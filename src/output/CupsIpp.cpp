#include "CupsIpp.h"

#if QX_HAVE_CUPS

#include <sys/socket.h>

#include <string_view>
#include <vector>

namespace qx::output::cups {

std::pair<std::string, int> hostAndPort(const std::string& server) {
    if (server.empty() || server.front() == '/') {
        return {server, ippPort()};
    }
    const std::size_t colon = server.rfind(':');
    if (colon == std::string::npos || colon + 1 >= server.size() ||
        server.find(']', colon) != std::string::npos) {
        return {server, ippPort()};
    }
    int port = 0;
    for (std::size_t i = colon + 1; i < server.size(); ++i) {
        const char c = server[i];
        if (c < '0' || c > '9' || port > 65535) {
            return {server, ippPort()};
        }
        port = port * 10 + (c - '0');
    }
    if (port <= 0 || port > 65535) {
        return {server, ippPort()};
    }
    return {server.substr(0, colon), port};
}

Http connectToServer(const std::string& server) {
    const auto [host, port] = hostAndPort(server.empty() ? std::string(cupsServer()) : server);
    return Http(httpConnect2(host.c_str(), port, nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr));
}

std::string printerUri(const std::string& queueName) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof(uri), "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", queueName.c_str());
    return uri;
}

Ipp newRequest(ipp_op_t operation, std::initializer_list<const char*> attributes) {
    Ipp request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    if (attributes.size() > 0) {
        const std::vector<const char*> names(attributes);
        ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                      static_cast<int>(names.size()), nullptr, names.data());
    }
    return request;
}

Ipp send(http_t* http, Ipp request, const char* resource) {
    // cupsDoRequest takes the request and frees it.
    Ipp response(cupsDoRequest(http, request.release(), resource));
    if (response && ippGetStatusCode(response.get()) >= IPP_STATUS_REDIRECTION_OTHER_SITE) {
        return nullptr;
    }
    return response;
}

std::string stringValue(ipp_attribute_t* attribute) {
    const char* text = ippGetString(attribute, 0, nullptr);
    return text != nullptr ? std::string(text) : std::string();
}

std::vector<std::vector<std::string>> groupValues(ipp_t* response, std::initializer_list<const char*> names) {
    std::vector<std::vector<std::string>> groups;
    std::vector<std::string> current(names.size());
    bool any = false;
    const auto flush = [&] {
        if (any) {
            groups.push_back(std::move(current));
        }
        current.assign(names.size(), std::string());
        any = false;
    };
    for (ipp_attribute_t* attribute = ippFirstAttribute(response); attribute != nullptr;
         attribute = ippNextAttribute(response)) {
        const char* name = ippGetName(attribute);
        if (ippGetGroupTag(attribute) != IPP_TAG_PRINTER || name == nullptr) {
            flush();
            continue;
        }
        std::size_t index = 0;
        for (const char* wanted : names) {
            if (std::string_view(name) == wanted) {
                current[index] = stringValue(attribute);
                any = true;
            }
            ++index;
        }
    }
    flush();
    return groups;
}

std::string lastErrorText() {
    const char* text = cupsLastErrorString();
    return text != nullptr && *text != '\0' ? text : "CUPS request failed";
}

} // namespace qx::output::cups

#endif
