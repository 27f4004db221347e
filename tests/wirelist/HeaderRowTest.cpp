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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findHeaderRow(Sheet{"S", c.rows}), c.header);
    }
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
