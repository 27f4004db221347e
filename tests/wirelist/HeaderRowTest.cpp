#include "wirelist/HeaderRow.h"

#include <gtest/gtest.h>

namespace qx::wirelist {
namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(HeaderRow, FoundBelowLeadInAndCommentRows) {
    const struct {
        const char* name;
        Rows rows;
        int header;
        std::vector<std::string> cells = {};
    } cases[] = {
        {"header first", {{"Wire", "From", "To"}, {"1", "A:1", "B:2"}}, 0},
        {"title, project and date before it",
         {{"Connection list"}, {"Project", "Plant north"}, {"Date", "2026-12-10"}, {},
          {"Wire", "From", "To"}, {"1", "A:1", "B:2"}},
         4},
        {"comment lines of a harness tool",
         {{"// Harness: H1"}, {"// Units: mm"}, {"#", "generated"}, {"RefDes1", "Pin1", "RefDes2", "Pin2"},
          {"J1", "1", "P2", "3"}},
         3},
        {"unknown words: the first row as wide as the table",
         {{"Liste"}, {"Kabel", "Ader", "Farbe", "Länge"}, {"K1", "1", "BK", "2,5"}},
         1},
        {"a row of numbers is no header", {{"1", "2", "3"}, {"4", "5", "6"}}, -1},
        {"repeated words are no header", {{"A", "A", "A"}, {"x", "y", "z"}}, 1},
        {"empty sheet", {}, -1},
        {"the same word twice where each end has its terminal",
         {{"線番", "接続元", "端子", "接続先", "端子", "色"}, {"0012", "X1", "1", "K1", "A1", "赤"}},
         0},
        {"two rows under merged cells",
         {{"配線表"},
          {"線番", "接続元", "接続元", "接続先", "接続先", "色"},
          {"線番", "機器", "端子", "機器", "端子"},
          {"0012", "X1", "1", "K1", "A1", "青"}},
         1,
         {"線番", "接続元 機器", "接続元 端子", "接続先 機器", "接続先 端子", "色"}},
        {"two rows, the wire number only in the upper one",
         {{"Wire", "From", "", "To", ""}, {"", "Device", "Pin", "Device", "Pin"}, {"1", "A", "2", "B", "3"}},
         0,
         {"Wire", "From Device", "From Pin", "To Device", "To Pin"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Header header = findHeader(Sheet{"S", c.rows});
        EXPECT_EQ(header.row, c.header);
        if (!c.cells.empty()) {
            EXPECT_EQ(header.rows, 2);
            EXPECT_EQ(header.cells, c.cells);
        } else if (c.header >= 0) {
            EXPECT_EQ(header.rows, 1);
        }
    }
}

TEST(HeaderRow, TheOperatorsRowIsTheHeaderWhateverItHolds) {
    const Sheet sheet{"S", {{"1", "2"}, {"Wire", "From", "To"}}};
    EXPECT_EQ(headerAt(sheet, 0).cells, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(headerAt(sheet, 1).rows, 1);
    EXPECT_EQ(headerAt(sheet, 2).row, -1);
    EXPECT_EQ(headerAt(sheet, -1).row, -1);
}

TEST(HeaderRow, CellsAndSignatures) {
    EXPECT_TRUE(isNumberLike("0012"));
    EXPECT_TRUE(isNumberLike("2,5"));
    EXPECT_TRUE(isNumberLike("2026/12/10"));
    EXPECT_FALSE(isNumberLike("X1"));
    EXPECT_FALSE(isNumberLike("-"));
    EXPECT_EQ(trimCell("\u3000 -K1\t\u3000"), "-K1");
    EXPECT_EQ(headerSignature(std::vector<std::string>{"", " Wire ", "From", "", " "}),
              (std::vector<std::string>{"", "Wire", "From"}));
    EXPECT_TRUE(isCommentRow(std::vector<std::string>{"", " // x"}));
    EXPECT_FALSE(isCommentRow(std::vector<std::string>{"W/1", "#2"}));
}

} // namespace
} // namespace qx::wirelist
