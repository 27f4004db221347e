#include "ui/grid/TokenText.h"

#include "model/StringTable.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <cstdio>

namespace qx::ui {

namespace {

constexpr int TokenCaptionMarker = 40100; // "{連番}"
constexpr int TokenCaptionSymbol = 40101; // "{記号}"

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The character of an ordinary code, or nullopt when the code can only travel as a token (a
/// special code, or a code that has no character of its own).
std::optional<QString> characterOf(model::CharCode code) {
    if (model::isSpecialCode(code)) {
        return std::nullopt;
    }
    const std::string utf8 = model::codesToUtf8(std::span(&code, 1), false);
    if (utf8.empty() || utf8.front() == '"' || utf8 == "\xEF\xBF\xBD") {
        return std::nullopt;
    }
    return fromUtf8(utf8);
}

} // namespace

QString TokenText::tokenCaption(model::CharCode code) {
    return fromUtf8(model::messageText(code == model::codes::SequenceMarker ? TokenCaptionMarker
                                                                              : TokenCaptionSymbol));
}

void TokenText::clear() {
    m_text.clear();
    m_map.clear();
    m_sequences.clear();
}

int TokenText::clampPos(int pos) const { return std::clamp(pos, 0, length()); }

void TokenText::loadTokenForm(std::string_view utf8) {
    m_text.clear();
    m_map.clear();
    const model::TextToCodesResult converted = model::utf8ToCodes(utf8, true);
    for (const model::CharCode code : converted.codes) {
        if (const std::optional<QString> character = characterOf(code)) {
            m_text += *character;
            m_map.insert(m_map.end(), static_cast<std::size_t>(character->size()), Ordinary);
        } else {
            const QString caption = tokenCaption(code);
            m_text += caption;
            m_map.push_back(code);
            m_map.insert(m_map.end(), static_cast<std::size_t>(caption.size() - 1), Continuation);
        }
    }
}

void TokenText::loadPlain(const QString& text) {
    m_text = text;
    m_map.assign(static_cast<std::size_t>(text.size()), Ordinary);
}

QString TokenText::tokenForm() const {
    QString out;
    out.reserve(m_text.size() + 8);
    for (int i = 0; i < length(); ++i) {
        const int entry = m_map[static_cast<std::size_t>(i)];
        if (entry == Continuation) {
            continue;
        }
        if (entry == Ordinary) {
            const QChar c = m_text[i];
            out += c;
            if (c == u'"') {
                out += c;
            }
            continue;
        }
        char token[16];
        std::snprintf(token, sizeof token, "\"0x%04X\"", static_cast<unsigned>(entry) & 0xFFFFU);
        out += QLatin1String(token);
    }
    return out;
}

int TokenText::markerCount() const {
    return static_cast<int>(std::count(m_map.begin(), m_map.end(), int{model::codes::SequenceMarker}));
}

int TokenText::codeCount(TextRange range) const {
    const int from = clampPos(std::min(range.from, range.to));
    const int to = clampPos(std::max(range.from, range.to));
    int count = 0;
    for (int i = from; i < to; ++i) {
        const int entry = m_map[static_cast<std::size_t>(i)];
        if (entry == Continuation || (entry == Ordinary && m_text[i].isLowSurrogate())) {
            continue;
        }
        ++count;
    }
    return count;
}

bool TokenText::insideToken(int pos) const {
    return pos > 0 && pos < length() && m_map[static_cast<std::size_t>(pos)] == Continuation;
}

int TokenText::snapBackward(int pos) const {
    pos = clampPos(pos);
    while (insideToken(pos)) {
        --pos;
    }
    return pos;
}

int TokenText::snapForward(int pos) const {
    pos = clampPos(pos);
    while (insideToken(pos)) {
        ++pos;
    }
    return pos;
}

TextRange TokenText::widened(TextRange range) const {
    int from = snapBackward(std::min(range.from, range.to));
    int to = snapForward(std::max(range.from, range.to));
    // Never split a surrogate pair: the half would be a malformed character.
    if (from > 0 && from < length() && m_text[from].isLowSurrogate() && m_text[from - 1].isHighSurrogate()) {
        --from;
    }
    if (to > 0 && to < length() && m_text[to].isLowSurrogate() && m_text[to - 1].isHighSurrogate()) {
        ++to;
    }
    return {from, to};
}

TextRange TokenText::backspaceRange(int caret) const {
    caret = clampPos(caret);
    if (caret == 0) {
        return {0, 0};
    }
    return widened({caret - 1, caret});
}

TextRange TokenText::deleteRange(int caret) const {
    caret = clampPos(caret);
    if (caret >= length()) {
        return {caret, caret};
    }
    return widened({caret, caret + 1});
}

int TokenText::markersBefore(int pos) const {
    pos = clampPos(pos);
    return static_cast<int>(std::count(m_map.begin(), m_map.begin() + pos, int{model::codes::SequenceMarker}));
}

int TokenText::markersIn(TextRange range) const {
    const int from = clampPos(std::min(range.from, range.to));
    const int to = clampPos(std::max(range.from, range.to));
    return static_cast<int>(
        std::count(m_map.begin() + from, m_map.begin() + to, int{model::codes::SequenceMarker}));
}

TextRange TokenText::remove(TextRange range) {
    const TextRange r = widened(range);
    if (r.empty()) {
        return {r.from, r.from};
    }
    const int first = markersBefore(r.from);
    const int count = markersIn(r);
    const int size = static_cast<int>(m_sequences.size());
    if (count > 0 && first < size) {
        m_sequences.erase(m_sequences.begin() + first, m_sequences.begin() + std::min(first + count, size));
    }
    m_text.remove(r.from, r.to - r.from);
    m_map.erase(m_map.begin() + r.from, m_map.begin() + r.to);
    return r;
}

int TokenText::insertPlain(int pos, const QString& text) {
    pos = snapForward(pos);
    m_text.insert(pos, text);
    m_map.insert(m_map.begin() + pos, static_cast<std::size_t>(text.size()), Ordinary);
    return pos + static_cast<int>(text.size());
}

int TokenText::insertToken(int pos, model::CharCode code, const model::tagSEQ_V900& definition) {
    pos = snapForward(pos);
    if (const std::optional<QString> character = characterOf(code)) {
        return insertPlain(pos, *character);
    }
    if (code == model::codes::SequenceMarker) {
        const int index = std::min(markersBefore(pos), static_cast<int>(m_sequences.size()));
        m_sequences.insert(m_sequences.begin() + index, definition);
    }
    const QString caption = tokenCaption(code);
    m_text.insert(pos, caption);
    std::vector<int> entries(static_cast<std::size_t>(caption.size()), Continuation);
    entries.front() = code;
    m_map.insert(m_map.begin() + pos, entries.begin(), entries.end());
    return pos + static_cast<int>(caption.size());
}

const model::tagSEQ_V900* TokenText::sequenceUnderSelection(TextRange range, model::ModelType model) const {
    if (m_sequences.empty()) {
        return nullptr;
    }
    if (!model::isLaterGeneration(model)) {
        return &m_sequences.front();
    }
    const TextRange r{std::min(range.from, range.to), std::max(range.from, range.to)};
    if (markersIn(r) != 1) {
        return nullptr;
    }
    // The marker inside the range is the one after all markers before the range.
    const auto index = static_cast<std::size_t>(markersBefore(r.from));
    return index < m_sequences.size() ? &m_sequences[index] : nullptr;
}

} // namespace qx::ui
