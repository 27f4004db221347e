#include "formats/ClipboardPayload.h"

#include "model/Catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace qx::formats {
namespace {

using model::CodeList;

model::EditData sampleDocument() {
    model::EditData data = model::createEditData(model::Catalogue(model::models::QX950W3), 2);
    data.blockCount = 3;
    model::EditBlock& b = data.block(1);
    b.lines[0].chars = {0x2341, 0x2F26, 0x2342};
    b.lines[0].charSize = 5;
    b.lines[0].charWidth = 2;
    b.lines[2].chars = {0x2F26};
    b.lineCount = 3;
    b.count = 7;
    b.pitch = -125;
    b.sequenceCount = 2;
    b.sequences[0] = {4, 2, 0x2361, 0x237A, 1, 0};
    b.sequences[1] = {1, 0, 1, 300, 0, 9};
    b.reverse = 1;
    b.underline = 1;
    b.reserved = -2;
    data.block(2).lines[3].chars = {0x2125};
    return data;
}

TEST(ClipboardPayload, WritesTheLittleEndianLayoutByteForByte) {
    model::EditData data = model::createEditData(model::Catalogue(model::models::QX950W3), 2);
    data.block(0).lines[1].chars = {0x2341};
    data.block(0).count = 0x0102;
    data.block(0).sequenceCount = 1;
    data.block(0).sequences[0] = {1, 3, 0x0A0B, 0x0C0D, 2, 0};
    // Rows 0..5 of a one-block document: the bottom row is cut to the last block.
    const std::vector<std::uint8_t> bytes = writeClipboardPayload(data, 1, 0, 2, 5);
    const std::vector<std::uint8_t> expected{
        1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, // left, top, right, bottom
        0, 0, 3, 0,                                     // line 1: no characters, size 3, width 0
        1, 0, 0x41, 0x23, 3, 0,                         // line 2: one character
        0, 0, 3, 0, 0, 0, 3, 0,                         // lines 3 and 4
        1,                                              // used lines
        0x02, 0x01, 200, 0,                             // count, pitch 200
        1, 0, 0, 0, 1, 3, 0x0B, 0x0A, 0x0D, 0x0C, 2, 0, // one definition, byte for byte
        0, 0, 0, 0, 0,                                  // reverse, underline, last word
    };
    EXPECT_EQ(bytes, expected);
}

TEST(ClipboardPayload, RoundTripsEveryCarriedField) {
    const model::EditData data = sampleDocument();
    const std::vector<std::uint8_t> bytes = writeClipboardPayload(data, 0, 0, 7, 998);
    const PayloadReadResult read = readClipboardPayload(bytes);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.failedAt, bytes.size());
    ASSERT_EQ(read.payload.rows(), 3);
    EXPECT_EQ(read.payload.bottom, 2);
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(read.payload.blockAt(row), data.block(row)) << "row " << row;
    }
    // Trailing bytes of a rounded-up memory block are not part of the payload.
    std::vector<std::uint8_t> padded = bytes;
    padded.resize(bytes.size() + 4096);
    EXPECT_TRUE(readClipboardPayload(padded).ok);
}

// A block may use every one of its four lines; the reader takes the fourth like the others.
TEST(ClipboardPayload, ReadsBackABlockThatUsesAllFourLines) {
    model::EditData data = model::createEditData(model::Catalogue(model::models::QX950W3), 2);
    model::EditBlock& full = data.block(0);
    for (int l = 0; l < 4; ++l) {
        full.lines[static_cast<std::size_t>(l)].chars = {static_cast<model::CharCode>(0x2331 + l), 0x2341};
        full.lines[static_cast<std::size_t>(l)].charSize = static_cast<std::uint8_t>(l);
    }
    full.lineCount = 4;
    const PayloadReadResult read = readClipboardPayload(writeClipboardPayload(data, 0, 0, 3, 0));
    ASSERT_TRUE(read.ok);
    ASSERT_EQ(read.payload.rows(), 1);
    const model::EditBlock block = read.payload.blockAt(0);
    EXPECT_EQ(block.lineCount, 4);
    EXPECT_EQ(block.lines[3].chars, (CodeList{0x2334, 0x2341}));
    EXPECT_EQ(block.lines[3].charSize, 3);
    EXPECT_EQ(block, full);
}

TEST(ClipboardPayload, AnEmptyRangeCarriesNoBlocks) {
    const model::EditData data = sampleDocument();
    const PayloadReadResult read = readClipboardPayload(writeClipboardPayload(data, 0, 5, 3, 9));
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.payload.rows(), 0);
}

TEST(ClipboardPayload, RefusesEveryTruncatedPrefix) {
    const std::vector<std::uint8_t> bytes = writeClipboardPayload(sampleDocument(), 0, 0, 3, 2);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const PayloadReadResult read = readClipboardPayload(std::span(bytes).first(n));
        ASSERT_FALSE(read.ok) << "prefix of " << n << " bytes";
        EXPECT_EQ(read.messageId, 42037);
        EXPECT_LE(read.failedAt, n);
    }
}

std::vector<std::uint8_t> withHeader(std::int32_t top, std::int32_t bottom, std::size_t padding) {
    std::vector<std::uint8_t> bytes(16 + padding, 0);
    auto put = [&](std::size_t at, std::int32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
        }
    };
    put(4, top);
    put(12, bottom);
    return bytes;
}

TEST(ClipboardPayload, RefusesClaimsTheBytesCannotHold) {
    const std::vector<std::uint8_t> good = writeClipboardPayload(sampleDocument(), 0, 0, 3, 2);
    // Offsets into the good payload: block 0 starts at 16 with its first line's count.
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"999 rows claimed with three blocks' bytes", withHeader(0, 998, good.size() - 16)});
    cases.push_back({"1000 rows", withHeader(0, 999, 1000 * 40)});
    cases.push_back({"every row of the 32-bit range", withHeader(INT32_MIN, INT32_MAX, 64)});
    cases.push_back({"a negative top row", withHeader(-1, 0, 200)});
    cases.push_back({"rows past the last slot", withHeader(998, 999, 200)});
    auto patched = [&](std::size_t at, std::vector<std::uint8_t> v) {
        std::vector<std::uint8_t> b = good;
        std::copy(v.begin(), v.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    cases.push_back({"a line claiming 32767 characters", patched(16, {0xFF, 0x7F})});
    cases.push_back({"a negative character count", patched(16, {0xFF, 0xFF})});
    cases.push_back({"character size 6", patched(18, {6})});
    cases.push_back({"character width 3", patched(19, {3})});
    // Block 0 is a default block: four empty lines (16 bytes), used lines at 32, count at 33,
    // pitch at 35, definition count at 37.
    cases.push_back({"five used lines", patched(32, {5})});
    cases.push_back({"thirteen definitions", patched(37, {13, 0, 0, 0})});
    cases.push_back({"a negative definition count", patched(37, {0xFF, 0xFF, 0xFF, 0xFF})});
    cases.push_back({"more definitions than bytes", patched(37, {12, 0, 0, 0})});
    for (const Case& c : cases) {
        const PayloadReadResult read = readClipboardPayload(c.bytes);
        EXPECT_FALSE(read.ok) << c.what;
        EXPECT_EQ(read.messageId, 42037) << c.what;
    }
}

TEST(ClipboardPayload, FormatNamesAreTheOnesOtherEditorsRegister) {
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::Row), "KorvintaRow");
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::Number), "KorvintaNumber");
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::Pitch), "KorvintaPitch");
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::Format), "KorvintaFormat");
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::All), "KorvintaAll");
    EXPECT_EQ(clipboardFormatName(ClipboardFormat::Column), "KorvintaColumn");
}

} // namespace
} // namespace qx::formats
