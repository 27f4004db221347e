#include "JsonWriter.h"

#include "model/TextConversion.h"

#include <cstdio>

namespace qx::cli {

void JsonWriter::newLine() {
    m_text.push_back('\n');
    m_text.append(2 * m_levels.size(), ' ');
}

void JsonWriter::beforeValue() {
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) {
        return;
    }
    Level& level = m_levels.back();
    if (!level.empty) {
        m_text.push_back(',');
        if (level.inlined) {
            m_text.push_back(' ');
        }
    }
    if (!level.inlined) {
        newLine();
    }
    level.empty = false;
}

void JsonWriter::open(char bracket, bool inlined) {
    beforeValue();
    m_text.push_back(bracket);
    const bool parentInlined = !m_levels.empty() && m_levels.back().inlined;
    m_levels.push_back(Level{inlined || parentInlined, true});
}

void JsonWriter::close(char bracket) {
    if (m_levels.empty()) {
        return;
    }
    const Level level = m_levels.back();
    m_levels.pop_back();
    if (!level.inlined && !level.empty) {
        newLine();
    }
    m_text.push_back(bracket);
    if (m_levels.empty()) {
        m_text.push_back('\n');
    }
}

void JsonWriter::beginObject(bool inlined) {
    open('{', inlined);
}
void JsonWriter::endObject() {
    close('}');
}
void JsonWriter::beginArray(bool inlined) {
    open('[', inlined);
}
void JsonWriter::endArray() {
    close(']');
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    m_text += quoted(name);
    m_text += ": ";
    m_afterKey = true;
}

void JsonWriter::value(long long number) {
    beforeValue();
    m_text += std::to_string(number);
}

void JsonWriter::value(std::string_view text) {
    beforeValue();
    m_text += quoted(text);
}

std::string JsonWriter::quoted(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            const std::size_t length = model::wellFormedUtf8Length(utf8, i);
            if (length == 0) {
                out += "\xEF\xBF\xBD"; // U+FFFD
                ++i;
            } else {
                out.append(utf8.substr(i, length));
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
                out += escape;
            } else {
                out.push_back(static_cast<char>(c));
            }
        }
        ++i;
    }
    out.push_back('"');
    return out;
}

} // namespace qx::cli
