#include "GoldenImages.h"

#include "formats/DocumentFile.h"
#include "formats/ImageCodec.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>

namespace qx::formats::test {
namespace {

void expectSameRecord(const model::EditData& expected, const model::EditData& actual) {
    EXPECT_EQ(expected.target, actual.target);
    EXPECT_EQ(expected.blockCount, actual.blockCount);
    EXPECT_EQ(expected.extraSettings, actual.extraSettings);
    EXPECT_EQ(expected.sendSettings, actual.sendSettings);
    for (int b = 0; b < model::MaxBlocks; ++b) {
        if (!(expected.block(b) == actual.block(b))) {
            ADD_FAILURE() << "block " << b << " differs";
            return;
        }
    }
}

struct GoldenRow {
    const char* file;
    int version;
    HandLayout layout;
    model::ModelType model; ///< the model that writes (or, for old versions, reads) the file
    bool written;
    std::function<Bytes()> bytes;
    std::function<model::EditData(const model::Catalogue&)> record;
};

/// A row for the sample document in layout L with the given version text.
GoldenRow sampleRow(const char* file, int version, const HandLayout& L, model::ModelType model,
                    bool written) {
    return {file,
            version,
            L,
            model,
            written,
            [L, version] {
                return handImage(L, version, sampleStream, sampleBlocks(), {150}, version >= 14).bytes;
            },
            [L](const model::Catalogue& c) { return sampleRecord(c, L); }};
}

std::vector<GoldenRow> goldenRows() {
    std::vector<int> longStream{0x2F21, 0x2F22};
    longStream.insert(longStream.end(), 4998, 0x2341);
    longStream.push_back(0);
    std::vector<int> sixStream;
    for (int i = 0; i < 6; ++i) {
        sixStream.insert(sixStream.end(), {0x2F21, 0x2F22, 0x2330 + i});
    }
    sixStream.push_back(0);
    const std::vector<int> sixPitches{100, 200, 100, 200, 100, 200};
    return {
        sampleRow("sample_v1_2596.qxf", 1, L2596, 0, false),
        sampleRow("sample_v2_7790.qxf", 2, L7790, 0, false),
        sampleRow("sample_v3_13790.qxf", 3, L13790, 0, true),
        sampleRow("sample_v6_13790.qxf", 6, L13790, 1, true),
        sampleRow("sample_v8_13852.qxf", 8, L13852, 2, true),
        sampleRow("sample_v9_13852.qxf", 9, L13852, 3, true),
        sampleRow("sample_v11_28476.qxf", 11, LNewest, 5, true),
        sampleRow("sample_v12_28476.qxf", 12, LNewest, 6, true),
        sampleRow("sample_v14_28476.qxf", 14, LNewest, 9, true),
        {"chars4998_v14_28476.qxf", 14, LNewest, 9, true,
         [longStream] { return handImage(LNewest, 14, longStream, {HandBlock{}}, {150}, true).bytes; },
         [](const model::Catalogue& c) {
             model::EditData d = sampleRecord(c, LNewest);
             d.block(0) = d.block(2);
             d.block(0).lines[0].chars.assign(4998, 0x2341);
             d.block(0).pitch = 150;
             d.block(1) = d.block(2);
             d.blockCount = 1;
             return d;
         }},
        {"sixpitches_v14_28476.qxf", 14, LNewest, 9, true,
         [sixStream, sixPitches] {
             return handImage(LNewest, 14, sixStream, std::vector<HandBlock>(6), sixPitches, true).bytes;
         },
         [sixPitches](const model::Catalogue& c) {
             model::EditData d = sampleRecord(c, LNewest);
             for (int b = 0; b < 6; ++b) {
                 d.block(b) = d.block(6);
                 d.block(b).lines[0].chars = {static_cast<model::CharCode>(0x2330 + b)};
                 d.block(b).pitch = static_cast<std::int16_t>(sixPitches[static_cast<std::size_t>(b)]);
             }
             d.blockCount = 6;
             return d;
         }},
    };
}

TEST(GoldenImages, FilesMatchTheHandBuiltBytes) {
    const bool regenerate = std::getenv("QX_WRITE_GOLDEN") != nullptr;
    for (const GoldenRow& row : goldenRows()) {
        SCOPED_TRACE(row.file);
        const Bytes built = row.bytes();
        ASSERT_EQ(built.size(), row.layout.size);
        if (regenerate) {
            writeBytes(goldenDir() / row.file, built);
        }
        const std::string diff = hexDiff(built, readBytes(goldenDir() / row.file));
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

TEST(GoldenImages, EveryFileInTheFolderIsChecked) {
    std::set<std::string> listed;
    for (const GoldenRow& row : goldenRows()) {
        listed.insert(row.file);
    }
    for (const auto& entry : std::filesystem::directory_iterator(goldenDir())) {
        EXPECT_TRUE(listed.contains(entry.path().filename().string())) << entry.path();
    }
}

TEST(GoldenImages, LoadGivesTheRecordAndSaveGivesTheFileBack) {
    for (const GoldenRow& row : goldenRows()) {
        SCOPED_TRACE(row.file);
        const model::Catalogue catalogue(row.model);
        const auto settings = model::OperatorSettings::defaultsFor(catalogue);
        const Bytes file = readBytes(goldenDir() / row.file);
        model::EditData loaded;
        const DecodeResult load = loadDocumentFile(file, catalogue, settings, loaded);
        ASSERT_TRUE(load.ok) << load.messageId;
        EXPECT_TRUE(load.messageIds.empty());
        expectSameRecord(row.record(catalogue), loaded);
        if (row.written) {
            const SaveDocumentResult saved = saveDocumentFile(loaded, catalogue, settings);
            ASSERT_TRUE(saved.ok) << saved.messageId;
            const std::string diff = hexDiff(file, saved.bytes);
            EXPECT_TRUE(diff.empty()) << diff;
        }
    }
}

TEST(GoldenImages, EveryTruncatedPrefixIsRefused) {
    for (const GoldenRow& row : goldenRows()) {
        SCOPED_TRACE(row.file);
        const model::Catalogue catalogue(model::models::QX950W3);
        const Bytes file = readBytes(goldenDir() / row.file);
        ASSERT_TRUE(readStoredImage(file, catalogue).ok);
        for (std::size_t n = 1; n < file.size(); ++n) {
            const ReadImageResult read = readStoredImage(std::span(file).first(n), catalogue);
            ASSERT_FALSE(read.ok) << n;
            ASSERT_EQ(read.messageId, 42001);
        }
    }
}

TEST(GoldenImages, DecodeEncodeDecodeIsStableUnderEveryModelThatReadsTheFile) {
    for (const GoldenRow& row : goldenRows()) {
        for (model::ModelType m : {0, 1, 2, 3, 5, 6, 8, 9}) {
            const model::Catalogue catalogue(m);
            const auto settings = model::OperatorSettings::defaultsFor(catalogue);
            model::EditData first;
            if (!loadDocumentFile(readBytes(goldenDir() / row.file), catalogue, settings, first).ok) {
                EXPECT_LT(m, row.model) << row.file; // only the newer files are refused
                continue;
            }
            SCOPED_TRACE(std::string(row.file) + " under model " + std::to_string(m));
            PrinterImage image;
            const EncodeResult encoded = encodeImage(first, catalogue, settings, image);
            if (!encoded.ok) {
                EXPECT_EQ(std::string(row.file), "sixpitches_v14_28476.qxf"); // P = 5 below model 5
                continue;
            }
            model::EditData second;
            ASSERT_TRUE(decodeImage(image, catalogue, settings, second).ok);
            expectSameRecord(first, second);
        }
    }
}

} // namespace
} // namespace qx::formats::test
