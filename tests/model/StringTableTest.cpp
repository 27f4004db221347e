#include "model/StringTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace qx::model;

namespace {

struct TextRow {
    int id;
    const char* text;
};

// Written out by hand from the message lists, not taken from the table.
constexpr TextRow SampleTexts[] = {
    {40000, "ＭＳ ゴシック"},
    {40004, "コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||"},
    {40050, "ﾋﾟｯﾁ長"},
    {40094, "  "},
    {40099, " 文字数オーバー "},
    {40100, "{連番}"},
    {40103, "QX-780"},
    {40109, "送信(&T)\tCtrl+T"},
    {42001, "使用中のｿﾌﾄよりﾊﾞｰｼﾞｮﾝの新しいｿﾌﾄで作成されたﾌｧｲﾙ、または上位機種で作成されたﾌｧｲﾙは開けません"},
    {42009, "印刷物を設定してください\nこの操作では、印刷するテキストデータのみ（4行）読み込まれます。\n"
            "個数やピッチ長も読み込む場合は、ファイルの挿入で読み込んでください。"},
    {42014, "%s にアクセスできません。\n\nデバイスの準備ができていません。"},
    {42036, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへのﾃﾞｰﾀ設定に失敗しました!"},
    {42045, "未対応の文字が含まれています。\n未対応の文字は空白に置換します。"},
    {42051, "印刷全長エラーです。\n入力画面に戻り連番個数、連続個数、ピッチ長を\n設定し直して下さい。"},
    {42082, "%s (復元)"},
    {43003, "KAVチューブ"},
    {43023, " 10.0x40.0 mm "},
    {43065, "ピッチ長モード時\n１ファイルに連番は４５個までです。"},
    {43102, "QX-950A3"},
    {61699, "%1 への変更を保存しますか?"},
    {61729, "%1\nこのファイルが見つかりません。\nパスとファイル名が正しいかどうか確認してださい。"},
};

} // namespace

TEST(StringTable, HoldsTheQuotedTexts) {
    for (const TextRow& row : SampleTexts) {
        EXPECT_EQ(messageText(row.id), row.text) << row.id;
        EXPECT_TRUE(hasMessage(row.id)) << row.id;
    }
}

TEST(StringTable, UnknownIdsHaveNoText) {
    for (int id : {0, -1, 39999, 42046, 42052, 43103, 61700, 61735, INT_MIN, INT_MAX}) {
        EXPECT_EQ(messageText(id), "") << id;
        EXPECT_FALSE(hasMessage(id)) << id;
        EXPECT_EQ(formatMessage(id, {1, 2}), "") << id;
    }
}

TEST(StringTable, TableIsSortedUniqueAndClean) {
    const auto table = messageTable();
    ASSERT_GT(table.size(), 150U);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MessageEntry& e = table[i];
        if (i > 0) {
            EXPECT_LT(table[i - 1].id, e.id);
        }
        EXPECT_TRUE((e.id >= 40000 && e.id <= 43102) || (e.id >= 43200 && e.id <= 43399) ||
                    (e.id >= 61696 && e.id <= 61734))
            << e.id;
        EXPECT_FALSE(e.text.empty()) << e.id;
        // A line break written as backslash-n would show as two characters in the message box.
        EXPECT_EQ(e.text.find("\\n"), std::string_view::npos) << e.id;
        EXPECT_EQ(messageText(e.id), e.text);
    }
}

TEST(StringTable, DocumentTemplateFields) {
    EXPECT_EQ(documentTemplateField(0), "QXPC");
    EXPECT_EQ(documentTemplateField(3), "コルビンタ PCエディタ ﾌｧｲﾙ (*.QXF)");
    EXPECT_EQ(documentTemplateField(6), "コルビンタ PCエディタ 文書");
    EXPECT_EQ(documentTemplateField(7), "");
    EXPECT_EQ(documentTemplateField(-1), "");
}

TEST(StringTable, FormatsRangeMessages) {
    EXPECT_EQ(formatMessage(42040, {1, 100}), "1～100の範囲で設定してください。");
    EXPECT_EQ(formatMessage(42041, {4.0, 60.0}), "4.0～60.0の範囲で設定してください。");
    EXPECT_EQ(formatMessage(42042, {0, 4095}), "0～7777の範囲で設定してください。");
    EXPECT_EQ(formatMessage(42043, {0, 65535}), "0～FFFFの範囲で設定してください。");
    EXPECT_EQ(formatMessage(42044), "A～Zの範囲で設定してください。");
    EXPECT_EQ(formatMessage(43040, {6}),
              "既に最大登録件数（6 件）に達しているため、これ以上は登録できません。");
    EXPECT_EQ(formatMessage(40007, {3, std::string("2 行目")}), "3 - 2 行目");
    EXPECT_EQ(formatMessage(42014, {"E:\\"}),
              "E:\\ にアクセスできません。\n\nデバイスの準備ができていません。");
}

TEST(StringTable, FrameworkInsertsByPosition) {
    EXPECT_EQ(formatMessage(61699, {"QXPC1"}), "QXPC1 への変更を保存しますか?");
    EXPECT_EQ(formatText("%1\n%2 %1", {"a", 7}), "a\n7 a");
    EXPECT_EQ(formatText("%1 x", {}), " x");
}

TEST(StringTable, FormatterSurvivesBadArgumentLists) {
    struct Row {
        const char* pattern;
        std::initializer_list<MessageArg> args;
        const char* expected;
    };
    const Row rows[] = {
        {"%d～%d", {}, "～"}, // missing arguments print nothing
        {"%d～%d", {5}, "5～"},
        {"%d and %s", {"abc", 12}, "abc and 12"}, // each conversion takes what it is given
        {"%.1f", {35}, "35.0"},
        {"%d", {3.7}, "3"},
        {"%d", {1e20}, "100000000000000000000"}, // beyond long long: the whole number
        {"%s", {2.5}, "2.5"},
        {"100%%", {}, "100%"},
        {"%", {1}, "%"},          // a lone percent at the end stays
        {"%q%n", {1, 2}, "%q%n"}, // not a conversion: copied, never executed
        {"[%05d|%-4d|%+d]", {42, 7, 3}, "[00042|7   |+3]"},
        {"[%*d|%-*d]", {4, 42, 3, 5}, "[  42|5  ]"},
        {"[%*d]", {-3, 1}, "[1  ]"},
        {"[%.*f]", {"x", 2.25}, "[2.250000]"}, // a text is no precision
        {"%#x %X %o %u", {31, 255, 8, 7U}, "0x1f FF 10 7"},
        {"%x", {-1}, "ffffffffffffffff"},
        {"[%5s|%-4s|%.2s]", {"テープ", "ab", "テープ"}, "[  テープ|ab  |テー]"},
        {"%c%c%c", {65, 0x30C6, "ｶﾅ"}, "Aテｶ"},
        {"%c", {0xD800}, ""},
        {"%lld %ld %hd", {1, 2, 3}, "1 2 3"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(formatText(row.pattern, row.args), row.expected) << row.pattern;
    }
    // Widths are bounded whatever the pattern asks for.
    EXPECT_LE(formatText("%999999999d", {1}).size(), 1100U);
    EXPECT_LE(formatText("%.999999999f", {1.0}).size(), 1100U);
}
