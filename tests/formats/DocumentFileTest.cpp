#include "GoldenImages.h"

#include "formats/ClipboardPayload.h"
#include "formats/DocumentFile.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::formats::test {
namespace {

struct Fixture {
    model::Catalogue catalogue;
    model::OperatorSettings settings;
    explicit Fixture(model::ModelType m)
        : catalogue(m), settings(model::OperatorSettings::defaultsFor(catalogue)) {}

    /// A document of `n` one-character blocks X, Y, Z, … with pitch 300 and count 5.
    model::EditData document(int n) const {
        model::EditData d = model::createEditData(catalogue, 1);
        d.blockCount = static_cast<std::int16_t>(n);
        for (int b = 0; b < n; ++b) {
            d.block(b).lines[0].chars = {static_cast<model::CharCode>(0x2358 + b % 3)};
            d.block(b).pitch = 300;
            d.block(b).count = 5;
        }
        return d;
    }
};

Bytes sampleFile(int version) {
    const HandLayout& L = version >= 11 ? LNewest : version >= 8 ? L13852 : L13790;
    return handImage(L, version, sampleStream, sampleBlocks(), {150}, version == 14).bytes;
}

model::CodeList charsOf(const model::EditData& d, int b) {
    return d.block(b).lines[0].chars;
}

TEST(DocumentFileSave, WritesTheLayoutOfTheModelsGeneration) {
    struct Row {
        model::ModelType model;
        std::size_t size;
        const char* version;
    };
    for (const Row& row : std::vector<Row>{{0, 13790, " 3"},
                                           {1, 13790, " 6"},
                                           {2, 13852, " 8"},
                                           {3, 13852, " 9"},
                                           {5, 28476, "11"},
                                           {6, 28476, "12"},
                                           {8, 28476, "14"},
                                           {9, 28476, "14"}}) {
        SCOPED_TRACE(row.model);
        const Fixture f(row.model);
        model::EditData d = f.document(2);
        d.target.targetKind = 2;
        d.target.zeroSlash = 1;
        const SaveDocumentResult saved = saveDocumentFile(d, f.catalogue, f.settings);
        ASSERT_TRUE(saved.ok);
        ASSERT_EQ(saved.bytes.size(), row.size);
        EXPECT_EQ(std::string(saved.bytes.begin() + 2, saved.bytes.begin() + 18),
                  std::string("QX700  ") + row.version + ".00 JPN");
        EXPECT_EQ(be16(saved.bytes, 0), 2); // the first word repeats targetKind
        if (row.size == 28476) {
            EXPECT_EQ(be16(saved.bytes, 26022 + 2422), row.version == std::string("14") ? 1 : 0);
        }
    }
}

// A size or width beyond the lists, written by something other than this editor, opens as the
// largest; the block that opened can then be copied and pasted.
TEST(DocumentFileLoad, SizesBeyondTheListsOpenAsTheLargestAndCanBeCopied) {
    const Fixture f(9);
    model::EditData written = f.document(2);
    written.block(1).lines[0].charSize = 7;
    written.block(1).lines[0].charWidth = 3;
    const SaveDocumentResult saved = saveDocumentFile(written, f.catalogue, f.settings);
    ASSERT_TRUE(saved.ok);
    model::EditData read = model::createEditData(f.catalogue, 1);
    ASSERT_TRUE(loadDocumentFile(saved.bytes, f.catalogue, f.settings, read).ok);
    EXPECT_EQ(read.block(1).lines[0].charSize, 5);
    EXPECT_EQ(read.block(1).lines[0].charWidth, 2);
    EXPECT_EQ(read.block(0).lines[0].charSize, written.block(0).lines[0].charSize);
    const PayloadReadResult copied = readClipboardPayload(writeClipboardPayload(read, 0, 0, 3, 1));
    ASSERT_TRUE(copied.ok) << copied.messageId;
    EXPECT_EQ(copied.payload.blockAt(1), read.block(1));
}

TEST(DocumentFileSave, ReportsTheEncodersFailure) {
    const Fixture f(9);
    model::EditData d = f.document(3);
    d.block(2).lines[1].chars.assign(5000, 0x2341);
    d.block(2).lineCount = 2;
    const SaveDocumentResult saved = saveDocumentFile(d, f.catalogue, f.settings);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.messageId, 42002);
    EXPECT_EQ(saved.failedBlock, 2);
    EXPECT_EQ(saved.failedLine, 1);
    EXPECT_TRUE(saved.bytes.empty());
}

TEST(DocumentFileMerge, InsertsTheFilesBlocksAtThePositionAndKeepsTheDocumentsSettings) {
    const Fixture f(9);
    const model::EditData current = f.document(3);
    const model::EditData before = current;
    const MergeDocumentResult r = mergeDocumentFile(current, sampleFile(14), 1, f.catalogue, f.settings);
    ASSERT_TRUE(r.ok) << r.messageId;
    EXPECT_TRUE(r.messageIds.empty());
    ASSERT_EQ(r.data.blockCount, 5);
    const std::vector<model::CodeList> texts{{0x2358}, {0x2341}, {0x2342, 0x2343}, {0x2359}, {0x235A}};
    for (int b = 0; b < 5; ++b) {
        EXPECT_EQ(charsOf(r.data, b), texts[static_cast<std::size_t>(b)]) << b;
    }
    EXPECT_EQ(r.data.target, current.target); // not the file's charSpacing 3, frame 2, …
    const model::EditBlock& a = r.data.block(1);
    EXPECT_EQ(a.pitch, 150);
    EXPECT_EQ(a.count, 3);
    EXPECT_EQ(a.lines[0].charSize, 4);
    EXPECT_EQ(a.lines[0].charWidth, 1);
    EXPECT_EQ(a.reverse, 1);
    EXPECT_EQ(a.underline, 1);
    EXPECT_EQ(a.reserved, 7);
    EXPECT_EQ(r.data.block(3).pitch, 300); // the document's own blocks keep theirs
    EXPECT_EQ(current.blockCount, before.blockCount);
    EXPECT_TRUE(current.blocks == before.blocks);
}

TEST(DocumentFileMerge, TakesPitchAndCountOnlyWhenTheyApply) {
    struct Row {
        const char* name;
        bool printLength;
        int kind, size, pitch, count;
        int wantPitch, wantCount;
    };
    const std::vector<Row> rows{
        {"pitch-length tube", false, 1, 32, 150, 3, 150, 3},
        {"print-length document", true, 1, 32, 150, 3, 200, 2},
        {"pitch and count out of range", false, 1, 32, 50, 0, 200, 2},
        {"label keeps its own pitch", false, 7, 617, 150, 3, 190, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Fixture f(9);
        model::EditData current = f.document(1);
        current.target.targetKind = static_cast<std::int16_t>(row.kind);
        current.target.targetSize = static_cast<std::int16_t>(row.size);
        if (row.printLength) {
            current.target.printMode = model::codes::Line1Marker;
        }
        std::vector<HandBlock> blocks = sampleBlocks();
        blocks[0].count = row.count;
        const Bytes file = handImage(LNewest, 14, sampleStream, blocks, {row.pitch}, true).bytes;
        const MergeDocumentResult r = mergeDocumentFile(current, file, 0, f.catalogue, f.settings);
        ASSERT_TRUE(r.ok) << r.messageId;
        EXPECT_EQ(r.data.block(0).pitch, row.wantPitch);
        EXPECT_EQ(r.data.block(0).count, row.wantCount);
    }
}

TEST(DocumentFileMerge, StopsAtTheRoomLeftAndSaysSo) {
    const Fixture f(0);
    const MergeDocumentResult r =
        mergeDocumentFile(f.document(299), sampleFile(3), 299, f.catalogue, f.settings);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.data.blockCount, 300);
    EXPECT_EQ(charsOf(r.data, 299), model::CodeList{0x2341});
    EXPECT_EQ(r.messageIds, std::vector<int>{42005});

    const MergeDocumentResult own =
        mergeDocumentFile(f.document(299), sampleFile(3), -1, f.catalogue, f.settings);
    ASSERT_TRUE(own.ok);
    EXPECT_EQ(own.data.blockCount, 2);
    EXPECT_EQ(charsOf(own.data, 1), (model::CodeList{0x2342, 0x2343}));
}

TEST(DocumentFileMerge, FailsOrInformsWithTheRightMessage) {
    struct Row {
        const char* name;
        model::ModelType model;
        std::vector<int> stream;
        int version;
        int currentSequences;
        bool ok;
        int messageId;
        std::vector<int> messageIds;
    };
    const int A = 0x2341;
    const std::vector<int> fiveLines{0x2F21, 0x2F22, A, 0x2F23, A, 0x2F24, A, 0x2F25, A, 0x2F25, A, 0};
    const std::vector<int> early{A, 0x2F22, A, 0}, oneSequence{0x2F21, 0x2F22, 0x2F26, 0};
    const std::vector<int> replaced{0x2F21, 0x2F22, 0x2C70, 0};
    // clang-format off
    const std::vector<Row> rows{
        {"a newer file",                        0, sampleStream, 14, 0,  false, 42001, {}},
        {"five lines",                          9, fiveLines,    14, 0,  false, 42001, {}},
        {"codes before the first block",        9, early,        14, 0,  false, 42001, {}},
        {"sequences beyond the document limit", 0, oneSequence,  3,  15, false, 42007, {}},
        {"sequences up to the document limit",  0, oneSequence,  3,  14, true,  0,     {}},
        {"replaced characters",                 0, replaced,     3,  0,  true,  0,     {42045}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Fixture f(row.model);
        model::EditData current = f.document(row.currentSequences + 1);
        for (int b = 0; b < row.currentSequences; ++b) {
            current.block(b).lines[0].chars = {model::codes::SequenceMarker};
            current.block(b).appendSequence({});
        }
        const Bytes file = handImage(row.version >= 11 ? LNewest : L13790, row.version, row.stream,
                                     {HandBlock{}}, {150}, true)
                               .bytes;
        const MergeDocumentResult r = mergeDocumentFile(current, file, 0, f.catalogue, f.settings);
        EXPECT_EQ(r.ok, row.ok);
        EXPECT_EQ(r.messageId, row.messageId);
        EXPECT_EQ(r.messageIds, row.messageIds);
    }
}

} // namespace
} // namespace qx::formats::test
