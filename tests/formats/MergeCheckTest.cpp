#include "formats/MergeCheck.h"

#include "model/Catalogue.h"

#include <gtest/gtest.h>

namespace qx::formats {
namespace {

class MergeCheckTest : public testing::Test {
protected:
    model::Catalogue catalogue{model::models::QX950W3};
    model::EditData data = model::createEditData(catalogue, 1);

    void fillLine(int block, int line, int characters) {
        data.line(block, line).chars.assign(static_cast<std::size_t>(characters), 0x2341);
    }
    void addSequences(int block, int n) {
        for (int i = 0; i < n; ++i) {
            data.block(block).appendSequence(model::tagSEQ_V900{});
        }
    }
    std::vector<int> idsOf(bool dropped, int replaced) {
        return checkMergedDocument(data, catalogue, dropped, replaced).messageIds;
    }
};

TEST_F(MergeCheckTest, InformsInDisplayOrder) {
    fillLine(0, 0, 5000);
    const MergeReport report = checkMergedDocument(data, catalogue, true, 3);
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.tooManyTextWords);
    EXPECT_EQ(report.messageIds, (std::vector<int>{42005, 42006, 42045}));
    EXPECT_EQ(idsOf(false, 1), (std::vector<int>{42006, 42045}));
    EXPECT_EQ(idsOf(true, 0), (std::vector<int>{42005, 42006}));
}

TEST_F(MergeCheckTest, NothingToSayForADocumentThatFits) {
    fillLine(0, 0, 10);
    const MergeReport report = checkMergedDocument(data, catalogue, false, 0);
    EXPECT_TRUE(report.ok);
    EXPECT_TRUE(report.messageIds.empty());
}

TEST_F(MergeCheckTest, TooManySequencesFailsAndSaysNothingElse) {
    // Model 9 in pitch-length mode holds 45 definitions in a document.
    data.blockCount = 16;
    for (int b = 0; b < 15; ++b) {
        addSequences(b, 3);
    }
    EXPECT_TRUE(checkMergedDocument(data, catalogue, false, 0).ok);
    addSequences(15, 1);
    fillLine(0, 0, 6000);
    const MergeReport report = checkMergedDocument(data, catalogue, true, 2);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(report.messageIds, (std::vector<int>{42007}));
}

TEST_F(MergeCheckTest, SequenceLimitFollowsTheMode) {
    data.blockCount = 2;
    addSequences(0, 1);
    addSequences(1, 1);
    EXPECT_TRUE(checkMergedDocument(data, catalogue, false, 0).ok);
    data.target.printMode = model::codes::Line1Marker; // one definition per document
    EXPECT_FALSE(checkMergedDocument(data, catalogue, false, 0).ok);
}

TEST_F(MergeCheckTest, SequencesOfBlocksNotInUseDoNotCount) {
    addSequences(1, 12);
    addSequences(2, 12);
    addSequences(3, 12);
    addSequences(4, 12);
    EXPECT_TRUE(checkMergedDocument(data, catalogue, false, 0).ok);
}

struct WordCase {
    const char* name;
    bool printLength;
    std::vector<int> pitches;    ///< one per block
    std::vector<int> characters; ///< one line per block with this many characters
    bool tooMany;
};

class MergeCheckWords : public MergeCheckTest, public testing::WithParamInterface<WordCase> {};

TEST_P(MergeCheckWords, CountsAsTheEncoderWrites) {
    const WordCase& c = GetParam();
    if (c.printLength) {
        data.target.printMode = model::codes::Line1Marker;
    }
    data.target.pitchAuto = 1; // pitch words are counted whatever this says
    data.blockCount = static_cast<std::int16_t>(c.characters.size());
    for (std::size_t b = 0; b < c.characters.size(); ++b) {
        fillLine(static_cast<int>(b), 0, c.characters[b]);
        data.block(static_cast<int>(b)).pitch = static_cast<std::int16_t>(c.pitches[b]);
    }
    EXPECT_EQ(exceedsTextWordLimit(data, 5000), c.tooMany);
}

// T = 5000: pitch word + line marker + characters must stay within T, the end word within T + 1.
INSTANTIATE_TEST_SUITE_P(
    MergeCheck, MergeCheckWords,
    testing::Values(WordCase{"PitchModeLongestLine", false, {200}, {4998}, false},
                    WordCase{"PitchModeOneTooMany", false, {200}, {4999}, true},
                    WordCase{"PrintModeLongestLine", true, {200}, {4999}, false},
                    WordCase{"PrintModeOneTooMany", true, {200}, {5000}, true},
                    WordCase{"SamePitchOneWord", false, {200, 200}, {2498, 2499}, false},
                    WordCase{"PitchChangeCostsAWord", false, {100, 200}, {2498, 2499}, true},
                    WordCase{"PitchChangeWithinBudget", false, {100, 200}, {2498, 2498}, false},
                    WordCase{"PrintModeIgnoresPitch", true, {100, 200}, {2498, 2500}, false}),
    [](const testing::TestParamInfo<WordCase>& p) { return std::string(p.param.name); });

TEST_F(MergeCheckTest, EveryLineInUseCostsAMarker) {
    data.target.printMode = model::codes::Line1Marker;
    data.block(0).lineCount = 4;
    fillLine(0, 0, 4996);
    EXPECT_FALSE(exceedsTextWordLimit(data, 5000));
    fillLine(0, 3, 1);
    EXPECT_TRUE(exceedsTextWordLimit(data, 5000));
    // Lines beyond lineCount are not written; a block with lineCount 0 is written as its first line.
    data.block(0).lineCount = 0;
    EXPECT_FALSE(exceedsTextWordLimit(data, 5000));
}

TEST_F(MergeCheckTest, LimitsComeFromTheModel) {
    const MergeLimits pitch = MergeLimits::forDocument(data.target, model::Catalogue(model::models::QX780));
    EXPECT_EQ(pitch.textWordLimit, 5000);
    EXPECT_EQ(pitch.sequenceLimit, 15);
    data.target.printMode = model::codes::Line1Marker;
    EXPECT_EQ(MergeLimits::forDocument(data.target, catalogue).sequenceLimit, 1);
}

} // namespace
} // namespace qx::formats
