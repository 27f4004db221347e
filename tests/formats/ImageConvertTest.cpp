#include "GoldenImages.h"

#include "formats/ImageConvert.h"
#include "formats/ImageLayout.h"
#include "formats/PrinterImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::formats::test {
namespace {

constexpr std::size_t S = 26022; // settings part of the newest layout

Bytes bytesOf(const PrinterImage& image) {
    return Bytes(image.bytes().begin(), image.bytes().end());
}

TEST(ImageVersion, ByModelTextAndLayout) {
    const std::vector<int> byModel{3, 6, 8, 9, 9, 11, 12, 12, 14, 14, 14};
    for (int m = 0; m <= 10; ++m) {
        EXPECT_EQ(imageVersionFor(m), byModel[static_cast<std::size_t>(m)]) << m;
    }
    EXPECT_EQ(imageVersionFor(-1), 14);
    for (const auto& [v, text] : std::vector<std::pair<int, std::string>>{{3, "QX700   3.00 JPN"},
                                                                          {9, "QX700   9.00 JPN"},
                                                                          {14, "QX700  14.00 JPN"},
                                                                          {11, "QX700  11.00 JPN"}}) {
        const VersionText t = versionText(v);
        EXPECT_EQ(std::string(t.begin(), t.end()), text);
        EXPECT_EQ(versionFromText(t), v);
    }
    const std::string junk = "QX700  ab.00 JPN";
    EXPECT_EQ(versionFromText(std::span(reinterpret_cast<const std::uint8_t*>(junk.data()), junk.size())), 0);

    struct Row {
        int version;
        std::size_t writtenSize;
        std::optional<std::size_t> readSize;
    };
    for (const Row& row : std::vector<Row>{{1, 7790, 2596},
                                           {2, 7790, 7790},
                                           {3, 13790, 13790},
                                           {4, 13790, 7790},
                                           {7, 13790, 13790},
                                           {8, 13852, 13852},
                                           {10, 13852, 13852},
                                           {11, 28476, 28476},
                                           {13, 28476, 13852},
                                           {14, 28476, 28476},
                                           {15, 28476, std::nullopt}}) {
        EXPECT_EQ(imageLayout(layoutForWriting(row.version)).size, row.writtenSize) << row.version;
        const auto read = layoutForReading(row.version);
        EXPECT_EQ(read ? std::optional(imageLayout(*read).size) : std::nullopt, row.readSize) << row.version;
    }
}

TEST(ImageLayouts, NoTwoFieldsShareAByte) {
    for (ImageLayoutId id :
         {ImageLayoutId::Layout2596, ImageLayoutId::Layout7790, ImageLayoutId::Layout13790,
          ImageLayoutId::Layout13852, ImageLayoutId::NewestV1200, ImageLayoutId::NewestV1400}) {
        const ImageLayout& layout = imageLayout(id);
        std::vector<int> owner(layout.size, 0);
        for (const FieldPlacement& f : layout.fields) {
            for (std::size_t i = 0; i < f.count; ++i) {
                for (std::size_t k = 0; k < f.width; ++k) {
                    ASSERT_EQ(owner.at(f.offset + i * f.stride + k)++, 0)
                        << layout.size << " field " << static_cast<int>(f.field);
                }
            }
        }
    }
}

TEST(DefaultImage, HoldsTheDefaultsOfEveryField) {
    const model::Catalogue catalogue(0);
    // The default image is the sample's layout with every field at its default.
    ByteBuilder b = handImage(LNewest, 3, {0x2F21, 0x2F22}, {HandBlock{}}, {}, true);
    b.words(S, {1, 32, 1, 0, 0, 0, 0, 1, 2, 2, 1, 1, 4, 0, 30, 1, 0, 1});
    for (std::size_t e = 0; e < 1000; ++e) {
        b.u16(S + 36 + 2 * e, 200);
    }
    b.u16(S + 2036, 0).words(S + 2410, {60, 200, 20}).u16(S + 2418, 0).u8(S + 2420, 3).u16(S + 2422, 0);
    b.u16(28448, 1).words(28450, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}).u16(S + 2406, 1);
    const std::string diff = hexDiff(b.bytes, bytesOf(defaultImage(catalogue)));
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST(ImageUpgrade, WidensRecordsAndKeepsDefaultsForWhatTheOldLayoutLacks) {
    const model::Catalogue catalogue(9);
    const PrinterImage base = defaultImage(catalogue);
    struct Row {
        HandLayout layout;
        ImageLayoutId id;
    };
    for (const Row& row :
         {Row{L2596, ImageLayoutId::Layout2596}, Row{L7790, ImageLayoutId::Layout7790},
          Row{L13790, ImageLayoutId::Layout13790}, Row{L13852, ImageLayoutId::Layout13852}}) {
        const HandLayout& L = row.layout;
        SCOPED_TRACE(L.size);
        ByteBuilder old = handImage(L, 3, sampleStream, sampleBlocks(), {150, 160}, false);
        old.u8(L.records + 8, 0xFF); // count −1
        if (L.recordSize == 12) {
            old.u8(L.records + 11, 0x80); // reserved: no sign to extend
        }
        const std::size_t seq = L.settings + 50;
        old.u8(seq, 2).u8(seq + 1, 3).u16(seq + 2, 0x1234).u16(seq + 4, 0x5678);
        if (L.seqEntrySize == 8) {
            old.u8(seq + 6, 1).u8(seq + 7, 0);
        }
        const auto image = upgradeImage(old.bytes, row.id, base);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->word(0), 1);
        EXPECT_EQ(image->word(2), ('Q' << 8) | 'X');
        EXPECT_EQ(image->word(18 + 12), 0); // after the stream's end word
        EXPECT_EQ(image->word(10022 + 8), 0xFFFF);
        EXPECT_EQ(image->word(10022 + 14), L.recordSize == 12 ? 0x0080 : 0);
        EXPECT_EQ(image->byte(10022 + 11), L.recordSize == 12 ? 1 : 0); // reverse
        EXPECT_EQ(image->word(10022 + 12), 0);                          // underline: default
        EXPECT_EQ(image->byte(10022 + 16 + 8 + 1), 2);                  // record 2's count
        EXPECT_EQ(image->word(S + 4), 1);
        EXPECT_EQ(image->word(S + 26), 0xFFFB);
        EXPECT_EQ(image->word(S + 36), 150);
        EXPECT_EQ(image->word(S + 38), 160);
        EXPECT_EQ(image->word(S + 36 + 12), 200); // entry 6: default
        EXPECT_EQ(image->word(S + 2036), 25);
        EXPECT_EQ(image->byte(S + 2038), 2);
        EXPECT_EQ(image->word(S + 2038 + 4), 0x5678);
        EXPECT_EQ(image->byte(S + 2038 + 6), L.seqEntrySize == 8 ? 1 : 0); // output
        EXPECT_EQ(image->byte(S + 2038 + 8), 1);                           // entry 1: the old default
        EXPECT_EQ(image->word(S + 2406), 4);
        EXPECT_EQ(image->word(S + 2410), L.labels != 0 ? 55 : 60);
        EXPECT_EQ(image->word(S + 2418), 0); // printFont, autoTextSize, zeroSlash: defaults
        EXPECT_EQ(image->byte(S + 2420), 3);
        EXPECT_EQ(image->word(28446), 1);
        EXPECT_EQ(image->word(28448), 2);
        EXPECT_EQ(image->word(28450), L.sendSettings != 0 ? 1 : 0);
        EXPECT_EQ(image->word(28474), 0xFFFF);
        EXPECT_FALSE(upgradeImage(std::span(old.bytes).first(L.size - 1), row.id, base).has_value());
    }
}

TEST(ImageUpgrade, V1200DerivesZeroSlashFromTheFont) {
    const PrinterImage base = defaultImage(model::Catalogue(9));
    for (const auto& [font, lastWord, zeroSlash] :
         std::vector<std::tuple<int, int, int>>{{2, 0, 1}, {1, 1, 0}, {0, 1, 0}, {3, 0, 0}}) {
        ByteBuilder b = handImage(LNewest, 11, sampleStream, sampleBlocks(), {150}, false);
        b.u16(S + 2418, font).u16(S + 2422, lastWord);
        const auto image = upgradeImage(b.bytes, ImageLayoutId::NewestV1200, base);
        ASSERT_TRUE(image.has_value());
        EXPECT_EQ(image->word(S + 2422), zeroSlash) << font;
        EXPECT_EQ(image->word(S + 2418), font);
    }
}

TEST(ImageDowngrade, KeepsLowBytesDropsTheRestAndWritesEveryByte) {
    PrinterImage image = defaultImage(model::Catalogue(9));
    image.setWord(10022 + 8, 300);          // count
    image.setWord(10022 + 14, 0x1234);      // reserved word
    image.setWord(10022 + 12, 1);           // underline
    image.setWord(10022 + 301 * 16 + 8, 9); // record 302
    image.setWord(S + 2422, 1);             // zeroSlash
    for (std::size_t i = 0; i < 5002; ++i) {
        image.setStreamWord(i, static_cast<std::uint16_t>(0x3000 + i));
    }
    const Bytes v1200 = downgradeImage(image, 12);
    ASSERT_EQ(v1200.size(), 28476U);
    EXPECT_EQ(be16(v1200, S + 2422), 0);
    EXPECT_TRUE(std::equal(v1200.begin(), v1200.begin() + S + 2422, image.bytes().begin()));

    for (const auto& [version, L] :
         std::vector<std::pair<int, HandLayout>>{{1, L7790}, {3, L13790}, {9, L13852}}) {
        SCOPED_TRACE(version);
        const Bytes old = downgradeImage(image, version);
        ASSERT_EQ(old.size(), L.size);
        EXPECT_EQ(old[L.records + 8], 44); // 300's low byte
        EXPECT_EQ(old[L.records + 11], 0x34);
        EXPECT_EQ(old[L.records + 9], 0);
        const std::size_t words = L.textBytes / 2;
        EXPECT_EQ(be16(old, 18 + 2 * (words - 1)), 0x3000 + static_cast<int>(words) - 1);
        EXPECT_EQ(be16(old, L.trailer), 0xFFFF);
        EXPECT_EQ(be16(old, L.settings + 36 + 10), 200); // the sixth pitch entry
        // Round trip: what the old layout holds comes back unchanged.
        const auto back = upgradeImage(old, *layoutForReading(version == 1 ? 2 : version), image);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(downgradeImage(*back, version), old);
    }
}

} // namespace
} // namespace qx::formats::test
