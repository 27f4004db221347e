#include "PastedText.h"

#include <algorithm>

namespace qx::formats {

namespace {

/// A field that spans lines arrives as "…" with every quote inside doubled.
void unquoteMultiLine(std::string& field) {
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') {
        return;
    }
    std::string plain;
    plain.reserve(field.size() - 2);
    for (std::size_t i = 1; i + 1 < field.size(); ++i) {
        plain.push_back(field[i]);
        if (field[i] == '"' && i + 2 < field.size() && field[i + 1] == '"') {
            ++i;
        }
    }
    field = std::move(plain);
}

class Splitter {
public:
    explicit Splitter(std::size_t maxRecords) : m_maxRecords(maxRecords) {}

    /// false once no further record can be kept.
    bool put(char c) {
        switch (c) {
        case '\r':
            return true;
        case '\t':
            endField();
            return true;
        case '\n':
            if (m_quoted && m_quotes % 2 == 1) {
                m_field.push_back(c);
                m_lineFeed = true;
                return true;
            }
            endRecord();
            return m_text.records.size() < m_maxRecords;
        case '"':
            if (m_field.empty() && !m_quoted) {
                m_quoted = true;
            }
            ++m_quotes;
            [[fallthrough]];
        default:
            m_field.push_back(c);
            return true;
        }
    }

    PastedText finish(bool stoppedEarly) {
        if (!stoppedEarly) {
            endRecord();
            if (m_text.records.size() >= 2 && m_text.records.back().size() == 1 &&
                m_text.records.back().front().empty()) {
                m_text.records.pop_back();
            }
        }
        m_text.widestRecord = 0;
        for (const auto& record : m_text.records) {
            m_text.widestRecord = std::max(m_text.widestRecord, record.size());
        }
        return std::move(m_text);
    }

private:
    void endField() {
        if (m_lineFeed) {
            unquoteMultiLine(m_field);
        }
        m_record.push_back(std::move(m_field));
        m_field.clear();
        m_quoted = false;
        m_lineFeed = false;
        m_quotes = 0;
    }
    void endRecord() {
        endField();
        m_text.records.push_back(std::move(m_record));
        m_record.clear();
    }

    std::size_t m_maxRecords;
    PastedText m_text;
    std::vector<std::string> m_record;
    std::string m_field;
    bool m_quoted = false;
    bool m_lineFeed = false;
    std::size_t m_quotes = 0;
};

} // namespace

PastedText splitPastedText(std::string_view text, std::size_t maxRecords) {
    if (maxRecords == 0) {
        return {};
    }
    Splitter splitter(maxRecords);
    for (const char c : text) {
        if (!splitter.put(c)) {
            return splitter.finish(true);
        }
    }
    return splitter.finish(false);
}

} // namespace qx::formats
