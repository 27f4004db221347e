#include "model/Sequences.h"
#include "model/Catalogue.h"

#include <gtest/gtest.h>

#include <string>

using namespace qx::model;

namespace {

constexpr CharCode Seq = codes::SequenceMarker;
constexpr CharCode Blank = codes::FullWidthBlank;
constexpr CharCode X = 0x2358; // full-width X

tagSEQ_V900 def(std::uint8_t mode, int start, int end, std::uint8_t output = 0, std::uint8_t digits = 0) {
    return {mode, digits, static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end), output, 0};
}

tagSEQ_V900 decimal(int start, int end, std::uint8_t output = 0) {
    return def(SequenceMode::Decimal, start, end, output);
}

std::vector<tagSEQ_V900> definitionsOf(const EditBlock& block) {
    return {block.sequences.begin(), block.sequences.begin() + block.sequenceCount};
}

void addDefinitions(EditBlock& block, int n) {
    for (int i = 0; i < n; ++i)
        block.appendSequence(decimal(i + 1, 9));
}

} // namespace

TEST(Sequences, RunsFollowTheParityRules) {
    struct Row {
        int start, end;
        std::uint8_t output;
        SeqRun run;
        int count;
    };
    const Row rows[] = {
        {1, 10, SequenceOutput::OddOnly, {1, 9, 2}, 5},
        {10, 1, SequenceOutput::EvenOnly, {10, 2, -2}, 5},
        {2, 4, SequenceOutput::OddOnly, {3, 3, 2}, 1},
        {5, 5, SequenceOutput::Every, {5, 5, 0}, 1},
        {9999, 0, SequenceOutput::Every, {9999, 0, -1}, 10000},
        {3, 4, SequenceOutput::EvenOnly, {4, 4, 2}, 1},
        {65535, 0, SequenceOutput::EvenOnly, {65534, 0, -2}, 32768},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.start) + ".." + std::to_string(r.end) + " output " +
                     std::to_string(r.output));
        EXPECT_EQ(sequenceRun(decimal(r.start, r.end, r.output)), r.run);
        EXPECT_EQ(sequenceValueCount(decimal(r.start, r.end, r.output)), r.count);
    }
}

TEST(Sequences, CountdownReachesZero) {
    const tagSEQ_V900 d = decimal(9999, 0);
    EXPECT_EQ(formatSequenceValue(d, sequenceValueAt(d, 0), models::QX950W3), "9999");
    EXPECT_EQ(formatSequenceValue(d, sequenceValueAt(d, 1), models::QX950W3), "9998");
    EXPECT_EQ(formatSequenceValue(d, sequenceValueAt(d, 9999), models::QX950W3), "0");
    EXPECT_EQ(sequenceValueAt(d, 10000), 0); // a stray index stays within the run
}

TEST(Sequences, ShortestRunSetsThePieces) {
    EditBlock block;
    EXPECT_EQ(blockPieceCount(block), 1);
    block.appendSequence(decimal(1, 5));
    block.appendSequence(decimal(7, 9));
    EXPECT_EQ(blockPieceCount(block), 3);
    EXPECT_EQ(blockValuesAt(block, 2), (std::vector<int>{3, 9}));
    EXPECT_EQ(widestSequenceValue(block, 0), 3); // 4 and 5 are never printed
}

TEST(Sequences, FormatsPerModelFamily) {
    struct Row {
        ModelType model;
        std::uint8_t mode, digits;
        int value;
        const char* text;
    };
    const Row rows[] = {
        {models::QX950W3, SequenceMode::Decimal, 3, 7, "007"},
        {models::QX950W3, SequenceMode::Hexadecimal, 0, 255, "FF"},
        {models::QX790, SequenceMode::Hexadecimal, 4, 255, "00FF"},
        {models::QX950W3, SequenceMode::Octal, 0, 8, "10"},
        {models::QX950W, SequenceMode::UpperCase, 3, 9026, "B"},  // later models: one character
        {models::QX780, SequenceMode::UpperCase, 3, 9026, "00B"}, // one pattern for every mode
        // Damaged records: decimal for unknown modes, six places at most, "?" off the alphabet.
        {models::QX950W3, 9, 0, 12, "12"},
        {models::QX950W3, SequenceMode::Decimal, 255, 5, "000005"},
        {models::QX950W3, SequenceMode::UpperCase, 0, 0, "?"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(formatSequenceValue(def(r.mode, 0, 0, 0, r.digits), r.value, r.model), r.text);
    }
    const tagSEQ_V900 letters = def(SequenceMode::UpperCase, 9025, 9029, SequenceOutput::OddOnly);
    std::string printed;
    for (int k = 0; k < sequenceValueCount(letters); ++k)
        printed += formatSequenceValue(letters, sequenceValueAt(letters, k), models::QX900W);
    EXPECT_EQ(printed, "ACE");
}

TEST(Sequences, ParsesTypedValues) {
    struct Row {
        ModelType model;
        std::uint8_t mode;
        const char* text;
        int value;
        int messageId, lower, upper;
    };
    constexpr ModelType W3 = models::QX950W3, Q780 = models::QX780;
    constexpr int Fail = -1;
    const Row rows[] = {
        {W3, SequenceMode::Decimal, "\x82\x50\x82\x51", 12, 0, 0, 0}, // full-width 12
        {W3, SequenceMode::Decimal, "", Fail, 42040, 0, 9999},
        {Q780, SequenceMode::Decimal, "", 0, 0, 0, 0},
        {W3, SequenceMode::Decimal, "12345", Fail, 42040, 0, 9999},
        {W3, SequenceMode::Octal, "8", Fail, 42042, 0, 4095},
        {W3, SequenceMode::Hexadecimal, "00ff", 255, 0, 0, 0},
        {W3, SequenceMode::Hexadecimal, "G", Fail, 42043, 0, 65535},
        {W3, SequenceMode::UpperCase, "\x82\x79", 9050, 0, 0, 0}, // full-width Z
        {W3, SequenceMode::UpperCase, "a", Fail, 42044, 9025, 9050},
        {Q780, SequenceMode::UpperCase, "a", 9025, 0, 0, 0},
        {Q780, SequenceMode::UpperCase, "", Fail, 42044, 9025, 9050},
        {W3, SequenceMode::LowerCase, "a", 9057, 0, 0, 0},
        {W3, SequenceMode::LowerCase, "\x88\x9F", Fail, 43034, 9057, 9082}, // a kanji
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.model) + "/" + std::to_string(r.mode) + " '" + r.text + "'");
        const SequenceParseResult p = parseSequenceValue(Catalogue(r.model), r.mode, r.text);
        ASSERT_EQ(p.ok, r.value != Fail);
        if (p.ok) {
            EXPECT_EQ(p.value, r.value);
        } else {
            EXPECT_EQ(p.messageId, r.messageId);
            EXPECT_EQ(p.lower, r.lower);
            EXPECT_EQ(p.upper, r.upper);
        }
    }
}

TEST(Sequences, InfersDigitsFromTheTypedTexts) {
    EXPECT_EQ(inferSequenceDigits("001", "100"), 3);
    EXPECT_EQ(inferSequenceDigits("1", "100"), 0);
    EXPECT_EQ(inferSequenceDigits("01", "0010"), 4);
    EXPECT_EQ(inferSequenceDigits("\x82\x4F\x82\x4F\x82\x50", "\x82\x50"), 3); // full-width 001
    const tagSEQ_V900 hex = def(SequenceMode::Hexadecimal, 0xFF, 0x100, 0,
                                static_cast<std::uint8_t>(inferSequenceDigits("00ff", "0100")));
    EXPECT_EQ(formatSequenceValue(hex, sequenceValueAt(hex, 0), models::QX950W3), "00FF");
    EXPECT_EQ(formatSequenceValue(hex, sequenceValueAt(hex, 1), models::QX950W3), "0100");
}

TEST(Sequences, ParityCheckRefusesOnlyASingleValueOfTheWrongParity) {
    EXPECT_EQ(checkSequenceParity(SequenceOutput::OddOnly, 2, 2), 43035);
    EXPECT_EQ(checkSequenceParity(SequenceOutput::OddOnly, 2, 4), 0);
    EXPECT_EQ(checkSequenceParity(SequenceOutput::EvenOnly, 3, 3), 43036);
    EXPECT_EQ(checkSequenceParity(SequenceOutput::EvenOnly, 3, 4), 0);
}

TEST(Sequences, LimitMessagesFollowModelAndMode) {
    struct Row {
        ModelType model;
        bool printLength;
        int inBlock, elsewhere, messageId;
    };
    const Row rows[] = {
        {models::QX950W, false, 1, 0, 42031},   {models::QX780, false, 0, 15, 42032},
        {models::QX900W2, false, 2, 0, 0},      {models::QX900W2, false, 3, 0, 43064},
        {models::QX950W3, false, 0, 45, 43065}, {models::QX950W3, true, 0, 1, 42033},
        {models::QX950W3, true, 1, 0, 42033}, // both broken: the document's message
        // Reaching a limit exactly is allowed: the 15th of 15, the 45th of 45, the only one.
        {models::QX780, false, 0, 14, 0},       {models::QX950W3, false, 2, 42, 0},
        {models::QX950W3, true, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.model) + ": " + std::to_string(r.inBlock) + "+" +
                     std::to_string(r.elsewhere));
        EditData data;
        data.target.printMode = r.printLength ? codes::Line1Marker : codes::PitchGroupMarker;
        data.blockCount = static_cast<std::int16_t>(1 + r.elsewhere);
        addDefinitions(data.block(0), r.inBlock);
        for (int b = 1; b <= r.elsewhere; ++b)
            addDefinitions(data.block(b), 1);
        EXPECT_EQ(checkSequenceAddition(data, Catalogue(r.model), 0).messageId, r.messageId);
    }
}

TEST(Sequences, LineDialogAllowanceOnALaterModel) {
    const Catalogue catalogue(models::QX900W2);
    EditData data;
    data.blockCount = 16;
    for (int b = 1; b < 16; ++b)
        addDefinitions(data.block(b), b < 15 ? 3 : 2); // 44 elsewhere
    EXPECT_EQ(checkSequenceDialogAllowance(true, lineSequenceAllowance(data, catalogue, 0, 0), 1), 0);
    data.line(0, 0).chars = {Seq};
    addDefinitions(data.block(0), 1);
    // The line now holds one, so a second insertion needs room for two.
    EXPECT_EQ(checkSequenceDialogAllowance(true, lineSequenceAllowance(data, catalogue, 0, 0), 2), 43065);
    EXPECT_EQ(checkSequenceDialogAllowance(true, {0, 0}, 1), 43064);
    EXPECT_EQ(checkSequenceDialogAllowance(false, {0, 0}, 1), 42031);
}

TEST(Sequences, LineSubListsFollowTheTokens) {
    EditBlock block;
    block.lines[0].chars = {X, Seq, X, Seq};
    block.lines[2].chars = {Seq, Seq}; // the second is unbound
    const tagSEQ_V900 d0 = decimal(0, 1), d1 = decimal(0, 2), d2 = decimal(0, 3), y = decimal(5, 6);
    for (const tagSEQ_V900& d : {d0, d1, d2})
        block.appendSequence(d);
    EXPECT_EQ(lineSequences(block, 0), (std::vector<tagSEQ_V900>{d0, d1}));
    EXPECT_EQ(lineSequenceSpan(block, 1), (LineSequenceSpan{2, 0}));
    EXPECT_EQ(lineSequences(block, 2), (std::vector<tagSEQ_V900>{d2}));

    EditBlock middle = block;
    replaceLineSequences(middle, 1, std::vector<tagSEQ_V900>{y});
    EXPECT_EQ(definitionsOf(middle), (std::vector<tagSEQ_V900>{d0, d1, y, d2}));
    replaceLineSequences(block, 0, std::vector<tagSEQ_V900>{y});
    EXPECT_EQ(definitionsOf(block), (std::vector<tagSEQ_V900>{y, d2}));
}

TEST(Sequences, ReducesALaterDocumentToItsFirstDefinition) {
    EditData data;
    data.blockCount = 3;
    data.line(0, 0).chars = {Seq, X, Seq};
    addDefinitions(data.block(0), 2);
    data.line(2, 0).chars = {Seq};
    data.line(2, 1).chars = {Seq, X, Seq};
    addDefinitions(data.block(2), 3);
    const tagSEQ_V900 first = data.block(0).sequence(0);
    const SequenceOverflow overflow = blocksOverDocumentLimit(data, 1);
    EXPECT_EQ(overflow.blocks, (std::vector<int>{0, 2}));
    EXPECT_EQ(overflow.excess, 4);

    ASSERT_TRUE(reduceToPrintLengthMode(data, Catalogue(models::QX900W2)));
    ASSERT_EQ(data.block(0).sequenceCount, 1);
    EXPECT_EQ(data.block(0).sequence(0), first);
    EXPECT_EQ(data.line(0, 0).chars, (CodeList{Seq, X, Blank}));
    EXPECT_EQ(data.block(2).sequenceCount, 0);
    EXPECT_EQ(data.line(2, 0).chars, (CodeList{Blank}));
    EXPECT_EQ(data.line(2, 1).chars, (CodeList{Blank, X, Blank}));
    EXPECT_FALSE(reduceToPrintLengthMode(data, Catalogue(models::QX900W2)));
}

TEST(Sequences, ADocumentAtItsLimitIsNotOver) {
    EditData data;
    data.blockCount = 16;
    for (int b = 0; b < 15; ++b)
        addDefinitions(data.block(b), 1);
    EXPECT_TRUE(blocksOverDocumentLimit(data, 15).blocks.empty());
    EXPECT_TRUE(blocksOverDocumentLimit(data, Catalogue(models::QX780)).blocks.empty());
    addDefinitions(data.block(15), 1);
    const SequenceOverflow over = blocksOverDocumentLimit(data, Catalogue(models::QX780));
    EXPECT_EQ(over.blocks, (std::vector<int>{15}));
    EXPECT_EQ(over.excess, 1);
}

TEST(Sequences, ReducesAFirstGenerationDocumentBlockByBlock) {
    EditData data;
    data.blockCount = 4;
    for (int b : {0, 1, 3}) {
        data.line(b, 1).chars = {X, Seq, Seq};
        addDefinitions(data.block(b), 1);
    }
    ASSERT_TRUE(reduceToPrintLengthMode(data, Catalogue(models::QX780)));
    EXPECT_EQ(data.block(0).sequenceCount, 1);
    EXPECT_EQ(data.line(0, 1).chars, (CodeList{X, Seq, Seq}));
    for (int b : {1, 3}) {
        EXPECT_EQ(data.block(b).sequenceCount, 0);
        EXPECT_EQ(data.line(b, 1).chars, (CodeList{X, Blank, Seq}));
    }
}

TEST(Sequences, DamagedRecordsStayInBounds) {
    for (int mode = 0; mode < 256; mode += 3) {
        for (int output = 0; output < 256; output += 5) {
            const tagSEQ_V900 d =
                def(static_cast<std::uint8_t>(mode), 0xFFFF, 0x2341, static_cast<std::uint8_t>(output), 255);
            const std::string text = formatSequenceValue(d, sequenceValueAt(d, sequenceValueCount(d) - 1), 0);
            ASSERT_TRUE(!text.empty() && text.size() <= 6u) << text;
            for (char c : text)
                ASSERT_TRUE(c > 0x20 && c < 0x7F);
        }
    }
    EditData data;
    data.blockCount = 2;
    data.line(0, 0).chars = {Seq, Seq};
    data.block(0).sequenceCount = 50;
    data.block(1).sequenceCount = -3;
    EXPECT_EQ(blockValuesAt(data.block(0), 0).size(), 12u);
    EXPECT_EQ(blockPieceCount(data.block(1)), 1);
    replaceLineSequences(data.block(1), 0, std::vector<tagSEQ_V900>{decimal(1, 2)});
    EXPECT_EQ(data.block(1).sequenceCount, 1);
    EXPECT_TRUE(reduceToPrintLengthMode(data, Catalogue(models::QX950W3)));
    EXPECT_EQ(data.block(0).sequenceCount, 1);
    EXPECT_EQ(data.block(1).sequenceCount, 0);
}
