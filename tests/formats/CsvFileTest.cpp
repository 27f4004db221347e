#include "formats/CsvFile.h"
#include "formats/CsvMerge.h"

#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <clocale>

#include <string>
#include <vector>

namespace qx::formats {
namespace {

using model::CharCode;
using Rows = std::vector<CsvRow>;

Rows readAll(std::string_view text) {
    CsvReader reader(text);
    Rows rows;
    while (std::optional<CsvRow> row = reader.nextRow()) {
        rows.push_back(*row);
    }
    return rows;
}

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct ReaderCase {
    const char* name;
    std::string text;
    Rows rows;
};

class CsvReaderRows : public testing::TestWithParam<ReaderCase> {};

TEST_P(CsvReaderRows, SplitsAsWritten) {
    EXPECT_EQ(readAll(GetParam().text), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    CsvReader, CsvReaderRows,
    testing::Values(
        ReaderCase{"SixFields", "A,B,C,D,3,12.5\r\n", {{"A", "B", "C", "D", "3", "12.5"}}},
        ReaderCase{"FinalLineEndAddsNoRow", "A\r\nB\r\n", {{"A"}, {"B"}}},
        ReaderCase{"LastRowWithoutLineEnd", "A\r\nB", {{"A"}, {"B"}}},
        ReaderCase{"EmptyLineIsOneEmptyField", "A\r\n\r\nB\r\n", {{"A"}, {""}, {"B"}}},
        ReaderCase{"EmptyFileHasNoRows", "", {}}, ReaderCase{"LoneCarriageReturnIsNoRow", "\r", {}},
        ReaderCase{"TrailingCommaGivesEmptyField", "A,", {{"A", ""}}},
        ReaderCase{"BareLineFeeds", "A,B\nC\n", {{"A", "B"}, {"C"}}},
        ReaderCase{"QuotedCommaStaysInField", "\"a,b\",c\r\n", {{"a,b", "c"}}},
        ReaderCase{"DoubledQuotesBecomeOne", "\"say \"\"hi\"\"\",x\r\n", {{"say \"hi\"", "x"}}},
        ReaderCase{"LineFeedInsideQuotesIsRemoved", "\"a\r\nb\",c\r\nd\r\n", {{"ab", "c"}, {"d"}}},
        ReaderCase{"QuoteInsideUnquotedFieldStays", "a\"b,c\"d\r\n", {{"a\"b,c\"d"}}},
        ReaderCase{"LoneQuoteIsNoQuoting", "\"\r\n", {{"\"\n"}}},
        ReaderCase{"ZeroByteEndsTheText", std::string("A,B\r\nC\0D\r\nE\r\n", 13), {{"A", "B"}, {"C"}}},
        ReaderCase{
            "ShiftJisTrailBytesAreNotDelimiters", "\x83\x5c,\x8e\x9a\r\n", {{"\x83\x5c", "\x8e\x9a"}}}),
    [](const testing::TestParamInfo<ReaderCase>& p) { return std::string(p.param.name); });

TEST(CsvReader, UnterminatedQuoteRunsToTheEnd) {
    // Nothing is lost: the open field takes the rest of the text, less its carriage returns.
    CsvReader reader(std::string_view("\"abc,def\r\nghi"));
    const std::optional<CsvRow> row = reader.nextRow();
    ASSERT_TRUE(row);
    EXPECT_EQ((*row)[0], "\"abc,def\nghi");
    EXPECT_FALSE(reader.nextRow());
}

TEST(CsvField, QuotingRoundTrip) {
    for (const std::string& field :
         std::initializer_list<std::string>{"plain", "a,b", "say \"hi\"", "\"", "", "x\ny"}) {
        const std::string quoted = quoteCsvField(field);
        std::string expectedRead = field;
        std::erase(expectedRead, '\n'); // a line feed inside a field does not survive reading
        EXPECT_EQ(readAll(quoted + "\r\n"), (Rows{{expectedRead}})) << quoted;
    }
    EXPECT_EQ(quoteCsvField("a,\"b\""), "\"a,\"\"b\"\"\"");
    EXPECT_EQ(quoteCsvField("ab"), "ab");
}

struct EncodingCase {
    const char* name;
    std::string bytes;
    CsvEncoding expected;
};

class CsvEncodingDetection : public testing::TestWithParam<EncodingCase> {};

TEST_P(CsvEncodingDetection, Detects) {
    EXPECT_EQ(detectCsvEncoding(bytesOf(GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    CsvFile, CsvEncodingDetection,
    testing::Values(EncodingCase{"PlainAsciiIsShiftJis", "A,B\r\n", CsvEncoding::ShiftJis},
                    EncodingCase{"ShiftJisKanji", "\x8a\xbf\x8e\x9a\r\n", CsvEncoding::ShiftJis},
                    // 漢字 in UTF-8: as Shift_JIS, E6 BC and E5 AD are pairs and A2 a single byte,
                    // but 97 is a lead byte followed by a carriage return.
                    EncodingCase{"Utf8Kanji", "\xe6\xbc\xa2\xe5\xad\x97\r\n", CsvEncoding::Utf8},
                    EncodingCase{"MarkWinsOverAscii",
                                 "\xef\xbb\xbf"
                                 "A\r\n",
                                 CsvEncoding::Utf8},
                    EncodingCase{"MarkWinsOverBrokenUtf8", "\xef\xbb\xbf\x82\xa0\r\n", CsvEncoding::Utf8},
                    // 0xE3 0x81 0x82 (あ in UTF-8) is also well-formed Shift_JIS: E3 81 then 82 needs
                    // a trail byte, which the line end is not.
                    EncodingCase{"Utf8Hiragana", "\xe3\x81\x82\r\n", CsvEncoding::Utf8},
                    // é in UTF-8 is also two half-width katakana in Shift_JIS: Shift_JIS wins.
                    EncodingCase{"AmbiguousIsShiftJis", "caf\xc3\xa9\r\n", CsvEncoding::ShiftJis},
                    EncodingCase{"NeitherIsShiftJis", "\xff\xfe", CsvEncoding::ShiftJis},
                    EncodingCase{"BytesAfterZeroIgnored", std::string("A\0\xe3\x81\x82\r\n", 6),
                                 CsvEncoding::ShiftJis}),
    [](const testing::TestParamInfo<EncodingCase>& p) { return std::string(p.param.name); });

TEST(CsvFile, Utf8Validation) {
    EXPECT_TRUE(isValidUtf8(bytesOf("\xf0\x9f\x98\x80")));  // U+1F600
    EXPECT_FALSE(isValidUtf8(bytesOf("\xc0\xaf")));         // overlong '/'
    EXPECT_FALSE(isValidUtf8(bytesOf("\xed\xa0\x80")));     // surrogate
    EXPECT_FALSE(isValidUtf8(bytesOf("\xf4\x90\x80\x80"))); // past U+10FFFF
    EXPECT_FALSE(isValidUtf8(bytesOf("\xe3\x81")));         // cut short
    EXPECT_TRUE(isValidShiftJis(bytesOf("\xb1\x81\x40")));  // half-width katakana, full-width blank
    EXPECT_FALSE(isValidShiftJis(bytesOf("\x81\x7f")));     // 0x7F is no trail byte
    EXPECT_FALSE(isValidShiftJis(bytesOf("\x81")));
}

// ---- Writing ------------------------------------------------------------------------------

class CsvWriting : public testing::Test {
protected:
    model::Catalogue catalogue{model::models::QX950W3};
    model::EditData data = model::createEditData(catalogue, 1);

    void setLine(int block, int line, std::initializer_list<CharCode> codes) {
        data.line(block, line).chars = codes;
        data.block(block).lineCount =
            std::max<std::int8_t>(data.block(block).lineCount, static_cast<std::int8_t>(line + 1));
    }
};

TEST_F(CsvWriting, WritesTextCountAndPitch) {
    setLine(0, 0, {0x2341, 0x2342}); // ＡＢ
    setLine(0, 1, {0x2421});         // ぁ
    data.block(0).count = 3;
    data.block(0).pitch = 125;
    EXPECT_EQ(writeCsv(data, catalogue.model()), "AB,\x82\x9f,,,3,12.5\r\n");
}

TEST_F(CsvWriting, SymbolsBecomeBlanksAndBlanksNarrow) {
    setLine(0, 0, {0x2341, 0x2A21, 0x2121, 0x3021}); // Ａ, a symbol, a full-width blank, 亜
    EXPECT_EQ(writeCsv(data, catalogue.model()), "A  \x88\x9f,,,,2,20.0\r\n");
}

TEST_F(CsvWriting, QuotesFieldsWithCommasAndQuotes) {
    setLine(0, 0, {0x2341, 0x2124, 0x2342}); // Ａ，Ｂ narrows to A,B
    setLine(0, 1, {0x2149, 0x2341});         // ”Ａ narrows to "A
    const std::string csv = writeCsv(data, catalogue.model());
    EXPECT_EQ(csv, "\"A,B\",\"\"\"A\",,,2,20.0\r\n");
    EXPECT_EQ(readAll(csv), (Rows{{"A,B", "\"A", "", "", "2", "20.0"}}));
}

TEST_F(CsvWriting, OneRowPerPieceOfTheShortestSequence) {
    // Two definitions of 5 and 3 values: three rows, values 4 and 5 of the first never appear.
    setLine(0, 0, {0x2341, model::codes::SequenceMarker});
    setLine(0, 1, {model::codes::SequenceMarker, 0x2342});
    model::tagSEQ_V900 first;
    first.start = 1;
    first.end = 5;
    model::tagSEQ_V900 second;
    second.digits = 2;
    second.start = 1;
    second.end = 3;
    data.block(0).appendSequence(first);
    data.block(0).appendSequence(second);
    EXPECT_EQ(writeCsv(data, catalogue.model()), "A1,01B,,,2,20.0\r\n"
                                                 "A2,02B,,,2,20.0\r\n"
                                                 "A3,03B,,,2,20.0\r\n");
}

TEST_F(CsvWriting, BlocksInOrderAndOnlyThoseInUse) {
    setLine(0, 0, {0x2341});
    setLine(1, 0, {0x2342});
    setLine(2, 0, {0x2343}); // beyond blockCount
    data.blockCount = 2;
    data.block(1).pitch = 5;
    EXPECT_EQ(writeCsv(data, catalogue.model()), "A,,,,2,20.0\r\nB,,,,2,0.5\r\n");
}

TEST_F(CsvWriting, LinesBeyondLineCountAreNotWritten) {
    setLine(0, 0, {0x2341});
    data.line(0, 2).chars = {0x2343};
    data.block(0).lineCount = 1;
    EXPECT_EQ(writeCsv(data, catalogue.model()), "A,,,,2,20.0\r\n");
}

/// Runs the test under a numeric locale whose decimal separator is a comma, as a desktop session
/// with a German, French or Russian language sets it for the whole process.
class CsvUnderCommaLocale : public CsvWriting {
protected:
    void SetUp() override {
        m_saved = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
            GTEST_SKIP() << "the locale de_DE.UTF-8 is not available (scripts/install-deps generates it)";
        }
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, m_saved.c_str()); }

private:
    std::string m_saved;
};

TEST_F(CsvUnderCommaLocale, PitchIsWrittenAndReadWithAPoint) {
    setLine(0, 0, {0x2341});
    data.block(0).pitch = 125;
    data.block(1).pitch = 3333;
    setLine(1, 0, {0x2342});
    data.blockCount = 2;
    const std::string csv = writeCsv(data, catalogue.model());
    EXPECT_EQ(csv, "A,,,,2,12.5\r\nB,,,,2,333.3\r\n");

    const MergeResult read = mergeCsv(model::createEditData(catalogue, 1), bytesOf(csv), -1, catalogue,
                                      model::OperatorSettings::defaultsFor(catalogue));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.data.block(0).pitch, 125);
}

} // namespace
} // namespace qx::formats
