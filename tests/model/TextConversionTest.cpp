#include "model/TextConversion.h"

#include "model/EditData.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define QX_TEST_HAS_ICONV 1
#endif

using namespace qx::model;
using namespace std::string_literals;

namespace {

struct Range {
    unsigned first;
    unsigned last;
};

// The ranges the printers print, in JIS and in Shift_JIS terms.
// clang-format off
constexpr std::array<Range, 7> SupportedJis{{{0x2121, 0x2771}, {0x3021, 0x307E}, {0x3121, 0x4E7E},
                                             {0x4F21, 0x4F53}, {0x5021, 0x507E}, {0x5121, 0x727E},
                                             {0x7321, 0x7426}}};
constexpr std::array<Range, 7> SupportedSjis{{{0x8140, 0x8491}, {0x889F, 0x88FC}, {0x8940, 0x97FC},
                                              {0x9840, 0x9872}, {0x989F, 0x98FC}, {0x9940, 0xE9FC},
                                              {0xEA40, 0xEAA4}}};
// clang-format on

bool inRanges(const std::array<Range, 7>& ranges, unsigned v) {
    for (const Range& r : ranges)
        if (v >= r.first && v <= r.last)
            return true;
    return false;
}

bool isJisCell(unsigned code) {
    const unsigned row = code >> 8, cell = code & 0xFF;
    return row >= 0x21 && row <= 0x7E && cell >= 0x21 && cell <= 0x7E;
}

bool isLead(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrail(unsigned b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

std::string pairText(unsigned sjis) {
    return {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
}

struct TextRow {
    std::string text;
    bool tokens;
    CodeList codes;
    int replaced;
};

} // namespace

TEST(TextConversion, TextToCodesFollowsTheWalk) {
    // clang-format off
    const std::vector<TextRow> rows = {
        {"A1", false, {0x2341, 0x2331}, 0},
        {"", true, {}, 0},
        {"\"0x2A21\"", true, {0x2A21}, 0},
        {"\"0x2a21\"", true, {0x2A21}, 0},
        {"\"0X2A21\"", true, {0x2A21}, 0},
        {"a\"0x2F26\"b", true, {0x2361, 0x2F26, 0x2362}, 0},
        {"\"0x2A21\"", false, {0x2149, 0x2330, 0x2378, 0x2332, 0x2341, 0x2332, 0x2331, 0x2149}, 0},
        {"\"0x2A2\"", true, {0x2149, 0x2330, 0x2378, 0x2332, 0x2341, 0x2332, 0x2149}, 0},
        {"\"0x2A21", true, {0x2149, 0x2330, 0x2378, 0x2332, 0x2341, 0x2332, 0x2331}, 0},
        {"\"0x2G21\"", true, {0x2149, 0x2330, 0x2378, 0x2332, 0x2347, 0x2332, 0x2331, 0x2149}, 0},
        {"\"\"", true, {0x2149}, 0},
        {"\"\"", false, {0x2149, 0x2149}, 0},
        {"\"\"\"", true, {0x2149, 0x2149}, 0},
        // A doubled quote escapes what would otherwise start a token.
        {"\"\"0x2A21\"", true, {0x2149, 0x2330, 0x2378, 0x2332, 0x2341, 0x2332, 0x2331, 0x2149}, 0},
        {" ~\\'", false, {0x2121, 0x2141, 0x216F, 0x2147}, 0},
        {"\xB1", false, {0x2121}, 1},                   // half-width katakana
        {"\x87\x40", false, {0x2121}, 1},               // NEC special character
        {"\x84\x9F", false, {0x2121}, 1},               // box drawing: collides with printer symbols
        {"\x88\x40", false, {0x2121}, 1},               // would be the pitch-group marker
        {"\x88\x9F\xEA\xA4\xEA\xA5", false, {0x3021, 0x7426, 0x2121}, 1},
        {"\x81\xAD", false, {0x222F}, 0},               // unassigned cell inside a supported range
        {"\x01\t\x7F\x80\xA0\xFF", false, {0x2121, 0x2121, 0x2121, 0x2121, 0x2121, 0x2121}, 6},
        {"AB\0CD"s, true, {0x2341, 0x2342}, 0},        // the walk ends at a zero byte
        {"\"0x2A\0" "21\""s, true, {0x2149, 0x2330, 0x2378, 0x2332, 0x2341}, 0},
        {"A\x81", false, {0x2341, 0x2121}, 1},          // lead byte at the end
        {"\x81 ", false, {0x2121, 0x2121}, 1},          // lead byte without a trail byte
        {"\x81\x81\x40", false, {0x2161, 0x2177}, 0},
        // Tokens naming stream markers or the end word never reach a line.
        {"\"0x2F21\"\"0x2F25\"\"0x0000\"", true, {0x2121, 0x2121, 0x2121}, 3},
        {"\"0x2F20\"\"0x2F27\"\"0x0041\"\"0xFFFF\"", true, {0x2F20, 0x2F27, 0x0041, 0xFFFF}, 0},
    };
    // clang-format on
    for (const TextRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.text) + (row.tokens ? " with tokens" : ""));
        const TextToCodesResult r = textToCodes(row.text, row.tokens);
        EXPECT_EQ(r.codes, row.codes);
        EXPECT_EQ(r.replaced, row.replaced);
    }
}

TEST(TextConversion, CodesToTextWritesSpecialsAsTokensOrBlanks) {
    const CodeList codes = {0x2341, 0x2F26, 0x2331};
    EXPECT_EQ(codesToText(codes, false), "\x82\x60\"0x2F26\"\x82\x50");
    EXPECT_EQ(codesToText(codes, true), "\x82\x60\x81\x40\x82\x50");
    EXPECT_EQ(codesToText(CodeList{0x2341, 0, 0x2342}, false), "\x82\x60");
    EXPECT_EQ(codeToText(0x2A21), "\"0x2A21\"");
    EXPECT_EQ(codeToText(0x2821), "\"0x2821\"");
    EXPECT_EQ(codeToText(0x2F7E), "\"0x2F7E\"");
    EXPECT_EQ(codeToText(0x277E), "\x84\x9E");
    EXPECT_EQ(codeToText(0x2820), "\"0x2820\"");
    EXPECT_EQ(codeToText(0x3021), "\x88\x9F");
    // A code without a Shift_JIS form keeps its token instead of becoming a zero byte.
    EXPECT_EQ(codeToText(0x0041), "\"0x0041\"");
    EXPECT_EQ(codesToText(CodeList{0x7F21, 0x2341}, true), "\x81\x40\x82\x60");
}

TEST(TextConversion, EverySupportedCodeRoundTripsThroughBothRoutes) {
    int checked = 0;
    int withoutUnicode = 0;
    for (const Range& r : SupportedJis) {
        for (unsigned code = r.first; code <= r.last; ++code) {
            if (!isJisCell(code))
                continue;
            SCOPED_TRACE(testing::Message() << std::hex << code);
            const CodeList one = {static_cast<CharCode>(code)};
            const std::string text = codesToText(one, false);
            ASSERT_EQ(text.size(), 2U);
            ASSERT_EQ(textToCodes(text, true), (TextToCodesResult{one, 0}));
            CodeList kept = one;
            ASSERT_EQ(sanitiseCodes(kept, 0), 0);

            const std::string utf8 = codesToUtf8(one, false);
            if (utf8 == "\xEF\xBF\xBD") {
                ++withoutUnicode; // unassigned cell: the Shift_JIS route keeps it, Unicode cannot
                EXPECT_EQ(utf8ToCodes(utf8, true), (TextToCodesResult{{0x2121}, 1}));
            } else {
                ASSERT_EQ(utf8ToCodes(utf8, true), textToCodes(text, true));
                ASSERT_EQ(utf8ToSjis(utf8), text);
            }
            ++checked;
        }
    }
    // Rows 1-7 up to cell 0x71, then the 2,965 first-level and 3,390 second-level kanji.
    EXPECT_EQ(checked, 6 * 94 + 81 + 2965 + 3390);
    EXPECT_LT(withoutUnicode, 200);
}

TEST(TextConversion, EveryUnsupportedDoubleByteCharacterIsReplaced) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isLead(lead) || !isTrail(trail))
                continue;
            const unsigned sjis = lead << 8 | trail;
            SCOPED_TRACE(testing::Message() << std::hex << sjis);
            const bool supported = inRanges(SupportedSjis, sjis);
            ASSERT_EQ(isSupportedSjis(static_cast<std::uint16_t>(sjis)), supported);
            const TextToCodesResult r = textToCodes(pairText(sjis), false);
            ASSERT_EQ(r.codes.size(), 1U);
            ASSERT_EQ(r.replaced, supported ? 0 : 1);
            ASSERT_EQ(r.codes[0] == 0x2121, !supported || sjis == 0x8140);
        }
    }
    EXPECT_TRUE(isSupportedSjis(0));
    // Codes read from a file: every valid JIS cell outside the supported and special ranges is replaced.
    for (unsigned code = 0x2121; code <= 0x7E7E; ++code) {
        if (!isJisCell(code) || isSpecialCode(static_cast<CharCode>(code)))
            continue;
        CharCode c = static_cast<CharCode>(code);
        const int replaced = sanitiseCodes(std::span(&c, 1), 9);
        ASSERT_EQ(replaced, inRanges(SupportedJis, code) ? 0 : 1) << std::hex << code;
    }
}

TEST(TextConversion, SanitiseRemovesSymbolsTheModelLacks) {
    struct Row {
        CharCode code;
        ModelType model;
        bool replaced;
    };
    // clang-format off
    const Row rows[] = {
        {0x2C70, 0, true},  {0x2C70, 9, false}, {0x2A64, 5, true},  {0x2A64, 0, false},
        {0x2848, 3, true},  {0x2848, 6, false}, {0x2C66, 1, true},  {0x2C75, 1, true},
        {0x2C65, 0, false}, {0x2C66, 2, false}, {0x2A63, 2, true},  {0x2A68, 10, true},
        {0x2A62, 9, false}, {0x2A69, 2, false}, {0x2A63, 1, false}, {0x2C76, 4, true},
        {0x2C79, 0, true},  {0x2C79, 5, false}, {0x2E75, 3, true},  {0x2E7B, 3, true},
        {0x2E7C, 3, false}, {0x2E75, 8, false}, {0x2846, 0, true},  {0x284D, 4, true},
        {0x2845, 0, false}, {0x284E, 0, false}, {0x2F26, 0, false}, {0x2821, 9, false},
        {0x2F21, 9, true},  {0x2F25, 0, true},  {0x0000, 9, true},  {0x2772, 9, true},
        {0x2F27, 9, true},  {0x2F7E, 0, true},  {0x2F7E, 9, true},
        // No character at all: no Shift_JIS form.
        {0x0041, 9, true},  {0x7F7F, 3, true},  {0x2180, 9, true},  {0x7E7F, 9, true},
    };
    // clang-format on
    for (const Row& row : rows) {
        CharCode c = row.code;
        EXPECT_EQ(sanitiseCodes(std::span(&c, 1), row.model), row.replaced ? 1 : 0)
            << std::hex << row.code << " model " << std::dec << row.model;
        EXPECT_EQ(c, row.replaced ? 0x2121 : row.code);
    }
    CodeList line = {0x2341, 0x2C70, 0x2F26, 0x7427, 0x2C70};
    EXPECT_EQ(sanitiseCodes(line, 0), 3);
    EXPECT_EQ(line, (CodeList{0x2341, 0x2121, 0x2F26, 0x2121, 0x2121}));
}

TEST(TextConversion, SetLineFromTextReplacesTheLine) {
    EditData data;
    EXPECT_EQ(setLineFromText(data, 2, 2, "A\xB1", false), 1);
    EXPECT_EQ(data.line(2, 2).chars, (CodeList{0x2341, 0x2121}));
    EXPECT_EQ(data.block(2).lineCount, 3);

    EXPECT_EQ(setLineFromText(data, 2, 0, "\"0x2F26\"", true), 0);
    EXPECT_EQ(data.line(2, 0).chars, (CodeList{0x2F26}));
    EXPECT_EQ(data.block(2).lineCount, 3); // never lowered

    EXPECT_EQ(setLineFromText(data, 2, 2, "", false), 0);
    EXPECT_TRUE(data.line(2, 2).chars.empty());
    EXPECT_EQ(data.block(2).lineCount, 3);

    EXPECT_EQ(setLineFromText(data, 5, 3, "x\"0x2F22\"", true), 1);
    EXPECT_EQ(data.line(5, 3).chars, (CodeList{0x2378, 0x2121}));
    EXPECT_EQ(data.block(5).lineCount, 4);

    const EditData before = data;
    EXPECT_EQ(setLineFromText(data, -1, 0, "\xB1", false), 0);
    EXPECT_EQ(setLineFromText(data, MaxBlocks, 0, "\xB1", false), 0);
    EXPECT_EQ(setLineFromText(data, 0, MaxLines, "\xB1", false), 0);
    EXPECT_EQ(setLineFromText(data, 0, -1, "\xB1", false), 0);
    EXPECT_TRUE(data.blocks == before.blocks);
}

TEST(TextConversion, NarrowAndWidenPrintableAscii) {
    EXPECT_EQ(narrowText("\x82\x60\x82\x61\x82\x50"), "AB1");
    EXPECT_EQ(narrowText("\x88\x9F\x41\x81\x40\x81\x68\x81\x8F"), "\x88\x9F\x41 \"\\");
    EXPECT_EQ(widenText("012"), "\x82\x4F\x82\x50\x82\x51");
    EXPECT_EQ(narrowText(widenText("012")), "012");
    EXPECT_EQ(widenText(" \xB1\x82\x60\x88\x9F"), "\x81\x40\xB1\x82\x60\x88\x9F");
    EXPECT_EQ(widenText("\x81"), "\x81");
    EXPECT_EQ(narrowText("\x82"), "\x82");
    std::string ascii;
    for (char c = 0x20; c <= 0x7E; ++c)
        ascii.push_back(c);
    const std::string wide = widenText(ascii);
    EXPECT_EQ(wide.size(), 2 * ascii.size());
    EXPECT_EQ(narrowText(wide), ascii);
    EXPECT_EQ(textToCodes(wide, false), textToCodes(ascii, false));
}

TEST(TextConversion, Utf8RouteAcceptsInputMethodVariants) {
    struct Row {
        const char* utf8;
        CharCode code;
    };
    const Row rows[] = {
        {"\u301C", 0x2141}, {"\uFF5E", 0x2141}, {"\u2212", 0x215D}, {"\uFF0D", 0x215D},
        {"\u2016", 0x2142}, {"\u2225", 0x2142}, {"\u2014", 0x213D}, {"\u2015", 0x213D},
        {"\u00A2", 0x2171}, {"\uFFE0", 0x2171}, {"\u00A3", 0x2172}, {"\uFFE1", 0x2172},
        {"\u00AC", 0x224C}, {"\uFFE2", 0x224C}, {"\u3042", 0x2422}, {"\u4E9C", 0x3021},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.utf8);
        EXPECT_EQ(utf8ToCodes(row.utf8, false), (TextToCodesResult{{row.code}, 0}));
        EXPECT_EQ(utf8ToSjis(row.utf8), codeToText(row.code));
    }
}

TEST(TextConversion, Utf8RouteCountsEveryBadCharacterOnce) {
    // clang-format off
    const std::vector<TextRow> rows = {
        {"A1", false, {0x2341, 0x2331}, 0},
        {"\"0x2A21\"\"\"", true, {0x2A21, 0x2149}, 0},
        {"\u00E9\U0001F600\uFF71", false, {0x2121, 0x2121, 0x2121}, 3}, // no form, no form, half-width
        {"\xC3", false, {0x2121}, 1},
        {"\xE3\x81" "A", false, {0x2121, 0x2341}, 1},
        {"\xC0\x80", false, {0x2121, 0x2121}, 2},
        {"\xED\xA0\x80", false, {0x2121, 0x2121, 0x2121}, 3},
        {"\xF4\x90\x80\x80", false, {0x2121, 0x2121, 0x2121, 0x2121}, 4},
        {"\"0x2A\xC3" "21\"", true,
         {0x2149, 0x2330, 0x2378, 0x2332, 0x2341, 0x2121, 0x2332, 0x2331, 0x2149}, 1},
        {"\xE3\x81\x82\0\xE3\x81\x82"s, false, {0x2422}, 0},
    };
    // clang-format on
    for (const TextRow& row : rows) {
        SCOPED_TRACE(testing::PrintToString(row.text));
        EXPECT_EQ(utf8ToCodes(row.text, row.tokens), (TextToCodesResult{row.codes, row.replaced}));
    }
    EXPECT_EQ(codesToUtf8(CodeList{0x2341, 0x2F26, 0x3021}, false), "\uFF21\"0x2F26\"\u4E9C");
    EXPECT_EQ(sjisToUtf8("\x82\xA0\xB1\x87\x40\x5C"), "\u3042\uFF71\u2460\\");
    EXPECT_EQ(sjisToUtf8("\x81 \xA0\x81"), "\uFFFD \uFFFD\uFFFD");
    EXPECT_EQ(sjisToUtf8("a\0b"s), "a\0b"s);
    EXPECT_EQ(utf8ToSjis("\u3042A"), "\x82\xA0"
                                     "A");
    EXPECT_EQ(utf8ToSjis("\u00E9"), std::nullopt);
    EXPECT_EQ(utf8ToSjis("\xC3"), std::nullopt);
}

#ifdef QX_TEST_HAS_ICONV
namespace {
std::optional<std::string> iconvConvert(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string input = in;
    std::array<char, 16> out{};
    char* inPtr = input.data();
    char* outPtr = out.data();
    std::size_t inLeft = input.size(), outLeft = out.size();
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return std::string(out.data(), static_cast<std::size_t>(outPtr - out.data()));
}
} // namespace

// The system's iconv is the reference for both the generated table and the JIS arithmetic (EUC-JP
// bytes are the JIS code with the high bits set).
TEST(TextConversion, AgreesWithTheSystemCodePage) {
    int jisChecked = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!isLead(lead) || !isTrail(trail))
                continue;
            const unsigned sjis = lead << 8 | trail;
            const std::string pair = pairText(sjis);
            const auto utf8 = iconvConvert("UTF-8", "CP932", pair);
            ASSERT_EQ(sjisToUtf8(pair), utf8.value_or("\xEF\xBF\xBD")) << std::hex << sjis;
            const auto euc = iconvConvert("EUC-JP-MS", "CP932", pair);
            if (euc && euc->size() == 2 && static_cast<unsigned char>((*euc)[0]) >= 0xA1) {
                const unsigned jis =
                    (static_cast<unsigned char>((*euc)[0]) << 8 | static_cast<unsigned char>((*euc)[1])) &
                    0x7F7F;
                if (jis != sjisToJis(static_cast<std::uint16_t>(sjis)))
                    continue; // a duplicate of the IBM extensions, written back at its canonical cell
                ASSERT_EQ(jisToSjis(static_cast<CharCode>(jis)), sjis);
                ++jisChecked;
            }
        }
    }
    EXPECT_GT(jisChecked, 6800);
}
#endif

TEST(TextConversion, ArbitraryBytesConvertSafely) {
    // Bytes that steer the walk into tokens, quote pairs, double-byte pairs and their ends.
    const std::string alphabet =
        "\"\"\"0xX2Fa9f\x81\x9F\xE0\xFC\xFD\x40\x7F\x80\xA0\xB1\xC3\xE3\xED\xF4\xFF\0 A"s;
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> length(0, 24), pick(0, alphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        // An exact-size heap buffer, so that a read past the end is caught by the address sanitizer.
        std::vector<char> bytes(length(random));
        for (char& b : bytes)
            b = alphabet[pick(random)];
        const std::string_view text(bytes.data(), bytes.size());
        for (const bool tokens : {false, true}) {
            for (const TextToCodesResult& r : {textToCodes(text, tokens), utf8ToCodes(text, tokens)}) {
                ASSERT_LE(r.codes.size(), text.size());
                ASSERT_LE(r.replaced, static_cast<int>(r.codes.size()));
                for (const CharCode c : r.codes)
                    ASSERT_TRUE(c != 0 && !isStreamMarker(c)) << testing::PrintToString(std::string(text));
            }
        }
        const std::string utf8 = sjisToUtf8(text);
        ASSERT_TRUE(utf8ToSjis(utf8).has_value() || utf8.find("\uFFFD") != std::string::npos);
        (void)narrowText(text);
        (void)widenText(text);
        (void)utf8ToSjis(text);
    }
}
