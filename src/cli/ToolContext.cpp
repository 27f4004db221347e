#include "ToolContext.h"

#include "formats/AtomicFile.h"
#include "model/StringTable.h"
#include "output/PrintSettingsStore.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <ostream>
#include <system_error>
#include <unistd.h>

namespace qx::cli {

namespace {

/// Far beyond any document or CSV file; keeps a device or a runaway file from filling memory.
constexpr std::size_t LargestInput = 64u * 1024u * 1024u;

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::span<const model::Choice> modelList() {
    // The model list is the same whichever model is selected.
    static const model::Catalogue any(model::models::Default);
    return any.choiceList(0);
}

} // namespace

ToolContext::ToolContext(model::ModelType model, std::ostream& out, std::ostream& err)
    : m_catalogue(model), m_settings(model::OperatorSettings::defaultsFor(m_catalogue)), m_out(out),
      m_err(err) {
    // The same documents folder as the editor's desktop names.
    m_settings.documentsFolder = output::userDocumentsFolder().string();
}

void ToolContext::showMessage(int id, std::initializer_list<model::MessageArg> args) const {
    showMessage(id, args.size() == 0 ? std::string(model::messageText(id)) : model::formatMessage(id, args));
}

void ToolContext::showMessage(int id, std::string_view text) const {
    std::string line(text);
    for (char& c : line) {
        if (c == '\n') {
            c = ' ';
        }
    }
    m_err << id << ' ' << line << '\n';
}

void ToolContext::showMessages(std::span<const int> ids) const {
    for (const int id : ids) {
        showMessage(id);
    }
}

void ToolContext::error(std::string_view text) const {
    m_err << "qxtool: " << text << '\n';
}

std::optional<std::vector<std::uint8_t>> ToolContext::readFile(const std::string& path) const {
    const auto fail = [&](int errorNumber) {
        error("cannot read '" + path + "': " + std::system_category().message(errorNumber));
        return std::nullopt;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int errorNumber = errno;
            ::close(fd);
            return fail(errorNumber);
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > LargestInput) {
            ::close(fd);
            return fail(EFBIG);
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    ::close(fd);
    return bytes;
}

bool ToolContext::writeFile(const std::string& path, std::span<const std::uint8_t> bytes) const {
    const formats::FileWriteResult result = formats::saveFileAtomically(path, bytes);
    if (!result.ok) {
        error("cannot write '" + path + "': " + result.reason);
    }
    return result.ok;
}

std::optional<int> parseInteger(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || last != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<model::ModelType> parseModel(std::string_view text) {
    for (const model::Choice& choice : modelList()) {
        if (equalsIgnoringCase(choice.text, text)) {
            return choice.value;
        }
    }
    if (const std::optional<int> index = parseInteger(text)) {
        for (const model::Choice& choice : modelList()) {
            if (choice.value == *index) {
                return choice.value;
            }
        }
    }
    return std::nullopt;
}

std::string_view modelDisplayName(model::ModelType model) {
    for (const model::Choice& choice : modelList()) {
        if (choice.value == model) {
            return choice.text;
        }
    }
    return {};
}

} // namespace qx::cli
