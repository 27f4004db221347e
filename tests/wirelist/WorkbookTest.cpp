// Workbooks written here part by part, for what the fixtures' programs never write (phonetic
// guides, inline strings, the 1904 date system) and for hostile containers.

#include "WorkbookBytes.h"
#include "wirelist/TableReader.h"

#include <gtest/gtest.h>

using namespace qx::wirelist;
using namespace qx::wirelist::testing;

namespace {

TableReadResult readParts(const std::vector<Part>& parts, const TableLimits& limits = {}) {
    return readTableBytes(makeZip(parts), {}, limits);
}

const std::string Styles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<numFmts><numFmt numFmtId=\"164\" formatCode=\"yyyy/mm/dd\"/></numFmts>"
    "<cellStyleXfs><xf numFmtId=\"49\"/></cellStyleXfs>" // not a cell format: must not shift the indexes
    "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"49\"/><xf numFmtId=\"164\"/><xf numFmtId=\"14\"/>"
    "<xf numFmtId=\"2\"/></cellXfs></styleSheet>";

} // namespace

TEST(Workbook, XlsxCellsShowAsTheSheetShowsThem) {
    const std::string strings =
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<si><t>接続元</t></si>"
        "<si><r><rPr><b/></rPr><t>端</t></r><r><t xml:space=\"preserve\">子 1</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>タン</t></rPh><rPh sb=\"1\" eb=\"2\"><t>シ</t></rPh></si>"
        "<si><t>line_x000D_\nbreak</t></si></sst>";
    const std::string sheet = worksheet(
        "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"C1\" t=\"s\"><v>1</v></c></row>"
        "<row r=\"2\"><c t=\"inlineStr\"><is><t>0012</t></is></c><c t=\"b\"><v>1</v></c><c "
        "t=\"e\"><v>#N/A</v></c>"
        "<c t=\"str\"><f>A1</f><v>X1</v></c><c t=\"s\"><v>2</v></c></row>"
        "<row r=\"4\"><c r=\"A4\" s=\"1\"><v>12</v></c><c r=\"B4\" s=\"2\"><v>45306</v></c>"
        "<c r=\"C4\" s=\"3\"><v>45306.75</v></c><c r=\"D4\" s=\"4\"><v>2.005</v></c>"
        "<c r=\"E4\"><v>2.5000000001</v></c><c r=\"F4\"><v>1E-3</v></c><c r=\"G4\"><v>99999</v></c></row>"
        "<row r=\"5\"><c r=\"A5\" s=\"7\"><v>3</v></c><c r=\"B5\" t=\"s\"><v>99</v></c>"
        "<c r=\"C5\" t=\"d\" s=\"2\"><v>2024-01-15T18:00:00</v></c><c r=\"D5\" "
        "t=\"d\"><v>1900-02-28</v></c></row>",
        "<mergeCells count=\"2\"><mergeCell ref=\"A1:B1\"/><mergeCell ref=\"G4:G9\"/></mergeCells>");
    const TableReadResult result = readParts(minimalXlsx({sheet}, strings, Styles));
    ASSERT_TRUE(result.ok) << result.message;
    // The merged areas fill as far as the sheet has rows: G4:G9 ends with row 5.
    EXPECT_EQ(dumpTable(result.table), "sheet: Sheet1\n"
                                       "1\t接続元\t接続元\t端子 1\n"
                                       "2\t0012\tTRUE\t#N/A\tX1\tline\\nbreak\n"
                                       "3\n"
                                       "4\t12\t2024/01/15\t2024/1/15\t2.01\t2.5\t0.001\t99999\n"
                                       "5\t3\t\t2024/01/15\t1900-02-28\t\t\t99999\n");
}

TEST(Workbook, XlsxSheetsComeInWorkbookOrderWithTheirDateSystem) {
    std::vector<Part> parts = minimalXlsx(
        {worksheet("<row><c s=\"1\"><v>0</v></c><c s=\"1\"><v>45306</v></c></row>"),
         worksheet("<row><c><v>7</v></c></row>")},
        {}, "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>",
        "<workbookPr date1904=\"1\"/>");
    // The workbook lists the second part first, under its own names.
    for (Part& part : parts) {
        if (part.name == "xl/workbook.xml") {
            const std::size_t at = part.bytes.find("<sheets>") + 8;
            part.bytes = part.bytes.substr(0, at) + "<sheet name=\"先\" sheetId=\"9\" r:id=\"rId2\"/><sheet "
                                                    "name=\"後\" sheetId=\"3\" r:id=\"rId1\"/>"
                                                    "</sheets></workbook>";
        }
    }
    const TableReadResult result = readParts(parts);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(dumpTable(result.table), "sheet: 先\n1\t7\nsheet: 後\n1\t1904/1/1\t2028/1/16\n");
}

TEST(Workbook, OdsCellsShowTheirParagraphsAndRepeats) {
    const TableReadResult result = readParts(minimalOds(
        "<table:table table:name=\"線\">"
        "<table:table-row><table:table-cell table:number-columns-spanned=\"2\" office:value-type=\"string\">"
        "<text:p>接続元</text:p></table:table-cell><table:covered-table-cell><text:p>hidden</text:p>"
        "</table:covered-table-cell><table:table-cell office:value-type=\"float\" "
        "office:value=\"0.1\"/></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"2\"><table:table-cell "
        "table:number-columns-repeated=\"2\">"
        "<text:p>a<text:s "
        "text:c=\"3\"/>b<text:tab/>c</text:p><text:p><text:span>d</text:span><text:line-break/>e</text:p>"
        "<office:annotation><text:p>note</text:p></office:annotation></table:table-cell></table:table-row>"
        "<table:table-row table:number-rows-repeated=\"1048570\"><table:table-cell "
        "table:number-columns-repeated=\"16384\"/>"
        "</table:table-row></table:table>"
        "<table:table "
        "table:name=\"空\"><table:table-row><table:table-cell/></table:table-row></table:table>"));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(dumpTable(result.table), "sheet: 線\n"
                                       "1\t接続元\t接続元\t0.1\n"
                                       "2\ta   b\\tc\\nd\\ne\ta   b\\tc\\nd\\ne\n"
                                       "3\ta   b\\tc\\nd\\ne\ta   b\\tc\\nd\\ne\n"
                                       "sheet: 空\n");
}

TEST(Workbook, HostileAndForeignContainersAreRefused) {
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
        "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
        "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
        "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>&lol3;</t></is></c></row>"
        "</sheetData></worksheet>";
    std::string deep = "<worksheet><sheetData>";
    for (int i = 0; i < 300; ++i) {
        deep += "<x>";
    }
    std::string compoundFile = std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(512, '\0');
    std::string encryptedPackage = compoundFile;
    for (char c : std::string("EncryptedPackage")) {
        encryptedPackage += c;
        encryptedPackage += '\0';
    }
    std::string tornXml = worksheet("<row><c><v>1</v></c></row>");
    tornXml.resize(tornXml.size() - 20);

    struct Row {
        const char* what;
        std::string bytes;
        int messageId;
        const char* place; // a piece of the message, or ""
    };
    const Row rows[] = {
        {"billion laughs", makeZip(minimalXlsx({laughs})), 43209, "xl/worksheets/sheet1.xml 1 行目"},
        {"nesting past the limit", makeZip(minimalXlsx({deep})), 43208, "xl/worksheets/sheet1.xml"},
        {"a torn part", makeZip(minimalXlsx({tornXml})), 43203, "xl/worksheets/sheet1.xml 1 行目"},
        {"legacy binary workbook", compoundFile, 43200, "*.xlsx"},
        {"password-protected workbook", encryptedPackage, 43201, ""},
        {"a zip of something else", makeZip({{"readme.txt", "hello"}}), 43202, ""},
        {"a text document",
         makeZip({{"mimetype", "application/vnd.oasis.opendocument.text"}, {"content.xml", "<a/>"}}), 43202,
         ""},
        {"an empty zip", std::string("PK\x05\x06", 4) + std::string(18, '\0'), 43202, ""},
        {"a package without worksheets", makeZip(minimalXlsx({})), 43213, ""},
        {"a text document package",
         makeZip({{"_rels/.rels", "<Relationships><Relationship Id=\"r\" Type=\"x/officeDocument\" "
                                  "Target=\"word/document.xml\"/></Relationships>"},
                  {"word/document.xml", "<document><body/></document>"}}),
         43202, ""},
        {"a zip signature and nothing more", std::string("PK\x03\x04", 4) + std::string(40, 'x'), 43203, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TableReadResult result = readTableBytes(row.bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.messageId, row.messageId) << result.message;
        EXPECT_NE(result.message.find(row.place), std::string::npos) << result.message;
    }
}

TEST(Workbook, EncryptedPartsAreRefusedAsProtected) {
    std::string locked;
    try {
        locked = makeZip(minimalXlsx({worksheet("<row><c><v>1</v></c></row>")}), true, "secret");
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "this libzip writes no encrypted parts";
    }
    const TableReadResult result = readTableBytes(locked);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messageId, 43201) << result.message;
}

TEST(Workbook, ZipBombIsRefusedByWhatItInflates) {
    // 80 MB of blanks in a sheet deflate to some 80 KB; the default limit stops it at 64 MB.
    std::string sheet = worksheet("<row><c t=\"inlineStr\"><is><t>a</t></is></c></row>");
    sheet.insert(sheet.find("<sheetData>"), std::string(80u << 20, ' '));
    const std::string bomb = makeZip(minimalXlsx({sheet}));
    ASSERT_LT(bomb.size(), 1u << 20);
    const TableReadResult result = readTableBytes(bomb);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.messageId, 43204);
    EXPECT_NE(result.message.find("64 MB"), std::string::npos) << result.message;

    // The directory claims a small size; what is inflated counts, so lying does not help.
    std::string lying = bomb;
    for (std::size_t at = lying.find("PK\x03\x04"); at != std::string::npos;
         at = lying.find("PK\x03\x04", at + 4)) {
        if (lying.compare(at + 30, 24, "xl/worksheets/sheet1.xml") == 0) {
            lying[at + 22] = 100; // uncompressed size: 100 bytes
            lying[at + 23] = lying[at + 24] = lying[at + 25] = 0;
        }
    }
    for (std::size_t at = lying.find("PK\x01\x02"); at != std::string::npos;
         at = lying.find("PK\x01\x02", at + 4)) {
        if (lying.compare(at + 46, 24, "xl/worksheets/sheet1.xml") == 0) {
            lying[at + 24] = 100;
            lying[at + 25] = lying[at + 26] = lying[at + 27] = 0;
        }
    }
    const TableReadResult lied = readTableBytes(lying);
    EXPECT_FALSE(lied.ok);
    EXPECT_TRUE(lied.messageId == 43204 || lied.messageId == 43203) << lied.message;
}
