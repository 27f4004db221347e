#include "WorkbookBytes.h"
#include "wirelist/TableReader.h"

#include <gtest/gtest.h>

using namespace qx::wirelist;
using qx::wirelist::testing::dumpTable;

namespace {

std::string utf16le(std::u16string_view text, bool mark) {
    std::string out = mark ? "\xFF\xFE" : "";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c & 0xFF));
        out.push_back(static_cast<char>(c >> 8));
    }
    return out;
}

std::string utf16be(std::u16string_view text) {
    std::string out = "\xFE\xFF";
    for (char16_t c : text) {
        out.push_back(static_cast<char>(c >> 8));
        out.push_back(static_cast<char>(c & 0xFF));
    }
    return out;
}

} // namespace

TEST(TextTable, FindsEncodingAndSeparator) {
    struct Row {
        const char* what;
        std::string bytes;
        const char* encoding;
        char separator;
        const char* firstCell; // UTF-8
    };
    const Row rows[] = {
        {"UTF-8 with mark", "\xEF\xBB\xBF線番;接続元\n1;X1\n", "UTF-8", ';', "線番"},
        {"UTF-8 without mark", "線番\t接続元\n1\tX1\n", "UTF-8", '\t', "線番"},
        {"plain ASCII", "a|b|c\n1|2|3\n", "UTF-8", '|', "a"},
        {"UTF-16LE with mark", utf16le(u"線番,接続元\r\n1,X1\r\n", true), "UTF-16LE", ',', "線番"},
        {"UTF-16BE with mark", utf16be(u"線番;接続元\n"), "UTF-16BE", ';', "線番"},
        {"UTF-16LE without mark", utf16le(u"Wire,From\n1,X1\n", false), "UTF-16LE", ',', "Wire"},
        // 線番,接続元 in code page 932: kanji whose second bytes are ASCII letters and signs
        {"code page 932", "\x90\xFC\x94\xD4,\x90\xDA\x91\xB1\x8C\xB3\r\n", "CP932", ',', "線番"},
        {"half-width katakana", "\xB9\xB0\xCC\xDE\xD9;1\r\n", "CP932", ';', "ｹｰﾌﾞﾙ"},
        // Müller;Straße;1,5 mm² in code page 1252: ü followed by a letter would be an unmapped pair
        {"code page 1252",
         "M\xFCller;Stra\xDF"
         "e;1,5 mm\xB2\r\n",
         "CP1252", ';', "Müller"},
        {"code page 1252 accents", "Caf\xE9,na\xEFve,\x93quoted\x94\n", "CP1252", ',', "Café"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TableReadResult result = readTableBytes(row.bytes);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.table.encoding, row.encoding);
        EXPECT_EQ(result.table.separator, row.separator);
        ASSERT_EQ(result.table.sheets.size(), 1u);
        ASSERT_FALSE(result.table.sheets[0].rows.empty());
        EXPECT_EQ(result.table.sheets[0].rows[0].at(0), row.firstCell);
    }
}

TEST(TextTable, ReadsFieldsAsSpreadsheetsWriteThem) {
    struct Row {
        const char* what;
        const char* text;
        const char* table; // dumpTable without the encoding lines
    };
    const Row rows[] = {
        {"quoted separators, doubled quotes and line breaks",
         "a,\"b,1\",\"say \"\"hi\"\"\"\r\n\"two\r\nlines\",x\r\n",
         "1\ta\tb,1\tsay \"hi\"\n2\ttwo\\nlines\tx\n"},
        {"empty rows inside stay, trailing empty cells and rows go", "a,,b,,\n\n,,\nc\n\n\n",
         "1\ta\t\tb\n2\n3\n4\tc\n"},
        {"lone CR line ends", "a;b\rc;d\r", "1\ta\tb\n2\tc\td\n"},
        {"a formula text keeps its leading zeros", "=\"0012\",=\"00\"\"7\",=1\n", "1\t0012\t00\"7\t=1\n"},
        {"text after a closing quote is kept", "\"ab\"cd,e\n", "1\tabcd\te\n"},
        {"a quote left open takes the rest", "a,\"b\nc", "1\ta\tb\\nc\n"},
        {"no line break at the end", "x,y", "1\tx\ty\n"},
        {"sep line names the separator and is dropped", "sep=|\na|b;c\n", "1\ta\tb;c\n"},
        {"a lead-in line does not sway the separator", "Liste 1, Stand 2024\nA;B;C\n1;2;3\n4;5;6\n",
         "1\tListe 1, Stand 2024\n2\tA\tB\tC\n3\t1\t2\t3\n4\t4\t5\t6\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TableReadResult result = readTableBytes(row.text);
        ASSERT_TRUE(result.ok) << result.message;
        std::string dump = dumpTable(result.table);
        dump = dump.substr(dump.find("sheet: \n") + 8);
        EXPECT_EQ(dump, row.table);
    }
}

TEST(TextTable, ChosenEncodingAndSeparatorWin) {
    // Code page 1252 bytes read as the operator says; the sep line is dropped all the same.
    const std::string bytes = "sep=;\nM\xFCller;a,b\n";
    TextReadOptions options;
    options.encoding = "shift_jis";
    options.separator = ',';
    const TableReadResult result = readTableBytes(bytes, options);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.table.encoding, "CP932");
    EXPECT_EQ(result.table.separator, ',');
    ASSERT_EQ(result.table.sheets[0].rows.size(), 1u);
    EXPECT_EQ(result.table.sheets[0].rows[0].size(), 2u);
    EXPECT_EQ(result.table.sheets[0].rows[0][1], "b");

    options.encoding = "UTF-16LE";
    options.separator = 0;
    const TableReadResult utf16 = readTableBytes(utf16le(u"a\tb\n", true), options);
    ASSERT_TRUE(utf16.ok);
    EXPECT_EQ(utf16.table.sheets[0].rows[0].at(0), "a"); // the mark is not part of the first cell

    options.encoding = "UTF-8";
    const TableReadResult broken = readTableBytes("a\xFF"
                                                  "b\n",
                                                  options);
    ASSERT_TRUE(broken.ok);
    EXPECT_EQ(broken.table.sheets[0].rows[0].at(0), "a\uFFFDb");
}

TEST(TextTable, UnknownChoicesAreRefused) {
    TextReadOptions options;
    options.encoding = "EBCDIC";
    TableReadResult result = readTableBytes("a,b\n", options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messageId, 43211);
    EXPECT_NE(result.message.find("EBCDIC"), std::string::npos);

    options.encoding.clear();
    options.separator = 'x';
    result = readTableBytes("a,b\n", options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messageId, 43212);
    EXPECT_NE(result.message.find("「x」"), std::string::npos);
}
