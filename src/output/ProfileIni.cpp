#include "ProfileIni.h"

#include <climits>

namespace qx::output {

namespace {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

/// The longest prefix of at most `limit` bytes that does not cut a double-byte character in two.
std::string_view shiftJisPrefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text;
    }
    std::size_t end = 0;
    while (end < limit) {
        const std::size_t width = isShiftJisLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + width > limit) {
            break;
        }
        end += width;
    }
    return text.substr(0, end);
}

std::string singleLine(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c == '\r' || c == '\n' || c == '\0') {
            c = ' ';
        }
    }
    return result;
}

} // namespace

ProfileIni ProfileIni::parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    ProfileIni ini;
    ini.m_sections.push_back(Section{});
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            const std::string_view name =
                line.substr(1, close == std::string_view::npos ? line.npos : close - 1);
            ini.m_sections.push_back(Section{std::string(trimmed(name)), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = equals == std::string_view::npos
                                           ? std::string_view()
                                           : unquoted(trimmed(line.substr(equals + 1)));
        ini.m_sections.back().entries.push_back(Entry{std::string(key), std::string(value)});
    }
    return ini;
}

std::size_t ProfileIni::findSection(std::string_view name) const {
    // The keys before the first section line belong to no section a name can reach.
    for (std::size_t i = 1; i < m_sections.size(); ++i) {
        if (sameName(m_sections[i].name, name)) {
            return i;
        }
    }
    return m_sections.size();
}

std::optional<std::string> ProfileIni::value(std::string_view section, std::string_view key) const {
    const std::size_t found = findSection(section);
    if (found >= m_sections.size()) {
        return std::nullopt;
    }
    for (const Entry& entry : m_sections[found].entries) {
        if (sameName(entry.key, key)) {
            return entry.value;
        }
    }
    return std::nullopt;
}

std::string ProfileIni::readString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue, std::size_t bufferSize) const {
    const std::optional<std::string> found = value(section, key);
    const std::string_view text = found ? std::string_view(*found) : defaultValue;
    return std::string(shiftJisPrefix(text, bufferSize == 0 ? 0 : bufferSize - 1));
}

int ProfileIni::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const std::optional<std::string> found = value(section, key);
    if (!found || found->empty()) {
        return defaultValue;
    }
    std::string_view text = trimmed(*found);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        if (number <= static_cast<long long>(INT_MAX) + 1) {
            number = number * 10 + (c - '0');
        }
    }
    if (negative) {
        number = -number;
    }
    if (number > INT_MAX) {
        return INT_MAX;
    }
    if (number < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(number);
}

void ProfileIni::write(std::string_view section, std::string_view key, std::string_view value) {
    if (m_sections.empty()) {
        m_sections.push_back(Section{});
    }
    std::size_t index = findSection(section);
    if (index >= m_sections.size()) {
        m_sections.push_back(Section{singleLine(section), {}});
        index = m_sections.size() - 1;
    }
    Section& target = m_sections[index];
    for (Entry& entry : target.entries) {
        if (sameName(entry.key, key)) {
            entry.value = singleLine(value);
            return;
        }
    }
    target.entries.push_back(Entry{singleLine(key), singleLine(value)});
}

std::vector<std::string> ProfileIni::sectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < m_sections.size(); ++i) {
        names.push_back(m_sections[i].name);
    }
    return names;
}

std::string ProfileIni::text() const {
    std::string out;
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        const Section& section = m_sections[i];
        if (i > 0) {
            out += '[';
            out += section.name;
            out += "]\r\n";
        }
        for (const Entry& entry : section.entries) {
            out += entry.key;
            out += '=';
            out += entry.value;
            out += "\r\n";
        }
    }
    return out;
}

} // namespace qx::output
