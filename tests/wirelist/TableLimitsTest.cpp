// Each limit read at its bound and one past it, for text files and workbooks alike.

#include "WorkbookBytes.h"
#include "wirelist/TableReader.h"

#include <gtest/gtest.h>

#include <functional>

using namespace qx::wirelist;
using namespace qx::wirelist::testing;

namespace {

// 3 rows of 4 columns, the longest cell 6 bytes: 12 cells.
const std::string Csv = "a,b,c,d\n1,2,3,4\nx,y,z,longer\n";

std::string xlsxOf(const std::string& csvLike) {
    std::string rows;
    std::size_t start = 0;
    while (start < csvLike.size()) {
        const std::size_t end = csvLike.find('\n', start);
        rows += "<row>";
        std::size_t cellStart = start;
        while (cellStart <= end) {
            const std::size_t cellEnd = std::min(csvLike.find(',', cellStart), end);
            rows += "<c t=\"inlineStr\"><is><t>" + csvLike.substr(cellStart, cellEnd - cellStart) +
                    "</t></is></c>";
            cellStart = cellEnd + 1;
        }
        rows += "</row>";
        start = end + 1;
    }
    return makeZip(minimalXlsx({worksheet(rows)}));
}

std::string odsOf(const std::string& csvLike) {
    std::string rows;
    std::size_t start = 0;
    while (start < csvLike.size()) {
        const std::size_t end = csvLike.find('\n', start);
        rows += "<table:table-row>";
        std::size_t cellStart = start;
        while (cellStart <= end) {
            const std::size_t cellEnd = std::min(csvLike.find(',', cellStart), end);
            rows += "<table:table-cell><text:p>" + csvLike.substr(cellStart, cellEnd - cellStart) +
                    "</text:p></table:table-cell>";
            cellStart = cellEnd + 1;
        }
        rows += "</table:table-row>";
        start = end + 1;
    }
    return makeZip(minimalOds("<table:table table:name=\"S\">" + rows + "</table:table>"));
}

struct Limit {
    const char* name;
    std::function<void(TableLimits&, std::size_t)> set;
    std::size_t bound; // the smallest value that still reads the table
    int messageId;     // past it
    const char* place; // a piece of the message past it
};

} // namespace

TEST(TableLimits, EachLimitHoldsAtItsBoundAndRefusesOnePast) {
    const std::string csv = Csv;
    const std::string xlsx = xlsxOf(Csv);
    const std::string ods = odsOf(Csv);
    struct Format {
        const char* name;
        const std::string& bytes;
        const char* lastCell;
        std::size_t xmlDepth;
    };
    // XLSX's deepest element is worksheet/sheetData/row/c/is/t; ODS's is document-content/body/
    // spreadsheet/table/table-row/table-cell/p.
    const Format formats[] = {{"csv", csv, "3 行目", 0},
                              {"xlsx", xlsx, "シート「Sheet1」 3 行目", 6},
                              {"ods", ods, "シート「S」 3 行目", 7}};
    for (const Format& format : formats) {
        const Limit limits[] = {
            {"rows", [](TableLimits& l, std::size_t v) { l.maxRows = v; }, 3, 43205, format.lastCell},
            {"columns", [](TableLimits& l, std::size_t v) { l.maxColumns = v; }, 4, 43206, "1 行目"},
            {"cell bytes", [](TableLimits& l, std::size_t v) { l.maxCellBytes = v; }, 6, 43207, "3 行目"},
            {"cells", [](TableLimits& l, std::size_t v) { l.maxCells = v; }, 12, 43210, "3 行目"},
            {"unpacked bytes", [](TableLimits& l, std::size_t v) { l.maxUnpackedBytes = v; },
             format.xmlDepth == 0 ? csv.size() : 0, 43204, "バイト"},
            {"xml depth", [](TableLimits& l, std::size_t v) { l.maxXmlDepth = v; }, format.xmlDepth, 43208,
             ".xml"},
            {"sheets", [](TableLimits& l, std::size_t v) { l.maxSheets = v; }, format.xmlDepth == 0 ? 0u : 1u,
             43214, "0 シート"},
        };
        for (const Limit& limit : limits) {
            if (limit.bound == 0) {
                continue; // a workbook's unpacked size is probed by searching below
            }
            SCOPED_TRACE(std::string(format.name) + ": " + limit.name);
            TableLimits at;
            limit.set(at, limit.bound);
            const TableReadResult fits = readTableBytes(format.bytes, {}, at);
            EXPECT_TRUE(fits.ok) << fits.message;
            TableLimits past;
            limit.set(past, limit.bound - 1);
            const TableReadResult refused = readTableBytes(format.bytes, {}, past);
            EXPECT_FALSE(refused.ok);
            EXPECT_EQ(refused.messageId, limit.messageId) << refused.message;
            EXPECT_NE(refused.message.find(limit.place), std::string::npos) << refused.message;
        }
        if (format.xmlDepth == 0) {
            continue;
        }
        // The unpacked size of a workbook is the sum of its parts: the smallest limit that reads it
        // is found by halving, and one byte less is refused with the size in the message.
        std::size_t low = 1;
        std::size_t high = 1u << 20;
        while (low < high) {
            TableLimits l;
            l.maxUnpackedBytes = (low + high) / 2;
            if (readTableBytes(format.bytes, {}, l).ok) {
                high = l.maxUnpackedBytes;
            } else {
                low = l.maxUnpackedBytes + 1;
            }
        }
        TableLimits past;
        past.maxUnpackedBytes = low - 1;
        const TableReadResult refused = readTableBytes(format.bytes, {}, past);
        EXPECT_EQ(refused.messageId, 43204) << format.name;
        EXPECT_NE(refused.message.find(std::to_string(low - 1) + " バイト"), std::string::npos)
            << refused.message;
    }
}

TEST(TableLimits, RepeatsAndMergesCannotMultiplyAFileIntoMillionsOfCells) {
    struct Row {
        const char* what;
        std::string bytes;
        int messageId;
    };
    const Row rows[] = {
        {"a written row repeated past the row limit",
         makeZip(minimalOds(
             "<table:table table:name=\"S\"><table:table-row table:number-rows-repeated=\"200000\">"
             "<table:table-cell><text:p>x</text:p></table:table-cell></table:table-row></table:table>")),
         43205},
        {"a written cell repeated past the column limit",
         makeZip(minimalOds("<table:table table:name=\"S\"><table:table-row><table:table-cell "
                            "table:number-columns-repeated=\"16384\"><text:p>x</text:p></table:table-cell>"
                            "</table:table-row></table:table>")),
         43206},
        {"a written block within both limits but past the cells",
         makeZip(
             minimalOds("<table:table table:name=\"S\"><table:table-row table:number-rows-repeated=\"1000\">"
                        "<table:table-cell table:number-columns-repeated=\"201\"><text:p>x</text:p>"
                        "</table:table-cell></table:table-row></table:table>")),
         43210},
        {"a repeat count beyond any number",
         makeZip(
             minimalOds("<table:table table:name=\"S\"><table:table-row table:number-rows-repeated="
                        "\"99999999999999999999999\"><table:table-cell><text:p>x</text:p></table:table-cell>"
                        "</table:table-row></table:table>")),
         43205},
        {"one merged area stacked many times",
         makeZip(minimalXlsx({worksheet(
             "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>"
             "<row r=\"100\"><c r=\"CV100\" t=\"inlineStr\"><is><t>y</t></is></c></row>",
             "<mergeCells>" +
                 [] {
                     std::string merges;
                     for (int i = 0; i < 300; ++i) {
                         merges += "<mergeCell ref=\"A1:CV100\"/>";
                     }
                     return merges;
                 }() +
                 "</mergeCells>")})),
         43210},
        {"a merged area across the whole sheet with a far cell",
         makeZip(minimalXlsx(
             {worksheet("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>x</t></is></c></row>"
                        "<row r=\"99999\"><c r=\"ALL99999\" t=\"inlineStr\"><is><t>y</t></is></c></row>",
                        "<mergeCells><mergeCell ref=\"A1:XFD1048576\"/></mergeCells>")})),
         43210},
    };
    // Fewer cells than the default, so that reaching the limit is quick; rows and columns as usual.
    TableLimits limits;
    limits.maxCells = 200000;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const TableReadResult result = readTableBytes(row.bytes, {}, limits);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.messageId, row.messageId) << result.message;
    }
}
