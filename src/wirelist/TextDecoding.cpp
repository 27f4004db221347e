#include "TextDecoding.h"

#include "model/TextConversion.h"
#include "model/gen/Cp932Table.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qx::wirelist {

namespace {

constexpr char32_t Replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t u) {
    if (u < 0x80) {
        out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (u >> 6)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (u < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (u >> 12)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (u >> 18)));
        out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
}

// Code page 1252 differs from Latin-1 only in 0x80-0x9F; 0 marks the five bytes without a character.
constexpr std::array<char16_t, 32> Cp1252High{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char32_t cp1252Char(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        const char16_t u = Cp1252High[b - 0x80];
        return u == 0 ? Replacement : char32_t{u};
    }
    return b;
}

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return out;
}

bool isStrictUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = model::wellFormedUtf8Length(bytes, pos);
        if (length == 0) {
            return false;
        }
        pos += length;
    }
    return true;
}

bool isAsciiLetter(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

unsigned char byteAt(std::string_view bytes, std::size_t pos) {
    return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) : 0;
}

bool isHalfWidthKatakana(unsigned char b) {
    return b >= 0xA1 && b <= 0xDF;
}

// How much the high bytes read like Japanese text: kana and the common kanji of rows 1-47 count
// most, the rarer second-level kanji little, private-use and unmapped codes against.
long scoreCp932(std::string_view bytes) {
    namespace cp = model::cp932;
    const auto single = cp::singleByteTable();
    const auto cells = cp::doubleByteTable();
    long score = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const unsigned char b = byteAt(bytes, pos);
        if (b < 0x80) {
            continue;
        }
        if (cp::isLeadByte(b)) {
            const unsigned char trail = byteAt(bytes, pos + 1);
            if (pos + 1 >= bytes.size() || !cp::isTrailByte(trail)) {
                score -= 10;
                continue;
            }
            ++pos;
            const std::uint16_t u = cells[cp::cellIndex(b, trail)];
            if (u == cp::Unmapped) {
                score -= 10;
            } else if (u >= 0xE000 && u <= 0xF8FF) {
                score -= 5;
            } else if (b <= 0x9F && ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) ||
                                     (u >= 0xFF00 && u <= 0xFFEF))) {
                score += 3;
            } else {
                score += 1;
            }
            continue;
        }
        const std::uint16_t u = single[b];
        if (u == cp::Unmapped) {
            score -= 10;
        } else if (u >= 0xE000 && u <= 0xF8FF) {
            score -= 5;
        } else if (isHalfWidthKatakana(b) && (isHalfWidthKatakana(byteAt(bytes, pos + 1)) ||
                                              (pos > 0 && isHalfWidthKatakana(byteAt(bytes, pos - 1))))) {
            score += 2; // half-width katakana come in words
        }
    }
    return score;
}

// How much the high bytes read like Western text: accented letters inside words of plain letters,
// the usual signs (°, ², µ), typographic punctuation; the five bytes without a character against.
long scoreCp1252(std::string_view bytes) {
    long score = 0;
    for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
        const unsigned char b = byteAt(bytes, pos);
        if (b < 0x80) {
            continue;
        }
        if (cp1252Char(b) == Replacement) {
            score -= 10;
        } else if (b >= 0xC0 && b != 0xD7 && b != 0xF7) {
            const bool inWord =
                isAsciiLetter(byteAt(bytes, pos + 1)) || (pos > 0 && isAsciiLetter(byteAt(bytes, pos - 1)));
            score += inWord ? 2 : 1;
        } else {
            score += 1;
        }
    }
    return score;
}

// UTF-16 without a mark shows as ASCII text with a zero byte beside each character.
std::string guessUnmarkedUtf16(std::string_view bytes) {
    const std::size_t sample = std::min<std::size_t>(bytes.size(), 4096) & ~std::size_t{1};
    if (sample < 4) {
        return {};
    }
    std::size_t evenZero = 0;
    std::size_t oddZero = 0;
    for (std::size_t i = 0; i < sample; i += 2) {
        evenZero += bytes[i] == 0 ? 1u : 0u;
        oddZero += bytes[i + 1] == 0 ? 1u : 0u;
    }
    const std::size_t pairs = sample / 2;
    if (oddZero * 10 >= pairs * 3 && evenZero * 20 < pairs) {
        return "UTF-16LE";
    }
    if (evenZero * 10 >= pairs * 3 && oddZero * 20 < pairs) {
        return "UTF-16BE";
    }
    return {};
}

std::string decodeUtf8(std::string_view bytes) {
    if (isStrictUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            out.push_back(bytes[pos++]);
            continue;
        }
        const std::size_t length = model::wellFormedUtf8Length(bytes, pos);
        if (length == 0) {
            appendUtf8(out, Replacement);
            ++pos;
        } else {
            out.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::string decodeUtf16(std::string_view bytes, bool littleEndian) {
    std::string out;
    out.reserve(bytes.size());
    auto unit = [&](std::size_t pos) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[pos]);
        const auto b = static_cast<unsigned char>(bytes[pos + 1]);
        return littleEndian ? char32_t(a | (b << 8)) : char32_t((a << 8) | b);
    };
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const char32_t u = unit(pos);
        if (u >= 0xD800 && u <= 0xDBFF && pos + 3 < bytes.size()) {
            const char32_t low = unit(pos + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                pos += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u <= 0xDFFF ? Replacement : u);
    }
    if (pos < bytes.size()) {
        appendUtf8(out, Replacement); // an odd byte at the end
    }
    return out;
}

std::string decodeCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        appendUtf8(out, cp1252Char(static_cast<unsigned char>(c)));
    }
    return out;
}

} // namespace

std::string canonicalEncoding(std::string_view name) {
    const std::string n = lower(name);
    if (n == "utf-8" || n == "utf8") {
        return "UTF-8";
    }
    if (n == "utf-16le" || n == "utf16le" || n == "utf-16" || n == "ucs-2") {
        return "UTF-16LE";
    }
    if (n == "utf-16be" || n == "utf16be") {
        return "UTF-16BE";
    }
    if (n == "cp932" || n == "shift_jis" || n == "shift-jis" || n == "sjis" || n == "windows-31j" ||
        n == "ms932") {
        return "CP932";
    }
    if (n == "cp1252" || n == "windows-1252" || n == "latin1" || n == "latin-1" || n == "iso-8859-1") {
        return "CP1252";
    }
    return {};
}

std::size_t markLengthOf(std::string_view bytes, std::string_view encoding) {
    if (encoding == "UTF-8" && bytes.starts_with("\xEF\xBB\xBF")) {
        return 3;
    }
    if (encoding == "UTF-16LE" && bytes.starts_with("\xFF\xFE")) {
        return 2;
    }
    if (encoding == "UTF-16BE" && bytes.starts_with("\xFE\xFF")) {
        return 2;
    }
    return 0;
}

std::string detectEncoding(std::string_view bytes, std::size_t& markLength) {
    for (const char* name : {"UTF-8", "UTF-16LE", "UTF-16BE"}) {
        markLength = markLengthOf(bytes, name);
        if (markLength > 0) {
            return name;
        }
    }
    if (isStrictUtf8(bytes)) {
        std::string utf16 = guessUnmarkedUtf16(bytes);
        return utf16.empty() ? "UTF-8" : utf16;
    }
    if (std::string utf16 = guessUnmarkedUtf16(bytes); !utf16.empty()) {
        return utf16;
    }
    // The editor is used in Japanese shops first: a tie reads as code page 932.
    return scoreCp932(bytes) >= scoreCp1252(bytes) ? "CP932" : "CP1252";
}

std::string decodeToUtf8(std::string_view bytes, std::string_view encoding) {
    if (encoding == "UTF-16LE" || encoding == "UTF-16BE") {
        return decodeUtf16(bytes, encoding == "UTF-16LE");
    }
    if (encoding == "CP932") {
        return model::sjisToUtf8(bytes);
    }
    if (encoding == "CP1252") {
        return decodeCp1252(bytes);
    }
    return decodeUtf8(bytes);
}

} // namespace qx::wirelist
