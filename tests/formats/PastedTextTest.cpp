#include "formats/PastedText.h"

#include <gtest/gtest.h>

#include <string>

namespace qx::formats {
namespace {

using Records = std::vector<std::vector<std::string>>;

TEST(PastedText, SplitsRecordsAndFields) {
    struct Case {
        std::string text;
        Records records;
    };
    const Case cases[] = {
        {"a\tb\tc\r\nd\te\tf\r\n", {{"a", "b", "c"}, {"d", "e", "f"}}},
        {"a\tb\nc", {{"a", "b"}, {"c"}}},
        {"x", {{"x"}}},
        {"x\n", {{"x"}}},
        {"a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"\t\t\n", {{"", "", ""}}},
        // A spreadsheet cell of two lines, one with a quote: quotes around it go, doubled ones halve.
        {"\"one\r\ntwo \"\"x\"\"\"\tz\r\nnext\r\n", {{"one\ntwo \"x\"", "z"}, {"next"}}},
        // Quotes without a line feed inside stay as typed.
        {"\"a\"\tb\"c\n", {{"\"a\"", "b\"c"}}},
        // An unclosed quote keeps the rest of the text in its field.
        {"\"open\nstill\tmore\n", {{"\"open\nstill", "more"}}},
        {std::string("a\0b\tc", 5), {{std::string("a\0b", 3), "c"}}},
    };
    for (const Case& c : cases) {
        const PastedText text = splitPastedText(c.text, 999);
        EXPECT_EQ(text.records, c.records) << c.text;
    }
    EXPECT_EQ(splitPastedText("a\tb\tc\nd\n", 999).widestRecord, 3u);
}

TEST(PastedText, KeepsAtMostTheRecordsThatCanBePasted) {
    std::string text;
    for (int i = 0; i < 1000; ++i) {
        text += std::to_string(i) + "\tx\n";
    }
    const PastedText kept = splitPastedText(text, 999);
    ASSERT_EQ(kept.records.size(), 999u);
    EXPECT_EQ(kept.records.back().front(), "998");
    EXPECT_TRUE(splitPastedText(text, 0).records.empty());
}

TEST(PastedText, TenMegabytesOfRecordsKeepTheFirstRows) {
    std::string text;
    text.reserve(10'500'000);
    const std::string record(100, 'x');
    for (int i = 0; i < 100'000; ++i) {
        text += record + "\t1\r\n";
    }
    std::string oneField(10'000'000, '"');
    EXPECT_EQ(splitPastedText(text, 999).records.size(), 999u);
    EXPECT_EQ(splitPastedText(oneField, 999).records.size(), 1u);
}

} // namespace
} // namespace qx::formats
