#include "wirelist/WireListImport.h"

#include "wirelist/WireListMessages.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::wirelist {
namespace {

using Rows = std::vector<std::vector<std::string>>;

/// A piece as "row S|T: line / line ×count" for comparing whole results at a glance.
std::string describe(const Piece& piece) {
    std::string text = std::to_string(piece.row) + (piece.targetEnd ? "T:" : "S:");
    for (std::size_t i = 0; i < piece.lines.size(); ++i) {
        text += (i == 0 ? " " : " / ") + piece.lines[i];
    }
    if (piece.count) {
        text += " x" + std::to_string(*piece.count);
    }
    return text;
}

std::vector<std::string> describe(const SheetMapping& mapping) {
    std::vector<std::string> out;
    for (const Piece& piece : mapping.pieces) {
        out.push_back(describe(piece));
    }
    return out;
}

std::vector<std::string> texts(const std::vector<RowNote>& notes) {
    std::vector<std::string> out;
    for (const RowNote& n : notes) {
        out.push_back(n.text);
    }
    return out;
}

Sheet sheetOf(Rows rows) {
    return Sheet{"Sheet1", std::move(rows)};
}

// An export with a title, a date, a comment, the traps of hand-edited lists and a footer.
const Rows ConnectionList{
    {"Verbindungsliste Projekt 4711"},
    {"Datum:", "10.12.2026"},
    {},
    {"Verbindungsbezeichnung", "Betriebsmittel (Quelle)", "Anschluss (Quelle)", "Betriebsmittel (Ziel)",
     "Anschluss (Ziel)", "Farbe"},
    {"W1", "-K1", "13", "-X1", "1", "BK"},
    {"W2", "-K1", "14", "-X1", "2", "BU"},
    {"// Kommentar der Stückliste"},
    {"", "-K2", "A1", "-X1", "3", "BN"},
    {"", "", "", "", "", "RD"},
    {},
    {"Verbindungsbezeichnung", "Betriebsmittel (Quelle)", "Anschluss (Quelle)", "Betriebsmittel (Ziel)",
     "Anschluss (Ziel)", "Farbe"},
    {" W3 ", "-K2", "A2", "-X1", "4"},
    {"Summe: 3 Verbindungen"},
    {"Seite 1 von 1"},
    {},
};

TEST(WireListImport, ConnectionListGivesBothEndsAndReportsEverySkippedRow) {
    const SheetMapping mapping = mapSheet(sheetOf(ConnectionList), ImportProfile{});
    ASSERT_TRUE(mapping.ok) << mapping.message;
    EXPECT_EQ(mapping.headerRow, 3);
    EXPECT_EQ(mapping.ends, Ends::Both);
    EXPECT_EQ(mapping.lines, (std::vector<std::string>{"{wire}", "{here}"}));
    EXPECT_EQ(describe(mapping), (std::vector<std::string>{
                                     "5S: W1 / -K1:13", "5T: W1 / -X1:1", "6S: W2 / -K1:14", "6T: W2 / -X1:2",
                                     "12S: W3 / -K2:A2", "12T: W3 / -X1:4"}));
    EXPECT_EQ(texts(mapping.skipped), (std::vector<std::string>{
                                          "8 行目: 線番が空のため読込みません。",
                                          "9 行目: 読込む列がすべて空のため読込みません。",
                                          "10 行目: 読込む列がすべて空のため読込みません。",
                                          "11 行目: 見出し行の繰り返しのため読込みません。",
                                          "13 行目: 表の後の集計・注記の行のため読込みません。",
                                          "14 行目: 表の後の集計・注記の行のため読込みません。"}));
    EXPECT_TRUE(mapping.notices.empty());
}

TEST(WireListImport, EndsTemplatesAndHeaderFieldsAsTheProfileSays) {
    ImportProfile profile;
    profile.lines = {"{wire} {Farbe}", "{here} > {there}"};
    const struct {
        Ends ends;
        std::vector<std::string> pieces;
    } cases[] = {
        {Ends::Source, {"5S: W1 BK / -K1:13 > -X1:1", "6S: W2 BU / -K1:14 > -X1:2", "12S: W3 / -K2:A2 > -X1:4"}},
        {Ends::Target, {"5T: W1 BK / -X1:1 > -K1:13", "6T: W2 BU / -X1:2 > -K1:14", "12T: W3 / -X1:4 > -K2:A2"}},
    };
    for (const auto& c : cases) {
        profile.ends = c.ends;
        const SheetMapping mapping = mapSheet(sheetOf(ConnectionList), profile);
        ASSERT_TRUE(mapping.ok) << mapping.message;
        EXPECT_EQ(describe(mapping), c.pieces);
        // Row 9 has its colour filled, which a template now reads: only its wire number is missing.
        EXPECT_EQ(mapping.skipped[1].text, "9 行目: 線番が空のため読込みません。");
    }
}

TEST(WireListImport, RolesChosenByHandOverrideTheHeaders) {
    ImportProfile profile;
    profile.role(Role::Wire) = "Farbe";
    profile.role(Role::TargetDevice) = ImportProfile::NoColumn;
    profile.role(Role::TargetTerminal) = ImportProfile::NoColumn;
    profile.lines = {"{wire}", "{here.terminal}"};
    const SheetMapping mapping = mapSheet(sheetOf(ConnectionList), profile);
    ASSERT_TRUE(mapping.ok) << mapping.message;
    EXPECT_EQ(mapping.roles.column(Role::Wire), 5);
    EXPECT_FALSE(mapping.roles.hasTargetEnd());
    // One end per row now; the row without a colour is the one without a wire number.
    EXPECT_EQ(describe(mapping), (std::vector<std::string>{"5S: BK / 13", "6S: BU / 14", "8S: BN / A1",
                                                           "9S: RD"}));
    EXPECT_EQ(texts(mapping.skipped), (std::vector<std::string>{
                                          "10 行目: 読込む列がすべて空のため読込みません。",
                                          "11 行目: 見出し行の繰り返しのため読込みません。",
                                          "12 行目: 線番が空のため読込みません。",
                                          "13 行目: 表の後の集計・注記の行のため読込みません。",
                                          "14 行目: 表の後の集計・注記の行のため読込みません。"}));

    profile.role(Role::Wire) = "Leitungsfarbe";
    const SheetMapping missing = mapSheet(sheetOf(ConnectionList), profile);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "列「Leitungsfarbe」が見つかりません。");
}

const Rows JapaneseList{
    {"線番", "接続元", "接続先", "本数"},
    {"101", "MC1:A1", "X1:1", ""},
    {"101", "MC1:A1", "X1:1", ""},
    {"102", "MC1:A2", "X1:2", "３"},
    {"103", "MC1:13", "X1:3", "abc"},
    {"104", "MC1:14", "X1:4", "0"},
};

TEST(WireListImport, CountsFromAColumnAndIdenticalPiecesMerged) {
    ImportProfile profile;
    profile.lines = {"{wire}"};
    const SheetMapping plain = mapSheet(sheetOf(JapaneseList), profile);
    ASSERT_TRUE(plain.ok) << plain.message;
    EXPECT_EQ(describe(plain), (std::vector<std::string>{"2S: 101", "2T: 101", "3S: 101", "3T: 101", "4S: 102 x3",
                                                         "4T: 102 x3", "5S: 103", "5T: 103"}));
    EXPECT_EQ(texts(plain.notices),
              (std::vector<std::string>{"5 行目: 本数「abc」が数値でないため、既定の連続個数にします。"}));
    EXPECT_EQ(texts(plain.skipped), (std::vector<std::string>{"6 行目: 本数が 0 のため読込みません。"}));

    profile.merge = true;
    const SheetMapping merged = mapSheet(sheetOf(JapaneseList), profile);
    EXPECT_EQ(describe(merged), (std::vector<std::string>{"2S: 101 x4", "4S: 102 x6", "5S: 103 x2"}));

    // Only pieces one after the other merge: two equal rows give source, target, source, target.
    profile.lines = {"{wire}", "{here}"};
    const std::vector<std::string> ends = describe(mapSheet(sheetOf(JapaneseList), profile));
    ASSERT_GE(ends.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(ends.begin(), ends.begin() + 4),
              (std::vector<std::string>{"2S: 101 / MC1:A1 x1", "2T: 101 / X1:1 x1", "3S: 101 / MC1:A1 x1",
                                        "3T: 101 / X1:1 x1"}));
}

TEST(WireListImport, LineBreaksInACellSplitTheLineOrBecomeBlanks) {
    const Rows rows{
        {"Wire", "Source", "Note"},
        {"W1", "X1:1", "first\r\nsecond"},
    };
    ImportProfile profile;
    profile.lines = {"{Note}", "{wire}"};
    profile.ends = Ends::Source;
    EXPECT_EQ(describe(mapSheet(sheetOf(rows), profile)),
              (std::vector<std::string>{"2S: first / second / W1"}));
    profile.splitBreaks = false;
    EXPECT_EQ(describe(mapSheet(sheetOf(rows), profile)), (std::vector<std::string>{"2S: first second / W1"}));
}

TEST(WireListImport, RefusesWhatCannotBeMapped) {
    ImportProfile profile;
    const SheetMapping nothing = mapSheet(sheetOf({{"Farbe", "Länge"}, {"BK", "3"}}), profile);
    EXPECT_FALSE(nothing.ok);
    EXPECT_EQ(nothing.messageId, WireListMessage::NoColumns);

    profile.lines = {"{wire}", "{Farbe}", "{Farbe}", "{Farbe}", "{Farbe}"};
    EXPECT_EQ(mapSheet(sheetOf(ConnectionList), profile).message, "テンプレートは 4 行までです。");

    profile.lines = {"{Querschnitt}"};
    EXPECT_EQ(mapSheet(sheetOf(ConnectionList), profile).messageId, WireListMessage::UnknownColumnToken);

    // No header: the columns are named by number.
    profile.headerRow = 0;
    profile.lines = {"{#1}-{#2}"};
    const SheetMapping numbered = mapSheet(sheetOf({{"A", "1"}, {"B", "2"}}), profile);
    ASSERT_TRUE(numbered.ok) << numbered.message;
    EXPECT_EQ(describe(numbered), (std::vector<std::string>{"1S: A-1", "2S: B-2"}));
}

TEST(WireListImport, SheetsByNameOrNumber) {
    Table table;
    table.sheets = {Sheet{"Deckblatt", {}}, Sheet{"2", {}}, Sheet{"Verbindungen", {}}};
    EXPECT_EQ(findSheet(table, ""), 0u);
    EXPECT_EQ(findSheet(table, "Verbindungen"), 2u);
    EXPECT_EQ(findSheet(table, "2"), 1u); // a sheet's name before a number
    EXPECT_EQ(findSheet(table, "3"), 2u);
    EXPECT_EQ(findSheet(table, "4"), std::nullopt);
    EXPECT_EQ(findSheet(table, "Stückliste"), std::nullopt);
    EXPECT_EQ(findSheet(Table{}, ""), std::nullopt);
}

class PieceInsertTest : public testing::Test {
protected:
    void useModel(model::ModelType type) {
        catalogue = model::Catalogue(type);
        settings = model::OperatorSettings::defaultsFor(catalogue);
        current = model::createEditData(catalogue, settings.frameGap);
    }

    std::string lineText(const model::EditData& data, int block, int line) const {
        return model::codesToUtf8(data.line(block, line).chars, false);
    }

    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData current = model::createEditData(catalogue, settings.frameGap);
};

TEST_F(PieceInsertTest, PiecesBecomeBlocksAtTheFocusRowAsTypedTextWould) {
    current.blockCount = 2;
    current.block(0).lines[0].chars = model::utf8ToCodes("before", false).codes;
    current.block(1).lines[0].chars = model::utf8ToCodes("after", false).codes;
    const std::vector<Piece> pieces{
        {{"W1", "K1:13"}, std::nullopt, 5, false},
        {{"W1", "", "€ 5"}, 2, 5, true},
        {{"1", "2", "3", "4", "5"}, 650, 7, false},
    };
    const PieceInsert inserted = insertPieces(current, 1, pieces, catalogue, settings);
    ASSERT_TRUE(inserted.merge.ok);
    const model::EditData& data = inserted.merge.data;
    ASSERT_EQ(data.blockCount, 2 + 1 + 1 + 3);
    EXPECT_EQ(lineText(data, 0, 0), "ｂｅｆｏｒｅ");
    EXPECT_EQ(lineText(data, 1, 0), "Ｗ１");
    EXPECT_EQ(lineText(data, 1, 1), "Ｋ１：１３");
    EXPECT_EQ(data.block(1).lineCount, 2);
    EXPECT_EQ(data.block(1).count, settings.numberTube);
    EXPECT_EQ(lineText(data, 2, 2), "　　５"); // the euro sign has no character on the printer
    EXPECT_EQ(data.block(2).lineCount, 3);
    EXPECT_EQ(data.block(2).count, 2);
    // 650 pieces of one kind: a block holds at most 300.
    EXPECT_EQ(data.block(3).count, 300);
    EXPECT_EQ(data.block(4).count, 300);
    EXPECT_EQ(data.block(5).count, 50);
    EXPECT_EQ(lineText(data, 5, 3), "４");
    EXPECT_EQ(data.block(5).lineCount, 4);
    EXPECT_EQ(lineText(data, 6, 0), "ａｆｔｅｒ");

    EXPECT_EQ(inserted.merge.report.messageIds, (std::vector<int>{formats::MergeMessage::CharactersReplaced}));
    EXPECT_EQ(inserted.merge.replacedChars, 1);
    EXPECT_EQ(texts(inserted.notices), (std::vector<std::string>{
                                           "5 行目: 未対応の文字を空白に置換しました。",
                                           "7 行目: １ブロック 4 行を超える行は読込みません。"}));
    EXPECT_EQ(inserted.blocksUsed, 7);
    EXPECT_EQ(inserted.blockLimit, 999);
}

TEST_F(PieceInsertTest, InPrintLengthModeEachPieceIsABlock) {
    current.target.printMode = model::codes::Line1Marker;
    const std::vector<Piece> pieces{{{"A"}, 3, 2, false}, {{"B"}, std::nullopt, 3, false}};
    const PieceInsert inserted = insertPieces(current, -1, pieces, catalogue, settings);
    ASSERT_TRUE(inserted.merge.ok);
    ASSERT_EQ(inserted.merge.data.blockCount, 4);
    EXPECT_EQ(lineText(inserted.merge.data, 2, 0), "Ａ");
    EXPECT_EQ(lineText(inserted.merge.data, 3, 0), "Ｂ");
}

TEST_F(PieceInsertTest, PiecesBeyondTheBlockLimitAreReportedNotLost) {
    useModel(model::models::QX950W); // 300 blocks, counts up to 100
    std::vector<Piece> pieces;
    for (int i = 0; i < 299; ++i) {
        pieces.push_back({{std::to_string(i)}, std::nullopt, i + 2, false});
    }
    pieces.push_back({{"big"}, 150, 301, false}); // takes blocks 300 and 301
    pieces.push_back({{"last"}, std::nullopt, 302, false});
    const PieceInsert inserted = insertPieces(current, -1, pieces, catalogue, settings);
    ASSERT_TRUE(inserted.merge.ok);
    EXPECT_EQ(inserted.merge.data.blockCount, 300);
    EXPECT_EQ(inserted.merge.data.block(299).count, 100);
    EXPECT_EQ(inserted.merge.report.messageIds, (std::vector<int>{formats::MergeMessage::BlocksDropped}));
    EXPECT_EQ(texts(inserted.notices),
              (std::vector<std::string>{"301 行目以降の 2 個は、ブロック数の上限 (300) を超えるため読込みません。"}));
    EXPECT_EQ(inserted.blocksUsed, 300);
    EXPECT_EQ(inserted.blockLimit, 300);

    pieces.resize(299);
    const PieceInsert fits = insertPieces(current, -1, pieces, catalogue, settings);
    EXPECT_TRUE(fits.merge.report.messageIds.empty());
    EXPECT_TRUE(fits.notices.empty());
}

} // namespace
} // namespace qx::wirelist
