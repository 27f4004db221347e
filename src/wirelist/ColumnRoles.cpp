#include "ColumnRoles.h"

#include "WireListMessages.h"

#include "model/TextConversion.h"

#include <algorithm>
#include <vector>

namespace qx::wirelist {

namespace {

constexpr std::array<std::string_view, RoleCount> RoleKeys{
    "wire", "source.device", "source.terminal", "target.device", "target.terminal", "source", "target", "count",
};

enum class End { None, Source, Target };

enum class Kind { None, Wire, Device, Terminal, Address, Count };

struct Word {
    std::string_view text;
    Kind kind;
};

// Header words (folded, blanks and signs removed) and what they name. The wire number and the count
// are named whole; device, terminal and address words take an end mark before or after them.
// clang-format off
constexpr Word Words[] = {
    {"wire", Kind::Wire}, {"wireno", Kind::Wire}, {"wirenr", Kind::Wire}, {"wirenum", Kind::Wire},
    {"wirenumber", Kind::Wire}, {"wireid", Kind::Wire}, {"wirename", Kind::Wire}, {"wiretag", Kind::Wire},
    {"wirelabel", Kind::Wire}, {"wiredesignation", Kind::Wire}, {"connectiondesignation", Kind::Wire},
    {"verbindungsbezeichnung", Kind::Wire}, {"verbindung", Kind::Wire}, {"aderbezeichnung", Kind::Wire},
    {"adernummer", Kind::Wire}, {"drahtnummer", Kind::Wire}, {"leitungsnummer", Kind::Wire},
    {"leitung", Kind::Wire}, {"leitungsbezeichnung", Kind::Wire}, {"draht", Kind::Wire},
    {"drahtbezeichnung", Kind::Wire}, {"conductor", Kind::Wire}, {"電線", Kind::Wire},
    {"線番", Kind::Wire}, {"線番号", Kind::Wire}, {"電線番号", Kind::Wire}, {"配線番号", Kind::Wire},
    {"ワイヤ番号", Kind::Wire}, {"ワイヤー番号", Kind::Wire}, {"線名", Kind::Wire}, {"マーク", Kind::Wire},

    {"device", Kind::Device}, {"dev", Kind::Device}, {"devtblk", Kind::Device}, {"devicetag", Kind::Device},
    {"devicename", Kind::Device}, {"component", Kind::Device}, {"comp", Kind::Device}, {"cmp", Kind::Device},
    {"refdes", Kind::Device}, {"ref", Kind::Device}, {"reference", Kind::Device}, {"designator", Kind::Device},
    {"equipment", Kind::Device}, {"connector", Kind::Device}, {"betriebsmittel", Kind::Device},
    {"betriebsmittelkennzeichen", Kind::Device}, {"bmk", Kind::Device}, {"geraet", Kind::Device},
    {"bauteil", Kind::Device}, {"機器", Kind::Device}, {"機器名", Kind::Device}, {"機器番号", Kind::Device},
    {"機器記号", Kind::Device}, {"器具", Kind::Device}, {"器具番号", Kind::Device}, {"部品", Kind::Device},
    {"部品番号", Kind::Device}, {"装置", Kind::Device},

    {"terminal", Kind::Terminal}, {"term", Kind::Terminal}, {"terminalno", Kind::Terminal}, {"pin", Kind::Terminal},
    {"pinno", Kind::Terminal}, {"pinnumber", Kind::Terminal}, {"contact", Kind::Terminal}, {"cavity", Kind::Terminal},
    {"port", Kind::Terminal}, {"anschluss", Kind::Terminal}, {"anschlussbezeichnung", Kind::Terminal},
    {"klemme", Kind::Terminal}, {"端子", Kind::Terminal}, {"端子番号", Kind::Terminal}, {"端子名", Kind::Terminal},
    {"ピン", Kind::Terminal}, {"ピン番号", Kind::Terminal},

    {"", Kind::Address}, {"address", Kind::Address}, {"adresse", Kind::Address}, {"location", Kind::Address},
    {"anschlusspunkt", Kind::Address}, {"接続", Kind::Address}, {"接続点", Kind::Address},

    {"count", Kind::Count}, {"qty", Kind::Count}, {"quantity", Kind::Count}, {"pcs", Kind::Count},
    {"anzahl", Kind::Count}, {"menge", Kind::Count}, {"stueck", Kind::Count}, {"stk", Kind::Count},
    {"本数", Kind::Count}, {"数量", Kind::Count}, {"個数", Kind::Count}, {"枚数", Kind::Count},
    {"連続個数", Kind::Count},
};

struct Mark {
    std::string_view text;
    End end;
};

// Whole-word end marks, anywhere in the header ("From Device", "Betriebsmittel (Quelle)").
constexpr Mark WordMarks[] = {
    {"from", End::Source}, {"source", End::Source}, {"src", End::Source}, {"quelle", End::Source},
    {"von", End::Source}, {"接続元", End::Source}, {"始点", End::Source}, {"元", End::Source},
    {"to", End::Target}, {"target", End::Target}, {"dest", End::Target}, {"destination", End::Target},
    {"ziel", End::Target}, {"nach", End::Target}, {"接続先", End::Target}, {"終点", End::Target},
    {"先", End::Target},
};

// Marks only at the first or last place of a header of two or more words ("CMP1", "TERM_A").
constexpr Mark EdgeMarks[] = {
    {"1", End::Source}, {"a", End::Source}, {"2", End::Target}, {"b", End::Target},
};

// Marks written together with a Japanese word, longest first ("接続元機器", "端子接続先").
constexpr Mark JoinedMarks[] = {
    {"接続元", End::Source}, {"接続先", End::Target}, {"始点", End::Source}, {"終点", End::Target},
    {"元", End::Source}, {"先", End::Target},
};
// clang-format on

char32_t decode(std::string_view text, std::size_t pos, std::size_t length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    switch (length) {
    case 1:
        return byte(0);
    case 2:
        return (char32_t{byte(0)} & 0x1F) << 6 | (byte(1) & 0x3F);
    case 3:
        return (char32_t{byte(0)} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 | (byte(2) & 0x3F);
    default:
        return (char32_t{byte(0)} & 0x07) << 18 | (char32_t{byte(1)} & 0x3F) << 12 |
               (char32_t{byte(2)} & 0x3F) << 6 | (byte(3) & 0x3F);
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}

bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

/// The words of a header: ASCII runs cut at signs and blanks, at a change from lower to upper case
/// ("RefDes") and between letters and digits ("PIN1"); other characters in runs of their own.
/// Japanese punctuation cuts like a sign.
std::vector<std::string> headerWords(std::string_view header) {
    // Folding keeps the case, so that "RefDes" still shows where its words meet.
    std::string text;
    for (std::size_t pos = 0; pos < header.size();) {
        const std::size_t length = std::max<std::size_t>(1, model::wellFormedUtf8Length(header, pos));
        const char32_t c = length == 1 ? static_cast<unsigned char>(header[pos]) : decode(header, pos, length);
        if (c >= 0xFF01 && c <= 0xFF5E) {
            text.push_back(static_cast<char>(c - 0xFF01 + 0x21));
        } else if ((c >= 0x3000 && c <= 0x303F) || c == 0x30FB) {
            text.push_back(' ');
        } else if (c == 0xE4 || c == 0xC4 || c == 0xF6 || c == 0xD6 || c == 0xFC || c == 0xDC) {
            // "Gerät" and "Stück" meet the words as "geraet" and "stueck".
            text.push_back(c == 0xE4 || c == 0xC4 ? 'a' : c == 0xF6 || c == 0xD6 ? 'o' : 'u');
            text.push_back('e');
        } else if (c == 0xDF) {
            text += "ss";
        } else {
            text.append(header.substr(pos, length));
        }
        pos += length;
    }

    std::vector<std::string> words;
    std::string word;
    enum class Class { None, Lower, Upper, Digit, Other };
    Class previous = Class::None;
    const auto flush = [&] {
        if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    };
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        const auto u = static_cast<unsigned char>(c);
        Class now = Class::Other;
        if (u >= 0x80) {
            now = Class::Other;
        } else if (isDigit(c)) {
            now = Class::Digit;
        } else if (isLower(c)) {
            now = Class::Lower;
        } else if (isUpper(c)) {
            now = Class::Upper;
        } else {
            flush();
            previous = Class::None;
            continue;
        }
        const bool letter = now == Class::Lower || now == Class::Upper;
        const bool previousLetter = previous == Class::Lower || previous == Class::Upper;
        const bool cut = (now == Class::Upper && previous == Class::Lower) ||
                         (now == Class::Digit && previousLetter) || (letter && previous == Class::Digit) ||
                         ((now == Class::Other) != (previous == Class::Other) && previous != Class::None);
        if (cut) {
            flush();
        }
        word.push_back(c);
        previous = now;
    }
    flush();
    for (std::string& w : words) {
        w = foldHeaderText(w);
    }
    return words;
}

Kind kindOf(std::string_view key) {
    for (const Word& word : Words) {
        if (word.text == key) {
            return word.kind;
        }
    }
    return Kind::None;
}

template <std::size_t N>
End markOf(std::string_view word, const Mark (&marks)[N]) {
    for (const Mark& mark : marks) {
        if (mark.text == word) {
            return mark.end;
        }
    }
    return End::None;
}

std::string joined(const std::vector<std::string>& words, std::size_t skip) {
    std::string key;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i != skip) {
            key += words[i];
        }
    }
    return key;
}

struct Reading {
    Kind kind = Kind::None;
    End end = End::None;
};

/// What one header names: its kind and the end it marks.
Reading readHeader(std::string_view header) {
    const std::vector<std::string> words = headerWords(header);
    if (words.empty()) {
        return {};
    }
    const std::string whole = joined(words, words.size());
    if (const Kind kind = kindOf(whole); kind != Kind::None) {
        return {kind, End::None};
    }
    for (std::size_t i = 0; i < words.size(); ++i) {
        End end = markOf(words[i], WordMarks);
        if (end == End::None && words.size() >= 2 && (i == 0 || i + 1 == words.size())) {
            end = markOf(words[i], EdgeMarks);
        }
        if (end != End::None) {
            const Kind kind = kindOf(joined(words, i));
            if (kind == Kind::Device || kind == Kind::Terminal || kind == Kind::Address) {
                return {kind, end};
            }
        }
    }
    // A Japanese header with its mark written on ("接続元端子", "機器接続先").
    for (const Mark& mark : JoinedMarks) {
        for (const bool before : {true, false}) {
            if (whole.size() <= mark.text.size()) {
                continue;
            }
            const bool found = before ? whole.starts_with(mark.text) : whole.ends_with(mark.text);
            if (!found) {
                continue;
            }
            const std::string rest = before ? whole.substr(mark.text.size())
                                            : whole.substr(0, whole.size() - mark.text.size());
            const Kind kind = kindOf(rest);
            if (kind == Kind::Device || kind == Kind::Terminal || kind == Kind::Address) {
                return {kind, mark.end};
            }
        }
    }
    return {};
}

Role roleOf(Kind kind, End end) {
    switch (kind) {
    case Kind::Device:
        return end == End::Target ? Role::TargetDevice : Role::SourceDevice;
    case Kind::Terminal:
        return end == End::Target ? Role::TargetTerminal : Role::SourceTerminal;
    case Kind::Address:
        return end == End::Target ? Role::Target : Role::Source;
    case Kind::Count:
        return Role::Count;
    default:
        return Role::Wire;
    }
}

} // namespace

std::string_view roleKey(Role role) {
    return RoleKeys[static_cast<std::size_t>(role)];
}

std::optional<Role> roleFromKey(std::string_view key) {
    for (int i = 0; i < RoleCount; ++i) {
        if (RoleKeys[static_cast<std::size_t>(i)] == key) {
            return static_cast<Role>(i);
        }
    }
    return std::nullopt;
}

int roleNameId(Role role) {
    return WireListMessage::RoleNames + static_cast<int>(role);
}

bool ColumnRoles::hasSourceEnd() const {
    return has(Role::SourceDevice) || has(Role::SourceTerminal) || has(Role::Source);
}

bool ColumnRoles::hasTargetEnd() const {
    return has(Role::TargetDevice) || has(Role::TargetTerminal) || has(Role::Target);
}

int ColumnRoles::assigned() const {
    return static_cast<int>(std::count_if(m_columns.begin(), m_columns.end(), [](int c) { return c >= 0; }));
}

ColumnRoles ColumnRoles::fromHeader(std::span<const std::string> header) {
    ColumnRoles roles;
    for (std::size_t column = 0; column < header.size(); ++column) {
        const Reading reading = readHeader(header[column]);
        if (reading.kind == Kind::None) {
            continue;
        }
        Role role = roleOf(reading.kind, reading.end);
        // An unmarked device or terminal column names the source end first, then the target end.
        if (reading.end == End::None && roles.has(role)) {
            if (role == Role::SourceDevice) {
                role = Role::TargetDevice;
            } else if (role == Role::SourceTerminal) {
                role = Role::TargetTerminal;
            }
        }
        if (!roles.has(role)) {
            roles.set(role, static_cast<int>(column));
        }
    }
    return roles;
}

std::string foldHeaderText(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    bool blank = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, model::wellFormedUtf8Length(text, pos));
        char32_t c = length == 1 ? static_cast<unsigned char>(text[pos]) : decode(text, pos, length);
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = c - 0xFF01 + 0x21;
        }
        const bool isBlank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == 0x3000;
        if (isBlank) {
            blank = !folded.empty();
        } else {
            if (blank) {
                folded.push_back(' ');
                blank = false;
            }
            if (c < 0x80) {
                const char a = static_cast<char>(c);
                folded.push_back(isUpper(a) ? static_cast<char>(a - 'A' + 'a') : a);
            } else if (c == 0xE4 || c == 0xC4) {
                folded += "ae";
            } else if (c == 0xF6 || c == 0xD6) {
                folded += "oe";
            } else if (c == 0xFC || c == 0xDC) {
                folded += "ue";
            } else if (c == 0xDF) {
                folded += "ss";
            } else {
                folded.append(text.substr(pos, length));
            }
        }
        pos += length;
    }
    return folded;
}

} // namespace qx::wirelist
