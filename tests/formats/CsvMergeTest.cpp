#include "formats/CsvMerge.h"

#include "formats/CsvFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qx::formats {
namespace {

using model::CharCode;
using model::CodeList;

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class CsvMergeTest : public testing::Test {
protected:
    void useModel(model::ModelType type) {
        catalogue = model::Catalogue(type);
        settings = model::OperatorSettings::defaultsFor(catalogue);
        current = model::createEditData(catalogue, settings.frameGap);
    }

    MergeResult merge(std::string_view csv, int position = -1) {
        return mergeCsv(current, bytesOf(csv), position, catalogue, settings);
    }

    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData current = model::createEditData(catalogue, settings.frameGap);
};

TEST_F(CsvMergeTest, PitchLengthModeTakesTextCountAndPitch) {
    const MergeResult result = merge("A,,,,3,12.5\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.report.messageIds.empty());
    EXPECT_EQ(result.data.blockCount, 1);
    const model::EditBlock& block = result.data.block(0);
    EXPECT_EQ(block.lines[0].chars, (CodeList{0x2341}));
    EXPECT_EQ(block.lineCount, 1);
    EXPECT_EQ(block.count, 3);
    EXPECT_EQ(block.pitch, 125);
}

TEST_F(CsvMergeTest, PrintLengthModeTakesOnlyTheText) {
    current.target.printMode = model::codes::Line1Marker;
    const MergeResult result = merge("A,,,,3,12.5\r\n");
    ASSERT_TRUE(result.ok);
    const model::EditBlock& block = result.data.block(0);
    EXPECT_EQ(block.lines[0].chars, (CodeList{0x2341}));
    EXPECT_EQ(block.count, settings.numberTube);
    EXPECT_EQ(block.pitch, settings.pitchLenTube);
}

struct NumberCase {
    const char* name;
    std::string row;
    int count;
    int pitch;
};

class CsvMergeNumbers : public CsvMergeTest, public testing::WithParamInterface<NumberCase> {};

// Tube target on model 9: counts 1..300, pitches 100..600 tenths; defaults 2 and 200.
TEST_P(CsvMergeNumbers, ReadsOrFallsBackToDefaults) {
    const MergeResult result = merge(GetParam().row);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.block(0).count, GetParam().count);
    EXPECT_EQ(result.data.block(0).pitch, GetParam().pitch);
}

INSTANTIATE_TEST_SUITE_P(
    CsvMerge, CsvMergeNumbers,
    testing::Values(NumberCase{"Plain", "A,,,,5,30.0", 5, 300},
                    NumberCase{"CountWithLetter", "A,,,,3x,30.0", 2, 300},
                    NumberCase{"PitchFarOutOfRange", "A,,,,5,99999", 5, 200},
                    NumberCase{"ThreeFieldsKeepDefaults", "A,B,C", 2, 200},
                    NumberCase{"FullWidthDigitsAreNarrowed", "A,,,,\x82\x54,\x82\x50\x82\x4f", 5, 100},
                    NumberCase{"PitchCutToTenths", "A,,,,5,12.59", 5, 125},
                    NumberCase{"PitchWithoutFraction", "A,,,,5,12.", 5, 120},
                    NumberCase{"PitchAtUpperLimit", "A,,,,5,60.0", 5, 600},
                    NumberCase{"PitchJustAboveUpperLimit", "A,,,,5,60.01", 5, 200},
                    NumberCase{"PitchJustBelowLowerLimit", "A,,,,5,9.99", 5, 200},
                    NumberCase{"PitchNegative", "A,,,,5,-12.5", 5, 200},
                    NumberCase{"PitchWithBlank", "A,,,,5, 12.5", 5, 200},
                    NumberCase{"CountZero", "A,,,,0,12.5", 2, 125},
                    NumberCase{"CountHuge", "A,,,,99999999999999999999,12.5", 2, 125},
                    NumberCase{"CountEmpty", "A,,,,,12.5", 2, 125},
                    NumberCase{"CountAtUpperLimit", "A,,,,300", 300, 200}),
    [](const testing::TestParamInfo<NumberCase>& p) { return std::string(p.param.name); });

TEST_F(CsvMergeTest, CountRangeFollowsTheModel) {
    // 200 is within model 9's count range but past model 0's, which ends at 100.
    MergeResult result = merge("A,,,,200,20.0\r\n");
    EXPECT_EQ(result.data.block(0).count, 200);
    useModel(model::models::QX780);
    result = merge("A,,,,200,20.0\r\n");
    EXPECT_EQ(result.data.block(0).count, settings.numberTube);
}

TEST_F(CsvMergeTest, LabelTargetsKeepTheirPitch) {
    current.target.targetKind = model::TargetKind::GeneralLabel;
    current.target.targetSize = 0;
    const MergeResult result = merge("A,,,,4,12.5\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.block(0).count, 4);
    // A general label's pitch is its length plus its gap, whatever the row says.
    EXPECT_EQ(result.data.block(0).pitch, current.target.labelLength + current.target.labelGap);
}

TEST_F(CsvMergeTest, ThreeFieldsSetThreeLines) {
    const MergeResult result = merge("A,B,C\r\n");
    const model::EditBlock& block = result.data.block(0);
    EXPECT_EQ(block.lineCount, 3);
    EXPECT_EQ(block.lines[2].chars, (CodeList{0x2343}));
    EXPECT_TRUE(block.lines[3].chars.empty());
}

TEST_F(CsvMergeTest, EmptyLineIsABlockWithoutText) {
    const MergeResult result = merge("A\r\n\r\nB\r\n");
    ASSERT_EQ(result.data.blockCount, 3);
    EXPECT_TRUE(result.data.block(1).lines[0].chars.empty());
    EXPECT_EQ(result.data.block(2).lines[0].chars, (CodeList{0x2342}));
}

TEST_F(CsvMergeTest, EmptyFileOpensAsOneEmptyBlock) {
    const MergeResult result = merge("");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.blockCount, 1);
    EXPECT_EQ(result.insertedBlocks, 0);
    EXPECT_TRUE(result.data.block(0).lines[0].chars.empty());
}

TEST_F(CsvMergeTest, InsertsBeforeThePositionAndKeepsTheCurrentRecord) {
    current.blockCount = 3;
    for (int b = 0; b < 3; ++b) {
        current.line(b, 0).chars = {static_cast<CharCode>(0x2331 + b)}; // １ ２ ３
    }
    const model::EditData before = current;
    const MergeResult result = merge("A\r\nB\r\n", 1);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(current.blockCount, before.blockCount);
    EXPECT_EQ(current.blocks, before.blocks);
    ASSERT_EQ(result.data.blockCount, 5);
    const CharCode expected[] = {0x2331, 0x2341, 0x2342, 0x2332, 0x2333};
    for (int b = 0; b < 5; ++b) {
        EXPECT_EQ(result.data.block(b).lines[0].chars, (CodeList{expected[b]})) << b;
    }
    EXPECT_EQ(result.insertedBlocks, 2);
}

TEST_F(CsvMergeTest, InsertPastTheEndAppends) {
    current.line(0, 0).chars = {0x2331};
    const MergeResult result = merge("A\r\n", 7);
    ASSERT_EQ(result.data.blockCount, 2);
    EXPECT_EQ(result.data.block(1).lines[0].chars, (CodeList{0x2341}));
}

TEST_F(CsvMergeTest, DropsRowsBeyondTheBlockLimit) {
    // Model 0 holds 300 blocks: into 295, only five of ten rows fit.
    useModel(model::models::QX780);
    current.blockCount = 295;
    std::string csv;
    for (int i = 0; i < 10; ++i) {
        csv += "A\r\n";
    }
    const MergeResult result = merge(csv, 295);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.insertedBlocks, 5);
    EXPECT_EQ(result.data.blockCount, 300);
    EXPECT_EQ(result.report.messageIds, (std::vector<int>{MergeMessage::BlocksDropped}));
}

TEST_F(CsvMergeTest, ExactlyFillingTheRoomDropsNothing) {
    useModel(model::models::QX780);
    current.blockCount = 298;
    const MergeResult result = merge("A\r\nB\r\n", 0);
    EXPECT_FALSE(result.blocksDropped);
    EXPECT_EQ(result.data.blockCount, 300);
    EXPECT_TRUE(result.report.messageIds.empty());
}

TEST_F(CsvMergeTest, NewDocumentRoomIsTheWholeBlockLimit) {
    useModel(model::models::QX780);
    std::string csv;
    for (int i = 0; i < 301; ++i) {
        csv += "A\r\n";
    }
    const MergeResult result = merge(csv);
    EXPECT_EQ(result.data.blockCount, 300);
    EXPECT_TRUE(result.blocksDropped);
}

TEST_F(CsvMergeTest, UnsupportedCharactersAreReplacedAndReported) {
    // Half-width katakana ｱ (0xB1) has no printer form.
    const MergeResult result = merge("A\xb1"
                                     "B\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.block(0).lines[0].chars, (CodeList{0x2341, 0x2121, 0x2342}));
    EXPECT_EQ(result.replacedChars, 1);
    EXPECT_EQ(result.report.messageIds, (std::vector<int>{MergeMessage::CharactersReplaced}));
}

TEST_F(CsvMergeTest, ReadsUtf8Files) {
    // "漢字,,,,4,15.0" in UTF-8, with and without a byte-order mark.
    for (const std::string& csv : {std::string("\xe6\xbc\xa2\xe5\xad\x97,,,,4,15.0\r\n"),
                                   std::string("\xef\xbb\xbf\xe6\xbc\xa2\xe5\xad\x97,,,,4,15.0\r\n")}) {
        const MergeResult result = merge(csv);
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.data.block(0).lines[0].chars, (CodeList{0x3441, 0x3B7A}));
        EXPECT_EQ(result.data.block(0).count, 4);
        EXPECT_EQ(result.data.block(0).pitch, 150);
        EXPECT_EQ(result.replacedChars, 0);
    }
}

TEST_F(CsvMergeTest, Utf8CharactersWithoutShiftJisFormCountAsReplaced) {
    // 漢, U+1F600 (no code page 932 form), A, あ; the あ makes the bytes invalid as Shift_JIS.
    const MergeResult result = merge("\xe6\xbc\xa2\xf0\x9f\x98\x80"
                                     "A\xe3\x81\x82\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.block(0).lines[0].chars, (CodeList{0x3441, 0x2121, 0x2341, 0x2422}));
    EXPECT_EQ(result.replacedChars, 1);
    EXPECT_EQ(result.report.messageIds, (std::vector<int>{MergeMessage::CharactersReplaced}));
}

TEST_F(CsvMergeTest, AReusedResultHoldsOnlyTheLatestMerge) {
    // The first merge leaves a dropped-blocks report, replaced characters and 300 blocks behind.
    useModel(model::models::QX790);
    std::string many;
    for (int i = 0; i < 301; ++i)
        many += "\x88\x9f\x81\xa0,B,C,D,3,12.5\r\n";
    MergeResult reused;
    mergeCsv(current, bytesOf(many), -1, catalogue, settings, reused);
    ASSERT_TRUE(reused.blocksDropped);
    const std::string second = "A\r\n";
    mergeCsv(current, bytesOf(second), -1, catalogue, settings, reused);
    const MergeResult fresh = merge(second);
    EXPECT_EQ(reused.ok, fresh.ok);
    EXPECT_EQ(reused.report.messageIds, fresh.report.messageIds);
    EXPECT_EQ(reused.insertedBlocks, 1);
    EXPECT_FALSE(reused.blocksDropped);
    EXPECT_EQ(reused.replacedChars, 0);
    EXPECT_EQ(reused.data.blockCount, 1);
    EXPECT_EQ(reused.data.blocks, fresh.data.blocks);
    EXPECT_EQ(reused.data.target, fresh.data.target);

    MergeResult movedFrom;
    const MergeResult taken = std::move(movedFrom);
    mergeCsv(current, bytesOf(second), -1, catalogue, settings, movedFrom);
    EXPECT_EQ(movedFrom.data.blocks, fresh.data.blocks);
}

TEST_F(CsvMergeTest, TooManyTextWordsInforms) {
    // One line of 5,000 characters cannot be encoded (the budget of T words is spent on markers too).
    const std::string csv = std::string(5000, 'A') + "\r\n";
    const MergeResult result = merge(csv);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.report.messageIds, (std::vector<int>{MergeMessage::TooManyTextWords}));
}

TEST_F(CsvMergeTest, MorePitchSettingsThanTheModelHoldsStillMerge) {
    // Model 0 holds five pitch settings; six alternating pitches open all the same (no 42008).
    useModel(model::models::QX780);
    const MergeResult result = merge("A,,,,1,10.0\r\nA,,,,1,20.0\r\nA,,,,1,10.0\r\n"
                                     "A,,,,1,20.0\r\nA,,,,1,10.0\r\nA,,,,1,20.0\r\n");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.blockCount, 6);
    EXPECT_TRUE(result.report.messageIds.empty());
}

} // namespace
} // namespace qx::formats

namespace qx::formats {
namespace {

std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every tests/data/csv/NAME.csv, opened as a new document under model 9 and written back, gives
// NAME.expected byte for byte.
TEST(CsvGoldenFiles, OpenAndWriteBack) {
    const model::Catalogue catalogue(model::models::QX950W3);
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    const model::EditData current = model::createEditData(catalogue, settings.frameGap);
    int seen = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(QX_TEST_DATA_DIR) / "csv")) {
        if (entry.path().extension() != ".csv") {
            continue;
        }
        ++seen;
        const std::string csv = fileContents(entry.path());
        std::filesystem::path expectedPath = entry.path();
        expectedPath.replace_extension(".expected");
        const MergeResult result = mergeCsv(current, bytesOf(csv), -1, catalogue, settings);
        ASSERT_TRUE(result.ok) << entry.path();
        EXPECT_EQ(writeCsv(result.data, catalogue.model()), fileContents(expectedPath)) << entry.path();
    }
    EXPECT_GE(seen, 3);
}

} // namespace
} // namespace qx::formats
