#include "formats/ImageCodec.h"
#include "formats/TextStreamWalk.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::formats {
namespace {

// Offsets of the newest layout, typed from its tables.
constexpr std::size_t Stream = 18, Records = 10022, Settings = 26022, PitchTable = Settings + 36,
                      Sequences = Settings + 2038, BlocksMinusOne = 28446, PitchEntries = 28448;

struct Fixture {
    model::Catalogue catalogue;
    model::OperatorSettings settings;
    explicit Fixture(model::ModelType m)
        : catalogue(m), settings(model::OperatorSettings::defaultsFor(catalogue)) {}
};

std::vector<int> streamOf(const PrinterImage& image, std::size_t n) {
    std::vector<int> words;
    for (std::size_t i = 0; i < n; ++i) {
        words.push_back(image.word(Stream + 2 * i));
    }
    return words;
}

/// A default image of the model whose stream is `words` and whose block count is `blocks`.
PrinterImage imageWith(const model::Catalogue& catalogue, const std::vector<int>& words, int blocks) {
    PrinterImage image = defaultImage(catalogue);
    for (std::size_t i = 0; i < words.size(); ++i) {
        image.setWord(Stream + 2 * i, static_cast<std::uint16_t>(words[i]));
    }
    image.setWord(BlocksMinusOne, static_cast<std::uint16_t>(blocks - 1));
    return image;
}

model::EditData twoBlocks(const Fixture& f) {
    model::EditData d = model::createEditData(f.catalogue, 1);
    d.blockCount = 2;
    d.block(0).lines[0].chars = {0x2341};
    d.block(1).lines[0].chars = {0x2342, 0x2343};
    d.block(0).count = 3;
    return d;
}

/// The invariants every decoded record keeps, whatever the bytes were.
void expectSoundRecord(const model::EditData& d, const model::Catalogue& catalogue) {
    ASSERT_GE(d.blockCount, 1);
    ASSERT_LE(d.blockCount, catalogue.limits().blockLimit);
    for (int b = 0; b < d.blockCount; ++b) {
        const model::EditBlock& block = d.block(b);
        ASSERT_GE(block.lineCount, 0);
        ASSERT_LE(block.lineCount, 4);
        ASSERT_GE(block.sequenceCount, 0);
        ASSERT_LE(block.sequenceCount, 12);
        int markers = 0;
        for (const model::EditLine& line : block.lines) {
            for (model::CharCode c : line.chars) {
                ASSERT_FALSE(c == 0 || model::isStreamMarker(c)) << std::hex << c;
                markers += c == model::codes::SequenceMarker;
            }
        }
        ASSERT_LE(block.sequenceCount, markers);
    }
}

TEST(ImageEncoder, WritesTheTwoBlockExampleInBothModes) {
    const Fixture f(9);
    model::EditData d = twoBlocks(f);
    PrinterImage image;
    ASSERT_TRUE(encodeImage(d, f.catalogue, f.settings, image).ok);
    EXPECT_EQ(streamOf(image, 8), (std::vector<int>{0x2F21, 0x2F22, 0x2341, 0x2F22, 0x2342, 0x2343, 0, 0}));
    EXPECT_EQ(image.word(PitchEntries), 1);
    EXPECT_EQ(image.word(PitchTable), 200);
    EXPECT_EQ(image.word(Records + 8), 3); // the block's own count

    d.target.printMode = model::codes::Line1Marker;
    ASSERT_TRUE(encodeImage(d, f.catalogue, f.settings, image).ok);
    EXPECT_EQ(streamOf(image, 7), (std::vector<int>{0x2F22, 0x2341, 0x2F22, 0x2342, 0x2343, 0, 0}));
    EXPECT_EQ(image.word(PitchEntries), 0);
    EXPECT_EQ(image.word(Records + 8), f.settings.numberTube); // print-length mode: the default count
}

TEST(ImageEncoder, EnforcesTheLimitsAndReportsTheFailingBlock) {
    struct Row {
        const char* name;
        model::ModelType model;
        std::vector<int> pitches; // one block per entry
        std::vector<int> chars;   // characters of line 1 per block
        int sequencesPerBlock;
        bool printLength;
        int messageId, failedBlock, failedLine;
    };
    const std::vector<int> alternating{100, 200, 100, 200, 100, 200}, equal(6, 100), ones(6, 1);
    const std::vector<int> p16(16, 200), c16(16, 1), p15(15, 200), c15(15, 1);
    // clang-format off
    const std::vector<Row> rows{
        {"4998 characters fit",              9, {200},       {4998},       0, false, 0,     1,  0},
        {"4999 characters do not",           9, {200},       {4999},       0, false, 42002, 0,  0},
        {"the budget runs out in block 2",   9, {200, 200},  {2000, 3000}, 0, false, 42002, 1,  0},
        {"six pitch runs under model 0",     0, alternating, ones,         0, false, 42004, 5,  0},
        {"six pitch runs under model 9",     9, alternating, ones,         0, false, 0,     6,  0},
        {"equal pitches make one run",       0, equal,       ones,         0, false, 0,     6,  0},
        {"16 sequences under model 0",       0, p16,         c16,          1, false, 42003, 15, 0},
        {"15 sequences under model 0",       0, p15,         c15,          1, false, 0,     15, 0},
        {"2 sequences in print-length mode", 9, {200, 200},  {1, 1},       1, true,  42003, 1,  0},
        {"1 sequence in print-length mode",  9, {200},       {1},          1, true,  0,     1,  0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Fixture f(row.model);
        model::EditData d = model::createEditData(f.catalogue, 1);
        d.blockCount = static_cast<std::int16_t>(row.pitches.size());
        d.target.printMode = row.printLength ? model::codes::Line1Marker : model::codes::PitchGroupMarker;
        for (std::size_t b = 0; b < row.pitches.size(); ++b) {
            model::EditBlock& block = d.block(static_cast<int>(b));
            block.pitch = static_cast<std::int16_t>(row.pitches[b]);
            block.lines[0].chars.assign(static_cast<std::size_t>(row.chars[b]), 0x2341);
            for (int s = 0; s < row.sequencesPerBlock; ++s) {
                block.lines[0].chars[0] = model::codes::SequenceMarker;
                block.appendSequence({});
            }
        }
        PrinterImage image;
        const EncodeResult r = encodeImage(d, f.catalogue, f.settings, image);
        EXPECT_EQ(r.ok, row.messageId == 0);
        EXPECT_EQ(r.messageId, row.messageId);
        EXPECT_EQ(r.failedBlock, row.failedBlock);
        EXPECT_EQ(r.failedLine, row.failedLine);
    }
}

TEST(ImageEncoder, AutoPitchWritesOneGroupAndSequenceEntriesInOrder) {
    const Fixture f(9);
    model::EditData d = twoBlocks(f);
    d.target.pitchAuto = 1;
    d.block(0).pitch = 150;
    d.block(1).lines[0].chars = {model::codes::SequenceMarker, model::codes::SequenceMarker};
    d.block(1).appendSequence({2, 3, 0x1234, 0x5678, 1, 9});
    d.block(1).appendSequence({4, 1, 0x2361, 0x2365, 2, 0});
    PrinterImage image;
    ASSERT_TRUE(encodeImage(d, f.catalogue, f.settings, image).ok);
    EXPECT_EQ(streamOf(image, 7), (std::vector<int>{0x2F21, 0x2F22, 0x2341, 0x2F22, 0x2F26, 0x2F26, 0}));
    EXPECT_EQ(image.word(PitchTable), f.settings.pitchLenTube);
    EXPECT_EQ(image.word(PitchEntries), 1);
    const std::vector<int> entries{2, 3, 0x12, 0x34, 0x56, 0x78, 1, 0, 4, 1, 0x23, 0x61, 0x23, 0x65, 2, 0};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(image.byte(Sequences + i), entries[i]) << i;
    }
}

TEST(ImageDecoder, CorrectsTargetsModesAndFrameGapForTheModel) {
    struct Row {
        model::ModelType model;
        int firstWord, kind, size, sizeMode, pitchCut, frame;
        int wantKind, wantSize, wantSizeMode, wantPitchCut, wantFrameGap, wantPitch;
    };
    const std::vector<Row> rows{
        {5, 0x2F21, 7, 617, 2, 0, 0, 0, 12, 2, 0, 3, 100}, // a label on a model without labels
        {2, 0x2F21, 5, 80, 1, 0, 0, 0, 12, 1, 0, 3, 100},
        {5, 0x2F21, 8, 0, 1, 0, 0, 0, 12, 1, 0, 3, 100},
        {2, 0x2F21, 1, 32, 1, 2, 2, 1, 32, 1, 2, 2, 200},
        {3, 0x2F21, 5, 80, 1, 0, 0, 6, 80, 1, 0, 3, 100}, // the 0.3 mm plate becomes 0.5 mm
        {6, 0x2F21, 5, 80, 1, 0, 0, 6, 80, 1, 0, 3, 100},
        {9, 0x2F21, 5, 80, 1, 0, 0, 6, 80, 1, 0, 3, 100},
        {0, 0x2F21, 5, 80, 1, 0, 0, 5, 80, 1, 0, 3, 100},
        {8, 0x2F21, 5, 80, 1, 0, 0, 5, 80, 1, 0, 3, 100},
        {1, 0x2F21, 0, 9, 1, 0, 0, 0, 9, 0, 0, 3, 100}, // QX-790 tape never sizes itself
        {0, 0x2F21, 0, 9, 1, 0, 0, 0, 9, 1, 0, 3, 100},
        {9, 0x2F22, 1, 32, 2, 0, 0, 1, 32, 0, 1, 3, 200}, // print-length mode
        {9, 0x2F22, 6, 80, 2, 0, 0, 6, 80, 0, 3, 3, 100},
        {9, 0x2F22, 2, 66, 2, 0, 0, 2, 66, 0, 3, 3, 200},
        {9, 0x2F22, 2, 65, 2, 0, 0, 2, 65, 0, 1, 3, 200},
        {9, 0x2F22, 11, 80, 2, 0, 0, 11, 80, 0, 3, 3, 200},
        {9, 0x2F22, 1, 80, 2, 0, 0, 1, 80, 0, 1, 3, 200},
        {9, 0x2F22, 0, 12, 2, 2, 1, 0, 12, 0, 1, 1, 100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("model " + std::to_string(row.model) + " kind " + std::to_string(row.kind));
        Fixture f(row.model);
        f.settings.frameGap = 3;
        f.settings.pitchLenTape = 100;
        const bool pitchMode = row.firstWord == 0x2F21;
        PrinterImage image = imageWith(
            f.catalogue,
            pitchMode ? std::vector<int>{0x2F21, 0x2F22, 0x2341, 0} : std::vector<int>{0x2F22, 0x2341, 0}, 1);
        image.setWord(Settings + 0, static_cast<std::uint16_t>(row.kind));
        image.setWord(Settings + 2, static_cast<std::uint16_t>(row.size));
        image.setWord(Settings + 4, static_cast<std::uint16_t>(row.sizeMode));
        image.setWord(Settings + 8, static_cast<std::uint16_t>(row.frame));
        image.setWord(Settings + 14, static_cast<std::uint16_t>(row.pitchCut));
        image.setWord(PitchTable, pitchMode ? static_cast<std::uint16_t>(row.wantPitch) : 999);
        model::EditData d;
        ASSERT_TRUE(decodeImage(image, f.catalogue, f.settings, d).ok);
        EXPECT_EQ(d.target.printMode, row.firstWord);
        EXPECT_EQ(d.target.targetKind, row.wantKind);
        EXPECT_EQ(d.target.targetSize, row.wantSize);
        EXPECT_EQ(d.target.sizeMode, row.wantSizeMode);
        EXPECT_EQ(d.target.pitchCut, row.wantPitchCut);
        EXPECT_EQ(d.target.frameGap, row.wantFrameGap);
        EXPECT_EQ(d.block(0).pitch, row.wantPitch);
    }
}

TEST(ImageDecoder, SanitisesLinesAndCountsTheReplacements) {
    for (const auto& [model, replaced] : std::vector<std::pair<int, int>>{{0, 2}, {9, 0}}) {
        const Fixture f(model);
        model::EditData d;
        const DecodeResult r =
            decodeImage(imageWith(f.catalogue, {0x2F21, 0x2F22, 0x2C70, 0x2341, 0x2F23, 0x2C71, 0}, 1),
                        f.catalogue, f.settings, d);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.replacedCount, replaced);
        EXPECT_EQ(r.messageIds, replaced ? std::vector<int>{42045} : std::vector<int>{});
        EXPECT_EQ(d.block(0).lines[0].chars,
                  (model::CodeList{replaced ? model::CharCode{0x2121} : model::CharCode{0x2C70}, 0x2341}));
        EXPECT_EQ(d.block(0).lines[1].chars.size(), 1U);
    }
}

TEST(ImageDecoder, RefusesMalformedImagesWith42001) {
    struct Row {
        const char* name;
        std::vector<int> words;
        int blocks;
        model::ModelType model = 9;
        int linesMinusOne = 0;
        bool ok = false;
    };
    const int A = 0x2341;
    std::vector<int> noEnd{0x2F21, 0x2F22};
    noEnd.resize(5002, A);
    std::vector<int> pitch1001(1001, 0x2F21), pitch1000(1000, 0x2F21);
    for (auto* v : {&pitch1001, &pitch1000}) {
        v->insert(v->end(), {0x2F22, A, 0});
    }
    const auto blocksOf = [](int n) {
        std::vector<int> w{0x2F21};
        for (int i = 0; i < n; ++i) {
            w.push_back(0x2F22);
        }
        w.push_back(0);
        return w;
    };
    std::vector<int> thirteen{0x2F21, 0x2F22};
    thirteen.insert(thirteen.end(), 13, 0x2F26);
    thirteen.push_back(0);
    const std::vector<Row> rows{
        {"codes before the first line marker", {A, 0x2F22, A, 0}, 1},
        {"codes between group and line marker", {0x2F21, A, 0x2F22, A, 0}, 1},
        {"a sequence marker before any block", {0x2F26, 0x2F22, 0}, 1},
        {"characters after the fourth line", {0x2F22, A, 0x2F23, A, 0x2F24, A, 0x2F25, A, 0x2F25, A, 0}, 1},
        {"four lines", {0x2F22, A, 0x2F23, A, 0x2F24, A, 0x2F25, A, 0}, 1, 9, 3, true},
        {"a record claiming five lines", {0x2F22, A, 0}, 1, 9, 4},
        {"block count disagrees", {0x2F21, 0x2F22, A, 0}, 2},
        {"no end word", noEnd, 1},
        {"no mode marker first", {0x2F23, 0x2F22, A, 0}, 1},
        {"no block at all", {0}, 1},
        {"no block at all, count 0", {0}, 0},
        {"more pitch groups than the table", pitch1001, 1},
        {"as many pitch groups as the table", pitch1000, 1, 9, 0, true},
        {"301 blocks under model 0", blocksOf(301), 301, 0},
        {"300 blocks under model 0", blocksOf(300), 300, 0, 0, true},
        {"999 blocks under model 9", blocksOf(999), 999, 9, 0, true},
        {"1000 blocks under model 9", blocksOf(1000), 1000},
        {"thirteen sequence markers keep twelve", thirteen, 1, 9, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Fixture f(row.model);
        PrinterImage image = imageWith(f.catalogue, row.words, row.blocks);
        image.setByte(Records + 10, static_cast<std::uint8_t>(row.linesMinusOne));
        model::EditData d;
        d.blockCount = 7; // a refused image leaves the record as it was
        const DecodeResult r = decodeImage(image, f.catalogue, f.settings, d);
        EXPECT_EQ(r.ok, row.ok);
        EXPECT_EQ(r.messageId, row.ok ? 0 : 42001);
        if (r.ok) {
            expectSoundRecord(d, f.catalogue);
        } else {
            EXPECT_EQ(d.blockCount, 7);
        }
    }
}

TEST(ImageDecoder, GivesEachMarkerItsOwnEntryAndKeepsAllTextVisible) {
    const Fixture f(9);
    std::vector<int> words{0x2F21, 0x2F22};
    words.insert(words.end(), 13, 0x2F26);
    words.insert(words.end(), {0x2F22, 0x2341, 0x2F23, 0x2F26, 0});
    PrinterImage image = imageWith(f.catalogue, words, 2);
    for (std::size_t e = 0; e < 46; ++e) {
        image.setWord(Sequences + 8 * e + 2, static_cast<std::uint16_t>(e)); // start = entry number
    }
    model::EditData d;
    ASSERT_TRUE(decodeImage(image, f.catalogue, f.settings, d).ok);
    ASSERT_EQ(d.block(0).sequenceCount, 12);
    EXPECT_EQ(d.block(0).sequence(11).start, 11);
    ASSERT_EQ(d.block(1).sequenceCount, 1);
    EXPECT_EQ(d.block(1).sequence(0).start, 12); // not the entry the thirteenth marker would have taken
    EXPECT_EQ(d.block(1).lineCount, 2);          // the record says one line, the stream holds two
}

TEST(ImageDecoder, EveryValueOfTheFirstStreamWord) {
    const Fixture f(9);
    PrinterImage image = imageWith(f.catalogue, {0x2F21, 0x2F22, 0x2341, 0}, 1);
    model::EditData d;
    for (int v = 0; v <= 0xFFFF; ++v) {
        image.setWord(Stream, static_cast<std::uint16_t>(v));
        const bool ok = decodeImage(image, f.catalogue, f.settings, d).ok;
        // 0x2F22 first makes the second line marker a second block, which the count refuses.
        ASSERT_EQ(ok, v == 0x2F21) << v;
    }
}

TEST(ImageDecoder, EveryValueOfAWordInsideALine) {
    const Fixture f(0);
    PrinterImage image = imageWith(f.catalogue, {0x2F21, 0x2F22, 0x2341, 0x2341, 0x2342, 0}, 1);
    model::EditData d = model::createEditData(f.catalogue, 1);
    for (int v = 0; v <= 0xFFFF; ++v) {
        image.setWord(Stream + 6, static_cast<std::uint16_t>(v));
        // The decoder's own walk, into one reused record: the part of decoding that reads the word.
        const StreamWalk walk = walkTextStream(image, 0, d, 0, 300);
        ASSERT_EQ(walk.status, StreamWalkStatus::Complete) << v;
        ASSERT_EQ(walk.blocks, v == 0x2F22 ? 2 : 1) << v; // a line-1 marker starts a second block
        d.blockCount = static_cast<std::int16_t>(walk.blocks);
        expectSoundRecord(d, f.catalogue);
        std::size_t chars = 0;
        for (const model::EditLine& line : d.block(0).lines) {
            chars += line.chars.size();
        }
        ASSERT_EQ(chars, v == 0 || v == 0x2F22                                    ? 1U
                         : model::isStreamMarker(static_cast<model::CharCode>(v)) ? 2U
                                                                                  : 3U)
            << v;
    }
}

TEST(ImageDecoder, EveryValueOfTheBlockCountWord) {
    const Fixture f(5);
    PrinterImage image = imageWith(f.catalogue, {0x2F21, 0x2F22, 0x2341, 0x2F22, 0}, 2);
    model::EditData d;
    for (int v = 0; v <= 0xFFFF; ++v) {
        image.setWord(BlocksMinusOne, static_cast<std::uint16_t>(v));
        const DecodeResult r = decodeImage(image, f.catalogue, f.settings, d);
        ASSERT_EQ(r.ok, v == 1) << v;
    }
    expectSoundRecord(d, f.catalogue);
}

TEST(ImageDecoder, EveryValueOfTheTargetWordsUnderEveryModelGroup) {
    for (model::ModelType m : {0, 1, 2, 3, 5, 9}) {
        PrinterImage image = defaultImage(model::Catalogue(m));
        for (int mode : {0x2F21, 0x2F22}) {
            image.setWord(Stream, static_cast<std::uint16_t>(mode));
            for (int v = 0; v <= 0xFFFF; ++v) {
                for (std::size_t at : {0, 2, 4, 8, 14}) { // kind, size, sizeMode, frame, pitchCut
                    image.setWord(Settings + at, static_cast<std::uint16_t>(v));
                }
                const model::TargetSettings t = decodeTargetSettings(image, m, 3);
                const auto word = static_cast<std::int16_t>(v);
                const bool pitchMode = mode == 0x2F21;
                ASSERT_EQ(t.printMode, mode);
                ASSERT_EQ(t.frame, word);
                ASSERT_EQ(t.frameGap, word > 0 ? word : 3);
                ASSERT_EQ(t.sizeMode, pitchMode && !(m == 1 && t.targetKind == 0) ? word : 0);
                ASSERT_TRUE(pitchMode ? t.pitchCut == word : t.pitchCut == 1 || t.pitchCut == 3);
                if (m == 2 || m == 5) {
                    ASSERT_TRUE(t.targetKind < 5 || t.targetKind > 8) << v;
                } else if (m == 3 || m == 9) {
                    ASSERT_NE(t.targetKind, 5);
                }
            }
        }
    }
}

TEST(StoredImage, OpensOnlyTheModelsOwnAndOlderVersionsAtTheirSize) {
    struct Row {
        int version;
        std::size_t size;
        model::ModelType model;
        bool ok;
    };
    const std::vector<Row> rows{
        {14, 28476, 0, false}, {14, 28476, 8, true}, {14, 13790, 9, false}, {12, 28476, 5, false},
        {11, 28476, 5, true},  {12, 28476, 6, true}, {13, 13852, 9, true},  {13, 28476, 9, false},
        {10, 13852, 9, true},  {4, 7790, 3, true},   {4, 13790, 3, false},  {5, 13790, 5, true},
        {7, 13790, 6, true},   {1, 2596, 0, true},   {2, 7790, 0, true},    {15, 28476, 9, false},
        {0, 28476, 9, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.version) + " under model " + std::to_string(row.model));
        std::vector<std::uint8_t> bytes(row.size, 0);
        const VersionText text = versionText(row.version);
        std::copy(text.begin(), text.end(), bytes.begin() + 2);
        const ReadImageResult r = readStoredImage(bytes, model::Catalogue(row.model));
        EXPECT_EQ(r.ok, row.ok);
        EXPECT_EQ(r.messageId, row.ok ? 0 : 42001);
    }
    for (model::ModelType m : {0, 1, 2, 3, 5, 6, 8, 9}) {
        std::vector<std::uint8_t> bytes(13790, 0);
        const VersionText text = versionText(3);
        std::copy(text.begin(), text.end(), bytes.begin() + 2);
        EXPECT_TRUE(readStoredImage(bytes, model::Catalogue(m)).ok) << m;
    }
}

TEST(StoredImage, AnEmptySourceIsANewDocument) {
    const Fixture f(9);
    model::EditData d;
    const DecodeResult r = loadDocument({}, f.catalogue, f.settings, d);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(d.blockCount, 1);
    EXPECT_TRUE(d.target.isPitchLengthMode());
    EXPECT_EQ(d.block(0).lineCount, 1);
    EXPECT_TRUE(d.block(0).lines[0].chars.empty());
    EXPECT_EQ(d.block(0).pitch, 200);
    EXPECT_EQ(d.block(0).count, 2);
}

} // namespace
} // namespace qx::formats
