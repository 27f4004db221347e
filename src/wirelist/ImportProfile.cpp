#include "ImportProfile.h"

#include "TextDecoding.h"
#include "WireListMessages.h"

#include "model/StringTable.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace qx::wirelist {

namespace {

// A line longer than this is no line of a profile.
constexpr std::size_t MaxLineBytes = 4096;

constexpr std::array<std::string_view, 3> EndsKeys{"source", "target", "both"};

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return out;
}

/// Without blanks at the ends; tabs at the ends of a value are kept, as the header's cells are
/// separated by them.
std::string_view trimValue(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

/// A value as one line: backslash, line feed and tab escaped, and a blank at either end, which
/// reading would cut, as "\s".
std::string escape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == ' ' && (i == 0 || i + 1 == value.size())) {
            out += "\\s";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string unescape(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out.push_back(value[i]);
            continue;
        }
        switch (value[++i]) {
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 's':
            out.push_back(' ');
            break;
        default:
            out.push_back(value[i]);
            break;
        }
    }
    return out;
}

std::optional<bool> yesNo(std::string_view value) {
    const std::string v = lower(value);
    if (v == "yes" || v == "true" || v == "1" || v == "on") {
        return true;
    }
    if (v == "no" || v == "false" || v == "0" || v == "off") {
        return false;
    }
    return std::nullopt;
}

std::optional<int> headerRowOf(std::string_view value) {
    const std::string v = lower(value);
    if (v == "auto" || v.empty()) {
        return -1;
    }
    if (v == "none") {
        return 0;
    }
    if (v.size() > 6 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(v);
}

/// Sets one key; false when the value is not one the key takes. Unknown keys are passed over, so
/// that a profile from a later version still reads.
bool setKey(ImportProfile& profile, std::string_view key, std::string_view raw) {
    const std::string value = unescape(raw);
    if (key == "name") {
        profile.name = value;
    } else if (key == "header") {
        profile.header.clear();
        // Cells are separated by real tabs; a tab inside a cell is escaped.
        std::size_t start = 0;
        for (;;) {
            const std::size_t tab = raw.find('\t', start);
            profile.header.push_back(unescape(raw.substr(start, tab - start)));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        if (raw.empty()) {
            profile.header.clear();
        }
    } else if (key == "header.row") {
        const std::optional<int> row = headerRowOf(value);
        if (!row) {
            return false;
        }
        profile.headerRow = *row;
    } else if (key == "sheet") {
        profile.sheet = value;
    } else if (key == "encoding") {
        if (value.empty()) {
            profile.encoding.clear();
        } else if (std::string name = canonicalEncoding(value); !name.empty()) {
            profile.encoding = std::move(name);
        } else {
            return false;
        }
    } else if (key == "separator") {
        if (value.empty()) {
            profile.separator = 0;
        } else if (const std::optional<char> c = separatorChar(value)) {
            profile.separator = *c;
        } else {
            return false;
        }
    } else if (const std::optional<Role> role = roleFromKey(key)) {
        profile.role(*role) = value;
    } else if (key == "ends") {
        if (value.empty()) {
            profile.ends.reset();
        } else if (const std::optional<Ends> ends = endsFromKey(lower(value))) {
            profile.ends = *ends;
        } else {
            return false;
        }
    } else if (key.size() == 5 && key.starts_with("line") && key[4] >= '1' && key[4] <= '0' + MaxTemplates) {
        const auto index = static_cast<std::size_t>(key[4] - '1');
        if (profile.lines.size() <= index) {
            profile.lines.resize(index + 1);
        }
        profile.lines[index] = value;
    } else if (key == "merge") {
        const std::optional<bool> merge = yesNo(value);
        if (!merge) {
            return false;
        }
        profile.merge = *merge;
    } else if (key == "breaks") {
        const std::string v = lower(value);
        if (v != "split" && v != "blank") {
            return false;
        }
        profile.splitBreaks = v == "split";
    }
    return true;
}

} // namespace

std::string_view endsKey(Ends ends) {
    return EndsKeys[static_cast<std::size_t>(ends)];
}

std::optional<Ends> endsFromKey(std::string_view key) {
    for (std::size_t i = 0; i < EndsKeys.size(); ++i) {
        if (EndsKeys[i] == key) {
            return static_cast<Ends>(i);
        }
    }
    return std::nullopt;
}

std::optional<char> separatorChar(std::string_view name) {
    if (name == "\t" || lower(name) == "tab") {
        return '\t';
    }
    if (name == "," || name == ";" || name == "|") {
        return name.front();
    }
    return std::nullopt;
}

ProfileReadResult readImportProfile(std::string_view text, std::string_view fileName) {
    ProfileReadResult result;
    const auto refuse = [&](int id, std::initializer_list<model::MessageArg> args) {
        result.ok = false;
        result.profile = ImportProfile{};
        result.messageId = id;
        result.message = model::formatMessage(id, args);
        return result;
    };
    if (text.size() > MaxProfileBytes) {
        return refuse(WireListMessage::ProfileTooLarge, {fileName, static_cast<int>(MaxProfileBytes)});
    }
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = model::wellFormedUtf8Length(text, pos);
        if (length == 0 || text[pos] == '\0') {
            return refuse(WireListMessage::ProfileNotUtf8, {fileName});
        }
        pos += length;
    }
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const std::string_view content = trimBlanks(line);
        if (content.empty() || content.front() == '#' || content.front() == ';') {
            continue;
        }
        const std::size_t equals = content.find('=');
        if (line.size() > MaxLineBytes || equals == std::string_view::npos ||
            !setKey(result.profile, lower(trimBlanks(content.substr(0, equals))),
                    trimValue(line.substr(line.find('=') + 1)))) {
            return refuse(WireListMessage::ProfileBadLine, {fileName, lineNumber});
        }
    }
    // Templates are kept up to the last one given.
    while (!result.profile.lines.empty() && result.profile.lines.back().empty()) {
        result.profile.lines.pop_back();
    }
    result.ok = true;
    return result;
}

std::string writeImportProfile(const ImportProfile& profile) {
    std::string text = "# 配線リスト読込の設定\n";
    const auto put = [&text](std::string_view key, std::string_view value) {
        text += key;
        text += '=';
        text += value;
        text += '\n';
    };
    put("name", escape(profile.name));
    std::string header;
    for (std::size_t i = 0; i < profile.header.size(); ++i) {
        header += (i == 0 ? "" : "\t") + escape(profile.header[i]);
    }
    put("header", header);
    put("header.row", profile.headerRow < 0    ? std::string("auto")
                      : profile.headerRow == 0 ? std::string("none")
                                               : std::to_string(profile.headerRow));
    put("sheet", escape(profile.sheet));
    put("encoding", profile.encoding);
    put("separator", profile.separator == '\t' ? std::string("tab")
                     : profile.separator == 0  ? std::string()
                                               : std::string(1, profile.separator));
    for (int r = 0; r < RoleCount; ++r) {
        put(roleKey(static_cast<Role>(r)), escape(profile.roles[static_cast<std::size_t>(r)]));
    }
    put("ends", profile.ends ? endsKey(*profile.ends) : std::string_view());
    for (std::size_t i = 0; i < profile.lines.size() && i < MaxTemplates; ++i) {
        put("line" + std::to_string(i + 1), escape(profile.lines[i]));
    }
    put("merge", profile.merge ? "yes" : "no");
    put("breaks", profile.splitBreaks ? "split" : "blank");
    return text;
}

} // namespace qx::wirelist
