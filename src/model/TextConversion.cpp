#include "TextConversion.h"

#include "EditData.h"
#include "model/gen/Cp932Table.h"

#include <algorithm>
#include <array>
#include <climits>

namespace qx::model {

namespace {

using cp932::isLeadByte;
using cp932::isTrailByte;

// The printable ASCII characters whose full-width forms are not simply counted on from a first one.
struct FullWidthSign {
    char ascii;
    CharCode code;
};
// clang-format off
constexpr std::array<FullWidthSign, 33> FullWidthSigns{{
    {' ', 0x2121},  {'!', 0x212A}, {'"', 0x2149}, {'#', 0x2174}, {'$', 0x2170}, {'%', 0x2173},
    {'&', 0x2175},  {'\'', 0x2147}, {'(', 0x214A}, {')', 0x214B}, {'*', 0x2176}, {'+', 0x215C},
    {',', 0x2124},  {'-', 0x215D}, {'.', 0x2125}, {'/', 0x213F}, {':', 0x2127}, {';', 0x2128},
    {'<', 0x2163},  {'=', 0x2161}, {'>', 0x2164}, {'?', 0x2129}, {'@', 0x2177}, {'[', 0x214E},
    {'\\', 0x216F}, {']', 0x214F}, {'^', 0x2130}, {'_', 0x2132}, {'`', 0x212E}, {'{', 0x2150},
    {'|', 0x2143},  {'}', 0x2151}, {'~', 0x2141},
}};
// clang-format on

constexpr unsigned FirstPrintable = 0x20;
constexpr unsigned LastPrintable = 0x7E;

consteval std::array<CharCode, LastPrintable - FirstPrintable + 1> makeFullWidthMap() {
    std::array<CharCode, LastPrintable - FirstPrintable + 1> map{};
    for (unsigned c = '0'; c <= '9'; ++c)
        map[c - FirstPrintable] = static_cast<CharCode>(0x2330 + (c - '0'));
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        map[c - FirstPrintable] = static_cast<CharCode>(codes::FullWidthUpperA + (c - 'A'));
    for (unsigned c = 'a'; c <= 'z'; ++c)
        map[c - FirstPrintable] = static_cast<CharCode>(codes::FullWidthLowerA + (c - 'a'));
    for (const FullWidthSign& s : FullWidthSigns)
        map[static_cast<unsigned char>(s.ascii) - FirstPrintable] = s.code;
    return map;
}
constexpr auto FullWidthMap = makeFullWidthMap();
static_assert(std::find(FullWidthMap.begin(), FullWidthMap.end(), CharCode{0}) == FullWidthMap.end(),
              "every printable ASCII character has a full-width form");

struct SjisRange {
    std::uint16_t first;
    std::uint16_t last;
};
// Whole ranges: unassigned cells inside them count as supported.
constexpr std::array<SjisRange, 7> SupportedSjisRanges{{
    {0x8140, 0x8491}, // JIS 0x2121-0x2771: symbols, digits, Latin, kana, Greek, Cyrillic
    {0x889F, 0x88FC}, // JIS 0x3021-0x307E: first-level kanji
    {0x8940, 0x97FC}, // JIS 0x3121-0x4E7E
    {0x9840, 0x9872}, // JIS 0x4F21-0x4F53
    {0x989F, 0x98FC}, // JIS 0x5021-0x507E: second-level kanji
    {0x9940, 0xE9FC}, // JIS 0x5121-0x727E
    {0xEA40, 0xEAA4}, // JIS 0x7321-0x7426
}};

// Printer symbols that a model has no glyph for.
constexpr ModelType AnyModel = INT_MIN;
constexpr ModelType LastModel = INT_MAX;
struct MissingSymbols {
    CharCode first;
    CharCode last;
    ModelType fromModel;
    ModelType toModel;
};
constexpr std::array<MissingSymbols, 5> MissingSymbolRanges{{
    {0x2C66, 0x2C75, AnyModel, 1},
    {0x2A63, 0x2A68, 2, LastModel},
    {0x2C76, 0x2C79, AnyModel, 4},
    {0x2E75, 0x2E7B, AnyModel, 4},
    {0x2846, 0x284D, AnyModel, 4},
}};

constexpr CharCode ControlRowFirst = 0x2F21;

bool modelLacksSymbol(CharCode code, ModelType model) {
    return std::any_of(MissingSymbolRanges.begin(), MissingSymbolRanges.end(), [&](const MissingSymbols& r) {
        return code >= r.first && code <= r.last && model >= r.fromModel && model <= r.toModel;
    });
}

void appendSjis(std::string& out, std::uint16_t sjis) {
    if (sjis >= 0x100)
        out.push_back(static_cast<char>(sjis >> 8));
    out.push_back(static_cast<char>(sjis & 0xFF));
}

void appendToken(std::string& out, CharCode code) {
    constexpr char Hex[] = "0123456789ABCDEF";
    out += "\"0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(Hex[(code >> shift) & 0xF]);
    out.push_back('"');
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr std::size_t TokenLength = 8;

/// The value of the token "0xHHHH" (in double quotes) at `pos`, if there is a complete one.
std::optional<CharCode> tokenAt(std::string_view text, std::size_t pos) {
    if (text.size() - pos < TokenLength || text[pos] != '"' || text[pos + 1] != '0' ||
        (text[pos + 2] != 'x' && text[pos + 2] != 'X') || text[pos + 7] != '"')
        return std::nullopt;
    unsigned value = 0;
    for (std::size_t k = pos + 3; k < pos + 7; ++k) {
        const int digit = hexValue(static_cast<unsigned char>(text[k]));
        if (digit < 0)
            return std::nullopt;
        value = (value << 4) | static_cast<unsigned>(digit);
    }
    return static_cast<CharCode>(value);
}

// UTF-8 handling for the Qt side.

constexpr char32_t ReplacementCharacter = 0xFFFD;

struct Utf8Char {
    char32_t value;
    std::size_t length; ///< bytes taken; a malformed sequence takes its longest valid beginning
    bool valid;
};

/// One character of UTF-8 at `pos` (pos < size). Malformed input is split into the maximal
/// subparts that the Unicode standard recommends replacing one by one.
Utf8Char decodeUtf8(std::string_view s, std::size_t pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned b0 = byte(pos);
    if (b0 < 0x80)
        return {b0, 1, true};
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    char32_t value = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        value = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        value = b0 & 0x0F;
        if (b0 == 0xE0)
            low = 0xA0; // no overlong forms
        if (b0 == 0xED)
            high = 0x9F; // no surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        value = b0 & 0x07;
        if (b0 == 0xF0)
            low = 0x90;
        if (b0 == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return {ReplacementCharacter, 1, false};
    }
    for (std::size_t k = 1; k < length; ++k) {
        if (pos + k >= s.size())
            return {ReplacementCharacter, k, false};
        const unsigned b = byte(pos + k);
        if (b < low || b > high)
            return {ReplacementCharacter, k, false};
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (b & 0x3F);
    }
    return {value, length, true};
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

/// The code page 932 form of one Unicode character (below 0x100: one byte), if it has one.
std::optional<std::uint16_t> unicodeToSjis(char32_t c) {
    if (c > 0xFFFF)
        return std::nullopt;
    const auto table = cp932::unicodeTable();
    const auto it =
        std::lower_bound(table.begin(), table.end(), c,
                         [](const cp932::UnicodeMapping& m, char32_t v) { return m.unicode < v; });
    if (it == table.end() || it->unicode != c)
        return std::nullopt;
    return it->sjis;
}

// Stands in, in the code page 932 form of UTF-8 text, for a character that has none. It is neither a
// lead byte nor printable ASCII nor a double quote, so the text-to-codes walk takes it alone, as one
// unsupported character, and it cannot complete a token or a doubled quote.
constexpr char NoCp932Form = '\xFF';

/// The code page 932 form of UTF-8 text; `ok` is false when some character had no form.
struct Cp932Text {
    std::string bytes;
    bool ok = true;
};

Cp932Text utf8ToCp932(std::string_view utf8) {
    Cp932Text result;
    result.bytes.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const Utf8Char c = decodeUtf8(utf8, pos);
        pos += c.length;
        const auto sjis = c.valid ? unicodeToSjis(c.value) : std::nullopt;
        if (sjis) {
            appendSjis(result.bytes, *sjis);
        } else {
            result.bytes.push_back(NoCp932Form);
            result.ok = false;
        }
    }
    return result;
}

} // namespace

std::uint16_t jisToSjis(CharCode code) {
    const unsigned row = code >> 8;
    const unsigned cell = code & 0xFF;
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E)
        return 0;
    const unsigned lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
    unsigned trail = 0;
    if (row & 1)
        trail = cell + (cell >= 0x60 ? 0x20 : 0x1F);
    else
        trail = cell + 0x7E;
    return static_cast<std::uint16_t>((lead << 8) | trail);
}

CharCode sjisToJis(std::uint16_t sjisCode) {
    const unsigned lead = sjisCode >> 8;
    const unsigned trail = sjisCode & 0xFF;
    if (!isLeadByte(lead) || lead > 0xEF || !isTrailByte(trail))
        return 0;
    unsigned row = (lead - (lead <= 0x9F ? 0x70 : 0xB0)) << 1;
    unsigned cell = 0;
    if (trail < 0x9F) {
        row -= 1;
        cell = trail - (trail >= 0x80 ? 0x20 : 0x1F);
    } else {
        cell = trail - 0x7E;
    }
    return static_cast<CharCode>((row << 8) | cell);
}

CharCode fullWidthCode(char ascii) {
    const auto c = static_cast<unsigned char>(ascii);
    return c >= FirstPrintable && c <= LastPrintable ? FullWidthMap[c - FirstPrintable] : CharCode{0};
}

char narrowCode(CharCode code) {
    const auto it = std::find(FullWidthMap.begin(), FullWidthMap.end(), code);
    if (code == 0 || it == FullWidthMap.end())
        return 0;
    return static_cast<char>(FirstPrintable + static_cast<unsigned>(it - FullWidthMap.begin()));
}

bool isSupportedSjis(std::uint16_t sjisCode) {
    return sjisCode == 0 ||
           std::any_of(SupportedSjisRanges.begin(), SupportedSjisRanges.end(),
                       [&](const SjisRange& r) { return sjisCode >= r.first && sjisCode <= r.last; });
}

std::string codesToText(std::span<const CharCode> codes, bool blankSpecials) {
    std::string text;
    text.reserve(codes.size() * 2);
    for (const CharCode code : codes) {
        if (code == 0)
            break;
        const std::uint16_t sjis = isSpecialCode(code) ? std::uint16_t{0} : jisToSjis(code);
        if (sjis != 0)
            appendSjis(text, sjis);
        else if (blankSpecials)
            appendSjis(text, jisToSjis(codes::FullWidthBlank));
        else
            appendToken(text, code);
    }
    return text;
}

std::string codeToText(CharCode code) {
    return codesToText(std::span(&code, 1), false);
}

TextToCodesResult textToCodes(std::string_view sjis, bool tokens) {
    TextToCodesResult result;
    sjis = sjis.substr(0, sjis.find('\0'));
    result.codes.reserve(sjis.size());
    const auto byteAt = [&](std::size_t i) -> unsigned {
        return i < sjis.size() ? static_cast<unsigned char>(sjis[i]) : 0U;
    };
    const auto appendReplacement = [&] {
        result.codes.push_back(codes::FullWidthBlank);
        ++result.replaced;
    };

    std::size_t pos = 0;
    while (pos < sjis.size()) {
        if (tokens) {
            if (const auto token = tokenAt(sjis, pos)) {
                pos += TokenLength;
                if (*token == 0 || isStreamMarker(*token))
                    appendReplacement();
                else
                    result.codes.push_back(*token);
                continue;
            }
        }
        const unsigned b = byteAt(pos);
        if (isLeadByte(b) && isTrailByte(byteAt(pos + 1))) {
            const auto candidate = static_cast<std::uint16_t>((b << 8) | byteAt(pos + 1));
            pos += 2;
            if (isSupportedSjis(candidate))
                result.codes.push_back(sjisToJis(candidate));
            else
                appendReplacement();
            continue;
        }
        // Typed text escapes a double quote by doubling it; the pair stands for one.
        if (tokens && b == '"' && byteAt(pos + 1) == '"')
            ++pos;
        ++pos;
        if (const CharCode code = fullWidthCode(static_cast<char>(b)))
            result.codes.push_back(code);
        else
            appendReplacement(); // half-width katakana, control characters, stray bytes
    }
    return result;
}

int setLineFromText(EditData& data, int block, int line, std::string_view sjis, bool tokens) {
    if (block < 0 || block >= MaxBlocks || line < 0 || line >= MaxLines)
        return 0;
    EditLine& target = data.line(block, line);
    target.chars = CodeList{};
    TextToCodesResult converted = textToCodes(sjis, tokens);
    if (!converted.codes.empty()) {
        target.chars = std::move(converted.codes);
        EditBlock& b = data.block(block);
        b.lineCount = static_cast<std::int8_t>(std::max<int>(b.lineCount, line + 1));
    }
    return converted.replaced;
}

int sanitiseCodes(std::span<CharCode> codes, ModelType model) {
    int replaced = 0;
    for (CharCode& code : codes) {
        bool unprintable = false;
        if (code == 0 || isStreamMarker(code))
            unprintable = true;
        else if (isSpecialCode(code))
            // The last special row holds control codes, not glyphs: of them only the sequence
            // marker belongs in a line.
            unprintable =
                (code >= ControlRowFirst && code != codes::SequenceMarker) || modelLacksSymbol(code, model);
        else {
            // A code with no Shift_JIS form is no character at all, and no printer prints it.
            const std::uint16_t sjis = jisToSjis(code);
            unprintable = sjis == 0 || !isSupportedSjis(sjis);
        }
        if (unprintable) {
            code = codes::FullWidthBlank;
            ++replaced;
        }
    }
    return replaced;
}

std::string narrowText(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size());
    for (std::size_t pos = 0; pos < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (isLeadByte(b) && pos + 1 < sjis.size() &&
            isTrailByte(static_cast<unsigned char>(sjis[pos + 1]))) {
            const auto pair =
                static_cast<std::uint16_t>((b << 8) | static_cast<unsigned char>(sjis[pos + 1]));
            if (const char ascii = narrowCode(sjisToJis(pair)))
                out.push_back(ascii);
            else
                out.append(sjis.substr(pos, 2));
            pos += 2;
        } else {
            out.push_back(sjis[pos]);
            ++pos;
        }
    }
    return out;
}

std::string widenText(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() * 2);
    for (std::size_t pos = 0; pos < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[pos]);
        if (isLeadByte(b) && pos + 1 < sjis.size() &&
            isTrailByte(static_cast<unsigned char>(sjis[pos + 1]))) {
            out.append(sjis.substr(pos, 2));
            pos += 2;
            continue;
        }
        if (const CharCode code = fullWidthCode(sjis[pos]))
            appendSjis(out, jisToSjis(code));
        else
            out.push_back(sjis[pos]);
        ++pos;
    }
    return out;
}

std::size_t wellFormedUtf8Length(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return 0;
    }
    const Utf8Char c = decodeUtf8(text, pos);
    return c.valid ? c.length : 0;
}

std::string codesToUtf8(std::span<const CharCode> codes, bool blankSpecials) {
    return sjisToUtf8(codesToText(codes, blankSpecials));
}

TextToCodesResult utf8ToCodes(std::string_view utf8, bool tokens) {
    return textToCodes(utf8ToCp932(utf8).bytes, tokens);
}

std::string sjisToUtf8(std::string_view sjis) {
    const auto single = cp932::singleByteTable();
    const auto cells = cp932::doubleByteTable();
    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    for (std::size_t pos = 0; pos < sjis.size();) {
        const auto b = static_cast<unsigned char>(sjis[pos]);
        std::uint16_t u = cp932::Unmapped;
        if (isLeadByte(b)) {
            if (pos + 1 < sjis.size() && isTrailByte(static_cast<unsigned char>(sjis[pos + 1]))) {
                u = cells[cp932::cellIndex(b, static_cast<unsigned char>(sjis[pos + 1]))];
                ++pos;
            }
        } else {
            u = single[b];
        }
        ++pos;
        appendUtf8(out, u == cp932::Unmapped ? ReplacementCharacter : char32_t{u});
    }
    return out;
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    Cp932Text converted = utf8ToCp932(utf8);
    if (!converted.ok)
        return std::nullopt;
    return std::move(converted.bytes);
}

} // namespace qx::model
