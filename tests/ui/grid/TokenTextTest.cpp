#include "ui/grid/TokenText.h"

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

using model::tagSEQ_V900;

const QString Marker = QStringLiteral("{連番}");
const QString Symbol = QStringLiteral("{記号}");

tagSEQ_V900 definition(std::uint16_t start, std::uint16_t end) { return tagSEQ_V900{1, 0, start, end, 0, 0}; }

/// "ABC", the marker, "D" in token form, as the grid hands a line to its editor.
TokenText abcMarkerD() {
    TokenText text;
    text.loadTokenForm("ＡＢＣ\"0x2F26\"Ｄ");
    text.setSequences({definition(1, 9)});
    return text;
}

TEST(TokenText, ShowsTokensAsCaptionsAndReadsBackTheSameTokenForm) {
    const TokenText text = abcMarkerD();
    EXPECT_EQ(text.text(), QStringLiteral("ＡＢＣ") + Marker + QStringLiteral("Ｄ"));
    const std::vector<int> expected{0, 0, 0, 0x2F26, -1, -1, -1, 0};
    EXPECT_EQ(std::vector<int>(text.map().begin(), text.map().end()), expected);
    EXPECT_EQ(text.tokenForm(), QStringLiteral("ＡＢＣ\"0x2F26\"Ｄ"));
}

TEST(TokenText, ShowsOtherSpecialCodesAsSymbols) {
    TokenText text;
    text.loadTokenForm("\"0x2821\"x");
    EXPECT_EQ(text.text(), Symbol + QStringLiteral("ｘ"));
    EXPECT_EQ(text.tokenForm(), QStringLiteral("\"0x2821\"ｘ"));
}

TEST(TokenText, PlainTextKeepsTokenCharactersLiteralAndDoublesQuotes) {
    TokenText text;
    text.loadPlain(QStringLiteral("\"0x2F26\""));
    EXPECT_EQ(text.text(), QStringLiteral("\"0x2F26\""));
    EXPECT_EQ(text.tokenForm(), QStringLiteral("\"\"0x2F26\"\""));
}

TEST(TokenText, BackspaceAfterTheMarkerTakesTheWholeTokenAndItsDefinition) {
    TokenText text = abcMarkerD();
    const int afterMarker = 3 + static_cast<int>(Marker.size());
    const TextRange range = text.backspaceRange(afterMarker);
    EXPECT_EQ(range, (TextRange{3, afterMarker}));
    text.remove(range);
    EXPECT_EQ(text.text(), QStringLiteral("ＡＢＣＤ"));
    EXPECT_TRUE(text.sequences().empty());
    EXPECT_EQ(text.tokenForm(), QStringLiteral("ＡＢＣＤ"));
}

TEST(TokenText, DeleteBeforeTheMarkerTakesTheWholeToken) {
    TokenText text = abcMarkerD();
    EXPECT_EQ(text.deleteRange(3), (TextRange{3, 3 + static_cast<int>(Marker.size())}));
    EXPECT_EQ(text.deleteRange(2), (TextRange{2, 3}));
    EXPECT_TRUE(text.deleteRange(text.length()).empty());
    EXPECT_TRUE(text.backspaceRange(0).empty());
}

TEST(TokenText, PositionsInsideATokenSnapToItsEnds) {
    const TokenText text = abcMarkerD();
    for (int inside = 4; inside <= 6; ++inside) {
        EXPECT_TRUE(text.insideToken(inside));
        EXPECT_EQ(text.snapBackward(inside), 3);
        EXPECT_EQ(text.snapForward(inside), 7);
    }
    for (int boundary : {0, 3, 7, 8}) {
        EXPECT_FALSE(text.insideToken(boundary));
        EXPECT_EQ(text.snapBackward(boundary), boundary);
        EXPECT_EQ(text.snapForward(boundary), boundary);
    }
}

TEST(TokenText, RemovingPartOfATokenRemovesAllOfIt) {
    TokenText text = abcMarkerD();
    const TextRange removed = text.remove({2, 5});
    EXPECT_EQ(removed, (TextRange{2, 7}));
    EXPECT_EQ(text.text(), QStringLiteral("ＡＢＤ"));
    EXPECT_TRUE(text.sequences().empty());
}

TEST(TokenText, RemovingAMiddleMarkerKeepsTheOthersBoundToTheirMarkers) {
    TokenText text;
    text.loadTokenForm("\"0x2F26\"ａ\"0x2F26\"ｂ\"0x2F26\"");
    text.setSequences({definition(1, 1), definition(2, 2), definition(3, 3)});
    text.remove({5, 6}); // the second marker's first unit
    ASSERT_EQ(text.sequences().size(), 2u);
    EXPECT_EQ(text.sequences()[0].start, 1);
    EXPECT_EQ(text.sequences()[1].start, 3);
    EXPECT_EQ(text.markerCount(), 2);
}

TEST(TokenText, PastedTokenTextStaysLiteral) {
    TokenText text = abcMarkerD();
    const int end = text.insertPlain(1, QStringLiteral("\"0x2F26\""));
    EXPECT_EQ(end, 9);
    EXPECT_EQ(text.markerCount(), 1);
    EXPECT_EQ(text.sequences().size(), 1u);
    EXPECT_EQ(text.tokenForm(), QStringLiteral("Ａ\"\"0x2F26\"\"ＢＣ\"0x2F26\"Ｄ"));
}

TEST(TokenText, TextInsertedInsideATokenGoesAfterIt) {
    TokenText text = abcMarkerD();
    text.insertPlain(5, QStringLiteral("x"));
    EXPECT_EQ(text.text(), QStringLiteral("ＡＢＣ") + Marker + QStringLiteral("xＤ"));
}

TEST(TokenText, AnInsertedMarkerTakesItsDefinitionAtItsPlace) {
    TokenText text = abcMarkerD();
    text.insertToken(1, model::codes::SequenceMarker, definition(5, 6));
    ASSERT_EQ(text.sequences().size(), 2u);
    EXPECT_EQ(text.sequences()[0].start, 5);
    EXPECT_EQ(text.sequences()[1].start, 1);
    EXPECT_EQ(text.tokenForm(), QStringLiteral("Ａ\"0x2F26\"ＢＣ\"0x2F26\"Ｄ"));
}

TEST(TokenText, TheSequenceUnderASelectionFollowsTheModelGeneration) {
    TokenText text;
    text.loadTokenForm("\"0x2F26\"ａ\"0x2F26\"");
    text.setSequences({definition(1, 1), definition(2, 2)});
    struct Row {
        model::ModelType model;
        TextRange selection;
        int expectedStart; ///< -1: none
    };
    const Row rows[] = {
        {model::models::QX780, {4, 5}, 1},     // older models always show the first definition
        {model::models::QX950W, {0, 0}, 1},
        {model::models::QX950W3, {0, 4}, 1},   // exactly the first marker
        {model::models::QX950W3, {5, 9}, 2},   // exactly the second marker
        {model::models::QX950W3, {0, 9}, -1},  // two markers
        {model::models::QX900W2, {4, 5}, -1},  // none
    };
    for (const Row& row : rows) {
        const tagSEQ_V900* shown = text.sequenceUnderSelection(row.selection, row.model);
        if (row.expectedStart < 0) {
            EXPECT_EQ(shown, nullptr) << row.model << " " << row.selection.from;
        } else {
            ASSERT_NE(shown, nullptr) << row.model << " " << row.selection.from;
            EXPECT_EQ(shown->start, row.expectedStart);
        }
    }
    TokenText empty;
    EXPECT_EQ(empty.sequenceUnderSelection({0, 0}, model::models::QX780), nullptr);
}

TEST(TokenText, SurrogatePairsAreNeverSplit) {
    TokenText text;
    text.loadPlain(QString::fromUtf8("a\xF0\x9F\x98\x80" "b"));
    EXPECT_EQ(text.backspaceRange(3), (TextRange{1, 3}));
    EXPECT_EQ(text.deleteRange(1), (TextRange{1, 3}));
}

} // namespace
} // namespace qx::ui
